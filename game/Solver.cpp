// SPDX-License-Identifier: GPL-3.0-or-later
// The search works on a small table of its own, changed in place and changed back, and tells tables
// apart by an exact key of five words. Four orders of search take turns (see Solve), and a game is
// lost only once every table it reaches has been looked at. What keeps it small: a table where some
// card can never leave its place or never go home goes no further (see Stuck); stacks in any order
// are one table, and so is the deck at any place of its round; cards the deck brings up are played
// without turning it for its own sake; a card two stack tops take goes onto one of them only; a
// face-down top card is turned at once, and a card no card will want goes home at once and never
// comes back; a top card that can go home, and could come back where it lies, goes home before any
// step but one that uses it (see HomeFirst); steps that only make a later use possible wait for it
// (see Useful), and it comes at once after them (see Uses); a card comes back off its pack only
// when a card can go on it, or the card under it come back, at once; three cards turned, a table
// another does all the work of is not looked at (see Covered). Its line is then played through the
// model's own moves, and that is what the caller gets.
#include "game/Solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <deque>
#include <queue>

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
int Index(Card c) {
    return (SuitOf(c) - 1) * 13 + NumberOf(c) - 1;
}
uint64_t Bit(Card c) {
    return uint64_t(1) << Index(c);
}

// Sets of cards as bits by index, each suit's thirteen from its ace up.
constexpr uint64_t kSuitRanks = 0x1FFF;
constexpr uint64_t kAllCards = (uint64_t(1) << 52) - 1;
constexpr uint64_t kAces = 1 | uint64_t(1) << 13 | uint64_t(1) << 26 | uint64_t(1) << 39;
constexpr uint64_t kKings = kAces << 12;
// The cards that can go on one of a set: each a rank below and of the other colour.
uint64_t CardsGoingOn(uint64_t set) {
    auto ranks = [set](int suit) { return set >> ((suit - 1) * 13) & kSuitRanks; };
    const uint64_t red = (ranks(3) | ranks(4)) >> 1;
    const uint64_t black = (ranks(1) | ranks(2)) >> 1;
    return red | red << 13 | black << 26 | black << 39;
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

// Calls `visit(top, turns)` for each place of the talon row that turning the deck brings to the
// pile's top through one whole round, with the turns it takes: the pile's top now first.
template <typename Visit>
void ForEachTurn(const State& s, int perTurn, Visit visit) {
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
        if (p > 0)
            visit(p - 1, turns);
    }
}

class Search {
  public:
    // Which table is looked at next: the most promising (by Score, or by ReachScore), or the
    // latest found, deepest first, with the steps from a table tried in their order or the other
    // way round.
    enum class Order { kBest, kBestByReach, kDeepFirstStepFirst, kDeepLastStepFirst };
    enum class Status { kGoing, kWon, kLost, kCannot };
    Search(const Table& start, const Options& options, const SolveBudget& budget);
    // kCannot when the table is not one the search can hold, else kGoing.
    Status Begin();
    // Looks at the next table in an order: kWon when it is won, kLost when no table is left to
    // look at in any order.
    Status Expand(Order order);
    std::vector<Move> Winning() const { return Line(PathTo(wonAt)); }
    // The first move towards the most promising table found.
    std::vector<Move> Guess() const;
    uint64_t States() const { return parent.size() - 1; }

  private:
    bool Representable(const Table& t) const;
    void Make(const Step& m, Undo* u);
    void Unmake(const Step& m, const Undo& u);
    bool WantedNoMore(Card c) const;
    bool Coverable(Card w, Card notCard) const;
    bool KingReady() const;
    unsigned HomeFirst() const;
    bool ForLater(const Step& m) const;
    bool Useful(const Step& m, const Undo& undo) const;
    bool Stuck() const;
    void Generate();
    void Targets(Card head, int count, int own, const Step& step);
    // The key of the table, from the keys of its stacks when they are known already.
    void KeyOf(uint64_t* key, const uint64_t* stackKeys = nullptr) const;
    // The index of a table's key, or kNone with the slot where Add puts it.
    uint32_t Find(const uint64_t* key, uint64_t hash, size_t* slot);
    uint32_t Add(const uint64_t* key, uint64_t hash, size_t slot);
    struct Group;
    static uint64_t GroupHash(const uint64_t* key);
    Group* GroupOf(const uint64_t* key, uint64_t groupHash, bool add);
    bool Covered(const uint64_t* key, uint64_t groupHash);
    void Cover(const uint64_t* key, uint64_t groupHash, uint32_t index);
    int PileEnd(uint32_t index) const {
        return int(keys[size_t(index) * kKeyWords + 3] >> 30 & 63);
    }
    bool Uses(const Step& m) const;
    void Grow();
    void Decode(const uint64_t* key, State* out) const;
    std::vector<Move> Line(const std::vector<uint32_t>& path) const;
    int Score() const;
    int ReachScore() const;
    std::vector<uint32_t> PathTo(uint32_t index) const;

    static constexpr uint64_t kStackMask = (uint64_t(1) << 30) - 1;

    const Table& start;
    const Options& options;
    const SolveBudget& budget;
    const int perTurn;
    State s;
    uint8_t idOf[256] = {};  // a talon card's place in the first row
    // Of the table steps are generated from: the cards turning the deck brings up, and the
    // stacks' face-up cards.
    uint64_t reach = 0;
    uint64_t faceUp = 0;
    uint8_t accepts[64];  // for each card, the stacks whose top card takes it
    int firstEmpty = -1;
    std::vector<Step> steps;  // the steps from the table looked at
    struct Child {
        uint64_t key[5];
        uint64_t hash;
        uint64_t groupHash;  // when grouped (see Covered)
        int score;
        int reachScore;  // only when found by kBestByReach
        uint8_t want;
    };
    std::vector<Child> children;  // the tables those steps lead to

