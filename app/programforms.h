// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/forms.h"

#include <QIcon>

// The program's four windows, in the order the chooser's "ESCI" unloads them.
// Each exists once, and only while it is loaded.
enum class FormId : int { Chooser, RecognitionDrill, SequenceDrill, WordOrder };
inline constexpr FormId kProgramForms[] = {FormId::Chooser, FormId::RecognitionDrill, FormId::SequenceDrill,
                                           FormId::WordOrder};

// The window icon of all four windows, rendered from the program's SVG at
// every size a desktop asks for, from 16 to 256 pixels.
QIcon programIcon();

// The real message boxes, with the program's About text.
void installProgramServices();

// Tells the window registry how to build each of the program's four windows.
void registerProgramForms();

// Shows the chooser and runs until the chooser's "ESCI" has unloaded every
// window; returns the program's exit status. Needs a QApplication.
int runProgram();
