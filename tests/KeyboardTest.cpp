// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <optional>

#include "ScreenReader.h"
#include "TestSupport.h"

using namespace testing_support;
using namespace table;

namespace {

class Keyboard : public TableFixture {
  protected:
    void SetUp() override {
        TableFixture::SetUp();
        reader.emplace();  // once the window has shown, and told so
    }
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
    // Where the focus frame of a stack's cards from one top to another lies.
    static BRect Around(int s, int top, int lastTop) {
        return BRect(StackX(s) - 2, top - 2, StackX(s) + kCardWidth + 1, lastTop + kCardHeight + 1);
    }
    void Keys(std::initializer_list<int> keys) {
        for (int key : keys)
            Key(key);
    }
    // What one key, or one press, made the screen reader hear.
    using Words = std::vector<std::string>;
    template <typename Action>
    Words HearDuring(Action action) {
        reader->Heard();
        action();
        return reader->Heard();
    }
    Words Hear(int qtKey, bool shift = false) {
        return HearDuring([&] { Key(qtKey, shift); });
    }
    std::optional<ScreenReader> reader;

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
        Pile({CCard(1, 1)}, 1);
        view->UpdateBackground();
    }
};

// The frame goes round the table and up a stack's face-up cards, each place told to a screen
// reader by its own words, as the table's child at its place.
TEST_F(Keyboard, TheFocusGoesRoundTheTableTellingEachPlace) {
    LayOut();
    Deck({CCard(2, 2), CCard(2, 3)});
    struct Step {
        int key, area, row;
        const char* words;
    };
    const Step steps[] = {
        {Qt::Key_Down, kAreaDeck, -1, "Deck: two cards"},  // the first arrow only shows the frame
        {Qt::Key_Right, kAreaPile, -1, "Pile: ace of hearts"},
        {Qt::Key_Right, kAreaPack0, -1, "Pack 1: empty"},
        {Qt::Key_Right, kAreaPack0 + 1, -1, nullptr},
        {Qt::Key_Right, kAreaPack0 + 2, -1, nullptr},
        {Qt::Key_Right, kAreaPack0 + 3, -1, nullptr},
        {Qt::Key_Right, kAreaPack0 + 3, -1, "Pack 4: empty"},  // the row ends: told again
        {Qt::Key_Down, 5, 1, "Stack 6: king of clubs, one card face down"},
        {Qt::Key_Right, 6, 0, "Stack 7: seven of diamonds"},
        {Qt::Key_Left, 5, 1, nullptr},
        {Qt::Key_Left, 4, 0, "Stack 5: nine of diamonds"},
        {Qt::Key_Left, 3, -1, "Stack 4: empty"},
        {Qt::Key_Left, 2, 4, "Stack 3: six of clubs, two cards face down"},
        {Qt::Key_Up, 2, 3, "Stack 3: seven of hearts with one card on it, two cards face down"},
        {Qt::Key_Up, 2, 2, "Stack 3: eight of spades with two cards on it, two cards face down"},
        {Qt::Key_Up, kAreaPack0, -1, nullptr},  // past the first face-up card to the place above
        {Qt::Key_Left, kAreaPile, -1, nullptr},
        {Qt::Key_Down, 1, -1, nullptr},
        {Qt::Key_Left, 0, -1, nullptr},
        {Qt::Key_Up, kAreaDeck, -1, nullptr},
        {Qt::Key_Left, kAreaDeck, -1, nullptr},
    };
    for (const Step& step : steps) {
        const Words heard = Hear(step.key);
        EXPECT_EQ(Focus(), std::make_pair(step.area, step.row)) << step.key;
        ASSERT_EQ(heard.size(), 1u);
        if (step.words) {
            EXPECT_EQ(heard[0], std::string("focus ") + step.words);
        }
    }
    EXPECT_EQ(UndoCount(), 0);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(QtSide::Widget(*view));
    ASSERT_EQ(table->childCount(), 14);  // thirteen places and the news
    EXPECT_EQ(table->child(12)->text(QAccessible::Name).toStdString(),
              "Stack 7: seven of diamonds");
    EXPECT_EQ(table->child(12)->text(QAccessible::Description).toStdString(), "");
    EXPECT_EQ(table->focusChild(), QtSide::Widget(*view)->hasFocus() ? table->child(0) : nullptr);
    // With Ctrl or Alt held, the keys are the desktop's: the table does nothing.
    for (int key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_H})
        for (auto mods : {Qt::ControlModifier, Qt::AltModifier}) {
            QKeyEvent press(QEvent::KeyPress, key, mods);
            QCoreApplication::sendEvent(QtSide::Widget(*view), &press);
            BLooper::DispatchAllPending();
            EXPECT_EQ(Focus(), std::make_pair(kAreaDeck, -1));
            EXPECT_EQ(view->Keyboard().liftArea, kAreaNone);
        }
    EXPECT_EQ(view->Model().pile.GetNumCards(), 1);
}

