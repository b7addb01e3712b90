// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/narration.h"

#include <QStringList>

class QWidget;

// What every window's narrator reads from its window, and how it puts what it
// read into words for speech.
namespace narration {

// A label's caption, without its edge blanks; empty where there is none.
QString caption(const QWidget *window, const char *label);
// "1" for on, empty for off: a flag kept in a snapshot.
QString flag(bool on);
bool shown(const QWidget *window, const char *control);
// The texts of a list box's items, in order.
QStringList items(const QWidget *window, const char *list);
// A caption as it should be heard: a screen reader reads a colon or an
// ellipsis aloud as a word ("due punti"), and the blanks around a word as a pause.
QString spoken(QString text);
// Sentences joined for speech: each ends with a stop, empty ones left out.
QString sentences(const QStringList &parts);
// A control's spoken name, with nothing to add.
Spoken named(const char *name);

} // namespace narration
