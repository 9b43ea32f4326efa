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
    // A BMP header of plain rows that claims 30000 x 30000 pixels, with almost nothing behind it.
    std::string Huge(const char* name) {
        QByteArray b(54, '\0');
        for (auto [at, value] : {std::pair<int, quint32>{2, 54 + 64},
                                 {10, 54},
                                 {14, 40},
                                 {18, 30000},
                                 {22, 30000},
                                 {26, 1 + (24 << 16)}})
            for (int i = 0; i < 4; ++i)
                b[at + i] = char((value >> (8 * i)) & 0xff);
        b[0] = 'B', b[1] = 'M';
        return Bytes(name, b + QByteArray(64, '\x7f'));
    }

  private:
    QTemporaryDir dir;
};

}  // namespace testing_support
