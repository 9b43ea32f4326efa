// SPDX-License-Identifier: GPL-3.0-or-later
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
constexpr Place kTopRow[] = {Place::Deck(),  Place::Pile(),  Place::Pack(0),
                             Place::Pack(1), Place::Pack(2), Place::Pack(3)};
constexpr int kTopRowPlaces = int(sizeof kTopRow / sizeof kTopRow[0]);

int TopRowIndex(Place place) {
    for (int i = 0; i < kTopRowPlaces; ++i)
        if (kTopRow[i] == place)
            return i;
    return 0;
}

int TopRowX(Place place) {
    if (place.IsDeck())
        return kDeckX;
    if (place.IsPile())
        return kPileX;
    return PackX(place.index);
}

// Up and Down between the rows go to the place of the other row nearest along x (the left one
// of two as near).
int StackBelow(Place place) {
    int best = 0;
    for (int s = 1; s < kStacks; ++s)
        if (std::abs(StackX(s) - TopRowX(place)) < std::abs(StackX(best) - TopRowX(place)))
            best = s;
    return best;
}

Place PlaceAbove(int stack) {
    Place best = kTopRow[0];
    for (Place place : kTopRow)
        if (std::abs(TopRowX(place) - StackX(stack)) < std::abs(TopRowX(best) - StackX(stack)))
            best = place;
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
    BeginTestCheck();
    PlayKey(bytes[0], (uint32(modifiers) & B_SHIFT_KEY) != 0);
    EndTestCheck();
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
            RefreshKeyboard();
            SpeakAccessibleFocus();
            FinishAction();
            return;
        case B_SPACE:
        case B_ENTER:
            focusShown = true;
            KeepFocusOnTable();
            if (key == B_ENTER && shift) {
                lifted = Place::None();
                SendOnward();
            } else if (lifted.IsNone()) {
                ActOnFocus();
            } else {
                PutDownAtFocus();
            }
            break;
        case B_ESCAPE:
            if (!lifted.IsNone())
                Report("Put back");
            lifted = Place::None();
            break;
        case 'h':
            ShowHint();
            RefreshKeyboard();
            SpeakAccessibleFocus();
            FinishAction();
            return;
        default:
            return;
    }
    RefreshKeyboard();
    FinishAction();
}

void CView::MoveFocus(char key) {
    KeepFocusOnTable();
    auto toStack = [this](int s) {
        focus = Place::Stack(s);
        focusRow = model.stackCount[s] - 1;
    };
    if (!focus.IsStack()) {
        const int i = TopRowIndex(focus);
        if (key == B_LEFT_ARROW && i > 0)
            focus = kTopRow[i - 1];
        else if (key == B_RIGHT_ARROW && i < kTopRowPlaces - 1)
            focus = kTopRow[i + 1];
        else if (key == B_DOWN_ARROW)
            toStack(StackBelow(focus));
        return;
    }
    const int s = focus.index;
    const int n = model.stackCount[s];
    if (key == B_LEFT_ARROW && s > 0)
        toStack(s - 1);
    else if (key == B_RIGHT_ARROW && s < kStacks - 1)
        toStack(s + 1);
    else if (key == B_DOWN_ARROW && focusRow < n - 1)
        ++focusRow;
    else if (key == B_UP_ARROW) {
        // Up through the face-up cards, each heading a longer run, then to the row above.
        if (focusRow > 0 && model.faceDown[s][focusRow] == 0 &&
            model.faceDown[s][focusRow - 1] == 0)
            --focusRow;
        else
            focus = PlaceAbove(s), focusRow = -1;
    }
}

void CView::KeepFocusOnTable() {
    if (!focus.IsStack()) {
        focusRow = -1;
        return;
    }
    const int n = model.stackCount[focus.index];
    if (focusRow < 0 || focusRow >= n || model.faceDown[focus.index][focusRow] == 1)
        focusRow = n - 1;
}

void CView::ActOnFocus() {
    const int32_t row = focusRow;
    switch (PressOn(focus.ToArea(), row)) {
        case PressResult::kTurned:
            break;
        case PressResult::kMayLift: {
            lifted = focus;
            liftRow = focus.IsStack() ? row : -1;
            liftedFrom = model;
            Report("Lifted " + LiftedWords());
            break;
        }
        case PressResult::kNothing:
            Report("Nothing to take there");
            break;
    }
}

