// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CBackView.h"

#include "app/MessageCodes.h"
#include "platform/Bitmap.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {
constexpr rgb_color kTileGrey{219, 219, 219, 255};
constexpr rgb_color kFrameBlack{0, 0, 0, 255};
const BRect kFrame(1, 1, 75, 100);
}  // namespace

CBackView::CBackView(BRect frame, const char* name, int32_t index, BBitmap* image)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW), cardImage(image), tileIndex(index) {
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
    SetValue(1);
    if (Window())
        Window()->PostMessage(OPT_BACK_0 + uint32_t(tileIndex));
}

void CBackView::SetValue(int32_t value) {
    selected = value;
    SetHighColor(value != 0 ? kFrameBlack : kTileGrey);
    StrokeRect(kFrame);
}
