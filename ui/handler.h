// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controlbuilder.h"
#include "accessibility/narration.h"
#include "platform/checkedint.h"

#include <QAbstractButton>
#include <QAction>

#include <utility>

// Every event handler runs through here. A 16-bit counter that leaves its range
// stops the handler at that step, the pupil is told, and the program goes on.
// origin is the control, menu item, timer or window whose event it is; a screen
// reader hears what the handler changed once it has run.
void reportOverflow();

template <class F>
void runHandler(const QObject *origin, F &&handler)
{
    const narration::HandlerScope scope(origin);
    try {
        std::forward<F>(handler)();
    } catch (const OverflowError &) {
        reportOverflow();
    }
}

// A slot that runs the handler through runHandler, for connect().
template <class F>
auto guarded(const QObject *origin, F handler)
{
    return [origin, handler]() { runHandler(origin, handler); };
}

// Wires a window's named button or menu item to one of its handlers, guarded.
template <class Window>
void onClicked(Window *window, const char *button, void (Window::*handler)())
{
    auto *origin = ui::control<QAbstractButton>(window, button);
    QObject::connect(origin, &QAbstractButton::clicked, window,
                     guarded(origin, [window, handler] { (window->*handler)(); }));
}

template <class Window>
void onChosen(Window *window, const char *item, void (Window::*handler)())
{
    auto *origin = ui::control<QAction>(window, item);
    QObject::connect(origin, &QAction::triggered, window, guarded(origin, [window, handler] { (window->*handler)(); }));
}