    // The tables seen: their keys, and an open-addressed index into them.
    static constexpr int kKeyWords = 5;
    std::vector<uint64_t> keys;
    // A slot holds the high half of a key's hash and 1 + its index; 0 when free.
    std::vector<uint64_t> slots;
    static constexpr uint64_t kIndexMask = 0xFFFFFFFFu;
    // Three cards turned, tables that differ only in where the pile ends are a group: from an end
    // that is not at the start of a round, turning brings up every card it does from the start
    // and from any later end a multiple of three away (see Covered). For each group, by that end's
    // remainder after threes, 1 or 2: the table with the lowest such end that every step is tried
    // from.
    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    static constexpr uint64_t kPileEndBits = uint64_t(63) << 30;
    struct Group {
        uint64_t hash = 0;  // 0 for a free slot
        uint32_t lowest[2] = {kNone, kNone};
    };
    std::vector<Group> groups;
    size_t groupCount = 0;
    // For each table seen, by its key's index: the table it was reached from, and the step.
    std::vector<uint32_t> parent;
    std::vector<Step> stepTo;
    // For each table seen: 0 when any step from it may be tried; else it was reached by a step
    // that only made a use possible, and only that use is tried from it (see Uses). The use is of
    // the card the step uncovered, or kAnyEmpty for a king onto an empty stack.
    static constexpr uint8_t kAnyEmpty = 1;
    std::vector<uint8_t> want;
    // For each table seen: 1 once it has been looked at with its want.
    std::vector<uint8_t> looked;
    uint8_t wanted = 0;  // of the table looked at
    // The tables found and not yet looked at, each in the order that found it: for the two best
    // first, a table's score above its index; for the others, the next last.
    std::priority_queue<uint64_t> open;
    std::priority_queue<uint64_t> openByReach;
    std::deque<uint32_t> deep[2];
    uint32_t best = 0;
    int bestScore = 0;
    uint32_t wonAt = 0;
    // What keys leave out: the deck and pile's first row, and the stacks' face-down cards.
    Card firstTalon[kTalonMax];
    int firstTalonCount = 0;
    Card firstStacks[kStacks][kStackCapacity];
};

