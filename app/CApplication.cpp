// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CApplication.h"

#include "app/CWindow.h"
#include "app/Globals.h"
#include "platform/System.h"

CApplication::CApplication() : BApplication("application/x-Corvale.Tarnwick") {
    SetDesktopEntry(kDesktopId);
    // The window's content is the 701 x 521 area of this frame; the constructor shows it.
    new CWindow(BRect(50, 50, 750, 570), "Tarnwick", B_TITLED_WINDOW);
}

void CApplication::MessageReceived(BMessage*) {}
