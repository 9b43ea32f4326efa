#include "view/CView.h"

#include <cstdio>
#include <cstdlib>

#include "game/Rules.h"
#include "platform/Pacing.h"
#include "platform/System.h"
#include "platform/Window.h"

using namespace table;

void CView::MouseDown(BPoint) {
    // A press puts back what the keyboard lifted and hides its frame, which stays where it was.
    if (focusShown || liftArea != kAreaNone) {
        focusShown = false;
        liftArea = kAreaNone;
        RefreshKeyboard();
    }
    const bool soundBefore = IsSound();
    PlayPress();
    CheckAtRest(soundBefore);
    RefreshKeyboard();  // the focused place may show something else now
}

bool CView::IsSound() const {
#ifndef NDEBUG
    return TableFault(model, /*wholePack=*/false).empty();
#else
    return false;
#endif
}

void CView::CheckAtRest(bool soundBefore) const {
#ifndef NDEBUG
    if (!soundBefore)
        return;  // a table laid out by hand that breaks the rules already
    const std::string fault =
        handCount != 0 ? "cards left in the hand" : TableFault(model, /*wholePack=*/false);
    if (!fault.empty()) {
        std::fprintf(stderr, "Tarnwick: a move broke a rule: %s\n", fault.c_str());
        std::abort();
    }
#else
    (void)soundBefore;
#endif
}

void CView::PlayPress() {
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
        if (mouseState == kMouseIdle && buttons == B_PRIMARY_MOUSE_BUTTON)
            result = DoFirstMouse(x, y);
        if (mouseState == kMouseIdle && buttons == B_SECONDARY_MOUSE_BUTTON)
            mouseState = kMouseSecondary;
        if (result == 1)
            return;
        if (mouseState != kMouseSecondary)
            MovedCursor(point);
    }
    if (mouseState == kMouseSecondary) {
        mouseState = kMouseIdle;
        DoRight(x, y);
    } else if (mouseState == kMouseDragging) {
        mouseState = kMouseIdle;
        Drop(x, y);
    }
}

int32_t CView::DoFirstMouse(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    switch (PressOn(area, row)) {
        case PressResult::kTurned:
            return 1;
        case PressResult::kMayLift:
            PickUp(area, row, x, y);
            return 0;
        case PressResult::kNothing:
            return 0;
    }
    return 0;
}

CView::PressResult CView::PressOn(int32_t area, int32_t row) {
    if (area == kAreaDeck) {
        if (model.deck.GetNumCards() == 0 && model.pile.GetNumCards() == 0)
            return PressResult::kNothing;
        UpdateUndo();
        TurnDeck(model, dealOne == 1);
        UpdatePacks(0);
        return PressResult::kTurned;
    }
    if (area == kAreaPile)
        return model.pile.GetNumCards() == 0 ? PressResult::kNothing : PressResult::kMayLift;
    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        if (freezePacks != 0 || model.packCount[p] == 0)
            return PressResult::kNothing;
        return PressResult::kMayLift;
    }
    if (area < 0 || area >= kStacks || row == -1)
        return PressResult::kNothing;
    const int s = area;
    const int n = model.stackCount[s];
    if (row == n - 1 && model.faceDown[s][row] == 1) {
        UpdateUndo();
        model.faceDown[s][row] = 0;
        UpdateStack(s, 0);
        return PressResult::kTurned;
    }
    return CanLiftRun(model, s, row) ? PressResult::kMayLift : PressResult::kNothing;
}

void CView::PickUp(int32_t area, int32_t row, int32_t x, int32_t y) {
    // The picture is drawn exactly over the cards taken, so they seem to stay until it moves.
    LiftHand(area, row);
    grabX = x - handX;
    grabY = y - handY;
    ShowHand(handX, handY);
    mouseState = kMouseDragging;
}

void CView::MovedCursor(BPoint point) {
    const int32_t X = int32_t(point.x - float(grabX));
    const int32_t Y = int32_t(point.y - float(grabY));
    // A hand that has not moved is already drawn where it is: a still pointer costs nothing.
    if (mouseState == kMouseDragging && (X != handX || Y != handY)) {
        RedrawBits(X, Y, handX, handY);
        ShowHand(X, Y);
    }
    handX = X;
    handY = Y;
}

bool CView::DropFits(int32_t area, CCard head, int32_t count) const {
    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks)
        return count == 1 && CanDropOnPack(model, area - kAreaPack0, head);
    if (area >= 0 && area < kStacks)
        return CanDropOnStack(model, area, head);
    return false;
}

void CView::Drop(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    if (!DropFits(area, hand[0], handCount)) {
        ReturnCardsToStack(handSource);
        return;
    }

    if (area >= kAreaPack0) {
        const int p = area - kAreaPack0;
        const bool wasEmpty = model.packCount[p] == 0;
        UpdateUndo();
        model.packs[p][model.packCount[p]++] = hand[0];
        handCount = 0;
        UpdatePile(p, 0);
        // An ace on an empty pack never ends the game.
        if (!wasEmpty)
            FinishIfDone();
        return;
    }
    const int s = area;
    const int n = model.stackCount[s];
    UpdateUndo();
    for (int i = 0; i < handCount; ++i)
        model.stacks[s][n + i] = hand[i];
    model.stackCount[s] += handCount;
    RedrawBits(StackX(s), n == 0 ? kStackY : StackCardY(row), handX, handY);
    handCount = 0;
    UpdateStack(s, 0);
    FinishIfDone();
}
