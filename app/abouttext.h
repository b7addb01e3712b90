// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The lines of the About box, joined by carriage returns.
QString aboutText();
