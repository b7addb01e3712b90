// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/chimes.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace chimes {

namespace {

constexpr double kStep = 0.005;       // seconds per envelope window when looking for starts
constexpr double kRisen = 0.12;       // a chime's attack passes this ...
constexpr double kBefore = 0.05;      // ... from below this, 20 ms earlier
constexpr double kHoldOff = 0.3;      // no chime starts again sooner than this
constexpr double kRinging = 0.02;     // the first 0.6 s of the chime stay above this
constexpr double kAudible = 0.002;
constexpr double kPattern = 0.020;

size_t at(const recording::Sound &sound, double seconds)
{
    return size_t(std::max(0.0, seconds) * sound.rate);
}

} // namespace

std::vector<double> starts(const recording::Sound &sound)
{
    std::vector<double> result;
    const std::vector<double> envelope = sound.envelope(kStep);
    const int back = int(std::lround(0.020 / kStep));
    for (int i = back; i < int(envelope.size()); ++i) {
        if (envelope[size_t(i)] < kRisen || envelope[size_t(i - back)] >= kBefore)
            continue;
        const double rise = i * kStep;
        if (!result.empty() && rise - result.back() < kHoldOff)
            continue;
        // The first sample clearly above what sounded just before.
        const double before = sound.peak(rise - 0.035, 0.015);
        const double threshold = std::max(kAudible, 2 * before);
        size_t k = at(sound, rise - 0.020);
        const size_t end = std::min(sound.samples.size(), at(sound, rise + kStep));
        while (k < end && std::abs(sound.samples[k]) <= threshold)
            ++k;
        result.push_back(double(k) / sound.rate);
    }
    return result;
}

bool soundsUnbroken(const recording::Sound &sound, double start, double length)
{
    for (double t = start + 0.02; t + 0.01 <= start + length; t += 0.01)
        if (sound.peak(t, 0.01) < kRinging)
            return false;
    return true;
}

double mismatch(const recording::Sound &sound, double a, double b, double length)
{
    const size_t i = at(sound, a), j = at(sound, b), n = at(sound, length);
    if (std::max(i, j) + n > sound.samples.size())
        return std::numeric_limits<double>::infinity();
    double difference = 0, energy = 0;
    for (size_t k = 0; k < n; ++k) {
        const double d = double(sound.samples[j + k]) - sound.samples[i + k];
        difference += d * d;
        energy += double(sound.samples[i + k]) * sound.samples[i + k];
    }
    return energy > 0 ? difference / energy : std::numeric_limits<double>::infinity();
}

double restartOf(const recording::Sound &sound, double first, double from, double to)
{
    const size_t pattern = at(sound, first), length = at(sound, kPattern);
    const size_t last = std::min(at(sound, to), sound.samples.size() - std::min(sound.samples.size(), length));
    double energy = 0;
    for (size_t k = 0; k < length && pattern + k < sound.samples.size(); ++k)
        energy += double(sound.samples[pattern + k]) * sound.samples[pattern + k];
    double best = std::numeric_limits<double>::infinity();
    size_t bestAt = at(sound, from);
    for (size_t j = at(sound, from); j < last; ++j) {
        double error = 0;
        for (size_t k = 0; k < length && error < best * energy; ++k) {
            const double d = double(sound.samples[j + k]) - sound.samples[pattern + k];
            error += d * d;
        }
        if (error / energy < best) {
            best = error / energy;
            bestAt = j;
        }
    }
    return double(bestAt) / sound.rate;
}

QString describe(const std::vector<double> &times)
{
    QStringList parts;
    for (double t : times)
        parts << QString::number(t, 'f', 3);
    return parts.join(QLatin1Char(' '));
}

double fittedDelay(const recording::Sound &sound, const std::vector<double> &cues, double tolerance)
{
    const std::vector<double> found = starts(sound);
    if (cues.empty() || found.empty())
        return std::nan("");
    // The delay that pairs the most of them: tried on the first few of each,
    // since the first cues might be the ones not heard.
    double delay = found[0] - cues[0];
    int mostPaired = -1;
    for (size_t i = 0; i < std::min<size_t>(3, cues.size()); ++i)
        for (size_t j = 0; j < std::min<size_t>(3, found.size()); ++j) {
            int paired = 0;
            for (double cue : cues)
                paired += std::any_of(found.begin(), found.end(), [&](double f) {
                    return std::abs(f - cue - (found[j] - cues[i])) <= tolerance;
                }) ? 1 : 0;
            if (paired > mostPaired) {
                mostPaired = paired;
                delay = found[j] - cues[i];
            }
        }
    return delay;
}

QString checkEveryCueChimed(const recording::Sound &sound, const std::vector<double> &cues, double tolerance)
{
    const std::vector<double> found = starts(sound);
    if (cues.empty() || found.empty())
        return QStringLiteral("%1 cues, chimes at [%2]").arg(cues.size()).arg(describe(found));

    auto matchOf = [&](size_t cue, double delay) -> int {
        for (size_t j = 0; j < found.size(); ++j)
            if (std::abs(found[j] - cues[cue] - delay) <= tolerance)
                return int(j);
        return -1;
    };
    const double delay = fittedDelay(sound, cues, tolerance);

    QStringList faults;
    std::vector<bool> paired(found.size(), false);
    for (size_t k = 0; k < cues.size(); ++k) {
        const int j = matchOf(k, delay);
        if (j < 0) {
            faults << QStringLiteral("cue %1 at %2 s: no chime").arg(k + 1).arg(cues[k], 0, 'f', 3);
            continue;
        }
        paired[size_t(j)] = true;
        const double start = found[size_t(j)];
        const double next = size_t(j) + 1 < found.size() ? found[size_t(j) + 1] : sound.seconds();
        if (!soundsUnbroken(sound, start, std::min(0.6, next - start - 0.03)))
            faults << QStringLiteral("cue %1: its chime at %2 s breaks off").arg(k + 1).arg(start, 0, 'f', 3);
    }
    for (size_t j = 0; j < found.size(); ++j)
        if (!paired[j])
            faults << QStringLiteral("a chime at %1 s without a cue").arg(found[j], 0, 'f', 3);
    if (faults.isEmpty())
        return {};
    return faults.join(QStringLiteral("; "))
           + QStringLiteral(" (chimes at [%1] s, cues at [%2] s on the test's clock, delay %3 s)")
                 .arg(describe(found), describe(cues))
                 .arg(delay, 0, 'f', 3);
}

} // namespace chimes
