// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The built-in words that random lists are drawn from: Italian in slots 0 to
// 51, English in slots 52 to 115; the last slot is empty and never drawn.
namespace wordbank {

constexpr int kSlots = 117;
constexpr int kItalianFirst = 0;
constexpr int kItalianCount = 52;
constexpr int kEnglishFirst = 52;
constexpr int kEnglishCount = 64;
constexpr int kListLength = 10;

// The word in a slot, 0 to 116.
const char *word(int slot);

enum class Language { Italian, English };

// The slot that a random value 0 <= r < 1 picks. Italian: the whole part of
// r x 52. English: r x 63 + 52 rounded to the nearest, halves to even, in
// single precision, so the two end slots come up half as often as the others.
int italianSlot(float r);
int englishSlot(float r);

using UsedSlots = std::array<bool, kSlots>;

// Draws one slot not yet used, reseeding the generator before every try, and
// marks it used.
int drawUnusedSlot(Language language, UsedSlots &used);

} // namespace wordbank
