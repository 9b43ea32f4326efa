// SPDX-License-Identifier: GPL-3.0-or-later
// A modal alert with up to three buttons. Go shows it and returns the index of the button
// pressed, from 0; nothing else is handled while it is up.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

enum button_width { B_WIDTH_AS_USUAL = 0 };
enum alert_type { B_EMPTY_ALERT = 0, B_INFO_ALERT = 1, B_WARNING_ALERT = 3 };

class BAlert {
  public:
    BAlert(const char* title, const char* text, const char* button0, const char* button1 = nullptr,
           const char* button2 = nullptr, button_width width = B_WIDTH_AS_USUAL,
           alert_type type = B_INFO_ALERT);
    int32 Go();

  private:
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
    alert_type type;
};

// Closes every alert that is up as if it had been closed without a button, and makes any later
// alert answer the same at once: the program is about to quit.
void DismissAlerts();
