// SPDX-License-Identifier: GPL-3.0-or-later
// The chime as a pupil hears it: the exercise windows play through the
// program's own sound module into a private sound server, whose silent sink
// is recorded and measured. Nothing in the program waits for the sound, so the
// test waits by the clock while the recording runs.
//
// The server starts only after the first exercise window is open, is killed
// and started again, and is frozen for a while, all in one run of the
// program, as on a classroom desktop where the sound server comes late,
// crashes or hangs.

#include "platform/soundcue.h"
#include "support/chimes.h"
#include "support/fakes.h"
#include "support/realstack.h"
#include "support/soundserver.h"
#include "tst_drillpupil.h"
#include "tst_wordpupil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr double kWindow = 0.05;       // seconds per measured window
constexpr double kSilence = 0.003;     // a null sink records exact zeros when nothing plays
constexpr double kSounding = 0.02;     // about 1/20 of the chime's peak
constexpr int kInARow = 30;
constexpr double kPaceTolerance = 0.05; // chimes keep their cues' pace within this (s)
// From the answer to the first audible sample, at the most: a few milliseconds
// on the development machine (scripts/bench-chime has the fine figure), far
// more on a loaded one, still far less than a late chime that a pupil hears
// as belonging to nothing.
constexpr double kLatestChime = 0.15;

struct Region {
    double start;
    double end;
    double length() const { return end - start; }
};

// Runs of windows louder than kSounding. A quiet stretch shorter than 0.2 s
// belongs to the run around it: stopping and restarting a sound may leave a
// short gap.
std::vector<Region> soundingRegions(const std::vector<double> &peaks)
{
    std::vector<Region> regions;
    for (size_t i = 0; i < peaks.size(); ++i) {
        if (peaks[i] <= kSounding)
            continue;
        const double start = double(i) * kWindow;
        if (!regions.empty() && start - regions.back().end < 0.2)
            regions.back().end = start + kWindow;
        else
            regions.push_back({start, start + kWindow});
    }
    return regions;
}

QString describe(const std::vector<Region> &regions)
{
    QStringList parts;
    for (const Region &r : regions)
        parts << QStringLiteral("%1-%2 s").arg(r.start, 0, 'f', 2).arg(r.end, 0, 'f', 2);
    return parts.join(QStringLiteral(", "));
}

// A pupil's pace: about one right answer a second, never quite regular, so
// that some cues come while the last chime still rings and some after it.
double gapBefore(int cue) { return 0.9 + 0.1 * (cue % 4); }

// The cues of one recorded stretch, on the test's own clock.
class CueClock
{
public:
    CueClock() { m_clock.start(); }
    // Waits until the next cue is due at a pupil's pace.
    void waitForTurn()
    {
        if (!m_cues.empty())
            waitUntil(m_cues.back() + gapBefore(int(m_cues.size())));
    }
    void waitUntil(double seconds)
    {
        const double wait = seconds - now();
        if (wait > 0)
            QTest::qWait(int(wait * 1000));
    }
    void cue() { m_cues.push_back(now()); }
    double now() const { return double(m_clock.nsecsElapsed()) / 1e9; }
    const std::vector<double> &cues() const { return m_cues; }

private:
    QElapsedTimer m_clock;
    std::vector<double> m_cues;
};

// Words already in alphabetical order, typed in that order.
QString word(int i) { return QStringLiteral("parola%1").arg(i + 1, 2, 10, QLatin1Char('0')); }

} // namespace

class RealSoundTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};
    SoundServer &server;
    QTemporaryDir dir;
    int recordings = 0;

    QString startRecording()
    {
        const QString wav = dir.filePath(QStringLiteral("sink-%1.wav").arg(++recordings));
        if (!server.startRecording(wav))
            return {};
        // The recorder takes a moment to connect.
        QTest::qWait(500);
        return wav;
    }

    // Answers the drill's letter right, and moves on to the next letter, or
    // to a new session after the tenth.
    void answerRight()
    {
        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.pressEnter();
        if (pupil.canClick("Command1"))
            pupil.click("Command1");
    }

    void verifyEveryCueChimed(const QString &wav, const CueClock &clock, double tolerance = kPaceTolerance)
    {
        const double stoppedAt = clock.now();
        server.stopRecording();
        const recording::Sound sound = recording::load(wav);
        const QString faults = chimes::checkEveryCueChimed(sound, clock.cues(), tolerance);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        QVERIFY(fakes.messages.shown.isEmpty());
        // The recording's last sample is the moment it was stopped (less the
        // recorder's 20 ms); its first is not the moment it was started,
        // since the sink hands the recorder some of what it had buffered.
        const double recordingStart = stoppedAt - sound.seconds();
        std::vector<double> answers;
        for (double cue : clock.cues())
            answers.push_back(cue - recordingStart);
        const double delay = chimes::fittedDelay(sound, answers, tolerance);
        const QString late = QStringLiteral("each chime %1 ms after its answer (allowed: %2 ms); chimes at [%3] s, "
                                            "answers at [%4] s into the recording")
                                 .arg(delay * 1000, 0, 'f', 1)
                                 .arg(kLatestChime * 1000, 0, 'f', 0)
                                 .arg(chimes::describe(chimes::starts(sound)), chimes::describe(answers));
        qInfo().noquote() << late;
        QVERIFY2(delay <= kLatestChime, qPrintable(late));
    }

    // Records the sink while the pupil does something right count times, at a
    // pupil's pace, and checks that each one chimed.
    template <class RightAnswer>
    void verifyEachChimes(int count, RightAnswer rightAnswer)
    {
        const QString wav = startRecording();
        QVERIFY(!wav.isEmpty());
        CueClock clock;
        for (int i = 0; i < count && !QTest::currentTestFailed(); ++i) {
            clock.waitForTurn();
            clock.cue();
            rightAnswer();
        }
        QTest::qWait(1500);
        verifyEveryCueChimed(wav, clock);
    }

    // Each test after the first may also run alone: the drill open, the server up.
    void drillAndServerReady()
    {
        if (!program::isVisible(FormId::RecognitionDrill))
            pupil.open();
        if (!server.isRunning())
            QVERIFY2(server.start(), qPrintable(server.log()));
    }

    // With no server to reach, a right answer is taken silently; once a new
    // server is up (started pause ms later), the next answers chime.
    void answerSilentlyThenChimeOnANewServer(int pause)
    {
        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.pressEnter();
        QTest::qWait(pause);

        QVERIFY2(server.start(), qPrintable(server.log()));
        verifyEachChimes(3, [this] { answerRight(); });
    }

