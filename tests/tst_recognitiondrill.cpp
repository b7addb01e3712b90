#include "support/fakes.h"
#include "tst_drillpupil.h"

#include <QSet>

namespace {
const QString kInstruction = QStringLiteral("  PREMI IL TASTO DELLA LETTERA CORRISPONDENTE");
const QString kItalian = QStringLiteral("ABCDEFGHILMNOPQRSTUVZ");
} // namespace

class RecognitionDrillTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::RecognitionDrill};

    // New sessions until the letter wanted comes up first.
    void startSessionsUntilShown(const QString &letter)
    {
        for (int i = 0; i < 3000 && pupil.letter() != letter; ++i)
            pupil.choose("Mnu_Nuovo");
        QCOMPARE(pupil.letter(), letter);
    }

    QSet<QString> lettersDrawn(int sessions)
    {
        QSet<QString> letters;
        for (int i = 0; i < sessions; ++i) {
            pupil.choose("Mnu_Nuovo");
            letters.insert(pupil.letter());
        }
        return letters;
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
            QCOMPARE(pupil.caption("Label10"), kInstruction);
            QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
            const QString shown = pupil.letter();
            QVERIFY2(shown.size() == 1 && kItalian.contains(shown), qPrintable(shown));
            pupil.answer(shown);
            QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
            QCOMPARE(pupil.caption("Label7"), QStringLiteral("PREMERE INVIO PER CONTINUARE"));
            QCOMPARE(pupil.caption("Label10"), QString());
            QCOMPARE(pupil.find<QLineEdit>("Text1")->text(), shown);
            QCOMPARE(pupil.focusedName(), QStringLiteral("Text2"));
            pupil.pressEnter();
        }
        QVERIFY(pupil.shows("Label3"));
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("ESERCIZI ESEGUITI  10"));
        QCOMPARE(pupil.caption("Label4"), QStringLiteral("RISPOSTE ESATTE  10"));
        QCOMPARE(pupil.caption("Label5"), QStringLiteral("RISPOSTE ERRATE  0"));
        QVERIFY(pupil.caption("Label2").startsWith(QStringLiteral("TEMPO TRASCORSO  0 :  0 : ")));
        QCOMPARE(pupil.letter(), QString());
        QVERIFY(pupil.canClick("Command1") && !pupil.canClick("Command5") && !pupil.canChoose("Mnu_Risultati"));
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
        const QString other = shown == QLatin1String("B") ? QStringLiteral("C") : QStringLiteral("B");
        for (const QString &wrong : {QString(), shown + shown, other, QStringLiteral("7"), QStringLiteral(" ")}) {
            fakes.messages.shown.clear();
            pupil.answer(wrong);
            QCOMPARE(fakes.messages.shown, (QList<QPair<QString, QString>>{{"RIPROVA", "ATTENTO"}}));
            QCOMPARE(pupil.find<QLineEdit>("Text1")->text(), QString());
            QCOMPARE(pupil.caption("Label10"), kInstruction);
            QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
            QCOMPARE(pupil.letter(), shown);
        }
        QCOMPARE(pupil.results(), (QStringList{"ESERCIZIO NUMERO  4", "RISPOSTE ESATTE -2", "RISPOSTE ERRATE  5"}));
    }

    void theLetterInTheOtherCaseGetsAHintAndIsAskedAgain()
    {
        pupil.click("Command1");
        const QString capital = pupil.letter();
        pupil.answer(capital.toLower());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("LA LETTERA E' MAIUSCOLA "));
        QCOMPARE(pupil.caption("Label7"), QStringLiteral("PREMERE INVIO PER CONTINUARE"));
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text2"));
        pupil.pressEnter();
        QCOMPARE(pupil.letter(), capital);
        QCOMPARE(pupil.caption("Label6") + pupil.caption("Label7"), QString());
        QCOMPARE(pupil.caption("Label10"), kInstruction);
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
        QCOMPARE(pupil.find<QLineEdit>("Text1")->text(), QString());
        QVERIFY(fakes.messages.shown.isEmpty());
        QCOMPARE(pupil.results(), (QStringList{"ESERCIZIO NUMERO  1", "RISPOSTE ESATTE  0", "RISPOSTE ERRATE  0"}));

        pupil.choose("Mnu_minuscole");
        pupil.click("Command1");
        const QString small = pupil.letter();
        QCOMPARE(small, small.toLower());
        pupil.answer(small.toUpper());
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("la lettera \u00e8 minuscola "));
    }

    // Only a letter has another case: signs and digits 32 codes away are wrong.
    void aSignOrDigitIsNeverTakenForTheOtherCase_data()
    {
        QTest::addColumn<bool>("smallLetters");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Q then 1") << false << "Q" << "1";
        QTest::newRow("A then !") << false << "A" << "!";
        QTest::newRow("q then left quote") << true << "q" << QStringLiteral("\u2018");
    }
    void aSignOrDigitIsNeverTakenForTheOtherCase()
    {
        QFETCH(bool, smallLetters);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        if (smallLetters)
            pupil.choose("Mnu_minuscole");
        startSessionsUntilShown(shown);
        pupil.answer(typed);
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(pupil.caption("Label6"), QString());
        QCOMPARE(pupil.results().at(2), QStringLiteral("RISPOSTE ERRATE  1"));
    }

    void aRightAnswerCheckedAgainCountsAgain()
    {
        pupil.click("Command1");
        pupil.answer(pupil.letter());
        pupil.results();
        QCOMPARE(pupil.focusedName(), QStringLiteral("Text1"));
        pupil.pressEnter();
        QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
        pupil.click("Command5");
        QCOMPARE(pupil.results().at(1), QStringLiteral("RISPOSTE ESATTE  2"));
        QCOMPARE(fakes.sound.playedFiles().size(), 2);
    }

    void theItalianAlphabetLacksJKWXYTheEnglishHasThemAll()
    {
        QSet<QString> italian(kItalian.begin(), kItalian.end());
        QCOMPARE(lettersDrawn(300), italian);
        pupil.choose("Mnu_minuscole");
        const QString small = kItalian.toLower();
        QCOMPARE(lettersDrawn(300), QSet<QString>(small.begin(), small.end()));

        pupil.choose("Mnu_Maiuscole");
        pupil.choose("Mnu_Inglese");
        const QString english = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        QCOMPARE(lettersDrawn(400), QSet<QString>(english.begin(), english.end()));
    }
};

QTEST_MAIN(RecognitionDrillTest)
#include "tst_recognitiondrill.moc"
