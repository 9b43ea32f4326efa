#include "platform/Bitmap.h"

#include <QImage>

#include <algorithm>

#include "platform/View.h"

BBitmap::BBitmap(BRect bounds, color_space, bool)
    : image(std::make_unique<QImage>(bounds.IntegerWidth() + 1, bounds.IntegerHeight() + 1,
                                     QImage::Format_ARGB32)) {
    if (!image->isNull())
        image->fill(0);
}

BBitmap::BBitmap(const QImage& picture) : image(std::make_unique<QImage>(picture)) {
    // Our pixels are ours alone: the bytes are written in place later (keying, shading).
    image->detach();
    // An opaque picture's bytes already are ARGB32 with every alpha 255: no copy is needed.
    if (image->format() == QImage::Format_RGB32)
        image->reinterpretAsFormat(QImage::Format_ARGB32);
    else if (image->format() != QImage::Format_ARGB32)
        image->convertTo(QImage::Format_ARGB32);
}

BBitmap::~BBitmap() {
    for (BView* view : children)
        view->AttachToBitmap(nullptr);
}

BRect BBitmap::Bounds() const {
    return BRect(0, 0, image->width() - 1, image->height() - 1);
}

bool BBitmap::IsValid() const {
    return !image->isNull();
}
uint8* BBitmap::Bits() {
    return image->bits();
}
const uint8* BBitmap::Bits() const {
    return image->constBits();
}
int32 BBitmap::BitsLength() const {
    return int32(image->sizeInBytes());
}
int32 BBitmap::BytesPerRow() const {
    return int32(image->bytesPerLine());
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
