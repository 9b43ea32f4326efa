// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

#include "game/Rules.h"
#include "platform/System.h"

using namespace table;

void CView::SetOptions(const Options& o) {
    SetFlags(o.freezePacks, o.autoCompleteOn, o.dealOne, o.twoRedeals);
    SetBack(o.back);
}

void CView::SetFlags(int32_t freeze, int32_t autoComplete, int32_t one, int32_t redeals) {
    options.freezePacks = freeze;
    options.autoCompleteOn = autoComplete;
    options.dealOne = one;
    options.twoRedeals = redeals;
}

void CView::GetFlags(int32_t& freeze, int32_t& autoComplete, int32_t& one, int32_t& redeals) const {
    freeze = options.freezePacks;
    autoComplete = options.autoCompleteOn;
    one = options.dealOne;
    redeals = options.twoRedeals;
}

void CView::Deal() {
    DealStacks(model);
}

void CView::NewDeal() {
    history.Clear();
    model = ShuffledTable(CalendarTime());
    mouseState = kMouseIdle;
    Deal();
    if (listener)
        listener->UndoAvailable(false);
    UpdateBackground();
    Report("Dealt a new game");
    FinishAction();
}
