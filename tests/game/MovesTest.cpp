// SPDX-License-Identifier: GPL-3.0-or-later
// The moves on the model alone: what each kind of move asks of the table, what it leaves, and
// the history that takes it back. No window, no view, no drawing.
#include <gtest/gtest.h>

#include <random>

#include "game/Moves.h"
#include "game/Rules.h"
#include "game/UndoHistory.h"
#include "tests/TableBuilder.h"

using namespace tables;

namespace {

const Options kFree{};
const Options kFrozen{1, 1, 0, 0, 0};

// A small table with one chance of each kind of move: a seven of diamonds heads a three-card run
// on stack 0, a black eight waits on stack 1 above a face-down card, a red eight on stack 2, a
// face-down top card on stack 3, a king alone on stack 4, stack 5 empty, the three of hearts on
// stack 6; the pile shows the ace of spades, the deck holds two cards; the hearts pack is at its
// two, pack 1 is empty.
Table Sample() {
    Table t;
    PutOnStack(t, 0, CCard(2, 7));
    PutOnStack(t, 0, CCard(3, 6));
    PutOnStack(t, 0, CCard(1, 5));
    PutOnStack(t, 1, CCard(2, 12), 1);
    PutOnStack(t, 1, CCard(4, 8));
    PutOnStack(t, 2, CCard(1, 8));
    PutOnStack(t, 3, CCard(3, 12), 1);
    PutOnStack(t, 4, CCard(4, 13));
    PutOnStack(t, 6, CCard(1, 3));
    FillPack(t, 0, 1, 2);
    TurnOntoPile(t, {CCard(4, 1)}, 1);
    t.deck.PutCardOnTop(CCard(3, 2));
    t.deck.PutCardOnTop(CCard(2, 3));
    return t;
}

const Place kPlaces[] = {Place::Pile(),   Place::Stack(0), Place::Stack(1), Place::Stack(2),
                         Place::Stack(3), Place::Stack(4), Place::Stack(5), Place::Stack(6),
                         Place::Pack(0),  Place::Pack(1),  Place::Pack(2),  Place::Pack(3)};

Move Cards(Place from, int row, Place to) {
    return *Move::Cards(from, row, to);
}

TEST(Moves, EachKindIsMadeWhereItsRuleHoldsAndRefusedWhereNot) {
    struct Case {
        const char* what;
        Move move;
        bool legal;
        bool legalFrozen;
    };
    const Place s0 = Place::Stack(0), s1 = Place::Stack(1), s2 = Place::Stack(2),
                s4 = Place::Stack(4), s5 = Place::Stack(5), p0 = Place::Pack(0),
                p1 = Place::Pack(1);
    const Case cases[] = {
        {"turn the deck", Move::TurnDeck(), true, true},
        {"turn a face-down top card", Move::TurnCard(3, 0), true, true},
        {"turn a face-up card", Move::TurnCard(2, 0), false, false},
        {"turn a covered face-down card", Move::TurnCard(1, 0), false, false},
        {"a run of three on a black eight", Cards(s0, 0, s1), true, true},
        {"a run of three on a red eight", Cards(s0, 0, s2), false, false},
        {"one card of a run on a black eight", Cards(s0, 2, s1), false, false},
        {"a run that starts face down", Cards(s1, 0, s2), false, false},
        {"a covered card to a pack", Cards(s0, 1, p0), false, false},
        {"a king to an empty stack", Cards(s4, 0, s5), true, true},
        {"a seven to an empty stack", Cards(s0, 0, s5), false, false},
        {"a stack's top card to its pack", Cards(Place::Stack(6), 0, p0), true, true},
        {"a stack's top card to another suit", Cards(s0, 2, p0), false, false},
        {"the pile's ace to an empty pack", Cards(Place::Pile(), -1, p1), true, true},
        {"the pile's ace to another suit", Cards(Place::Pile(), -1, p0), false, false},
        {"the pile's ace to a stack", Cards(Place::Pile(), -1, s2), false, false},
        {"a pack's two on a five", Cards(p0, -1, s0), false, false},
        {"a pack's two on an empty stack", Cards(p0, -1, s5), false, false},
    };
    const Table t = Sample();
    ASSERT_EQ(TableFault(t, CardCount(t)), "");
    for (const Case& c : cases) {
        EXPECT_EQ(IsLegal(t, kFree, c.move), c.legal) << c.what;
        EXPECT_EQ(IsLegal(t, kFrozen, c.move), c.legalFrozen) << c.what;
        Table after = t;
        EXPECT_EQ(Apply(after, kFree, c.move), c.legal) << c.what;
        if (!c.legal)
            EXPECT_EQ(after, t) << c.what << ": a refused move changes nothing";
        else
            EXPECT_EQ(TableFault(after, CardCount(t)), "") << c.what;
    }

    // A pack's card comes back to a stack only while the packs are not frozen.
    Table t2 = Sample();
    PutOnStack(t2, 5, CCard(4, 3));
    const Move two = Cards(p0, -1, s5);
    EXPECT_TRUE(IsLegal(t2, kFree, two));
    EXPECT_FALSE(IsLegal(t2, kFrozen, two));
    ASSERT_TRUE(Apply(t2, kFree, two));
    EXPECT_EQ(t2.stacks[5][1], CCard(1, 2));
    EXPECT_EQ(t2.packCount[0], 1);
    // An ace moves between packs only to an empty one, and not while they are frozen.
    Table t3;
    FillPack(t3, 2, 3, 1);
    EXPECT_TRUE(IsLegal(t3, kFree, Cards(Place::Pack(2), -1, p1)));
    EXPECT_FALSE(IsLegal(t3, kFrozen, Cards(Place::Pack(2), -1, p1)));
    FillPack(t3, 1, 4, 1);
    EXPECT_FALSE(IsLegal(t3, kFree, Cards(Place::Pack(2), -1, p1)));
    // No move while cards are in the hand.
    Table held = Sample();
    Lift(held, s4, 0);
    EXPECT_FALSE(IsLegal(held, kFree, Move::TurnDeck()));
    EXPECT_TRUE(LegalMoves(held, kFree).empty());
}

TEST(Moves, RandomPlayKeepsEveryRuleAndUndoTakesItAllBack) {
    std::mt19937 rng(7);
    for (int game = 0; game < 40; ++game) {
        Table t = ShuffledTable(1700000000 + game);
        DealStacks(t);
        const Options o{game % 2, 1, game % 3 == 0 ? 1 : 0, 0, 0};
        std::vector<Table> before;
        UndoHistory history;
        for (int step = 0; step < 200; ++step) {
            const std::vector<Move> moves = LegalMoves(t, o);
            ASSERT_FALSE(moves.empty()) << "the deck can always be turned while it holds cards";
            if (step % 10 == 0) {
                // Every legal move is listed: the same count as asking of every move there is.
                size_t legal = IsLegal(t, o, Move::TurnDeck()) ? 1 : 0;
                for (Place from : kPlaces)
                    for (int row = -1; row < 21; ++row) {
                        if (from.IsStack() != (row >= 0))
                            continue;
                        legal += from.IsStack() && IsLegal(t, o, Move::TurnCard(from.index, row));
                        for (Place to : kPlaces)
                            if (auto m = Move::Cards(from, row, to); m && IsLegal(t, o, *m))
                                ++legal;
                    }
                ASSERT_EQ(moves.size(), legal) << "game " << game << " step " << step;
            }
            const Move m = moves[rng() % moves.size()];
            before.push_back(t);
            history.Record(t);
            ASSERT_TRUE(Apply(t, o, m));
            ASSERT_EQ(TableFault(t), "") << "game " << game << " step " << step;
        }
        ASSERT_EQ(history.Size(), UndoHistory::kDepth);
        for (size_t k = 0; k < UndoHistory::kDepth; ++k) {
            ASSERT_TRUE(history.CanUndo());
            EXPECT_EQ(history.TakeLast(), before[before.size() - 1 - k]);
        }
        EXPECT_FALSE(history.CanUndo());
    }
}

TEST(Rules, TheTableFaultNamesWhatIsBroken) {
    Table t;
    t.deck = PackOfCards(0);
    EXPECT_EQ(TableFault(t), "");
    Table twice = t;
    twice.pile.PutCardOnTop(CCard(1, 1));
    EXPECT_NE(TableFault(twice).find("twice"), std::string::npos);
    Table broken;
    PutOnStack(broken, 3, CCard(1, 9));
    PutOnStack(broken, 3, CCard(2, 8));
    EXPECT_NE(TableFault(broken, 2).find("stack 4"), std::string::npos);
    Table pack;
    FillPack(pack, 0, 1, 2);
    pack.packs[0][1] = CCard(2, 2);
    EXPECT_NE(TableFault(pack, 2).find("pack 1"), std::string::npos);
    EXPECT_NE(TableFault(Table()).find("0 cards"), std::string::npos);
    // The hand's cards are the table's: one taken out of the deck keeps the pack whole, one
    // held twice is found.
    Table held = t;
    held.hand[held.handCount++] = held.deck.GetTopCard();
    EXPECT_EQ(TableFault(held), "");
    held.hand[held.handCount++] = held.hand[0];
    EXPECT_NE(TableFault(held).find("twice, again in the hand"), std::string::npos);
}

}  // namespace
