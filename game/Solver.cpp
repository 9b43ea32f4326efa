// SPDX-License-Identifier: GPL-3.0-or-later
// The search works on a small table of its own, changed in place and changed back, and tells
// tables apart by an exact key of five words. Its line is then played through the model's own
// moves, and that is what the caller gets.
#include "game/Solver.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "game/Rules.h"

using namespace table;

namespace {

// A card as the search holds it: suit (1 to 4) times 16, plus number.
using Card = uint8_t;
Card Code(CCard c) {
    return Card(c.GetSuit() * 16 + c.GetNumber());
}
int SuitOf(Card c) {
    return c >> 4;
}
int NumberOf(Card c) {
    return c & 15;
}
bool Red(Card c) {
    return SuitOf(c) <= 2;
}
// Whether a card goes on another on a stack: the other colour, one lower.
bool GoesOn(Card card, Card onto) {
    return Red(card) != Red(onto) && NumberOf(onto) == NumberOf(card) + 1;
}

constexpr int kTalonMax = 52;
constexpr int kAllHome = kPacks * kPackCapacity;

struct State {
    // The deck and the pile as one row, in the order turning brings the cards up: the pile from
    // its bottom, then the deck from its top. The first `pos` cards are the pile. Taking a card
    // keeps the others in order, so the row is all that turning the deck needs.
    Card talon[kTalonMax];
    int talonCount = 0;
    int pos = 0;
    uint64_t talonLeft = 0;  // a bit for each card of the row the search began with still in it
    // Each stack's face-down cards lie below its face-up ones: `down` of them.
    Card cards[kStacks][kStackCapacity];
    int count[kStacks] = {};
    int down[kStacks] = {};
    int home[5] = {};  // cards on the pack of each suit
    int homeTotal = 0;
};

enum class Kind : uint8_t { kStackHome, kStackStack, kTalonHome, kTalonStack, kHomeStack };

// A move of the search. A card from the deck and pile comes after `turns` turns of the deck: the
// search never turns it for its own sake, it plays a card that turning brings to the pile's top.
struct Step {
    Kind kind;
    int8_t from;  // a stack; a place in the talon row; a suit for kHomeStack
    int8_t row;   // for kStackStack, the row the cards start from
    int8_t to;    // a stack; unused for the packs
    int8_t turns;
    uint8_t order;  // tried lowest first
};

// What changing a step back needs.
struct Undo {
    Card card = 0;
    int8_t pos = 0;
    int8_t moved = 0;
    bool turned = false;
};

// A stack left with only face-down cards has its top card turned: turning never hurts, as
// everything that can be done without it can be done with it face up.
void TurnUncovered(State& s, int st, Undo* u) {
    if (s.down[st] > 0 && s.count[st] == s.down[st]) {
        --s.down[st];
        u->turned = true;
    }
}

class Search {
  public:
    Search(const Table& start, const Options& options, const SolveBudget& budget);
    SolveResult Run();

  private:
    bool Representable(const Table& t) const;
    void Make(const Step& m, Undo* u);
    void Unmake(const Step& m, const Undo& u);
    bool SafeHome(Card c) const;
    void Generate();
    void Targets(Card head, int count, int own, Step step);
    void KeyOf(uint64_t* key) const;
    bool Insert(const uint64_t* key);
    void Grow();
    std::vector<Move> Line(const std::vector<Step>& steps) const;

    const Table& start;
    const Options& options;
    const SolveBudget& budget;
    const int perTurn;
    State s;
    uint8_t idOf[256] = {};   // a talon card's place in the first row
    std::vector<Step> steps;  // the steps of every frame of the search, one after another

