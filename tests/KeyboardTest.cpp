// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QWidget>

#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "game/CardName.h"

using namespace testing_support;
using namespace table;

namespace {

class Keyboard : public TableFixture {
  protected:
    std::pair<int, int> Focus() const {
        return {view->Keyboard().focusArea, view->Keyboard().focusRow};
    }
    // Pixels where the screen differs from the off-screen table, outside r.
    int DiffsOutside(BRect r) const {
        int diffs = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (!r.Contains(BPoint(x, y)) &&
                    PixelAt(Screen(), x, y) != PixelAt(Offscreen(), x, y))
                    ++diffs;
        return diffs;
    }
    int Diffs() const { return DiffsOutside(BRect()); }
    std::string Accessible(QAccessible::Text which) const {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(QtSide::Widget(*view));
        return face ? face->text(which).toStdString() : "";
    }
    int UndoCount() const { return int(view->History().Size()); }

    // Three stacks to play on: a falling run on two face-down cards, a black nine to take it, a
    // king on a face-down card, and an empty stack.
    void LayOut() {
        ClearTable();
        PutOnStack(2, CCard(4, 1), 1);
        PutOnStack(2, CCard(4, 2), 1);
        PutOnStack(2, CCard(4, 8));  // eight of spades
        PutOnStack(2, CCard(1, 7));  // seven of hearts
        PutOnStack(2, CCard(3, 6));  // six of clubs
        PutOnStack(4, CCard(2, 9));  // nine of diamonds
        PutOnStack(5, CCard(4, 3), 1);
        PutOnStack(5, CCard(3, 13));  // king of clubs
        PutOnStack(6, CCard(2, 7));   // seven of diamonds
        Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(1, 1)); });
        Edit([&](Table& t) { t.fannedCount = 1; });
        view->UpdateBackground();
    }
};

TEST_F(Keyboard, TheFocusGoesRoundTheTableAndUpAStacksFaceUpCards) {
    LayOut();
    Key(Qt::Key_Down);  // the first arrow only shows the frame, on the deck
    EXPECT_TRUE(view->Keyboard().focusShown);
    EXPECT_EQ(Focus(), std::make_pair(kAreaDeck, -1));
    const std::vector<std::pair<int, std::pair<int, int>>> steps = {
        {Qt::Key_Right, {kAreaPile, -1}},
        {Qt::Key_Right, {kAreaPack0, -1}},
        {Qt::Key_Right, {kAreaPack0 + 1, -1}},
        {Qt::Key_Right, {kAreaPack0 + 2, -1}},
        {Qt::Key_Right, {kAreaPack0 + 3, -1}},
        {Qt::Key_Right, {kAreaPack0 + 3, -1}},  // the row ends
        {Qt::Key_Down, {5, 1}},                 // the stack below, at its top card
        {Qt::Key_Right, {6, 0}},
        {Qt::Key_Right, {6, 0}},
        {Qt::Key_Left, {5, 1}},
        {Qt::Key_Left, {4, 0}},
        {Qt::Key_Left, {3, -1}},  // empty
        {Qt::Key_Left, {2, 4}},
        {Qt::Key_Up, {2, 3}},  // up the face-up cards, each heading a longer run
        {Qt::Key_Up, {2, 2}},
        {Qt::Key_Down, {2, 3}},
        {Qt::Key_Up, {2, 2}},
        {Qt::Key_Up, {kAreaPack0, -1}},  // past the first face-up card to the place above
        {Qt::Key_Left, {kAreaPile, -1}},
        {Qt::Key_Down, {1, -1}},
        {Qt::Key_Left, {0, -1}},
        {Qt::Key_Up, {kAreaDeck, -1}},
        {Qt::Key_Left, {kAreaDeck, -1}},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        Key(steps[i].first);
        EXPECT_EQ(Focus(), steps[i].second) << "step " << i;
    }
    EXPECT_EQ(UndoCount(), 0);
}

