#include "support/fakes.h"
#include "tst_drillpupil.h"

#include <QMainWindow>
#include <QMenu>
#include <QTimer>

// The session both letter drills share, driven mostly through the recognition window.
class LetterDrillSessionTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};

    QString clock() { return pupil.caption("Label2"); }

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
        QTest::addColumn<QString>("capitalsItem");
        QTest::newRow("recognition") << int(FormId::RecognitionDrill) << "Label11" << "Maiuscole";
        QTest::newRow("sequence") << int(FormId::SequenceDrill) << "Label12" << "Lettere Maiuscole";
    }
    void aFreshWindowWaitsForNuovo()
    {
        QFETCH(int, drill);
        QFETCH(QString, alphabetLabel);
        QFETCH(QString, capitalsItem);
        DrillPupil fresh{FormId(drill)};
        fresh.open();
        QCOMPARE(fresh.caption(qPrintable(alphabetLabel)), QStringLiteral("Alfabeto Italiano"));
        QCOMPARE(fresh.caption("Label8"), QStringLiteral("Lettere Maiuscole"));
        for (const char *result : {"Label2", "Label3", "Label4", "Label5"})
            QVERIFY(!fresh.shows(result));
        for (const char *button : {"Command2", "Command3", "Command5"})
            QVERIFY(!fresh.canClick(button));
        for (const char *item : {"Mnu_Risultati", "Mnu_Sospendi", "Mnu_Termina"})
            QVERIFY(!fresh.canChoose(item));
        QVERIFY(!fresh.find<QLineEdit>("Text1")->isEnabled());
        QCOMPARE(fresh.focusedName(), QStringLiteral("Command1"));
        QCOMPARE(fresh.find<QAction>("Mnu_Maiuscole")->text(), capitalsItem);
        QVERIFY(fresh.find<QTimer>("Timer1")->isActive());

        // Text2 is never seen: Text1 covers it.
        auto *client = static_cast<QMainWindow *>(fresh.window())->centralWidget();
        QCOMPARE(client->childAt(fresh.find<QLineEdit>("Text2")->geometry().center()), fresh.find<QLineEdit>("Text1"));
        fresh.choose("space");
        QVERIFY(fakes.messages.shown.isEmpty());
    }

    void pausingStopsTheClockButNotTheDrill()
    {
        pupil.open();
        pupil.click("Command1");
        pupil.click("Command2");
        QCOMPARE(pupil.button("Command2"), QStringLiteral("&CONTINUA"));
        QVERIFY(!pupil.find<QTimer>("Timer1")->isActive());
        pupil.results();
        QCOMPARE(clock(), QStringLiteral("TEMPO TRASCORSO  0 :  0 :  1"));
        for (int i = 0; i < 59; ++i)
            pupil.click("Label2");
        QCOMPARE(clock(), QStringLiteral("TEMPO TRASCORSO  0 :  1 :  0"));
        for (int i = 0; i < 59 * 60; ++i)
            pupil.click("Label2");
        QCOMPARE(clock(), QStringLiteral("TEMPO TRASCORSO  1 :  0 :  0"));

        pupil.answer(pupil.letter());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.click("Command2");
        QCOMPARE(pupil.button("Command2"), QStringLiteral("&SOSPENDI"));
        QVERIFY(pupil.find<QTimer>("Timer1")->isActive());
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));

        // "Nuovo" from the menu restarts at once, with the clock at zero.
        pupil.choose("Mnu_Nuovo");
        QVERIFY(!pupil.shows("Label2"));
        QCOMPARE(pupil.results(), (QStringList{"ESERCIZIO NUMERO  1", "RISPOSTE ESATTE  0", "RISPOSTE ERRATE  0"}));
        QCOMPARE(clock(), QStringLiteral("TEMPO TRASCORSO  0 :  0 :  1"));
    }

    void terminaEndsTheSessionButStillChecksTheLastLetter()
    {
        pupil.open();
        pupil.click("Command1");
        const QString shown = pupil.letter();
        pupil.click("Command3");
        for (const char *label : {"Label1", "Label6", "Label7", "Label10"})
            QCOMPARE(pupil.caption(label), QString());
        QVERIFY(pupil.canClick("Command1") && !pupil.canClick("Command2") && !pupil.canClick("Command5"));
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
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
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
        QCOMPARE(pupil.letter(), QString());
        QVERIFY(pupil.canClick("Command1"));
        pupil.choose("Mnu_minuscole");
        QCOMPARE(pupil.caption("Label8"), QStringLiteral("lettere minuscole"));
        pupil.click("Command1");
        QCOMPARE(pupil.letter(), pupil.letter().toLower());
        pupil.results();

        pupil.click("Command4");
        QVERIFY(!program::isVisible(FormId::RecognitionDrill) && program::isVisible(FormId::Chooser));
        pupil.open();
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("Alfabeto Italiano"));
        QCOMPARE(pupil.caption("Label8"), QStringLiteral("Lettere Maiuscole"));
        QVERIFY(!pupil.shows("Label3"));
        pupil.click("Command1");
        QCOMPARE(pupil.letter(), pupil.letter().toUpper());
    }

    void escapeAndTheCloseBoxLeaveAsEsci()
    {
        pupil.open();
        pupil.click("Command1");
        QTest::keyClick(pupil.focused(), Qt::Key_Escape);
        QVERIFY(!program::isVisible(FormId::RecognitionDrill) && program::isVisible(FormId::Chooser));
        QVERIFY(!program::find<QRadioButton>(FormId::Chooser, "Option1")->isChecked());
        pupil.open();
        QCOMPARE(pupil.letter(), QString());
        pupil.window()->close();
        QVERIFY(!program::isVisible(FormId::RecognitionDrill) && program::isVisible(FormId::Chooser));
    }

    void menuItemsWorkWhileTheirButtonsAreDisabled()
    {
        pupil.open();
        pupil.choose("Mnu_Termina");                      // disabled before NUOVO: nothing happens
        QCOMPARE(pupil.focusedName(), QStringLiteral("Command1"));
        pupil.click("Command1");
        QVERIFY(!pupil.canClick("Command1"));
        pupil.choose("Mnu_Informazioni");
        QCOMPARE(fakes.messages.shown.last().second, QStringLiteral("Lupreda"));
        QVERIFY(fakes.messages.shown.last().first.contains(QStringLiteral("Luglio 1996")));
        pupil.choose("Mnu_Esci");
        QVERIFY(program::isVisible(FormId::Chooser));
    }

    void aCounterPastItsRangeIsReportedAndTheDrillGoesOn()
    {
        pupil.open();
        pupil.click("Command1");
        const QString shown = pupil.letter();
        for (int i = 0; i < 32767; ++i)
            pupil.pressEnter();
        QCOMPARE(fakes.messages.shown.last().first, QStringLiteral("RIPROVA"));
        pupil.pressEnter();
        QCOMPARE(fakes.messages.shown.last().second, QStringLiteral("Lupreda"));
        QCOMPARE(pupil.results(), (QStringList{"ESERCIZIO NUMERO  1", "RISPOSTE ESATTE -32767",
                                               "RISPOSTE ERRATE  32767"}));
        pupil.answer(shown);
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
    }
};

QTEST_MAIN(LetterDrillSessionTest)
#include "tst_letterdrillsession.moc"
