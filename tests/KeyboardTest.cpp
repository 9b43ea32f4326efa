// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QWidget>
#include <optional>

#include "ScreenReader.h"
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
    void SetUp() override {
        TableFixture::SetUp();
        reader.emplace();
    }
    void TearDown() override {
        reader.reset();
        TableFixture::TearDown();
    }
    // What one key, or one press, made the screen reader hear.
    using Words = std::vector<std::string>;
    Words Hear(int qtKey, bool shift = false) {
        reader->Heard();
        Key(qtKey, shift);
        return reader->Heard();
    }
    template <typename Action>
    Words HearDuring(Action action) {
        reader->Heard();
        action();
        return reader->Heard();
    }
    std::optional<ScreenReader> reader;
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

    // A run's head to another stack: the seven of hearts with the six, onto... nothing takes it.
    Key(Qt::Key_Down), Key(Qt::Key_Right), Key(Qt::Key_Up);
    ASSERT_EQ(Focus(), std::make_pair(2, 3));
    Key(Qt::Key_Return, true);
    EXPECT_EQ(view->Model().stackCount[2], 5);
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
    // Pressed mid-flight: queued, not handled.
    const auto [during, steps] = KeyMidFlight(Qt::Key_Left, [&] { Key(Qt::Key_Return, true); });
    EXPECT_GT(steps, 3);
    EXPECT_EQ(std::make_pair(during.focusArea, during.focusRow), std::make_pair(kAreaPile, -1));
    BLooper::DispatchAllPending();
    EXPECT_EQ(Focus(), std::make_pair(kAreaDeck, -1));  // handled after the flight
}

TEST_F(Keyboard, AScreenReaderHearsEachPlaceTheFrameComesTo) {
    LayOut();
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 2)); });
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 3)); });
    const std::vector<std::pair<int, std::string>> steps = {
        {Qt::Key_Right, "Deck: two cards"},  // the first arrow only shows the frame
        {Qt::Key_Right, "Pile: ace of hearts"},
        {Qt::Key_Right, "Pack 1: empty"},
        {Qt::Key_Down, "Stack 3: six of clubs, two cards face down"},
        {Qt::Key_Up, "Stack 3: seven of hearts with one card on it, two cards face down"},
        {Qt::Key_Up, "Stack 3: eight of spades with two cards on it, two cards face down"},
        {Qt::Key_Down, "Stack 3: seven of hearts with one card on it, two cards face down"},
        {Qt::Key_Right, "Stack 4: empty"},
        {Qt::Key_Right, "Stack 5: nine of diamonds"},
        {Qt::Key_Right, "Stack 6: king of clubs, one card face down"},
        {Qt::Key_Right, "Stack 7: seven of diamonds"},
        {Qt::Key_Right, "Stack 7: seven of diamonds"},  // the end of the row: told again
    };
    for (const auto& [key, words] : steps)
        EXPECT_EQ(Hear(key), Words{"focus " + words});

    // The event names the place as the table's child, the one whose words it carries.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(QtSide::Widget(*view));
    ASSERT_EQ(table->childCount(), 14);  // thirteen places and the news
    EXPECT_EQ(table->child(12)->text(QAccessible::Name).toStdString(),
              "Stack 7: seven of diamonds");
    EXPECT_EQ(table->child(0)->text(QAccessible::Name).toStdString(), "Deck: two cards");
    EXPECT_EQ(table->child(12)->role(), QAccessible::ListItem);
    EXPECT_EQ(table->focusChild(), QtSide::Widget(*view)->hasFocus() ? table->child(12) : nullptr);
}

TEST_F(Keyboard, EachResultIsSpokenOnceAfterItsPlace) {
    LayOut();
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(2, 2)); });
    Key(Qt::Key_Down), Key(Qt::Key_Down), Key(Qt::Key_Right), Key(Qt::Key_Right);
    ASSERT_EQ(Focus(), std::make_pair(2, 4));

    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Lifted six of clubs"});
    EXPECT_EQ(Hear(Qt::Key_Right), Words{"focus Stack 4: empty. Holding six of clubs"});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Can't put six of clubs there. Put back"});
    Key(Qt::Key_Left), Key(Qt::Key_Up), Key(Qt::Key_Up), Key(Qt::Key_Space);
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    EXPECT_EQ(Hear(Qt::Key_Return), Words{"news Moved eight of spades to Stack 5"});
    EXPECT_EQ(Hear(Qt::Key_Up), Words{"focus Stack 5: seven of hearts with one card on it"});
    EXPECT_EQ(Hear(Qt::Key_Down), Words{"focus Stack 5: six of clubs"});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Lifted six of clubs"});
    EXPECT_EQ(Hear(Qt::Key_Escape), Words{"news Put back"});
    EXPECT_EQ(Hear(Qt::Key_Escape), Words{});  // nothing held: nothing happened

    // The secondary move, a turned card and a turned deck.
    EXPECT_EQ(Hear(Qt::Key_Return, true), Words{"news Moved six of clubs to Stack 7"});
    EXPECT_EQ(Hear(Qt::Key_Return, true), Words{"news That card has nowhere to go"});
    Key(Qt::Key_Left), Key(Qt::Key_Left);
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Turned over two of spades"});
    Key(Qt::Key_Up), Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Left);
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Turned the deck. Pile: two of diamonds"});

    // The mouse's moves are told as the keys' are.
    EXPECT_EQ(HearDuring([&] { Click(kDeckX + 30, kTopRowY + 40); }),
              Words{"news Turned the deck. Pile: empty"});
    EXPECT_EQ(
        HearDuring([&] { Drag(StackX(4) + 30, StackCardY(2) + 40, StackX(3) + 30, kStackY + 40); }),
        Words{"news Can't put seven of hearts there. Put back"});
    EXPECT_EQ(HearDuring([&] {
                  Drag(StackX(4) + 30, StackCardY(2) + 40, StackX(4) + 33, StackCardY(2) + 44);
              }),
              Words{});  // put down where it was taken from
    EXPECT_EQ(
        HearDuring([&] { Drag(StackX(5) + 30, StackCardY(1) + 40, StackX(3) + 30, kStackY + 40); }),
        Words{"news Moved king of clubs to Stack 4"});
}

TEST_F(Keyboard, UndoAndDealReplaceTheLastResult) {
    LayOut();
    Key(Qt::Key_Right), Key(Qt::Key_Right);
    Key(Qt::Key_Return, true);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(QtSide::Widget(*view));
    QAccessibleInterface* news = table->child(13);
    ASSERT_EQ(news->role(), QAccessible::Notification);
    EXPECT_EQ(news->text(QAccessible::Name).toStdString(), "Moved ace of hearts to Pack 1");
    EXPECT_FALSE(news->state().invisible);

    auto command = [&](uint32 code) {
        return HearDuring([&] {
            window->PostMessage(code);
            BLooper::DispatchAllPending();
        });
    };
    EXPECT_EQ(command(MSG_UNDO), Words{"news Undid the last move"});
    EXPECT_EQ(news->text(QAccessible::Name).toStdString(), "Undid the last move");

    // Once the focus moves on, the news is withdrawn, not left to be read as new.
    Key(Qt::Key_Right);
    EXPECT_TRUE(news->state().invisible);

    EXPECT_EQ(command(MSG_DEAL), Words{"news Dealt a new game"});
    EXPECT_EQ(news->text(QAccessible::Name).toStdString(), "Dealt a new game");
    EXPECT_EQ(Hear(Qt::Key_Left), Words{"focus Pile: empty"});
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
