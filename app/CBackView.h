// SPDX-License-Identifier: GPL-3.0-or-later
// One tile of the options window: shows one card back, framed when it is the chosen one. Tab
// reaches each tile, the arrow keys go to the next or previous one, and Space chooses it.
#pragma once

#include <cstdint>

#include "platform/View.h"

class BBitmap;

class CBackView : public BView {
  public:
    CBackView(BRect frame, const char* name, int32_t index, BBitmap* image);

    void Draw(BRect updateRect) override;
    // The tile is chosen when the button is released, wherever the pointer is by then.
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void FocusChanged(bool focused) override;

    void SetValue(int32_t value);
    void SetBitmap(BBitmap* image) { cardImage = image; }

    BBitmap* cardImage;
    int32_t tileIndex;
    int32_t selected = 0;

  private:
    void Choose();
    bool focused = false;
};
