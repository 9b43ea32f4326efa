#include <set>

#include "TestSupport.h"
#include "game/MessageCodes.h"

using namespace testing_support;

namespace {

class Dealing : public TableFixture {};

void ExpectFreshDeal(const CView* v) {
    for (int s = 0; s < 7; ++s) {
        ASSERT_EQ(v->model.stackCount[s], s + 1);
        for (int r = 0; r <= s; ++r)
            EXPECT_EQ(v->model.faceDown[s][r], r == s ? 0 : 1) << "stack " << s << " row " << r;
    }
    EXPECT_EQ(v->model.deck.GetNumCards(), 24);
    EXPECT_EQ(v->model.pile.GetNumCards(), 0);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(v->model.packCount[p], 0);
    EXPECT_EQ(v->model.fannedCount, 0);
    EXPECT_EQ(v->handCount, 0);
    EXPECT_TRUE(v->undoHistory.empty());
    EXPECT_EQ(v->mouseState, -1);

    std::set<std::pair<int, int>> seen;
    for (int s = 0; s < 7; ++s)
        for (int r = 0; r < v->model.stackCount[s]; ++r)
            seen.insert({v->model.stacks[s][r].GetSuit(), v->model.stacks[s][r].GetNumber()});
    for (int i = 0; i < v->model.deck.GetNumCards(); ++i)
        seen.insert({v->model.deck.GetCard(i).GetSuit(), v->model.deck.GetCard(i).GetNumber()});
    EXPECT_EQ(seen.size(), 52u);
}

TEST_F(Dealing, ConstructionDealsSevenStacksFromAShuffledDeck) {
    ExpectFreshDeal(view);
    EXPECT_EQ(view->autoCompleteOn, 1);
    EXPECT_EQ(view->GetBack(), 1);
}

TEST_F(Dealing, DealIsRowByRowFromTheShuffledDeck) {
    // Same second, same shuffle: the deck the view dealt from can be rebuilt.
    PackOfCards shuffled(0);
    shuffled.Shuffle();
    const int topPositions[7] = {0, 7, 13, 18, 22, 25, 27};
    for (int s = 0; s < 7; ++s) {
        EXPECT_EQ(view->model.stacks[s][s], shuffled.GetCard(topPositions[s])) << "stack " << s;
        EXPECT_EQ(view->model.stacks[s][0], shuffled.GetCard(s)) << "bottom of stack " << s;
    }
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(view->model.deck.GetCard(i), shuffled.GetCard(28 + i));
}

TEST_F(Dealing, NewDealResetsTheGameButNotTheOptions) {
    view->SetFlags(1, 0, 1, 1);
    view->SetBack(2);
    view->UpdateUndo();
    view->UpdateUndo();
    view->model.packCount[0] = 3;
    view->model.fannedCount = 2;
    BLooper::DispatchAllPending();

    view->NewDeal();
    ExpectFreshDeal(view);
    EXPECT_EQ(view->undoFlag, 0);
    int32_t f, a, o, r;
    view->GetFlags(f, a, o, r);
    EXPECT_EQ(f, 1);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(o, 1);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(view->GetBack(), 3);
    EXPECT_EQ(window->CountQueued(), 1);  // MSG_UNDO_DISABLE, waiting for the window
}

}  // namespace
