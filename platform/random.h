// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The program's one random generator, shared by every window.
namespace platform {

// Mixes the clock into the generator's state. The state is never replaced, so
// two reseeds within one clock tick still lead to different values.
void ReseedRandom();

// The next value r of the sequence, 0 <= r < 1, in single precision.
float NextRandom();

} // namespace platform
