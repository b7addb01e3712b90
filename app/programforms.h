#pragma once

// Tells the window registry how to build each of the program's four windows.
void registerProgramForms();
