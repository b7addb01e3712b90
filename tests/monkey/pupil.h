// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/programforms.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <random>

class QMenu;
class QWidget;

namespace monkey {

// The kinds of event a pupil can cause.
enum class Kind {
    Click,          // a click at a point of a visible, enabled control
    ListItem,       // a click on a word of List1 or List2
    Character,      // a character typed
    Enter,
    Tab,
    Escape,
    Backspace,
    Arrow,          // Up or Down
    AccessKey,      // Alt with the letter of an "&" caption
    StrayAltKey,    // Alt with a letter that is no access key
    MenuItem,       // a menu item chosen
    OpenMenu,       // in a menu opened by its access key: an item, or Esc
    CloseBox,       // the window frame's close box
};
constexpr int kKinds = int(Kind::CloseBox) + 1;
const char *kindName(Kind kind);

struct Event
{
    Kind kind;
    QString pool;            // characters: the set the character was drawn from
    QString description;     // for the replay log
    QString receiver;        // the control a click landed on
    std::function<void()> perform;
};

// A pupil who does anything at all, drawn from a seeded generator: the same
// seed and the same windows give the same events.
class Pupil
{
public:
    explicit Pupil(std::uint64_t seed) : m_random(seed) {}

    // The next event on the visible window; performing it is up to the caller.
    Event next(FormId id, QWidget *window);

private:
    Kind pickKind(FormId id);
    Event click(FormId id, QWidget *window);
    Event clickListItem(QWidget *window);
    Event type(FormId id, QWidget *window);
    Event key(Kind kind, QWidget *window);
    Event accessKey(QWidget *window, bool matching);
    Event menuItem(QWidget *window);
    Event answerMenu(QMenu *menu);
    Event closeBox(QWidget *window);

    int below(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); }
    template <class List> auto pick(const List &list) { return list.at(below(int(list.size()))); }

    std::mt19937_64 m_random;
};

// Waits until the buttons clicked by an access key have come up again: such a
// click lands a moment after the key, as a pressed button shows.
void waitForAccessKeyClicks();

} // namespace monkey
