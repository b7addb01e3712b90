// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordorderlayout.h"

#include "wordorder/wordcontrols.h"

namespace names = wordcontrols;

namespace wordorderlayout {

using namespace ui;

const WindowDesign kWindow{
    .className = "WordOrderForm",
    .title = "ORDINAMENTO ALFABETICO",
    .clientWidth = 11670, .clientHeight = 8535,
    .left = 1845, .top = 1545,
    .background = colours::LightCyan,
};

namespace {

const ControlDesign kControls[] = {
    {.name = names::Label7, .kind = Kind::Label, .text = "Clicca", .left = 960, .top = 360, .width = 1215, .height = 255,
     .fontPt = 12, .fg = colours::Blue, .bg = colours::LightYellow, .align = Align::Centre},
    {.name = names::Label2, .kind = Kind::Label, .text = "ELENCO CASUALE", .left = 2160, .top = 360, .width = 2655,
     .height = 255, .fontPt = 12, .fg = colours::Blue, .bg = colours::LightYellow, .align = Align::Centre},
    {.name = names::Label3, .kind = Kind::Label, .text = "NUOVO ELENCO ", .left = 6600, .top = 360, .width = 2655,
     .height = 255, .fontPt = 12, .fg = colours::Blue, .bg = colours::LightCyan, .align = Align::Centre},
    {.name = names::Label8, .kind = Kind::Label, .text = "Oppure  Inserisci ...", .left = 960, .top = 720, .width = 1215,
     .height = 495, .fontPt = 9.75, .fg = colours::Blue, .align = Align::Centre},
    {.name = names::Text1, .kind = Kind::TextBox, .text = "Text1", .left = 2160, .top = 720, .width = 2655, .height = 495,
     .fontPt = 12, .fg = colours::Blue, .bg = colours::LightCyan, .border = true},
    {.name = names::List2, .kind = Kind::ListBox, .left = 6600, .top = 720, .width = 2655, .height = 3930, .fontPt = 12,
     .fg = colours::Blue, .bg = colours::LightYellow},
    {.name = names::List3, .kind = Kind::ListBox, .left = 9480, .top = 720, .width = 735, .height = 3930,
     .fontPt = 8.25, .visible = false},
    {.name = names::List1, .kind = Kind::ListBox, .left = 2160, .top = 1320, .width = 2655, .height = 3330, .fontPt = 12,
     .fg = colours::Purple, .bg = colours::LightYellow},
    {.name = names::Label1, .kind = Kind::Label, .left = 2160, .top = 4800, .width = 2655, .height = 735, .fontPt = 13.5,
     .regular = true, .fg = colours::Blue, .bg = colours::LightCyan, .align = Align::Centre},
    {.name = names::Command3, .kind = Kind::Button, .text = "&VERIFICA L'ORDINAMENTO", .left = 6600, .top = 4800,
     .width = 2655, .height = 495, .fontPt = 8.25},
    {.name = names::Label4, .kind = Kind::Label, .left = 9360, .top = 4800, .width = 2055, .height = 495, .fontPt = 13.5,
     .fg = colours::Blue, .align = Align::Centre},
    {.name = names::Label5, .kind = Kind::Label, .left = 9480, .top = 5280, .width = 1815, .height = 1095, .fontPt = 12,
     .fg = colours::Red, .bg = colours::LightCyan},
    {.name = names::Text2, .kind = Kind::MultiLineTextBox, .left = 6600, .top = 5400, .width = 2655, .height = 1935,
     .fontPt = 12, .fg = colours::Blue, .bg = colours::LightCyan, .readOnly = true, .verticalScrollBar = true},
    {.name = names::Label6, .kind = Kind::Label, .left = 2160, .top = 5760, .width = 2655, .height = 735, .fontPt = 13.5,
     .regular = true, .fg = colours::Blue, .bg = colours::LightCyan, .align = Align::Centre},
    {.name = names::Label9, .kind = Kind::Label, .text = "Label9", .left = 120, .top = 5760, .width = 975, .height = 495,
     .fontPt = 8.25, .visible = false},
    {.name = names::Label10, .kind = Kind::Label, .text = "Label10", .left = 120, .top = 6480, .width = 975,
     .height = 495, .fontPt = 8.25, .visible = false},
    {.name = names::Command1, .kind = Kind::Button, .text = "&NUOVO", .left = 2760, .top = 7440, .width = 1215,
     .height = 495, .fontPt = 8.25},
    {.name = names::Command2, .kind = Kind::Button, .text = "&ESCI", .left = 7560, .top = 7440, .width = 1215,
     .height = 495, .fontPt = 8.25, .cancel = true},
};

const MenuDesign kMenus[] = {
    {MenuKind::Menu, names::livelli, "&Livelli"},
    {MenuKind::Item, names::liv1, "Verifica Immediata"},
    {MenuKind::Item, names::liv2, "Verifica Intermedia o Finale"},
    {MenuKind::Menu, names::Lingua, "Lingua"},
    {MenuKind::Item, names::It, "Italiano"},
    {MenuKind::Item, names::En, "Inglese"},
    {MenuKind::Command, "info", "&Informazioni"},
};

} // namespace

std::span<const ControlDesign> controls() { return kControls; }
std::span<const MenuDesign> menus() { return kMenus; }

} // namespace wordorderlayout
