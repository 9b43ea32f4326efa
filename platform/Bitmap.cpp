#include "platform/Bitmap.h"

#include <algorithm>

#include "platform/QtSide.h"
#include "platform/View.h"

BBitmap::BBitmap() : pixels(std::make_unique<Pixels>()) {}

BBitmap::BBitmap(BRect bounds, color_space, bool) : BBitmap() {
    pixels->image =
        QImage(bounds.IntegerWidth() + 1, bounds.IntegerHeight() + 1, QImage::Format_ARGB32);
    if (!pixels->image.isNull())
        pixels->image.fill(0);
}

std::unique_ptr<BBitmap> QtSide::FromPicture(const QImage& picture) {
    std::unique_ptr<BBitmap> bitmap(new BBitmap());
    QImage& image = bitmap->pixels->image;
    image = picture;
    // Our pixels are ours alone: the bytes are written in place later (keying, shading).
    image.detach();
    // An opaque picture's bytes already are ARGB32 with every alpha 255: no copy is needed.
    if (image.format() == QImage::Format_RGB32)
        image.reinterpretAsFormat(QImage::Format_ARGB32);
    else if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    return bitmap;
}

BBitmap::~BBitmap() {
    for (BView* view : children)
        view->AttachToBitmap(nullptr);
}

BRect BBitmap::Bounds() const {
    return BRect(0, 0, pixels->image.width() - 1, pixels->image.height() - 1);
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
