// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// The samples of a PCM wave file, as the sound server takes them: little-endian
// integers of 8 (unsigned), 16, 24 or 32 bits, or 32-bit floats, channels
// interleaved.
struct WaveData {
    enum class Format { U8, S16, S24, S32, Float32 };

    Format format = Format::S16;
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::uint8_t> bytes;

    int frameBytes() const;
    std::size_t frames() const { return frameBytes() ? bytes.size() / std::size_t(frameBytes()) : 0; }
    double seconds() const { return sampleRate ? double(frames()) / sampleRate : 0.0; }
    bool isEmpty() const { return frames() == 0; }
};

// Reads a RIFF WAVE file held in memory: PCM or IEEE float, plain or
// extensible, any number of channels up to 8. Chunks it does not know are
// skipped; a data chunk cut short keeps what is there. Anything else gives an
// empty result.
WaveData decodeWave(std::string_view file);

} // namespace platform
