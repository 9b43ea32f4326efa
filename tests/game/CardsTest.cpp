// SPDX-License-Identifier: GPL-3.0-or-later
// Cards, packs and the shuffle: the model alone, built and run with no Qt.
#include <gtest/gtest.h>

#include <set>

#include "game/CCard.h"
#include "game/CardName.h"
#include "game/PackOfCards.h"
#include "game/Random.h"

namespace {

std::set<std::pair<int, int>> Contents(const PackOfCards& pack) {
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < pack.GetNumCards(); ++i)
        seen.insert({pack.GetCard(i).GetSuit(), pack.GetCard(i).GetNumber()});
    return seen;
}

TEST(Card, ColourFollowsTheSuit) {
    EXPECT_EQ(CCard(3, 12).GetColour(), 2);
    EXPECT_EQ(CCard(2, 1).GetColour(), 1);
    CCard card(1, 5);
    EXPECT_EQ(card.GetColour(), 1);
    card.SetSuit(4);
    EXPECT_EQ(card.GetColour(), 2);
    EXPECT_EQ(CCard().GetSuit(), -1);
    EXPECT_EQ(CCard().GetNumber(), -1);
}

TEST(Card, NamesInWords) {
    EXPECT_EQ(CardName(CCard(1, 1)), "ace of hearts");
    EXPECT_EQ(CardName(CCard(2, 10)), "ten of diamonds");
    EXPECT_EQ(CardName(CCard(3, 11)), "jack of clubs");
    EXPECT_EQ(CardName(CCard(4, 13)), "king of spades");
    EXPECT_EQ(CardName(CCard()), "no card");
    EXPECT_EQ(CardName(CCard(5, 3)), "no card");
    EXPECT_EQ(CountOf(1, "card"), "one card");
    EXPECT_EQ(CountOf(10, "card"), "ten cards");
    EXPECT_EQ(CountOf(24, "card"), "24 cards");
}

TEST(Pack, NewPacksFullInOrderOrEmpty) {
    PackOfCards full(0);
    EXPECT_EQ(full.GetNumCards(), 52);
    EXPECT_EQ(full.GetCard(0), CCard(1, 1));
    EXPECT_EQ(full.GetCard(12), CCard(1, 13));
    EXPECT_EQ(full.GetCard(13), CCard(2, 1));
    EXPECT_EQ(full.GetCard(51), CCard(4, 13));

    PackOfCards empty(1);
    EXPECT_EQ(empty.GetTopCard(), CCard());
    EXPECT_EQ(empty.GetNumCards(), 0);
    EXPECT_EQ(empty.GetCard(0), CCard());
}

TEST(Pack, TopCardComesOffAndGoesBack) {
    PackOfCards pack(1);
    pack.PutCardOnTop(CCard(1, 1));
    pack.PutCardOnTop(CCard(2, 2));
    pack.PutCardOnTop(CCard(3, 7));
    EXPECT_EQ(pack.GetNumCards(), 3);
    EXPECT_EQ(pack.GetCard(0), CCard(3, 7));  // looked at, not taken
    EXPECT_EQ(pack.GetTopCard(), CCard(3, 7));
    EXPECT_EQ(pack.GetNumCards(), 2);
    EXPECT_EQ(pack.GetCard(0), CCard(2, 2));
    EXPECT_EQ(pack.GetCard(1), CCard(1, 1));
    EXPECT_EQ(pack.GetCard(2), CCard());
}

TEST(Pack, MovingOneByOneReversesTheOrder) {
    PackOfCards from(0);
    PackOfCards to(1);
    while (from.GetNumCards() > 0)
        to.PutCardOnTop(from.GetTopCard());
    ASSERT_EQ(to.GetNumCards(), 52);
    for (int i = 0; i < 52; ++i)
        EXPECT_EQ(to.GetCard(i), PackOfCards(0).GetCard(51 - i));
}

TEST(Pack, TurnOverPutsTheLastSlotOnTop) {
    PackOfCards pack(0);
    pack.TurnOver();
    EXPECT_EQ(pack.GetCard(0), CCard(4, 13));
    EXPECT_EQ(pack.GetNumCards(), 52);
}

TEST(Shuffle, KeepsEveryCardOnceAndMixes) {
    PackOfCards pack(0);
    pack.Shuffle(1234567);
    EXPECT_EQ(pack.GetNumCards(), 52);
    EXPECT_EQ(Contents(pack).size(), 52u);
    int inPlace = 0;
    for (int i = 0; i < 52; ++i)
        inPlace += pack.GetCard(i) == PackOfCards(0).GetCard(i);
    EXPECT_LT(inPlace, 10);
}

TEST(Shuffle, SameSecondGivesSameDealOtherSecondsDiffer) {
    PackOfCards a(0), b(0), c(0);
    a.Shuffle(1700000000);
    b.Shuffle(1700000000);
    c.Shuffle(1700000001);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Shuffle, GeneratorCoversThirtyOneBits) {
    // With a 15-bit generator every j would be 0 and the shuffle would hardly mix at all.
    SeedRandom(42);
    int32_t largest = 0;
    for (int i = 0; i < 1000; ++i)
        largest = std::max(largest, NextRandom());
    EXPECT_GT(largest, 1 << 30);
}

}  // namespace
