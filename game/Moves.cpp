// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Moves.h"

#include <algorithm>

#include "game/Rules.h"

using namespace table;

namespace {}  // namespace

CCard TopCard(const Table& t, Place place) {
    if (place.IsPile())
        return t.pile.GetNumCards() > 0 ? t.pile.GetCard(0) : CCard();
    if (place.IsPack())
        return t.packCount[place.index] > 0 ? t.packs[place.index][t.packCount[place.index] - 1]
                                            : CCard();
    if (place.IsStack())
        return t.stackCount[place.index] > 0 ? t.stacks[place.index][t.stackCount[place.index] - 1]
                                             : CCard();
    return CCard();
}

namespace {

// The hand's cards put on a place as they lie, nothing else changed.
void PutHand(Table& t, Place to) {
    for (int i = 0; i < t.handCount; ++i) {
        if (to.IsStack()) {
            const int s = to.index;
            t.faceDown[s][t.stackCount[s]] = 0;
            t.stacks[s][t.stackCount[s]++] = t.hand[i];
        } else if (to.IsPack()) {
            t.packs[to.index][t.packCount[to.index]++] = t.hand[i];
        } else if (to.IsPile()) {
            t.pile.PutCardOnTop(t.hand[i]);
        }
    }
    t.handCount = 0;
}

}  // namespace

std::optional<Move> Move::Cards(Place from, int row, Place to) {
    using K = Kind;
    std::optional<K> kind;
    if (from.IsStack() && to.IsStack() && from != to)
        kind = K::kStackToStack;
    else if (from.IsStack() && to.IsPack())
        kind = K::kStackToPack;
    else if (from.IsPile() && to.IsStack())
        kind = K::kPileToStack;
    else if (from.IsPile() && to.IsPack())
        kind = K::kPileToPack;
    else if (from.IsPack() && to.IsStack())
        kind = K::kPackToStack;
    else if (from.IsPack() && to.IsPack() && from != to)
        kind = K::kPackToPack;
    if (!kind)
        return std::nullopt;
    return Move{*kind, from, from.IsStack() ? row : -1, to};
}

bool FitsAt(const Table& t, Place to, CCard head, int count) {
    if (to.IsPack())
        return count == 1 && CanDropOnPack(t, to.index, head);
    if (to.IsStack())
        return CanDropOnStack(t, to.index, head);
    return false;
}

bool CanLift(const Table& t, const Options& o, Place from, int row) {
    if (from.IsPile())
        return t.pile.GetNumCards() > 0;
    if (from.IsPack())
        return !o.PacksFrozen() && t.packCount[from.index] > 0;
    if (from.IsStack())
        return row >= 0 && row < t.stackCount[from.index] && CanLiftRun(t, from.index, row);
    return false;
}

void Lift(Table& t, Place from, int row) {
    t.handSource = from.ToArea();
    if (from.IsStack()) {
        const int s = from.index;
        t.handCount = t.stackCount[s] - row;
        for (int i = 0; i < t.handCount; ++i)
            t.hand[i] = t.stacks[s][row + i];
        t.stackCount[s] = row;
    } else if (from.IsPile()) {
        // The card is taken from where it is shown: the rightmost of the fanned cards.
        t.hand[0] = t.pile.GetTopCard();
        t.handCount = 1;
        t.fannedCount = std::max(t.fannedCount - 1, 1);
    } else if (from.IsPack()) {
        t.hand[0] = t.packs[from.index][--t.packCount[from.index]];
        t.handCount = 1;
    }
}

bool CanLand(const Table& t, Place to) {
    return t.handCount > 0 && FitsAt(t, to, t.hand[0], t.handCount);
}

int FannedAfterReturn(const Table& t) {
    return std::min(t.fannedCount + 1, kFannedMax);
}

void Land(Table& t, Place to) {
    if (to.IsPile())
        t.fannedCount = FannedAfterReturn(t);
    PutHand(t, to);
}

Table AtRest(const Table& t) {
    Table rest = t;
    PutHand(rest, Place::FromArea(t.handSource));
    return rest;
}

bool DropMayEndGame(const Table& before, Place to) {
    return !(to.IsPack() && before.packCount[to.index] == 0);
}

