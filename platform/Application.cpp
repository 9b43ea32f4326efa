// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Application.h"

#include <QApplication>
#include <algorithm>

#include "platform/Window.h"

BApplication* be_app = nullptr;

namespace {

// Programs that build their own QApplication (main, the tests) keep it; otherwise make one.
void EnsureQtApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tarnwick";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace

BApplication::BApplication(const char* appSignature) : signature(appSignature) {
    EnsureQtApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    be_app = this;
}

BApplication::~BApplication() {
    // Windows that quit are deleted by a queued call; run those before going away.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    std::vector<BWindow*> open = windows;
    for (BWindow* window : open)
        delete window;
    if (be_app == this)
        be_app = nullptr;
}

int BApplication::Run() {
    if (quitting)
        return 0;
    running = true;
    int code = QApplication::exec();
    running = false;
    return code;
}

BWindow* BApplication::WindowAt(int32 index) const {
    return index >= 0 && index < int32(windows.size()) ? windows[size_t(index)] : nullptr;
}

void BApplication::AddWindow(BWindow* window) {
    windows.push_back(window);
}

void BApplication::RemoveWindow(BWindow* window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void BApplication::DispatchMessage(BMessage* message) {
    if (message->what != B_QUIT_REQUESTED) {
        MessageReceived(message);
        return;
    }
    if (quitting)
        return;
    std::vector<BWindow*> open = windows;
    for (BWindow* window : open) {
        if (!window->QuitRequested())
            return;
        window->Quit();
    }
    quitting = true;
    if (running)
        QCoreApplication::exit(0);
}
