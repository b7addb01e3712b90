// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programforms.h"

#include "accessibility/accessibility.h"
#include "app/abouttext.h"
#include "app/chooserform.h"
#include "ui/controlbuilder.h"
#include "ui/forms.h"
#include "ui/messageboxpresenter.h"
#include "app/qttranslation.h"
#include "drills/recognitiondrillform.h"
#include "platform/messagebox.h"
#include "drills/sequencedrillform.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

QIcon programIcon()
{
    QIcon icon;
    for (int size : {LUPREDA_ICON_SIZES})
        icon.addFile(QStringLiteral(":/lupreda/lupreda-%1.png").arg(size), QSize(size, size));
    return icon;
}

void installProgramServices()
{
    ui::installMessageBoxes();
    platform::setAboutText(aboutText());
}

void registerProgramForms()
{
    Forms &forms = Forms::instance();
    forms.setFactory(FormId::Chooser, [] { return new ChooserForm; });
    forms.setFactory(FormId::RecognitionDrill, [] { return new RecognitionDrillForm; });
    forms.setFactory(FormId::SequenceDrill, [] { return new SequenceDrillForm; });
    forms.setFactory(FormId::WordOrder, [] { return new WordOrderForm; });
    forms.setHome(FormId::Chooser);
}

int runProgram()
{
    QApplication::setApplicationName(QStringLiteral("Lupreda"));
    // Windows are hidden and shown in turn; the program ends only when the
    // chooser has unloaded them all.
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslation();
    installProgramServices();
    ui::installProgramFont();
    accessibility::install();
    registerProgramForms();

    const QMetaObject::Connection ending =
        QObject::connect(&Forms::instance(), &Forms::allUnloaded, qApp, &QApplication::quit, Qt::QueuedConnection);
    Forms::instance().show(FormId::Chooser);
    // Seven renders of the icon are a few milliseconds' work for the X
    // server and the program: the chooser is on screen first, and its frame
    // gets the icon on the next turn of the event loop, as do later windows
    // when they are made.
    QTimer::singleShot(0, qApp, [] { QApplication::setWindowIcon(programIcon()); });
    const int status = QApplication::exec();
    QObject::disconnect(ending);
    // Unloaded windows are deleted once their handlers have returned.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
