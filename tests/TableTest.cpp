// SPDX-License-Identifier: GPL-3.0-or-later
// The table itself: the deal, where a press lands, undo, and cards in flight.
#include "TestSupport.h"
#include "platform/Menus.h"
#include "platform/Pacing.h"

using namespace testing_support;
using namespace table;

namespace {

using Dealing = TableFixture;

// Seven stacks, the top card of each face up, the rest of the shuffled pack in the deck, and
// nothing else: no pile, no pack, no hand.
void ExpectFreshDeal(const CView* v) {
    const Table& t = v->Model();
    for (int s = 0; s < 7; ++s) {
        ASSERT_EQ(t.stackCount[s], s + 1);
        for (int r = 0; r <= s; ++r)
            EXPECT_EQ(t.faceDown[s][r], r == s ? 0 : 1) << "stack " << s << " row " << r;
    }
    EXPECT_EQ(t.deck.GetNumCards(), 24);
    EXPECT_EQ(TableFault(t), "");
    EXPECT_EQ(t.fannedCount, 0);
}

// The deal of second 1700000000, worked out once with the C library's srand and rand outside the
// program: a change to the shuffle or to the dealing order shows here. Dealing again keeps the
// options.
TEST_F(Dealing, TheDealOfAFixedSecondIsThisOneAndANewDealKeepsTheOptions) {
    ExpectFreshDeal(view);
    const int order[52][2] = {{2, 4},  {2, 5},  {2, 7},  {2, 2}, {2, 9},  {1, 11}, {3, 1},  {4, 1},
                              {3, 6},  {4, 2},  {4, 10}, {1, 9}, {3, 5},  {1, 12}, {3, 12}, {3, 4},
                              {2, 12}, {2, 3},  {2, 13}, {1, 1}, {1, 10}, {4, 12}, {1, 2},  {2, 8},
                              {3, 10}, {3, 13}, {1, 4},  {2, 6}, {4, 5},  {3, 2},  {3, 8},  {3, 11},
                              {2, 11}, {1, 6},  {2, 1},  {4, 6}, {4, 9},  {1, 7},  {1, 3},  {4, 4},
                              {4, 11}, {4, 7},  {1, 13}, {1, 8}, {4, 3},  {3, 7},  {4, 8},  {3, 9},
                              {2, 10}, {4, 13}, {1, 5},  {3, 3}};
    // Row by row: row 0 takes cards 0 to 6, row 1 cards 7 to 12, and so on; then the deck.
    int next = 0;
    for (int r = 0; r < 7; ++r)
        for (int s = r; s < 7; ++s, ++next)
            EXPECT_EQ(view->Model().stacks[s][r], CCard(order[next][0], order[next][1])) << next;
    for (int i = 0; i < 24; ++i, ++next)
        EXPECT_EQ(view->Model().deck.GetCard(i), CCard(order[next][0], order[next][1])) << next;

    view->SetFlags(1, 0, 1, 1);
    view->SetBack(2);
    Click(60, 60);
    Edit([&](Table& t) { t.packCount[0] = 3; });
    view->NewDeal();
    ExpectFreshDeal(view);
    EXPECT_EQ(view->GetOptions(), (Options{1, 0, 1, 1, 2}));
}

class HitTest : public TableFixture {
  protected:
    std::pair<int, int> At(int x, int y) {
        int32_t area = -1, row = -1;
        view->WhichClicked(x, y, area, row);
        return {area, row};
    }
};

// The top row: deck, pile and packs, with the gaps between them; the pile's range moves with the
// fanned count, and right after a deal it overlaps the deck.
TEST_F(HitTest, TheTopRowFindsDeckPileAndPacks) {
    const std::pair<BPoint, int> fannedOne[] = {
        {{30, 20}, 10},  {{95, 110}, 10}, {{300, 100}, 12}, {{575, 15}, 15}, {{600, 50}, -1},
        {{100, 50}, -1}, {{105, 50}, 11}, {{50, 14}, -1},   {{50, 111}, -1}, {{50, 125}, -1},
    };
    Edit([&](Table& t) { t.fannedCount = 1; });
    for (auto [p, area] : fannedOne)
        EXPECT_EQ(At(p.x, p.y), std::make_pair(area, -1)) << p.x << "," << p.y;
    Edit([&](Table& t) { t.fannedCount = 0; });
    EXPECT_EQ(At(90, 50).first, 11);
    EXPECT_EQ(At(89, 50).first, 10);
    Edit([&](Table& t) { t.fannedCount = 3; });
    for (auto [x, area] : {std::pair{134, -1}, {135, 11}, {205, 11}, {206, -1}})
        EXPECT_EQ(At(x, 50).first, area) << x;
}

class Undo : public TableFixture {
  protected:
    bool UndoEnabled() {
        BLooper::DispatchAllPending();
        return window->undoItem->IsEnabled();
    }
};

TEST_F(Undo, TwentyDeepAfterTwentyFiveMoves) {
    view->SetFlags(0, 1, 1, 0);
    EXPECT_FALSE(UndoEnabled());
    std::vector<std::string> after;
    for (int move = 1; move <= 25; ++move) {  // 24 single turns, then the pile turned back
        Click(60, 60);
        after.push_back(Layout());
    }
    EXPECT_EQ(view->Model().deck.GetNumCards(), 24);
    EXPECT_TRUE(UndoEnabled());
    for (int undo = 1; undo <= 20; ++undo) {
        EXPECT_TRUE(UndoEnabled()) << undo;
        Send(MSG_UNDO);
    }
    EXPECT_EQ(Layout(), after[4]);  // as after the fifth move
    EXPECT_FALSE(UndoEnabled());
    Send(MSG_UNDO);
    EXPECT_EQ(Layout(), after[4]);
    // A new deal empties the history.
    Click(60, 60);
    Send(MSG_DEAL);
    EXPECT_FALSE(UndoEnabled());
    const std::string dealt = Layout();
    Send(MSG_UNDO);
    EXPECT_EQ(Layout(), dealt);
}

class Flight : public TableFixture {
  protected:
    // Where the hand's picture is each time a flight step reaches the screen.
    void WatchFlight() {
        testseams::ObserveSync([this](BView*) {
            if (view->Model().handCount > 0)
                steps.push_back({view->HandX(), view->HandY()});
        });
    }
    std::vector<std::pair<int, int>> steps;
};

// An ace plays to the first empty pack, leftward from the last stack and rightward from the first:
// no step of its flight goes more than ten pixels along, and the last is on the pack.
TEST_F(Flight, StepsOfTenPixelsAtMostEndExactlyOnTheDestination) {
    for (int stack : {6, 0}) {
        ClearTable();
        PutOnStack(stack, CCard(2, 1));
        steps.clear();
        WatchFlight();
        RightClick(AtStack(stack).x, 150);  // a lone card is whole: pressed low on it
        ASSERT_EQ(view->Model().packCount[0], 1);
        ASSERT_GT(steps.size(), 10u) << "from stack " << stack;
        for (size_t i = 1; i < steps.size(); ++i)
            EXPECT_LE(std::abs(steps[i].first - steps[i - 1].first), 10) << stack << ": " << i;
        EXPECT_EQ(steps.back(), std::make_pair(PackX(0), kTopRowY));
    }
}

TEST_F(Flight, AStraightDownFlightIsDrawnOnceAtTheDestination) {
    ClearTable();
    FillPack(0, 1, 2);
    FillPack(1, 2, 2);
    FillPack(2, 3, 2);
    PutOnStack(5, CCard(4, 1));
    WatchFlight();
    RightClick(540, 150);
    EXPECT_EQ(view->Model().packCount[3], 1);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{505, 15}}));
}

}  // namespace
