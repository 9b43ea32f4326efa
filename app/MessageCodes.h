// SPDX-License-Identifier: GPL-3.0-or-later
// Every message code the program's windows and views exchange, with their fixed values.
#pragma once

#include <cstdint>

// Handled by the main window.
enum : uint32_t {
    MSG_DEAL = 1,
    MSG_OPTIONS = 2,
    MSG_EXIT = 3,
    MSG_ABOUT = 5,
    MSG_RULES = 6,
    MSG_UNDO = 7,
    MSG_LOAD_CARDSET = 8,
    MSG_OPTIONS_CHANGED = 9,
    MSG_CARDSET_CHOSEN = 10,
    MSG_LOAD_BACKGROUND = 13,
    MSG_CLEAR_BACKGROUND = 14,
    MSG_BACKGROUND_CHOSEN = 15,
    MSG_UNDO_DISABLE = 20,
    MSG_UNDO_ENABLE = 21,
};

// Handled by the options window.
enum : uint32_t {
    OPT_OK = 1,
    OPT_CANCEL = 2,
    OPT_FREEZE = 3,
    OPT_AUTOCOMPLETE = 4,
    OPT_DEAL_ONE = 5,
    OPT_BACK_0 = 7,
};

// Handled by the about window.
enum : uint32_t { ABOUT_OK = 51 };
