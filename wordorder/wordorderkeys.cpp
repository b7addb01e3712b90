// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordorderkeys.h"

#include "accessibility/accessibility.h"
#include "ui/controlbuilder.h"
#include "ui/handler.h"
#include "ui/widgets.h"
#include "wordorder/wordcontrols.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QShortcut>

#include <algorithm>

namespace names = wordcontrols;

WordOrderKeys::WordOrderKeys(WordOrderForm *window) : QObject(window), m_window(window)
{
    auto *draw = new QShortcut(QKeySequence(Qt::Key_F5), window);
    auto *label2 = ui::control<ClickableLabel>(window, names::Label2);
    // The same handler, from the same origin, as a click on the label.
    connect(draw, &QShortcut::activated, window, guarded(label2, [window] { window->Label2_Click(); }));
    connect(new QShortcut(QKeySequence(Qt::Key_F6), window), &QShortcut::activated, this, [this] { cycleFocus(1); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), window), &QShortcut::activated, this,
            [this] { cycleFocus(-1); });
    for (const char *name : {names::List1, names::List2})
        ui::control<QListWidget>(window, name)->installEventFilter(this);
}

// Entry box, words to order, words in order, and round again.
void WordOrderKeys::cycleFocus(int step)
{
    const QList<QWidget *> stops{ui::control<QWidget>(m_window, names::Text1),
                                 ui::control<QWidget>(m_window, names::List1),
                                 ui::control<QWidget>(m_window, names::List2)};
    const int here = std::max(0, int(stops.indexOf(QApplication::focusWidget())));
    QWidget *next = stops[(here + step + stops.size()) % stops.size()];
    auto *list = qobject_cast<QListWidget *>(next);
    next->setFocus(Qt::ShortcutFocusReason);
    if (!list || !list->hasFocus())
        return;
    m_browsing = list;
    if (list->count() == 0)
        return;
    // Landing in a list tells the word the focus is on: the first one when
    // none has it yet (without choosing it), or the one it had. A list that
    // gives itself a current word as the focus arrives tells of it before
    // the screen reader hears of the list, which then says no word: the word
    // is told again after.
    if (!list->currentIndex().isValid())
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    else
        accessibility::tellCurrentItem(list);
}

bool WordOrderKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == m_browsing)
        m_browsing = nullptr;
    if (event->type() != QEvent::KeyPress || watched != m_browsing)
        return false;
    auto *list = static_cast<QListWidget *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() == Qt::ControlModifier)
        return browse(list, key->key());
    if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Space) {
        take(list);
        return true;
    }
    return false;
}

// Ctrl with an arrow, Home or End: the focus goes to another word, none moves.
bool WordOrderKeys::browse(QListWidget *list, int key)
{
    const int last = list->count() - 1;
    const int row = list->currentRow();
    int to;
    switch (key) {
    case Qt::Key_Up: to = std::max(0, row - 1); break;
    case Qt::Key_Down: to = row < 0 ? 0 : std::min(last, row + 1); break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = last; break;
    default: return false;
    }
    if (last < 0)
        return true;
    if (to == row)
        accessibility::tellCurrentItem(list);   // at either end, the same word again
    else
        list->selectionModel()->setCurrentIndex(list->model()->index(to, 0), QItemSelectionModel::NoUpdate);
    return true;
}

// Space chooses the word with the focus exactly as a click on it does: the
// list's choice runs the same handler.
void WordOrderKeys::take(QListWidget *list)
{
    const QModelIndex current = list->currentIndex();
    if (current.isValid())
        list->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}