TEST_F(Keyboard, TheFrameShowsOnScreenOnlyAndLeavesNoTrace) {
    LayOut();
    const QImage offscreenBefore = Offscreen().copy();
    Key(Qt::Key_Right);
    const BRect deckFrame(kDeckX - 2, kTopRowY - 2, kDeckX + kCardWidth + 1,
                          kTopRowY + kCardHeight + 1);
    EXPECT_EQ(PixelAt(Screen(), kDeckX - 2, 50), Rgb(255, 214, 0));
    EXPECT_EQ(PixelAt(Screen(), kDeckX - 1, 50), Rgb(0, 0, 0));
    EXPECT_EQ(DiffsOutside(deckFrame), 0);
    EXPECT_EQ(Offscreen(), offscreenBefore);

    for (int key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up})
        Key(key);
    ASSERT_EQ(Focus(), std::make_pair(2, 3));  // the seven heads a run of two
    const BRect runFrame(StackX(2) - 2, StackCardY(3) - 2, StackX(2) + kCardWidth + 1,
                         StackCardY(4) + kCardHeight + 1);
    EXPECT_EQ(DiffsOutside(runFrame), 0);
    EXPECT_GT(Diffs(), 0);
    EXPECT_EQ(Offscreen(), offscreenBefore);

    // A mouse press hides it; the next arrow shows it where it was.
    Click(kDeckX + 30, 300);
    EXPECT_FALSE(view->Keyboard().focusShown);
    EXPECT_EQ(Diffs(), 0);
    Key(Qt::Key_Left);
    EXPECT_EQ(Focus(), std::make_pair(2, 3));
    EXPECT_EQ(DiffsOutside(runFrame), 0);
}

TEST_F(Keyboard, LiftAndPutDownUnderTheMouseRules) {
    LayOut();
    const std::string start = Layout();
    // The run of three from the eight: raised on screen only, the model untouched.
    for (int key :
         {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up})
        Key(key);
    ASSERT_EQ(Focus(), std::make_pair(2, 2));
    Key(Qt::Key_Space);
    EXPECT_EQ(view->Keyboard().liftArea, 2);
    EXPECT_EQ(Layout(), start);
    EXPECT_EQ(view->Model().handCount, 0);
    // The eight's face is 10 pixels higher on screen than off screen.
    EXPECT_EQ(PixelAt(Screen(), StackX(2) + 35, StackCardY(2) + 40 - 10),
              PixelAt(Offscreen(), StackX(2) + 35, StackCardY(2) + 40));

    // Onto the seven of diamonds: a red seven there is no place for an eight. Lowered back.
    Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Right);
    ASSERT_EQ(Focus(), std::make_pair(6, 0));
    Key(Qt::Key_Return);
    EXPECT_EQ(view->Keyboard().liftArea, kAreaNone);
    EXPECT_EQ(Layout(), start);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(Accessible(QAccessible::Description),
              "Can't put eight of spades with two cards on it there. Put back");

    // Lifted again, onto the nine of diamonds: all three fly there, one move to undo.
    Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Up),
        Key(Qt::Key_Up);
    ASSERT_EQ(Focus(), std::make_pair(2, 2));
    Key(Qt::Key_Enter);
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    EXPECT_EQ(view->Model().stackCount[2], 2);
    ASSERT_EQ(view->Model().stackCount[4], 4);
    EXPECT_EQ(view->Model().stacks[4][3], CCard(3, 6));
    EXPECT_EQ(Focus(), std::make_pair(4, 3));
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(Accessible(QAccessible::Description), "Moved eight of spades to Stack 5");
    EXPECT_EQ(DiffsOutside(BRect(StackX(4) - 2, StackCardY(3) - 2, StackX(4) + kCardWidth + 1,
                                 StackCardY(3) + kCardHeight + 1)),
              0);

    // A face-down top card turns over as a press turns it.
    Key(Qt::Key_Left), Key(Qt::Key_Left);
    ASSERT_EQ(Focus(), std::make_pair(2, 1));
    Key(Qt::Key_Space);
    EXPECT_EQ(view->Model().faceDown[2][1], 0);
    EXPECT_EQ(UndoCount(), 2);

    // The king to the empty stack; Escape puts a lifted card back.
    Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Right);
    ASSERT_EQ(Focus(), std::make_pair(5, 1));
    Key(Qt::Key_Space);
    Key(Qt::Key_Escape);
    EXPECT_EQ(view->Keyboard().liftArea, kAreaNone);
    EXPECT_EQ(DiffsOutside(BRect(StackX(5) - 2, 0, StackX(5) + kCardWidth + 1, kHeight)), 0);
    Key(Qt::Key_Space);
    Key(Qt::Key_Left), Key(Qt::Key_Left);
    ASSERT_EQ(Focus(), std::make_pair(3, -1));
    Key(Qt::Key_Space);
    EXPECT_EQ(view->Model().stackCount[3], 1);
    EXPECT_EQ(view->Model().stacks[3][0], CCard(3, 13));
    EXPECT_EQ(UndoCount(), 3);

    // Undo takes the keyboard's moves back like the mouse's.
    for (int i = 0; i < 3; ++i) {
        window->PostMessage(MSG_UNDO);
        BLooper::DispatchAllPending();
    }
    EXPECT_EQ(Layout(), start);
    EXPECT_EQ(DiffsOutside(BRect(StackX(3) - 2, kStackY - 2, StackX(3) + kCardWidth + 1,
                                 kStackY + kCardHeight + 1)),
              0);
}

