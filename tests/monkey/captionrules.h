// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/programforms.h"

#include <QMap>
#include <QStringList>

class QWidget;

namespace monkey {

// Every caption, button text, window title and menu text of a window must be
// one that the program can write. Returns one line per text that is not.
QStringList checkCaptions(FormId id, const QWidget *window);

// The captions the rules allow word for word, by control name: every text of
// a window that carries no number or letter. Empty texts are left out.
QMap<QString, QStringList> plainCaptions(FormId id);

// The states that go together in a letter drill window: the four results
// labels shown or hidden as one, NUOVO usable exactly when TERMINA is not, the
// menu items enabled with their buttons, and the letter shown one of the
// alphabet and case that the labels name.
QStringList checkDrillState(FormId id, const QWidget *window);

// The chooser is only ever seen with no exercise chosen.
QStringList checkChooserState(const QWidget *window);

} // namespace monkey