public:
    explicit RealSoundTest(SoundServer &server) : server(server) {}

private slots:
    void initTestCase()
    {
        // The program's own sound output; only the message boxes and the clock stay fake.
        platform::setSoundOutputFactory(nullptr);
        program::start();
    }
    void cleanupTestCase() { program::stop(); }

    void aServerThatStartsAfterTheDrillOpenedIsUsed()
    {
        pupil.open();
        pupil.click("Command1");
        // No server yet.
        answerSilentlyThenChimeOnANewServer(1500);
    }

    void aRightAnswerChimesAndASecondOneDuringTheChimeStartsItAgain()
    {
        drillAndServerReady();
        const QString wav = dir.filePath(QStringLiteral("restart.wav"));
        QVERIFY(server.startRecording(wav));
        pupil.choose("Mnu_Nuovo");
        QTest::qWait(1000);

        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        QTest::qWait(1600);
        // A cue whose file is missing is silent, also on a player that has
        // just played the chime, and raises nothing.
        platform::SoundCue(pupil.window(), QStringLiteral("/no/such/chime.wav"));
        QTest::qWait(1200);

        pupil.pressEnter();
        pupil.answer(pupil.letter());
        QElapsedTimer betweenCues;
        betweenCues.start();
        QTest::qWait(300);
        pupil.pressEnter();
        pupil.answer(pupil.letter());
        const double restartDelay = double(betweenCues.nsecsElapsed()) / 1e9;
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        QTest::qWait(2500);
        server.stopRecording();

        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  3", 3, 0));
        QVERIFY(fakes.messages.shown.isEmpty());

        const recording::Sound sound = recording::load(wav);
        const std::vector<Region> regions = soundingRegions(sound.envelope(kWindow));
        const QString seen = QStringLiteral("recorded %1 s, peak %2, sounding: %3, chimes start at %4 s")
                                 .arg(sound.seconds())
                                 .arg(sound.peak(0, 1000))
                                 .arg(describe(regions), chimes::describe(chimes::starts(sound)));
        qInfo().noquote() << seen;
        QVERIFY2(regions.size() == 2, qPrintable(seen));

        // Silence first; the missing file's cue added no sound between the chimes.
        const Region &single = regions[0];
        const Region &restarted = regions[1];
        QVERIFY2(single.start >= 0.7, qPrintable(seen));
        QVERIFY2(sound.peak(0, single.start - kWindow) < kSilence, qPrintable(seen));
        QVERIFY2(sound.peak(single.start, single.length()) > 0.15, qPrintable(seen));
        // The whole chime sounds (its ringing lasts about a second).
        QVERIFY2(single.length() > 0.7 && single.length() < 1.5, qPrintable(seen));

        // The second cue, 0.3 s into the chime, starts it again from its
        // beginning: heard no more than 20 ms later than the first cue's chime
        // was after its own cue, and from then on the recording is the chime
        // alone, sample for sample, with nothing of the old one under it.
        const std::vector<double> starts = chimes::starts(sound);
        QVERIFY2(starts.size() >= 2 && std::abs(starts[1] - restarted.start) < 0.1, qPrintable(seen));
        const double first = starts[1];
        const double again = chimes::restartOf(sound, first, first + restartDelay - 0.010, first + restartDelay + 0.3);
        const double late = again - first - restartDelay;
        const double mixed = chimes::mismatch(sound, first, again, restartDelay - 0.03);
        const QString restart = seen + QStringLiteral("; second cue %1 s after the first, its chime %2 ms later than "
                                                      "the first one's, differing from it by %3")
                                           .arg(restartDelay, 0, 'f', 3)
                                           .arg(late * 1000, 0, 'f', 1)
                                           .arg(mixed, 0, 'f', 4);
        qInfo().noquote() << restart;
        QVERIFY2(late > -0.010 && late < 0.020, qPrintable(restart));
        QVERIFY2(mixed < 0.05, qPrintable(restart));
        // It then rings to its end: the pair sounds as much longer than one
        // chime as the second cue came after the first.
        QVERIFY2(chimes::soundsUnbroken(sound, again, 0.6), qPrintable(restart));
        const double extra = restarted.length() - single.length();
        QVERIFY2(std::abs(extra - restartDelay) < 0.1, qPrintable(restart));
    }

    void thirtyRightAnswersInARowInTheDrillAllChime()
    {
        drillAndServerReady();
        pupil.choose("Mnu_Nuovo");
        verifyEachChimes(kInARow, [this] { answerRight(); });
    }

    void thirtyWordsPlacedInOrderAtLevelOneAllChime()
    {
        drillAndServerReady();
        pupil.click("Command4");
        WordPupil words;
        words.open();
        QCOMPARE(words.caption("Label1"), QStringLiteral("Verifica Immediata"));
        for (int i = 0; i < kInARow; ++i)
            words.type(word(i));
        verifyEachChimes(kInARow, [&words] {
            words.placeFirst();
            QCOMPARE(words.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        });
        words.leave();
    }

    void thirtyChecksOfAnOrderedListAtLevelTwoAllChime()
    {
        drillAndServerReady();
        WordPupil words;
        words.open();
        words.choose("liv2");
        for (int i = 0; i < 10; ++i)
            words.type(word(i));
        for (int i = 0; i < 10; ++i)
            words.placeFirst();
        verifyEachChimes(kInARow, [&words] {
            words.check();
            QCOMPARE(words.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        });
        words.leave();
        pupil.open();
    }

    // Each exercise window takes one of the player's eight voices while it is
    // loaded and must give it back: opened and closed more times than there
    // are voices, the last window opened still chimes.
    void everyWindowOpenedAndClosedMoreOftenThanThereAreVoicesStillChimes()
    {
        drillAndServerReady();
        DrillPupil sequence{FormId::SequenceDrill};
        WordPupil words;
        for (int round = 0; round < 10 && !QTest::currentTestFailed(); ++round) {
            pupil.click("Command4");
            sequence.open();
            sequence.click("Command4");
            words.open();
            words.leave();
            QTRY_VERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
            pupil.open();
        }
        pupil.click("Command4");
        words.open();
        words.type(word(0));
        words.type(word(1));
        verifyEachChimes(2, [&words] {
            words.placeFirst();
            QCOMPARE(words.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        });
        if (QTest::currentTestFailed())
            return;
        words.leave();
        pupil.open();
        pupil.choose("Mnu_Nuovo");
        verifyEachChimes(2, [this] { answerRight(); });
    }

    void aServerKilledAndStartedAgainIsUsed()
    {
        drillAndServerReady();
        pupil.choose("Mnu_Nuovo");
        server.kill();
        answerSilentlyThenChimeOnANewServer(1000);
    }

    // A server that hangs (here: stopped with SIGSTOP) holds up no answer,
    // and once it goes on again the next right answer chimes.
    void aFrozenServerHoldsUpNoAnswer()
    {
        drillAndServerReady();
        pupil.choose("Mnu_Nuovo");
        QTest::qWait(300);
        server.pause();
        QElapsedTimer cue;
        qint64 slowest = 0;
        for (int i = 0; i < 200; ++i) {
            cue.start();
            platform::SoundCue(pupil.window(), QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav"));
            slowest = std::max(slowest, cue.nsecsElapsed());
        }
        qInfo("slowest of 200 cues to a frozen server: %.3f ms", double(slowest) / 1e6);
        // A cue that waited on the server would wait for as long as it is frozen.
        QVERIFY2(slowest < 100'000'000, qPrintable(QString::number(slowest)));
        pupil.answerASessionRightWithoutWaiting(20);
        if (QTest::currentTestFailed())
            return;
        server.resume();
        QTest::qWait(1000);

        pupil.click("Command1");
        verifyEachChimes(2, [this] { answerRight(); });
    }

    // Runs after the recordings: a sound server that goes away mid-run leaves
    // the drill silent but working.
    void losingTheServerLeavesTheDrillWorking()
    {
        server.stop();
        pupil.choose("Mnu_Nuovo");
        pupil.answerASessionRightWithoutWaiting(50);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZI ESEGUITI  10", 10, 0));
        QVERIFY(fakes.messages.shown.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    const QStringList missing = SoundServer::missingTools();
    if (!missing.isEmpty())
        return realstack::missing(QStringLiteral("not installed: ") + missing.join(QLatin1Char(' ')));
    // The program looks for the server before it runs: the first test starts it.
    SoundServer server;
    server.pointHere();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    RealSoundTest test(server);
    const int status = QTest::qExec(&test, argc, argv);
    server.stop();
    return status;
}

#include "tst_realsound.moc"
