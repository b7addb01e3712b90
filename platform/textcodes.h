// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace text {

// The code a key handler gets for Enter.
constexpr int kEnterCode = 13;
// From a capital's code to its small letter's, A to Z and a to z.
constexpr int kCapitalToSmall = 'a' - 'A';

// A number as the captions write it: a blank before zero and positive numbers,
// a minus sign before negative ones, never padded.
QString numberText(int value);

// The number a text begins with: blanks skipped, an optional sign, digits and
// an optional decimal part; 0 when the text does not begin with a number.
double leadingNumber(const QString &text);

// The single-byte (Windows-1252) code of a character; a character the code
// page lacks counts as "?" (63).
int ansiCode(QChar c);

// The character of a Windows-1252 code (0 to 255).
QChar ansiChar(int code);

// Message texts join their lines with a lone carriage return; on screen each
// becomes a line of its own.
QString displayLines(const QString &text);

} // namespace text
