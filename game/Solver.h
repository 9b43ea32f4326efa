// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a table can still be won, found by trying the game's own moves: every card's place is
// known, face-down ones and the deck's order included, as the program knows them. Exact: a "won"
// comes with moves that replay to four full packs, a "lost" means no sequence of legal moves
// wins. When the budget of states or time runs out first, the answer is "unknown".
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "game/Moves.h"
#include "game/Options.h"
#include "game/Table.h"

struct SolveBudget {
    uint64_t states = 2'000'000;
    double seconds = 2.0;
    // Set from another thread to end the search early, as if its budget had run out.
    const std::atomic<bool>* stop = nullptr;
    // Every legal step searched, none left out or left for later because it can be: slower, for
    // checking that leaving them out changes no answer.
    bool everyStep = false;
};

struct SolveResult {
    enum class Outcome { kWon, kLost, kUnknown };
    Outcome outcome = Outcome::kUnknown;
    // The winning line, for kWon; for kUnknown, the first step the search ranks best.
    std::vector<Move> moves;
    uint64_t states = 0;  // tables looked at
};

// Searches from a table at rest (nothing in the hand) with the options that change play.
SolveResult Solve(const Table& table, const Options& options, const SolveBudget& budget = {});
