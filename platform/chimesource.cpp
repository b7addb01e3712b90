// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chimesource.h"

#include <QFileInfo>

namespace platform {

QUrl chimeSource(const QString &path)
{
    QString normalised = path.toLower();
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalised.endsWith(QLatin1String("/windows/media/chimes.wav")))
        return QUrl(QStringLiteral("qrc:/lupreda/chime.wav"));
    if (!path.isEmpty() && QFileInfo(path).isFile())
        return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return {};
}

} // namespace platform
