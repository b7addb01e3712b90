// SPDX-License-Identifier: GPL-3.0-or-later
// How long the handlers a pupil waits on take: NUOVO, an answer check, drawing
// ten random words, placing a word among 117 with the immediate check, and the
// final check of 117 words. The real windows run offscreen with the message
// boxes and the player faked. Prints medians; never fails on time.
#include "app/programforms.h"
#include "drills/letterdrillform.h"
#include "support/fakes.h"
#include "support/program.h"
#include "tst_drillpupil.h"
#include "tst_wordpupil.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 301;
constexpr double kTargetMicroseconds = 1000.0;

// Runs prepare, then times act, kRuns times; returns the median in microseconds.
double medianMicroseconds(const std::function<void()> &prepare, const std::function<void()> &act)
{
    std::vector<double> times(kRuns);
    for (double &time : times) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        act();
        const auto end = std::chrono::steady_clock::now();
        time = std::chrono::duration<double, std::micro>(end - start).count();
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

bool g_allWithinTarget = true;

void report(const char *handler, double microseconds)
{
    const bool within = microseconds < kTargetMicroseconds;
    g_allWithinTarget = g_allWithinTarget && within;
    std::printf("%-58s %9.1f us  %s\n", handler, microseconds, within ? "ok" : "OVER 1 ms");
}

void benchLetterDrill(FakePlatform &fakes)
{
    DrillPupil pupil{FormId::RecognitionDrill};
    pupil.open();
    auto *drill = qobject_cast<LetterDrillForm *>(pupil.window());
    auto *answerBox = pupil.find<QLineEdit>("Text1");
    auto *nextBox = pupil.find<QLineEdit>("Text2");
    auto *letter = pupil.find<QLabel>("Label1");
    const auto startSessionIfOver = [&] {
        fakes.clear();
        if (!answerBox->isEnabled())
            drill->Command1_Click();
    };

    report("NUOVO (letter drill)", medianMicroseconds([&] { fakes.clear(); }, [&] { drill->Command1_Click(); }));
    report("answer check, right (letter drill)", medianMicroseconds(
        [&] {
            startSessionIfOver();
            answerBox->setText(letter->text());
        },
        [&] { QTest::keyClick(answerBox, Qt::Key_Return); }));
    // The next letter is asked for after each right answer, so the wrong
    // answers below are checked against a fresh letter each time.
    QTest::keyClick(nextBox, Qt::Key_Return);
    report("answer check, wrong (letter drill)", medianMicroseconds(
        [&] {
            startSessionIfOver();
            answerBox->setText(QStringLiteral("7"));
        },
        [&] { QTest::keyClick(answerBox, Qt::Key_Return); }));
    pupil.choose("Mnu_Esci");
}

// 117 different words in capitals: AAB, AAC, ... in alphabetical order.
QStringList fullExercise()
{
    QStringList words;
    for (int i = 0; words.size() < WordOrderForm::kCapacity; ++i)
        words << QString(QChar('A' + i / 26)) + QChar('A' + i % 26) + QStringLiteral("RCO");
    return words;
}

void selectRow(QListWidget *list, int row)
{
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void benchWordOrder(FakePlatform &fakes)
{
    WordPupil pupil;
    pupil.open();
    WordOrderForm *form = pupil.form();
    QListWidget *pool = pupil.list("List1");
    QListWidget *placed = pupil.list("List2");

    const auto newExercise = [&] {
        fakes.clear();
        form->Command1_Click();
    };
    // The draw reseeds from the clock: once with the real one, once with the
    // fake that stands still.
    platform::setClock(nullptr);
    report("random list of ten words, real clock", medianMicroseconds(newExercise, [&] { form->Label2_Click(); }));
    platform::setClock(&fakes.clock);
    report("random list of ten words, clock standing still",
           medianMicroseconds(newExercise, [&] { form->Label2_Click(); }));

    // A new exercise at the level chosen with all 117 words typed, and as many
    // placed as asked, taken from the top of List1 or from its bottom.
    const QStringList words = fullExercise();
    const auto startExercise = [&](const char *level, int placedCount, bool fromBottom) {
        pupil.choose(level);
        pupil.typeWords(words);
        for (int n = 0; n < placedCount; ++n)
            selectRow(pool, fromBottom ? pool->count() - 1 : 0);
    };

    // Level 1: 116 words placed in order, then the last one.
    startExercise("liv1", words.size() - 1, false);
    report("placing the 117th word, immediate check", medianMicroseconds(
        [&] {
            fakes.clear();
            if (pool->count() == 0)
                selectRow(placed, placed->count() - 1);
        },
        [&] { selectRow(pool, 0); }));

    // Level 2: all 117 placed, checked in order and in reverse order.
    const auto check = [&] { return medianMicroseconds([&] { fakes.clear(); }, [&] { form->Command3_Click(); }); };
    startExercise("liv2", words.size(), false);
    report("final check of 117 words in order", check());
    startExercise("liv2", words.size(), true);
    report("final check of 117 words in reverse order", check());
    form->Command2_Click();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FakePlatform fakes;
    program::start();
    benchLetterDrill(fakes);
    benchWordOrder(fakes);
    program::stop();
    std::printf("median of %d runs each; every handler %s 1 ms\n", kRuns,
                g_allWithinTarget ? "within" : "NOT within");
    return 0;
}
