// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textcodes.h"

#include <array>

namespace text {

namespace {

// Codes 128 to 159 of Windows-1252; 0 marks the five codes it leaves unused.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr int kUnknown = '?';

} // namespace

QString numberText(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    double sign = 1.0;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        sign = text[i] == QLatin1Char('-') ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        value = value * 10.0 + (text[i++].unicode() - '0');
    if (i < n && text[i] == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
            value += (text[i].unicode() - '0') * scale;
            scale /= 10.0;
        }
    }
    return sign * value;
}

int ansiCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128 || (u >= 160 && u <= 255))
        return u;
    for (int i = 0; i < int(kHighControlRange.size()); ++i) {
        if (kHighControlRange[i] != 0 && kHighControlRange[i] == u)
            return 128 + i;
    }
    return kUnknown;
}

QChar ansiChar(int code)
{
    if (code >= 128 && code < 160)
        return kHighControlRange[code - 128] ? QChar(kHighControlRange[code - 128]) : QChar(code);
    return QChar(code & 0xFF);
}

QString displayLines(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

} // namespace text
