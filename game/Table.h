// The cards on the table as one value: the deck, the pile, seven stacks with their face-down
// flags, four packs, and how many pile cards show fanned. The undo history keeps copies of it,
// and the rules of play (game/Rules.h) are functions of it. No drawing and no platform here.
#pragma once

#include <cstdint>
#include <string>

#include "game/CCard.h"
#include "game/PackOfCards.h"

namespace table {

constexpr int kStacks = 7;
constexpr int kPacks = 4;
// A stack holds at most six face-down cards and a run from king to ace.
constexpr int kStackCapacity = 21;
constexpr int kPackCapacity = 13;
constexpr int kHandCapacity = 21;
// The most pile cards shown fanned.
constexpr int kFannedMax = 3;

}  // namespace table

struct Table {
    PackOfCards deck{1};
    PackOfCards pile{1};
    // Entries at or above a count are never read.
    CCard stacks[table::kStacks][table::kStackCapacity];
    int32_t faceDown[table::kStacks][table::kStackCapacity] = {};
    int32_t stackCount[table::kStacks] = {};
    CCard packs[table::kPacks][table::kPackCapacity];
    int32_t packCount[table::kPacks] = {};
    int32_t fannedCount = 0;

    bool operator==(const Table&) const = default;
};

// "" when the table (with these cards in the hand) is sound: no card twice, every stack's
// face-up cards a legal run above its face-down ones, every pack an ascending suit from its ace,
// the fanned count 0 to 3, and, for a whole pack, all 52 cards there. Else what is wrong, for a
// test's or an assertion's message.
std::string TableFault(const Table& t, bool wholePack = true, const CCard* hand = nullptr,
                       int handCount = 0);
