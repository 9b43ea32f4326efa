// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: makes the main window; its own handler does nothing.
#pragma once

#include "platform/Application.h"

class CApplication : public BApplication {
  public:
    CApplication();
    void MessageReceived(BMessage* message) override;
};