    // The tables seen: their keys, and an open-addressed index into them.
    static constexpr int kKeyWords = 5;
    std::vector<uint64_t> keys;
    std::vector<uint32_t> slots;  // 1 + a key's index; 0 for a free slot
};

Search::Search(const Table& t, const Options& o, const SolveBudget& b)
    : start(t), options(o), budget(b), perTurn(o.DealsOne() ? 1 : kFannedMax) {
    for (int i = t.pile.GetNumCards() - 1; i >= 0; --i)
        s.talon[s.talonCount++] = Code(t.pile.GetCard(i));
    s.pos = s.talonCount;
    for (int i = 0; i < t.deck.GetNumCards() && s.talonCount < kTalonMax; ++i)
        s.talon[s.talonCount++] = Code(t.deck.GetCard(i));
    for (int i = 0; i < s.talonCount; ++i) {
        idOf[s.talon[i]] = uint8_t(i);
        s.talonLeft |= uint64_t(1) << i;
    }
    for (int st = 0; st < kStacks; ++st) {
        s.count[st] = t.stackCount[st];
        for (int r = 0; r < t.stackCount[st]; ++r) {
            s.cards[st][r] = Code(t.stacks[st][r]);
            s.down[st] += t.faceDown[st][r] == 1 ? 1 : 0;
        }
    }
    for (int p = 0; p < kPacks; ++p)
        if (t.packCount[p] > 0) {
            s.home[t.packs[p][0].GetSuit()] = t.packCount[p];
            s.homeTotal += t.packCount[p];
        }
}

// Whether the search can hold a table: nothing in the hand, every stack's face-down cards below a
// run of face-up ones, and no more cards in the deck and pile than its row holds.
bool Search::Representable(const Table& t) const {
    if (t.handCount != 0 || t.deck.GetNumCards() + t.pile.GetNumCards() > kTalonMax)
        return false;
    for (int st = 0; st < kStacks; ++st) {
        const int n = t.stackCount[st];
        const int down = s.down[st];
        for (int r = 0; r < n; ++r)
            if ((t.faceDown[st][r] == 1) != (r < down))
                return false;
        if (down < n && !CanLiftRun(t, st, down))
            return false;
    }
    return true;
}

void Search::Make(const Step& m, Undo* u) {
    Card c = 0;
    switch (m.kind) {
        case Kind::kStackHome:
            c = s.cards[m.from][--s.count[m.from]];
            TurnUncovered(s, m.from, u);
            break;
        case Kind::kStackStack: {
            const int n = s.count[m.from] - m.row;
            std::memcpy(&s.cards[m.to][s.count[m.to]], &s.cards[m.from][m.row], size_t(n));
            s.count[m.to] += n;
            s.count[m.from] = m.row;
            u->moved = int8_t(n);
            TurnUncovered(s, m.from, u);
            return;
        }
        case Kind::kTalonHome:
        case Kind::kTalonStack:
            c = s.talon[m.from];
            u->pos = int8_t(s.pos);
            s.talonLeft &= ~(uint64_t(1) << idOf[c]);
            std::memmove(&s.talon[m.from], &s.talon[m.from + 1], size_t(s.talonCount - m.from - 1));
            --s.talonCount;
            s.pos = m.from;
            break;
        case Kind::kHomeStack:
            c = Card(m.from * 16 + s.home[m.from]);
            --s.home[m.from];
            --s.homeTotal;
            s.cards[m.to][s.count[m.to]++] = c;
            u->card = c;
            return;
    }
    u->card = c;
    if (m.kind == Kind::kTalonStack) {
        s.cards[m.to][s.count[m.to]++] = c;
    } else {
        ++s.home[SuitOf(c)];
        ++s.homeTotal;
    }
}

void Search::Unmake(const Step& m, const Undo& u) {
    const Card c = u.card;
    switch (m.kind) {
        case Kind::kStackHome:
            s.down[m.from] += u.turned ? 1 : 0;
            s.cards[m.from][s.count[m.from]++] = c;
            --s.home[SuitOf(c)];
            --s.homeTotal;
            break;
        case Kind::kStackStack:
            s.down[m.from] += u.turned ? 1 : 0;
            s.count[m.to] -= u.moved;
            std::memcpy(&s.cards[m.from][m.row], &s.cards[m.to][s.count[m.to]], size_t(u.moved));
            s.count[m.from] += u.moved;
            break;
        case Kind::kTalonHome:
        case Kind::kTalonStack:
            if (m.kind == Kind::kTalonHome) {
                --s.home[SuitOf(c)];
                --s.homeTotal;
            } else {
                --s.count[m.to];
            }
            std::memmove(&s.talon[m.from + 1], &s.talon[m.from], size_t(s.talonCount - m.from));
            s.talon[m.from] = c;
            ++s.talonCount;
            s.talonLeft |= uint64_t(1) << idOf[c];
            s.pos = u.pos;
            break;
        case Kind::kHomeStack:
            --s.count[m.to];
            ++s.home[m.from];
            ++s.homeTotal;
            break;
    }
}

// Whether a stack's top card going home can never be the wrong move: it is a two or lower, or
// every card that could want it as a parent is home, both other-colour cards a rank below it,
// and with them every card that could want one of those brought back down, the other
// same-colour card two ranks below it. A card that goes home from a stack only uncovers
// another; one from the pile would change which cards later turns of the deck bring up.
bool Search::SafeHome(Card c) const {
    const int suit = SuitOf(c);
    const int number = NumberOf(c);
    if (s.home[suit] != number - 1)
        return false;
    if (number <= 2)
        return true;
    const bool red = suit <= 2;
    const int partner = red ? 3 - suit : 7 - suit;
    return s.home[red ? 3 : 1] >= number - 1 && s.home[red ? 4 : 2] >= number - 1 &&
           s.home[partner] >= number - 2;
}

// The steps that put a card, with `count` cards on it for a run, on a stack other than `own`:
// the step given, to each stack that takes it. A king goes to the first empty stack only, as
// stacks in another order are the same table.
void Search::Targets(Card head, int count, int own, Step step) {
    const bool king = NumberOf(head) == 13;
    for (int to = 0; to < kStacks; ++to) {
        const int n = s.count[to];
        if (to == own || n + count > kStackCapacity)
            continue;
        if (king ? n == 0 : n > 0 && GoesOn(head, s.cards[to][n - 1])) {
            step.to = int8_t(to);
            steps.push_back(step);
            if (king)
                return;
        }
    }
}

// The steps from the table, in the order they are tried: home to the packs first, then runs that
// uncover a face-down card or empty a stack, then cards from the deck and pile, then the rest of
// the runs, and cards back off the packs last. Cards the deck brings up sooner go first.
void Search::Generate() {
    const size_t begin = steps.size();
    for (int st = 0; st < kStacks; ++st) {
        const int n = s.count[st];
        if (n > s.down[st] && SafeHome(s.cards[st][n - 1])) {
            steps.push_back({Kind::kStackHome, int8_t(st), int8_t(n - 1), -1, 0, 0});
            return;  // the one step from here
        }
    }
    for (int st = 0; st < kStacks; ++st) {
        const int n = s.count[st];
        if (n == 0)
            continue;
        const Card top = s.cards[st][n - 1];
        if (s.home[SuitOf(top)] == NumberOf(top) - 1)
            steps.push_back({Kind::kStackHome, int8_t(st), int8_t(n - 1), -1, 0, 1});
        for (int row = s.down[st]; row < n; ++row) {
            const Card head = s.cards[st][row];
            // A king's run already at the bottom of its stack goes nowhere better.
            if (row == 0 && NumberOf(head) == 13)
                continue;
            const uint8_t order = row == s.down[st] ? 2 : 5;
            Targets(head, n - row, st, {Kind::kStackStack, int8_t(st), int8_t(row), -1, 0, order});
        }
    }
    // Each card turning brings to the top of the pile, through one whole round of the deck.
    bool seen[kTalonMax + 1] = {};
    int p = s.pos;
    seen[p] = true;
    for (int turns = 0; s.talonCount > 0; ++turns) {
        if (turns > 0) {
            p = p < s.talonCount ? std::min(p + perTurn, s.talonCount) : 0;
            if (seen[p])
                break;
            seen[p] = true;
        }
        if (p == 0)
            continue;
        const Card c = s.talon[p - 1];
        const int8_t at = int8_t(p - 1);
        if (s.home[SuitOf(c)] == NumberOf(c) - 1)
            steps.push_back({Kind::kTalonHome, at, -1, -1, int8_t(turns), 1});
        Targets(c, 1, -1, {Kind::kTalonStack, at, -1, -1, int8_t(turns), 3});
    }
    if (!options.PacksFrozen())
        for (int suit = 1; suit <= 4; ++suit)
            if (s.home[suit] > 0)
                Targets(Card(suit * 16 + s.home[suit]), 1, -1,
                        {Kind::kHomeStack, int8_t(suit), -1, -1, 0, 6});
    std::stable_sort(steps.begin() + long(begin), steps.end(), [](const Step& a, const Step& b) {
        return a.order != b.order ? a.order < b.order : a.turns < b.turns;
    });
}

// A stack as 30 bits: which stack it is, only while it has face-down cards (they are its own);
// how many are face down and face up; its lowest face-up card; and for each card on that, which of
// the two suits of its colour it is. The rest of a run follows from its first card.
uint64_t StackKey(const State& s, int st) {
    const int n = s.count[st];
    if (n == 0)
        return 0;
    const int down = s.down[st];
    const Card bottom = s.cards[st][down];
    uint64_t key = uint64_t(down > 0 ? st : 7);
    key = key << 5 | uint64_t(down);
    key = key << 4 | uint64_t(n - down);
    key = key << 6 | uint64_t((SuitOf(bottom) - 1) * 13 + NumberOf(bottom) - 1);
    uint64_t suits = 0;
    for (int r = down + 1; r < n; ++r)
        suits = suits << 1 | uint64_t((SuitOf(s.cards[st][r]) & 1) == 0);
    return key << 12 | suits;
}

// The key of a table: the stacks in order of their own keys (stacks in any order are the same
// table), the packs by suit (each is one suit from its ace, so its count says it all), where the
// pile ends in the row, and which cards of the first row are left. How many pile cards show
// fanned changes nothing a move can do.
void Search::KeyOf(uint64_t* key) const {
    uint64_t st[kStacks];
    for (int i = 0; i < kStacks; ++i) {
        const uint64_t k = StackKey(s, i);
        int j = i;
        for (; j > 0 && st[j - 1] < k; --j)
            st[j] = st[j - 1];
        st[j] = k;
    }
    key[0] = st[0] << 30 | st[1];
    key[1] = st[2] << 30 | st[3];
    key[2] = st[4] << 30 | st[5];
    key[3] = st[6] | uint64_t(s.pos) << 30 | uint64_t(s.home[1]) << 36 | uint64_t(s.home[2]) << 40 |
             uint64_t(s.home[3]) << 44 | uint64_t(s.home[4]) << 48;
    key[4] = s.talonLeft;
}

uint64_t Hash(const uint64_t* key, int words) {
    uint64_t h = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < words; ++i) {
        h = (h ^ key[i]) * 0xBF58476D1CE4E5B9u;
        h ^= h >> 31;
    }
    return h;
}

