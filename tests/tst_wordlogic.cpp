// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/alphabeticalorder.h"
#include "wordorder/wordbank.h"

#include <QTest>

#include <cmath>

using namespace wordorder;

class WordLogicTest : public QObject
{
    Q_OBJECT

    static float largestBelowOne() { return std::nextafter(1.0f, 0.0f); }

    // A random value whose single-precision r x 63 is exactly the given half.
    static float valueGivingProduct(float product)
    {
        float r = product / 63.0f;
        for (int step = 0; step < 64 && r * 63.0f != product; ++step)
            r = std::nextafter(r, r * 63.0f < product ? 1.0f : 0.0f);
        return r;
    }

private slots:
    void slotsCoverEachLanguageAndNoMore()
    {
        QCOMPARE(wordbank::italianSlot(0.0f), 0);
        QCOMPARE(wordbank::italianSlot(largestBelowOne()), 51);
        QCOMPARE(wordbank::englishSlot(0.0f), 52);
        QCOMPARE(wordbank::englishSlot(largestBelowOne()), 115);
        QCOMPARE(QString::fromUtf8(wordbank::word(14)), QStringLiteral("Hotel "));
        QCOMPARE(QString::fromUtf8(wordbank::word(115)), QStringLiteral("Zero"));
        QVERIFY(QString::fromUtf8(wordbank::word(116)).isEmpty());
    }

    void englishSlotRoundsHalvesToEven()
    {
        const float toEvenBelow = valueGivingProduct(32.5f); // 84.5
        QCOMPARE(toEvenBelow * 63.0f, 32.5f);
        QCOMPARE(wordbank::englishSlot(toEvenBelow), 84);
        QCOMPARE(wordbank::englishSlot(0.5f), 84);              // 83.5
        // Just below a half still lands on it once the sum is rounded to float.
        QCOMPARE(wordbank::englishSlot(std::nextafter(0.5f, 0.0f)), 84);
        QCOMPARE(wordbank::englishSlot(0.49f), 83);
    }

    void pairsCompareSingleByteCodes()
    {
        QCOMPARE(comparePair("Hotel ", "HotelX"), PairVerdict::InOrder);          // blank 32 first
        QCOMPARE(comparePair(QStringLiteral("CITT\u00e0"), "CITTz"), PairVerdict::Misplaced); // à is 224
        QCOMPARE(comparePair("", "Uno"), PairVerdict::NotCompared);
    }

    void referenceOrderIsCaseBlindAndKeepsEqualsInEntryOrder()
    {
        const QStringList sorted = {"Albero", "casa", "CASA", "Cavallo"};
        QCOMPARE(sortedInsertIndex(sorted, "Casa"), 3);
        QCOMPARE(sortedInsertIndex(sorted, "ALBERO"), 1);
        QCOMPARE(sortedInsertIndex(sorted, "ape"), 1);
        QCOMPARE(sortedInsertIndex(sorted, "zaino"), 4);
        QCOMPARE(sortedInsertIndex({"Ebano", "Elmo"}, QStringLiteral("\u00c8co")), 1); // È among the Es
        QCOMPARE(sortedInsertIndex({}, "Uno"), 0);
    }
};

QTEST_GUILESS_MAIN(WordLogicTest)
#include "tst_wordlogic.moc"
