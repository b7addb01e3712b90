// SPDX-License-Identifier: GPL-3.0-or-later
// With no sound server to reach, the program's own sound output plays into
// nothing: every right answer is taken at once, chime or no chime.

#include "support/fakes.h"
#include "support/nosoundserver.h"
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
    NoSoundServer noServer;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    NoSoundServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nosoundserver.moc"
