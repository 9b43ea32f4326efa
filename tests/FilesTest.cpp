// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file and pictures against a hostile outside: a disk that fills, links, pipes and
// modes, headers whose sizes overflow, files cut short, an environment that points nowhere
// sensible.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
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
mode_t Mode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}
BBitmap* GetBitmapFile(const std::string& path) {
    return BTranslationUtils::GetBitmapFile(path.c_str());
}
bool IsLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
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

// An old file keeps its mode, and a link stays a link to the file it names; a link to nothing, a
// pipe (straight or through a link) and a folder are left alone, with nothing left beside them.
TEST(SettingsWrite, ModesAndLinksAreKeptAndWhatIsNoFileIsLeftAlone) {
    QTemporaryDir dir;
    auto at = [&dir](const char* name) { return dir.filePath(name).toStdString(); };
    const mode_t oldMask = umask(002);
    EXPECT_TRUE(WriteFileAtomically(at("Tarnwick"), "first\n"));
    chmod(at("Tarnwick").c_str(), 0640);
    umask(oldMask);

    ASSERT_EQ(symlink("Tarnwick", at("Link").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(at("Link"), "new\n"));
    EXPECT_TRUE(IsLink(at("Link")));
    EXPECT_EQ(Contents(at("Tarnwick")), "new\n");
    EXPECT_EQ(Mode(at("Tarnwick")), 0640u);

    ASSERT_EQ(symlink("missing/target", at("Dangling").c_str()), 0);
    ASSERT_EQ(mkfifo(at("Pipe").c_str(), 0600), 0);
    ASSERT_EQ(symlink("Pipe", at("ToPipe").c_str()), 0);
    QDir().mkpath(dir.filePath("Folder"));
    for (const char* name : {"Dangling", "Pipe", "ToPipe", "Folder"})
        EXPECT_FALSE(WriteFileAtomically(at(name), "x\n")) << name;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing/target")));
    EXPECT_TRUE(IsLink(at("Dangling")) && IsLink(at("ToPipe")));
    struct stat pipe {};
    EXPECT_TRUE(stat(at("Pipe").c_str(), &pipe) == 0 && S_ISFIFO(pipe.st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".new-").size(), 0);
}

// Only a regular file is read: a folder or a device where the settings file should be reads as no
// file at all, and at once. A relative config home is not taken.
TEST(SettingsRead, OnlyARegularFileIsReadFromAnAbsoluteFolder) {
    QTemporaryDir dir;
    std::string bytes;
    EXPECT_FALSE(ReadFileHead(dir.path().toStdString(), 100, &bytes));
    EXPECT_FALSE(ReadFileHead("/dev/zero", 100, &bytes));
    EXPECT_TRUE(bytes.empty());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(SettingsFolder(), QDir::homePath().toStdString() + "/.config");
    qputenv("XDG_CONFIG_HOME", saved);
}

// A picture cut anywhere after its header is not used with its missing part made up. A whole JPEG
// with more data after its end marker, as a phone's motion photo has (a video whose bytes hold
// markers of every kind), is a picture; the same cut short is not.
TEST(Pictures, CutPicturesAreUnreadableAndAJpegWithDataAfterItsEndIsWhole) {
    Files files;
    QImage image(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) & 0xff));
    for (const char* format : {"JPEG", "PNG"}) {
        const std::string whole = files.Save("whole", image, format);
        ASSERT_NE(std::unique_ptr<BBitmap>(GetBitmapFile(whole)), nullptr) << format;
        const int size = int(QFileInfo(QString::fromStdString(whole)).size());
        for (int keep : {size / 4, size / 2, size - 40, size - 2, size - 1})
            EXPECT_EQ(GetBitmapFile(files.Truncated("cut", whole, keep)), nullptr)
                << format << " cut to " << keep << " of " << size << " bytes";
    }
    QByteArray video(
        "\0\0\0\x18"
        "ftypmp42",
        12);
    for (int k = 0; k < 64; ++k)
        video += QByteArray("\xff\xda\x00\x08\xff\xd8\xff\xc0junk\xff", 14);
    for (bool progressive : {false, true}) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(progressive);
        ASSERT_TRUE(writer.write(image));
        std::unique_ptr<BBitmap> read(GetBitmapFile(files.Bytes("motion.jpg", jpeg + video)));
        ASSERT_NE(read, nullptr) << progressive;
        EXPECT_EQ(read->Bounds().IntegerWidth(), 119);
        EXPECT_EQ(GetBitmapFile(files.Bytes("cut.jpg", jpeg.left(jpeg.size() - 2) + video)),
                  nullptr)
            << progressive;
    }
}

}  // namespace
