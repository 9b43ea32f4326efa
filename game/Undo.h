// A snapshot of the table's card state, taken before a move so that the move can be undone.
#pragma once

#include <cstdint>

#include "game/CCard.h"
#include "game/PackOfCards.h"
#include "game/TableGeometry.h"

struct undoinfo {
    PackOfCards deck{1};
    PackOfCards pile{1};
    CCard stacks[table::kStacks][table::kStackCapacity];
    int32_t faceDown[table::kStacks][table::kStackCapacity] = {};
    int32_t stackCount[table::kStacks] = {};
    CCard packs[table::kPacks][table::kPackCapacity];
    int32_t packCount[table::kPacks] = {};
    int32_t fannedCount = 0;
};

constexpr int kUndoDepth = 20;
