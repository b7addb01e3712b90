// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakes.h"
#include "tst_drillpupil.h"

#include <QMainWindow>
#include <QTimer>

// The session both letter drills share, driven mostly through the recognition window.
class LetterDrillSessionTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};

    bool backAtTheChooser()
    {
        return !program::isVisible(FormId::RecognitionDrill) && program::isVisible(FormId::Chooser);
    }

    // The time the clock shows, in seconds: "TEMPO TRASCORSO  h :  m :  s".
    int clockSeconds()
    {
        const QStringList parts = pupil.caption("Label2").mid(QStringLiteral("TEMPO TRASCORSO").size()).split(':');
        if (parts.size() != 3)
            return -1;
        return parts[0].trimmed().toInt() * 3600 + parts[1].trimmed().toInt() * 60 + parts[2].trimmed().toInt();
    }

    // One beat of the window's own timer, as its event would give it.
    void tick(int times = 1)
    {
        auto *timer = pupil.find<QTimer>("Timer1");
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(timer, "timeout");
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
    }
    void cleanup() { program::stop(); }

    void aFreshWindowWaitsForNuovo_data()
    {
        QTest::addColumn<int>("drill");
        QTest::addColumn<QString>("alphabetLabel");
        QTest::newRow("recognition") << int(FormId::RecognitionDrill) << "Label11";
        QTest::newRow("sequence") << int(FormId::SequenceDrill) << "Label12";
    }
    void aFreshWindowWaitsForNuovo()
    {
        QFETCH(int, drill);
        QFETCH(QString, alphabetLabel);
        DrillPupil fresh{FormId(drill)};
        fresh.open();
        QCOMPARE(fresh.caption(qPrintable(alphabetLabel)) + " / " + fresh.caption("Label8"),
                 QStringLiteral("Alfabeto Italiano / Lettere Maiuscole"));
        QVERIFY(!fresh.shows("Label2") && !fresh.shows("Label3"));
        QVERIFY(!fresh.canClick("Command2") && !fresh.canClick("Command5"));
        QVERIFY(!fresh.find<QAction>("Mnu_Termina")->isEnabled());
        QCOMPARE(fresh.focusedName(), QStringLiteral("Command1"));
        // Text2 is never seen: Text1 covers it.
        auto *client = static_cast<QMainWindow *>(fresh.window())->centralWidget();
        QCOMPARE(client->childAt(fresh.find<QWidget>("Text2")->geometry().center()), fresh.find<QWidget>("Text1"));
    }

    // The clock as a pupil watches it: it moves by itself, one second a
    // second, and carries into the minutes and the hours.
    void theClockTicksByItselfOnceASecondAndRollsOver()
    {
        pupil.open();
        pupil.click("Command1");
        pupil.results();
        const int before = clockSeconds();
        QTest::qWait(3500);
        const int after = clockSeconds();
        // Three beats in 3.5 s; a busy machine may be a beat late, never early.
        QVERIFY2(after - before >= 2 && after - before <= 4,
                 qPrintable(QStringLiteral("%1 s in 3.5 s: %2").arg(after - before).arg(pupil.caption("Label2"))));
        QCOMPARE(pupil.find<QTimer>("Timer1")->interval(), 1000);

        // The same timer's beats, given at once rather than waited for.
        tick(60 - after % 60);
        QCOMPARE(pupil.caption("Label2"), QStringLiteral("TEMPO TRASCORSO  0 :  1 :  0"));
        tick(59);
        QCOMPARE(pupil.caption("Label2"), QStringLiteral("TEMPO TRASCORSO  0 :  1 :  59"));
        tick(58 * 60 + 1);
        QCOMPARE(pupil.caption("Label2"), QStringLiteral("TEMPO TRASCORSO  1 :  0 :  0"));
    }

    void pausingStopsTheClockButNotTheDrill()
    {
        pupil.open();
        pupil.click("Command1");
        pupil.click("Command2");
        QCOMPARE(pupil.find<QPushButton>("Command2")->text(), QStringLiteral("&CONTINUA"));
        QVERIFY(!pupil.find<QTimer>("Timer1")->isActive());
        pupil.results();
        // Paused, it stands still however long the pupil waits.
        const QString paused = pupil.caption("Label2");
        QTest::qWait(1500);
        QCOMPARE(pupil.caption("Label2"), paused);
        for (int i = 0; i < 60; ++i)
            pupil.click("Label2");
        QCOMPARE(pupil.caption("Label2"), QStringLiteral("TEMPO TRASCORSO  0 :  1 :  1"));
        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.click("Command2");
        QVERIFY(pupil.find<QTimer>("Timer1")->isActive());
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));

        // "Nuovo" from the menu, while NUOVO is disabled, restarts with the clock at zero.
        pupil.choose("Mnu_Nuovo");
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  1", 0, 0));
        QCOMPARE(pupil.caption("Label2"), QStringLiteral("TEMPO TRASCORSO  0 :  0 :  1"));
    }

    void terminaEndsTheSessionButTheLastLetterIsStillChecked()
    {
        pupil.open();
        pupil.click("Command1");
        const QString shown = pupil.letter();
        pupil.click("Command3");
        QCOMPARE(pupil.letter() + pupil.caption("Label6") + pupil.caption("Label10"), QString());
        QVERIFY(pupil.canClick("Command1") && !pupil.canClick("Command2"));
        QCOMPARE(pupil.focusedName(), QStringLiteral("Command1"));
        pupil.click("Text1");
        pupil.answer(shown);
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.pressEnter();
        QCOMPARE(pupil.letter(), QString());
    }

    void aCaseRetryOutlivesTermina()
    {
        pupil.open();
        pupil.click("Command1");
        pupil.answer(pupil.letter().toLower());
        pupil.click("Command3");
        pupil.click("Command1");
        const QString first = pupil.letter();
        pupil.answer(first);
        pupil.pressEnter();
        QCOMPARE(pupil.letter(), first);
        pupil.answer(first);
        pupil.pressEnter();
        QCOMPARE(pupil.results().at(0), QStringLiteral("ESERCIZIO NUMERO  2"));
    }

    void optionsEndTheSessionAndComeBackToTheDefaults()
    {
        pupil.open();
        pupil.click("Command1");
        pupil.choose("Mnu_Inglese");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("Alfabeto Inglese"));
        QVERIFY(pupil.letter().isEmpty() && pupil.canClick("Command1"));
        pupil.choose("Mnu_minuscole");
        QCOMPARE(pupil.caption("Label8"), QStringLiteral("lettere minuscole"));
        pupil.click("Command1");
        QVERIFY(pupil.letter().at(0).isLower());
        pupil.results();

        pupil.click("Command4");
        QVERIFY(backAtTheChooser());
        pupil.open();
        QCOMPARE(pupil.caption("Label11") + " / " + pupil.caption("Label8"),
                 QStringLiteral("Alfabeto Italiano / Lettere Maiuscole"));
        QVERIFY(!pupil.shows("Label3"));
        pupil.click("Command1");
        QVERIFY(pupil.letter().at(0).isUpper());
    }

    void escapeTheCloseBoxAndTheMenuLeaveAsEsci()
    {
        pupil.open();
        pupil.click("Command1");
        QTest::keyClick(pupil.window()->focusWidget(), Qt::Key_Escape);
        QVERIFY(backAtTheChooser());
        QVERIFY(!program::find<QRadioButton>(FormId::Chooser, "Option1")->isChecked());
        pupil.open();
        QCOMPARE(pupil.letter(), QString());
        pupil.window()->close();
        QVERIFY(backAtTheChooser());
        pupil.open();
        pupil.choose("Mnu_Informazioni");
        QCOMPARE(fakes.messages.shown.last().second, QStringLiteral("Lupreda"));
        pupil.choose("Mnu_Esci");
        QVERIFY(backAtTheChooser());
    }

    void aCounterPastItsRangeIsReportedAndTheDrillGoesOn()
    {
        pupil.open();
        pupil.click("Command1");
        for (int i = 0; i < 32767; ++i)
            pupil.pressEnter();
        QCOMPARE(fakes.messages.shown.last().first, QStringLiteral("RIPROVA"));
        pupil.pressEnter();
        QCOMPARE(fakes.messages.shown.last().second, QStringLiteral("Lupreda"));
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  1", 0, 32767));
        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
    }
};

QTEST_MAIN(LetterDrillSessionTest)
#include "tst_letterdrillsession.moc"