void Search::Grow() {
    slots.assign(std::max<size_t>(slots.size() * 2, size_t(1) << 17), 0);
    const size_t mask = slots.size() - 1;
    for (size_t k = 0; k < keys.size() / kKeyWords; ++k) {
        size_t i = Hash(&keys[k * kKeyWords], kKeyWords) & mask;
        while (slots[i] != 0)
            i = (i + 1) & mask;
        slots[i] = uint32_t(k + 1);
    }
}

// Adds a table's key; false when it was there already.
bool Search::Insert(const uint64_t* key) {
    const size_t stored = keys.size() / kKeyWords;
    if (2 * (stored + 1) > slots.size())
        Grow();
    const size_t mask = slots.size() - 1;
    size_t i = Hash(key, kKeyWords) & mask;
    for (; slots[i] != 0; i = (i + 1) & mask)
        if (std::equal(key, key + kKeyWords, &keys[size_t(slots[i] - 1) * kKeyWords]))
            return false;
    keys.insert(keys.end(), key, key + kKeyWords);
    slots[i] = uint32_t(stored + 1);
    return true;
}

// The search's steps as the model's moves, played on a copy of the table: each card from the deck
// after its turns, a pack found by its suit, and every face-down card a step leaves on top turned.
std::vector<Move> Search::Line(const std::vector<Step>& line) const {
    Table t = start;
    std::vector<Move> moves;
    auto play = [&](const Move& m) {
        Apply(t, options, m);
        moves.push_back(m);
    };
    auto turnUncovered = [&] {
        for (int st = 0; st < kStacks; ++st) {
            const int n = t.stackCount[st];
            if (n > 0 && t.faceDown[st][n - 1] == 1)
                play(Move::TurnCard(st, n - 1));
        }
    };
    auto packOf = [&](CCard c) {
        for (int p = 0; p < kPacks; ++p)
            if (t.packCount[p] > 0 && t.packs[p][0].GetSuit() == c.GetSuit())
                return p;
        return PackFor(t, c);
    };
    turnUncovered();
    for (const Step& m : line) {
        for (int k = 0; k < m.turns; ++k)
            play(Move::TurnDeck());
        switch (m.kind) {
            case Kind::kStackHome:
                play(*Move::Cards(Place::Stack(m.from), m.row,
                                  Place::Pack(packOf(t.stacks[m.from][m.row]))));
                break;
            case Kind::kStackStack:
                play(*Move::Cards(Place::Stack(m.from), m.row, Place::Stack(m.to)));
                break;
            case Kind::kTalonHome:
                play(*Move::Cards(Place::Pile(), -1, Place::Pack(packOf(t.pile.GetCard(0)))));
                break;
            case Kind::kTalonStack:
                play(*Move::Cards(Place::Pile(), -1, Place::Stack(m.to)));
                break;
            case Kind::kHomeStack:
                play(*Move::Cards(Place::Pack(packOf(CCard(m.from, 1))), -1, Place::Stack(m.to)));
                break;
        }
        turnUncovered();
    }
    return moves;
}

