// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMouseEvent>

#include "TestSupport.h"

using namespace testing_support;

namespace {

using Mouse = TableFixture;

// Each drag of a card or run onto a place: made where the rules allow it, and otherwise flown
// back leaving the table as it was.
TEST_F(Mouse, DragsAreMadeWhereTheRulesAllowAndFlyBackWhereNot) {
    struct Case {
        const char* what;
        std::function<void()> lay;
        BPoint from, to;
        bool made;
    };
    auto nineEightSeven = [this] {
        PutOnStack(1, CCard(3, 10), 1);
        PutOnStack(1, CCard(1, 9)), PutOnStack(1, CCard(3, 8)), PutOnStack(1, CCard(2, 7));
        PutOnStack(4, CCard(4, 10));
    };
    auto two = [this](CCard a, CCard b) {
        return [=, this] { PutOnStack(0, a), PutOnStack(0, b), PutOnStack(6, CCard(3, 10)); };
    };
    auto one = [this](CCard c) { return [=, this] { PutOnStack(0, c); }; };
    auto packAndCard = [this] { FillPack(1, 3, 5), PutOnStack(0, CCard(1, 6)); };
    const BPoint below(AtStack(6).x, 200);
    const Case cases[] = {
        {"a run on a ten", nineEightSeven, AtStack(1, 1), BPoint(AtStack(4).x, 200), true},
        {"a run of one colour", two(CCard(1, 9), CCard(2, 8)), AtStack(0), below, false},
        {"a run with a gap", two(CCard(1, 9), CCard(3, 7)), AtStack(0), below, false},
        {"a king to an empty stack", one(CCard(1, 13)), AtStack(0), AtStack(5), true},
        {"a queen to an empty stack", one(CCard(2, 12)), AtStack(0), AtStack(5), false},
        {"onto a face-down card",
         [this] { PutOnStack(0, CCard(3, 9), 1), PutOnStack(1, CCard(1, 8)); }, AtStack(1),
         AtStack(0), false},
        {"a two to another suit's ace", [this] { FillPack(0, 1, 1), PutOnStack(0, CCard(2, 2)); },
         AtStack(0), AtPack(0), false},
        {"a run of two to its pack",
         [this] { FillPack(0, 1, 4), PutOnStack(3, CCard(1, 5)), PutOnStack(3, CCard(3, 4)); },
         AtStack(3), AtPack(0), false},
        {"a pack's card to a stack", packAndCard, AtPack(1), AtStack(0), true},
    };
    for (const Case& c : cases) {
        ClearTable();
        c.lay();
        const std::string before = Layout();
        const int undos = UndoCount();
        Drag({c.from, c.to});
        EXPECT_EQ(Layout() != before, c.made) << c.what << "\n" << Layout();
        EXPECT_EQ(UndoCount(), undos + (c.made ? 1 : 0)) << c.what;
        EXPECT_EQ(view->Model().handCount, 0) << c.what;
    }
    // Frozen packs keep their cards; released on the deck, the pile, a gap or the bare table, a
    // card flies back.
    ClearTable();
    packAndCard();
    Pile({CCard(4, 4)}, 1);
    view->SetFlags(1, 0, 0, 0);
    const std::string before = Layout();
    const int undos = UndoCount();
    Drag({AtPack(1), AtStack(0)});
    for (BPoint p : {kAtDeck, BPoint(130, 60), BPoint(108, 300), BPoint(650, 80)})
        Drag({AtStack(0), p});
    EXPECT_EQ(Layout(), before);
    EXPECT_EQ(UndoCount(), undos);
}

// The secondary button sends a card to its pack first, else with its run to the first stack that
// takes it; an ace goes to the first empty pack and a king to the first empty stack. A pack's
// card comes back only while the packs are not frozen; where nothing takes a card, or there is
// no card, nothing happens.
TEST_F(Mouse, TheSecondaryButtonSendsACardToItsPackOrTheFirstPlaceThatTakesIt) {
    ClearTable();
    FillPack(0, 1, 1);
    FillPack(3, 2, 7);
    PutOnStack(0, CCard(2, 8));
    PutOnStack(2, CCard(4, 9));
    PutOnStack(5, CCard(3, 9));
    RightClick(AtStack(0));
    EXPECT_EQ(view->Model().packCount[3], 8);
    PutOnStack(0, CCard(1, 8)), PutOnStack(0, CCard(3, 7));
    PutOnStack(1, CCard(1, 10), 1);                      // face down: does not count
    RightClick(AtStack(0));                              // the covered eight goes with its seven
    EXPECT_EQ(view->Model().stacks[2][2], CCard(3, 7));  // both nines fit: stack 2 comes first
    Deck({CCard(4, 4)});                                 // keeps the game from completing
    Pile({CCard(2, 2), CCard(3, 1), CCard(3, 13)}, 3);
    std::vector<int> xs;  // where the pile's card flies from: where it is shown
    testseams::ObserveSync([&](BView*) { xs.push_back(view->HandX()); });
    RightClick(170, 60);
    testseams::ObserveSync(nullptr);
    EXPECT_EQ(xs.front(), 135);
    EXPECT_EQ(view->Model().stacks[0][0], CCard(3, 13));
    EXPECT_EQ(view->Model().fannedCount, 2);
    RightClick(150, 60);
    EXPECT_EQ(view->Model().packCount[1], 1);
    ASSERT_EQ(UndoCount(), 4);
    view->SetFlags(1, 0, 0, 0);
    const std::string before = Layout();
    for (BPoint p : {AtPack(3), BPoint(135, 60), AtStack(1), AtStack(3), kAtDeck, AtPack(2),
                     BPoint(650, 450), BPoint(108, 300)})
        RightClick(p);  // frozen; the two of diamonds; face down; empty; nothing
    EXPECT_EQ(Layout(), before);
    EXPECT_EQ(UndoCount(), 4);
    view->SetFlags(0, 0, 0, 0);
    RightClick(AtPack(3));
    EXPECT_EQ(view->Model().stacks[5][1], CCard(2, 8));
}

TEST_F(Mouse, TheDeckTurnsThreeOrOneAndThePileTurnsBackAnyNumberOfTimes) {
    ClearTable();
    Deck({CCard(1, 5), CCard(2, 6)});  // two left, three to turn
    Click(kAtDeck);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 2);
    EXPECT_EQ(view->Model().fannedCount, 2);
    EXPECT_EQ(view->Model().pile.GetCard(0), CCard(1, 5));  // the second turned is on top
    view->SetFlags(0, 1, 1, 1);  // two redeals only in name: the pile still turns back
    for (int round = 0; round < 3; ++round) {
        Click(kAtDeck);
        ASSERT_EQ(view->Model().deck.GetNumCards(), 2);
        EXPECT_EQ(view->Model().deck.GetCard(0), CCard(2, 6));
        Click(kAtDeck);
        EXPECT_EQ(view->Model().pile.GetNumCards(), 1);
        Click(kAtDeck);
    }
    EXPECT_EQ(UndoCount(), 10);
}

