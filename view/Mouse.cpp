// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

#include "game/CardName.h"
#include "platform/Pacing.h"
#include "platform/System.h"
#include "platform/Window.h"

using namespace table;

void CView::MouseDown(BPoint where) {
    // A press puts back what the keyboard lifted and hides its frame, which stays where it was.
    if (focusShown || !lifted.IsNone()) {
        focusShown = false;
        lifted = Place::None();
        RefreshKeyboard();
    }
    BeginTestCheck();
    PlayPress(where);
    EndTestCheck();
    RefreshKeyboard();  // the focused place may show something else now
    FinishAction();
}

void CView::PlayPress(BPoint where) {
    int32 buttons = 0;
    if (Window() && Window()->CurrentMessage())
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);

    BPoint point;
    int32_t x = 0;
    int32_t y = 0;
    bool firstSample = true;
    while (buttons != 0) {
        snooze(pacing::kPollMicroseconds);
        uint32 held = 0;
        GetMouse(&point, &held, true);
        buttons = int32(held);
        x = int32_t(point.x);
        y = int32_t(point.y);
        int32_t result = 0;
        if (mouseState == kMouseIdle && buttons == B_PRIMARY_MOUSE_BUTTON) {
            // The pointer may have moved before the first sample: what is taken is what was
            // pressed, held where it was grabbed, and it follows the pointer from there.
            const BPoint at = firstSample ? where : point;
            result = DoFirstMouse(int32_t(at.x), int32_t(at.y));
        }
        firstSample = false;
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
    const Place place = Place::FromArea(area);
    const Move turn = place.IsDeck() ? Move::TurnDeck() : Move::TurnCard(place.index, row);
    if ((place.IsDeck() || place.IsStack()) && IsLegal(model, options, turn)) {
        UpdateUndo();
        Apply(model, options, turn);
        if (place.IsDeck()) {
            UpdatePacks(kToScreen);
            Report("Turned the deck. " + DescribePlace(kAreaPile, -1));
        } else {
            UpdateStack(place.index, kToScreen);
            Report("Turned over " + CardName(model.stacks[place.index][row]));
        }
        return PressResult::kTurned;
    }
    return CanLift(model, options, place, row) ? PressResult::kMayLift : PressResult::kNothing;
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
    return FitsAt(model, Place::FromArea(area), head, count);
}

void CView::Drop(int32_t x, int32_t y) {
    int32_t area = -1;
    int32_t row = -1;
    WhichClicked(x, y, area, row);
    const Place to = Place::FromArea(area);
    // Cards put down where they came from, or off the places, have nothing to tell.
    const bool told = !to.IsNone() && to.ToArea() != model.handSource;
    const std::string cards = CardName(model.hand[0]);
    if (!CanLand(model, to)) {
        if (told)
            Report("Can't put " + cards + " there. Put back");
        ReturnCardsToStack(model.handSource);
        return;
    }

    if (told)
        Report("Moved " + cards + " to " + PlaceName(area));
    const bool mayEnd = DropMayEndGame(model, to);
    UpdateUndo();
    if (to.IsPack()) {
        Land(model, to);
        UpdatePile(to.index, kToScreen);
    } else {
        // The hand's picture is taken off the screen first, at its own height.
        const int n = model.stackCount[to.index];
        RedrawBits(StackX(to.index), n == 0 ? kStackY : StackCardY(row), handX, handY);
        Land(model, to);
        UpdateStack(to.index, kToScreen);
    }
    if (mayEnd)
        FinishIfDone();
}
