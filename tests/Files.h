// SPDX-License-Identifier: GPL-3.0-or-later
// Picture and data files made on the spot for the loading tests.
#pragma once

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

namespace testing_support {

class Files {
  public:
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string Folder() const { return dir.path().toStdString(); }

    std::string Picture(const char* name, int w, int h, QRgb fill, const char* format = "PNG") {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(fill);
        return Save(name, image, format);
    }
    std::string Save(const char* name, const QImage& image, const char* format = "PNG") {
        image.save(dir.filePath(name), format);
        return Path(name);
    }
    std::string Bytes(const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return Path(name);
    }
    // The first bytes of an existing file.
    std::string Truncated(const char* name, const std::string& from, int keep) {
        QFile source(QString::fromStdString(from));
        source.open(QIODevice::ReadOnly);
        return Bytes(name, source.read(keep));
    }
    // A 54-byte BMP header of plain rows, with these fields as the file stores them.
    std::string BmpHeader(const char* name, quint32 width, quint32 height, int bitsPerPixel,
                          const QByteArray& rest = QByteArray()) {
        QByteArray b(54, '\0');
        auto put32 = [&b](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                b[at + i] = char((v >> (8 * i)) & 0xff);
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, quint32(54 + rest.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, width);
        put32(22, height);
        b[26] = 1;
        b[28] = char(bitsPerPixel);
        return Bytes(name, b + rest);
    }
    // A BMP header that claims 30000 x 30000 pixels, with almost nothing behind it.
    std::string Huge(const char* name) {
        return BmpHeader(name, 30000, 30000, 24, QByteArray(64, '\x7f'));
    }

  private:
    QTemporaryDir dir;
};

}  // namespace testing_support
