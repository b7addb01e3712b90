#pragma once

#include "platform/services.h"

#include <QUrl>

#include <memory>

class QSoundEffect;

namespace platform {

// The sound a path names: every spelling of the classic chime path means the
// program's own chime; any other existing file plays as itself; anything else
// is silence (an empty URL).
QUrl chimeSource(const QString &path);

// Plays through QSoundEffect, straight to the sound server. Nothing here waits
// for the sound: its end signals are not reliable, so none is used.
class ChimeOutput : public SoundOutput
{
public:
    ChimeOutput();
    ~ChimeOutput() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

private:
    void open();

    QString m_fileName;
    std::unique_ptr<QSoundEffect> m_effect; // null when there is no sound device
};

} // namespace platform
