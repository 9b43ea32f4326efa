// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Globals.h"

#include "platform/Files.h"

std::string exepath;

std::string ApplicationFolder(const std::string& programPath) {
    // The real executable's folder, whatever link or PATH entry started it; the program path
    // only when the system cannot tell.
    std::string folder = RunningExecutableFolder();
    if (folder.empty()) {
        const size_t slash = programPath.rfind('/');
        folder = slash == std::string::npos ? "." : programPath.substr(0, slash);
    }
    return DataFolderFor(folder);
}

std::string DataFolderFor(const std::string& executableFolder) {
    const std::string installed = CleanPath(executableFolder + "/" + kInstalledDataFolder);
    if (!IsFile(executableFolder + "/cards.bmp") && IsFile(installed + "/cards.bmp"))
        return installed;
    return executableFolder;
}
