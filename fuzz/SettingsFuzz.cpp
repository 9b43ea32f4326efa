// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader against any bytes: it must never crash, and whatever it makes of them must
// come back unchanged through a write and a second read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Settings.h"

namespace {

bool Same(const Settings& a, const Settings& b) {
    return a.options == b.options && a.cardSetPath == b.cardSetPath &&
           a.backgroundPath == b.backgroundPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings read;
    ParseSettings(std::string(reinterpret_cast<const char*>(data), size), read);
    // A path the reader let through with a carriage return in it cannot come back whole; the
    // program never writes one, since its own paths are checked on the way in.
    if (!FitsOnOneLine(read.cardSetPath) || !FitsOnOneLine(read.backgroundPath))
        return 0;
    Settings again;
    ParseSettings(SettingsText(read), again);
    if (!Same(read, again))
        std::abort();
    return 0;
}
