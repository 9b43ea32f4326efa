// SPDX-License-Identifier: GPL-3.0-or-later
// An open-file dialog that does not block the game. When the player picks a file, a copy of the
// reply message with the file's full path in "path" is posted to the target.
#pragma once

#include <string>

#include "platform/Message.h"

class BLooper;

enum file_panel_mode { B_OPEN_PANEL = 0 };
constexpr uint32 B_FILE_NODE = 0x1;

class BFilePanel {
  public:
    BFilePanel(file_panel_mode mode, BLooper* target, const std::string& startFolder,
               uint32 nodeFlavors, bool allowMultiple, const BMessage* reply,
               void* filter = nullptr, bool modal = false, bool hideWhenDone = true);
    // Opens the dialog; it closes and releases itself once the player has answered.
    void Show();
    const std::string& StartFolder() const { return startFolder; }

  private:
    BLooper* target;
    std::string startFolder;
    BMessage reply;
};
