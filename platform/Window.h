// SPDX-License-Identifier: GPL-3.0-or-later
// A window: a top-level Qt widget with its own message queue. Its views are placed by their frames;
// a menu bar taller than the frame it was given pushes the views below it down by the difference.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Looper.h"
#include "platform/Types.h"

class BMessage;
class BView;
class WindowWidget;

class BWindow : public BLooper {
  public:
    BWindow(BRect frame, const char* title, window_type type, uint32 flags,
            uint32 workspace = B_CURRENT_WORKSPACE);
    ~BWindow() override;

    // Asked before the window closes, by the close box or by the application quitting.
    virtual bool QuitRequested();

    void Show();
    void Hide();
    bool IsHidden() const;
    // Closes the window; the object is deleted once the current message has been handled.
    void Quit();

    // A key pressed anywhere in the window that no control takes posts the message to the
    // window: B_ESCAPE, or B_ENTER (Return and the keypad's Enter). No modifiers.
    void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);

    void AddChild(BView* view);
    bool RemoveChild(BView* view);
    BView* FindView(const std::string& name) const;
    BView* ChildAt(int32 index) const;

    BRect Frame() const { return frame; }
    BRect Bounds() const { return BRect(0, 0, frame.Width(), frame.Height()); }

    // Device pixels a unit that the window's views draw at: its screen's ratio rounded up to a
    // whole number (1, 2 or 3). Setting it makes every view's frame buffer anew at it, tells
    // the views, and draws them again.
    int32 DeviceScale() const { return deviceScale; }
    void SetDeviceScale(int32 scale);
    const std::string& Title() const { return title; }
    window_type Type() const { return type; }

  protected:
    void DispatchMessage(BMessage* message) override;

  private:
    friend struct QtSide;  // the toolkit's side of the class (platform/QtSide.h)
    friend class WindowWidget;
    void Layout();
    void FollowMainWindow();
    BView* KeyView(const BMessage& key) const;

    BRect frame;
    std::string title;
    window_type type;
    std::vector<BView*> views;
    std::vector<std::pair<uint32, BMessage>> shortcuts;
    WindowWidget* widget;
    bool quitting = false;
    int32 deviceScale = 1;
};
