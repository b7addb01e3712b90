// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <utility>

class QObject;
class QWidget;

// What a screen reader says while the pupil plays. The windows show every
// result in captions; a pupil who cannot see them hears them here instead,
// at the moment they appear. Nothing here changes what the windows show or
// where the focus goes.
//
// After each outermost handler the captions it wrote are compared with those
// before it. Where the focus arrived during the handler, the screen reader
// reads the news as part of the control it arrives at (its name and
// description); where the focus stayed put, the news goes out as a
// notification of the window.
namespace narration {

// The captions, list items and flags of a window that narration reads, by key.
using Snapshot = QHash<QString, QString>;

// What one control says of itself to a screen reader, besides its role.
struct Spoken
{
    Spoken() = default;
    Spoken(QString name, QString description, QStringList items = {})
        : name(std::move(name)), description(std::move(description)), items(std::move(items))
    {
    }

    QString name;          // null: the control keeps its own name
    QString description;
    QStringList items;     // a list's items, as each is named; empty: their own texts
    // Left out of the Tab order while it has nothing to say; the program's
    // own moves of the focus still reach it.
    bool skippedByTab = false;
    // A menu item that is one of a choice: 1 the one chosen, 0 not; -1 none.
    int chosen = -1;
    bool operator==(const Spoken &) const = default;
};

// The rules for one kind of window.
class WindowNarrator
{
public:
    virtual ~WindowNarrator() = default;
    virtual Snapshot read(const QWidget *window) const = 0;
    // What each control says of itself in this state, by control name.
    virtual QHash<QString, Spoken> standing(const Snapshot &state) const = 0;
    // What the pupil must hear about the change from before to after, made
    // by a handler of origin (a control's name); empty when nothing.
    virtual QString news(const Snapshot &before, const Snapshot &after, const QString &origin) const = 0;
};

// The narrator a window declared; null for none.
const WindowNarrator *narratorFor(const QWidget *window);

// Once: narration follows every outermost handler, and every accessibility
// event passes through it, which holds a handler's focus moves back until the
// handler has ended.
void install();

// Puts a freshly built window's controls in their standing state.
void present(QWidget *window);

// A window unloaded, to be deleted: narration lets go of it at once, and
// nothing of it is read or announced again.
void withdraw(QWidget *window);

// Tests narrate without a screen reader listening, and read what would have
// been said: the window's last notification.
void setAlwaysNarrate(bool on);
QString lastNotification(const QWidget *window);
void forgetNotifications();

} // namespace narration
