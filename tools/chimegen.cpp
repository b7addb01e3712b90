// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's chime: three bell-like notes rising through a major
// triad (C5, E5, G5), as a 16-bit mono WAV file. The sound ends with a quarter
// second of silence: an earlier player cut the last moments of a sound short;
// the chime keeps its length, which the real-sound tests know.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
constexpr double kNoteStep = 0.16;     // seconds between note onsets
constexpr double kNoteLength = 0.70;   // seconds each note rings
constexpr double kTrailingSilence = 0.25;

struct Note {
    double frequency;
    double loudness;
};

double bell(double frequency, double t)
{
    // A soft attack avoids a click; partials give a small bell's colour.
    const double attack = std::min(1.0, t / 0.006);
    const double decay = std::exp(-t * 5.5);
    const double w = 2.0 * std::numbers::pi * frequency * t;
    const double tone = std::sin(w) + 0.35 * std::sin(2.0 * w) * std::exp(-t * 6.0)
                        + 0.12 * std::sin(3.0 * w) * std::exp(-t * 9.0);
    return attack * decay * tone / 1.47;
}

std::vector<int16_t> synthesise()
{
    const Note notes[] = {{523.25, 0.8}, {659.25, 0.8}, {783.99, 0.9}};
    const double ringing = kNoteStep * 2 + kNoteLength;
    const int ringingSamples = int(ringing * kSampleRate);
    const int total = ringingSamples + int(kTrailingSilence * kSampleRate);
    std::vector<int16_t> samples(total, 0);
    for (int i = 0; i < ringingSamples; ++i) {
        const double t = double(i) / kSampleRate;
        double mix = 0.0;
        for (int n = 0; n < 3; ++n) {
            const double local = t - n * kNoteStep;
            if (local >= 0.0 && local < kNoteLength)
                mix += notes[n].loudness * bell(notes[n].frequency, local);
        }
        // Fade the very end so the ringing stops without a click.
        const double tail = std::min(1.0, (ringing - t) / 0.05);
        samples[i] = int16_t(std::lround(std::clamp(mix * 0.45 * tail, -1.0, 1.0) * 32767.0));
    }
    return samples;
}

void put16(std::ofstream &out, uint16_t v) { out.put(char(v & 0xff)).put(char(v >> 8)); }
void put32(std::ofstream &out, uint32_t v)
{
    put16(out, uint16_t(v & 0xffff));
    put16(out, uint16_t(v >> 16));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: chimegen <output.wav>\n");
        return 2;
    }
    const std::vector<int16_t> samples = synthesise();
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::ofstream out(argv[1], std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);                 // PCM
    put16(out, 1);                 // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);   // bytes per second
    put16(out, 2);                 // block align
    put16(out, 16);                // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (int16_t s : samples)
        put16(out, uint16_t(s));
    if (!out) {
        std::fprintf(stderr, "chimegen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
