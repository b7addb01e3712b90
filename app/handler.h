#pragma once

#include "app/controlbuilder.h"
#include "platform/checkedint.h"

#include <QAbstractButton>
#include <QAction>

#include <utility>

// Every event handler runs through here. A 16-bit counter that leaves its range
// stops the handler at that step, the pupil is told, and the program goes on.
void reportOverflow();

template <class F>
void runHandler(F &&handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const OverflowError &) {
        reportOverflow();
    }
}

// A slot that runs the handler through runHandler, for connect().
template <class F>
auto guarded(F handler)
{
    return [handler]() { runHandler(handler); };
}

// Wires a window's named button or menu item to one of its handlers, guarded.
template <class Window>
void onClicked(Window *window, const char *button, void (Window::*handler)())
{
    QObject::connect(ui::control<QAbstractButton>(window, button), &QAbstractButton::clicked, window,
                     guarded([window, handler] { (window->*handler)(); }));
}

template <class Window>
void onChosen(Window *window, const char *item, void (Window::*handler)())
{
    QObject::connect(ui::control<QAction>(window, item), &QAction::triggered, window,
                     guarded([window, handler] { (window->*handler)(); }));
}
