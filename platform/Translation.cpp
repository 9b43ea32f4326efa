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

// Qt's JPEG reader fills whatever a cut file lacks with grey and carries on. The last scan of a
// whole JPEG is followed by its end-of-image marker; scan data can hold neither marker unescaped.
bool TruncatedJpeg(const QByteArray& bytes) {
    return bytes.lastIndexOf("\xff\xd9") < bytes.lastIndexOf("\xff\xda") ||
           bytes.lastIndexOf("\xff\xda") < 0;
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
