#include "app/controlbuilder.h"
#include "app/forms.h"
#include "app/programforms.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lupreda"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lupreda/lupreda-32.png")));
    // Windows are hidden and shown in turn; the program ends only when the
    // chooser unloads them all.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutes();

    registerProgramForms();
    QObject::connect(&Forms::instance(), &Forms::allUnloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    Forms::instance().show(FormId::Chooser);
    const int status = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
