// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "platform/Alert.h"
#include "platform/Translation.h"
#include "view/CView.h"

using namespace table;

namespace {

constexpr rgb_color kTableGreen{0, 153, 0, 255};
// The built background is 50 rows taller than the table; the extra rows never show.
const BRect kBuiltBounds(0, 0, kWidth - 1, kHeight + 49);

std::unique_ptr<BBitmap> PlainTable(int32 scale) {
    auto image = std::make_unique<BBitmap>(kBuiltBounds, B_RGB32, true, scale);
    BView painter(kBuiltBounds, nullptr, B_FOLLOW_NONE, B_WILL_DRAW);
    image->AddChild(&painter);
    painter.SetHighColor(kTableGreen);
    painter.FillRect(kBuiltBounds);
    painter.Sync();
    image->RemoveChild(&painter);
    return image;
}

}  // namespace

void CView::SetBackground(const char* name) {
    backgroundName = name ? name : limits::kNoBackground;
    backgroundImage.reset();
    shadedImage.reset();
    backgroundImage.reset(BuildBackground(backgroundName.c_str()));
    ShadeBitmap(backgroundImage.get(), 0.8f);

    offscreenImage->Lock();
    offscreenView->DrawBitmap(backgroundImage.get(), BPoint(0, 0));
    DrawBitmap(backgroundImage.get(), BPoint(0, 0));
    offscreenView->Sync();
    offscreenImage->Unlock();
    UpdateBackground();
}

BBitmap* CView::BuildBackground(const char* name) {
    const bool plain = std::strcmp(name, limits::kNoBackground) == 0;
    // An over-long name is refused like an unreadable picture, never shortened to another file.
    std::unique_ptr<BBitmap> picture;
    if (!plain && std::strlen(name) <= kBackgroundNameMax)
        picture.reset(BTranslationUtils::GetBitmapFile(name));
    if (!picture) {
        if (backgroundName != limits::kNoBackground) {
            BAlert alert("Tarnwick", "Image file not recognised, reverting to plain background",
                         "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
            alert.Go();
        }
        backgroundName = limits::kNoBackground;
        return PlainTable(deviceScale).release();
    }

    // The table is opaque whatever the picture's own alpha says.
    for (int32 i = 3; i < picture->BitsLength(); i += 4)
        picture->Bits()[i] = 255;

    const BRect bounds = picture->Bounds();
    const bool coversTable = bounds.Width() > kWidth - 2 && bounds.Height() > kHeight + 48;
    if (coversTable && deviceScale == 1)
        return picture.release();
    if (coversTable) {
        // Only the part under the table is enlarged for a high-density screen.
        auto part = std::make_unique<BBitmap>(kBuiltBounds, B_RGB32, true);
        BView painter(kBuiltBounds, nullptr, B_FOLLOW_NONE, B_WILL_DRAW);
        part->AddChild(&painter);
        painter.DrawBitmap(picture.get(), BPoint(0, 0));
        part->RemoveChild(&painter);
        return ScaledBitmap(*part, deviceScale, kKeyColour).release();
    }
    if (deviceScale > 1)
        picture = ScaledBitmap(*picture, deviceScale, kKeyColour);

    // Tiles overlap by one pixel: the step is one less than the picture. A picture one pixel
    // wide or high would make that step zero, so it steps by one instead.
    const int w = bounds.IntegerWidth() > 0 ? bounds.IntegerWidth() : 1;
    const int h = bounds.IntegerHeight() > 0 ? bounds.IntegerHeight() : 1;
    const int nx = int(float(kWidth - 1) / float(w) + 1);
    const int ny = int(float(kHeight + 49) / float(h) + 1);
    auto tiled = std::make_unique<BBitmap>(kBuiltBounds, B_RGB32, true, deviceScale);
    BView painter(kBuiltBounds, nullptr, B_FOLLOW_NONE, B_WILL_DRAW);
    tiled->AddChild(&painter);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            painter.DrawBitmap(picture.get(), BPoint(float(i * w), float(j * h)));
    painter.Sync();
    tiled->RemoveChild(&painter);
    return tiled.release();
}

void CView::ShadeBitmap(const BBitmap* source, float factor) {
    shadedImage = std::make_unique<BBitmap>(source->Bounds(), B_RGB32, false, source->Scale());
    uint8 shade[256];
    for (int v = 0; v < 256; ++v)
        shade[v] = uint8(float(v) * factor);
    // Pixel by pixel, in memory order (blue, green, red, alpha): a run of one colour, as the whole
    // of a plain table is, is looked up once.
    const uint8* from = source->Bits();
    uint8* to = shadedImage->Bits();
    const int32 length = std::min(source->BitsLength(), shadedImage->BitsLength());
    uint32 last = 0;
    uint32 lastShaded = 0;
    for (int32 i = 0; i < length; i += 4) {
        uint32 pixel;
        std::memcpy(&pixel, from + i, 4);
        if (i == 0 || pixel != last) {
            const uint8 bytes[4] = {shade[from[i]], shade[from[i + 1]], shade[from[i + 2]],
                                    from[i + 3]};
            std::memcpy(&lastShaded, bytes, 4);
            last = pixel;
        }
        std::memcpy(to + i, &lastShaded, 4);
    }
}

void CView::UpdateBitmap() {
    SetViewBitmap(backgroundImage.get(), B_FOLLOW_TOP | B_FOLLOW_LEFT, 0);
}