Search::Search(const Table& t, const Options& o, const SolveBudget& b)
    : start(t), options(o), budget(b), perTurn(o.DealsOne() ? 1 : kFannedMax) {
    for (int i = t.pile.GetNumCards() - 1; i >= 0; --i)
        s.talon[s.talonCount++] = Code(t.pile.GetCard(i));
    s.pos = s.talonCount;
    for (int i = 0; i < t.deck.GetNumCards() && s.talonCount < kTalonMax; ++i)
        s.talon[s.talonCount++] = Code(t.deck.GetCard(i));
    firstTalonCount = s.talonCount;
    for (int i = 0; i < s.talonCount; ++i) {
        firstTalon[i] = s.talon[i];
        idOf[s.talon[i]] = uint8_t(i);
        s.talonLeft |= uint64_t(1) << i;
    }
    for (int st = 0; st < kStacks; ++st) {
        s.count[st] = t.stackCount[st];
        for (int r = 0; r < t.stackCount[st]; ++r) {
            s.cards[st][r] = firstStacks[st][r] = Code(t.stacks[st][r]);
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

// Whether no card will ever want a card on a stack: it is a two or lower, or every card that could
// want it as a parent is home, both other-colour cards a rank below it, and with them every card
// that could want one of those brought back down, the other same-colour card two ranks below it.
// Such a card going home from a stack's top is never the wrong move, and one home never needs to
// come back. (A card that goes home from a stack only uncovers another; one from the pile would
// change which cards later turns of the deck bring up, so the pile's are not sent home at once.)
bool Search::WantedNoMore(Card c) const {
    const int suit = SuitOf(c);
    const int number = NumberOf(c);
    if (number <= 2)
        return true;
    const bool red = suit <= 2;
    const int partner = red ? 3 - suit : 7 - suit;
    return s.home[red ? 3 : 1] >= number - 1 && s.home[red ? 4 : 2] >= number - 1 &&
           s.home[partner] >= number - 2;
}

// The steps that put a card, with `count` cards on it for a run, on a stack other than `own`:
// the step given, to a stack that takes it. A king goes to the first empty stack only, as stacks
// in another order are the same table. A card that both stack tops of the other colour a rank
// higher take goes onto the first only. With it there, the second stays as free as the first
// would have, so a game with it on the second is played as well with it on the first, until the
// game puts a card on the first or sends the first home: the card then moves across to the second
// with the cards on it (a step that waits for its use, see Useful), and the tables are the same
// again. Where the game moves the first with nothing on it, it moves it with the card on it.
void Search::Targets(Card head, int count, int own, const Step& step) {
    unsigned to =
        NumberOf(head) == 13 ? (firstEmpty >= 0 ? 1u << firstEmpty : 0u) : accepts[Index(head)];
    to &= ~(own >= 0 ? 1u << own : 0u);
    for (; to != 0; to &= to - 1) {
        const int st = std::countr_zero(to);
        if (s.count[st] + count <= kStackCapacity) {
            steps.push_back(step);
            steps.back().to = int8_t(st);
            if (!budget.everyStep)
                break;
        }
    }
}

// The steps from the table, in the order they are tried: home to the packs first, then runs that
// uncover a face-down card or empty a stack, then cards from the deck and pile, then the rest of
// the runs, and cards back off the packs last. Cards the deck brings up sooner go first.
void Search::Generate() {
    const size_t begin = steps.size();
    std::fill(std::begin(accepts), std::end(accepts), uint8_t(0));
    firstEmpty = -1;
    for (int st = kStacks - 1; st >= 0; --st) {
        const int n = s.count[st];
        if (n == 0) {
            firstEmpty = st;
            continue;
        }
        const Card top = s.cards[st][n - 1];
        if (NumberOf(top) >= 2)
            for (int suit : Red(top) ? std::array{3, 4} : std::array{1, 2})
                accepts[Index(Card(suit * 16 + NumberOf(top) - 1))] |= uint8_t(1u << st);
    }
    for (int st = 0; st < kStacks; ++st) {
        const int n = s.count[st];
        const Card top = n > s.down[st] ? s.cards[st][n - 1] : 0;
        if (!budget.everyStep && top != 0 && s.home[SuitOf(top)] == NumberOf(top) - 1 &&
            WantedNoMore(top)) {
            steps.push_back({Kind::kStackHome, int8_t(st), int8_t(n - 1), -1, 0, 0});
            return;  // the one step from here
        }
    }
    // Turned one at a time, every card of the deck and pile comes up in every round, whatever
    // leaves it, so one no card will want goes home from there at once too.
    if (!budget.everyStep && options.DealsOne())
        for (int i = 0; i < s.talonCount; ++i) {
            const Card c = s.talon[i];
            if (s.home[SuitOf(c)] == NumberOf(c) - 1 && WantedNoMore(c)) {
                steps.push_back({Kind::kTalonHome, int8_t(i), -1, -1, 0, 0});
                return;
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
    reach = 0;
    ForEachTurn(s, perTurn, [this](int top, int turns) {
        const Card c = s.talon[top];
        reach |= Bit(c);
        if (s.home[SuitOf(c)] == NumberOf(c) - 1)
            steps.push_back({Kind::kTalonHome, int8_t(top), -1, -1, int8_t(turns), 1});
        Targets(c, 1, -1, {Kind::kTalonStack, int8_t(top), -1, -1, int8_t(turns), 3});
    });
    // A card comes back from its pack to take another, so not one no card will ever want.
    if (!options.PacksFrozen())
        for (int suit = 1; suit <= 4; ++suit)
            if (s.home[suit] > 0 &&
                (budget.everyStep || !WantedNoMore(Card(suit * 16 + s.home[suit]))))
                Targets(Card(suit * 16 + s.home[suit]), 1, -1,
                        {Kind::kHomeStack, int8_t(suit), -1, -1, 0, 6});
    // Steps whose only use is later are left for later: see Useful.
    faceUp = 0;
    for (int st = 0; st < kStacks; ++st)
        for (int r = s.down[st]; r < s.count[st]; ++r)
            faceUp |= Bit(s.cards[st][r]);
    const unsigned homeFirst = wanted == 0 ? HomeFirst() : 0;
    size_t kept = begin;
    for (size_t i = begin; i < steps.size(); ++i) {
        const Step& m = steps[i];
        bool keep = wanted == 0 || Uses(m);
        if (homeFirst != 0)
            keep = m.kind == Kind::kStackHome
                       ? m.from == std::countr_zero(homeFirst)
                       : m.kind == Kind::kHomeStack || (m.to >= 0 && (homeFirst >> m.to & 1) != 0);
        if (keep && ForLater(m)) {
            Undo undo;
            Make(m, &undo);
            keep = Useful(m, undo);
            Unmake(m, undo);
        } else if (keep && !budget.everyStep && m.kind == Kind::kTalonStack && options.DealsOne()) {
            // Turned one at a time, every card of the deck and pile comes up in every round, so
            // taking one out changes nothing the deck can do: the card is put on a stack only
            // when a card could go on it at once, as it can wait for that.
            keep = Coverable(s.talon[m.from], 0);
        } else if (keep && !budget.everyStep && m.kind == Kind::kTalonHome && options.DealsOne()) {
            // For the same reason, a card goes home from there only when the next of its suit
            // could follow it: that is all its going home makes possible.
            const Card c = s.talon[m.from];
            keep = NumberOf(c) < 13 && ((reach | faceUp) & Bit(Card(c + 1))) != 0;
        } else if (keep && !budget.everyStep && m.kind == Kind::kHomeStack && wanted == 0) {
            // A card back off its pack is of use only to take a card, or to let the card under
            // it on the pack come back too (a king onto an empty stack, so that its queen can go
            // on a king of the other colour); so it comes back only when one of those could
            // follow at once, as it can wait for that. (At a table reached for one use, a card
            // back onto the card wanted is that use: it may have gone home early, see HomeFirst.)
            const Card c = Card(m.from * 16 + s.home[m.from]);
            keep = Coverable(c, 0) || (NumberOf(c) >= 2 && accepts[Index(Card(c - 1))] != 0);
        }
        if (keep)
            steps[kept++] = m;
    }
    steps.resize(kept);
    // Sorted by insertion, which keeps equals in the order found: the steps are few, and a
    // stable sort would take memory for each table.
    for (size_t i = begin + 1; i < steps.size(); ++i) {
        const Step m = steps[i];
        size_t j = i;
        for (; j > begin && (m.order != steps[j - 1].order ? m.order < steps[j - 1].order
                                                           : m.turns < steps[j - 1].turns);
             --j)
            steps[j] = steps[j - 1];
        steps[j] = m;
    }
}

// The stacks whose top card is best sent home before anything else is done, as bits: with the
// cards free to come back off the packs, each top card that can go home and lies on a face-up
// card. Whatever a game does with such a card where it lies, it does as well with the card home:
// the card it lay on stays free for it, and it comes back when it is wanted, to take a card or to
// let the card under it on its pack come back. A card on a face-down card, or alone on its stack,
// could not come back to where it lay. So from a table with such cards, the steps tried are the
// first of them going home, the steps that put a card on one of them, and cards back off their
// packs, as a game may bring several back before such a use.
unsigned Search::HomeFirst() const {
    unsigned stacks = 0;
    if (budget.everyStep || options.PacksFrozen())
        return stacks;
    for (int st = 0; st < kStacks; ++st) {
        const int n = s.count[st];
        if (n - 1 > s.down[st] &&
            s.home[SuitOf(s.cards[st][n - 1])] == NumberOf(s.cards[st][n - 1]) - 1)
            stacks |= 1u << st;
    }
    return stacks;
}

// Whether some card could go on a card: one of the two of the other colour a rank lower, but not
// `notCard`, which has just come off it, face up on a stack, brought up by turning the deck, or on
// its pack.
bool Search::Coverable(Card w, Card notCard) const {
    if (NumberOf(w) < 2)
        return false;
    const int number = NumberOf(w) - 1;
    uint64_t ready = reach | faceUp;
    uint64_t wanted = 0;
    for (int suit : Red(w) ? std::array{3, 4} : std::array{1, 2}) {
        const Card y = Card(suit * 16 + number);
        wanted |= Bit(y);
        if (!options.PacksFrozen() && s.home[suit] >= number)
            ready |= Bit(y);
    }
    return (ready & wanted & ~(notCard != 0 ? Bit(notCard) : 0)) != 0;
}

// Whether a king could go to an empty stack now: one with cards below it on a stack, one turning
// the deck brings up, or one on its pack.
bool Search::KingReady() const {
    for (int suit = 1; suit <= 4; ++suit) {
        const Card king = Card(suit * 16 + 13);
        if ((reach & Bit(king)) != 0 || (!options.PacksFrozen() && s.home[suit] == 13))
            return true;
    }
    for (int st = 0; st < kStacks; ++st)
        if (s.down[st] > 0 && s.down[st] < s.count[st] && NumberOf(s.cards[st][s.down[st]]) == 13)
            return true;
    return false;
}

// Whether some card can never leave the card or place under it on a stack, or the deck and pile,
// or can never go home, so the game is lost. A card goes home once every lower card of its suit
// is home or can go there, and it is uncovered, or for one of the deck and pile, once it can come
// to the pile's top. A card that only leaves with the cards on it still has them to shed before
// it goes home. A card leaves for its pack that way; or onto one of the two cards of the other
// colour a rank higher, once that card is uncovered, or put on a stack itself if it is off them;
// a king onto an empty stack, once a stack is empty or its bottom card can leave. A card home
// comes back onto a stack only from the top of its pack, so once the one above it could. A
// face-down card does nothing until the card on it has left. A card of the deck and pile leaves
// only from the pile's top: one that turning does not bring there now gets there only in a later
// round, once enough cards before it in the row have left to move it up to a place turning
// reaches (or every card after it has, which makes it the last); or once the card after it has
// left from the pile's top, which leaves it on top. Starting from "no card can leave or go home",
// a card is added once one of these holds by what is known so far. The cards that leave or go
// home in a real game are all added in the order they first do, as each needs only what happened
// before it; so a card never added as going home never does, and the game cannot be won. Nothing
// under a face-down card or under a run's lowest card is added before that card, so such a card
// never counts on one under itself; a card higher in a run may, as the cards under it can carry
// it off first. What is known only grows, so the cards are added a set at a time, each set by what
// was known before it, and the same cards are added in the end whatever the order.
bool Search::Stuck() const {
    uint64_t onStacks = 0, down = 0, bottoms = 0;
    uint64_t uncovered = 0;  // cards on the stacks with no card on them, or only cards that leave
    uint8_t under[52];       // by card index: the card under it on its stack, 255 for none
    bool emptied = false;    // whether a stack is empty, or its bottom card can leave
    for (int st = 0; st < kStacks; ++st) {
        const int n = s.count[st];
        emptied = emptied || n == 0;
        for (int r = 0; r < n; ++r) {
            const int c = Index(s.cards[st][r]);
            onStacks |= uint64_t(1) << c;
            down |= uint64_t(r < s.down[st] ? 1 : 0) << c;
            under[c] = r > 0 ? uint8_t(Index(s.cards[st][r - 1])) : 255;
        }
        if (n > 0) {
            uncovered |= Bit(s.cards[st][n - 1]);
            bottoms |= Bit(s.cards[st][0]);
        }
    }
    // The deck and pile, by place in their row.
    const uint64_t row = (uint64_t(1) << s.talonCount) - 1;
    uint64_t rowTops = 0;  // the places turning brings to the pile's top now
    ForEachTurn(s, perTurn, [&rowTops](int top, int) { rowTops |= uint64_t(1) << top; });
    uint64_t inRow = 0;
    uint8_t rowOf[52];  // by card index: its place in the row
    for (int i = 0; i < s.talonCount; ++i) {
        inRow |= Bit(s.talon[i]);
        rowOf[Index(s.talon[i])] = uint8_t(i);
    }
    // Cards home that may be put on a stack: none with the packs frozen. A pack gives its top
    // card first, and the next only once the one above it could go onto a stack.
    const uint64_t onPacks = options.PacksFrozen() ? 0 : kAllCards & ~onStacks & ~inRow;
    uint64_t packTops = 0;
    for (int suit = 1; suit <= 4; ++suit)
        if (s.home[suit] > 0)
            packTops |= Bit(Card(suit * 16 + s.home[suit]));
    uint64_t leaves = 0;     // cards on the stacks known to be able to leave what is under them
    uint64_t rowLeaves = 0;  // places of the row whose cards are known to be able to leave it
    uint64_t leftRow = 0;    // those cards
    uint64_t placed = 0;     // cards off the stacks known to be able to go onto one
    uint64_t tops = 0;       // places of the row whose cards may come to the pile's top
    uint64_t topCards = 0;   // those cards
    uint64_t homed = 0;      // cards on the stacks or in the row known to be able to go home
    for (;;) {
        const uint64_t kings = emptied ? kKings : 0;
        uint64_t moreTops = rowTops | rowLeaves >> 1;
        if (rowLeaves != 0)
            for (uint64_t b = row & ~tops & ~moreTops; b != 0; b &= b - 1) {
                // A round begun once cards before this one have left brings it up if that many
                // moved it to a place turning reaches; and the last card always comes up.
                const int at = std::countr_zero(b);
                const int before = std::popcount(rowLeaves & ((uint64_t(1) << at) - 1));
                if (before >= (at + 1) % perTurn || (row & ~rowLeaves) >> (at + 1) == 0)
                    moreTops |= uint64_t(1) << at;
            }
        for (uint64_t b = moreTops & ~tops; b != 0; b &= b - 1)
            topCards |= Bit(s.talon[std::countr_zero(b)]);
        tops |= moreTops;
        const uint64_t coming = topCards & ~leftRow;  // and not yet known to leave
        // The cards a card can be put on: on a stack and uncovered, or off them and placed; a
        // card off the stacks is placed when a king and a stack is empty, or when it goes on one.
        const uint64_t uncoveredOnStacks = onStacks & uncovered;
        for (uint64_t more = 1; more != 0; placed |= more) {
            const uint64_t offPacks = onPacks & (packTops | (placed >> 1 & ~kKings));
            more = (offPacks | leftRow | coming) & ~placed &
                   (kings | CardsGoingOn(uncoveredOnStacks | placed));
        }
        const uint64_t viaStack = kings | CardsGoingOn(uncoveredOnStacks | placed);
        // Of each suit, the cards up to its lowest not home and not known to be able to go there.
        const uint64_t waiting = onStacks & ~leaves;
        const uint64_t notHomed = (onStacks | inRow) & ~homed;
        uint64_t homeReady = 0;
        for (int suit = 1; suit <= 4; ++suit) {
            const uint64_t w = notHomed >> ((suit - 1) * 13) & kSuitRanks;
            homeReady |= (w != 0 ? ((w & (0 - w)) << 1) - 1 : kSuitRanks) << ((suit - 1) * 13);
        }
        const uint64_t moreHomed = ((onStacks & uncovered) | topCards) & homeReady & ~homed;
        const uint64_t can = waiting & (uncovered | ~down) & ((uncovered & homeReady) | viaStack);
        const uint64_t canRow = coming & (homeReady | viaStack);
        if (can == 0 && canRow == 0 && moreHomed == 0)
            return notHomed != 0;
        homed |= moreHomed;
        leftRow |= canRow;
        for (uint64_t b = canRow; b != 0; b &= b - 1)
            rowLeaves |= uint64_t(1) << rowOf[std::countr_zero(b)];
        leaves |= can;
        emptied = emptied || (can & bottoms) != 0;
        for (uint64_t rest = can; rest != 0; rest &= rest - 1) {
            // The card under one that leaves is uncovered, and may leave at once by what is
            // known already, and so on down its stack.
            for (int c = std::countr_zero(rest); under[c] != 255; c = under[c]) {
                const uint64_t bit = uint64_t(1) << under[c];
                uncovered |= bit;
                if ((leaves & bit) != 0 || (bit & (homeReady | viaStack)) == 0)
                    break;
                leaves |= bit;
                emptied = emptied || (bit & bottoms) != 0;
            }
        }
    }
}

// Two steps do nothing by themselves but make a use possible: a run taken off part of another run
// uncovers a face-up card, and a whole run moved off an empty stack's bottom empties it. Nothing
// else changes by them (a card put on another covers it, which is never of use), so in any winning
// line such a step can wait until just before its use. So the search makes one only when a use
// could follow at once: the uncovered card goes home or takes a card (not the run just moved off
// it); a king is ready for the empty stack. The uncovered card moving on is no use of its own: it
// could as well move with the run still on it, and the run come off later if ever. What counts as
// ready never waits on another such step, so the steps can always be put in that order, and the
// search stays exact.
bool Search::Useful(const Step& m, const Undo& undo) const {
    const int a = m.from;
    if (s.count[a] == 0)
        return KingReady();
    const Card w = s.cards[a][s.count[a] - 1];
    return s.home[SuitOf(w)] == NumberOf(w) - 1 ||
           Coverable(w, s.cards[m.to][s.count[m.to] - undo.moved]);
}

// Whether a step's only use is later (see Useful): a run taken off part of another run, or a whole
// run moved off an empty stack's bottom.
bool Search::ForLater(const Step& m) const {
    return !budget.everyStep && m.kind == Kind::kStackStack &&
           (m.row > s.down[m.from] || m.row == 0);
}

// Whether a step makes the use the table was reached for: the card wanted goes home or takes a
// card, or a king goes onto an empty stack. As a step whose only use is later can wait until just
// before its use (see Useful), only that use is tried after it. The steps that came between in a
// won game touch neither the uncovered card nor the place it was left for; those that move or
// cover the cards moved off it can move or cover them where they were.
bool Search::Uses(const Step& m) const {
    if (m.kind == Kind::kStackHome)
        return wanted != kAnyEmpty && s.cards[m.from][s.count[m.from] - 1] == wanted;
    if (m.to < 0)
        return false;
    if (wanted == kAnyEmpty)
        return s.count[m.to] == 0;
    return s.count[m.to] > 0 && s.cards[m.to][s.count[m.to] - 1] == wanted;
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
void Search::KeyOf(uint64_t* key, const uint64_t* stackKeys) const {
    uint64_t st[kStacks];
    for (int i = 0; i < kStacks; ++i) {
        const uint64_t k = stackKeys != nullptr ? stackKeys[i] : StackKey(s, i);
        int j = i;
        for (; j > 0 && st[j - 1] < k; --j)
            st[j] = st[j - 1];
        st[j] = k;
    }
    key[0] = st[0] << 30 | st[1];
    key[1] = st[2] << 30 | st[3];
    key[2] = st[4] << 30 | st[5];
    // Turning the deck goes round the places a multiple of the cards a turn takes, and the end
    // of the row, one after another: a table at any of them is the table at the start of the row.
    const int pos = s.pos % perTurn == 0 || s.pos == s.talonCount ? 0 : s.pos;
    key[3] = st[6] | uint64_t(pos) << 30 | uint64_t(s.home[1]) << 36 | uint64_t(s.home[2]) << 40 |
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
        const uint64_t hash = Hash(&keys[k * kKeyWords], kKeyWords);
        size_t i = hash & mask;
        while (slots[i] != 0)
            i = (i + 1) & mask;
        slots[i] = (hash >> 32) << 32 | (k + 1);
    }
}

uint32_t Search::Find(const uint64_t* key, uint64_t hash, size_t* slot) {
    if (2 * (keys.size() / kKeyWords + 1) > slots.size())
        Grow();
    const size_t mask = slots.size() - 1;
    const uint64_t tag = (hash >> 32) << 32;
    size_t i = hash & mask;
    for (; slots[i] != 0; i = (i + 1) & mask)
        if ((slots[i] & ~kIndexMask) == tag &&
            std::equal(key, key + kKeyWords, &keys[((slots[i] & kIndexMask) - 1) * kKeyWords]))
            return uint32_t((slots[i] & kIndexMask) - 1);
    *slot = i;
    return kNone;
}

uint32_t Search::Add(const uint64_t* key, uint64_t hash, size_t slot) {
    const size_t stored = keys.size() / kKeyWords;
    keys.insert(keys.end(), key, key + kKeyWords);
    slots[slot] = (hash >> 32) << 32 | (stored + 1);
    return uint32_t(stored);
}

uint64_t Search::GroupHash(const uint64_t* key) {
    uint64_t k[kKeyWords];
    std::copy(key, key + kKeyWords, k);
    k[3] &= ~kPileEndBits;
    return Hash(k, kKeyWords) | 1;  // never 0, which marks a free slot
}

// The group of tables a key's table belongs to; nullptr when none has been recorded and `add` is
// false.
Search::Group* Search::GroupOf(const uint64_t* key, uint64_t hash, bool add) {
    if (add && 2 * (groupCount + 1) > groups.size()) {
        std::vector<Group> old(std::max<size_t>(groups.size() * 2, size_t(1) << 16));
        old.swap(groups);
        for (const Group& g : old)
            if (g.hash != 0) {
                size_t i = g.hash & (groups.size() - 1);
                while (groups[i].hash != 0)
                    i = (i + 1) & (groups.size() - 1);
                groups[i] = g;
            }
    }
    if (groups.empty())
        return nullptr;
    const size_t mask = groups.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Group& g = groups[i];
        if (g.hash == 0) {
            if (!add)
                return nullptr;
            g.hash = hash;
            ++groupCount;
            return &g;
        }
        if (g.hash == hash) {
            const uint64_t* member =
                &keys[size_t(g.lowest[0] != kNone ? g.lowest[0] : g.lowest[1]) * kKeyWords];
            if (member[0] == key[0] && member[1] == key[1] && member[2] == key[2] &&
                ((member[3] ^ key[3]) & ~kPileEndBits) == 0 && member[4] == key[4])
                return &g;
        }
    }
}

// Whether a table new to the search needs no looking at, as another of its group does all it
// does: every step from a table brings up the same cards from the deck, or fewer, than from one
// whose pile ends before it in the same round, and leads to the same table, or to one that again
// differs only there. So whatever wins from the one wins from the other. From the start of a
// round turning reaches a card every three, and the last; from another end, those cards too.
bool Search::Covered(const uint64_t* key, uint64_t groupHash) {
    const Group* g = GroupOf(key, groupHash, false);
    if (g == nullptr)
        return false;
    const int end = int(key[3] >> 30 & 63);
    if (end == 0)
        return g->lowest[0] != kNone || g->lowest[1] != kNone;
    const uint32_t other = g->lowest[end % 3 - 1];
    return other != kNone && PileEnd(other) < end;
}

// Records a table new to the search, every step to be tried from it, for Covered.
void Search::Cover(const uint64_t* key, uint64_t groupHash, uint32_t index) {
    const int end = int(key[3] >> 30 & 63);
    if (end == 0)
        return;
    uint32_t& lowest = GroupOf(key, groupHash, true)->lowest[end % 3 - 1];
    if (lowest == kNone || PileEnd(lowest) > end)
        lowest = index;
}

// The table a key stands for. A stack with face-down cards goes back to its own place; the others
// fill the places left, in the key's order, so a step's stacks are those of this layout.
void Search::Decode(const uint64_t* key, State* out) const {
    State& d = *out;
    d.talonLeft = key[4];
    d.talonCount = 0;
    for (int i = 0; i < firstTalonCount; ++i)
        if (d.talonLeft >> i & 1)
            d.talon[d.talonCount++] = firstTalon[i];
    d.pos = int(key[3] >> 30 & 63);
    d.homeTotal = 0;
    for (int suit = 1; suit <= 4; ++suit) {
        d.home[suit] = int(key[3] >> (32 + 4 * suit) & 15);
        d.homeTotal += d.home[suit];
    }
    uint64_t stacks[kStacks] = {key[0] >> 30,        key[0] & kStackMask, key[1] >> 30,
                                key[1] & kStackMask, key[2] >> 30,        key[2] & kStackMask,
                                key[3] & kStackMask};
    bool taken[kStacks] = {};
    int free = 0;
    auto place = [&](uint64_t k, int st) {
        taken[st] = true;
        d.count[st] = d.down[st] = 0;
        if (k == 0)
            return;
        const int down = int(k >> 22 & 31);
        const int up = int(k >> 18 & 15);
        const int bottom = int(k >> 12 & 63);
        for (int r = 0; r < down; ++r)
            d.cards[st][r] = firstStacks[st][r];
        Card c = Card((bottom / 13 + 1) * 16 + bottom % 13 + 1);
        d.cards[st][down] = c;
        for (int r = 1; r < up; ++r) {
            const bool second = k >> (up - 1 - r) & 1;
            const int suit = (Red(c) ? 3 : 1) + (second ? 1 : 0);
            c = Card(suit * 16 + NumberOf(c) - 1);
            d.cards[st][down + r] = c;
        }
        d.down[st] = down;
        d.count[st] = down + up;
    };
    for (uint64_t k : stacks)
        if (k >> 27 != 7 && k != 0)
            place(k, int(k >> 27));
    for (uint64_t k : stacks)
        if (k >> 27 == 7 || k == 0) {
            while (taken[free])
                ++free;
            place(k, free);
        }
}

// The search's steps as the model's moves, played on a copy of the table: each card from the deck
// after its turns, a pack found by its suit, a stack found by its top card (an empty one, the first
// empty one), and every face-down card a step leaves on top turned.
std::vector<Move> Search::Line(const std::vector<uint32_t>& path) const {
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
    State d;
    auto stackOf = [&](int st) {
        for (int real = 0; real < kStacks; ++real) {
            const int n = t.stackCount[real];
            if (d.count[st] == 0
                    ? n == 0
                    : n > 0 && Code(t.stacks[real][n - 1]) == d.cards[st][d.count[st] - 1])
                return real;
        }
        return 0;
    };
    turnUncovered();
    for (size_t i = 1; i < path.size(); ++i) {
        Decode(&keys[size_t(path[i - 1]) * kKeyWords], &d);
        const Step& m = stepTo[path[i]];
        if (m.kind == Kind::kTalonHome || m.kind == Kind::kTalonStack) {
            // The deck is turned until the card shows: the key may stand for a table where the
            // pile ended elsewhere in the same round.
            const CCard wanted(SuitOf(d.talon[m.from]), NumberOf(d.talon[m.from]));
            for (int k = 0; k <= 2 * kTalonMax + 2; ++k) {
                if (t.pile.GetNumCards() > 0 && t.pile.GetCard(0) == wanted)
                    break;
                play(Move::TurnDeck());
            }
        }
        switch (m.kind) {
            case Kind::kStackHome: {
                const int from = stackOf(m.from);
                play(*Move::Cards(Place::Stack(from), m.row,
                                  Place::Pack(PackFor(t, t.stacks[from][m.row]))));
                break;
            }
            case Kind::kStackStack:
                play(*Move::Cards(Place::Stack(stackOf(m.from)), m.row,
                                  Place::Stack(stackOf(m.to))));
                break;
            case Kind::kTalonHome:
                play(*Move::Cards(Place::Pile(), -1, Place::Pack(PackFor(t, t.pile.GetCard(0)))));
                break;
            case Kind::kTalonStack:
                play(*Move::Cards(Place::Pile(), -1, Place::Stack(stackOf(m.to))));
                break;
            case Kind::kHomeStack:
                play(*Move::Cards(Place::Pack(PacksForSuits(t).pack[m.from]), -1,
                                  Place::Stack(stackOf(m.to))));
                break;
        }
        turnUncovered();
    }
    return moves;
}

// How promising a table looks: a face-down card counts three times a card home, or one fewer in
// the deck and pile. Other weights tried did no better.
int Search::Score() const {
    int down = 0;
    for (int st = 0; st < kStacks; ++st)
        down += s.down[st];
    return s.homeTotal - 3 * down - s.talonCount;
}

// The same, with an empty stack and a card that turning brings up each counting three. Some deals
// are won at once looking this way and not the other, and the other way round.
int Search::ReachScore() const {
    int empty = 0;
    for (int st = 0; st < kStacks; ++st)
        empty += s.count[st] == 0 ? 1 : 0;
    uint64_t cards = 0;
    ForEachTurn(s, perTurn, [this, &cards](int top, int) { cards |= Bit(s.talon[top]); });
    return Score() + 3 * empty + 3 * std::popcount(cards);
}

// The tables from the first to a table, by the tables they came from.
std::vector<uint32_t> Search::PathTo(uint32_t index) const {
    std::vector<uint32_t> path{index};
    while (path.back() != 0)
        path.push_back(parent[path.back()]);
    std::reverse(path.begin(), path.end());
    return path;
}

uint64_t Entry(int score, uint32_t index) {
    return uint64_t(uint32_t(score + (1 << 30))) << 32 | index;
}

Search::Status Search::Begin() {
    if (!Representable(start))
        return Status::kCannot;
    for (int st = 0; st < kStacks; ++st) {
        Undo ignored;
        TurnUncovered(s, st, &ignored);
    }
    uint64_t key[kKeyWords];
    KeyOf(key);
    const uint64_t hash = Hash(key, kKeyWords);
    size_t slot;
    Find(key, hash, &slot);
    Add(key, hash, slot);
    parent.push_back(0);
    stepTo.push_back({});
    want.push_back(0);
    looked.push_back(0);
    bestScore = Score();
    open.push(Entry(bestScore, 0));
    openByReach.push(Entry(ReachScore(), 0));
    return Status::kGoing;
}

// Every table reached is looked at in the end, in one order or another, so when none is won the
// game is lost. Best first, the latest of equals goes first. An order with no table of its own
// left takes the best one found best first by Score, then by ReachScore, or else the one found
// longest ago going deep; the tables it finds from there are its own. Those best first by
// ReachScore finds from a table it took from best first by Score are that order's too, so that
// it loses none of its best.
Search::Status Search::Expand(Order order) {
    const int own = order == Order::kDeepFirstStepFirst ? 0 : 1;
    const bool byReach = order == Order::kBestByReach;
    std::deque<uint32_t>* mine = order == Order::kBest || byReach ? nullptr : &deep[own];
    std::priority_queue<uint64_t>& first = byReach ? openByReach : open;
    std::priority_queue<uint64_t>& second = byReach ? open : openByReach;
    uint32_t at;
    bool fromSecond = false;
    do {
        if (mine != nullptr && !mine->empty()) {
            at = mine->back();
            mine->pop_back();
        } else if (!first.empty()) {
            at = uint32_t(first.top());
            first.pop();
            fromSecond = false;
        } else if (!second.empty()) {
            at = uint32_t(second.top());
            second.pop();
            fromSecond = true;
        } else if (!deep[1 - own].empty() || !deep[own].empty()) {
            // Nearest the start, as the other order takes its last.
            std::deque<uint32_t>& other = deep[deep[1 - own].empty() ? own : 1 - own];
            at = other.front();
            other.pop_front();
        } else {
            return Status::kLost;
        }
    } while (looked[at] != 0);
    looked[at] = 1;
    auto push = [&](uint32_t index, int score, int reachScore) {
        if (mine != nullptr)
            mine->push_back(index);
        if (byReach)
            openByReach.push(Entry(reachScore, index));
        if (order == Order::kBest || (byReach && fromSecond))
            open.push(Entry(score, index));
    };
    wanted = want[at];
    Decode(&keys[size_t(at) * kKeyWords], &s);
    if (s.homeTotal == kAllHome) {
        wonAt = at;
        return Status::kWon;
    }
    // A table reached for one use only is not tested: it has few steps, and the tables they lead
    // to are tested in turn, so the test would cost more than it saves. Nor is one reached by a
    // card going home from a stack, or back from its pack onto a stack: each leaves every card as
    // free to leave as before, so the test, passed by the table before, hardly ever fails.
    const Kind by = stepTo[at].kind;
    const bool test = at == 0 || (by != Kind::kStackHome && by != Kind::kHomeStack);
    if (!budget.everyStep && wanted == 0 && test && Stuck())
        return Status::kGoing;  // no table after it is won either
    steps.clear();
    Generate();
    // Every step's key first, with its slot asked for from memory, then each looked up.
    // A step changes two stacks at most: the others keep their keys.
    uint64_t stackKeys[kStacks];
    for (int st = 0; st < kStacks; ++st)
        stackKeys[st] = StackKey(s, st);
    children.resize(steps.size());
    const bool grouped = !budget.everyStep && perTurn > 1;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& m = steps[i];
        children[i].want = !ForLater(m) ? 0 : m.row == 0 ? kAnyEmpty : s.cards[m.from][m.row - 1];
        Undo undo;
        Make(m, &undo);
        uint64_t changed[kStacks];
        std::copy(std::begin(stackKeys), std::end(stackKeys), changed);
        if (m.kind == Kind::kStackHome || m.kind == Kind::kStackStack)
            changed[m.from] = StackKey(s, m.from);
        if (m.kind == Kind::kStackStack || m.kind == Kind::kTalonStack ||
            m.kind == Kind::kHomeStack)
            changed[m.to] = StackKey(s, m.to);
        KeyOf(children[i].key, changed);
        children[i].score = Score();
        children[i].reachScore = byReach ? ReachScore() : 0;
        children[i].hash = Hash(children[i].key, kKeyWords);
        __builtin_prefetch(&slots[children[i].hash & (slots.size() - 1)]);
        if (grouped) {
            children[i].groupHash = GroupHash(children[i].key);
            if (!groups.empty())
                __builtin_prefetch(&groups[children[i].groupHash & (groups.size() - 1)]);
        }
        Unmake(m, undo);
    }
    const size_t firstChild = mine != nullptr ? mine->size() : 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Child& child = children[i];
        size_t slot;
        const uint32_t index = Find(child.key, child.hash, &slot);
        if (index != kNone) {
            // Reached again with another use in view, or with none: every step is tried from it.
            if (want[index] != 0 && want[index] != child.want) {
                want[index] = 0;
                looked[index] = 0;
                push(index, child.score, child.reachScore);
            } else if (mine != nullptr && looked[index] == 0) {
                // Found by another order and not looked at yet: going deep goes on through it.
                mine->push_back(index);
            }
            continue;
        }
        if (grouped && Covered(child.key, child.groupHash))
            continue;
        const uint32_t added = Add(child.key, child.hash, slot);
        parent.push_back(at);
        stepTo.push_back(steps[i]);
        want.push_back(child.want);
        looked.push_back(0);
        push(added, child.score, child.reachScore);
        if (grouped && child.want == 0)
            Cover(child.key, child.groupHash, added);
        if (child.score > bestScore) {
            bestScore = child.score;
            best = added;
        }
    }
    if (order == Order::kDeepFirstStepFirst)
        std::reverse(mine->begin() + long(firstChild), mine->end());
    return Status::kGoing;
}

std::vector<Move> Search::Guess() const {
    const std::vector<Move> line = Line(PathTo(best));
    return line.empty() ? line : std::vector<Move>(line.begin(), line.begin() + 1);
}

}  // namespace

// Four orders take turns over one record of the tables seen: of every eight turns, best first by
// Score has one and by ReachScore one, deepest first with the steps in their order four, and with
// the steps the other way round two. Best first can spend its turns among tables that look good
// but lead nowhere, where going deep finds a win at once, and the other way round; with fewer
// turns for best first, a little more is won in the same time, and the two ways of looking good
// each win deals at once that the other takes seconds over. A table one order has looked at is
// not looked at again by another, so a lost game is proven once all of them together have looked
// at every table it reaches.
SolveResult Solve(const Table& start, const Options& options, const SolveBudget& budget) {
    using Order = Search::Order;
    using Status = Search::Status;
    SolveResult result;
    Search search(start, options, budget);
    if (search.Begin() == Status::kCannot)
        return result;  // unknown
    const auto clockStart = std::chrono::steady_clock::now();
    for (uint64_t turn = 0;; ++turn) {
        const bool stopped = budget.stop && budget.stop->load(std::memory_order_relaxed);
        if (stopped || (turn % 256 == 0 && turn > 0)) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - clockStart)
                    .count();
            if (stopped || result.states >= budget.states || seconds >= budget.seconds) {
                result.moves = search.Guess();
                return result;  // unknown
            }
        }
        const Order order = turn % 8 == 0   ? Order::kBest
                            : turn % 8 == 4 ? Order::kBestByReach
                            : turn % 4 == 2 ? Order::kDeepLastStepFirst
                                            : Order::kDeepFirstStepFirst;
        const Status status = search.Expand(order);
        result.states = search.States();
        if (status == Status::kWon) {
            result.outcome = SolveResult::Outcome::kWon;
            result.moves = search.Winning();
            return result;
        }
        if (status == Status::kLost) {
            result.outcome = SolveResult::Outcome::kLost;
            return result;
        }
    }
}
