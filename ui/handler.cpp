// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handler.h"

#include "platform/messagebox.h"

void reportOverflow()
{
    platform::ShowMessage(QStringLiteral("Il conteggio ha raggiunto il suo limite (32767): "
                                         "l'ultima operazione non \u00e8 stata eseguita."),
                          QStringLiteral("Lupreda"));
}

namespace ui {

namespace {

HandlerObserver *g_observer = nullptr;
int g_depth = 0;

} // namespace

void setHandlerObserver(HandlerObserver *observer) { g_observer = observer; }

bool handlerRunning() { return g_depth > 0; }

HandlerScope::HandlerScope(const QObject *origin)
{
    if (g_depth++ == 0 && g_observer)
        g_observer->handlerStarted(origin);
}

HandlerScope::~HandlerScope()
{
    if (--g_depth == 0 && g_observer)
        g_observer->handlerEnded();
}

} // namespace ui
