#include "game/CView.h"
#include "game/MessageCodes.h"

using namespace table;

void CView::SetFlags(int32_t freeze, int32_t autoComplete, int32_t one, int32_t redeals) {
    freezePacks = freeze;
    autoCompleteOn = autoComplete;
    dealOne = one;
    twoRedeals = redeals;
}

void CView::GetFlags(int32_t& freeze, int32_t& autoComplete, int32_t& one, int32_t& redeals) const {
    freeze = freezePacks;
    autoComplete = autoCompleteOn;
    one = dealOne;
    redeals = twoRedeals;
}

void CView::Deal() {
    // Row by row: the first seven cards go one to each stack, left to right.
    for (int r = 0; r < kStacks; ++r) {
        for (int s = r; s < kStacks; ++s) {
            stacks[s][r] = deck->GetTopCard();
            faceDown[s][r] = 1;
        }
        stackCount[r] = r + 1;
        faceDown[r][r] = 0;
    }
}

void CView::NewDeal() {
    fannedCount = 0;
    deck.reset();
    pile.reset();
    handCount = 0;
    for (int s = 0; s < kStacks; ++s)
        stackCount[s] = 0;
    for (int p = 0; p < kPacks; ++p)
        packCount[p] = 0;
    undoFlag = 0;
    undoHistory.clear();
    deck = std::make_unique<PackOfCards>(0);
    pile = std::make_unique<PackOfCards>(1);
    deck->Shuffle();
    for (auto& column : faceDown)
        for (int32_t& flag : column)
            flag = 0;
    mouseState = -1;
    Deal();
    Notify(MSG_UNDO_DISABLE);
    UpdateBackground();
}
