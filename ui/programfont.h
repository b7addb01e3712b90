// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The program's one typeface, "MS Sans Serif", drawn by an installed face of
// the same widths.
namespace ui {

// The windows' text, and Qt's own menus and boxes, are drawn at this size.
constexpr double kWindowFontPoints = 8.25;

// The program's one typeface at the given size.
QFont uiFont(double pointSize, bool bold = true);
// Maps "MS Sans Serif" to a face of the same widths where the machine lacks
// it, and makes the program's typeface the application's font.
void installProgramFont();

} // namespace ui
