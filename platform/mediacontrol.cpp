// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediacontrol.h"

#include <QWidget>

MediaControl::MediaControl(QWidget *window)
    : QObject(window), m_output(platform::createSoundOutput())
{
    setObjectName(QLatin1String(kName));
}

MediaControl::~MediaControl() = default;

void MediaControl::setFileName(const QString &path)
{
    m_output->setFileName(path);
}

void MediaControl::command(const QString &verb)
{
    m_output->command(verb);
}
