// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: the least a Qt Widgets program
// does to put a window on the screen. Qt reads the machine's fonts only when
// a text is first measured, which this window leaves until after it is shown;
// with --laid-out it measures its text first, as any window does whose layout
// follows its captions.
#include <QApplication>
#include <QLabel>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Lupreda"));
    if (argc > 1 && std::strcmp(argv[1], "--laid-out") == 0)
        window.adjustSize();
    window.resize(798, 593);
    window.show();
    return app.exec();
}
