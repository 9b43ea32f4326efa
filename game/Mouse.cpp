#include "game/CView.h"
#include "game/Rules.h"
#include "platform/Pacing.h"
#include "platform/System.h"
#include "platform/Window.h"

using namespace table;

void CView::MouseDown(BPoint) {
    int32 buttons = 0;
    if (Window() && Window()->CurrentMessage())
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);

    BPoint point;
    int32_t x = 0;
    int32_t y = 0;
    while (buttons != 0) {
        snooze(pacing::kPollMicroseconds);
        uint32 held = 0;
        GetMouse(&point, &held, true);
        buttons = int32(held);
        x = int32_t(point.x);
        y = int32_t(point.y);
        int32_t result = 0;
        if (mouseState == -1 && buttons == 1)
            result = DoFirstMouse(x, y);
        if (mouseState == -1 && buttons == 2)
            mouseState = -2;
        if (result == 1)
            return;
        if (mouseState != -2)
            MovedCursor(point);
    }
    if (mouseState == -2) {
        mouseState = -1;
        DoRight(x, y);
    } else if (mouseState == 1) {
        mouseState = -1;
        Drop(x, y);
    }
}

int32_t CView::DoFirstMouse(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);

    if (area == kAreaDeck) {
        if (deck->GetNumCards() > 0) {
            UpdateUndo();
            const int n = dealOne == 1 ? 1 : 3;
            for (int i = 1; i <= n; ++i) {
                if (deck->GetNumCards() > 0) {
                    pile->PutCardOnTop(deck->GetTopCard());
                    fannedCount = i;
                }
            }
            UpdatePacks(0);
            return 1;
        }
        if (pile->GetNumCards() > 0) {
            // Turning the pile back reverses it, so the deck's top is the first card turned.
            UpdateUndo();
            while (pile->GetNumCards() > 0)
                deck->PutCardOnTop(pile->GetTopCard());
            UpdatePacks(0);
            return 1;
        }
        return 0;
    }

    if (area == kAreaPile) {
        if (pile->GetNumCards() == 0)
            return 0;
        PickUp(area, -1, x, y);
        return 0;
    }

    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        if (freezePacks != 0 || packCount[p] == 0)
            return 0;
        PickUp(area, -1, x, y);
        return 0;
    }

    if (area == -1 || row == -1)
        return 0;
    const int s = area;
    const int n = stackCount[s];
    if (row == n - 1 && faceDown[s][row] == 1) {
        UpdateUndo();
        faceDown[s][row] = 0;
        UpdateStack(s, 0);
        return 1;
    }
    if (!IsRunValid(&stacks[s][row], &faceDown[s][row], n - row))
        return 0;
    PickUp(s, row, x, y);
    return 0;
}

void CView::PickUp(int32_t area, int32_t row, int32_t x, int32_t y) {
    // The picture is drawn exactly over the cards taken, so they seem to stay until it moves.
    LiftHand(area, row);
    grabX = x - handX;
    grabY = y - handY;
    ShowHand(handX, handY);
    mouseState = 1;
}

void CView::MovedCursor(BPoint point) {
    const int32_t X = int32_t(point.x - float(grabX));
    const int32_t Y = int32_t(point.y - float(grabY));
    // A hand that has not moved is already drawn where it is: a still pointer costs nothing.
    if (mouseState == 1 && (X != handX || Y != handY)) {
        RedrawBits(X, Y, handX, handY);
        ShowHand(X, Y);
    }
    handX = X;
    handY = Y;
}

void CView::Drop(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);

    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        const CCard top = packCount[p] > 0 ? packs[p][packCount[p] - 1] : CCard();
        if (handCount == 1 && CanDropOnPack(hand[0], packCount[p], top)) {
            const bool wasEmpty = packCount[p] == 0;
            UpdateUndo();
            packs[p][packCount[p]] = hand[0];
            handCount = 0;
            ++packCount[p];
            UpdatePile(p, 0);
            // An ace on an empty pack never ends the game.
            if (wasEmpty)
                return;
            if (AllPacksComplete()) {
                EndOfGame();
            } else if (CompletionTestHolds()) {
                AutoComplete();
                EndOfGame();
            }
            return;
        }
    } else if (area >= 0 && area < kStacks) {
        const int s = area;
        const int n = stackCount[s];
        const CCard top = n > 0 ? stacks[s][n - 1] : CCard();
        const int topFaceDown = n > 0 ? faceDown[s][n - 1] : 0;
        if (CanDropOnStack(hand[0], n, top, topFaceDown)) {
            UpdateUndo();
            for (int i = 0; i < handCount; ++i)
                stacks[s][n + i] = hand[i];
            stackCount[s] += handCount;
            RedrawBits(StackX(s), n == 0 ? kStackY : StackCardY(row), handX, handY);
            handCount = 0;
            UpdateStack(s, 0);
            if (CompletionTestHolds()) {
                AutoComplete();
                EndOfGame();
            }
            return;
        }
    }
    ReturnCardsToStack(handSource);
}
