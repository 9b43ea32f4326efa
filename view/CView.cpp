#include "view/CView.h"

#include "platform/System.h"

#include "platform/Window.h"

using namespace table;

CView::CView(BRect frame, const char* name)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
      offscreenImage(
          std::make_unique<BBitmap>(BRect(0, 0, kWidth - 1, kHeight - 1), B_RGB32, true)),
      dragImage(std::make_unique<BBitmap>(BRect(0, 0, kCardWidth, HandHeight(kHandCapacity) + 1),
                                          B_RGB32, true)) {
    SetViewColor(255, 255, 255, 255);
    offscreenView =
        new BView(BRect(0, 0, kWidth - 1, kHeight - 1), "myView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    offscreenImage->AddChild(offscreenView);
    dragView = new BView(dragImage->Bounds(), "hView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    dragImage->AddChild(dragView);

    handCount = 0;
    autoCompleteOn = 1;
    undoFlag = 0;
    SetBack(0);
    mouseState = kMouseIdle;
    model.deck = PackOfCards(0);
    model.deck.Shuffle(CalendarTime());
    Deal();
}

CView::~CView() {
    offscreenImage->RemoveChild(offscreenView);
    delete offscreenView;
    dragImage->RemoveChild(dragView);
    delete dragView;
}

void CView::Draw(BRect) {
    DrawBitmap(offscreenImage.get(), BPoint(0, 0));
    RefreshKeyboard();
}
