// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "game/Rules.h"

using namespace testing_support;

namespace {

class SecondaryButton : public TableFixture {
  protected:
    void ExpectNothingHappens(int x, int y) {
        const std::string before = Layout();
        const size_t depth = view->History().Size();
        RightClick(x, y);
        EXPECT_EQ(Layout(), before) << x << "," << y;
        EXPECT_EQ(view->History().Size(), depth) << x << "," << y;
    }
};

TEST_F(SecondaryButton, ATopCardGoesToItsPack) {
    ClearTable();
    FillPack(0, 1, 3);
    FillPack(2, 3, 6);
    PutOnStack(4, CCard(3, 7));
    RightClick(440, 130);
    EXPECT_EQ(view->Model().packCount[2], 7);
    EXPECT_EQ(view->Model().stackCount[4], 0);
    EXPECT_EQ(view->History().Size(), 1u);
}

TEST_F(SecondaryButton, ACoveredCardMovesWithItsRunToTheFirstFittingStack) {
    ClearTable();
    FillPack(2, 3, 6);
    PutOnStack(4, CCard(3, 7));
    PutOnStack(4, CCard(1, 6));
    RightClick(440, 130);  // the 7 is not offered to its pack while covered
    EXPECT_EQ(view->Model().stackCount[4], 2);
    PutOnStack(1, CCard(1, 8), 1);  // face down: does not count
    PutOnStack(3, CCard(2, 8));
    PutOnStack(6, CCard(1, 8));
    RightClick(440, 130);
    ASSERT_EQ(view->Model().stackCount[3], 3);
    EXPECT_EQ(view->Model().stacks[3][1], CCard(3, 7));
    EXPECT_EQ(view->Model().stacks[3][2], CCard(1, 6));
    EXPECT_EQ(view->Model().stackCount[6], 1);
}

TEST_F(SecondaryButton, AcesTakeTheFirstEmptyPackAndKingsTheFirstEmptyStack) {
    ClearTable();
    FillPack(0, 1, 1);
    FillPack(1, 2, 1);
    PutOnStack(0, CCard(4, 5));
    PutOnStack(1, CCard(4, 5));
    PutOnStack(2, CCard(4, 5));
    PutOnStack(4, CCard(4, 5));
    PutOnStack(6, CCard(4, 5));
    Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(3, 1)); });
    Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(3, 13)); });
    Edit([&](Table& t) { t.fannedCount = 2; });
    RightClick(130, 60);
    EXPECT_EQ(view->Model().stackCount[3], 1);  // the king, to the first empty stack
    EXPECT_EQ(view->Model().fannedCount, 1);
    RightClick(110, 60);
    EXPECT_EQ(view->Model().packCount[2], 1);  // the ace, to the first empty pack
    EXPECT_EQ(view->Model().pile.GetNumCards(), 0);
    PutOnStack(5, CCard(1, 13));
    for (int s : {3, 5})
        Edit([&](Table& t) { t.stackCount[s] = s == 3 ? 1 : 0; });
    Edit([&](Table& t) { t.stackCount[5] = 0; });
    ExpectNothingHappens(60, 130);  // a five with nowhere to go
}

TEST_F(SecondaryButton, APackIsPreferredAndTheFirstStackWins) {
    ClearTable();
    FillPack(3, 2, 7);
    PutOnStack(0, CCard(2, 8));
    PutOnStack(2, CCard(4, 9));
    PutOnStack(5, CCard(3, 9));
    RightClick(60, 130);
    EXPECT_EQ(view->Model().packCount[3], 8);
    PutOnStack(0, CCard(1, 8));
    RightClick(60, 130);
    EXPECT_EQ(view->Model().stackCount[2], 2);  // both 9s fit: stack 2 comes first
    EXPECT_EQ(view->Model().stackCount[5], 1);
}

