#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

std::string RunningExecutableFolder() {
    const QString real = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return real.isEmpty() ? std::string() : QFileInfo(real).absolutePath().toStdString();
}

std::string AbsolutePath(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
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

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const QString name = QString::fromStdString(path);
    QDir().mkpath(QFileInfo(name).absolutePath());
    QSaveFile file(name);
    // Unbuffered, so a full disk fails this write, where it is seen, rather than a flush inside
    // commit that would still put the short file in place of the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        file.commit();  // throws the new file away; the old one stays as it was
        return false;
    }
    if (!file.commit())
        return false;
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                    QFileDevice::ReadOther);
    return true;
}
