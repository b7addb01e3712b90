// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programforms.h"
#include "support/fakes.h"
#include "support/program.h"

#include <QFile>
#include <QRadioButton>
#include <QTest>

// Starting the program must not pay for the sound system: it comes with the
// first exercise window.
class SoundLoadingTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;

    static bool isLoaded(const char *library)
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
    }

private slots:
    void theChooserStartsWithoutTheSoundSystem()
    {
        platform::setSoundOutputFactory(nullptr);
        program::start();
        QVERIFY(program::isVisible(FormId::Chooser));
        QVERIFY(!isLoaded("lupreda-sound.so"));
        QVERIFY(!isLoaded("libpulse.so"));

        program::click(program::find<QRadioButton>(FormId::Chooser, "Option1"));
        QVERIFY(program::isVisible(FormId::RecognitionDrill));
        QVERIFY(isLoaded("lupreda-sound.so"));
        QVERIFY(isLoaded("libpulse.so"));
        program::stop();
    }
};

QTEST_MAIN(SoundLoadingTest)
#include "tst_soundloading.moc"
