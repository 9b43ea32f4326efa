// SPDX-License-Identifier: GPL-3.0-or-later
// An install of the build into a temporary DESTDIR with the prefix /usr, as a package makes it.
#pragma once

#include <QProcess>
#include <QTemporaryDir>

namespace testing_support {

class Installed {
  public:
    Installed() {
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", root.path());
        install.setProcessEnvironment(env);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start("cmake", {"--install", TARNWICK_BUILD_DIR, "--prefix", "/usr"});
        done = install.waitForFinished(120000) && install.exitStatus() == QProcess::NormalExit &&
               install.exitCode() == 0;
        log = install.readAll().toStdString();
    }
    bool Done() const { return done; }
    const std::string& Log() const { return log; }
    QString Root() const { return root.path(); }
    QString Path(const QString& relative) const { return root.filePath(relative); }

  private:
    QTemporaryDir root;
    bool done = false;
    std::string log;
};

}  // namespace testing_support
