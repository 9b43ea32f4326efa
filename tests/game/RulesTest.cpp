// SPDX-License-Identifier: GPL-3.0-or-later
// The rules on the model alone: no window, no view, no drawing.
#include <gtest/gtest.h>

#include "game/Rules.h"

namespace {

Table Empty() {
    return Table();
}
void Put(Table& t, int s, CCard card, int down = 0) {
    t.faceDown[s][t.stackCount[s]] = down;
    t.stacks[s][t.stackCount[s]++] = card;
}

TEST(Rules, TheDeckTurnsOneOrThreeAndThePileTurnsBackReversed) {
    Table t = Empty();
    for (int n = 1; n <= 4; ++n)
        t.deck.PutCardOnTop(CCard(1, n));  // the four of hearts on top
    EXPECT_TRUE(TurnDeck(t, false));
    EXPECT_EQ(t.pile.GetCard(0), CCard(1, 2));
    EXPECT_EQ(t.fannedCount, 3);
    EXPECT_TRUE(TurnDeck(t, true));
    EXPECT_EQ(t.fannedCount, 1);
    EXPECT_EQ(t.deck.GetNumCards(), 0);
    EXPECT_TRUE(TurnDeck(t, false));  // the pile goes back: the first card turned is on top
    EXPECT_EQ(t.deck.GetCard(0), CCard(1, 4));
    EXPECT_EQ(t.pile.GetNumCards(), 0);
    Table nothing = Empty();
    EXPECT_FALSE(TurnDeck(nothing, false));
}

TEST(Rules, TheSecondaryButtonsChoicesFollowTheDropRules) {
    Table t = Empty();
    t.packs[1][0] = CCard(2, 1);
    t.packCount[1] = 1;
    EXPECT_EQ(PackFor(t, CCard(1, 1)), 0) << "an ace takes the first empty pack";
    EXPECT_EQ(PackFor(t, CCard(2, 2)), 1);
    EXPECT_EQ(PackFor(t, CCard(1, 2)), -1) << "a two of another suit";
    Put(t, 0, CCard(3, 9));
    Put(t, 2, CCard(4, 9));
    Put(t, 3, CCard(1, 9), 1);
    EXPECT_EQ(StackFor(t, CCard(1, 8), 0), 2) << "not its own stack";
    EXPECT_EQ(StackFor(t, CCard(2, 9), -1), -1) << "same number";
    EXPECT_EQ(StackFor(t, CCard(4, 8), -1), -1) << "the red nine lies face down";
    EXPECT_EQ(StackFor(t, CCard(4, 13), -1), 1) << "a king takes the first empty stack";
}

TEST(Rules, RunsAndTheEndOfTheGame) {
    Table t = Empty();
    Put(t, 0, CCard(4, 5), 1);
    Put(t, 0, CCard(1, 9));
    Put(t, 0, CCard(3, 8));
    Put(t, 0, CCard(2, 7));
    EXPECT_TRUE(CanLiftRun(t, 0, 1));
    EXPECT_FALSE(CanLiftRun(t, 0, 0)) << "a face-down card";
    EXPECT_FALSE(NothingLeftHidden(t));
    t.faceDown[0][0] = 0;
    EXPECT_FALSE(CanLiftRun(t, 0, 0)) << "a gap in the numbers";
    EXPECT_TRUE(NothingLeftHidden(t));
    t.deck.PutCardOnTop(CCard(1, 1));
    EXPECT_FALSE(NothingLeftHidden(t));

    for (int p = 0; p < 4; ++p)
        t.packCount[p] = 13;
    EXPECT_TRUE(AllPacksComplete(t));
}

TEST(Rules, AutocompleteFliesTheLowestCardToItsSuitsPack) {
    Table t = Empty();
    t.packs[2][0] = CCard(3, 1);
    t.packCount[2] = 1;
    Put(t, 0, CCard(1, 2));
    Put(t, 1, CCard(3, 2));
    Put(t, 2, CCard(1, 1));
    const SuitPacks packs = PacksForSuits(t);
    EXPECT_EQ(packs.pack[3], 2) << "clubs keep the pack they began";
    EXPECT_EQ(packs.pack[1], 0);
    EXPECT_EQ(packs.pack[2], 1);
    EXPECT_EQ(packs.pack[4], 3);
    int s = -1, p = -1;
    ASSERT_TRUE(NextAutoCompleteCard(t, packs, &s, &p));
    EXPECT_EQ(s, 2);  // the ace of hearts before any two
    EXPECT_EQ(p, 0);
}

TEST(Rules, TheTableFaultNamesWhatIsBroken) {
    Table t = Empty();
    t.deck = PackOfCards(0);
    EXPECT_EQ(TableFault(t), "");
    Table twice = t;
    twice.pile.PutCardOnTop(CCard(1, 1));
    EXPECT_NE(TableFault(twice).find("twice"), std::string::npos);
    Table broken = Empty();
    Put(broken, 3, CCard(1, 9));
    Put(broken, 3, CCard(2, 8));
    EXPECT_NE(TableFault(broken, 2).find("stack 4"), std::string::npos);
    Table pack = Empty();
    pack.packs[0][0] = CCard(1, 1);
    pack.packs[0][1] = CCard(2, 2);
    pack.packCount[0] = 2;
    EXPECT_NE(TableFault(pack, 2).find("pack 1"), std::string::npos);
    EXPECT_NE(TableFault(Empty()).find("0 cards"), std::string::npos);
    // The hand's cards are the table's: one taken out of the deck keeps the pack whole, one
    // held twice is found.
    Table held = t;
    held.hand[held.handCount++] = held.deck.GetTopCard();
    EXPECT_EQ(TableFault(held), "");
    held.hand[held.handCount++] = held.hand[0];
    EXPECT_NE(TableFault(held).find("twice, again in the hand"), std::string::npos);
}

}  // namespace
