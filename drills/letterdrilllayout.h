// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drills/letterdrillform.h"
#include "ui/controlbuilder.h"

#include <vector>

// How a letter drill window looks when it is created: the controls both
// drills share with the drill's own, and the menu bar.
namespace letterdrilllayout {

std::vector<ui::ControlDesign> controls(const LetterDrillDesign &design);
std::vector<ui::MenuDesign> menus(const LetterDrillDesign &design);

} // namespace letterdrilllayout
