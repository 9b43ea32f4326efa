// Play by keyboard. A frame marks one place of the table; arrow keys move it, Space or Enter acts
// there as a primary press would, and cards taken up by a key wait, raised, until a second key
// puts them down or sends them back. Every step asks the same rules as the mouse.
//
// Lifted cards stay in the model: only the screen shows them raised, so a command, an undo or a
// mouse press between two keys meets a whole table and needs to know nothing of the keyboard.
#include <cstdlib>

#include "game/CardName.h"
#include "game/Rules.h"
#include "platform/Window.h"
#include "view/CView.h"

using namespace table;

namespace {

// How far lifted cards rise above their place, and the focus frame around a place: a dark and a
// bright outline, so one of them stands out on the green and on any background picture.
constexpr int kLiftPixels = 10;
constexpr rgb_color kFrameOuter{255, 214, 0, 255};
constexpr rgb_color kFrameInner{0, 0, 0, 255};

// The top row from left to right.
constexpr int32_t kTopRow[] = {kAreaDeck,      kAreaPile,      kAreaPack0,
                               kAreaPack0 + 1, kAreaPack0 + 2, kAreaPack0 + 3};
constexpr int kTopRowPlaces = int(sizeof kTopRow / sizeof kTopRow[0]);

bool IsStack(int32_t area) {
    return area >= 0 && area < kStacks;
}

int TopRowIndex(int32_t area) {
    for (int i = 0; i < kTopRowPlaces; ++i)
        if (kTopRow[i] == area)
            return i;
    return 0;
}

int TopRowX(int32_t area) {
    if (area == kAreaDeck)
        return kDeckX;
    if (area == kAreaPile)
        return kPileX;
    return PackX(area - kAreaPack0);
}

// Up and Down between the rows go to the place of the other row nearest along x (the left one
// of two as near).
int32_t StackBelow(int32_t area) {
    int best = 0;
    for (int s = 1; s < kStacks; ++s)
        if (std::abs(StackX(s) - TopRowX(area)) < std::abs(StackX(best) - TopRowX(area)))
            best = s;
    return best;
}

int32_t PlaceAbove(int32_t stack) {
    int32_t best = kTopRow[0];
    for (int32_t area : kTopRow)
        if (std::abs(TopRowX(area) - StackX(stack)) < std::abs(TopRowX(best) - StackX(stack)))
            best = area;
    return best;
}

BRect Outset(BRect r, int by) {
    return BRect(r.left - by, r.top - by, r.right + by, r.bottom + by);
}

BRect Union(BRect a, BRect b) {
    if (!a.IsValid())
        return b;
    if (!b.IsValid())
        return a;
    return BRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

}  // namespace

void CView::KeyDown(const char* bytes, int32 numBytes) {
    if (numBytes != 1)
        return;
    int32 modifiers = 0;
    if (Window() && Window()->CurrentMessage())
        Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
    BeginCheck();
    PlayKey(bytes[0], (uint32(modifiers) & B_SHIFT_KEY) != 0);
    EndCheck();
}

void CView::PlayKey(char key, bool shift) {
    switch (key) {
        case B_LEFT_ARROW:
        case B_RIGHT_ARROW:
        case B_UP_ARROW:
        case B_DOWN_ARROW:
            // The first arrow only shows where the focus is.
            if (focusShown)
                MoveFocus(key);
            focusShown = true;
            break;
        case B_SPACE:
        case B_ENTER:
            focusShown = true;
            KeepFocusOnTable();
            if (key == B_ENTER && shift) {
                liftArea = kAreaNone;
                SendOnward();
            } else if (liftArea == kAreaNone) {
                ActOnFocus();
            } else {
                PutDownAtFocus();
            }
            break;
        case B_ESCAPE:
            if (liftArea != kAreaNone)
                Announce("Put back");
            liftArea = kAreaNone;
            break;
        default:
            return;
    }
    RefreshKeyboard();
}

void CView::MoveFocus(char key) {
    KeepFocusOnTable();
    if (!IsStack(focusArea)) {
        const int i = TopRowIndex(focusArea);
        if (key == B_LEFT_ARROW && i > 0)
            focusArea = kTopRow[i - 1];
        else if (key == B_RIGHT_ARROW && i < kTopRowPlaces - 1)
            focusArea = kTopRow[i + 1];
        else if (key == B_DOWN_ARROW)
            focusArea = StackBelow(focusArea), focusRow = model.stackCount[focusArea] - 1;
        return;
    }
    const int s = focusArea;
    const int n = model.stackCount[s];
    if (key == B_LEFT_ARROW && s > 0)
        focusArea = s - 1, focusRow = model.stackCount[s - 1] - 1;
    else if (key == B_RIGHT_ARROW && s < kStacks - 1)
        focusArea = s + 1, focusRow = model.stackCount[s + 1] - 1;
    else if (key == B_DOWN_ARROW && focusRow < n - 1)
        ++focusRow;
    else if (key == B_UP_ARROW) {
        // Up through the face-up cards, each heading a longer run, then to the row above.
        if (focusRow > 0 && model.faceDown[s][focusRow] == 0 &&
            model.faceDown[s][focusRow - 1] == 0)
            --focusRow;
        else
            focusArea = PlaceAbove(s), focusRow = -1;
    }
}

void CView::KeepFocusOnTable() {
    if (!IsStack(focusArea)) {
        focusRow = -1;
        return;
    }
    const int n = model.stackCount[focusArea];
    if (focusRow < 0 || focusRow >= n || model.faceDown[focusArea][focusRow] == 1)
        focusRow = n - 1;
}

void CView::ActOnFocus() {
    const int32_t area = focusArea;
    const int32_t row = focusRow;
    switch (PressOn(area, row)) {
        case PressResult::kTurned:
            if (area == kAreaDeck)
                Announce("Turned the deck. " + DescribePlace(kAreaPile, -1));
            else
                Announce("Turned over " + CardName(model.stacks[area][row]));
            break;
        case PressResult::kMayLift: {
            liftArea = area;
            liftRow = IsStack(area) ? row : -1;
            liftedFrom = model;
            Announce("Lifted " + LiftedWords());
            break;
        }
        case PressResult::kNothing:
            Announce("Nothing to take there");
            break;
    }
}

void CView::PutDownAtFocus() {
    const int32_t to = focusArea;
    const int32_t from = liftArea;
    const CCard head = CardAt(from, liftRow);
    if (to == from) {
        liftArea = kAreaNone;
        Announce("Put back");
        return;
    }
    const Place place = Place::FromArea(to);
    const std::optional<Move> move = Move::Cards(Place::FromArea(from), liftRow, place);
    if (!move || !IsLegal(model, options, *move)) {
        Announce("Can't put " + LiftedWords() + " there. Put back");
        liftArea = kAreaNone;
        return;
    }

    // The frame goes first; then the cards leave the model for the hand, raised where they show.
    EraseKeyboardMarks();
    const bool mayEnd = DropMayEndGame(model, place);
    UpdateUndo();
    ShowLifted(true);
    liftArea = kAreaNone;
    liftDrawn = BRect();
    ReturnCardsToStack(to);
    focusRow = -1;
    Announce("Moved " + CardName(head) + " to " + PlaceName(to));
    if (mayEnd)
        FinishIfDone();
}

void CView::SendOnward() {
    KeepFocusOnTable();
    const CCard card = CardAt(focusArea, focusRow);
    EraseKeyboardMarks();  // nothing of the keyboard's stays on screen while cards fly
    const int32_t to = DoRightAt(focusArea, focusRow);
    Announce(to == -1 ? "That card has nowhere to go"
                      : "Moved " + CardName(card) + " to " + PlaceName(to));
}

CCard CView::CardAt(int32_t area, int32_t row) const {
    const Place place = Place::FromArea(area);
    if (place.IsStack())
        return row >= 0 && row < model.stackCount[area] ? model.stacks[area][row] : CCard();
    return TopCard(model, place);
}

std::string CView::LiftedWords() const {
    const int count = IsStack(liftArea) ? model.stackCount[liftArea] - liftRow : 1;
    return CardName(CardAt(liftArea, liftRow)) +
           (count > 1 ? " with " + CountOf(count - 1, "card") + " on it" : "");
}

void CView::ShowLifted(bool keepHandOut) {
    const BRect area = LiftRect();
    if (keepHandOut) {
        LiftHand(liftArea, liftRow);  // the place redrawn off screen without them
        CopyToScreen(area);
        ShowHand(handX, handY - kLiftPixels);
    } else {
        // Drawn from a copy: the model keeps the cards, only the screen shows them raised.
        Table shown = model;
        LiftInto(shown, liftArea, liftRow);
        CopyToScreen(area);
        DrawHandAt(shown.handCount, handX, handY - kLiftPixels);
        RedrawPlace(liftArea);
    }
    liftDrawn = area;
}

void CView::RedrawPlace(int32_t area) {
    const Place place = Place::FromArea(area);
    if (place.IsStack())
        UpdateStack(place.index, kOffscreenOnly);
    else if (place.IsPile())
        UpdatePacks(kOffscreenOnly);
    else if (place.IsPack())
        UpdatePile(place.index, kOffscreenOnly);
}

void CView::EraseKeyboardMarks() {
    if (frameDrawn.IsValid())
        CopyToScreen(frameDrawn);
    if (liftDrawn.IsValid())
        CopyToScreen(liftDrawn);
    frameDrawn = liftDrawn = BRect();
}

void CView::RefreshKeyboard() {
    EraseKeyboardMarks();
    // Cards lifted from a table that has changed since (a deal, an undo) are put back.
    if (liftArea != kAreaNone && !(model == liftedFrom))
        liftArea = kAreaNone;
    KeepFocusOnTable();
    if (liftArea != kAreaNone)
        ShowLifted(false);
    if (focusShown) {
        const BRect r = FocusRect();
        SetHighColor(kFrameOuter);
        StrokeRect(r);
        SetHighColor(kFrameInner);
        StrokeRect(Outset(r, -1));
        frameDrawn = r;
    }
    std::string name = DescribePlace(focusArea, focusRow);
    if (liftArea != kAreaNone && focusArea != liftArea)
        name += ". Holding " + LiftedWords();
    SetAccessibleName(name);
}

BRect CView::FocusRect() const {
    BRect r;
    if (focusArea == kAreaDeck) {
        r = DeckRect();
    } else if (focusArea == kAreaPile) {
        r = CardRect(PileCardX(std::max(model.fannedCount, 1) - 1), kTopRowY);
    } else if (!IsStack(focusArea)) {
        r = PackRect(focusArea - kAreaPack0);
    } else if (focusRow < 0) {
        r = StackCardRect(focusArea, 0);
    } else {
        r = StackCardRect(focusArea, focusRow);
        r.bottom = StackCardY(model.stackCount[focusArea] - 1) + kCardHeight - 1;
    }
    // On the lifted cards themselves, the frame rises with them.
    if (liftArea != kAreaNone && focusArea == liftArea &&
        (!IsStack(focusArea) || focusRow >= liftRow))
        r = r.OffsetByCopy(0, -kLiftPixels);
    return Outset(r, 2);
}

BRect CView::LiftRect() const {
    BRect place;
    if (IsStack(liftArea)) {
        place = StackCardRect(liftArea, liftRow);
        place.bottom = StackCardY(model.stackCount[liftArea] - 1) + kCardHeight - 1;
    } else if (liftArea == kAreaPile) {
        place = PileRegion();  // the cards below the top one move up the fan
    } else {
        place = PackRect(liftArea - kAreaPack0);
    }
    return Union(place, place.OffsetByCopy(0, -kLiftPixels));
}
