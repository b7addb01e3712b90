// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: the least a Qt Widgets program
// does to put a window on the screen.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Lupreda"));
    window.resize(798, 593);
    window.show();
    return app.exec();
}
