// Helpers shared by the suites: a quiet, headless platform, a table view in a window, tables set
// up by hand, and pixel reads.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/Globals.h"
#include "game/CView.h"
#include "platform/Bitmap.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"

namespace testing_support {

inline std::string AppDir() {
    return TARNWICK_APP_DIR;
}

// The seams every suite wants: alerts answered and recorded, no frame waits, a fixed clock.
inline void QuietPlatform(time_t clock = 1700000000) {
    testseams::Reset();
    testseams::ScriptAlerts();
    testseams::SetNoFrameWait(true);
    testseams::FixClock(clock);
    exepath = AppDir();
}

// Blue, green, red, alpha of one pixel.
struct Pixel {
    int b, g, r, a;
    bool operator==(const Pixel&) const = default;
};
inline Pixel PixelAt(const QImage& image, int x, int y) {
    const uint8* p = image.constScanLine(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}
inline Pixel PixelAt(const BBitmap* bitmap, int x, int y) {
    return PixelAt(bitmap->Image(), x, y);
}
inline Pixel Rgb(int r, int g, int b) {
    return {b, g, r, 255};
}

inline std::ostream& operator<<(std::ostream& os, const Pixel& p) {
    return os << "(r " << p.r << ", g " << p.g << ", b " << p.b << ", a " << p.a << ")";
}

// A table view with the standard card set and the plain background, shown in a window.
class TableFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        QuietPlatform();
        window = new BWindow(BRect(50, 50, 750, 570), "Tarnwick", B_TITLED_WINDOW,
                             B_NOT_RESIZABLE | B_NOT_ZOOMABLE);
        view = new CView(BRect(0, 20, 700, 520), "MainView");
        view->SetBitmap((AppDir() + "/cards.bmp").c_str(), 1);
        view->SetBackground("<NONE>");
        window->AddChild(view);
        window->Show();
    }
    void TearDown() override {
        delete window;
        testseams::Reset();
    }

    // Empties every place, so a test can lay out just the cards it needs.
    void ClearTable() {
        *view->deck = PackOfCards(1);
        *view->pile = PackOfCards(1);
        for (int s = 0; s < 7; ++s) {
            view->stackCount[s] = 0;
            for (int r = 0; r < 21; ++r)
                view->faceDown[s][r] = 0;
        }
        for (int p = 0; p < 4; ++p)
            view->packCount[p] = 0;
        view->fannedCount = 0;
        view->handCount = 0;
    }
    void PutOnStack(int s, CCard card, int down = 0) {
        view->stacks[s][view->stackCount[s]] = card;
        view->faceDown[s][view->stackCount[s]] = down;
        ++view->stackCount[s];
    }
    void FillPack(int p, int suit, int upTo) {
        for (int n = 1; n <= upTo; ++n)
            view->packs[p][n - 1] = CCard(suit, n);
        view->packCount[p] = upTo;
    }
    const QImage& Screen() const { return view->FrameBuffer(); }
    const QImage& Offscreen() const { return view->OffscreenImage()->Image(); }

    BWindow* window = nullptr;
    CView* view = nullptr;
};

}  // namespace testing_support
