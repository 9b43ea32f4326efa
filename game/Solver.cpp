// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Solver.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <unordered_set>

#include "game/Rules.h"

using namespace table;

namespace {

char Code(CCard c) {
    return char(c.GetSuit() * 16 + c.GetNumber());
}

// The table as the search tells tables apart: stacks in any order are the same position, and
// so are packs (each is one suit from its ace: its suit and count say it all). How many pile
// cards show fanned changes nothing a move can do.
std::string Key(const Table& t) {
    std::string stacks[kStacks];
    for (int s = 0; s < kStacks; ++s) {
        std::string& k = stacks[s];
        for (int r = 0; r < t.stackCount[s]; ++r)
            k += t.faceDown[s][r] == 1 ? char(Code(t.stacks[s][r]) | 0x80) : Code(t.stacks[s][r]);
    }
    std::sort(std::begin(stacks), std::end(stacks));
    std::string key;
    key.reserve(64);
    int perSuit[5] = {};
    for (int p = 0; p < kPacks; ++p)
        if (t.packCount[p] > 0)
            perSuit[t.packs[p][0].GetSuit()] = t.packCount[p];
    for (int suit = 1; suit <= 4; ++suit)
        key += char(perSuit[suit]);
    for (int i = 0; i < t.deck.GetNumCards(); ++i)
        key += Code(t.deck.GetCard(i));
    key += '|';
    for (int i = 0; i < t.pile.GetNumCards(); ++i)
        key += Code(t.pile.GetCard(i));
    for (const std::string& s : stacks)
        key += '|' + s;
    return key;
}

// The order moves are tried in: home to the packs first, then moves that uncover a face-down
// card or empty a stack, then the pile's card, then the rest, turning the deck last.
int Rank(const Table& t, const Move& m) {
    using K = Move::Kind;
    switch (m.kind) {
        case K::kTurnCard:
            return 0;
        case K::kStackToPack:
        case K::kPileToPack:
            return 1;
        case K::kStackToStack: {
            const int s = m.from.index;
            const bool wholeRun = m.row == 0 || t.faceDown[s][m.row - 1] == 1;
            // A king's run already at the bottom of its stack goes nowhere better.
            if (m.row == 0 && t.stacks[s][0].GetNumber() == 13)
                return 9;
            return wholeRun ? 2 : 5;
        }
        case K::kPileToStack:
            return 3;
        case K::kPackToStack:
        case K::kPackToPack:
            return 6;
        case K::kTurnDeck:
            return 7;
    }
    return 8;
}

struct Frame {
    Table table;
    std::vector<Move> moves;
    size_t next = 0;
};

}  // namespace

SolveResult Solve(const Table& start, const Options& options, const SolveBudget& budget) {
    SolveResult result;
    const auto begun = std::chrono::steady_clock::now();
    std::unordered_set<std::string> seen;
    std::vector<Frame> path;
    std::vector<Move> line;

    auto enter = [&](const Table& t) {
        std::vector<Move> moves = LegalMoves(t, options);
        std::stable_sort(moves.begin(), moves.end(),
                         [&t](const Move& a, const Move& b) { return Rank(t, a) < Rank(t, b); });
        // A king at the bottom of its stack moved to another empty stack changes nothing.
        moves.erase(std::remove_if(moves.begin(), moves.end(),
                                   [&t](const Move& m) { return Rank(t, m) == 9; }),
                    moves.end());
        // A face-down top card is turned before anything else: turning it never hurts.
        for (const Move& m : moves)
            if (m.kind == Move::Kind::kTurnCard) {
                moves = {m};
                break;
            }
        path.push_back({t, std::move(moves), 0});
    };

    if (!seen.insert(Key(start)).second)
        return result;
    enter(start);
    while (!path.empty()) {
        Frame& top = path.back();
        if (AllPacksComplete(top.table)) {
            result.outcome = SolveResult::Outcome::kWon;
            result.moves = line;
            return result;
        }
        if (top.next == top.moves.size()) {
            path.pop_back();
            if (!line.empty())
                line.pop_back();
            continue;
        }
        const Move move = top.moves[top.next++];
        Table next = top.table;
        Apply(next, options, move);
        if (!seen.insert(Key(next)).second)
            continue;
        ++result.states;
        if ((result.states & 1023) == 0) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
            if (result.states >= budget.states || seconds >= budget.seconds)
                return result;  // unknown
        }
        line.push_back(move);
        enter(next);
    }
    result.outcome = SolveResult::Outcome::kLost;
    return result;
}