TEST_F(SecondaryButton, APackCardGoesToAStackUnlessFrozen) {
    ClearTable();
    FillPack(1, 1, 5);
    PutOnStack(6, CCard(3, 6));
    view->SetFlags(1, 0, 0, 0);
    ExpectNothingHappens(380, 60);
    view->SetFlags(0, 0, 0, 0);
    RightClick(380, 60);
    EXPECT_EQ(view->Model().packCount[1], 4);
    EXPECT_EQ(view->Model().stackCount[6], 2);
}

TEST_F(SecondaryButton, PlacesWithoutACardDoNothing) {
    ClearTable();
    for (int n = 1; n <= 3; ++n)
        Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(1, n)); });
    PutOnStack(2, CCard(2, 1), 1);
    PutOnStack(3, CCard(2, 2));
    PutOnStack(4, CCard(3, 13));
    for (BPoint p : {BPoint(60, 60), BPoint(130, 60), BPoint(300, 60), BPoint(60, 300),
                     BPoint(250, 130), BPoint(348, 300), BPoint(650, 450), BPoint(108, 300)})
        ExpectNothingHappens(int(p.x), int(p.y));
}

TEST_F(SecondaryButton, ThePileCardFliesFromWhereItIsShown) {
    ClearTable();
    Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(4, 4)); });  // keeps the game from completing
    for (int n = 1; n <= 3; ++n)
        Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(2, 3 + n)); });  // the 6 on top
    Edit([&](Table& t) { t.fannedCount = 3; });
    PutOnStack(0, CCard(3, 7));
    std::vector<int> xs;
    testseams::ObserveSync([&](BView*) {
        if (view->Model().handCount > 0)
            xs.push_back(view->HandX());
    });
    RightClick(170, 60);
    ASSERT_FALSE(xs.empty());
    EXPECT_EQ(xs.front(), 135);
    EXPECT_EQ(view->Model().fannedCount, 2);
    EXPECT_EQ(view->Model().stackCount[0], 2);
}

// A card of the wrong suit for a pack, or of the wrong colour for a stack, is refused whichever
// way it is played: dragged, sent by the secondary button, or flown by autocomplete.
TEST_F(SecondaryButton, WrongSuitsAndColoursAreRefusedByEveryPath) {
    auto stackX = [](int s) { return 30 + 96 * s; };
    ClearTable();
    FillPack(0, 1, 1);           // the ace of hearts
    PutOnStack(0, CCard(2, 2));  // the two of diamonds: red, but not a heart
    PutOnStack(2, CCard(1, 8));  // a red eight
    PutOnStack(4, CCard(2, 7));  // a red seven: the wrong colour for it
    Drag(stackX(0), 140, 295, 50);
    Drag(stackX(4), 140, stackX(2), 160);
    RightClick(stackX(0), 140);
    RightClick(stackX(4), 140);
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_EQ(view->Model().stackCount[0], 1);
    EXPECT_EQ(view->Model().stackCount[2], 1);
    EXPECT_EQ(view->Model().stackCount[4], 1);
    EXPECT_FALSE(view->History().CanUndo());

    // Autocomplete with clubs begun on pack 0 and spades on pack 1: four falling runs, each of
    // two suits, and every card must still find the pack of its own suit.
    ClearTable();
    FillPack(0, 3, 1);
    FillPack(1, 4, 1);
    const int runs[4][2] = {{1, 3}, {3, 1}, {2, 4}, {4, 2}};  // the king's suit, then the other
    for (int s = 0; s < 4; ++s)
        for (int n = 13; n >= 1; --n) {
            const CCard card(n % 2 == 1 ? runs[s][0] : runs[s][1], n);
            if (!(n == 1 && (card.GetSuit() == 3 || card.GetSuit() == 4)))
                PutOnStack(s, card);
        }
    ASSERT_EQ(TableFault(view->Model()), "") << Layout();
    view->AutoComplete();
    for (int p = 0; p < 4; ++p)
        ASSERT_EQ(view->Model().packCount[p], 13) << "pack " << p << "\n" << Layout();
    EXPECT_EQ(TableFault(view->Model()), "") << Layout();
    EXPECT_EQ(view->Model().packs[0][12], CCard(3, 13));
    EXPECT_EQ(view->Model().packs[1][12], CCard(4, 13));
}

}  // namespace
