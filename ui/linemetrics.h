// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Nimbus Sans, URW's face of Helvetica's widths that Ghostscript brings onto
// most desktops, has Arial's widths but not its lines: its ascent and descent
// are a fifth taller, so a caption laid out for Arial drops out of the bottom
// of its label. Given Arial's line metrics it lays out as Liberation Sans does.
namespace ui {

// The OpenType or TrueType font with Arial's line metrics and with a name
// table naming it family in style; empty if the font's tables cannot be read.
QByteArray withArialLineMetrics(QByteArray font, const QString &family, const QString &style);

// Registers Nimbus Sans Regular and Bold, from their OpenType files, with
// Arial's line metrics as an application font family, once; returns the
// family, or an empty string where the files are missing or unreadable.
QString registerNimbusSansWithArialLines();

} // namespace ui
