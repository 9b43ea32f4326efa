// SPDX-License-Identifier: GPL-3.0-or-later
#include <tuple>

#include "TestSupport.h"
#include "platform/Pacing.h"

using namespace testing_support;
using namespace table;

namespace {

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

// An ace plays to the first empty pack: leftward from the last stack, rightward from the first.
TEST_F(Flight, TenPixelsAlongXThenExactlyOnTheDestination) {
    for (const auto& [stack, pressX, count] : {std::tuple{6, 640, 35u}, std::tuple{0, 60, 25u}}) {
        ClearTable();
        PutOnStack(stack, CCard(2, 1));
        steps.clear();
        WatchFlight();
        RightClick(pressX, 150);
        ASSERT_EQ(view->Model().packCount[0], 1);
        ASSERT_EQ(steps.size(), count) << "from stack " << stack;
        const int along = StackX(stack) < PackX(0) ? 10 : -10;
        for (size_t i = 0; i + 1 < count; ++i)
            EXPECT_EQ(steps[i].first, StackX(stack) + along * int(i));
        EXPECT_EQ(steps.back(), std::make_pair(PackX(0), kTopRowY));
    }
}

TEST_F(Flight, EveryStepReachesTheScreenOneQuantumAfterThePrevious) {
    ClearTable();
    PutOnStack(6, CCard(2, 1));
    testseams::SetNoFrameWait(false);
    testseams::UseManualTime(true);  // time moves only by the program's waits
    int syncs = 0;
    std::vector<int64_t> waitedBefore;
    testseams::ObserveSync([&](BView*) {
        ++syncs;
        waitedBefore.push_back(int64_t(testseams::ManualWaits().size()));
    });
    RightClick(640, 150);
    ASSERT_EQ(view->Model().packCount[0], 1);
    // 35 flight steps and the landing; every Sync but the first presented its step at once and
    // then waited exactly one quantum, and no other wait was made.
    ASSERT_EQ(syncs, 36);
    const std::vector<int64_t>& waits = testseams::ManualWaits();
    ASSERT_EQ(waits.size(), 35u);
    for (int64_t wait : waits)
        EXPECT_EQ(wait, pacing::kSyncQuantumMicroseconds);
    for (int i = 0; i < syncs; ++i)
        EXPECT_EQ(waitedBefore[size_t(i)], std::max(0, i - 1)) << "Sync " << i;
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

TEST_F(Flight, BackToThePileTheFannedCountRisesToThreeAtMost) {
    for (int fanned : {3, 1}) {
        ClearTable();
        Edit([&](Table& t) {
            tables::TurnOntoPile(t, {CCard(1, 1), CCard(1, 2), CCard(1, 3)}, fanned);
            tables::Hold(t, {CCard(1, 4)}, table::kAreaPile);
        });
        view->ComposeHandImage();
        view->UpdatePacks(CView::kOffscreenOnly);
        view->ShowHand(300, 300);
        steps.clear();
        WatchFlight();
        view->ReturnCardsToStack(11);
        EXPECT_EQ(view->Model().fannedCount, fanned == 3 ? 3 : 2);
        EXPECT_EQ(steps.back().first, fanned == 3 ? 135 : 120);
        EXPECT_EQ(view->Model().pile.GetCard(0), CCard(1, 4));
        EXPECT_EQ(view->Model().handCount, 0);
    }
}

TEST_F(Flight, ARunLandsOnAStackInOrder) {
    ClearTable();
    for (int r = 0; r < 6; ++r)
        PutOnStack(2, CCard(1, 1), r < 5 ? 1 : 0);
    const CCard run[4] = {CCard(1, 9), CCard(3, 8), CCard(2, 7), CCard(4, 6)};
    Edit([&](Table& t) { tables::Hold(t, {run[0], run[1], run[2], run[3]}, 6); });
    view->ComposeHandImage();
    view->ShowHand(601, 126);
    view->ReturnCardsToStack(2);
    ASSERT_EQ(view->Model().stackCount[2], 10);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view->Model().stacks[2][6 + i], run[i]);
        EXPECT_EQ(view->Model().faceDown[2][6 + i], 0);
    }
    EXPECT_EQ(view->Model().handCount, 0);
    EXPECT_EQ(Screen(), Offscreen());
}

TEST_F(Flight, TheHandPictureKeepsKeyColouredPixelsTransparent) {
    ClearTable();
    Edit([&](Table& t) {
        tables::Hold(t, {}, 6);
        for (int i = 0; i < 13; ++i)
            t.hand[t.handCount++] = CCard(i % 2 + 2, 13 - i);
    });
    view->ComposeHandImage();
    const BBitmap* drag = view->DragImage();
    EXPECT_EQ(PixelAt(drag, 0, 0), (Pixel{148, 99, 49, 0}));
    EXPECT_EQ(PixelAt(drag, 35, 275).a, 255);  // the last card's bottom edge

    view->UpdateBackground();
    view->ShowHand(150, 200);
    EXPECT_EQ(PixelAt(Screen(), 150, 200), Rgb(0, 153, 0));  // a transparent corner
    EXPECT_EQ(PixelAt(Screen(), 185, 475), PixelAt(drag, 35, 275));
    EXPECT_EQ(PixelAt(Screen(), 185, 476), Rgb(0, 153, 0));  // below the picture: not drawn

    // A pixel one off the key colour is drawn opaque.
    uint8* bits = view->DragImage()->Bits();
    bits[0] = 147;
    bits[3] = 255;
    view->ShowHand(250, 200);
    EXPECT_EQ(PixelAt(Screen(), 250, 200), (Pixel{147, 99, 49, 255}));
}

}  // namespace
