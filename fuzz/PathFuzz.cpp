// SPDX-License-Identifier: GPL-3.0-or-later
// The check a path chosen in a file panel passes before the program uses it: every path it lets
// through must survive the settings file as the same path, and every other must be refused.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Settings.h"
#include "view/CView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    if (!FitsOnOneLine(path)) {
        for (char c : path)
            if (c == '\n' || c == '\r' || c == '\0')
                return 0;
        std::abort();  // refused with nothing to refuse
    }
    Settings chosen;
    if (path.size() <= CView::kCardSetPathMax)
        chosen.cardSetPath = path;
    if (path.size() <= CView::kBackgroundNameMax)
        chosen.backgroundPath = path;
    Settings read;
    ParseSettings(SettingsText(chosen), read);
    if (read.cardSetPath != chosen.cardSetPath || read.backgroundPath != chosen.backgroundPath)
        std::abort();
    return 0;
}
