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
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes.data(), qint64(bytes.size()));
    if (!file.commit())
        return false;
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                    QFileDevice::ReadOther);
    return true;
}
