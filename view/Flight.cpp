// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "platform/Pacing.h"
#include "view/CView.h"

using namespace table;

void CView::ComposeHandImage() {
    ComposeHandImage(model);
}

void CView::ComposeHandImage(const Table& t) {
    dragImage->Lock();
    dragView->SetDrawingMode(B_OP_COPY);
    for (int i = 0; i < t.handCount; ++i) {
        const int y = kFanStep * i;
        dragView->DrawBitmap(cardImage.get(), GetCardBitmap(t.hand[i]),
                             BRect(0, y, kCardWidth - 1, y + kCardHeight - 1));
    }
    dragView->Sync();
    dragImage->Unlock();

    // The whole image, not only the picture: alpha follows the key colour alone.
    uint8* bits = dragImage->Bits();
    const int32 length = dragImage->BitsLength();
    for (int32 i = 0; i < length; i += 4) {
        bits[i + 3] = IsKeyColour(bits + i) ? 0 : 255;
    }
}

void CView::LiftHand(int32_t area, int32_t row) {
    LiftInto(model, Place::FromArea(area), row);
}

void CView::LiftInto(Table& t, Place from, int32_t row) {
    const int32_t fanned = t.fannedCount;
    Lift(t, from, row);
    ComposeHandImage(t);
    handY = kTopRowY;
    if (from.IsStack()) {
        PaintStack(t, from.index);
        handX = StackX(from.index);
        handY = StackCardY(row);
    } else if (from.IsPile()) {
        PaintDeckAndPile(t);
        handX = PileCardX(fanned - 1);
    } else {
        PaintPack(t, from.index);
        handX = PackX(from.index);
    }
}

void CView::ShowHand(int32_t x, int32_t y) {
    DrawHandAt(model.handCount, x, y);
}

void CView::DrawHandAt(int32_t count, int32_t x, int32_t y) {
    const int h = HandHeight(count);
    // The cards' rounded corners let the screen beneath show, and where the hand was a moment
    // ago that is still the hand's old picture: the table goes back under the corners first,
    // where they lie over the old picture.
    constexpr int kCorner = 3;
    const BRect before(handX, handY, handX + kCardWidth - 1, handY + h);
    for (int left : {x, x + kCardWidth - kCorner}) {
        const BRect corners(std::max<float>(left, before.left), std::max<float>(y, before.top),
                            std::min<float>(left + kCorner - 1, before.right),
                            std::min<float>(y + h, before.bottom));
        if (corners.IsValid())
            CopyToScreen(corners);
    }
    SetDrawingMode(B_OP_ALPHA);
    DrawBitmap(dragImage.get(), BRect(0, 0, kCardWidth - 1, h),
               BRect(x, y, x + kCardWidth - 1, y + h));
    SetDrawingMode(B_OP_COPY);
    handX = x;
    handY = y;
}

void CView::ReturnCardsToStack(int32_t destination) {
    const Place to = Place::FromArea(destination);
    const int32_t x0 = handX;
    const int32_t y0 = handY;
    int32_t x1 = 0;
    int32_t y1 = kTopRowY;
    if (to.IsStack()) {
        x1 = StackX(to.index);
        y1 = StackCardY(model.stackCount[to.index]);
    } else if (to.IsPile()) {
        x1 = PileCardX(FannedAfterReturn(model) - 1);
    } else {
        x1 = PackX(to.index);
    }

    auto step = [this](int32_t x, int32_t y) {
        RedrawBits(x, y, handX, handY);
        ShowHand(x, y);
        Sync();
        TestCheckTable(/*atRest=*/false);
    };
    // A fixed step along x, however steep the line; a vertical flight has no steps at all.
    if (x0 != x1) {
        const float m = float(y1 - y0) / float(x1 - x0);
        const int32_t b = int32_t(float(y0) - float(x0) * m);
        if (x0 < x1) {
            for (int32_t x = x0; x < x1; x += pacing::kFlightStepPixels)
                step(x, int32_t(float(b) + float(x) * m));
        } else {
            for (int32_t x = x0; x > x1; x -= pacing::kFlightStepPixels)
                step(x, int32_t(float(b) + float(x) * m));
        }
    }
    step(x1, y1);

    Land(model, to);
    if (to.IsStack())
        UpdateStack(to.index, kToScreen);
    else if (to.IsPile())
        UpdatePacks(kToScreen);
    else
        UpdatePile(to.index, kToScreen);
}
