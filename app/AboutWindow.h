// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: our picture beside a blue panel with the name, version and a few lines.
#pragma once

#include <memory>

#include "platform/Bitmap.h"
#include "platform/View.h"
#include "platform/Window.h"

class AboutView : public BView {
  public:
    explicit AboutView(BRect frame);
    void Draw(BRect updateRect) override;
    void ScaleChanged(int32 scale) override;

    std::unique_ptr<BBitmap> picture;  // null when the picture file is missing or unreadable

  private:
    // The picture painted for this many device pixels a unit, or the one-pixel picture, which
    // drawing then enlarges.
    void LoadPicture(int32 scale);
};

class AboutWindow : public BWindow {
  public:
    explicit AboutWindow(BRect frame);
    // Any message closes the window; the "OK" button's is the one that normally comes.
    void MessageReceived(BMessage* message) override;

    AboutView* view;
};
