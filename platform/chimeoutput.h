#pragma once

#include "platform/services.h"

#include <memory>

class QSoundEffect;

namespace platform {

// Plays through QSoundEffect, straight to the sound server. Nothing here waits
// for the sound: its end signals are not reliable, so none is used. It lives
// in the sound module, which the program loads with the first exercise window.
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
