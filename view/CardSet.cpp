// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <filesystem>

#include "platform/Alert.h"
#include "platform/System.h"
#include "platform/Translation.h"
#include "view/CView.h"

using namespace table;

namespace {

constexpr int kSetWidth = 994;
constexpr int kSetHeight = 384;
constexpr int kBackColumnX = 923;

void Tell(const char* text) {
    BAlert alert("Tarnwick", text, "Oh Dear", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    alert.Go();
}

const char* const kCantFindChosen =
    "I can't find that CardSet, so I'm defaulting to the standard set.";
const char* const kCantFindStandard =
    "I can't find the bitmap cards.bmp, make sure it's in the same directory as the executable.";
const char* const kWrongSize =
    "That image file is the wrong size, so I'm defaulting to the standard set.";
const char* const kStandardWrongSize =
    "cards.bmp in the application directory is not the real cards.bmp, please reinstall.";

bool RightSize(const BBitmap* image) {
    return image->Bounds().IntegerWidth() == kSetWidth - 1 &&
           image->Bounds().IntegerHeight() == kSetHeight - 1;
}

// A set's larger sheets lie beside it, named with @2x or @3x before the extension. One of them
// chosen stands for its set, the name of the set's own file, when that is there and the chosen
// file is not itself a sheet of the set's own size: otherwise the file chosen is the set.
std::string SetFileFor(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot < 3)
        return path;
    const std::string mark = path.substr(dot - 3, 3);
    if (mark != "@2x" && mark != "@3x")
        return path;
    const std::string set = path.substr(0, dot - 3) + path.substr(dot);
    std::error_code error;
    if (!std::filesystem::is_regular_file(set, error))
        return path;
    int32 width = 0;
    int32 height = 0;
    const bool ownSize = BTranslationUtils::GetImageSize(path.c_str(), &width, &height) &&
                         width == kSetWidth && height == kSetHeight;
    return ownSize ? path : set;
}

}  // namespace

std::string CView::StandardCardSetPath() const {
    return applicationFolder + "/cards.bmp";
}

BBitmap* CView::LoadCardSet(const std::string& path) const {
    // A path too long for the settings line is refused, never cut down to another file's name.
    if (path.size() > kCardSetPathMax && path != StandardCardSetPath())
        return nullptr;
    // On a high-density screen the set's own larger sheet, when it has one of the right size.
    if (deviceScale > 1) {
        const size_t dot = path.rfind('.');
        const size_t slash = path.rfind('/');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
            const std::string larger =
                path.substr(0, dot) + "@" + std::to_string(deviceScale) + "x" + path.substr(dot);
            std::unique_ptr<BBitmap> sheet(BTranslationUtils::GetBitmapFile(larger.c_str()));
            if (sheet && sheet->SetScale(deviceScale) && RightSize(sheet.get()))
                return sheet.release();
        }
    }
    return BTranslationUtils::GetBitmapFile(path.c_str());
}

void CView::SetBitmap(const char* path, int32_t noRedraw) {
    cardSetPath = SetFileFor(path ? path : "");
    cardImage.reset();

    std::unique_ptr<BBitmap> image(LoadCardSet(cardSetPath));
    bool standard = false;
    auto loadStandard = [&] {
        image.reset(LoadCardSet(StandardCardSetPath()));
        // The settings line must hold what is recorded here; in a deep application folder the
        // standard set is recorded by the name the program starts with.
        cardSetPath = StandardCardSetPath();
        if (cardSetPath.size() > kCardSetPathMax)
            cardSetPath = kStandardCardSetName;
        standard = true;
        if (!image) {
            Tell(kCantFindStandard);
            ExitProgram(-1);
        }
    };
    if (!image) {
        Tell(kCantFindChosen);
        loadStandard();
    }
    if (!RightSize(image.get()) && !standard) {
        Tell(kWrongSize);
        loadStandard();
    }
    if (!RightSize(image.get())) {
        Tell(kStandardWrongSize);
        ExitProgram(-1);
    }

    // Keying: the key colour becomes transparent, everything else opaque, whatever the file said.
    uint8* bits = image->Bits();
    const int scale = image->Scale();
    for (int y = 0; y < kSetHeight * scale; ++y) {
        uint8* p = bits + y * image->BytesPerRow();
        for (int x = 0; x < kSetWidth * scale; ++x, p += 4)
            p[3] = IsKeyColour(p) ? 0 : 255;
    }
    // A set with no sheet for this screen's density is enlarged once, here.
    if (scale < deviceScale)
        image = ScaledBitmap(*image, deviceScale, kKeyColour);
    cardImage = std::move(image);
    if (noRedraw == kRedraw)
        UpdateBackground();
}

BRect CView::GetCardBitmap(int32_t suit, int32_t number) const {
    return BRect(kCardWidth * (number - 1), kCardHeight * (suit - 1), kCardWidth * number - 1,
                 kCardHeight * suit - 1);
}

BRect CView::GetCardBitmap(CCard card) const {
    return GetCardBitmap(card.GetSuit(), card.GetNumber());
}

BRect CView::GetCardBack(int32_t back) const {
    return BRect(kBackColumnX, kCardHeight * (back - 1), kSetWidth - 1, kCardHeight * back - 1);
}

void CView::SetBack(int32_t index) {
    // A back read from a damaged settings file must never reach outside the card set.
    options.back = index >= 0 && index <= 3 ? index : 0;
}
