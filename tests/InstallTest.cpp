// SPDX-License-Identifier: GPL-3.0-or-later
// What an install puts where, and the checks the desktop's own tools make of it.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "Install.h"

namespace {

using testing_support::Installed;

QStringList FilesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size() + 1);
    files.sort();
    return files;
}

// Runs a checker on an installed file: "" when it passed, else what it said.
QString Check(const QString& tool, QStringList arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    if (!process.waitForFinished(120000))
        return tool + " did not finish";
    const QString said = QString::fromUtf8(process.readAll());
    return process.exitCode() == 0 ? QString() : said;
}

TEST(Install, PutsEveryFileInItsStandardPlace) {
    Installed installed;
    ASSERT_TRUE(installed.Done()) << installed.Log();
    QStringList expected = {
        "usr/games/tarnwick",
        "usr/share/applications/org.tarnwick.Tarnwick.desktop",
        "usr/share/doc/tarnwick/changelog.gz",
        "usr/share/doc/tarnwick/copyright",
        "usr/share/games/tarnwick/Quenmoor.jpg",
        "usr/share/games/tarnwick/Quenmoor@2x.jpg",
        "usr/share/games/tarnwick/Quenmoor@3x.jpg",
        "usr/share/games/tarnwick/help.html",
        "usr/share/games/tarnwick/screenshot.png",
        "usr/share/man/man6/tarnwick.6.gz",
        "usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml",
    };
    for (const char* set : {"cards", "cards-four-colour", "cards-large-index"})
        for (const char* scale : {"", "@2x", "@3x"})
            expected << QString("usr/share/games/tarnwick/%1%2.bmp").arg(set, scale);
    for (int size : {16, 32, 48, 64, 128, 256, 512})
        expected
            << QString("usr/share/icons/hicolor/%1x%1/apps/org.tarnwick.Tarnwick.png").arg(size);
    expected.sort();
    EXPECT_EQ(FilesUnder(installed.Root()), expected);
    EXPECT_TRUE(QFileInfo(installed.Path("usr/games/tarnwick")).isExecutable());

    // Each icon is drawn at its own size.
    for (int size : {16, 32, 48, 64, 128, 256, 512}) {
        const QImage icon(installed.Path(
            QString("usr/share/icons/hicolor/%1x%1/apps/org.tarnwick.Tarnwick.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
    }
}

TEST(Install, TheDesktopsToolsAcceptTheEntryTheMetainfoAndTheManualPage) {
    Installed installed;
    ASSERT_TRUE(installed.Done()) << installed.Log();
    const QString share = installed.Path("usr/share/");
    int checked = 0;
    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        EXPECT_EQ(
            Check("desktop-file-validate", {share + "applications/org.tarnwick.Tarnwick.desktop"}),
            "");
        ++checked;
    }
    if (!QStandardPaths::findExecutable("appstreamcli").isEmpty()) {
        EXPECT_EQ(Check("appstreamcli", {"validate", "--no-net",
                                         share + "metainfo/org.tarnwick.Tarnwick.metainfo.xml"}),
                  "");
        ++checked;
    }
    if (!QStandardPaths::findExecutable("man").isEmpty()) {
        // groff's warnings (an unknown request, a line that cannot be set) fail the check.
        QProcess man;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("MANWIDTH", "80");
        man.setProcessEnvironment(env);
        man.start("man", {"--warnings", "-l", share + "man/man6/tarnwick.6.gz"});
        ASSERT_TRUE(man.waitForFinished(120000));
        const QString page = QString::fromUtf8(man.readAllStandardOutput());
        EXPECT_EQ(man.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(man.readAllStandardError()), "");
        for (const char* heading :
             {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "SIGNALS"})
            EXPECT_TRUE(page.contains(heading)) << heading;
        EXPECT_TRUE(page.contains("/usr/share/games/tarnwick"));
        ++checked;
    }
    if (checked < 3)
        GTEST_SKIP() << "some checkers are not installed (apt-get install desktop-file-utils "
                        "appstream man-db)";
}

}  // namespace

namespace {

// The package brings Qt's X11 and Wayland plugins and says it is GPL-3.0-or-later, in the
// machine-readable copyright file and in the metainfo.
TEST(Install, ThePackageBringsQtsPluginsAndNamesItsLicence) {
    QFile config(QString(TARNWICK_BUILD_DIR) + "/CPackConfig.cmake");
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    const QString cpack = QString::fromUtf8(config.readAll());
    EXPECT_TRUE(cpack.contains(
        QRegularExpression("CPACK_DEBIAN_PACKAGE_DEPENDS \"[^\"]*qt6-qpa-plugins, qt6-wayland")));

    Installed installed;
    ASSERT_TRUE(installed.Done()) << installed.Log();
    QFile copyright(installed.Path("usr/share/doc/tarnwick/copyright"));
    ASSERT_TRUE(copyright.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(copyright.readAll());
    EXPECT_TRUE(text.startsWith("Format: https://www.debian.org/doc/packaging-manuals/"));
    EXPECT_TRUE(text.contains("\nLicense: GPL-3.0-or-later\n"));
    QFile metainfo(installed.Path("usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains("<project_license>GPL-3.0-or-later</project_license>"));
    QFile licence(QString(TARNWICK_SOURCE_DIR) + "/COPYING");
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        licence.readAll().contains("GNU GENERAL PUBLIC LICENSE\n                       Version 3"));
}

}  // namespace
