// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

std::string RunningExecutableFolder() {
    const QString real = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return real.isEmpty() ? std::string() : QFileInfo(real).absolutePath().toStdString();
}

std::string AbsolutePath(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

std::string CleanPath(const std::string& path) {
    return QDir::cleanPath(QString::fromStdString(path)).toStdString();
}

bool IsFile(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

bool SetCurrentFolder(const std::string& path) {
    return QDir::setCurrent(QString::fromStdString(path));
}

std::string SettingsFolder() {
    // A relative XDG_CONFIG_HOME is to be ignored, not taken from whatever folder we are in.
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (!configHome.isEmpty() && !configHome.startsWith('/'))
        return QDir::homePath().toStdString() + "/.config";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

bool ReadFileHead(const std::string& path, size_t limit, std::string* bytes) {
    QFile file(QString::fromStdString(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(qint64(limit));
    bytes->assign(head.constData(), size_t(head.size()));
    return true;
}

namespace {

// Where the new contents go: the file itself, or the regular file a link leads to, so a settings
// file kept as a link (in a dotfiles folder, say) stays a link. Anything that is not a regular
// file is not ours to replace. "" after a message on standard error.
std::string WriteTarget(const std::string& path, struct stat* existing, bool* exists) {
    *exists = false;
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        if (errno == ENOENT)
            return path;
        std::fprintf(stderr, "Tarnwick: can't look at %s (%s); it is left alone.\n", path.c_str(),
                     std::strerror(errno));
        return std::string();
    }
    std::string target = path;
    if (S_ISLNK(link.st_mode)) {
        char* resolved = realpath(path.c_str(), nullptr);
        if (!resolved) {
            std::fprintf(stderr, "Tarnwick: %s is a link that leads nowhere; it is left alone.\n",
                         path.c_str());
            return std::string();
        }
        target = resolved;
        std::free(resolved);
    }
    if (stat(target.c_str(), existing) != 0 || !S_ISREG(existing->st_mode)) {
        std::fprintf(stderr, "Tarnwick: %s is not a regular file; it is left alone.\n",
                     path.c_str());
        return std::string();
    }
    *exists = true;
    return target;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// The file itself rewritten, where its folder takes no new file beside it: what a crash half way
// leaves is not whole, but the file is written.
bool WriteInPlace(const std::string& target, const std::string& bytes) {
    const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, bytes) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    return written;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    struct stat existing {};
    bool exists = false;
    const std::string target = WriteTarget(path, &existing, &exists);
    if (target.empty())
        return false;
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        // A file its owner made read-only stays as it is.
        std::fprintf(stderr, "Tarnwick: %s may not be written (%s); it is left as it is.\n",
                     path.c_str(), std::strerror(errno));
        return false;
    }
    const std::string folder =
        QFileInfo(QString::fromStdString(target)).absolutePath().toStdString();
    if (exists && faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return WriteInPlace(target, bytes);
    // The new file is made beside the old one, so the rename below stays on one file system.
    static std::atomic<unsigned> serial{0};
    const std::string temporary =
        target + ".new-" + std::to_string(getpid()) + "-" + std::to_string(serial.fetch_add(1));
    // A new file gets the mode an ordinary open gives (0664 less the umask); a file that exists
    // keeps the mode its owner gave it.
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0664);
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, bytes);
    if (written && exists)
        written = fchmod(fd, existing.st_mode & 07777) == 0;
    // A full disk may show itself only when the data reaches it.
    written = written && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
