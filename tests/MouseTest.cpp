// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "platform/QtSide.h"

using namespace testing_support;

namespace {

// Centres of places, for pressing on them.
constexpr int kDeckX = 60, kTopY = 60;
int StackPointX(int s) {
    return 60 + 96 * s;
}
int RowPointY(int r) {
    return 130 + 15 * r;
}
int PackPointX(int p) {
    return 300 + 80 * p;
}

class Mouse : public TableFixture {
  protected:
    int UndoCount() const { return int(view->History().Size()); }
};

TEST_F(Mouse, TheTableHoldsAWholePackAtEveryStepOfADragAndAFlight) {
    // The seventh stack's top card carried about and dropped where nothing takes it: it flies
    // back. Mid-drag and mid-flight its card is in the hand, and the hand is on the table.
    int looked = 0, held = 0;
    auto look = [&] {
        ++looked;
        held += view->Model().handCount;
        EXPECT_EQ(CardCount(view->Model()), 52);
        EXPECT_EQ(TableFault(view->Model()), "");
    };
    testseams::ObserveSync([&](BView*) { look(); });
    const BPoint top(StackPointX(6), RowPointY(6) + 30);
    testseams::Press(view, 1,
                     {{top, 1},
                      {BPoint(400, 300), 1, look},
                      {BPoint(420, 420), 1, look},
                      {BPoint(420, 420), 0, look}});
    testseams::ObserveSync(nullptr);
    EXPECT_GT(looked, 5);
    EXPECT_GT(held, 5);
    EXPECT_EQ(view->Model().handCount, 0);
    EXPECT_EQ(view->Model().stackCount[6], 7);
}

TEST_F(Mouse, ACardPressedAndMovedBeforeTheFirstSampleIsCarried) {
    // By the first sample the pointer is over the empty second stack: the king pressed is picked
    // up all the same, held where it was pressed (35 pixels in, 4 down), and follows to its drop.
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    view->UpdateBackground();
    const BPoint press(StackPointX(0), RowPointY(0));
    testseams::ScriptMouse({{BPoint(press.x + 80, press.y + 100), 1},
                            {BPoint(StackPointX(4), 300), 1},
                            {BPoint(StackPointX(4), 300), 0}});
    view->DeliverMouseDown(press, 1);
    EXPECT_EQ(view->HandX(), table::StackX(4));
    EXPECT_EQ(view->HandY(), 296);
    EXPECT_EQ(view->Model().stackCount[0], 0);
    ASSERT_EQ(view->Model().stackCount[4], 1);
    EXPECT_EQ(view->Model().stacks[4][0], CCard(1, 13));
    EXPECT_EQ(UndoCount(), 1);
}

// The hand's rounded corners show the table under them, never what the screen showed there a
// sample before: a slow drag moves the hand only a few pixels at a time, over its own picture.
TEST_F(Mouse, ACardCarriedSlowlyShowsTheTableAtItsCorners) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    view->UpdateBackground();
    // Where the hand's picture is see-through, the screen shows the table.
    auto cornersShowTheTable = [this] {
        const int x = view->HandX(), y = view->HandY();
        for (int dy = 0; dy < 96; ++dy)
            for (int dx = 0; dx < 71; ++dx) {
                if (PixelAt(view->DragImage(), dx, dy).a != 0)
                    continue;
                EXPECT_EQ(PixelAt(Screen(), x + dx, y + dy), PixelAt(Offscreen(), x + dx, y + dy))
                    << "at " << dx << "," << dy << " of the card";
            }
    };
    std::vector<testseams::MouseSample> samples;
    for (int step = 0; step <= 12; ++step)
        samples.push_back({BPoint(60 + 3 * step, 150 + 2 * step), 1, cornersShowTheTable});
    samples.push_back({BPoint(96, 174), 0});
    testseams::Press(view, 1, samples);
}

TEST_F(Mouse, TurningThreeOrOneFromTheDeck) {
    ClearTable();
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(1, 5)); });
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 6)); });  // two left, three to turn
    Click(kDeckX, kTopY);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 2);
    EXPECT_EQ(view->Model().fannedCount, 2);
    EXPECT_EQ(view->Model().pile.GetCard(0), CCard(1, 5));  // the second turned is on top
    EXPECT_EQ(UndoCount(), 1);

    view->SetFlags(0, 1, 1, 0);
    Click(kDeckX, kTopY);  // empty deck: the pile turns back
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(3, 3)); });
    Click(kDeckX, kTopY);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 1);
    EXPECT_EQ(view->Model().fannedCount, 1);
}

