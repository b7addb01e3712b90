// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <span>

class QAbstractItemView;
class QWidget;

namespace narration {
class WindowNarrator;
}

// How the program's windows present themselves to assistive technology (a
// screen reader such as Orca, through AT-SPI): roles, names and actions that
// Qt cannot know by itself. What is said while the pupil plays is narration's
// (accessibility/narration.h). Nothing here changes a caption, a place or a
// focus move. Each window describes itself; this layer knows none of them.
namespace accessibility {

// The roles that Qt's own interfaces would get wrong for a window's controls.
enum class Role {
    Window,       // a top-level widget without a menu bar, seen as a window
    Group,        // a frame that groups options, not a window frame
    ActionLabel,  // a label that does something when clicked
    EnterBox,     // a box never seen, that holds the focus while Enter is awaited
    NeverShown,   // a control never on screen: a screen reader does not find it
};

struct ControlRole
{
    const char *control;   // null: the window itself
    Role role;
    const char *coveredBy = nullptr;   // an EnterBox: the box it lies under, whose extent it takes
};

// What a window says of itself: the roles of its controls and what a screen
// reader hears while the pupil plays in it.
struct WindowDescription
{
    std::span<const ControlRole> roles;
    const narration::WindowNarrator *narrator = nullptr;
};

// The property of a menu item that says whether it is the option chosen; the
// item then tells a screen reader it is checkable, and checked or not.
inline constexpr char kChosenProperty[] = "accessibilityChosen";

// Before the QApplication exists: the program shows itself on the desktop's
// accessibility bus whenever there is one, also when the screen reader is
// switched on after the program started.
void exposeToAssistiveTechnology();

// Once, with the QApplication: the program's own accessible interfaces, and
// narration of every handler.
void install();

// A window, once its controls exist, says what it is; it is forgotten when it
// is destroyed. The description must outlive the window.
void describe(QWidget *window, const WindowDescription &description);
const WindowDescription *descriptionOf(const QWidget *window);
// The windows described, in the order they were.
QList<QWidget *> describedWindows();

// Tells the screen reader again the item a list's focus is on, as when the
// focus arrives there: Qt tells it only when the item changes.
void tellCurrentItem(QAbstractItemView *view);

} // namespace accessibility