void CView::PutDownAtFocus() {
    const Place to = focus;
    const CCard head = CardAt(lifted, liftRow);
    if (to == lifted) {
        lifted = Place::None();
        Report("Put back");
        return;
    }
    const std::optional<Move> move = Move::Cards(lifted, liftRow, to);
    if (!move || !IsLegal(model, options, *move)) {
        Report("Can't put " + LiftedWords() + " there. Put back");
        lifted = Place::None();
        return;
    }

    // The frame goes first; then the cards leave the model for the hand, raised where they show.
    EraseKeyboardMarks();
    const bool mayEnd = DropMayEndGame(model, to);
    ShowLifted(true);
    UpdateUndo();  // as a drag records it, with the cards counted where they were
    lifted = Place::None();
    liftDrawn = BRect();
    ReturnCardsToStack(to.ToArea());
    focusRow = -1;
    Report("Moved " + CardName(head) + " to " + PlaceName(to.ToArea()));
    if (mayEnd)
        FinishIfDone();
}

void CView::SendOnward() {
    KeepFocusOnTable();
    EraseKeyboardMarks();  // nothing of the keyboard's stays on screen while cards fly
    DoRightAt(focus.ToArea(), focusRow);
}

CCard CView::CardAt(Place place, int32_t row) const {
    if (!place.IsStack())
        return TopCard(model, place);
    const int s = place.index;
    return row >= 0 && row < model.stackCount[s] ? model.stacks[s][row] : CCard();
}

std::string CView::LiftedWords() const {
    const int count = lifted.IsStack() ? model.stackCount[lifted.index] - liftRow : 1;
    return CardName(CardAt(lifted, liftRow)) +
           (count > 1 ? " with " + CountOf(count - 1, "card") + " on it" : "");
}

void CView::ShowLifted(bool keepHandOut) {
    const BRect area = LiftRect();
    if (keepHandOut) {
        LiftHand(lifted.ToArea(), liftRow);  // the place redrawn off screen without them
        CopyToScreen(area);
        ShowHand(handX, handY - kLiftPixels);
    } else {
        // Drawn from a copy: the model keeps the cards, only the screen shows them raised.
        Table shown = model;
        LiftInto(shown, lifted, liftRow);
        CopyToScreen(area);
        DrawHandAt(shown.handCount, handX, handY - kLiftPixels);
        RedrawPlace(lifted);
    }
    liftDrawn = area;
}

void CView::RedrawPlace(Place place) {
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
    if (!lifted.IsNone() && !(model == liftedFrom))
        lifted = Place::None();
    KeepFocusOnTable();
    if (!lifted.IsNone())
        ShowLifted(false);
    if (focusShown) {
        const BRect r = FocusRect();
        SetHighColor(kFrameOuter);
        StrokeRect(r);
        SetHighColor(kFrameInner);
        StrokeRect(Outset(r, -1));
        frameDrawn = r;
    }
    TellPlaces();
}

void CView::TellPlaces() {
    std::vector<AccessiblePart> places;
    int32 focused = -1;
    auto add = [&](Place place, BRect frame) {
        const bool here = place == focus;
        std::string name = DescribePlace(place.ToArea(), here ? focusRow : -1);
        if (here && !lifted.IsNone() && focus != lifted)
            name += ". Holding " + LiftedWords();
        if (here)
            focused = int32(places.size());
        places.push_back({name, frame});
    };
    for (Place place : kTopRow)
        add(place, place.IsDeck()   ? DeckRect()
                   : place.IsPile() ? PileRegion()
                                    : PackRect(place.index));
    for (int s = 0; s < kStacks; ++s)
        add(Place::Stack(s),
            Union(StackCardRect(s, 0), StackCardRect(s, std::max(model.stackCount[s] - 1, 0))));
    SetAccessibleName("Table");
    SetAccessibleParts(std::move(places), focused);
}

BRect CView::FocusRect() const {
    BRect r;
    if (focus.IsDeck()) {
        r = DeckRect();
    } else if (focus.IsPile()) {
        r = CardRect(PileCardX(std::max(model.fannedCount, 1) - 1), kTopRowY);
    } else if (focus.IsPack()) {
        r = PackRect(focus.index);
    } else if (focusRow < 0) {
        r = StackCardRect(focus.index, 0);
    } else {
        r = StackCardRect(focus.index, focusRow);
        r.bottom = StackCardY(model.stackCount[focus.index] - 1) + kCardHeight - 1;
    }
    // On the lifted cards themselves, the frame rises with them.
    if (!lifted.IsNone() && focus == lifted && (!focus.IsStack() || focusRow >= liftRow))
        r = r.OffsetByCopy(0, -kLiftPixels);
    return Outset(r, 2);
}

BRect CView::LiftRect() const {
    BRect place;
    if (lifted.IsStack()) {
        place = StackCardRect(lifted.index, liftRow);
        place.bottom = StackCardY(model.stackCount[lifted.index] - 1) + kCardHeight - 1;
    } else if (lifted.IsPile()) {
        place = PileRegion();  // the cards below the top one move up the fan
    } else {
        place = PackRect(lifted.index);
    }
    return Union(place, place.OffsetByCopy(0, -kLiftPixels));
}
