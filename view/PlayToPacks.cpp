// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

#include "game/CardName.h"

using namespace table;

void CView::DoRight(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    (void)DoRightAt(area, row);
}

int32_t CView::DoRightAt(int32_t area, int32_t row) {
    const Place from = Place::FromArea(area);
    const std::optional<Move> move = SecondaryMove(model, options, from, row);
    if (!move) {
        if (!(CardAt(from, row) == CCard()))
            Report("That card has nowhere to go");
        return -1;
    }
    Report("Moved " + CardName(CardAt(from, row)) + " to " + PlaceName(move->to.ToArea()));
    UpdateUndo();
    LiftHand(area, row);
    ReturnCardsToStack(move->to.ToArea());
    FinishIfDone();
    return move->to.ToArea();
}
