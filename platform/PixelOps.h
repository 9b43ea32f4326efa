// SPDX-License-Identifier: GPL-3.0-or-later
// The pixel routines every drawing call ends in. QPainter is not used for these: it would turn a
// fully transparent key-coloured pixel into black, and the hand picture needs such pixels to
// survive a plain copy.
#pragma once

#include <QImage>

#include "platform/Types.h"

namespace pixelops {

// Copies the source rectangle (both corners included) to dstLeft, dstTop, clipped to both images.
// B_OP_COPY copies all four bytes; B_OP_ALPHA composites source-over by the source alpha.
// Returns the destination rectangle actually touched (invalid when nothing was).
BRect Blit(const QImage& src, BRect srcRect, QImage& dst, int dstLeft, int dstTop,
           drawing_mode mode);

void FillRect(QImage& dst, BRect rect, rgb_color colour);
// The outline of a rectangle, its sides this many pixels thick inwards.
void StrokeRect(QImage& dst, BRect rect, rgb_color colour, int thickness = 1);

// A new image of a 32-bit format with every byte zero. One of 1 MiB or more lives in memory of its
// own, aligned to the system's 2 MiB pages and, once the program has started, asking for them:
// the table's images at twice the density are tens of megabytes, and touching them for the first
// time page by page costs more than drawing into them.
QImage NewImage(int width, int height, QImage::Format format = QImage::Format_ARGB32);
// From now on such images ask for large pages, and those made so far too: called once the
// program has shown its window, as asking during start-up can stall it.
void WantLargePages();

// Source-over of one channel value by alpha a (0 keeps dst, 255 gives src).
inline uint8 Over(uint8 src, uint8 dst, uint8 a) {
    return uint8((src * a + dst * (255 - a) + 127) / 255);
}

}  // namespace pixelops
