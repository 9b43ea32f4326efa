// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

using namespace table;

void CView::DoRight(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    (void)DoRightAt(area, row);
}

int32_t CView::DoRightAt(int32_t area, int32_t row) {
    const std::optional<Move> move = SecondaryMove(model, options, Place::FromArea(area), row);
    if (!move)
        return -1;
    UpdateUndo();
    LiftHand(area, row);
    ReturnCardsToStack(move->to.ToArea());
    FinishIfDone();
    return move->to.ToArea();
}
