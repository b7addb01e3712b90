// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/accessibility.h"

// The chooser's roles and what it says to a screen reader, for the whole run.
const accessibility::WindowDescription &chooserDescription();
