// The settings file and pictures against a hostile outside: a disk that fills, headers whose
// sizes overflow, an environment that points nowhere sensible.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "Files.h"
#include "platform/Bitmap.h"
#include "platform/Files.h"
#include "platform/Translation.h"

using namespace testing_support;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SettingsWrite, AFullDiskLeavesTheOldFileWhole) {
    QTemporaryDir base;
    const QString mountPoint = base.filePath("small");
    QDir().mkpath(mountPoint);
    if (geteuid() != 0 ||
        QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint}) != 0)
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    const std::string path = mountPoint.toStdString() + "/Tarnwick";
    const std::string good = "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n";
    ASSERT_TRUE(WriteFileAtomically(path, good));
    {
        std::ofstream filler(mountPoint.toStdString() + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.good(); ++i)
            filler << block << std::flush;
    }
    EXPECT_FALSE(WriteFileAtomically(path, good + "# one line more\n"));
    EXPECT_EQ(Contents(path), good);
    QProcess::execute("umount", {mountPoint});
}

TEST(SettingsFolder, ARelativeConfigHomeIsIgnored) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(SettingsFolder(), QDir::homePath().toStdString() + "/.config");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(SettingsFolder(), "/somewhere/config");
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(Pictures, BmpHeadersWhoseSizesOverflowAreUnreadable) {
    Files files;
    const std::pair<quint32, quint32> sizes[] = {{0x7fffffff, 0x80000000},
                                                 {0x80000000, 0x7fffffff},
                                                 {0x7fffffff, 0x7fffffff},
                                                 {1, 0x80000000}};
    for (auto [width, height] : sizes) {
        const std::string path = files.BmpHeader("overflow.bmp", width, height, 32);
        EXPECT_EQ(BTranslationUtils::GetBitmapFile(path.c_str()), nullptr)
            << width << " x " << height;
    }
}

}  // namespace
