// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/accessibility.h"
#include "app/programforms.h"
#include "app/startupmessages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    holdStartupMessages();
    accessibility::exposeToAssistiveTechnology();
    QApplication app(argc, argv);
    releaseStartupMessages();
    // Lets the desktop match our windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LUPREDA_APP_ID));
    return runProgram();
}