TEST_F(Keyboard, ShiftEnterPlaysAsTheSecondaryButton) {
    LayOut();
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    ASSERT_EQ(Focus(), std::make_pair(kAreaPile, -1));
    Key(Qt::Key_Return, true);  // the ace to the first pack
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 0);
    EXPECT_EQ(Accessible(QAccessible::Description), "Moved ace of hearts to Pack 1");

    // A run's head to another stack: the seven of hearts with the six, onto... nothing takes it.
    Key(Qt::Key_Down), Key(Qt::Key_Right), Key(Qt::Key_Up);
    ASSERT_EQ(Focus(), std::make_pair(2, 3));
    Key(Qt::Key_Return, true);
    EXPECT_EQ(view->Model().stackCount[2], 5);
    EXPECT_EQ(Accessible(QAccessible::Description), "That card has nowhere to go");
    Key(Qt::Key_Up);  // the eight's run goes onto the nine of diamonds
    Key(Qt::Key_Return, true);
    EXPECT_EQ(view->Model().stackCount[2], 2);
    EXPECT_EQ(view->Model().stackCount[4], 4);
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(view->Model().handCount, 0);
}

TEST_F(Keyboard, KeysWaitWhileCardsFly) {
    LayOut();
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    int steps = 0;
    std::pair<int, int> focusInFlight;
    testseams::ObserveSync([&](BView*) {
        if (view->Model().handCount == 0)
            return;
        if (steps++ == 2) {
            // Pressed mid-flight: queued, not handled.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
            QCoreApplication::sendEvent(QtSide::Widget(*view), &press);
        }
        focusInFlight = Focus();
    });
    Key(Qt::Key_Return, true);
    testseams::ObserveSync(nullptr);
    EXPECT_GT(steps, 3);
    EXPECT_EQ(focusInFlight, std::make_pair(kAreaPile, -1));
    BLooper::DispatchAllPending();
    EXPECT_EQ(Focus(), std::make_pair(kAreaDeck, -1));  // handled after the flight
}

TEST_F(Keyboard, AScreenReaderHearsThePlaceAndWhatHappened) {
    LayOut();
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 2)); });
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 3)); });
    const std::vector<std::pair<int, std::string>> steps = {
        {Qt::Key_Right, "Deck: two cards"},
        {Qt::Key_Right, "Pile: ace of hearts"},
        {Qt::Key_Right, "Pack 1: empty"},
        {Qt::Key_Down, "Stack 3: six of clubs, two cards face down"},
        {Qt::Key_Up, "Stack 3: seven of hearts with one card on it, two cards face down"},
        {Qt::Key_Right, "Stack 4: empty"},
        {Qt::Key_Right, "Stack 5: nine of diamonds"},
    };
    for (const auto& [key, name] : steps) {
        Key(key);
        EXPECT_EQ(Accessible(QAccessible::Name), name);
    }

    Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Space);
    EXPECT_EQ(Accessible(QAccessible::Description), "Lifted six of clubs");
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    EXPECT_EQ(Accessible(QAccessible::Name), "Stack 5: nine of diamonds. Holding six of clubs");
    Key(Qt::Key_Escape);

    Edit([&](Table& t) { t.stackCount[5] = 1; });  // the king's face-down card alone
    Key(Qt::Key_Right);
    EXPECT_EQ(Accessible(QAccessible::Name), "Stack 6: one card face down");
    Key(Qt::Key_Up);
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Left);
    Key(Qt::Key_Space);
    EXPECT_EQ(Accessible(QAccessible::Description), "Turned the deck. Pile: two of diamonds");
    EXPECT_EQ(Accessible(QAccessible::Name), "Deck: empty");
}

TEST_F(Keyboard, ATableChangedUnderLiftedCardsPutsThemBack) {
    LayOut();
    Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Space);  // the pile's ace lifted
    ASSERT_EQ(view->Keyboard().liftArea, kAreaPile);
    window->PostMessage(MSG_DEAL);
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->Keyboard().liftArea, kAreaNone);
    EXPECT_EQ(DiffsOutside(BRect(kPileX - 2, kTopRowY - 2, kPileX + kCardWidth + 1,
                                 kTopRowY + kCardHeight + 1)),
              0);
    Key(Qt::Key_Right), Key(Qt::Key_Return);  // onto a pack: nothing is held any more
    EXPECT_EQ(view->Model().packCount[0], 0);
    EXPECT_EQ(TableFault(view->Model()), "");
}

}  // namespace
