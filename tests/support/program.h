// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controlbuilder.h"
#include "app/programforms.h"

#include <QWidget>

// Starts and stops the program inside a test, as main() would.
namespace program {

// Registers the windows and shows the chooser, active.
void start();
// Unloads every window and deletes them, so the next test starts afresh.
void stop();

QWidget *window(FormId id);
bool isVisible(FormId id);
// The loaded windows that are visible.
int visibleCount();

// A control of a loaded window, by name.
template <class T>
T *find(FormId id, const char *name)
{
    QWidget *w = window(id);
    return w ? w->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Clicks a widget in its middle with the left button, as a pupil would.
void click(QWidget *widget);
// Chooses a menu action as the menu would.
void choose(FormId id, const char *actionName);

} // namespace program
