// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// While the program starts, Qt's own messages are held back: without a screen
// Qt would print several lines about its platform plugins and then abort.
// Instead a fatal message during start-up becomes one line on standard error,
// with the settings that chose the screen and Qt's own reasons (what each
// platform plugin it tried said), and the program ends with status 1.
void holdStartupMessages();

// Back to Qt's usual message handling, once the application object exists;
// the messages held back are passed on.
void releaseStartupMessages();
