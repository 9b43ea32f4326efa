// SPDX-License-Identifier: GPL-3.0-or-later
// The application: its own message queue and the list of open windows. B_QUIT_REQUESTED asks
// every window to quit and then ends Run.
#pragma once

#include <string>
#include <vector>

#include "platform/Looper.h"

class BWindow;

class BApplication : public BLooper {
  public:
    explicit BApplication(const char* signature);
    ~BApplication() override;

    // Runs the event loop until the application quits; returns the exit code of the loop.
    int Run();
    bool IsQuitting() const { return quitting; }
    const std::string& Signature() const { return signature; }

    int32 CountWindows() const { return int32(windows.size()); }
    BWindow* WindowAt(int32 index) const;
    void AddWindow(BWindow* window);
    void RemoveWindow(BWindow* window);

  protected:
    void DispatchMessage(BMessage* message) override;

  private:
    std::string signature;
    std::vector<BWindow*> windows;
    bool quitting = false;
    bool running = false;
};

extern BApplication* be_app;
