// SPDX-License-Identifier: GPL-3.0-or-later
// The shuffle: the model alone, built and run with no Qt.
#include <gtest/gtest.h>

#include <set>

#include "game/PackOfCards.h"
#include "game/Random.h"

namespace {

std::set<std::pair<int, int>> Contents(const PackOfCards& pack) {
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < pack.GetNumCards(); ++i)
        seen.insert({pack.GetCard(i).GetSuit(), pack.GetCard(i).GetNumber()});
    return seen;
}

TEST(Shuffle, TheSecondFixesTheDealWhichKeepsEveryCardAndMixes) {
    PackOfCards a(0), b(0), c(0);
    a.Shuffle(1700000000);
    b.Shuffle(1700000000);
    c.Shuffle(1700000001);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(Contents(a).size(), 52u);
    int inPlace = 0;
    for (int i = 0; i < 52; ++i)
        inPlace += a.GetCard(i) == PackOfCards(0).GetCard(i);
    EXPECT_LT(inPlace, 10);
    // With a 15-bit generator every j would be 0 and the shuffle would hardly mix at all.
    SeedRandom(42);
    int32_t largest = 0;
    for (int i = 0; i < 1000; ++i)
        largest = std::max(largest, NextRandom());
    EXPECT_GT(largest, 1 << 30);
}

}  // namespace
