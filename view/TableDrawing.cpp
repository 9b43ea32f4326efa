// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "view/CView.h"

using namespace table;

namespace {

constexpr rgb_color kBlack{0, 0, 0, 255};
constexpr rgb_color kLightGrey{210, 210, 210, 255};

// The empty-place frame: alternating outlines at these insets.
struct Outline {
    int inset;
    rgb_color colour;
};
constexpr Outline kEmptyFrame[] = {{0, kBlack},     {1, kLightGrey}, {5, kBlack},
                                   {6, kLightGrey}, {8, kBlack},     {9, kLightGrey}};

}  // namespace

void CView::DrawCard(BView* view, BRect source, int32_t x, int32_t y) {
    if (!cardImage)
        return;
    // Alpha: the key-coloured corners let what lies below show through.
    view->SetDrawingMode(B_OP_ALPHA);
    view->DrawBitmap(cardImage.get(), source, CardRect(x, y));
    view->SetDrawingMode(B_OP_COPY);
}

void CView::DrawFace(BView* view, CCard card, int32_t x, int32_t y) {
    DrawCard(view, GetCardBitmap(card), x, y);
}

void CView::DrawBack(BView* view, int32_t x, int32_t y) {
    DrawCard(view, GetCardBack(GetBack()), x, y);
}

void CView::DrawEmptyPlace(BView* view, BRect place) {
    view->SetDrawingMode(B_OP_COPY);
    view->DrawBitmap(shadedImage.get(), place, place);
    for (const Outline& o : kEmptyFrame) {
        view->SetHighColor(o.colour);
        view->StrokeRect(BRect(place.left + o.inset, place.top + o.inset, place.right - o.inset,
                               place.bottom - o.inset));
    }
}

void CView::CopyToScreen(BRect r) {
    SetDrawingMode(B_OP_COPY);
    DrawBitmap(offscreenImage.get(), r, r);
}

void CView::PaintStack(const Table& t, int32_t stack) {
    const int x = StackX(stack);
    const BRect column = StackColumn(stack);
    offscreenImage->Lock();
    offscreenView->DrawBitmap(backgroundImage.get(), column, column);
    for (int r = 0; r < t.stackCount[stack]; ++r) {
        if (t.faceDown[stack][r] == 1)
            DrawBack(offscreenView, x, StackCardY(r));
        else
            DrawFace(offscreenView, t.stacks[stack][r], x, StackCardY(r));
    }
    offscreenView->Sync();
    offscreenImage->Unlock();
}

void CView::UpdateStack(int32_t stack, int32_t offscreenOnly) {
    PaintStack(model, stack);
    if (offscreenOnly == kToScreen)
        CopyToScreen(StackColumn(stack));
}

void CView::PaintDeckAndPile(const Table& t) {
    offscreenImage->Lock();
    const BRect pileRegion = PileRegion();
    offscreenView->DrawBitmap(backgroundImage.get(), pileRegion, pileRegion);
    // The top card is drawn last, rightmost.
    if (t.pile.GetNumCards() > 0)
        for (int k = 0; k < t.fannedCount; ++k)
            DrawFace(offscreenView, t.pile.GetCard(t.fannedCount - 1 - k), PileCardX(k), kTopRowY);
    if (t.deck.GetNumCards() == 0)
        DrawEmptyPlace(offscreenView, DeckRect());
    else
        DrawBack(offscreenView, kDeckX, kTopRowY);
    offscreenView->Sync();
    offscreenImage->Unlock();
}

void CView::UpdatePacks(int32_t offscreenOnly) {
    PaintDeckAndPile(model);
    if (offscreenOnly != kToScreen)
        return;
    const BRect pileRegion = PileRegion();
    if (model.pile.GetNumCards() > 0)
        CopyToScreen(pileRegion);
    else
        DrawBitmap(backgroundImage.get(), pileRegion, pileRegion);
    if (model.deck.GetNumCards() == 0)
        CopyToScreen(DeckRect());
    else
        DrawBack(this, kDeckX, kTopRowY);
}

void CView::PaintPack(const Table& t, int32_t pack) {
    offscreenImage->Lock();
    if (t.packCount[pack] > 0)
        DrawFace(offscreenView, t.packs[pack][t.packCount[pack] - 1], PackX(pack), kTopRowY);
    else
        DrawEmptyPlace(offscreenView, PackRect(pack));
    offscreenView->Sync();
    offscreenImage->Unlock();
}

void CView::UpdatePile(int32_t pack, int32_t offscreenOnly) {
    PaintPack(model, pack);
    if (offscreenOnly == kToScreen && model.packCount[pack] > 0)
        RedrawBits(PackX(pack), kTopRowY, handX, handY);
    Sync();
    if (offscreenOnly == kToScreen)
        CopyToScreen(PackRefreshRect(pack));
}

void CView::UpdateBackground() {
    offscreenImage->Lock();
    const BRect deckPlace = DeckRect();
    offscreenView->SetHighColor(0, 0, 0);
    offscreenView->StrokeRect(deckPlace);
    if (model.deck.GetNumCards() > 0)
        DrawBack(offscreenView, kDeckX, kTopRowY);
    UpdatePacks(kToScreen);
    for (int p = 0; p < kPacks; ++p) {
        if (model.packCount[p] == 0) {
            DrawEmptyPlace(this, PackRect(p));
            DrawEmptyPlace(offscreenView, PackRect(p));
        }
    }
    for (int p = 0; p < kPacks; ++p) {
        if (model.packCount[p] > 0) {
            // A diagnostic line on standard output for each pack redrawn whole, which the game
            // has always written; scripts that watch its output may count on it.
            std::puts("doing");
            DrawFace(offscreenView, model.packs[p][model.packCount[p] - 1], PackX(p), kTopRowY);
            DrawFace(this, model.packs[p][model.packCount[p] - 1], PackX(p), kTopRowY);
        }
    }
    offscreenView->Sync();
    offscreenImage->Unlock();
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, kToScreen);
    RefreshKeyboard();
}

void CView::UpdateAll(int32_t offscreenOnly) {
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, offscreenOnly);
    UpdatePacks(offscreenOnly);
}

void CView::RedrawBits(int32_t newX, int32_t newY, int32_t oldX, int32_t oldY) {
    const int h = HandHeight(model.handCount);
    const int w = kCardWidth - 1;
    auto copy = [this](int l, int t, int r, int b) { CopyToScreen(BRect(l, t, r, b)); };
    if (newX > oldX && newY < oldY) {
        copy(oldX, oldY, newX - 1, oldY + h);
        copy(oldX, newY + h, oldX + w, oldY + h);
    } else if (newX < oldX && newY < oldY) {
        copy(newX + w, oldY, oldX + w, oldY + h);
        copy(oldX, newY + h, oldX + w, oldY + h);
    } else if (newX > oldX && newY > oldY) {
        copy(oldX, oldY, newX, oldY + h);
        copy(oldX, oldY, oldX + w, newY - 1);
    } else if (newX < oldX && newY > oldY) {
        copy(newX + w, oldY, oldX + w, oldY + h);
        copy(oldX, oldY, oldX + w, newY - 1);
    } else if (newX > oldX) {
        copy(oldX, oldY, newX, oldY + h);
    } else if (newX < oldX) {
        copy(newX + w, oldY, oldX + w, oldY + h);
    } else if (newY > oldY) {
        copy(oldX, oldY, oldX + w, newY - 1);
    } else if (newY < oldY) {
        copy(oldX, newY + h, oldX + w, oldY + h);
    }
}
