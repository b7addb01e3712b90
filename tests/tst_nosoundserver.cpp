// SPDX-License-Identifier: GPL-3.0-or-later
// With no sound server to reach, the program's own sound output plays into
// nothing: every right answer is taken at once, chime or no chime.

#include "support/fakes.h"
#include "tst_drillpupil.h"

#include <QApplication>
#include <QTemporaryDir>

class NoSoundServerTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};

private slots:
    void initTestCase()
    {
        platform::setSoundOutputFactory(nullptr);
        program::start();
        pupil.open();
    }
    void cleanupTestCase() { program::stop(); }

    void aWholeSessionRunsSilentlyWithoutWaiting()
    {
        pupil.click("Command1");
        pupil.answerASessionRightWithoutWaiting();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZI ESEGUITI  10", 10, 0));
        QVERIFY(fakes.messages.shown.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    // A socket that does not exist, in a home of our own, so that no user's
    // server or settings can stand in for the missing one.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(home.filePath(QStringLiteral("no-server"))));
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    NoSoundServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nosoundserver.moc"
