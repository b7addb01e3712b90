// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controlbuilder.h"

#include <span>

// How the word-ordering window looks when it is created: the window, its
// controls from the top down, and its menu bar.
namespace wordorderlayout {

extern const ui::WindowDesign kWindow;
std::span<const ui::ControlDesign> controls();
std::span<const ui::MenuDesign> menus();

} // namespace wordorderlayout
