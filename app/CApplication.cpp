#include "app/CApplication.h"

#include "app/CWindow.h"

CApplication::CApplication() : BApplication("application/x-Corvale.Tarnwick") {
    // The window's content is the 701 x 521 area of this frame; the constructor shows it.
    new CWindow(BRect(50, 50, 750, 570), "Tarnwick", B_TITLED_WINDOW);
}

void CApplication::MessageReceived(BMessage*) {}
