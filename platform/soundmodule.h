// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QString>

#include <memory>

namespace platform {

// The real player comes from the sound module, loaded the first time a window
// needs one: the chooser alone never pays for the sound system. Without the
// module the exercises run silently.
std::unique_ptr<SoundOutput> createModuleSoundOutput();

// A folder to look in before the program's own (a build tree, for tests).
// Only before the first load.
void setSoundModuleDirectory(const QString &directory);

} // namespace platform
