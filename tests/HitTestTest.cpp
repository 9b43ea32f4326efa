// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

using namespace testing_support;

namespace {

class HitTest : public TableFixture {
  protected:
    std::pair<int, int> At(int x, int y) {
        int32_t area = -1, row = -1;
        view->WhichClicked(x, y, area, row);
        return {area, row};
    }
};

TEST_F(HitTest, UpperBandFindsDeckPileAndPacks) {
    Edit([&](Table& t) { t.fannedCount = 1; });
    EXPECT_EQ(At(30, 20).first, 10);
    EXPECT_EQ(At(95, 110).first, 10);
    EXPECT_EQ(At(300, 100).first, 12);
    EXPECT_EQ(At(575, 15).first, 15);
    EXPECT_EQ(At(600, 50).first, -1);  // nothing written
    EXPECT_EQ(At(100, 50).first, -1);  // the gap between deck and pile
    EXPECT_EQ(At(105, 50).first, 11);
    EXPECT_EQ(At(50, 14).first, -1);
    EXPECT_EQ(At(50, 111).first, -1);
    EXPECT_EQ(At(50, 125).first, -1);
    EXPECT_EQ(At(50, 20).second, -1);  // the row is never written up there
}

TEST_F(HitTest, ThePileRangeMovesWithTheFannedCount) {
    Edit([&](Table& t) {
        t.fannedCount = 0;
    });  // right after a deal the pile's range overlaps the deck
    EXPECT_EQ(At(90, 50).first, 11);
    EXPECT_EQ(At(89, 50).first, 10);
    EXPECT_EQ(At(160, 50).first, 11);
    Edit([&](Table& t) { t.fannedCount = 3; });
    EXPECT_EQ(At(134, 50).first, -1);
    EXPECT_EQ(At(135, 50).first, 11);
    EXPECT_EQ(At(205, 50).first, 11);
    EXPECT_EQ(At(206, 50).first, -1);
}

TEST_F(HitTest, StacksReachBeyondTheirCardsAndRowsFollowTheStrips) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    EXPECT_EQ(At(50, 130), std::make_pair(0, 0));
    EXPECT_EQ(At(50, 220), std::make_pair(0, 0));
    EXPECT_EQ(At(50, 222), std::make_pair(0, -1));
    EXPECT_EQ(At(14, 130), std::make_pair(0, 0));
    EXPECT_EQ(At(13, 130).first, -1);
    EXPECT_EQ(At(108, 200).first, -1);
    EXPECT_EQ(At(109, 200).first, -1);
    EXPECT_EQ(At(110, 200), std::make_pair(1, -1));  // an empty stack

    for (int n = 13; n >= 9; --n)
        PutOnStack(3, CCard(n % 2 + 1, n));
    EXPECT_EQ(At(330, 130).second, 0);
    EXPECT_EQ(At(330, 185).second, 3);
    EXPECT_EQ(At(330, 186).second, 4);
    EXPECT_EQ(At(330, 281).second, 4);
    EXPECT_EQ(At(330, 282).second, -1);

    for (int n = 0; n < 16; ++n)
        PutOnStack(5, CCard(1, 1));
    EXPECT_EQ(At(520, 440).second, 15);
    EXPECT_EQ(At(520, 441).second, -1);
}

}  // namespace
