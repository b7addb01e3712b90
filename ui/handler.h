// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controlbuilder.h"
#include "platform/checkedint.h"

#include <QAbstractButton>
#include <QAction>

#include <utility>

// Every event handler runs through here. A 16-bit counter that leaves its range
// stops the handler at that step, the pupil is told, and the program goes on.
// origin is the control, menu item, timer or window whose event it is.
void reportOverflow();

namespace ui {

// Told when the outermost handler starts and when it has ended, with the
// origin of its event: a screen reader hears what each handler changed.
class HandlerObserver
{
public:
    virtual ~HandlerObserver() = default;
    virtual void handlerStarted(const QObject *origin) = 0;
    virtual void handlerEnded() = 0;
};

// One observer at most; null takes it away.
void setHandlerObserver(HandlerObserver *observer);
bool handlerRunning();

// Marks one handler running; the outermost one tells the observer.
class HandlerScope
{
public:
    explicit HandlerScope(const QObject *origin);
    ~HandlerScope();
    HandlerScope(const HandlerScope &) = delete;
    HandlerScope &operator=(const HandlerScope &) = delete;
};

} // namespace ui

template <class F>
void runHandler(const QObject *origin, F &&handler)
{
    const ui::HandlerScope scope(origin);
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
