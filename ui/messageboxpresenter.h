// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QString>

namespace ui {

// The real message boxes: a modal QMessageBox over the active window, in the
// windows' typeface.
class MessageBoxPresenter : public platform::MessagePresenter
{
public:
    void present(const QString &prompt, const QString &title) override;
};

// A window manager shows a box's title only where its title bar has room for
// it beside the frame's icon and buttons: each box is at least this wide.
int widthForTitle(const QString &title);

// Makes the real message boxes the program's.
void installMessageBoxes();

} // namespace ui
