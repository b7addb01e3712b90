// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handler.h"

#include "platform/messagebox.h"

void reportOverflow()
{
    platform::ShowMessage(QStringLiteral("Il conteggio ha raggiunto il suo limite (32767): "
                                         "l'ultima operazione non \u00e8 stata eseguita."),
                          QStringLiteral("Lupreda"));
}
