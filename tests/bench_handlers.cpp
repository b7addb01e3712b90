// How long drawing a random list of ten words takes, with the real clock and
// with a clock that stands still between reseeds. Prints, never fails on time.
#include "support/fakes.h"
#include "wordorder/wordbank.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5000;

double drawOnceMicroseconds(wordbank::Language language)
{
    wordbank::UsedSlots used{};
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < wordbank::kListLength; ++n)
        wordbank::drawUnusedSlot(language, used);
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double medianMicroseconds(wordbank::Language language)
{
    std::vector<double> times(kRuns);
    for (double &time : times)
        time = drawOnceMicroseconds(language);
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void report(const char *clockName)
{
    std::printf("%-20s Italian %8.3f us   English %8.3f us   (median of %d lists of ten)\n", clockName,
                medianMicroseconds(wordbank::Language::Italian), medianMicroseconds(wordbank::Language::English),
                kRuns);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    report("real clock");
    {
        FakePlatform fakes; // its clock stands still
        report("standing clock");
    }
    return 0;
}
