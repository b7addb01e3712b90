// The chime as a pupil hears it: the recognition drill plays through the
// program's own sound output into a private sound server, whose silent sink is
// recorded and measured. Nothing in the program waits for the sound, so the
// test waits by the clock while the recording runs.

#include "platform/soundcue.h"
#include "support/fakes.h"
#include "support/realstack.h"
#include "support/soundserver.h"
#include "tst_drillpupil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr double kWindow = 0.05;       // seconds per measured window
constexpr double kSilence = 0.003;     // a null sink records exact zeros when nothing plays
constexpr double kSounding = 0.02;     // about 1/20 of the chime's peak

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

} // namespace

class RealSoundTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};
    SoundServer &server;
    QTemporaryDir dir;

public:
    explicit RealSoundTest(SoundServer &server) : server(server) {}

private slots:
    void initTestCase()
    {
        // The program's own sound output; only the message boxes and the clock stay fake.
        platform::setSoundOutputFactory(nullptr);
        program::start();
        pupil.open();
    }
    void cleanupTestCase() { program::stop(); }

    void aRightAnswerChimesAndASecondOneDuringTheChimeStartsItAgain()
    {
        const QString wav = dir.filePath(QStringLiteral("sink.wav"));
        QVERIFY(server.startRecording(wav));
        pupil.click("Command1");
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
        const double restartDelay = betweenCues.elapsed() / 1000.0;
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        QTest::qWait(2500);
        server.stopRecording();

        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  3", 3, 0));
        QVERIFY(fakes.messages.shown.isEmpty());

        const std::vector<double> peaks = recording::envelope(wav, kWindow);
        const std::vector<Region> regions = soundingRegions(peaks);
        const QString seen = QStringLiteral("recorded %1 s, peak %2, sounding: %3")
                                 .arg(recording::seconds(wav))
                                 .arg(recording::peak(wav, 0, 1000))
                                 .arg(describe(regions));
        qInfo().noquote() << seen;
        QVERIFY2(regions.size() == 2, qPrintable(seen));

        // Silence first; the missing file's cue added no sound between the chimes.
        const Region &single = regions[0];
        const Region &restarted = regions[1];
        QVERIFY2(single.start >= 0.7, qPrintable(seen));
        QVERIFY2(recording::peak(wav, 0, single.start - kWindow) < kSilence, qPrintable(seen));
        QVERIFY2(recording::peak(wav, single.start, single.length()) > 0.15, qPrintable(seen));

        // The whole chime sounds (its ringing lasts about a second), and a
        // second cue 0.3 s in starts it again, so the pair sounds that much
        // longer than one chime. Qt first plays out what it has already handed
        // to the server (about 0.3 s more), so the restart may be heard later
        // than the cue, never sooner. A cue that left the chime alone would
        // sound no longer than one chime; one that stopped it without a new
        // start, shorter; one queued behind it would have made a third region.
        QVERIFY2(single.length() > 0.7 && single.length() < 1.5, qPrintable(seen));
        const double extra = restarted.length() - single.length();
        QVERIFY2(extra > restartDelay - 0.15 && extra < restartDelay + 0.6,
                 qPrintable(seen + QStringLiteral(", second cue after %1 s").arg(restartDelay)));
    }

    // Runs after the recording: a sound server that goes away mid-run leaves
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
    SoundServer server;
    if (!server.start()) {
        std::fprintf(stderr, "The sound server did not start:\n%s\n", qPrintable(server.log()));
        return 1;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    RealSoundTest test(server);
    const int status = QTest::qExec(&test, argc, argv);
    server.stop();
    return status;
}

#include "tst_realsound.moc"
