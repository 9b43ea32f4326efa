// SPDX-License-Identifier: GPL-3.0-or-later
// A view: a rectangle of a window (or of an off-screen image) that draws and takes mouse presses.
// A view shown in a window draws into its own retained frame buffer, which the screen shows; a view
// added to a BBitmap draws into that image; a view in neither ignores every drawing call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

class BBitmap;
class BWindow;
class BFont;

enum { B_FONT_ALL = 0x1ff };
enum font_face { B_REGULAR_FACE = 0x40, B_BOLD_FACE = 0x20 };

class BFont {
  public:
    void SetSize(float points) { size = points; }
    float Size() const { return size; }
    void SetFace(uint32 f) { face = f; }
    uint32 Face() const { return face; }

  private:
    float size = 12;
    uint32 face = B_REGULAR_FACE;
};

class BView {
  public:
    BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
    virtual ~BView();
    BView(const BView&) = delete;
    BView& operator=(const BView&) = delete;

    // Hooks.
    virtual void Draw(BRect updateRect);
    virtual void MouseDown(BPoint where);
    // A key pressed while the view has the keyboard focus; the window's current message holds
    // its "modifiers". Keys wait in the window's queue, so none arrives during a press, a card
    // flight or an alert.
    virtual void KeyDown(const char* bytes, int32 numBytes);
    // The window moved to a screen of another density, in device pixels a unit (1, 2 or 3); the
    // view's frame buffer is blank at it, and Draw follows.
    virtual void ScaleChanged(int32 scale);

    // Hierarchy. A parent owns its children and deletes those still attached.
    void AddChild(BView* child);
    bool RemoveChild(BView* child);
    BWindow* Window() const { return window; }
    BView* Parent() const { return parent; }
    const std::string& Name() const { return name; }
    BView* FindView(const std::string& viewName);
    BView* ChildAt(int32 index) const {
        return index >= 0 && index < int32(children.size()) ? children[size_t(index)] : nullptr;
    }
    BRect Frame() const { return frame; }
    BRect Bounds() const { return BRect(0, 0, frame.Width(), frame.Height()); }

    // Drawing state.
    void SetHighColor(rgb_color c) { highColor = c; }
    void SetHighColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { highColor = {r, g, b, a}; }
    rgb_color HighColor() const { return highColor; }
    void SetLowColor(rgb_color c) { lowColor = c; }
    void SetLowColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { lowColor = {r, g, b, a}; }
    void SetViewColor(rgb_color c);
    void SetViewColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { SetViewColor({r, g, b, a}); }
    rgb_color ViewColor() const { return viewColor; }
    void SetDrawingMode(drawing_mode mode) { drawingMode = mode; }
    drawing_mode DrawingMode() const { return drawingMode; }
    void SetFont(const BFont* f, uint32 mask = B_FONT_ALL);
    void GetFont(BFont* f) const { *f = font; }

    // Drawing. Rectangles include both corners; copies are 1:1 and clipped to both images.
    void StrokeRect(BRect r);
    void FillRect(BRect r);
    void DrawBitmap(const BBitmap* bitmap, BPoint where);
    void DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination);
    void DrawString(const char* text, BPoint baseline);
    // Finishes the drawing. On screen: hands what changed to the display now, then returns no
    // sooner than the pacing quantum after the previous Sync, which sets a card flight's speed.
    void Sync();
    // Remembers a picture the platform shows behind the view until Draw covers it.
    void SetViewBitmap(const BBitmap* bitmap, uint32 followFlags = 0, uint32 options = 0);

    // Takes the keyboard focus of its window (or gives it up).
    void MakeFocus(bool focus = true);
    bool IsFocus() const;

    // Called when the view gains or loses the keyboard focus.
    virtual void FocusChanged(bool focused);

    // What assistive technology (a screen reader) is told about the view. Only a view shown in a
    // window tells anything.
    // Its name.
    void SetAccessibleName(const std::string& text);
    // Parts of the view that are objects of their own to a screen reader (the places of a
    // table), each with its words and where it lies, and which of them has the keyboard focus
    // (-1: none); they replace the parts given before, and nothing is spoken.
    struct AccessiblePart {
        std::string name;
        BRect frame;
    };
    void SetAccessibleParts(std::vector<AccessiblePart> parts, int32 focused);
    // Tells that the keyboard focus has come to the focused part, so that its words are spoken,
    // also when it had the focus already.
    void SpeakAccessibleFocus();
    // News of what just happened, spoken once, as a notification; it is withdrawn by the next
    // news or the next spoken focus, so it is never read again as if it were new.
    void Announce(const std::string& text);
    // The view is one of a group of choices (a radio button to a screen reader), chosen or not.
    void SetAccessibleChoice(bool chosen);

    // The pointer in view coordinates and the buttons held now.
    void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);

    // Platform side.
    virtual bool HasFrameBuffer() const { return true; }
    bool IsInMouseDown() const { return inMouseDown; }
    // A press is being followed and its pointer has neither moved nor changed buttons since the
    // last sample: the next sample would find nothing new.
    static bool PressHeldStill();
    // A press is being followed; when its pointer was last looked at (the press, then each
    // sample), in MonotonicMicroseconds.
    static bool PressFollowed();
    static int64_t LastPointerLook();
    // Runs the MouseDown hook as a press of these buttons would (used by the widget and tests).
    void DeliverMouseDown(BPoint where, uint32 buttons);
    // Runs the KeyDown hook with these bytes and modifiers (used by the window and tests).
    void DeliverKeyDown(const std::string& bytes, uint32 modifiers);
    // Mouse state as the widget last saw it.
    void NoteMouse(BPoint where, uint32 buttons);
    // Runs Draw for this view and its children (the window is being shown).
    void DrawTree();
    // The window's screen now has another density: frame buffers are made anew at it, and
    // ScaleChanged tells each view of the tree.
    void SetScaleTree(int32 scale);
    void SetWindowTree(BWindow* w);
    void AttachToBitmap(BBitmap* b) { bitmap = b; }

  protected:
    friend struct QtSide;  // the toolkit's side of the class (platform/QtSide.h)
    struct Native;
    // Makes the toolkit's widget for the view when it has none yet.
    virtual void MakeWidget();
    void Touched(BRect r);
    virtual void PlaceWidget();

    std::string name;
    BRect frame;
    uint32 flags;
    BView* parent = nullptr;
    BWindow* window = nullptr;
    BBitmap* bitmap = nullptr;
    std::vector<BView*> children;
    std::unique_ptr<Native> native;

  private:
    void ResetFrameBuffer();

    rgb_color highColor{0, 0, 0, 255};
    rgb_color lowColor{255, 255, 255, 255};
    rgb_color viewColor{255, 255, 255, 255};
    drawing_mode drawingMode = B_OP_COPY;
    BFont font;
    BPoint mousePoint;
    uint32 mouseButtons = 0;
    bool inMouseDown = false;
    bool firstSampleOfPress = false;
    BPoint pressPoint;
    uint32 pressButtons = 0;
    int64_t lastSync = -1;
};