TEST_F(Mouse, TurningThePileBackReversesItAnyNumberOfTimes) {
    ClearTable();
    for (int n = 1; n <= 10; ++n)
        Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(4, n)); });  // the 1 was turned first
    Edit([&](Table& t) { t.fannedCount = 3; });
    view->SetFlags(0, 1, 0, 1);  // two redeals only in name: the pile still turns back
    for (int round = 0; round < 3; ++round) {
        Click(kDeckX, kTopY);
        ASSERT_EQ(view->Model().deck.GetNumCards(), 10);
        EXPECT_EQ(view->Model().deck.GetCard(0), CCard(4, 1));
        EXPECT_EQ(view->Model().fannedCount, 3);
        while (view->Model().deck.GetNumCards() > 0)
            Edit([&](Table& t) { t.pile.PutCardOnTop(t.deck.GetTopCard()); });
    }
    EXPECT_EQ(UndoCount(), 3);
}

TEST_F(Mouse, APressOverWithinOnePollDoesNothing) {
    QImage before = Screen().copy();
    testseams::Press(view, 1, {{BPoint(kDeckX, kTopY), 0}});
    EXPECT_EQ(view->Model().pile.GetNumCards(), 0);
    EXPECT_EQ(Screen(), before);
    testseams::Press(view, 3, {{BPoint(kDeckX, kTopY), 3}});  // both buttons start nothing
    EXPECT_EQ(view->Model().pile.GetNumCards(), 0);
}

TEST_F(Mouse, TurningUpAFaceDownTopCardEndsThePress) {
    ClearTable();
    PutOnStack(2, CCard(1, 9), 1);
    Drag({BPoint(StackPointX(2), RowPointY(0)), BPoint(StackPointX(5), RowPointY(0))});
    EXPECT_EQ(view->Model().faceDown[2][0], 0);
    EXPECT_EQ(view->Model().stackCount[2], 1);
    EXPECT_EQ(testseams::SamplesLeft(), 1);  // the rest of the press was not even sampled
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(Mouse, RightAfterADealTheDecksRightEdgeBelongsToTheEmptyPile) {
    Click(92, kTopY);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 0);
    Click(89, kTopY);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 3);
}

TEST_F(Mouse, APressOnACoveredFaceDownCardWaitsAndSlidesOn) {
    ClearTable();
    PutOnStack(3, CCard(1, 9), 1);
    PutOnStack(3, CCard(4, 8));
    Drag({BPoint(StackPointX(3), RowPointY(0)), BPoint(StackPointX(3), RowPointY(0)),
          BPoint(StackPointX(3), RowPointY(3)), BPoint(650, 450)});
    EXPECT_EQ(view->Model().faceDown[3][0], 1);
    EXPECT_EQ(view->Model().stackCount[3], 2);  // the 8 was picked up on the way and flew back
    EXPECT_FALSE(view->History().CanUndo());
}

TEST_F(Mouse, SlidingFromEmptyTableOntoACardPicksItUp) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    Drag({BPoint(650, 450), BPoint(StackPointX(0), RowPointY(0)), BPoint(StackPointX(3), 150)});
    EXPECT_EQ(view->Model().stackCount[3], 1);
    EXPECT_EQ(view->Model().stackCount[0], 0);
    EXPECT_EQ(view->Model().handCount, 0);
    EXPECT_EQ(view->MouseState(), CView::kMouseIdle);
}

TEST_F(Mouse, RunsAreTakenWholeAndRefusedWhenBroken) {
    ClearTable();
    PutOnStack(1, CCard(3, 10), 1);
    PutOnStack(1, CCard(1, 9));
    PutOnStack(1, CCard(3, 8));
    PutOnStack(1, CCard(2, 7));
    PutOnStack(4, CCard(4, 10));
    Drag(StackPointX(1), RowPointY(1), StackPointX(4), 200);
    ASSERT_EQ(view->Model().stackCount[4], 4);
    EXPECT_EQ(view->Model().stacks[4][1], CCard(1, 9));
    EXPECT_EQ(view->Model().stacks[4][3], CCard(2, 7));
    EXPECT_EQ(view->Model().stackCount[1], 1);

    // Same colour, a gap in the numbers, a face-down card: nothing is picked up.
    ClearTable();
    PutOnStack(0, CCard(1, 9));
    PutOnStack(0, CCard(2, 8));
    PutOnStack(2, CCard(1, 9));
    PutOnStack(2, CCard(3, 7));
    PutOnStack(3, CCard(1, 9), 1);
    PutOnStack(3, CCard(3, 8));
    PutOnStack(6, CCard(3, 10));
    for (int s : {0, 2, 3}) {
        Drag(StackPointX(s), RowPointY(0), StackPointX(6), 200);
        EXPECT_EQ(view->Model().stackCount[s], 2) << "stack " << s;
        EXPECT_EQ(view->Model().stackCount[6], 1);
        EXPECT_EQ(view->Model().handCount, 0);
    }
    EXPECT_EQ(UndoCount(), 1);  // only the good run's drop
}

