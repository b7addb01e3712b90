// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of the chooser's controls: the window, its narrator and the
// tests all use these.
namespace choosercontrols {

inline constexpr char Command1[] = "Command1";
inline constexpr char Frame1[] = "Frame1";
inline constexpr char Option1[] = "Option1";
inline constexpr char Option2[] = "Option2";
inline constexpr char Option3[] = "Option3";

} // namespace choosercontrols
