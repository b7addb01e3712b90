#include "app/programforms.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match our windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LUPREDA_APP_ID));
    return runProgram();
}
