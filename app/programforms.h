#pragma once

// Tells the window registry how to build each of the program's four windows.
void registerProgramForms();

// Shows the chooser and runs until the chooser's "ESCI" has unloaded every
// window; returns the program's exit status. Needs a QApplication.
int runProgram();
