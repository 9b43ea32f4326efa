// SPDX-License-Identifier: GPL-3.0-or-later
// The cards on the table as one value: the deck, the pile, seven stacks with their face-down
// flags, four packs, how many pile cards show fanned, and the hand: the cards being dragged or
// flown, which belong to the table all the while, so it holds its whole pack at every moment.
// The undo history keeps copies of it, and the rules and moves of play (game/Rules.h,
// game/Moves.h) are functions of it. No drawing and no platform here.
#pragma once

#include <cstdint>
#include <string>

#include "game/CCard.h"
#include "game/PackOfCards.h"
#include "game/Place.h"

namespace table {
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
    // The hand: hand[0] is the deepest card; handSource is the area code of the place it was
    // taken from.
    CCard hand[table::kHandCapacity];
    int32_t handCount = 0;
    int32_t handSource = 0;

    bool operator==(const Table&) const = default;
};

// How many cards the table holds, the hand's included.
int CardCount(const Table& t);

// "" when the table is sound: no card twice, every stack's face-up cards a legal run above its
// face-down ones, every pack an ascending suit from its ace, the fanned count 0 to 3, and `cards`
// cards in all (a whole pack unless a table laid out by hand holds fewer). Else what is wrong,
// for a test's or an assertion's message.
std::string TableFault(const Table& t, int cards = 52);
