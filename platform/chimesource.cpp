// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chimesource.h"

#include <QFileInfo>

namespace platform {

QUrl programChime()
{
    return QUrl(QStringLiteral("qrc:/lupreda/chime.wav"));
}

QUrl chimeSource(const QString &path)
{
    // The windows write the path in several spellings: any case, either slash.
    QString normalised = path.toLower();
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalised.endsWith(QLatin1String("/windows/media/chimes.wav")))
        return programChime();
    if (!path.isEmpty() && QFileInfo(path).isFile())
        return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return {};
}

} // namespace platform
