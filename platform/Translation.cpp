#include "platform/Translation.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/Bitmap.h"

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
    if (reader.format() == "bmp" && TruncatedBmp(name, info.size()))
        return nullptr;
    QImage picture = reader.read();
    if (picture.isNull())
        return nullptr;
    auto* bitmap = new BBitmap(picture);
    if (!bitmap->IsValid()) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}
