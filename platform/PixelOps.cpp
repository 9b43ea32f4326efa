// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PixelOps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <set>

#include <sys/mman.h>

namespace pixelops {

namespace {

struct Span {
    int srcX, srcY, dstX, dstY, width, height;
};

// Clips a copy of the source rectangle to dstLeft, dstTop against both images.
bool Clip(const QImage& src, BRect srcRect, const QImage& dst, int dstLeft, int dstTop, Span& s) {
    int sx0 = int(std::floor(srcRect.left)), sy0 = int(std::floor(srcRect.top));
    int sx1 = int(std::floor(srcRect.right)), sy1 = int(std::floor(srcRect.bottom));
    int dx0 = dstLeft, dy0 = dstTop;
    if (sx0 < 0) {
        dx0 -= sx0;
        sx0 = 0;
    }
    if (sy0 < 0) {
        dy0 -= sy0;
        sy0 = 0;
    }
    sx1 = std::min(sx1, src.width() - 1);
    sy1 = std::min(sy1, src.height() - 1);
    if (dx0 < 0) {
        sx0 -= dx0;
        dx0 = 0;
    }
    if (dy0 < 0) {
        sy0 -= dy0;
        dy0 = 0;
    }
    int width = std::min(sx1 - sx0 + 1, dst.width() - dx0);
    int height = std::min(sy1 - sy0 + 1, dst.height() - dy0);
    if (width <= 0 || height <= 0)
        return false;
    s = {sx0, sy0, dx0, dy0, width, height};
    return true;
}

}  // namespace

BRect Blit(const QImage& src, BRect srcRect, QImage& dst, int dstLeft, int dstTop,
           drawing_mode mode) {
    Span s;
    if (src.isNull() || dst.isNull() || !Clip(src, srcRect, dst, dstLeft, dstTop, s))
        return BRect();
    const bool sameImage = src.constBits() == dst.constBits();
    for (int row = 0; row < s.height; ++row) {
        // Copying within one image downwards must walk the rows from the bottom.
        int r = (sameImage && s.dstY > s.srcY) ? s.height - 1 - row : row;
        const uint8* from = src.constScanLine(s.srcY + r) + 4 * s.srcX;
        uint8* to = dst.scanLine(s.dstY + r) + 4 * s.dstX;
        if (mode == B_OP_COPY) {
            std::memmove(to, from, size_t(4 * s.width));
            continue;
        }
        // Runs of opaque pixels are copied whole and runs of transparent ones skipped: a card is
        // almost all one or the other, with blending only along antialiased edges.
        int i = 0;
        while (i < s.width) {
            const uint8 a = from[4 * i + 3];
            int j = i + 1;
            if (a == 255) {
                while (j < s.width && from[4 * j + 3] == 255)
                    ++j;
                std::memcpy(to + 4 * i, from + 4 * i, size_t(4 * (j - i)));
            } else if (a == 0) {
                while (j < s.width && from[4 * j + 3] == 0)
                    ++j;
            } else {
                uint8* d = to + 4 * i;
                const uint8* f = from + 4 * i;
                d[0] = Over(f[0], d[0], a);
                d[1] = Over(f[1], d[1], a);
                d[2] = Over(f[2], d[2], a);
                d[3] = uint8(a + (d[3] * (255 - a) + 127) / 255);
            }
            i = j;
        }
    }
    return BRect(s.dstX, s.dstY, s.dstX + s.width - 1, s.dstY + s.height - 1);
}

void FillRect(QImage& dst, BRect rect, rgb_color c) {
    int x0 = std::max(0, int(std::floor(rect.left)));
    int y0 = std::max(0, int(std::floor(rect.top)));
    int x1 = std::min(dst.width() - 1, int(std::floor(rect.right)));
    int y1 = std::min(dst.height() - 1, int(std::floor(rect.bottom)));
    const uint32 pixel =
        (uint32(c.alpha) << 24) | (uint32(c.red) << 16) | (uint32(c.green) << 8) | uint32(c.blue);
    for (int y = y0; y <= y1; ++y) {
        auto* line = reinterpret_cast<uint32*>(dst.scanLine(y));
        std::fill(line + x0, line + x1 + 1, pixel);
    }
}

void StrokeRect(QImage& dst, BRect r, rgb_color c, int thickness) {
    const float in = float(thickness - 1);
    FillRect(dst, BRect(r.left, r.top, r.right, r.top + in), c);
    FillRect(dst, BRect(r.left, r.bottom - in, r.right, r.bottom), c);
    FillRect(dst, BRect(r.left, r.top, r.left + in, r.bottom), c);
    FillRect(dst, BRect(r.right - in, r.top, r.right, r.bottom), c);
}

namespace {

constexpr qint64 kLargePage = qint64(2) << 20;
// Smaller images go to the heap; larger ones than this are left to the toolkit's allocation limit.
constexpr qint64 kSmallestOwnMapping = kLargePage / 2;
constexpr qint64 kLargestOwnMapping = qint64(256) << 20;

struct Mapping {
    void* base;
    size_t length;
};

// The mappings alive, and whether they may ask for large pages yet. Asking while the program
// starts costs more than it saves: where free memory is fragmented, the kernel compacts it
// before it gives a large page, and a start-up then waits tens of milliseconds for it.
std::mutex mappingsLock;
std::set<Mapping*> mappings;
bool largePagesWanted = false;

void AskForLargePages(const Mapping& mapping) {
#ifdef MADV_HUGEPAGE
    madvise(mapping.base, mapping.length, MADV_HUGEPAGE);
#else
    (void)mapping;
#endif
}

void Unmap(void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    {
        std::lock_guard<std::mutex> hold(mappingsLock);
        mappings.erase(mapping);
    }
    munmap(mapping->base, mapping->length);
    delete mapping;
}

// Fresh zeroed memory of a whole number of large pages, starting on a large-page boundary.
Mapping* MapLargePages(qint64 bytes) {
    const auto length = size_t((bytes + kLargePage - 1) / kLargePage * kLargePage);
    const size_t slack = size_t(kLargePage);
    void* raw =
        mmap(nullptr, length + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + slack - 1) & ~(uintptr_t(slack) - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    if (const size_t tail = start + length + slack - (aligned + length); tail > 0)
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    auto* mapping = new Mapping{reinterpret_cast<void*>(aligned), length};
    std::lock_guard<std::mutex> hold(mappingsLock);
    mappings.insert(mapping);
    if (largePagesWanted)
        AskForLargePages(*mapping);
    return mapping;
}

}  // namespace

void WantLargePages() {
    std::lock_guard<std::mutex> hold(mappingsLock);
    if (largePagesWanted)
        return;
    largePagesWanted = true;
    // The images made so far are backed by small pages already; the kernel's background thread
    // merges them into large ones in its own time.
    for (Mapping* mapping : mappings)
        AskForLargePages(*mapping);
}

QImage NewImage(int width, int height, QImage::Format format) {
    const qint64 bytes = qint64(width) * height * 4;
    if (width > 0 && height > 0 && bytes >= kSmallestOwnMapping && bytes <= kLargestOwnMapping &&
        QImage::toPixelFormat(format).bitsPerPixel() == 32) {
        if (Mapping* mapping = MapLargePages(bytes))
            return QImage(static_cast<uchar*>(mapping->base), width, height, qsizetype(width) * 4,
                          format, Unmap, mapping);
    }
    QImage image(width, height, format);
    if (!image.isNull())
        image.fill(0);
    return image;
}

}  // namespace pixelops
