// The application folder: where the executable, the standard card set, the help page and the
// about picture live. Set once by main, before anything else runs.
#pragma once

#include <string>

extern std::string exepath;

// The folder of a program path: everything before its last "/". A path with no "/" (a program
// started through PATH) gives the folder of the running executable instead.
std::string ApplicationFolder(const std::string& programPath);
