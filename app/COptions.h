// SPDX-License-Identifier: GPL-3.0-or-later
// The options window: the card back and three rules options. It keeps its own copy of the values;
// the main window hands them in before the first showing and reads them back after "OK".
#pragma once

#include <cstdint>

#include "game/Options.h"
#include "platform/Window.h"

class BBitmap;
class BBox;
class BButton;
class BCheckBox;
class BView;
class CBackView;

class COptions : public BWindow {
  public:
    COptions(BRect frame, const char* title, window_type type, BBitmap* image, BWindow* parent);

    void MessageReceived(BMessage* message) override;
    // The close box cancels, as the "Cancel" button does; the window lives until the program ends.
    bool QuitRequested() override;

    // The options shown, and those chosen so far.
    void SetOptions(const Options& o);
    Options GetOptions() const { return options; }
    void SetBitmap(BBitmap* image);
    void ShowMe();

    BView* backingView;
    CBackView* backTiles[4];
    BBox* backBox;
    BBox* rulesBox;
    BBitmap* cardImage;
    BButton* okButton;
    BButton* cancelButton;
    Options options;
    BCheckBox* freezeBox;
    BCheckBox* autoCompleteBox;
    BCheckBox* dealOneBox;
    BWindow* parentWindow;
};
