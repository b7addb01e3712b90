// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// The sound a path names: every spelling of the classic chime path means the
// program's own chime; any other existing file plays as itself; anything else
// is silence (an empty URL).
QUrl chimeSource(const QString &path);

// The program's own chime, which every spelling of the classic path names.
QUrl programChime();

} // namespace platform