TEST_F(Mouse, KingsGoOnEmptyStacksAndOthersFlyBack) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    PutOnStack(1, CCard(2, 12));
    Drag(StackPointX(1), RowPointY(0), StackPointX(5), 150);
    EXPECT_EQ(view->Model().stackCount[1], 1);  // a queen on an empty stack flew back
    EXPECT_EQ(view->Model().stackCount[5], 0);
    Drag(StackPointX(0), RowPointY(0), StackPointX(5), 150);
    EXPECT_EQ(view->Model().stackCount[5], 1);
    Drag(StackPointX(1), RowPointY(0), StackPointX(5), 150);
    EXPECT_EQ(view->Model().stackCount[5], 1);  // same colour as the king: refused
    EXPECT_EQ(view->Model().stackCount[1], 1);
}

TEST_F(Mouse, ACardOnAFaceDownTopCardFliesBack) {
    ClearTable();
    PutOnStack(0, CCard(3, 9), 1);
    PutOnStack(1, CCard(1, 8));
    Drag(StackPointX(1), RowPointY(0), StackPointX(0), RowPointY(0));
    EXPECT_EQ(view->Model().stackCount[0], 1);
    EXPECT_EQ(view->Model().stackCount[1], 1);
}

TEST_F(Mouse, PacksTakeAcesOnAnyEmptyPackThenTheSuitInOrder) {
    ClearTable();
    PutOnStack(0, CCard(2, 1));
    PutOnStack(1, CCard(2, 3));
    PutOnStack(2, CCard(2, 2));
    Drag(StackPointX(1), RowPointY(0), PackPointX(2), kTopY);  // a three on an empty pack
    EXPECT_EQ(view->Model().packCount[2], 0);
    EXPECT_EQ(view->Model().stackCount[1], 1);
    Drag(StackPointX(0), RowPointY(0), PackPointX(2), kTopY);
    EXPECT_EQ(view->Model().packCount[2], 1);
    Drag(StackPointX(1), RowPointY(0), PackPointX(2), kTopY);  // three on the ace: refused
    EXPECT_EQ(view->Model().packCount[2], 1);
    Drag(StackPointX(2), RowPointY(0), PackPointX(2), kTopY);
    Drag(StackPointX(1), RowPointY(0), PackPointX(2), kTopY);
    EXPECT_EQ(view->Model().packCount[2], 3);
    EXPECT_EQ(view->Model().packs[2][2], CCard(2, 3));
}

TEST_F(Mouse, ARunOfTwoNeverGoesOnAPack) {
    ClearTable();
    FillPack(0, 1, 4);
    PutOnStack(3, CCard(1, 5));
    PutOnStack(3, CCard(3, 4));
    Drag(StackPointX(3), RowPointY(0), PackPointX(0), kTopY);
    EXPECT_EQ(view->Model().packCount[0], 4);
    EXPECT_EQ(view->Model().stackCount[3], 2);
}

TEST_F(Mouse, ReleasesOnDeckPileGapOrTableSendTheHandBack) {
    ClearTable();
    PutOnStack(2, CCard(1, 13));
    Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(4, 4)); });
    Edit([&](Table& t) { t.fannedCount = 1; });
    for (BPoint p : {BPoint(kDeckX, kTopY), BPoint(130, kTopY), BPoint(108, 300), BPoint(650, 80),
                     BPoint(301, 480)}) {
        Drag({BPoint(StackPointX(2), RowPointY(0)), p});
        EXPECT_EQ(view->Model().stackCount[2], 1);
        EXPECT_EQ(view->Model().stacks[2][0], CCard(1, 13));
    }
    EXPECT_FALSE(view->History().CanUndo());
}

TEST_F(Mouse, APileCardFliesBackRaisingTheFannedCount) {
    ClearTable();
    Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(1, 2)); });
    Edit([&](Table& t) { t.fannedCount = 1; });
    Drag(120, kTopY, 650, 400);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 1);
    EXPECT_EQ(view->Model().fannedCount, 2);  // taking it left 1; the return raised it

    for (int n = 3; n <= 6; ++n)
        Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(1, n)); });
    Edit([&](Table& t) { t.fannedCount = 3; });
    Drag(170, kTopY, 650, 400);
    EXPECT_EQ(view->Model().fannedCount, 3);
    EXPECT_EQ(view->Model().pile.GetCard(0), CCard(1, 6));
}

TEST_F(Mouse, FreezeKeepsPackCardsWhereTheyAre) {
    ClearTable();
    FillPack(1, 3, 5);
    PutOnStack(0, CCard(1, 6));
    view->SetFlags(1, 0, 0, 0);
    Drag(PackPointX(1), kTopY, StackPointX(0), RowPointY(0));
    EXPECT_EQ(view->Model().packCount[1], 5);
    view->SetFlags(0, 0, 0, 0);
    Drag(PackPointX(1), kTopY, 650, 450);  // refused: back to its pack
    EXPECT_EQ(view->Model().packCount[1], 5);
    Drag(PackPointX(1), kTopY, StackPointX(0), RowPointY(0));
    EXPECT_EQ(view->Model().packCount[1], 4);
    EXPECT_EQ(view->Model().stacks[0][1], CCard(3, 5));
}

