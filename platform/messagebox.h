// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QString>

namespace platform {

// A modal box with the prompt, the title and one OK button; lines of the prompt
// may be joined by a lone carriage return.
void ShowMessage(const QString &prompt, const QString &title);

// The "Informazioni" box of every exercise window, with the program's text
// (lines joined by carriage returns), which the program gives at start-up.
void AboutBox();
void setAboutText(const QString &text);

} // namespace platform
