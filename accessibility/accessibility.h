// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// How the program's windows present themselves to assistive technology (a
// screen reader such as Orca, through AT-SPI): roles, names and actions that
// Qt cannot know by itself. What is said while the pupil plays is narration's
// (accessibility/narration.h). Nothing here changes a caption, a place or a focus move.
namespace accessibility {

// Before the QApplication exists: the program shows itself on the desktop's
// accessibility bus whenever there is one, also when the screen reader is
// switched on after the program started.
void exposeToAssistiveTechnology();

// Once, with the QApplication: the program's own accessible interfaces.
void install();

// A freshly built window: its controls get their roles, names and actions.
void attach(QWidget *window);

// A window that is going away: nothing of it reaches assistive technology again.
void detach(QWidget *window);

} // namespace accessibility
