#include "view/CView.h"

#include "game/Rules.h"
#include "platform/System.h"

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
    DealStacks(model);
}

void CView::NewDeal() {
    handCount = 0;
    undoFlag = 0;
    undoHistory.clear();
    model = Table();
    model.deck = PackOfCards(0);
    model.deck.Shuffle(CalendarTime());
    mouseState = kMouseIdle;
    Deal();
    if (listener)
        listener->UndoAvailable(false);
    UpdateBackground();
}
