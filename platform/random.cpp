// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/random.h"

#include "platform/services.h"

namespace platform {

namespace {

// splitmix64: a small generator with good statistical quality whose mixing
// step is a bijection, so folding the clock in can never collapse the state.
std::uint64_t g_state = 0x853C49E6748FEA9BULL;

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

void ReseedRandom()
{
    g_state = mix(g_state ^ (clock().now() * kGolden)) + kGolden;
}

float NextRandom()
{
    g_state += kGolden;
    // 24 bits fit a float's mantissa exactly, so r never rounds up to 1.
    const std::uint64_t bits = mix(g_state) >> 40;
    return float(bits) / 16777216.0f;
}

} // namespace platform
