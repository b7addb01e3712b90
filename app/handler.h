#pragma once

#include "platform/checkedint.h"

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