bool IsLegal(const Table& t, const Options& o, const Move& m) {
    if (t.handCount != 0)
        return false;
    switch (m.kind) {
        case Move::Kind::kTurnDeck:
            return m.from.IsDeck() && (t.deck.GetNumCards() > 0 || t.pile.GetNumCards() > 0);
        case Move::Kind::kTurnCard: {
            if (!m.from.IsStack())
                return false;
            const int s = m.from.index;
            return m.row == t.stackCount[s] - 1 && m.row >= 0 && t.faceDown[s][m.row] == 1;
        }
        default:
            break;
    }
    // A card move: of the kind its places make, from cards a press may take, to a place that
    // takes them. A stack's top card alone goes to a pack.
    const std::optional<Move> same = Move::Cards(m.from, m.row, m.to);
    if (!same || *same != m || !CanLift(t, o, m.from, m.row))
        return false;
    const int count = m.from.IsStack() ? t.stackCount[m.from.index] - m.row : 1;
    const CCard head = m.from.IsStack() ? t.stacks[m.from.index][m.row] : TopCard(t, m.from);
    return FitsAt(t, m.to, head, count);
}

std::vector<Move> LegalMoves(const Table& t, const Options& o) {
    std::vector<Move> moves;
    if (t.handCount != 0)
        return moves;
    if (IsLegal(t, o, Move::TurnDeck()))
        moves.push_back(Move::TurnDeck());
    for (int s = 0; s < kStacks; ++s)
        if (IsLegal(t, o, Move::TurnCard(s, t.stackCount[s] - 1)))
            moves.push_back(Move::TurnCard(s, t.stackCount[s] - 1));
    // Cards a press may take, with the places that take them: the same questions IsLegal asks,
    // asked once for each card instead of once for each move.
    auto cardsFrom = [&](Place from, int row, CCard head, int count) {
        for (int p = 0; p < kPacks; ++p)
            if (Place::Pack(p) != from && FitsAt(t, Place::Pack(p), head, count))
                moves.push_back(*Move::Cards(from, row, Place::Pack(p)));
        for (int s = 0; s < kStacks; ++s)
            if (Place::Stack(s) != from && FitsAt(t, Place::Stack(s), head, count))
                moves.push_back(*Move::Cards(from, row, Place::Stack(s)));
    };
    if (CanLift(t, o, Place::Pile(), -1))
        cardsFrom(Place::Pile(), -1, t.pile.GetCard(0), 1);
    for (int s = 0; s < kStacks; ++s) {
        const int n = t.stackCount[s];
        for (int row = 0; row < n; ++row)
            if (CanLift(t, o, Place::Stack(s), row))
                cardsFrom(Place::Stack(s), row, t.stacks[s][row], n - row);
    }
    for (int p = 0; p < kPacks; ++p)
        if (CanLift(t, o, Place::Pack(p), -1))
            cardsFrom(Place::Pack(p), -1, TopCard(t, Place::Pack(p)), 1);
    return moves;
}

bool Apply(Table& t, const Options& o, const Move& m) {
    if (!IsLegal(t, o, m))
        return false;
    if (m.kind == Move::Kind::kTurnDeck) {
        TurnDeck(t, o.DealsOne());
    } else if (m.kind == Move::Kind::kTurnCard) {
        t.faceDown[m.from.index][m.row] = 0;
    } else {
        Lift(t, m.from, m.row);
        Land(t, m.to);
    }
    return true;
}

std::optional<Move> SecondaryMove(const Table& t, const Options& o, Place from, int row) {
    CCard card;
    bool mayGoToPack = false;
    if (from.IsStack()) {
        const int s = from.index;
        if (row < 0 || row >= t.stackCount[s] || t.faceDown[s][row] == 1)
            return std::nullopt;
        card = t.stacks[s][row];
        mayGoToPack = row == t.stackCount[s] - 1;
    } else if (from.IsPile()) {
        if (t.pile.GetNumCards() == 0)
            return std::nullopt;
        card = t.pile.GetCard(0);
        mayGoToPack = true;
    } else if (from.IsPack()) {
        if (!CanLift(t, o, from, row))
            return std::nullopt;
        card = TopCard(t, from);
    } else {
        return std::nullopt;  // the deck, or nothing
    }

    Place to;
    if (mayGoToPack) {
        const int p = PackFor(t, card);
        if (p >= 0)
            to = Place::Pack(p);
    }
    if (to.IsNone()) {
        const int s = StackFor(t, card, from.IsStack() ? from.index : -1);
        if (s >= 0)
            to = Place::Stack(s);
    }
    if (to.IsNone())
        return std::nullopt;
    return Move::Cards(from, row, to);
}

std::optional<Move> AutoCompleteMove(const Table& t) {
    int s = -1;
    int p = -1;
    if (!NextAutoCompleteCard(t, PacksForSuits(t), &s, &p))
        return std::nullopt;
    // With nothing face down every stack is one falling run, so the card is its top: the top
    // card is what flies.
    return Move{Move::Kind::kStackToPack, Place::Stack(s), t.stackCount[s] - 1, Place::Pack(p)};
}