SolveResult Search::Run() {
    SolveResult result;
    if (!Representable(start))
        return result;  // unknown
    const auto begun = std::chrono::steady_clock::now();
    for (int st = 0; st < kStacks; ++st) {
        Undo ignored;
        TurnUncovered(s, st, &ignored);
    }
    // A frame of the search: its steps in `steps`, the next to try, and the step that led to it.
    struct Frame {
        size_t begin, end, next;
        Step step;
        Undo undo;
    };
    std::vector<Frame> path;
    uint64_t key[kKeyWords];
    KeyOf(key);
    Insert(key);
    Generate();
    path.push_back({0, steps.size(), 0, {}, {}});
    std::vector<Step> guess;
    if (!steps.empty())
        guess.push_back(steps.front());
    auto lineOf = [&] {
        std::vector<Step> line;
        for (size_t i = 1; i < path.size(); ++i)
            line.push_back(path[i].step);
        return line;
    };
    while (!path.empty()) {
        if (s.homeTotal == kAllHome) {
            result.outcome = SolveResult::Outcome::kWon;
            result.moves = Line(lineOf());
            return result;
        }
        Frame& top = path.back();
        if (top.next == top.end) {
            steps.resize(top.begin);
            if (path.size() > 1)
                Unmake(top.step, top.undo);
            path.pop_back();
            continue;
        }
        const Step step = steps[top.next++];
        Undo undo;
        Make(step, &undo);
        KeyOf(key);
        if (!Insert(key)) {
            Unmake(step, undo);
            continue;
        }
        ++result.states;
        const bool stopped = budget.stop && budget.stop->load(std::memory_order_relaxed);
        if (stopped || (result.states & 1023) == 0) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
            if (stopped || result.states >= budget.states || seconds >= budget.seconds) {
                result.moves = Line(guess);
                return result;  // unknown
            }
        }
        const size_t begin = steps.size();
        Generate();
        path.push_back({begin, steps.size(), begin, step, undo});
    }
    result.outcome = SolveResult::Outcome::kLost;
    return result;
}

}  // namespace

SolveResult Solve(const Table& start, const Options& options, const SolveBudget& budget) {
    return Search(start, options, budget).Run();
}
