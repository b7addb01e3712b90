// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakes.h"
#include "support/programtexts.h"
#include "tst_drillpupil.h"

class SequenceDrillTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil pupil{FormId::SequenceDrill};

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
        QTest::newRow("Italian capitals") << QStringList() << expected::kItalianAlphabet;
        QTest::newRow("Italian small") << QStringList{"Mnu_minuscole"} << "abcdefghilmnopqrstuvz";
        QTest::newRow("English capitals") << QStringList{"Mnu_Inglese"} << expected::kEnglishAlphabet;
        QTest::newRow("English small") << QStringList{"Mnu_minuscole", "Mnu_Inglese"} << "abcdefghijklmnopqrstuvwxyz";
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
            QCOMPARE(pupil.caption("Label10"), QStringLiteral("  PREMI IL TASTO DELLA LETTERA SUCCESSIVA"));
            if (i == 10) {
                QCOMPARE(pupil.results().at(0), QStringLiteral("ESERCIZI ESEGUITI  11"));
                pupil.click("Command5");
            }
            pupil.answer(alphabet.mid(i + 1, 1));
            QCOMPARE(pupil.caption("Label6"), QStringLiteral(" ESATTO "));
            QCOMPARE(pupil.caption("Label11"), alphabet.left(i + 2));
            pupil.pressEnter();
        }
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZI ESEGUITI " + text::numberText(prompts), prompts, 0));
        QCOMPARE(pupil.caption("Label11"), QString());
        QCOMPARE(fakes.sound.playedFiles(), QStringList(prompts, QStringLiteral("C:\\WINDOWS\\Media/chimes.wav")));

        // The next session starts again from the first letter.
        pupil.click("Command1");
        QCOMPARE(pupil.letter(), alphabet.left(1));
        pupil.answer(alphabet.mid(1, 1));
        QCOMPARE(pupil.caption("Label11"), alphabet.left(2));
    }

    // The letter shown, and signs 32 codes away from the next letter, are wrong.
    void onlyTheNextLetterInItsCaseIsRight()
    {
        pupil.click("Command1");
        pupil.answer("b");
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("LA LETTERA E' MAIUSCOLA "));
        pupil.pressEnter();
        pupil.answer("A");
        pupil.answer("\"");
        QCOMPARE(fakes.messages.shown.size(), 2);
        QCOMPARE(pupil.letter(), QStringLiteral("A"));
        pupil.answer("B");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("AB"));
        QCOMPARE(pupil.results(), DrillPupil::counters("ESERCIZIO NUMERO  1", 1, 2));

        pupil.choose("Mnu_minuscole");
        pupil.click("Command1");
        pupil.answer("B");
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("la lettera \u00e8 minuscola "));
        pupil.pressEnter();
        pupil.answer("a");
        pupil.answer(QStringLiteral("\u201a"));
        QCOMPARE(fakes.messages.shown.size(), 4);
        pupil.answer("b");
        QCOMPARE(pupil.caption("Label11"), QStringLiteral("ab"));
    }
};

QTEST_MAIN(SequenceDrillTest)
#include "tst_sequencedrill.moc"
