// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wavedata.h"

#include <cstring>

namespace platform {

namespace {

std::uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 | std::uint32_t(u[3]) << 24;
}

std::uint16_t le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;

} // namespace

int WaveData::frameBytes() const
{
    int sampleBytes = 2;
    switch (format) {
    case Format::U8: sampleBytes = 1; break;
    case Format::S16: sampleBytes = 2; break;
    case Format::S24: sampleBytes = 3; break;
    case Format::S32:
    case Format::Float32: sampleBytes = 4; break;
    }
    return sampleBytes * channels;
}

WaveData decodeWave(std::string_view file)
{
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return {};

    WaveData wave;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t declared = le32(file.data() + at + 4);
        const std::size_t body = at + 8;
        const std::size_t size = std::min(declared, file.size() - body);

        if (id == "fmt " && size >= 16) {
            const char *f = file.data() + body;
            std::uint16_t tag = le16(f);
            const int channels = le16(f + 2);
            const std::uint32_t rate = le32(f + 4);
            const int bits = le16(f + 14);
            if (tag == kExtensible && size >= 40)
                tag = le16(f + 24); // the first two bytes of the sub-format GUID
            wave.channels = channels;
            wave.sampleRate = int(rate);
            if (tag == kPcm && bits == 8)
                wave.format = WaveData::Format::U8;
            else if (tag == kPcm && bits == 16)
                wave.format = WaveData::Format::S16;
            else if (tag == kPcm && bits == 24)
                wave.format = WaveData::Format::S24;
            else if (tag == kPcm && bits == 32)
                wave.format = WaveData::Format::S32;
            else if (tag == kFloat && bits == 32)
                wave.format = WaveData::Format::Float32;
            else
                return {};
            if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000)
                return {};
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            const std::size_t usable = size - size % std::size_t(wave.frameBytes());
            wave.bytes.resize(usable);
            std::memcpy(wave.bytes.data(), file.data() + body, usable);
            return wave;
        }
        // Chunks are padded to an even length. A chunk that claims to run
        // past the end of the file ends the walk (and, in 32 bits, keeps the
        // sum from wrapping round).
        if (declared >= file.size() - body)
            break;
        at = body + declared + (declared & 1);
    }
    return {};
}

} // namespace platform
