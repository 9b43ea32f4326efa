#include "platform/Pacing.h"
#include "view/CView.h"

using namespace table;

void CView::ComposeHandImage() {
    dragImage->Lock();
    dragView->SetDrawingMode(B_OP_COPY);
    for (int i = 0; i < handCount; ++i) {
        const int y = kFanStep * i;
        dragView->DrawBitmap(cardImage.get(), GetCardBitmap(hand[i]),
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
    handSource = area;
    if (area >= 0 && area < kStacks) {
        handCount = model.stackCount[area] - row;
        for (int i = 0; i < handCount; ++i)
            hand[i] = model.stacks[area][row + i];
        ComposeHandImage();
        model.stackCount[area] = row;
        UpdateStack(area, 1);
        handX = StackX(area);
        handY = StackCardY(row);
    } else if (area == kAreaPile) {
        // The card is taken from where it is shown: the rightmost of the fanned cards.
        const int32_t f = model.fannedCount;
        hand[0] = model.pile.GetTopCard();
        handCount = 1;
        model.fannedCount = f - 1 < 1 ? 1 : f - 1;
        ComposeHandImage();
        UpdatePacks(1);
        handX = PileCardX(f - 1);
        handY = kTopRowY;
    } else {
        const int p = area - kAreaPack0;
        hand[0] = model.packs[p][model.packCount[p] - 1];
        handCount = 1;
        --model.packCount[p];
        ComposeHandImage();
        UpdatePile(p, 1);
        handX = PackX(p);
        handY = kTopRowY;
    }
}

void CView::ShowHand(int32_t x, int32_t y) {
    const int h = HandHeight(handCount);
    SetDrawingMode(B_OP_ALPHA);
    DrawBitmap(dragImage.get(), BRect(0, 0, kCardWidth - 1, h),
               BRect(x, y, x + kCardWidth - 1, y + h));
    SetDrawingMode(B_OP_COPY);
    handX = x;
    handY = y;
}

void CView::ReturnCardsToStack(int32_t destination) {
    const int32_t x0 = handX;
    const int32_t y0 = handY;
    int32_t x1 = 0;
    int32_t y1 = kTopRowY;
    if (destination >= 0 && destination < kStacks) {
        x1 = StackX(destination);
        y1 = StackCardY(model.stackCount[destination]);
    } else if (destination == kAreaPile) {
        model.fannedCount = model.fannedCount + 1 > 3 ? 3 : model.fannedCount + 1;
        x1 = PileCardX(model.fannedCount - 1);
    } else {
        x1 = PackX(destination - kAreaPack0);
    }

    auto step = [this](int32_t x, int32_t y) {
        RedrawBits(x, y, handX, handY);
        ShowHand(x, y);
        Sync();
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

    if (destination >= 0 && destination < kStacks) {
        for (int i = 0; i < handCount; ++i)
            model.stacks[destination][model.stackCount[destination] + i] = hand[i];
        model.stackCount[destination] += handCount;
        handCount = 0;
        UpdateStack(destination, 0);
    } else if (destination == kAreaPile) {
        model.pile.PutCardOnTop(hand[0]);
        handCount = 0;
        handSource = 0;
        UpdatePacks(0);
    } else {
        const int p = destination - kAreaPack0;
        model.packs[p][model.packCount[p]] = hand[0];
        ++model.packCount[p];
        handCount = 0;
        handSource = 0;
        UpdatePile(p, 0);
    }
}
