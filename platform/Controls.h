// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons, check boxes and boxes, on Qt's own widgets. A control posts its message to its window
// when the player uses it.
#pragma once

#include <string>
#include <vector>

#include "platform/Message.h"
#include "platform/View.h"

enum border_style { B_PLAIN_BORDER = 0, B_FANCY_BORDER = 1, B_NO_BORDER = 2 };
constexpr int32 B_CONTROL_OFF = 0;
constexpr int32 B_CONTROL_ON = 1;

class BControl : public BView {
  public:
    BControl(BRect frame, const char* name, const char* label, BMessage* message,
             uint32 resizingMode, uint32 flags);
    ~BControl() override;
    bool HasFrameBuffer() const override { return false; }
    const std::string& Label() const { return label; }
    // The label is made to fit the control's frame: Qt's fonts run wider than the frames the
    // windows were laid out for, so a label that would be cut is condensed instead.
    void PlaceWidget() override;
    uint32 Command() const { return message.what; }
    // Posts the control's message to its window, as a click does.
    void Invoke();

  protected:
    std::string label;
    BMessage message;
};

// Gives every control of a group the narrowest label font among them, so the group reads alike
// when one of its labels had to be condensed to fit.
void MatchLabelFonts(const std::vector<BControl*>& group);

class BButton : public BControl {
  public:
    BButton(BRect frame, const char* name, const char* label, BMessage* message,
            uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
            uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    // Presses the button as the player would.
    void Click();

  protected:
    void MakeWidget() override;
};

class BCheckBox : public BControl {
  public:
    BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
              uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
              uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    void SetValue(int32 value);
    int32 Value() const;
    // Toggles the box as a click would: the mark changes and the message is posted.
    void Click();

  protected:
    void MakeWidget() override;
};

class BBox : public BView {
  public:
    BBox(BRect frame, const char* name = nullptr,
         uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
         uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP,
         border_style border = B_FANCY_BORDER);
    bool HasFrameBuffer() const override { return false; }
    void SetLabel(const char* text);
    std::string Label() const;

  protected:
    void MakeWidget() override;
};