TEST_F(Mouse, TheDragPictureFollowsThePointerOnScreenOnly) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    view->UpdateBackground();
    const Pixel face = PixelAt(view->GetBitmap(), 852 + 35, 48);  // the king's centre
    const Pixel green = Rgb(0, 153, 0);
    // Picked up 20 pixels into the card: the picture lies exactly over it, the table under it
    // is already redrawn without it off screen.
    ASSERT_EQ(view->DoFirstMouse(45, 146), 0);
    EXPECT_EQ(PixelAt(Screen(), 60, 174), face);
    EXPECT_EQ(PixelAt(Offscreen(), 60, 174), green);
    view->MovedCursor(BPoint(345, 346));
    EXPECT_EQ(PixelAt(Screen(), 360, 374), face);
    EXPECT_EQ(PixelAt(Screen(), 325, 326), green);  // a transparent corner
    EXPECT_EQ(PixelAt(Offscreen(), 360, 374), green);
    EXPECT_EQ(PixelAt(Screen(), 60, 174), green);  // the old place uncovered
    view->Drop(345, 346);
    EXPECT_EQ(view->Model().stackCount[3], 1);
    EXPECT_EQ(Screen(), Offscreen());
}

TEST_F(Mouse, CommandsWaitUntilThePressIsOverAndASecondPressIsIgnored) {
    ClearTable();
    PutOnStack(0, CCard(1, 13));
    window->PostMessage(MSG_DEAL);
    int32_t stateAfterSecondPress = 0;
    const BPoint target(AtStack(4).x, 200);
    auto meanwhile = [&] {
        QCoreApplication::processEvents();  // the event loop runs during a press, as it does live
        view->DeliverMouseDown(BPoint(300, 300), 1);  // returns at once
        stateAfterSecondPress = view->MouseState();
    };
    testseams::Press(view, 1, {{AtStack(0), 1}, {target, 1, meanwhile}, {target, 0}});
    EXPECT_EQ(stateAfterSecondPress, 1);
    EXPECT_EQ(view->Model().stackCount[4], 1);  // the king was dragged and dropped
    EXPECT_EQ(window->CountQueued(), 2);        // the deal is still waiting, and the drop's notice
}

// A press and its release that arrive together through Qt, as a quick click, a remote desktop
// or an accessibility switch sends them: the first sample still sees the press.
TEST_F(Mouse, AQuickClickThroughQtIsSeen) {
    testseams::Reset();  // the pointer seen through Qt's events, not a script
    testseams::ScriptAlerts();
    testseams::SetNoFrameWait(true);
    auto click = [&](BPoint p, Qt::MouseButton button) {
        QWidget* w = QtSide::Widget(*view);
        const QPointF at(p.x, p.y), global = w->mapToGlobal(at);
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global, button,
                                                       button, Qt::NoModifier));
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                       button, Qt::NoButton, Qt::NoModifier));
        QCoreApplication::sendPostedEvents(w);
        ASSERT_FALSE(view->IsInMouseDown());
    };
    ClearTable();
    Deck({CCard(1, 1), CCard(1, 2), CCard(1, 3), CCard(1, 4), CCard(1, 5)});
    click(kAtDeck, Qt::LeftButton);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 3);
    PutOnStack(2, CCard(3, 1));
    click(AtStack(2), Qt::RightButton);
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_EQ(view->MouseState(), CView::kMouseIdle);
}

}  // namespace
