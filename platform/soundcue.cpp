// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/soundcue.h"

#include "platform/mediacontrol.h"

#include <QWidget>

namespace platform {

void SoundCue(QWidget *window, const QString &path)
{
    auto *player = window->findChild<MediaControl *>(QLatin1String(MediaControl::kName), Qt::FindDirectChildrenOnly);
    if (!player)
        return;
    player->setFileName(path);
    player->command(QStringLiteral("close"));
    player->command(QStringLiteral("open"));
    player->command(QStringLiteral("play"));
}

} // namespace platform
