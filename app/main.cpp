#include "app/programforms.h"
#include "app/startupmessages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    holdStartupMessages();
    QApplication app(argc, argv);
    releaseStartupMessages();
    return runProgram();
}
