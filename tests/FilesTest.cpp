// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file and pictures against a hostile outside: a disk that fills, headers whose
// sizes overflow, an environment that points nowhere sensible.
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

// Runs the write with this umask, giving the old one back after.
bool WriteUnderUmask(mode_t mask, const std::string& path, const std::string& bytes) {
    const mode_t old = umask(mask);
    const bool written = WriteFileAtomically(path, bytes);
    umask(old);
    return written;
}

mode_t Mode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(SettingsWrite, ANewFileTakesTheUmaskAndAnOldOneKeepsItsMode) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Tarnwick").toStdString();
    ASSERT_TRUE(WriteUnderUmask(077, path, "first\n"));
    EXPECT_EQ(Mode(path), 0600u);
    ASSERT_TRUE(WriteUnderUmask(002, path, "second\n"));
    EXPECT_EQ(Mode(path), 0600u) << "the owner's choice stays";
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteUnderUmask(077, path, "third\n"));
    EXPECT_EQ(Mode(path), 0640u);
    EXPECT_EQ(Contents(path), "third\n");

    const std::string fresh = dir.filePath("Fresh").toStdString();
    ASSERT_TRUE(WriteUnderUmask(022, fresh, "x\n"));
    EXPECT_EQ(Mode(fresh), 0644u);
}

// The write as an ordinary user makes it: when the suite runs as root, which may write anything,
// as "nobody" (who then owns the folder) for the moment of the write.
bool WriteAsUser(const std::string& path, const std::string& bytes) {
    if (geteuid() != 0)
        return WriteFileAtomically(path, bytes);
    if (setresgid(-1, 65534, -1) != 0 || setresuid(-1, 65534, -1) != 0)
        return false;
    const bool written = WriteFileAtomically(path, bytes);
    const bool back = setresuid(-1, 0, -1) == 0 && setresgid(-1, 0, -1) == 0;
    EXPECT_TRUE(back);
    return written;
}

TEST(SettingsWrite, AReadOnlyFileStaysAndOneInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string path = folder + "/Tarnwick";
    ASSERT_TRUE(WriteFileAtomically(path, "old\n"));
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    stat(path.c_str(), &before);

    chmod(path.c_str(), 0444);  // made read-only by its owner, in a folder it may write
    EXPECT_FALSE(WriteAsUser(path, "new\n"));
    EXPECT_EQ(Contents(path), "old\n");
    EXPECT_EQ(Mode(path), 0444u);

    chmod(path.c_str(), 0644);
    chmod(folder.c_str(), 0555);  // the file may be written, its folder takes nothing new
    EXPECT_TRUE(WriteAsUser(path, "new\n"));
    EXPECT_EQ(Contents(path), "new\n");
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, written in place";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "nothing left beside it";

    chmod(folder.c_str(), 0755);  // both writable: a new file renamed over the old, as always
    EXPECT_TRUE(WriteAsUser(path, "newer\n"));
    EXPECT_EQ(Contents(path), "newer\n");
}

