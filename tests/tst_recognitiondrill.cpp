// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakes.h"
#include "support/programtexts.h"
#include "tst_drillpupil.h"

#include <QSet>

namespace {
QSet<QString> letters(const QString &alphabet) { return {alphabet.begin(), alphabet.end()}; }
} // namespace

class RecognitionDrillTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};

    QSet<QString> lettersAsked(int sessions)
    {
        QSet<QString> asked;
        for (int i = 0; i < sessions; ++i) {
            pupil.choose("Mnu_Nuovo");
            asked.insert(pupil.letter());
        }
        return asked;
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
        pupil.open();
    }
    void cleanup() { program::stop(); }

    void aSessionAsksTenLettersAndEndsWithTheResults()
    {
        pupil.click("Command1");
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(pupil.caption("Label10"), QStringLiteral("  PREMI IL TASTO DELLA LETTERA CORRISPONDENTE"));
            QVERIFY(expected::kItalianAlphabet.contains(pupil.letter()) && pupil.letter().size() == 1);
            pupil.answer(pupil.letter());
            QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
            QCOMPARE(pupil.caption("Label7"), QStringLiteral("PREMERE INVIO PER CONTINUARE"));
            QCOMPARE(pupil.focusedName(), QStringLiteral("Text2"));
            pupil.pressEnter();
        }
        QVERIFY(pupil.shows("Label3") && !pupil.canClick("Command5"));
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZI ESEGUITI  10", 10, 0));
        QVERIFY(pupil.caption("Label2").startsWith(QStringLiteral("TEMPO TRASCORSO  0 :  0 : ")));
        QCOMPARE(pupil.focusedName(), QStringLiteral("Command1"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList(10, QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav")));
    }

    void wrongAnswersAreToldAndCountedAgainstTheRightOnes()
    {
        pupil.click("Command1");
        for (int i = 0; i < 3; ++i) {
            pupil.answer(pupil.letter());
            pupil.pressEnter();
        }
        const QString shown = pupil.letter();
        const QString otherLetter = shown == "B" ? "C" : "B";
        for (const QString &wrong : {QString(), shown + shown, otherLetter, QString("7"), QString(" ")}) {
            pupil.answer(wrong);
            QCOMPARE(fakes.messages.shown.last(), (QPair<QString, QString>("RIPROVA", "ATTENTO")));
            QCOMPARE(pupil.find<QLineEdit>("Text1")->text(), QString());
            QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
            QCOMPARE(pupil.letter(), shown);
        }
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  4", 3, 5));

        // Showing the results sends the focus back to the answer still in Text1.
        pupil.answer(shown);
        pupil.click("Command5");
        pupil.pressEnter();
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  4", 5, 5));
    }

    void theLetterInTheOtherCaseGetsAHintAndIsAskedAgain()
    {
        pupil.click("Command1");
        const QString capital = pupil.letter();
        pupil.answer(capital.toLower());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("LA LETTERA E' MAIUSCOLA "));
        QCOMPARE(pupil.caption("Label7"), QStringLiteral("PREMERE INVIO PER CONTINUARE"));
        pupil.pressEnter();
        QCOMPARE(pupil.letter(), capital);
        QCOMPARE(pupil.caption("Label6") + pupil.caption("Label7"), QString());
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  1", 0, 0));

        pupil.choose("Mnu_minuscole");
        pupil.click("Command1");
        pupil.answer(pupil.letter().toUpper());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("la lettera \u00e8 minuscola "));
    }

    // Only a letter has another case: a sign or a digit 32 codes away is wrong.
    void aSignOrDigitIsNeverTakenForTheOtherCase_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Q then 1") << "Q" << "1";
        QTest::newRow("A then !") << "A" << "!";
        QTest::newRow("q then left quote") << "q" << QStringLiteral("\u2018");
    }
    void aSignOrDigitIsNeverTakenForTheOtherCase()
    {
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        if (shown.isLower())
            pupil.choose("Mnu_minuscole");
        for (int i = 0; i < 3000 && pupil.letter() != shown; ++i)
            pupil.choose("Mnu_Nuovo");
        QCOMPARE(pupil.letter(), shown);
        pupil.answer(typed);
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(pupil.caption("Label6"), QString());
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  1", 0, 1));
    }

    void theItalianAlphabetLacksJKWXYTheEnglishHasThemAll()
    {
        QCOMPARE(lettersAsked(300), letters(expected::kItalianAlphabet));
        pupil.choose("Mnu_minuscole");
        QCOMPARE(lettersAsked(300), letters(expected::kItalianAlphabet.toLower()));
        pupil.choose("Mnu_Maiuscole");
        pupil.choose("Mnu_Inglese");
        QCOMPARE(lettersAsked(400), letters(expected::kEnglishAlphabet));
    }
};

QTEST_MAIN(RecognitionDrillTest)
#include "tst_recognitiondrill.moc"
