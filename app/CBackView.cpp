// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CBackView.h"

#include <string>

#include "app/MessageCodes.h"
#include "platform/Bitmap.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {
constexpr rgb_color kTileGrey{219, 219, 219, 255};
constexpr rgb_color kFrameBlack{0, 0, 0, 255};
// The keyboard's mark: two lines of the desktop's usual focus blue, either side of the frame.
constexpr rgb_color kFocusBlue{48, 140, 198, 255};
const BRect kFrame(1, 1, 75, 100);
}  // namespace

CBackView::CBackView(BRect frame, const char* name, int32_t index, BBitmap* image)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE),
      cardImage(image),
      tileIndex(index) {
    SetViewColor(kTileGrey);
}

void CBackView::Draw(BRect) {
    SetViewColor(kTileGrey);
    const rgb_color high = HighColor();
    SetHighColor(kTileGrey);
    FillRect(Bounds());
    SetHighColor(high);
    // Alpha, so the back's rounded corners show the tile's grey.
    SetDrawingMode(B_OP_ALPHA);
    DrawBitmap(cardImage, BRect(923, 96 * tileIndex, 993, 96 * tileIndex + 95),
               BRect(3, 3, 73, 98));
    SetDrawingMode(B_OP_COPY);
    if (selected == 1)
        StrokeRect(kFrame);
    if (focused) {
        SetHighColor(kFocusBlue);
        StrokeRect(Bounds());
        StrokeRect(BRect(2, 2, Bounds().right - 2, Bounds().bottom - 2));
        SetHighColor(high);
    }
}

void CBackView::MouseDown(BPoint) {
    int32 buttons = 0;
    if (Window() && Window()->CurrentMessage())
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);
    while (buttons != 0) {
        snooze(10000);
        BPoint point;
        uint32 held = 0;
        GetMouse(&point, &held, true);
        buttons = int32(held);
    }
    Choose();
}

void CBackView::KeyDown(const char* bytes, int32 numBytes) {
    if (numBytes != 1)
        return;
    const int32 step = bytes[0] == B_LEFT_ARROW || bytes[0] == B_UP_ARROW      ? -1
                       : bytes[0] == B_RIGHT_ARROW || bytes[0] == B_DOWN_ARROW ? 1
                                                                               : 0;
    if (bytes[0] == B_SPACE)
        Choose();
    else if (step != 0 && Parent())
        if (BView* next = Parent()->ChildAt(tileIndex + step))
            next->MakeFocus(true);
}

void CBackView::FocusChanged(bool hasFocus) {
    focused = hasFocus;
    Draw(Bounds());
}

void CBackView::Choose() {
    SetValue(1);
    if (Window())
        Window()->PostMessage(OPT_BACK_0 + uint32_t(tileIndex));
}

void CBackView::SetValue(int32_t value) {
    selected = value;
    SetHighColor(value != 0 ? kFrameBlack : kTileGrey);
    StrokeRect(kFrame);
    SetAccessibleName("Card back " + std::to_string(tileIndex + 1));
    SetAccessibleChoice(value != 0);
}