TEST_F(Mouse, TheDragPictureFollowsThePointerOnScreenOnly) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    view->UpdateBackground();
    const Pixel face = PixelAt(view->GetBitmap(), 852 + 35, 48);  // the king's centre

    // Picked up 20 pixels into the card: the picture lies exactly over it, the table under it
    // is already redrawn without it off screen.
    ASSERT_EQ(view->DoFirstMouse(45, 146), 0);
    EXPECT_EQ(PixelAt(Screen(), 60, 174), face);
    EXPECT_EQ(PixelAt(Offscreen(), 60, 174), Rgb(0, 153, 0));

    view->MovedCursor(BPoint(345, 346));
    EXPECT_EQ(view->HandX(), 325);
    EXPECT_EQ(view->HandY(), 326);
    EXPECT_EQ(PixelAt(Screen(), 360, 374), face);
    EXPECT_EQ(PixelAt(Screen(), 325, 326), Rgb(0, 153, 0));  // a transparent corner
    EXPECT_EQ(PixelAt(Offscreen(), 360, 374), Rgb(0, 153, 0));
    EXPECT_EQ(PixelAt(Screen(), 60, 174), Rgb(0, 153, 0));  // the old place uncovered

    view->Drop(345, 346);
    EXPECT_EQ(view->Model().stackCount[3], 1);
    EXPECT_EQ(Screen(), Offscreen());
}

TEST_F(Mouse, CommandsWaitUntilThePressIsOverAndASecondPressIsIgnored) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    window->PostMessage(MSG_DEAL);
    int32_t stateAfterSecondPress = 0;
    const BPoint target(StackPointX(4), 200);
    auto meanwhile = [&] {
        QCoreApplication::processEvents();  // the event loop runs during a press, as it does live
        view->DeliverMouseDown(BPoint(300, 300), 1);  // returns at once
        stateAfterSecondPress = view->MouseState();
    };
    testseams::Press(
        view, 1, {{BPoint(StackPointX(0), RowPointY(0)), 1}, {target, 1, meanwhile}, {target, 0}});
    EXPECT_EQ(stateAfterSecondPress, 1);
    EXPECT_EQ(view->Model().stackCount[4], 1);  // the king was dragged and dropped
    EXPECT_EQ(window->CountQueued(), 2);        // the deal is still waiting, and the drop's notice
}

// A press and its release that arrive together through Qt, as a quick click, a remote desktop
// or an accessibility switch sends them: the first sample still sees the press.
class QuickClick : public Mouse {
  protected:
    void SetUp() override {
        Mouse::SetUp();
        testseams::Reset();  // the pointer seen through Qt's events, not a script
        testseams::ScriptAlerts();
        testseams::SetNoFrameWait(true);
    }
    void Click(int x, int y, Qt::MouseButton button) {
        QWidget* w = QtSide::Widget(*view);
        const QPointF at(x, y);
        const QPointF global = w->mapToGlobal(at);
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global, button,
                                                       button, Qt::NoModifier));
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                       button, Qt::NoButton, Qt::NoModifier));
        QCoreApplication::sendPostedEvents(w);
        ASSERT_FALSE(view->IsInMouseDown());
    }
};

TEST_F(QuickClick, OnTheDeckTurnsCards) {
    ClearTable();
    for (int n = 1; n <= 5; ++n)
        Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(1, n)); });
    Click(kDeckX, kTopY, Qt::LeftButton);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 3);
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(QuickClick, WithTheSecondaryButtonPlaysTheCard) {
    ClearTable();
    PutOnStack(2, CCard(3, 1));
    Click(StackPointX(2), RowPointY(0), Qt::RightButton);
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_EQ(view->Model().stackCount[2], 0);
}

TEST_F(QuickClick, OnACardPicksItUpAndPutsItBack) {
    ClearTable();
    PutOnStack(0, CCard(2, 12));
    int flightSteps = 0;
    testseams::ObserveSync([&](BView*) { flightSteps += view->Model().handCount > 0 ? 1 : 0; });
    Click(StackPointX(0), RowPointY(0), Qt::LeftButton);
    EXPECT_GE(flightSteps, 1);  // the queen was lifted, refused on her own empty place, and flew
    EXPECT_EQ(view->Model().stackCount[0], 1);
    EXPECT_EQ(view->Model().stacks[0][0], CCard(2, 12));
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(view->MouseState(), CView::kMouseIdle);
}

}  // namespace
