// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of the word ordering window's controls and menu items: the
// layout, the window, its narrator and the tests all use these.
namespace wordcontrols {

inline constexpr char Command1[] = "Command1";
inline constexpr char Command2[] = "Command2";
inline constexpr char Command3[] = "Command3";
inline constexpr char Label1[] = "Label1";
inline constexpr char Label2[] = "Label2";
inline constexpr char Label3[] = "Label3";
inline constexpr char Label4[] = "Label4";
inline constexpr char Label5[] = "Label5";
inline constexpr char Label6[] = "Label6";
inline constexpr char Label7[] = "Label7";
inline constexpr char Label8[] = "Label8";
inline constexpr char Label9[] = "Label9";
inline constexpr char Label10[] = "Label10";
inline constexpr char List1[] = "List1";
inline constexpr char List2[] = "List2";
inline constexpr char List3[] = "List3";
inline constexpr char Text1[] = "Text1";
inline constexpr char Text2[] = "Text2";
inline constexpr char liv1[] = "liv1";
inline constexpr char liv2[] = "liv2";
inline constexpr char livelli[] = "livelli";
inline constexpr char Lingua[] = "Lingua";
inline constexpr char It[] = "It";
inline constexpr char En[] = "En";

} // namespace wordcontrols
