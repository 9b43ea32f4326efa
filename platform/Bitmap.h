// A 32-bit off-screen image: four bytes a pixel in blue, green, red, alpha order, rows one after
// another. On little-endian machines that is exactly QImage::Format_ARGB32, which holds the pixels.
#pragma once

#include <QImage>
#include <vector>

#include "platform/Types.h"

class BView;

class BBitmap {
  public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false);
    // Takes a decoded picture; converts it to the 32-bit layout when needed.
    explicit BBitmap(const QImage& picture);
    ~BBitmap();
    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    BRect Bounds() const;
    bool IsValid() const { return !image.isNull(); }
    uint8* Bits() { return image.bits(); }
    const uint8* Bits() const { return image.constBits(); }
    int32 BitsLength() const { return int32(image.sizeInBytes()); }
    int32 BytesPerRow() const { return int32(image.bytesPerLine()); }
    color_space ColorSpace() const { return B_RGB32; }

    // One thread draws; locking only marks the drawing sequences.
    bool Lock() { return true; }
    void Unlock() {}

    void AddChild(BView* view);
    bool RemoveChild(BView* view);

    QImage& Image() { return image; }
    const QImage& Image() const { return image; }

  private:
    QImage image;
    std::vector<BView*> children;
};
