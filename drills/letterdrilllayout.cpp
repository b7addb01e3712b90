// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/letterdrilllayout.h"

#include "drills/drillcontrols.h"

#include <iterator>

namespace names = drillcontrols;

namespace letterdrilllayout {

using namespace ui;

namespace {

// Text1 is listed after Text2 so that it is drawn over it: Text2 only holds
// the focus while the pupil is asked for Enter, and must never be seen.
const ControlDesign kSharedControls[] = {
    {.name = names::Label10, .kind = Kind::Label, .left = 360, .top = 120, .width = 5055, .height = 375},
    {.name = names::Label1, .kind = Kind::Label, .left = 360, .top = 600, .width = 2295, .height = 615, .fontPt = 24,
     .fg = colours::Blue, .bg = colours::Yellow, .align = Align::Centre},
    {.name = names::Text2, .kind = Kind::TextBox, .text = "Text2", .left = 5160, .top = 600, .width = 255, .height = 615,
     .fontPt = 24, .fg = colours::Green, .bg = colours::Green, .align = Align::Centre},
    {.name = names::Text1, .kind = Kind::TextBox, .left = 3120, .top = 600, .width = 2295, .height = 615, .fontPt = 24,
     .fg = colours::Red, .bg = colours::Green, .align = Align::Centre, .enabled = false},
    {.name = names::Label6, .kind = Kind::Label, .left = 6240, .top = 480, .width = 2655, .height = 1095, .fontPt = 18,
     .fg = colours::Red},
    {.name = names::Label7, .kind = Kind::Label, .left = 360, .top = 1560, .width = 5055, .height = 615, .fontPt = 12,
     .fg = colours::Blue, .align = Align::Centre},
    {.name = names::Label3, .kind = Kind::Label, .left = 5520, .top = 2160, .width = 3855, .height = 495, .fontPt = 13.5,
     .fg = colours::Blue},
    {.name = names::Label4, .kind = Kind::Label, .left = 5520, .top = 3000, .width = 3855, .height = 495, .fontPt = 13.5,
     .fg = colours::Red},
    {.name = names::Label5, .kind = Kind::Label, .left = 5520, .top = 3840, .width = 3855, .height = 495, .fontPt = 13.5,
     .fg = colours::Blue},
    {.name = names::Label2, .kind = Kind::Label, .left = 5520, .top = 4680, .width = 3855, .height = 495,
     .fg = colours::Red},
    {.name = names::Command1, .kind = Kind::Button, .text = "&NUOVO", .left = 720, .top = 5520, .width = 1335,
     .height = 495},
    {.name = names::Command5, .kind = Kind::Button, .text = "&RISULTATI", .left = 2520, .top = 5520, .width = 1335,
     .height = 495, .enabled = false},
    {.name = names::Command2, .kind = Kind::Button, .text = "&SOSPENDI", .left = 4320, .top = 5520, .width = 1335,
     .height = 495, .enabled = false},
    {.name = names::Command3, .kind = Kind::Button, .text = "&TERMINA", .left = 5880, .top = 5520, .width = 1455,
     .height = 495, .enabled = false},
    {.name = names::Command4, .kind = Kind::Button, .text = "&ESCI", .left = 7560, .top = 5520, .width = 1455,
     .height = 495, .cancel = true},
};

// The two windows place these two labels differently.
const ControlDesign kLabel8{.name = names::Label8, .kind = Kind::Label, .width = 2295, .height = 375};
const ControlDesign kLabel9{.name = names::Label9, .kind = Kind::Label, .width = 2295, .height = 375};

ControlDesign placed(ControlDesign label, int left, int top)
{
    label.left = left;
    label.top = top;
    return label;
}

} // namespace

std::vector<ControlDesign> controls(const LetterDrillDesign &design)
{
    std::vector<ControlDesign> controls(std::begin(kSharedControls), std::end(kSharedControls));
    controls.push_back(placed(kLabel8, design.label8Left, design.label8Top));
    controls.push_back(placed(kLabel9, design.label9Left, design.label9Top));
    controls.insert(controls.end(), design.ownControls.begin(), design.ownControls.end());
    return controls;
}

std::vector<MenuDesign> menus(const LetterDrillDesign &design)
{
    return {
        {MenuKind::Menu, names::Mnu_Gioco, "&Gioco"},
        {MenuKind::Item, names::Mnu_Nuovo, "&Nuovo"},
        {MenuKind::Item, names::Mnu_Risultati, "&Risultati", false},
        {MenuKind::Item, names::Mnu_Sospendi, "&Sospendi", false},
        {MenuKind::Item, names::Mnu_Termina, "&Termina", false},
        {MenuKind::Separator, "sep1"},
        {MenuKind::Item, names::Mnu_Esci, "&Esci"},
        {MenuKind::Menu, "Opzioni", "&Opzioni"},
        {MenuKind::Item, names::Mnu_Maiuscole, design.capitalsItem},
        {MenuKind::Item, names::Mnu_minuscole, design.smallLettersItem},
        {MenuKind::Item, "space", ""},
        {MenuKind::Item, names::Mnu_Italiano, "Alfabeto Italiano"},
        {MenuKind::Item, names::Mnu_Inglese, "Alfabeto Inglese"},
        {MenuKind::Command, names::Mnu_Informazioni, "&Informazioni"},
    };
}

} // namespace letterdrilllayout
