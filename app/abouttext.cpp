// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/abouttext.h"

QString aboutText()
{
    return QStringLiteral("Lupreda, a cura del gruppo di sviluppo di Lupreda") + QLatin1Char('\r')
           + QStringLiteral("Luglio 1996") + QLatin1Char('\r')
           + QStringLiteral("Versione Qt, tratta dal programma originale per Windows");
}
