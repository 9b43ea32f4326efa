// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

#include "game/Rules.h"
#include "platform/System.h"

#include "platform/Window.h"

using namespace table;

namespace {

const BRect kTableBounds(0, 0, kWidth - 1, kHeight - 1);
const BRect kHandBounds(0, 0, kCardWidth, HandHeight(kHandCapacity) + 1);

}  // namespace

CView::CView(BRect frame, const char* name)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
      deviceScale(DefaultDeviceScale()),
      offscreenImage(std::make_unique<BBitmap>(kTableBounds, B_RGB32, true, deviceScale)),
      dragImage(std::make_unique<BBitmap>(kHandBounds, B_RGB32, true, deviceScale)) {
    SetViewColor(255, 255, 255, 255);
    offscreenView =
        new BView(BRect(0, 0, kWidth - 1, kHeight - 1), "myView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    offscreenImage->AddChild(offscreenView);
    dragView = new BView(dragImage->Bounds(), "hView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    dragImage->AddChild(dragView);

    SetBack(0);
    model = ShuffledTable(CalendarTime());
    Deal();
}

CView::~CView() {
    offscreenImage->RemoveChild(offscreenView);
    delete offscreenView;
    dragImage->RemoveChild(dragView);
    delete dragView;
}

void CView::ScaleChanged(int32 scale) {
    if (scale == deviceScale)
        return;
    deviceScale = scale;
    offscreenImage->RemoveChild(offscreenView);
    offscreenImage = std::make_unique<BBitmap>(kTableBounds, B_RGB32, true, deviceScale);
    offscreenImage->AddChild(offscreenView);
    dragImage->RemoveChild(dragView);
    dragImage = std::make_unique<BBitmap>(kHandBounds, B_RGB32, true, deviceScale);
    dragImage->AddChild(dragView);
    SetBitmap(cardSetPath.c_str(), kNoRedraw);
    SetBackground(backgroundName.c_str());  // draws the whole table anew
    UpdateBitmap();
}

void CView::Draw(BRect) {
    DrawBitmap(offscreenImage.get(), BPoint(0, 0));
    RefreshKeyboard();
}
