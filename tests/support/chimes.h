// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chimes in a recording of the null sink, found from its envelope, and
// matched against the cues the test gave. The chime rises from silence to
// about a third of full scale within 6 ms and rings for about a second, so a
// chime's start is a sharp rise, also when a cue cuts the ringing tail of the
// one before.

#include "support/soundserver.h"

#include <QString>

#include <vector>

namespace chimes {

// The start of every chime, in seconds, to the sample: the first audible
// sample before each sharp rise of the envelope.
std::vector<double> starts(const recording::Sound &sound);

// Whether the chime that starts at `start` sounds without a break for
// `length` seconds (from the end of its attack).
bool soundsUnbroken(const recording::Sound &sound, double start, double length);

// How far the stretch at b differs from the stretch at a, both `length`
// seconds long: the energy of their difference over the energy at a. The
// same chime gives almost 0; a chime with another sound over it, far more.
double mismatch(const recording::Sound &sound, double a, double b, double length);

// Where a chime starts again, between from and to: the place where the
// recording best matches the first 20 ms of the chime at `first`.
double restartOf(const recording::Sound &sound, double first, double from, double to);

// Checks that each cue (its time in seconds on the test's clock, in order)
// was followed by a whole chime and that nothing else chimed: all chimes come
// the same delay after their cues, give or take `tolerance` seconds (the
// clock of the recording starts at an unknown moment). Empty when all is
// well, else what went wrong, cue by cue.
QString checkEveryCueChimed(const recording::Sound &sound, const std::vector<double> &cues, double tolerance);

// The one delay from cue to chime that pairs the most cues with a chime,
// give or take `tolerance`; NaN when there are no cues or no chimes.
double fittedDelay(const recording::Sound &sound, const std::vector<double> &cues, double tolerance);

QString describe(const std::vector<double> &times);

} // namespace chimes