// Lifted and put down under the mouse's rules, each result told once after its place: a run
// raised on screen only, refused and lowered back, then moved; a face-down card turned; Escape;
// the secondary move; the deck; undo; and the mouse's moves told as the keys' are.
TEST_F(Keyboard, LiftAndPutDownUnderTheMouseRulesTellingEachResult) {
    LayOut();
    Deck({CCard(2, 2)});
    const std::string start = Layout();
    Keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up});
    ASSERT_EQ(Focus(), std::make_pair(2, 2));
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Lifted eight of spades with two cards on it"});
    EXPECT_EQ(Layout(), start);
    // The eight's face is 10 pixels higher on screen than off screen.
    EXPECT_EQ(PixelAt(Screen(), StackX(2) + 35, StackCardY(2) + 40 - 10),
              PixelAt(Offscreen(), StackX(2) + 35, StackCardY(2) + 40));
    Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(
        Hear(Qt::Key_Right),
        Words{"focus Stack 7: seven of diamonds. Holding eight of spades with two cards on it"});
    EXPECT_EQ(Hear(Qt::Key_Return),
              Words{"news Can't put eight of spades with two cards on it there. Put back"});
    EXPECT_EQ(Layout(), start);

    Keys({Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up,
          Qt::Key_Enter, Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Moved eight of spades to Stack 5"});
    EXPECT_EQ(view->Model().stacks[4][3], CCard(3, 6));
    EXPECT_EQ(Focus(), std::make_pair(4, 3));
    EXPECT_EQ(DiffsOutside(Around(4, StackCardY(3), StackCardY(3))), 0);
    EXPECT_EQ(Hear(Qt::Key_Up), Words{"focus Stack 5: seven of hearts with one card on it"});
    Keys({Qt::Key_Left, Qt::Key_Left});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Turned over two of spades"});

    Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Lifted king of clubs"});
    EXPECT_EQ(Hear(Qt::Key_Escape), Words{"news Put back"});
    EXPECT_EQ(Hear(Qt::Key_Escape), Words{});  // nothing held: nothing happened
    EXPECT_EQ(DiffsOutside(Around(5, 0, kHeight)), 0);
    Keys({Qt::Key_Space, Qt::Key_Left, Qt::Key_Left});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Moved king of clubs to Stack 4"});
    Key(Qt::Key_Right);
    EXPECT_EQ(Hear(Qt::Key_Return, true), Words{"news Moved six of clubs to Stack 7"});
    EXPECT_EQ(Hear(Qt::Key_Return, true), Words{"news That card has nowhere to go"});
    Keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left,
          Qt::Key_Left});
    EXPECT_EQ(Hear(Qt::Key_Space), Words{"news Turned the deck. Pile: two of diamonds"});
    EXPECT_EQ(UndoCount(), 5);

    // Undo takes the keyboard's moves back like the mouse's; once the focus moves on, the news
    // is withdrawn, not left to be read as new.
    EXPECT_EQ(HearDuring([&] { Send(MSG_UNDO); }), Words{"news Undid the last move"});
    QAccessibleInterface* news =
        QAccessible::queryAccessibleInterface(QtSide::Widget(*view))->child(13);
    EXPECT_EQ(news->role(), QAccessible::Notification);
    EXPECT_FALSE(news->state().invisible);
    Key(Qt::Key_Right);
    EXPECT_TRUE(news->state().invisible);
    for (int i = 0; i < 4; ++i)
        Send(MSG_UNDO);
    EXPECT_EQ(Layout(), start);

    // The mouse's moves are told as the keys' are; a put-back where the card was taken from is
    // not told.
    EXPECT_EQ(HearDuring([&] { Click(kDeckX + 30, kTopRowY + 40); }),
              Words{"news Turned the deck. Pile: two of diamonds"});
    const BPoint king(StackX(5) + 30, StackCardY(1) + 40), empty(StackX(3) + 30, kStackY + 40);
    EXPECT_EQ(HearDuring([&] { Drag({king, BPoint(king.x + 3, king.y + 4)}); }), Words{});
    EXPECT_EQ(HearDuring([&] {
                  Drag({king, empty});
              }),
              Words{"news Moved king of clubs to Stack 4"});
    EXPECT_EQ(HearDuring([&] { Send(MSG_DEAL); }), Words{"news Dealt a new game"});
}

TEST_F(Keyboard, ATableChangedUnderLiftedCardsPutsThemBack) {
    LayOut();
    Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Space);  // the pile's ace lifted
    ASSERT_EQ(view->Keyboard().liftArea, kAreaPile);
    Send(MSG_DEAL);
    EXPECT_EQ(view->Keyboard().liftArea, kAreaNone);
    EXPECT_EQ(DiffsOutside(BRect(kPileX - 2, 0, kPileX + kCardWidth + 1, kStackY)), 0);
    Key(Qt::Key_Right), Key(Qt::Key_Return);  // onto a pack: nothing is held any more
    EXPECT_EQ(view->Model().packCount[0], 0);
    EXPECT_EQ(TableFault(view->Model()), "");
}

}  // namespace
