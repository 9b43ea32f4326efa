// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translation.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/Bitmap.h"
#include "platform/PixelOps.h"
#include "platform/QtSide.h"

namespace {

quint32 Little32(const QByteArray& b, int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// Qt decodes a BMP cut short as if the missing rows were there. An uncompressed BMP must hold all
// the rows its header promises; one that does not is damaged.
bool TruncatedBmp(const QString& name, qint64 fileSize) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(54);
    if (head.size() < 54 || head[0] != 'B' || head[1] != 'M')
        return false;
    const quint32 offset = Little32(head, 10);
    const qint64 width = qint32(Little32(head, 18));
    const qint64 height = qAbs(qint64(qint32(Little32(head, 22))));
    const quint32 bitsPerPixel = quint8(head[28]) | quint32(quint8(head[29])) << 8;
    const quint32 compression = Little32(head, 30);
    if (compression != 0 && compression != 3)  // only plain rows have a size known in advance
        return false;
    if (width <= 0)
        return true;
    // Width and height reach 2^31 and rows 2^44 bytes: compare by division so nothing overflows.
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 pixelBytes = fileSize - qint64(offset);
    return pixelBytes < 0 || (rowBytes > 0 && height > pixelBytes / rowBytes);
}

quint32 Big32(const QByteArray& b, qint64 at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// Qt's JPEG reader fills whatever a cut file lacks with grey and carries on. A whole JPEG runs
// from its start marker through segments and scans to its end-of-image marker; what follows
// that (phones append a video to "motion photos") is not the picture's. Walked marker by marker:
// a segment gives its length, a scan runs to the first marker that is neither a restart nor a
// stuffed 0xff. Cut short when the bytes end before the end marker.
bool TruncatedJpeg(const QByteArray& bytes) {
    const qint64 size = bytes.size();
    auto at = [&bytes](qint64 i) { return quint8(bytes[i]); };
    qint64 i = 2;  // past the start-of-image marker
    while (true) {
        if (i >= size || at(i) != 0xff)
            return true;
        while (i < size && at(i) == 0xff)  // a marker may be padded with fill bytes
            ++i;
        if (i >= size)
            return true;
        const quint8 marker = at(i++);
        if (marker == 0xd9)
            return false;  // end of image
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7))
            continue;  // markers that stand alone
        if (i + 2 > size)
            return true;
        const qint64 length = (qint64(at(i)) << 8) | at(i + 1);
        if (length < 2)
            return true;
        i += length;
        if (marker != 0xda)
            continue;
        // Scan data: up to a marker other than a restart, a stuffed byte or fill.
        while (true) {
            const qint64 ff = bytes.indexOf('\xff', i);
            if (ff < 0 || ff + 1 >= size)
                return true;
            const quint8 next = at(ff + 1);
            if (next == 0x00 || next == 0xff || (next >= 0xd0 && next <= 0xd7)) {
                i = ff + (next == 0xff ? 1 : 2);
                continue;
            }
            i = ff;
            break;
        }
    }
}

// A whole PNG is a chain of chunks that ends with a complete IEND chunk.
bool TruncatedPng(const QByteArray& bytes) {
    qint64 at = 8;  // past the signature
    while (at + 12 <= bytes.size()) {
        const qint64 length = Big32(bytes, at);
        if (length > 0x7fffffff)
            return true;
        const qint64 end = at + 12 + length;
        if (end > bytes.size())
            return true;
        if (bytes.mid(at + 4, 4) == "IEND")
            return false;
        at = end;
    }
    return true;
}

// The formats the game ships and most players load, told by their first bytes: quicker than
// asking every image plugin. "" for anything else.
QByteArray KnownFormat(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray head = file.read(8);
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    return QByteArray();
}

// Larger than any picture whose pixels Qt's allocation limit lets through.
constexpr qint64 kLargestPictureFile = 256 * 1024 * 1024;

}  // namespace

bool BTranslationUtils::GetImageSize(const char* path, int32* width, int32* height) {
    if (!path || !*path)
        return false;
    QImageReader reader(QString::fromUtf8(path));
    const QSize size = reader.size();
    if (!size.isValid())
        return false;
    *width = size.width();
    *height = size.height();
    return true;
}

BBitmap* BTranslationUtils::GetBitmapFile(const char* path) {
    if (!path || !*path)
        return nullptr;
    const QString name = QString::fromUtf8(path);
    QFileInfo info(name);
    if (!info.isFile() || !info.isReadable())
        return nullptr;
    QImageReader reader(name);
    reader.setAutoTransform(false);
    QByteArray format = KnownFormat(name);
    if (format.isEmpty())
        format = reader.format();  // asks every image plugin in turn
    else
        reader.setFormat(format);
    if (format == "bmp" && TruncatedBmp(name, info.size()))
        return nullptr;
    if (format == "jpeg" || format == "png") {
        QFile file(name);
        if (info.size() > kLargestPictureFile || !file.open(QIODevice::ReadOnly))
            return nullptr;
        const QByteArray bytes = file.readAll();
        if (format == "jpeg" ? TruncatedJpeg(bytes) : TruncatedPng(bytes))
            return nullptr;
    }
    // A picture of up to 64 MiB is read into memory that asks for large pages (the decoder takes
    // an image of the right size and format as it is); any other is read as the decoder makes
    // it, under the toolkit's own allocation limit.
    QImage picture;
    const QSize size = reader.size();
    const QImage::Format layout = reader.imageFormat();
    if (size.isValid() && layout != QImage::Format_Invalid &&
        qint64(size.width()) * size.height() * 4 <= qint64(64) << 20) {
        picture = QImage::toPixelFormat(layout).bitsPerPixel() == 32
                      ? pixelops::NewImage(size.width(), size.height(), layout)
                      : QImage(size, layout);
    }
    if (!reader.read(&picture) || picture.isNull())
        return nullptr;
    std::unique_ptr<BBitmap> bitmap = QtSide::FromPicture(std::move(picture));
    return bitmap->IsValid() ? bitmap.release() : nullptr;
}
