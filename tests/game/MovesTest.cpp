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

TEST(Moves, WhatEachMoveLeaves) {
    // A run lands in order, face up, and the stack it left shows its next card.
    Table t = Sample();
    ASSERT_TRUE(Apply(t, kFree, Cards(Place::Stack(0), 0, Place::Stack(1))));
    EXPECT_EQ(t.stackCount[0], 0);
    ASSERT_EQ(t.stackCount[1], 5);
    EXPECT_EQ(t.stacks[1][2], CCard(2, 7));
    EXPECT_EQ(t.stacks[1][4], CCard(1, 5));
    EXPECT_EQ(t.faceDown[1][4], 0);

    ASSERT_TRUE(Apply(t, kFree, Move::TurnCard(3, 0)));
    EXPECT_EQ(t.faceDown[3][0], 0);

    // The deck turns one or three cards by the option; the pile turns back over.
    for (int one : {1, 0}) {
        Table d = Sample();
        const Options o{0, 1, one, 0, 0};
        ASSERT_TRUE(Apply(d, o, Move::TurnDeck()));
        EXPECT_EQ(d.pile.GetNumCards(), one ? 2 : 3);
        EXPECT_EQ(d.fannedCount, one ? 1 : 2);
        EXPECT_EQ(d.pile.GetCard(0), one ? CCard(2, 3) : CCard(3, 2));
    }
    Table back;
    TurnOntoPile(back, {CCard(1, 1), CCard(1, 2)}, 2);
    ASSERT_TRUE(Apply(back, kFree, Move::TurnDeck()));
    EXPECT_EQ(back.deck.GetCard(0), CCard(1, 1));
    EXPECT_FALSE(Apply(back = Table(), kFree, Move::TurnDeck()));

    // The pile shows one card fewer as its top card goes, never none while cards are left; a
    // card going back fans one more, up to three.
    Table pile;
    TurnOntoPile(pile, {CCard(1, 1), CCard(1, 2), CCard(1, 3), CCard(1, 4)}, 3);
    Lift(pile, Place::Pile(), -1);
    EXPECT_EQ(pile.fannedCount, 2);
    EXPECT_EQ(TableFault(pile, 4), "") << "the hand's card still counts";
    const Table rest = AtRest(pile);
    EXPECT_EQ(rest.pile.GetCard(0), CCard(1, 4));
    EXPECT_EQ(rest.fannedCount, 2);
    EXPECT_EQ(rest.handCount, 0);
    Land(pile, Place::Pile());
    EXPECT_EQ(pile.fannedCount, 3);
    Table one;
    TurnOntoPile(one, {CCard(1, 1), CCard(1, 2)}, 1);
    Lift(one, Place::Pile(), -1);
    EXPECT_EQ(one.fannedCount, 1);
    Land(one, Place::Pile());
    EXPECT_EQ(one.fannedCount, 2);
}

TEST(Moves, TheSecondaryButtonAndAutocompleteChooseTheirMoves) {
    const Table t = Sample();
    // The pile's ace goes to the first empty pack; the covered six goes with its five.
    EXPECT_EQ(SecondaryMove(t, kFree, Place::Pile(), -1), Cards(Place::Pile(), -1, Place::Pack(1)));
    EXPECT_EQ(SecondaryMove(t, kFree, Place::Stack(0), 0),
              Cards(Place::Stack(0), 0, Place::Stack(1)));
    EXPECT_EQ(SecondaryMove(t, kFree, Place::Stack(3), 0), std::nullopt) << "face down";
    EXPECT_EQ(SecondaryMove(t, kFree, Place::Deck(), -1), std::nullopt);
    Table t2 = Sample();
    PutOnStack(t2, 5, CCard(4, 3));
    EXPECT_EQ(SecondaryMove(t2, kFree, Place::Pack(0), -1),
              Cards(Place::Pack(0), -1, Place::Stack(5)));
    EXPECT_EQ(SecondaryMove(t2, kFrozen, Place::Pack(0), -1), std::nullopt);

    // Autocomplete flies the lowest card to the pack its suit has or is given.
    Table done;
    FillPack(done, 1, 2, 12);
    PutOnStack(done, 0, CCard(1, 1));
    EXPECT_EQ(AutoCompleteMove(done), Cards(Place::Stack(0), 0, Place::Pack(0)));
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
                std::vector<Place> places = {Place::Pile()};
                for (int i = 0; i < 7; ++i)
                    places.push_back(Place::Stack(i));
                for (int i = 0; i < 4; ++i)
                    places.push_back(Place::Pack(i));
                for (Place from : places)
                    for (int row = -1; row < 21; ++row) {
                        if (from.IsStack() != (row >= 0))
                            continue;
                        legal += from.IsStack() && IsLegal(t, o, Move::TurnCard(from.index, row));
                        for (Place to : places)
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

TEST(Moves, TheHistoryKeepsAHandAtItsPlace) {
    Table t = Sample();
    Lift(t, Place::Stack(0), 1);
    UndoHistory history;
    history.Record(t);
    EXPECT_EQ(history.Latest().stackCount[0], 3);
    EXPECT_EQ(history.Latest().stacks[0][2], CCard(1, 5));
    EXPECT_EQ(history.Latest().handCount, 0);
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
}

}  // namespace
