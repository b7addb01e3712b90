// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QObject>

#include <memory>

class QWidget;

// MMControl1: the hidden media player that each exercise window owns. The
// window's chime is played through it (see SoundCue).
class MediaControl : public QObject
{
    Q_OBJECT
public:
    // Its name in every window.
    static constexpr char kName[] = "MMControl1";

    explicit MediaControl(QWidget *window);
    ~MediaControl() override;

    void setFileName(const QString &path);
    void command(const QString &verb);

private:
    std::unique_ptr<platform::SoundOutput> m_output;
};
