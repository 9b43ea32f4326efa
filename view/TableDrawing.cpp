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
    DrawCard(view, GetCardBack(backNumber), x, y);
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

void CView::UpdateStack(int32_t stack, int32_t offscreenOnly) {
    const int x = StackX(stack);
    const BRect column = StackColumn(stack);
    offscreenImage->Lock();
    offscreenView->DrawBitmap(backgroundImage.get(), column, column);
    for (int r = 0; r < model.stackCount[stack]; ++r) {
        if (model.faceDown[stack][r] == 1)
            DrawBack(offscreenView, x, StackCardY(r));
        else
            DrawFace(offscreenView, model.stacks[stack][r], x, StackCardY(r));
    }
    offscreenView->Sync();
    offscreenImage->Unlock();
    if (offscreenOnly == 0)
        CopyToScreen(column);
}

void CView::UpdatePacks(int32_t offscreenOnly) {
    offscreenImage->Lock();
    const BRect pileRegion = PileRegion();
    offscreenView->DrawBitmap(backgroundImage.get(), pileRegion, pileRegion);
    if (model.pile.GetNumCards() > 0) {
        // The top card is drawn last, rightmost.
        const int n = model.fannedCount;
        for (int k = 0; k < n; ++k)
            DrawFace(offscreenView, model.pile.GetCard(n - 1 - k), PileCardX(k), kTopRowY);
        if (offscreenOnly == 0)
            CopyToScreen(pileRegion);
    } else if (offscreenOnly == 0) {
        DrawBitmap(backgroundImage.get(), pileRegion, pileRegion);
    }

    const BRect deckPlace = DeckRect();
    if (model.deck.GetNumCards() == 0) {
        DrawEmptyPlace(offscreenView, deckPlace);
        offscreenView->Sync();
        offscreenImage->Unlock();
        if (offscreenOnly == 0)
            CopyToScreen(deckPlace);
        return;
    }
    DrawBack(offscreenView, kDeckX, kTopRowY);
    if (offscreenOnly == 0)
        DrawBack(this, kDeckX, kTopRowY);
    offscreenView->Sync();
    offscreenImage->Unlock();
}

void CView::UpdatePile(int32_t pack, int32_t offscreenOnly) {
    const int x = PackX(pack);
    offscreenImage->Lock();
    if (model.packCount[pack] > 0) {
        DrawFace(offscreenView, model.packs[pack][model.packCount[pack] - 1], x, kTopRowY);
        if (offscreenOnly == 0)
            RedrawBits(x, kTopRowY, handX, handY);
    } else {
        DrawEmptyPlace(offscreenView, PackRect(pack));
    }
    offscreenView->Sync();
    Sync();
    offscreenImage->Unlock();
    if (offscreenOnly == 0)
        CopyToScreen(PackRefreshRect(pack));
}

void CView::UpdateBackground() {
    offscreenImage->Lock();
    const BRect deckPlace = DeckRect();
    offscreenView->SetHighColor(0, 0, 0);
    offscreenView->StrokeRect(deckPlace);
    if (model.deck.GetNumCards() > 0)
        DrawBack(offscreenView, kDeckX, kTopRowY);
    UpdatePacks(0);
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
        UpdateStack(s, 0);
    RefreshKeyboard();
}

void CView::UpdateAll(int32_t offscreenOnly) {
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, offscreenOnly);
    UpdatePacks(offscreenOnly);
}

void CView::RedrawBits(int32_t newX, int32_t newY, int32_t oldX, int32_t oldY) {
    const int h = HandHeight(handCount);
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
