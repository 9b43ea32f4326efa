// The options window: the card back and three rules options. It keeps its own copy of the values;
// the main window hands them in before the first showing and reads them back after "OK".
#pragma once

#include <cstdint>

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

    void SetFlags(int32_t freeze, int32_t autoComplete, int32_t dealOne, int32_t twoRedeals,
                  int32_t back);
    void GetFlags(int32_t& freeze, int32_t& autoComplete, int32_t& dealOne, int32_t& twoRedeals,
                  int32_t& back) const;
    void SetBitmap(BBitmap* image);
    void ShowMe();

    BView* backingView;
    CBackView* backTiles[4];
    BBox* backBox;
    BBox* rulesBox;
    BBitmap* cardImage;
    BButton* okButton;
    BButton* cancelButton;
    int32_t optionFlags[4] = {0, 0, 0, 0};
    int32_t backIndex = 0;
    BCheckBox* freezeBox;
    BCheckBox* autoCompleteBox;
    BCheckBox* dealOneBox;
    BWindow* parentWindow;
};
