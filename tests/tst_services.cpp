// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handler.h"
#include "app/programforms.h"
#include "platform/chimesource.h"
#include "platform/mediacontrol.h"
#include "platform/messagebox.h"
#include "platform/random.h"
#include "platform/soundcue.h"
#include "platform/wavedata.h"
#include "support/fakes.h"
#include "support/nosoundserver.h"
#include "support/programtexts.h"
#include "tst_drillpupil.h"
#include "tst_wordpupil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QSet>
#include <QtEndian>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstring>

namespace {

QString threeLines(const QString &a, const QString &b, const QString &c)
{
    return a + QLatin1Char('\r') + b + QLatin1Char('\r') + c;
}

} // namespace

class ServicesTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;

private slots:
    void init() { fakes.clear(); }

    // Which file each cue asks for; whether the player then sounds is for
    // tst_realsound, which records it.
    void soundCueAsksTheWindowsPlayerForItsFile()
    {
        QWidget first, second;
        new MediaControl(&first);
        new MediaControl(&second);
        platform::SoundCue(&first, QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav"));
        platform::SoundCue(&second, QStringLiteral("x.wav"));
        QCOMPARE(fakes.sound.playedFiles(), (QStringList{QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav"),
                                                         QStringLiteral("x.wav")}));

        // A window without a player plays nothing.
        QWidget noPlayer;
        platform::SoundCue(&noPlayer, QStringLiteral("x.wav"));
        QCOMPARE(fakes.sound.playedFiles().size(), 2);
    }

    void everySpellingOfTheChimePathIsTheBundledChime()
    {
        const QUrl chime(QStringLiteral("qrc:/lupreda/chime.wav"));
        QCOMPARE(platform::chimeSource(QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav")), chime);
        QCOMPARE(platform::chimeSource(QStringLiteral("C:\\WINDOWS\\Media/chimes.wav")), chime);
        QCOMPARE(platform::chimeSource(QStringLiteral("C:\\WINDOWS\\Media\\chimes.wav")), chime);
        QVERIFY(platform::chimeSource(QStringLiteral("/no/such/file.wav")).isEmpty());
        QVERIFY(platform::chimeSource(QString()).isEmpty());
    }

    // With no server to reach (main() points the player at a socket that is
    // not there), cues of the bundled chime and of a missing file come back;
    // a crash or a hang fails the test, and the sanitized run any fault.
    void realPlayerWithNoServerTakesEveryCue()
    {
        platform::setSoundOutputFactory(nullptr);
        QWidget window;
        new MediaControl(&window);
        for (int i = 0; i < 3; ++i)
            platform::SoundCue(&window, QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav"));
        platform::SoundCue(&window, QStringLiteral("/no/such/file.wav"));
        fakes.installSoundFake();
    }

    void bundledChimeIsAShortWaveEndingInSilence()
    {
        QFile wav(QStringLiteral(":/lupreda/chime.wav"));
        QVERIFY(wav.open(QIODevice::ReadOnly));
        const QByteArray bytes = wav.readAll();
        QVERIFY(bytes.startsWith("RIFF"));
        QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
        const int sampleRate = qFromLittleEndian<qint32>(bytes.constData() + 24);
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData() + 44);
        const int count = int((bytes.size() - 44) / 2);
        const double seconds = double(count) / sampleRate;
        QVERIFY2(seconds > 0.5 && seconds < 2.0, qPrintable(QString::number(seconds)));
        int peak = 0;
        for (int i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        QVERIFY(peak > 8000);
        for (int i = count - sampleRate / 4; i < count; ++i)
            QCOMPARE(samples[i], qint16(0));
    }

    // The sound module's reader of wave files: what the sound server is
    // handed, or nothing for a file it could not play.
    void waveFilesDecodeToTheServersFormatsOrToNothing()
    {
        QFile chime(QStringLiteral(":/lupreda/chime.wav"));
        QVERIFY(chime.open(QIODevice::ReadOnly));
        const QByteArray bytes = chime.readAll();
        const auto decode = [](const QByteArray &file) {
            return platform::decodeWave(std::string_view(file.constData(), size_t(file.size())));
        };
        const platform::WaveData wave = decode(bytes);
        QCOMPARE(wave.format, platform::WaveData::Format::S16);
        QCOMPARE(wave.channels, 1);
        QCOMPARE(wave.sampleRate, 22050);
        QCOMPARE(qsizetype(wave.bytes.size()), bytes.size() - 44);
        QCOMPARE(std::memcmp(wave.bytes.data(), bytes.constData() + 44, wave.bytes.size()), 0);

        // A chunk the reader does not know, of odd length and so padded, before the data.
        QByteArray withList = bytes.left(36) + QByteArray("LIST\x03\0\0\0abc\0", 12) + bytes.mid(36);
        QCOMPARE(decode(withList).bytes, wave.bytes);
        // A data chunk cut short keeps its whole frames.
        const platform::WaveData cut = decode(bytes.left(bytes.size() - 1001));
        QCOMPARE(qsizetype(cut.bytes.size()), bytes.size() - 44 - 1002);
        // Extensible, float, stereo: the sub-format decides.
        QByteArray extensible = bytes.left(12);
        extensible += QByteArray("fmt \x28\0\0\0\xfe\xff\x02\0\x44\xac\0\0\0\x62\x05\0\x08\0\x20\0", 24);
        // cbSize, valid bits, channel mask, then the sub-format GUID: IEEE float.
        extensible += QByteArray("\x16\0\x20\0\x03\0\0\0", 8) + QByteArray("\x03\0", 2) + QByteArray(14, '\0');
        extensible += QByteArray("data\x10\0\0\0", 8) + QByteArray(16, '\x01');
        const platform::WaveData floats = decode(extensible);
        QCOMPARE(floats.format, platform::WaveData::Format::Float32);
        QCOMPARE(floats.channels, 2);
        QCOMPARE(floats.sampleRate, 44100);
        QCOMPARE(floats.frames(), size_t(2));

        // Not a wave, a compressed one, no format before the data, nothing at all.
        QVERIFY(decode("RIFF\0\0\0\0AVI LIST").isEmpty());
        QByteArray adpcm = bytes;
        adpcm[20] = 2;
        QVERIFY(decode(adpcm).isEmpty());
        QVERIFY(decode(bytes.left(12) + bytes.mid(36)).isEmpty());
        QVERIFY(decode(QByteArray()).isEmpty());
        QVERIFY(decode(bytes.left(30)).isEmpty());
        // A chunk that claims nearly 4 GB before the format: nothing, and no
        // endless walk where the sizes wrap round.
        QVERIFY(decode(bytes.left(12) + QByteArray("JUNK\xf8\xff\xff\xff", 8) + bytes.mid(12)).isEmpty());
    }

    void iconIsThirtyTwoPixelsOnTransparency()
    {
        QImage icon(QStringLiteral(":/lupreda/lupreda-32.png"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 31)), 0);
        QCOMPARE(qAlpha(icon.pixel(31, 31)), 0);
    }

    // Title bars, task bars and 2x desktops each get a render of their own
    // size rather than a stretched 32 x 32.
    void windowIconComesAtEverySizeADesktopAsksFor()
    {
        const QIcon icon = programIcon();
        const QList<QSize> sizes = icon.availableSizes();
        QCOMPARE(sizes.size(), 7);
        for (int side : {16, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
            const QImage image = icon.pixmap(QSize(side, side)).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            QCOMPARE(qAlpha(image.pixel(0, side - 1)), 0);
            QVERIFY(qAlpha(image.pixel(side / 2, side / 2)) > 0 || qAlpha(image.pixel(side / 3, side / 2)) > 0);
        }
    }

    void messageBoxShowsEachCarriageReturnLineWithOneOkButton()
    {
        platform::setMessagePresenter(nullptr);
        QString text, title;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = int(box->buttons().size());
            box->buttons().constFirst()->click();
        });
        platform::ShowMessage(threeLines(QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")),
                              QStringLiteral("ATTENTO"));
        platform::setMessagePresenter(&fakes.messages);
        QCOMPARE(text, QStringLiteral("uno\ndue\ntre"));
        QCOMPARE(title, QStringLiteral("ATTENTO"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    // Informazioni, chosen from each window's menu, shows the program's
    // three lines, titled Lupreda.
    void everyWindowsInformazioniShowsTheAboutBox()
    {
        program::start();
        DrillPupil recognition{FormId::RecognitionDrill};
        DrillPupil sequence{FormId::SequenceDrill};
        WordPupil words;
        recognition.open();
        recognition.choose("Mnu_Informazioni");
        recognition.click("Command4");
        sequence.open();
        sequence.choose("Mnu_Informazioni");
        sequence.click("Command4");
        words.open();
        words.choose("info");
        program::stop();
        const QPair<QString, QString> about{expected::kAboutText, QStringLiteral("Lupreda")};
        QCOMPARE(fakes.messages.shown, QList({about, about, about}));
    }

    void randomValuesStayBelowOneOnA24BitGrid()
    {
        platform::ReseedRandom();
        double sum = 0;
        for (int i = 0; i < 200000; ++i) {
            const float r = platform::NextRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
            const float scaled = r * 16777216.0f;
            QCOMPARE(scaled, std::floor(scaled));
            sum += r;
        }
        QVERIFY(std::abs(sum / 200000 - 0.5) < 0.01);
    }

    void reseedingWithinOneClockTickStillMovesOn()
    {
        fakes.clock.value = 42;
        QSet<float> seen;
        for (int i = 0; i < 1000; ++i) {
            platform::ReseedRandom();
            seen.insert(platform::NextRandom());
        }
        QVERIFY(seen.size() > 990);
        // A redraw loop that reseeds before each draw reaches every choice:
        // each of 52 comes up among those 1000 draws.
        QSet<int> choices;
        for (float r : std::as_const(seen))
            choices.insert(int(r * 52));
        QCOMPARE(choices.size(), 52);
    }

    void overflowStopsTheHandlerAndIsReported()
    {
        Int16 counter = 32767;
        bool reachedEnd = false;
        runHandler(nullptr, [&] {
            ++counter;
            reachedEnd = true;
        });
        QVERIFY(!reachedEnd);
        QCOMPARE(int(counter), 32767);
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(fakes.messages.shown[0].second, QStringLiteral("Lupreda"));
    }
};

int main(int argc, char *argv[])
{
    NoSoundServer noServer;
    QApplication app(argc, argv);
    ServicesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_services.moc"
