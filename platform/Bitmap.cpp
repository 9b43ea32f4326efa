// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Bitmap.h"

#include <algorithm>
#include <cmath>

#include "platform/PixelOps.h"
#include "platform/QtSide.h"
#include "platform/View.h"

BBitmap::BBitmap() : pixels(std::make_unique<Pixels>()) {}

BBitmap::BBitmap(BRect bounds, color_space, bool, int32 scale) : BBitmap() {
    scale = std::max(1, scale);
    pixels->image = pixelops::NewImage((bounds.IntegerWidth() + 1) * scale,
                                       (bounds.IntegerHeight() + 1) * scale);
    if (!pixels->image.isNull())
        pixels->image.setDevicePixelRatio(scale);
}

int32 BBitmap::Scale() const {
    return std::max(1, int32(std::lround(pixels->image.devicePixelRatio())));
}

bool BBitmap::SetScale(int32 scale) {
    QImage& image = pixels->image;
    if (scale < 1 || image.width() % scale != 0 || image.height() % scale != 0)
        return false;
    image.setDevicePixelRatio(scale);
    return true;
}

std::unique_ptr<BBitmap> ScaledBitmap(const BBitmap& source, int32 scale, rgb_color transparent) {
    // Premultiplied, so transparent pixels lend their colour to none of their neighbours.
    const QImage& from = QtSide::Image(source);
    QImage big = from.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     .scaled(from.width() * scale, from.height() * scale, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = qRgba(transparent.red, transparent.green, transparent.blue, 0);
    for (int y = 0; y < big.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(big.scanLine(y));
        for (int x = 0; x < big.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? clear : (line[x] | 0xff000000u);
    }
    std::unique_ptr<BBitmap> bitmap = QtSide::FromPicture(std::move(big));
    bitmap->SetScale(scale);
    return bitmap;
}

std::unique_ptr<BBitmap> QtSide::FromPicture(QImage picture) {
    std::unique_ptr<BBitmap> bitmap(new BBitmap());
    QImage& image = bitmap->pixels->image;
    image = std::move(picture);
    // Our pixels are ours alone: the bytes are written in place later (keying, shading). A picture
    // handed over whole is not copied.
    image.detach();
    // An opaque picture's bytes already are ARGB32 with every alpha 255: no copy is needed.
    if (image.format() == QImage::Format_RGB32)
        image.reinterpretAsFormat(QImage::Format_ARGB32);
    else if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    // A decoded picture is one pixel a unit, whatever its file name says ("@2x" files are read
    // as larger by Qt); the program says when it is more.
    image.setDevicePixelRatio(1);
    return bitmap;
}

BBitmap::~BBitmap() {
    for (BView* view : children)
        view->AttachToBitmap(nullptr);
}

BRect BBitmap::Bounds() const {
    const int32 scale = Scale();
    return BRect(0, 0, pixels->image.width() / scale - 1, pixels->image.height() / scale - 1);
}

bool BBitmap::IsValid() const {
    return !pixels->image.isNull();
}
uint8* BBitmap::Bits() {
    return pixels->image.bits();
}
const uint8* BBitmap::Bits() const {
    return pixels->image.constBits();
}
int32 BBitmap::BitsLength() const {
    return int32(pixels->image.sizeInBytes());
}
int32 BBitmap::BytesPerRow() const {
    return int32(pixels->image.bytesPerLine());
}

void BBitmap::AddChild(BView* view) {
    children.push_back(view);
    view->AttachToBitmap(this);
}

bool BBitmap::RemoveChild(BView* view) {
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end())
        return false;
    children.erase(it);
    view->AttachToBitmap(nullptr);
    return true;
}
