#include "app/Globals.h"

#include <QCoreApplication>
#include <QFileInfo>

std::string exepath;

std::string ApplicationFolder(const std::string& programPath) {
    const size_t slash = programPath.rfind('/');
    if (slash != std::string::npos)
        return programPath.substr(0, slash);
    // Started through PATH: the path says nothing of the folder, the running executable does.
    QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString real = self.canonicalFilePath();
    if (!real.isEmpty())
        return QFileInfo(real).absolutePath().toStdString();
    return ".";
}
