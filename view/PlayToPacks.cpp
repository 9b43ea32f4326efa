#include "game/Rules.h"
#include "view/CView.h"

using namespace table;

void CView::DoRight(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    (void)DoRightAt(area, row);
}

int32_t CView::DoRightAt(int32_t area, int32_t row) {
    CCard card;
    bool mayGoToPack = false;
    if (area >= 0 && area < kStacks) {
        if (row == -1 || model.faceDown[area][row] == 1)
            return -1;
        card = model.stacks[area][row];
        mayGoToPack = row == model.stackCount[area] - 1;
    } else if (area == kAreaPile) {
        if (model.pile.GetNumCards() == 0)
            return -1;
        card = model.pile.GetCard(0);
        mayGoToPack = true;
    } else if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        if (freezePacks == 1 || model.packCount[p] == 0)
            return -1;
        card = model.packs[p][model.packCount[p] - 1];
    } else {
        return -1;  // the deck, or nothing
    }

    int32_t destination = -1;
    if (mayGoToPack) {
        const int p = PackFor(model, card);
        if (p >= 0)
            destination = kAreaPack0 + p;
    }
    if (destination == -1)
        destination = StackFor(model, card, area < kStacks ? area : -1);
    if (destination == -1)
        return -1;

    UpdateUndo();
    LiftHand(area, row);
    ReturnCardsToStack(destination);
    FinishIfDone();
    return destination;
}
