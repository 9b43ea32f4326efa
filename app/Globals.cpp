#include "app/Globals.h"

#include "platform/Files.h"

std::string exepath;

std::string ApplicationFolder(const std::string& programPath) {
    const size_t slash = programPath.rfind('/');
    if (slash != std::string::npos)
        return programPath.substr(0, slash);
    // Started through PATH: the path says nothing of the folder, the running executable does.
    const std::string running = RunningExecutableFolder();
    return running.empty() ? "." : running;
}
