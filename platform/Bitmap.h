// A 32-bit off-screen image: four bytes a pixel in blue, green, red, alpha order, rows one after
// another. On little-endian machines that is exactly QImage::Format_ARGB32, which holds the pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/Types.h"

class BView;
class QImage;

class BBitmap {
  public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false);
    // Takes a decoded picture; converts it to the 32-bit layout when needed.
    explicit BBitmap(const QImage& picture);
    ~BBitmap();
    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    BRect Bounds() const;
    bool IsValid() const;
    uint8* Bits();
    const uint8* Bits() const;
    int32 BitsLength() const;
    int32 BytesPerRow() const;
    color_space ColorSpace() const { return B_RGB32; }

    // One thread draws; locking only marks the drawing sequences.
    bool Lock() { return true; }
    void Unlock() {}

    void AddChild(BView* view);
    bool RemoveChild(BView* view);

    // Platform side: the pixels as Qt holds them.
    QImage& Image() { return *image; }
    const QImage& Image() const { return *image; }

  private:
    std::unique_ptr<QImage> image;
    std::vector<BView*> children;
};
