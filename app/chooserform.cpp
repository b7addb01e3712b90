// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chooserform.h"

#include "app/choosercontrols.h"
#include "app/choosernarrator.h"
#include "app/programforms.h"
#include "ui/controlbuilder.h"
#include "ui/handler.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace names = choosercontrols;

namespace {

using namespace ui;

const WindowDesign kWindow{
    .className = "ChooserForm",
    .title = "LUPREDA",
    .clientWidth = 11970, .clientHeight = 8895,
    .left = 1695, .top = 1110,
    .background = colours::LightYellow,
};

const ControlDesign kControls[] = {
    {.name = names::Frame1, .kind = Kind::Frame, .left = 2280, .top = 840, .width = 7575, .height = 4935,
     .bg = colours::LightCyan},
    {.name = names::Command1, .kind = Kind::Button, .text = "&ESCI", .left = 8520, .top = 6600, .width = 1335,
     .height = 495, .cancel = true},
    {.name = names::Option2, .kind = Kind::OptionButton,
     .text = "Mettere in sequenza le lettere dell'alfabeto, Maiuscole o minuscole",
     .left = 480, .top = 1920, .width = 6495, .height = 855, .fontPt = 13.5, .fg = colours::Blue,
     .parent = names::Frame1},
    {.name = names::Option3, .kind = Kind::OptionButton,
     .text = "Ordinare alfabeticamente dei nomi, prelevati da una lista o digitati da tastiera",
     .left = 480, .top = 3360, .width = 6495, .height = 855, .fontPt = 13.5, .fg = colours::Blue,
     .parent = names::Frame1},
    {.name = names::Option1, .kind = Kind::OptionButton,
     .text = "Riconoscere le lettere dell'alfabeto, Maiuscole o minuscole",
     .left = 480, .top = 480, .width = 6495, .height = 855, .fontPt = 13.5, .fg = colours::Blue,
     .parent = names::Frame1},
};

} // namespace

ChooserForm::ChooserForm()
{
    setupWindow(this, this, kWindow);
    buildControls(this, kControls, kWindow.fontPt);
    ui::setTabOrder(this, {names::Command1, names::Option2, names::Option3, names::Option1});
    placeWindow(this, kWindow);
    accessibility::describe(this, chooserDescription());

    onClicked(this, names::Command1, &ChooserForm::Command1_Click);
    onClicked(this, names::Option1, &ChooserForm::Option1_Click);
    onClicked(this, names::Option2, &ChooserForm::Option2_Click);
    onClicked(this, names::Option3, &ChooserForm::Option3_Click);
}

void ChooserForm::Form_Activate()
{
    for (const char *name : {names::Option1, names::Option2, names::Option3})
        clearOption(control<QRadioButton>(this, name));
}

void ChooserForm::clearOption(QRadioButton *option)
{
    // An exclusive option button refuses to be unchecked; clearing sends no click.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void ChooserForm::openExercise(FormId exercise)
{
    Forms::instance().show(exercise);
    Forms::instance().hide(FormId::Chooser);
}

void ChooserForm::Option1_Click() { openExercise(FormId::RecognitionDrill); }
void ChooserForm::Option2_Click() { openExercise(FormId::SequenceDrill); }
void ChooserForm::Option3_Click() { openExercise(FormId::WordOrder); }

void ChooserForm::Command1_Click()
{
    Forms::instance().unloadAll();
}

void ChooserForm::closeEvent(QCloseEvent *event)
{
    // The close box ends the program as "ESCI" does.
    event->ignore();
    runHandler(this, [this] { Command1_Click(); });
}
