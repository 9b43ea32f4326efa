#include "game/CView.h"

using namespace table;

namespace {

// The pack a card may go to, or -1. An ace takes the first empty pack.
int PackFor(const CView& v, CCard card) {
    for (int p = 0; p < kPacks; ++p) {
        if (card.GetNumber() == 1) {
            if (v.packCount[p] == 0)
                return p;
        } else if (v.packCount[p] > 0 && v.packs[p][0].GetSuit() == card.GetSuit() &&
                   v.packs[p][v.packCount[p] - 1].GetNumber() == card.GetNumber() - 1) {
            return p;
        }
    }
    return -1;
}

// The stack a card (with whatever lies on it) may go to, or -1. A king takes the first empty one.
int StackFor(const CView& v, CCard card, int ownStack) {
    for (int s = 0; s < kStacks; ++s) {
        const int n = v.stackCount[s];
        if (card.GetNumber() == 13) {
            if (n == 0)
                return s;
            continue;
        }
        if (s == ownStack || n == 0)
            continue;
        const CCard top = v.stacks[s][n - 1];
        if (v.faceDown[s][n - 1] != 1 && top.GetNumber() == card.GetNumber() + 1 &&
            top.GetColour() != card.GetColour())
            return s;
    }
    return -1;
}

}  // namespace

void CView::DoRight(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);

    CCard card;
    bool mayGoToPack = false;
    if (area >= 0 && area < kStacks) {
        if (row == -1 || faceDown[area][row] == 1)
            return;
        card = stacks[area][row];
        mayGoToPack = row == stackCount[area] - 1;
    } else if (area == kAreaPile) {
        if (pile->GetNumCards() == 0)
            return;
        card = pile->GetCard(0);
        mayGoToPack = true;
    } else if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        if (freezePacks == 1 || packCount[p] == 0)
            return;
        card = packs[p][packCount[p] - 1];
    } else {
        return;  // the deck, or nothing
    }

    int32_t destination = -1;
    if (mayGoToPack) {
        const int p = PackFor(*this, card);
        if (p >= 0)
            destination = kAreaPack0 + p;
    }
    if (destination == -1)
        destination = StackFor(*this, card, area < kStacks ? area : -1);
    if (destination == -1)
        return;

    UpdateUndo();
    LiftHand(area, row);
    ReturnCardsToStack(destination);

    if (AllPacksComplete()) {
        EndOfGame();
    } else if (CompletionTestHolds()) {
        AutoComplete();
        EndOfGame();
    }
}