TEST(SettingsWrite, ALinkToAFileStaysALinkAndAnythingElseIsLeftAlone) {
    QTemporaryDir dir;
    const std::string real = dir.filePath("dotfiles-Tarnwick").toStdString();
    const std::string link = dir.filePath("Tarnwick").toStdString();
    ASSERT_TRUE(WriteFileAtomically(real, "old\n"));
    chmod(real.c_str(), 0600);
    ASSERT_EQ(symlink("dotfiles-Tarnwick", link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new\n"));
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Contents(real), "new\n");
    EXPECT_EQ(Mode(real), 0600u);

    // A link to nothing: no file is made where it points.
    const std::string dangling = dir.filePath("Dangling").toStdString();
    ASSERT_EQ(symlink("missing/target", dangling.c_str()), 0);
    EXPECT_FALSE(WriteFileAtomically(dangling, "x\n"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing/target")));
    ASSERT_EQ(lstat(dangling.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // A named pipe, straight or through a link, and a folder stay what they are.
    const std::string pipe = dir.filePath("Pipe").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string toPipe = dir.filePath("ToPipe").toStdString();
    ASSERT_EQ(symlink("Pipe", toPipe.c_str()), 0);
    const std::string folder = dir.filePath("Folder").toStdString();
    QDir().mkpath(QString::fromStdString(folder));
    for (const std::string& path : {pipe, toPipe, folder})
        EXPECT_FALSE(WriteFileAtomically(path, "x\n")) << path;
    ASSERT_EQ(stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(lstat(toPipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folder)).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".new-").size(), 0)
        << "no temporary file is left behind";
}

// Only a regular file is read: a folder or a device where the settings file should be reads as no
// file at all, and at once.
TEST(SettingsRead, OnlyARegularFileIsRead) {
    QTemporaryDir dir;
    std::string bytes;
    EXPECT_FALSE(ReadFileHead(dir.path().toStdString(), 100, &bytes));
    EXPECT_FALSE(ReadFileHead("/dev/zero", 100, &bytes));
    EXPECT_TRUE(bytes.empty());
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

// A whole, tiny file (RLE8, a palette and an end-of-picture mark) whose 9000 x 9000 pixels would
// take 324 MB to hold: Qt's allocation limit refuses it, so it must stay in force.
TEST(Pictures, APictureBeyondTheAllocationLimitIsUnreadable) {
    Files files;
    QByteArray rest(10, '\0');
    rest[4] = rest[5] = rest[6] = char(255);  // the palette: black and white
    rest[9] = 1;                              // RLE8: end of the picture
    QByteArray bmp =
        QByteArray::fromStdString(Contents(files.BmpHeader("huge.bmp", 9000, 9000, 8, rest)));
    bmp[10] = 62;  // the pixel data comes after the palette
    bmp[30] = 1;   // RLE8
    bmp[34] = 2;   // two bytes of it
    bmp[46] = 2;   // two palette entries
    const std::string path = files.Bytes("huge.bmp", bmp);
    EXPECT_EQ(BTranslationUtils::GetBitmapFile(path.c_str()), nullptr);
}

// A picture cut anywhere after its header must not be used with its missing part made up.
TEST(Pictures, CutJpegsAndPngsAreUnreadable) {
    Files files;
    QImage image(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) & 0xff));
    for (const char* format : {"JPEG", "PNG"}) {
        const std::string whole = files.Save("whole", image, format);
        BBitmap* bitmap = BTranslationUtils::GetBitmapFile(whole.c_str());
        ASSERT_NE(bitmap, nullptr) << format;
        delete bitmap;
        const int size = int(QFileInfo(QString::fromStdString(whole)).size());
        for (int keep : {size / 4, size / 2, size - 40, size - 2, size - 1}) {
            const std::string cut = files.Truncated("cut", whole, keep);
            EXPECT_EQ(BTranslationUtils::GetBitmapFile(cut.c_str()), nullptr)
                << format << " cut to " << keep << " of " << size << " bytes";
        }
    }
}

// A whole JPEG with more data after its end marker, as a phone's motion photo has: a video whose
// bytes hold markers of every kind. It is a picture; the same cut short is not.
TEST(Pictures, AJpegWithDataAfterItsEndIsWholeAndOneCutIsNot) {
    Files files;
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 3));
    for (bool progressive : {false, true}) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(progressive);
        ASSERT_TRUE(writer.write(image));
        QByteArray video(
            "\0\0\0\x18"
            "ftypmp42",
            12);
        for (int k = 0; k < 64; ++k)
            video += QByteArray("\xff\xda\x00\x08\xff\xd8\xff\xc0junk\xff", 14);
        const std::string motion = files.Bytes("motion.jpg", jpeg + video);
        std::unique_ptr<BBitmap> read(BTranslationUtils::GetBitmapFile(motion.c_str()));
        ASSERT_NE(read, nullptr) << (progressive ? "progressive" : "baseline");
        EXPECT_EQ(read->Bounds().IntegerWidth(), 63);
        const std::string cut = files.Bytes("cut.jpg", jpeg.left(jpeg.size() - 2) + video);
        EXPECT_EQ(BTranslationUtils::GetBitmapFile(cut.c_str()), nullptr)
            << (progressive ? "progressive" : "baseline");
    }
}

}  // namespace
