// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "platform/wavedata.h"

#include <QString>

#include <memory>

namespace platform {

// A window's player in the sound module: "open" reads and decodes the file
// the name points to (once: the decoded sound is kept for the cues that
// follow), "play" starts it on the player's own voice of the PulsePlayer,
// "close" stops that voice. Nothing here waits for the sound server, and a
// file that cannot be read, or a server that is not there, is silence.
class ChimeOutput : public SoundOutput
{
public:
    ChimeOutput();
    ~ChimeOutput() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

private:
    void open();

    int m_voice = -1;
    QString m_fileName;
    QString m_openedSource; // what m_sound was read from
    std::shared_ptr<const WaveData> m_sound;
};

} // namespace platform
