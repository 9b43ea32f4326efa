// A 32-bit off-screen image: four bytes a pixel in blue, green, red, alpha order, rows one after
// another. On little-endian machines that is exactly the toolkit's ARGB32 layout, which holds them.
#pragma once

#include <memory>
#include <vector>

#include "platform/Types.h"

class BView;

class BBitmap {
  public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false);
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

  private:
    friend struct QtSide;  // the toolkit's side of the class (platform/QtSide.h)
    struct Pixels;
    BBitmap();
    std::unique_ptr<Pixels> pixels;
    std::vector<BView*> children;
};
