// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/COptions.h"

#include <string>

#include "app/CBackView.h"
#include "app/MessageCodes.h"
#include "platform/Controls.h"

COptions::COptions(BRect frame, const char* title, window_type type, BBitmap* image,
                   BWindow* parent)
    : BWindow(frame, title, type, B_NOT_RESIZABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE),
      cardImage(image),
      parentWindow(parent) {
    AddShortcut(B_ESCAPE, 0, new BMessage(OPT_CANCEL));
    // Larger than the window, which clips it.
    backingView = new BView(BRect(0, 0, 400, 300), "Backing", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    backingView->SetViewColor(219, 219, 219, 255);
    AddChild(backingView);

    okButton = new BButton(BRect(285, 149, 365, 171), "OK", "OK", new BMessage(OPT_OK));
    cancelButton =
        new BButton(BRect(285, 176, 365, 198), "Cancel", "Cancel", new BMessage(OPT_CANCEL));
    backingView->AddChild(okButton);
    backingView->AddChild(cancelButton);

    backBox = new BBox(BRect(10, 10, 365, 141));
    backBox->SetLabel("Card Back");
    rulesBox = new BBox(BRect(10, 145, 280, 250));
    rulesBox->SetLabel("Rules");
    backingView->AddChild(backBox);
    backingView->AddChild(rulesBox);

    for (int i = 0; i < 4; ++i) {
        const std::string name = "Back" + std::to_string(i);
        backTiles[i] =
            new CBackView(BRect(10 + 86 * i, 20, 86 + 86 * i, 121), name.c_str(), i, cardImage);
        backBox->AddChild(backTiles[i]);
    }

    freezeBox = new BCheckBox(BRect(10, 15, 250, 35), "CD", "Freeze completed decks.",
                              new BMessage(OPT_FREEZE));
    autoCompleteBox =
        new BCheckBox(BRect(10, 35, 250, 55), "AC", "Autocomplete game on successful completion.",
                      new BMessage(OPT_AUTOCOMPLETE));
    dealOneBox = new BCheckBox(BRect(10, 55, 250, 75), "OC", "Deal one card instead of three.",
                               new BMessage(OPT_DEAL_ONE));
    rulesBox->AddChild(freezeBox);
    rulesBox->AddChild(autoCompleteBox);
    rulesBox->AddChild(dealOneBox);
    MatchLabelFonts({freezeBox, autoCompleteBox, dealOneBox});
}

void COptions::MessageReceived(BMessage* message) {
    const uint32_t code = message->what;
    switch (code) {
        case OPT_OK:
            parentWindow->PostMessage(MSG_OPTIONS_CHANGED);
            Hide();
            break;
        case OPT_CANCEL:
            Hide();  // nothing is reverted: the next opening shows these values again
            break;
        case OPT_FREEZE:
        case OPT_AUTOCOMPLETE:
        case OPT_DEAL_ONE: {
            int32_t& flag = code == OPT_FREEZE         ? options.freezePacks
                            : code == OPT_AUTOCOMPLETE ? options.autoCompleteOn
                                                       : options.dealOne;
            flag = flag == 0 ? 1 : 0;
            break;
        }
        default:
            if (code >= OPT_BACK_0 && code <= OPT_BACK_0 + 3) {
                const int32_t back = int32_t(code - OPT_BACK_0);
                for (int i = 0; i < 4; ++i)
                    if (i != back)
                        backTiles[i]->SetValue(0);
                options.back = back;
            }
            break;
    }
}

bool COptions::QuitRequested() {
    BMessage* current = CurrentMessage();
    if (current && current->what == B_QUIT_REQUESTED) {
        Hide();
        return false;
    }
    return true;  // the application is ending
}

void COptions::SetOptions(const Options& o) {
    options = o;
    freezeBox->SetValue(o.freezePacks);
    autoCompleteBox->SetValue(o.autoCompleteOn);
    dealOneBox->SetValue(o.dealOne);
    for (int i = 0; i < 4; ++i)
        backTiles[i]->SetValue(i == o.back ? 1 : 0);
}

void COptions::SetBitmap(BBitmap* image) {
    cardImage = image;
    for (CBackView* tile : backTiles)
        tile->SetBitmap(image);
}

void COptions::ShowMe() {
    Show();
}
