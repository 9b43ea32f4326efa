// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: nine text lines kept between runs.
//
//   Settings for Tarnwick
//   (empty)
//   the four option flags in their order                one number a line
//   card back 0 to 3
//   card-set path
//   background path, or <NONE>
#pragma once

#include <cstdint>
#include <string>

#include "game/Options.h"
#include "view/Limits.h"

struct Settings {
    Options options;
    std::string cardSetPath = "./cards.bmp";
    std::string backgroundPath = limits::kNoBackground;
};

// $XDG_CONFIG_HOME/Tarnwick, that is ~/.config/Tarnwick.
std::string SettingsPath();

// Reads what the file holds over the values given. The reader is forgiving: the header lines may
// say anything, the five numbers may stand on any lines, and whatever cannot be read keeps the
// value it had. A path line too long to be ours comes out empty, so it falls back like a path
// that does not load instead of being cut down to another file's name. False when there is no
// file to read.
bool ReadSettings(const std::string& path, Settings& settings);
// The same reading of a file's bytes.
void ParseSettings(std::string bytes, Settings& settings);

// Whether the path can stand on one line of the file: one holding a line feed, a carriage return
// or a NUL would break the file's lines, or come back as another path.
bool FitsOnOneLine(const std::string& path);

// Writes a new file and renames it over the old one, so a crash while writing loses nothing.
bool WriteSettings(const std::string& path, const Settings& settings);
// What WriteSettings writes.
std::string SettingsText(const Settings& settings);
