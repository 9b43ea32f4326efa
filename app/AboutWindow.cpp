// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"

#include <string>

#include "app/Globals.h"
#include "app/MessageCodes.h"
#include "platform/Controls.h"
#include "platform/System.h"
#include "platform/Translation.h"

namespace {

constexpr rgb_color kPanelBlue{95, 120, 255, 255};
constexpr rgb_color kWhite{255, 255, 255, 255};

struct TextLine {
    float y;
    const char* text;
};
constexpr TextLine kLines[] = {
    {50, "A Corvale game for Linux"},
    {100, "Please send bug reports to"},
    {120, "the Tarnwick issue tracker."},
    {140, "We welcome your feedback."},
};

}  // namespace

AboutView::AboutView(BRect frame) : BView(frame, nullptr, B_FOLLOW_NONE, B_WILL_DRAW) {
    auto* ok = new BButton(BRect(340, 160, 440, 190), nullptr, "OK", new BMessage(ABOUT_OK));
    LoadPicture(DefaultDeviceScale());
    AddChild(ok);
}

void AboutView::ScaleChanged(int32 scale) {
    if (!picture || picture->Scale() != scale)
        LoadPicture(scale);
}

void AboutView::LoadPicture(int32 scale) {
    if (scale > 1) {
        const std::string larger = exepath + "/Quenmoor@" + std::to_string(scale) + "x.jpg";
        picture.reset(BTranslationUtils::GetBitmapFile(larger.c_str()));
        if (picture && picture->SetScale(scale))
            return;
    }
    const std::string path = exepath + "/Quenmoor.jpg";
    picture.reset(BTranslationUtils::GetBitmapFile(path.c_str()));
}

void AboutView::Draw(BRect) {
    if (picture)
        DrawBitmap(picture.get(), BPoint(10, 30));
    SetHighColor(kPanelBlue);
    FillRect(BRect(260, 0, 450, 200));

    BFont font;
    GetFont(&font);
    font.SetSize(16);
    font.SetFace(B_BOLD_FACE);
    SetFont(&font, B_FONT_ALL);
    SetLowColor(kPanelBlue);
    SetHighColor(kWhite);
    DrawString("Tarnwick 3.2", BPoint(270, 30));

    font.SetSize(12);
    font.SetFace(B_REGULAR_FACE);
    SetFont(&font, B_FONT_ALL);
    for (const TextLine& line : kLines)
        DrawString(line.text, BPoint(270, line.y));
}

AboutWindow::AboutWindow(BRect frame)
    // Its OK button is the way out, and the keys that answer it: Escape, Enter.
    : BWindow(frame, "Tarnwick : About", B_MODAL_WINDOW,
              B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_CLOSABLE, B_CURRENT_WORKSPACE) {
    AddShortcut(B_ESCAPE, 0, new BMessage(ABOUT_OK));
    AddShortcut(B_ENTER, 0, new BMessage(ABOUT_OK));
    view = new AboutView(Bounds());
    AddChild(view);
}

void AboutWindow::MessageReceived(BMessage*) {
    Quit();
}
