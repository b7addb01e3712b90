// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of a letter drill window's controls, timer and menu items:
// the layout, the window, its narrator and the tests all use these.
namespace drillcontrols {

inline constexpr char Command1[] = "Command1";
inline constexpr char Command2[] = "Command2";
inline constexpr char Command3[] = "Command3";
inline constexpr char Command4[] = "Command4";
inline constexpr char Command5[] = "Command5";
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
inline constexpr char Label11[] = "Label11";
inline constexpr char Label12[] = "Label12";
inline constexpr char Mnu_Esci[] = "Mnu_Esci";
inline constexpr char Mnu_Gioco[] = "Mnu_Gioco";
inline constexpr char Mnu_Informazioni[] = "Mnu_Informazioni";
inline constexpr char Mnu_Inglese[] = "Mnu_Inglese";
inline constexpr char Mnu_Italiano[] = "Mnu_Italiano";
inline constexpr char Mnu_Maiuscole[] = "Mnu_Maiuscole";
inline constexpr char Mnu_Nuovo[] = "Mnu_Nuovo";
inline constexpr char Mnu_Risultati[] = "Mnu_Risultati";
inline constexpr char Mnu_Sospendi[] = "Mnu_Sospendi";
inline constexpr char Mnu_Termina[] = "Mnu_Termina";
inline constexpr char Mnu_minuscole[] = "Mnu_minuscole";
inline constexpr char Text1[] = "Text1";
inline constexpr char Text2[] = "Text2";
inline constexpr char Timer1[] = "Timer1";

} // namespace drillcontrols
