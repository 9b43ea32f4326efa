// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "platform/Menus.h"

using namespace testing_support;

namespace {

class Undo : public TableFixture {
  protected:
    void UndoCommand() {
        window->PostMessage(MSG_UNDO);
        BLooper::DispatchAllPending();
    }
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
        UndoCommand();
    }
    EXPECT_EQ(Layout(), after[4]);  // as after the fifth move
    EXPECT_FALSE(UndoEnabled());
    UndoCommand();
    EXPECT_EQ(Layout(), after[4]);
}

TEST_F(Undo, EachKindOfMoveComesBack) {
    ClearTable();
    for (int n = 1; n <= 5; ++n)
        Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(4, n)); });
    PutOnStack(0, CCard(1, 12), 1);
    PutOnStack(0, CCard(3, 11));
    PutOnStack(0, CCard(2, 10));
    PutOnStack(1, CCard(1, 13), 1);
    PutOnStack(2, CCard(2, 12));
    PutOnStack(3, CCard(1, 1));
    view->UpdateBackground();

    auto expectUndone = [this](const char* what, auto move) {
        const std::string before = Layout();
        const int depth = int(view->History().Size());
        move();
        ASSERT_EQ(int(view->History().Size()), depth + 1) << what;
        ASSERT_NE(Layout(), before) << what;
        UndoCommand();
        EXPECT_EQ(Layout(), before) << what;
        EXPECT_EQ(Screen(), Offscreen()) << what;
    };
    expectUndone("turning three", [&] { Click(60, 60); });
    expectUndone("turning a face-down card", [&] { Click(150, 130); });
    expectUndone("a run dragged to another stack", [&] { Drag(60, 150, 250, 140); });
    expectUndone("the secondary button", [&] { RightClick(350, 150); });
    Click(60, 60);
    Click(60, 60);  // deck empty, pile of five
    expectUndone("turning the pile back", [&] { Click(60, 60); });
}

TEST_F(Undo, APileCardMoveComesBackWithTheLoweredFannedCountByMouseOrByKey) {
    for (bool byKey : {false, true}) {
        ClearTable();
        Edit([](Table& t) { tables::TurnOntoPile(t, {CCard(1, 1), CCard(1, 2), CCard(1, 3)}, 3); });
        PutOnStack(4, CCard(3, 4));
        if (byKey) {
            for (int key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down, Qt::Key_Right,
                            Qt::Key_Right, Qt::Key_Right, Qt::Key_Space})
                Key(key);
        } else {
            Drag(170, 60, 440, 150);
        }
        ASSERT_EQ(view->Model().stackCount[4], 2);
        UndoCommand();
        EXPECT_EQ(view->Model().pile.GetCard(0), CCard(1, 3));
        EXPECT_EQ(view->Model().pile.GetNumCards(), 3);
        EXPECT_EQ(view->Model().fannedCount, 2) << (byKey ? "by key" : "by mouse");
        EXPECT_EQ(view->Model().stackCount[4], 1);
    }
}

TEST_F(Undo, ANewDealEmptiesTheHistory) {
    Click(60, 60);
    EXPECT_TRUE(UndoEnabled());
    window->PostMessage(MSG_DEAL);
    EXPECT_FALSE(UndoEnabled());
    const std::string dealt = Layout();
    UndoCommand();
    EXPECT_EQ(Layout(), dealt);
}

TEST_F(Undo, EveryRecordedMoveNotifiesTheWindow) {
    view->UpdateUndo();
    view->UpdateUndo();
    EXPECT_EQ(window->CountQueued(), 2);
}

}  // namespace
