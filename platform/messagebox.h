// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QString>

namespace platform {

// The real message boxes: a modal QMessageBox over the active window.
class MessageBoxPresenter : public MessagePresenter
{
public:
    void present(const QString &prompt, const QString &title) override;
};

// A window manager shows a box's title only where its title bar has room for
// it beside the frame's icon and buttons: each box is at least this wide.
int widthForTitle(const QString &title);

// A modal box with the prompt, the title and one OK button; lines of the prompt
// may be joined by a lone carriage return.
void ShowMessage(const QString &prompt, const QString &title);

// The "Informazioni" box of every exercise window.
void AboutBox();

// The lines of the About box, joined by carriage returns.
QString aboutText();

} // namespace platform
