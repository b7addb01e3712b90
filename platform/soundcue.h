// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Plays the chime on the window's own MMControl1: file name, "close", "open",
// "play". Returns at once; a missing file or sound device is silent.
void SoundCue(QWidget *window, const QString &path);

} // namespace platform
