// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordbank.h"

#include "platform/random.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace wordbank {

namespace {

constexpr const char *kWords[] = {
    // Two words for each letter of the Italian alphabet, then ten numbers.
    "Astuccio", "Albero", "Balcone", "Bilancia", "Casetta", "Cavallo", "Diario", "Dado", "Elefante", "Elmo",
    "Finestra", "Fiore", "Gomma", "Giornale", "Hotel ", "Humus", "Iena", "Impero", "Libro", "Lettera",
    "Matita", "Muro", "Neve", "Nave", "Olio", "Oca", "Penna", "Porta", "Quaderno", "Quadro",
    "Ramo", "Rana", "Scala", "Soffitto", "Tetto", "Terrazzo", "Uva", "Uccello", "Vela", "Vipera",
    "Zucchero", "Zaino", "Uno", "Due", "Tre", "Quattro", "Cinque", "Sei", "Sette", "Otto",
    "Nove", "Zero",
    // Two words for each letter A to Z, then twelve numbers.
    "Airport", "Apricot", "Bike", "Book", "Clock", "Cover", "Door", "Desk", "Elephant", "Eggs",
    "Fish", "Face", "Gate", "Guitar", "House", "High", "In", "Island", "Jeans", "Jump",
    "Key", "Kite", "Letters", "Lake", "Man", "Market", "Now", "Nurse", "Oil", "Oranges",
    "Plums", "Potatoes", "Quadratic", "Quick", "Rain", "Room", "School", "Shoe", "Table", "Tree",
    "Uncle", "Utensil", "Village", "Voice", "Woman", "Wood", "Xylographer", "Xenophile", "Yacht", "Yellow",
    "Zip", "Zenith", "Number", "One", "Two", "Three", "Four", "Five", "Six", "Seven",
    "Eight", "Nine", "Ten", "Zero",
    // Never drawn.
    "",
};
static_assert(std::size(kWords) == kSlots);

} // namespace

const char *word(int slot)
{
    return kWords[slot];
}

int italianSlot(float r)
{
    const float scaled = r * float(kItalianCount);
    return kItalianFirst + std::min(int(scaled), kItalianCount - 1);
}

int englishSlot(float r)
{
    // Kept in float on purpose: the rounding of the product decides the slot.
    const float scaled = r * float(kEnglishCount - 1);
    const float shifted = scaled + float(kEnglishFirst);
    return int(std::nearbyint(shifted));
}

int drawUnusedSlot(Language language, UsedSlots &used)
{
    int slot;
    do {
        platform::ReseedRandom();
        const float r = platform::NextRandom();
        slot = language == Language::Italian ? italianSlot(r) : englishSlot(r);
    } while (used[slot]);
    used[slot] = true;
    return slot;
}

} // namespace wordbank
