// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wavedata.h"

#include <memory>

namespace platform {

// The sound module's one link to the sound server: PulseAudio's own protocol,
// which PipeWire also serves through pipewire-pulse. It runs on a thread of
// its own, so nothing the server does (or fails to do) ever holds up the
// window that gave a cue: every call here returns after an atomic store and a
// write to an eventfd.
//
// Each window's player is a voice with a playback stream of its own, made
// ahead of the first cue and kept, corked while it is silent (and let go after
// a long silence). A cue drops whatever the voice still
// has queued and hands the server the whole sound at once, at the stream's
// read position, so the sound starts at the next period of the sink and no
// tail of an earlier one follows it. A missing or departed server is looked
// for again and again, and at once when a cue finds none; a cue that has
// waited more than half a second for it is dropped rather than played late.
//
// All calls come from the user-interface thread.
class PulsePlayer
{
public:
    // The one player; null once it has been destroyed at the program's exit.
    static PulsePlayer *instance();
    ~PulsePlayer();
    PulsePlayer(const PulsePlayer &) = delete;
    PulsePlayer &operator=(const PulsePlayer &) = delete;

    // A voice for one player, or -1 when there are no more.
    int openVoice();
    void closeVoice(int voice);

    // Makes the voice's stream ready for this sound, ahead of its first cue.
    void prepare(int voice, std::shared_ptr<const WaveData> sound);
    void play(int voice, std::shared_ptr<const WaveData> sound);
    void stop(int voice);

private:
    PulsePlayer();
    struct Engine;
    std::unique_ptr<Engine> m_engine;
};

} // namespace platform
