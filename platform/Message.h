// SPDX-License-Identifier: GPL-3.0-or-later
// A message: a 32-bit code and a few named fields. The program's own messages carry the code
// alone; the platform adds "buttons" to a mouse press, "bytes" and "modifiers" to a key press and
// "path" to a file panel's answer; a key press names the view it was pressed in with "view".
#pragma once

#include <map>
#include <string>

#include "platform/Types.h"

// Four-character codes, spelled out to keep clear of multi-character literals.
constexpr uint32 FourCharCode(const char (&c)[5]) {
    return uint32(uint8(c[0])) << 24 | uint32(uint8(c[1])) << 16 | uint32(uint8(c[2])) << 8 |
           uint32(uint8(c[3]));
}
constexpr uint32 B_QUIT_REQUESTED = FourCharCode("_QRQ");
constexpr uint32 B_MOUSE_DOWN = FourCharCode("_MDN");
constexpr uint32 B_KEY_DOWN = FourCharCode("_KYD");
constexpr uint32 B_SCREEN_CHANGED = FourCharCode("_SCH");

class BMessage {
  public:
    explicit BMessage(uint32 code = 0) : what(code) {}

    void AddInt32(const std::string& name, int32 value) { ints[name] = value; }
    status_t FindInt32(const std::string& name, int32* value) const;
    void AddString(const std::string& name, const std::string& value) { strings[name] = value; }
    status_t FindString(const std::string& name, std::string* value) const;
    void AddPointer(const std::string& name, const void* value) { pointers[name] = value; }
    status_t FindPointer(const std::string& name, const void** value) const;

    uint32 what;

  private:
    std::map<std::string, int32> ints;
    std::map<std::string, std::string> strings;
    std::map<std::string, const void*> pointers;
};
