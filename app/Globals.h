// SPDX-License-Identifier: GPL-3.0-or-later
// The application folder: where the executable, the standard card set, the help page and the
// about picture live. Set once by main, before anything else runs.
#pragma once

#include <string>

extern std::string exepath;
// The name the desktop knows the game by: its desktop entry, icon and metainfo.
constexpr const char* kDesktopId = "org.tarnwick.Tarnwick";

// Where an installed copy keeps its files, from the folder of its executable (/usr/games).
constexpr const char* kInstalledDataFolder = "../share/games/tarnwick";

// The application folder of this run: that of the real executable, symbolic links resolved (the
// program path's folder only when the system cannot tell).
std::string ApplicationFolder(const std::string& programPath);
// The installed data folder beside the executable's folder when that holds the standard card set
// and the executable's own folder does not; else the executable's folder, as in a build.
std::string DataFolderFor(const std::string& executableFolder);
