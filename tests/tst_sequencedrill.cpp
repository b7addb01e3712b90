#include "platform/textcodes.h"
#include "support/fakes.h"
#include "tst_drillpupil.h"

namespace {
const QString kInstruction = QStringLiteral("  PREMI IL TASTO DELLA LETTERA SUCCESSIVA");
} // namespace

class SequenceDrillTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::SequenceDrill};

    void expectCounters(const QString &exercise, int right, int wrong)
    {
        QCOMPARE(pupil.results(), (QStringList{exercise, "RISPOSTE ESATTE " + text::numberText(right - wrong),
                                              "RISPOSTE ERRATE " + text::numberText(wrong)}));
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
        pupil.open();
    }
    void cleanup() { program::stop(); }

    void aSessionWalksTheWholeAlphabet_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("alphabet");
        QTest::newRow("Italian capitals") << QStringList() << "ABCDEFGHILMNOPQRSTUVZ";
        QTest::newRow("Italian small") << QStringList{"Mnu_minuscole"} << "abcdefghilmnopqrstuvz";
        QTest::newRow("English capitals") << QStringList{"Mnu_Inglese"} << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QTest::newRow("English small") << QStringList{"Mnu_minuscole", "Mnu_Inglese"}
                                       << "abcdefghijklmnopqrstuvwxyz";
    }
    void aSessionWalksTheWholeAlphabet()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, alphabet);
        for (const QString &item : options)
            pupil.choose(qPrintable(item));
        pupil.click("Command1");
        const int prompts = alphabet.size() - 1;
        for (int i = 0; i < prompts; ++i) {
            QCOMPARE(pupil.letter(), alphabet.mid(i, 1));
            QCOMPARE(pupil.caption("Label10"), kInstruction);
            if (i == 9 || i == 10) {
                QCOMPARE(pupil.results().at(0), i == 9 ? QStringLiteral("ESERCIZIO NUMERO  10")
                                                       : QStringLiteral("ESERCIZI ESEGUITI  11"));
                pupil.click("Command5");
            }
            pupil.answer(alphabet.mid(i + 1, 1));
            QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
            QCOMPARE(pupil.caption("Label7"), QStringLiteral("PREMERE INVIO PER CONTINUARE"));
            QCOMPARE(pupil.caption("Label11"), alphabet.left(i + 2));
            pupil.pressEnter();
        }
        QCOMPARE(pupil.caption("Label3"), "ESERCIZI ESEGUITI " + text::numberText(prompts));
        QCOMPARE(pupil.caption("Label4"), "RISPOSTE ESATTE " + text::numberText(prompts));
        QCOMPARE(pupil.caption("Label11"), QString());
        QCOMPARE(pupil.focusedName(), QStringLiteral("Command1"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList(prompts, QStringLiteral("C:\\WINDOWS\\Media/chimes.wav")));
    }

    // The letter shown, the other case and signs 32 codes away are not the next letter.
    void onlyTheNextLetterInItsCaseIsRight()
    {
        pupil.click("Command1");
        pupil.answer("b");
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("LA LETTERA E' MAIUSCOLA "));
        QCOMPARE(pupil.caption("Label11"), QString());
        pupil.pressEnter();
        QCOMPARE(pupil.letter(), QStringLiteral("A"));
        for (const QString &wrong : {QStringLiteral("A"), QStringLiteral("\"")}) {
            pupil.answer(wrong);
            QCOMPARE(pupil.caption("Label6"), QString());
            QCOMPARE(pupil.letter(), QStringLiteral("A"));
        }
        QCOMPARE(fakes.messages.shown.size(), 2);
        pupil.answer("B");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("AB"));
        expectCounters("ESERCIZIO NUMERO  1", 1, 2);

        pupil.choose("Mnu_minuscole");
        pupil.click("Command1");
        pupil.answer("B");
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("la lettera \u00e8 minuscola "));
        pupil.pressEnter();
        for (const QString &wrong : {QStringLiteral("a"), QStringLiteral("\u201a")})
            pupil.answer(wrong);
        QCOMPARE(fakes.messages.shown.size(), 4);
        pupil.answer("b");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("ab"));
        expectCounters("ESERCIZIO NUMERO  1", 1, 2);
    }

    void eachSessionStartsAgainFromA()
    {
        pupil.click("Command1");
        pupil.answer("B");
        pupil.pressEnter();
        pupil.answer("C");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("ABC"));
        pupil.click("Command3");
        QCOMPARE(pupil.caption("Label11"), QString());
        pupil.click("Command1");
        QCOMPARE(pupil.letter(), QStringLiteral("A"));
        pupil.answer("B");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("AB"));
    }
};

QTEST_MAIN(SequenceDrillTest)
#include "tst_sequencedrill.moc"
