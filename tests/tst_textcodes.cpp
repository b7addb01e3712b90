// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/checkedint.h"
#include "platform/textcodes.h"

#include <QTest>

using namespace text;

class TextCodesTest : public QObject
{
    Q_OBJECT
private slots:
    void numberTextPutsBlankOrMinusBeforeTheDigits()
    {
        QCOMPARE(numberText(7), QStringLiteral(" 7"));
        QCOMPARE(numberText(0), QStringLiteral(" 0"));
        QCOMPARE(numberText(-2), QStringLiteral("-2"));
        QCOMPARE(numberText(32767), QStringLiteral(" 32767"));
        QCOMPARE(numberText(-32768), QStringLiteral("-32768"));
    }

    void leadingNumberReadsOnlyTheStartOfTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("letter") << QStringLiteral("B") << 0.0;
        QTest::newRow("digit") << QStringLiteral("1") << 1.0;
        QTest::newRow("blanks and sign") << QStringLiteral("  -12abc") << -12.0;
        QTest::newRow("decimal") << QStringLiteral("3.25x") << 3.25;
        QTest::newRow("letter first") << QStringLiteral("a12") << 0.0;
    }
    void leadingNumberReadsOnlyTheStartOfTheText()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void ansiCodesFollowWindows1252()
    {
        QCOMPARE(ansiCode(QLatin1Char('A')), 65);
        QCOMPARE(ansiCode(QLatin1Char('z')), 122);
        QCOMPARE(ansiCode(QLatin1Char(' ')), 32);
        QCOMPARE(ansiCode(QChar(0x00E0)), 224);          // à
        QCOMPARE(ansiCode(QChar(0x20AC)), 128);          // €
        QCOMPARE(ansiCode(QChar(0x2019)), 146);          // right single quote
        QCOMPARE(ansiCode(QChar(0x0416)), int('?'));     // Cyrillic: not in the code page
        QCOMPARE(ansiCode(QChar(0xD83D)), int('?'));     // half of an emoji
        for (int code = 32; code < 256; ++code) {
            if (code == 129 || code == 141 || code == 143 || code == 144 || code == 157)
                continue;
            QCOMPARE(ansiCode(ansiChar(code)), code);
        }
    }

    void carriageReturnsBecomeLines()
    {
        QCOMPARE(displayLines(QStringLiteral("a\rb\r\nc")), QStringLiteral("a\nb\nc"));
    }

    void checkedIntegersRefuseToWrap()
    {
        Int16 counter = 32766;
        ++counter;
        QCOMPARE(int(counter), 32767);
        QVERIFY_THROWS_EXCEPTION(OverflowError, ++counter);
        QCOMPARE(int(counter), 32767);
        Int16 low = -32768;
        QVERIFY_THROWS_EXCEPTION(OverflowError, low -= 1);
        QCOMPARE(int(low), -32768);
        QVERIFY_THROWS_EXCEPTION(OverflowError, Int16(int(Int16(3)) - 40000));
        QCOMPARE(int(Int16(3) - 5), -2);
    }
};

QTEST_GUILESS_MAIN(TextCodesTest)
#include "tst_textcodes.moc"
