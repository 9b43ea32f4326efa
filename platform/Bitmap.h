// SPDX-License-Identifier: GPL-3.0-or-later
// A 32-bit off-screen image: four bytes a pixel in blue, green, red, alpha order, rows one after
// another. On little-endian machines that is exactly the toolkit's ARGB32 layout, which holds them.
// An image may hold scale device pixels a side for each unit of its bounds (2 or 3 on a
// high-density screen): bounds and drawing are in units, the bytes in device pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/Types.h"

class BView;

class BBitmap {
  public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false, int32 scale = 1);
    ~BBitmap();
    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    BRect Bounds() const;
    bool IsValid() const;
    int32 Scale() const;
    // Takes the pixels as they are at this many device pixels a unit (a picture drawn larger);
    // false, and nothing changes, when its size is not a whole number of units.
    bool SetScale(int32 scale);
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

// A copy at scale device pixels a unit, smoothly filtered from a bitmap of one pixel a unit.
// Pixels that come out less than half covered are made the colour given, fully transparent, and
// the rest opaque, so a keyed picture stays keyed with no fringe of its key colour.
std::unique_ptr<BBitmap> ScaledBitmap(const BBitmap& source, int32 scale, rgb_color transparent);
