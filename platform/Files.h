// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders: the running program's folder, the settings folder, and reading and writing
// small files safely.
#pragma once

#include <cstddef>
#include <string>

// The folder of the running executable, or "" when it cannot be told.
std::string RunningExecutableFolder();

std::string AbsolutePath(const std::string& path);
// The path with "." and ".." parts and doubled slashes taken out, as written (no links followed).
std::string CleanPath(const std::string& path);
// Whether a regular file (or a link to one) is there.
bool IsFile(const std::string& path);
bool SetCurrentFolder(const std::string& path);

// The user's settings folder: $XDG_CONFIG_HOME, or ~/.config.
std::string SettingsFolder();

// Up to `limit` bytes from the start of a regular file. False when it is missing, not a file or
// cannot be read.
bool ReadFileHead(const std::string& path, size_t limit, std::string* bytes);

// Writes the bytes to a new file beside the old one and renames it over it, so a crash or a full
// disk half way leaves the old file whole. A link to a regular file is followed and stays a link;
// a path that holds anything but a regular file, or a file the user may not write, is left alone
// with a message on standard error. An existing file in a folder the user may not write is
// rewritten in place. A new file's mode is 0664 less the umask; an existing file keeps its mode.
// Creates the folder when missing. False when nothing was written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
