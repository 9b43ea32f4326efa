// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Solver.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>
#include <unordered_set>

#include "game/Rules.h"

using namespace table;

namespace {

char Code(CCard c) {
    return char(c.GetSuit() * 16 + c.GetNumber());
}

// The table as the search tells tables apart: stacks in any order are the same position, and
// so are packs (each is one suit from its ace: its suit and count say it all). How many pile
// cards show fanned changes nothing a move can do. Written into a buffer the caller keeps, so
// the search makes no string for a table it has seen.
void Key(const Table& t, std::string* key) {
    char stacks[kStacks][kStackCapacity];
    int lengths[kStacks];
    int order[kStacks];
    for (int s = 0; s < kStacks; ++s) {
        for (int r = 0; r < t.stackCount[s]; ++r)
            stacks[s][r] =
                t.faceDown[s][r] == 1 ? char(Code(t.stacks[s][r]) | 0x80) : Code(t.stacks[s][r]);
        lengths[s] = t.stackCount[s];
        order[s] = s;
    }
    std::sort(order, order + kStacks, [&](int a, int b) {
        return std::string_view(stacks[a], size_t(lengths[a])) <
               std::string_view(stacks[b], size_t(lengths[b]));
    });
    key->clear();
    int perSuit[5] = {};
    for (int p = 0; p < kPacks; ++p)
        if (t.packCount[p] > 0)
            perSuit[t.packs[p][0].GetSuit()] = t.packCount[p];
    for (int suit = 1; suit <= 4; ++suit)
        key->push_back(char(perSuit[suit]));
    for (int i = 0; i < t.deck.GetNumCards(); ++i)
        key->push_back(Code(t.deck.GetCard(i)));
    key->push_back('|');
    for (int i = 0; i < t.pile.GetNumCards(); ++i)
        key->push_back(Code(t.pile.GetCard(i)));
    for (int s : order) {
        key->push_back('|');
        key->append(stacks[s], size_t(lengths[s]));
    }
}

// Whether a stack's top card going home can never be the wrong move: it is a two or lower, or
// every card that could want it as a parent is home, both other-colour cards a rank below it,
// and with them every card that could want one of those brought back down, the other
// same-colour card two ranks below it. A card that goes home from a stack only uncovers
// another; one from the pile would change which cards later turns of the deck bring up.
bool SafeHome(const Table& t, const Move& m) {
    if (m.kind != Move::Kind::kStackToPack)
        return false;
    const CCard card = t.stacks[m.from.index][m.row];
    const int rank = card.GetNumber();
    if (rank <= 2)
        return true;
    int home[5] = {};
    for (int p = 0; p < kPacks; ++p)
        if (t.packCount[p] > 0)
            home[t.packs[p][0].GetSuit()] = t.packCount[p];
    const bool red = card.GetSuit() <= 2;
    const int otherColour[2] = {red ? 3 : 1, red ? 4 : 2};
    const int sameColour = red ? 3 - card.GetSuit() : 7 - card.GetSuit();
    return home[otherColour[0]] >= rank - 1 && home[otherColour[1]] >= rank - 1 &&
           home[sameColour] >= rank - 2;
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

// A step of the search: some turns of the deck, then a move. Turning the deck changes nothing
// else, so the search never turns it for its own sake: it looks through the cards turning would
// bring to the top of the pile, and plays one of those.
struct Step {
    int turns;
    Move move;
};

struct Frame {
    Table table;
    std::vector<Step> steps;
    size_t next = 0;
    size_t lineBefore = 0;
};

// The moves of the cards the deck brings up, turn by turn, through one whole round of it.
void StockSteps(const Table& t, const Options& o, std::vector<Step>* steps) {
    const int cards = t.deck.GetNumCards() + t.pile.GetNumCards();
    if (cards == 0)
        return;
    Table s = t;
    const int deckAtStart = t.deck.GetNumCards();
    bool turnedOver = false;
    // One round: until the deck stands as it started again, after the pile has gone back once.
    for (int turns = 1; turns <= 2 * cards + 2; ++turns) {
        turnedOver = turnedOver || s.deck.GetNumCards() == 0;
        Apply(s, o, Move::TurnDeck());
        if (turnedOver && s.deck.GetNumCards() == deckAtStart)
            break;
        if (s.pile.GetNumCards() == 0)
            continue;
        const CCard top = s.pile.GetCard(0);
        for (int p = 0; p < kPacks; ++p)
            if (FitsAt(s, Place::Pack(p), top, 1))
                steps->push_back({turns, *Move::Cards(Place::Pile(), -1, Place::Pack(p))});
        for (int st = 0; st < kStacks; ++st)
            if (FitsAt(s, Place::Stack(st), top, 1))
                steps->push_back({turns, *Move::Cards(Place::Pile(), -1, Place::Stack(st))});
    }
}

}  // namespace

SolveResult Solve(const Table& start, const Options& options, const SolveBudget& budget) {
    SolveResult result;
    const auto begun = std::chrono::steady_clock::now();
    std::unordered_set<std::string> seen;
    seen.reserve(1 << 16);
    std::string key;
    key.reserve(128);
    std::vector<Frame> path;
    std::vector<Move> line;

    auto enter = [&](const Table& t) {
        std::vector<Step> steps;
        bool forced = false;
        for (const Move& m : LegalMoves(t, options)) {
            // A face-down top card is turned before anything else: turning it never hurts, as
            // everything that can be done without it can be done with it face up.
            // So does a card that goes home safely.
            if (m.kind == Move::Kind::kTurnCard || SafeHome(t, m)) {
                steps = {{0, m}};
                forced = true;
                break;
            }
            if (m.kind != Move::Kind::kTurnDeck && Rank(t, m) != 9)
                steps.push_back({0, m});
        }
        if (!forced)
            StockSteps(t, options, &steps);
        std::stable_sort(steps.begin(), steps.end(), [&t](const Step& a, const Step& b) {
            const int ra = Rank(t, a.move), rb = Rank(t, b.move);
            return ra != rb ? ra < rb : a.turns < b.turns;
        });
        path.push_back({t, std::move(steps), 0, line.size()});
    };

    Key(start, &key);
    seen.insert(key);
    enter(start);
    std::vector<Move> guess;
    if (!path.back().steps.empty()) {
        const Step& best = path.back().steps.front();
        guess.assign(size_t(best.turns), Move::TurnDeck());
        guess.push_back(best.move);
    }
    while (!path.empty()) {
        Frame& top = path.back();
        if (AllPacksComplete(top.table)) {
            result.outcome = SolveResult::Outcome::kWon;
            result.moves.assign(line.begin(), line.begin() + long(top.lineBefore));
            return result;
        }
        if (top.next == top.steps.size()) {
            path.pop_back();  // the frame below sets the line back for its next step
            continue;
        }
        const Step step = top.steps[top.next++];
        Table next = top.table;
        line.resize(top.lineBefore);
        for (int k = 0; k < step.turns; ++k) {
            Apply(next, options, Move::TurnDeck());
            line.push_back(Move::TurnDeck());
        }
        Apply(next, options, step.move);
        line.push_back(step.move);
        Key(next, &key);
        if (seen.count(key) > 0)
            continue;
        seen.insert(key);
        ++result.states;
        const bool stopped = budget.stop && budget.stop->load(std::memory_order_relaxed);
        if (stopped || (result.states & 1023) == 0) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
            if (stopped || result.states >= budget.states || seconds >= budget.seconds) {
                result.moves = guess;
                return result;  // unknown
            }
        }
        enter(next);
    }
    result.outcome = SolveResult::Outcome::kLost;
    return result;
}
