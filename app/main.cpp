// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>

#include "app/CApplication.h"
#include "app/Globals.h"
#include "platform/Files.h"
#include "platform/System.h"

int main(int argc, char** argv) {
    PlatformSession platform(argc, argv);
    exepath = AbsolutePath(ApplicationFolder(argc > 0 ? argv[0] : ""));
    // The standard card set is named "./cards.bmp" by default: relative paths mean the
    // application folder, wherever the game was started from.
    SetCurrentFolder(exepath);

    CApplication app;
    QuitOnTerminationSignals(&app);
    app.Run();
    // The settings are written and the windows gone. Taking the toolkit down as well can stall
    // on the Wayland connection on a busy machine, long after the window has gone, so the
    // process ends here.
    std::fflush(nullptr);
    std::_Exit(0);
}
