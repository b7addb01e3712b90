// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installQtTranslation()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
        qWarning("lupreda: manca la traduzione italiana di Qt (%s/qtbase_it.qm, pacchetto qt6-translations-l10n)",
                 qPrintable(folder));
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}
