// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/QtSide.h"

using namespace testing_support;

namespace {

const Pixel kGreen = Rgb(0, 153, 0);
const Pixel kShaded = Rgb(0, 122, 0);
const Pixel kBlack = Rgb(0, 0, 0);
const Pixel kGrey = Rgb(210, 210, 210);

class Drawing : public TableFixture {
  protected:
    // Every opaque pixel of the card's picture at (x, y), within the columns given.
    void ExpectCard(const QImage& image, BRect source, int x, int y, int fromColumn = 0,
                    int toColumn = 70, int rows = 96) {
        int checked = 0;
        for (int dy = 0; dy < rows; ++dy)
            for (int dx = fromColumn; dx <= toColumn; ++dx) {
                Pixel s = PixelAt(view->GetBitmap(), int(source.left) + dx, int(source.top) + dy);
                if (s.a != 255)
                    continue;
                ASSERT_EQ(PixelAt(image, x + dx, y + dy), s) << "at " << x + dx << "," << y + dy;
                ++checked;
            }
        EXPECT_GT(checked, 0);
    }
    QImage& MutableScreen() { return const_cast<QImage&>(QtSide::FrameBuffer(*view)); }
    int CountColour(const QImage& image, Pixel colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += PixelAt(image, x, y) == colour;
        return n;
    }
};

TEST_F(Drawing, AnEmptyPackShowsTheFrameOverShadedGreen) {
    const Pixel expected[] = {kBlack, kGrey,   kShaded, kShaded, kShaded, kBlack,
                              kGrey,  kShaded, kBlack,  kGrey,   kShaded};
    for (const QImage* image : {&Offscreen(), &Screen()})
        for (int inset = 0; inset <= 10; ++inset) {
            EXPECT_EQ(PixelAt(*image, 265 + inset, 60), expected[inset]) << "inset " << inset;
            EXPECT_EQ(PixelAt(*image, 300, 110 - inset), expected[inset]) << "inset " << inset;
        }
}

TEST_F(Drawing, AnEmptyDeckShowsTheFrameAndAnEmptyStackOnlyBackground) {
    ClearTable();
    view->UpdatePacks(CView::kToScreen);
    view->UpdateStack(3, CView::kToScreen);
    EXPECT_EQ(PixelAt(Screen(), 25, 50), kBlack);
    EXPECT_EQ(PixelAt(Screen(), 60, 50), kShaded);
    for (int y = 126; y <= 500; y += 7)
        for (int x = 313; x <= 383; x += 5)
            ASSERT_EQ(PixelAt(Screen(), x, y), kGreen) << x << "," << y;
}

TEST_F(Drawing, ThePileShowsExactlyTheFannedCountTopCardRightmost) {
    ClearTable();
    for (int n = 1; n <= 5; ++n)
        Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(3, n)); });  // top: the 5
    Edit([&](Table& t) { t.fannedCount = 3; });
    view->UpdatePacks(CView::kToScreen);
    ExpectCard(Screen(), view->GetCardBitmap(3, 5), 135, 15);
    ExpectCard(Screen(), view->GetCardBitmap(3, 4), 120, 15, 0, 14);
    ExpectCard(Screen(), view->GetCardBitmap(3, 3), 105, 15, 0, 14);
    EXPECT_EQ(PixelAt(Screen(), 210, 60), kGreen);

    Edit([&](Table& t) { t.fannedCount = 0; });
    view->UpdatePacks(CView::kToScreen);
    EXPECT_EQ(PixelAt(Screen(), 140, 60), kGreen);
}

TEST_F(Drawing, AStackCardFollowsItsOwnFaceDownFlag) {
    ClearTable();
    PutOnStack(2, CCard(1, 9), 1);
    PutOnStack(2, CCard(2, 8), 2);  // anything but 1 is face up
    view->UpdateStack(2, CView::kToScreen);
    ExpectCard(Screen(), view->GetCardBack(1), 217, 126, 0, 70, 15);
    ExpectCard(Screen(), view->GetCardBitmap(2, 8), 217, 141);
}

TEST_F(Drawing, UpdateAllChangesBacksButNotPacksAndOnlyOffscreen) {
    FillPack(0, 1, 1);
    view->UpdateBackground();
    QImage screenBefore = Screen().copy();
    QImage packBefore = Offscreen().copy(265, 15, 71, 96);
    view->SetBack(2);
    view->UpdateAll(CView::kOffscreenOnly);
    ExpectCard(Offscreen(), view->GetCardBack(3), 25, 15);
    ExpectCard(Offscreen(), view->GetCardBack(3), 601, 126, 0, 70, 15);
    EXPECT_EQ(Offscreen().copy(265, 15, 71, 96), packBefore);
    EXPECT_EQ(Screen(), screenBefore);
}

TEST_F(Drawing, AFullRedrawSaysDoingOncePerNonEmptyPack) {
    FillPack(0, 1, 3);
    FillPack(2, 4, 1);
    ::testing::internal::CaptureStdout();
    view->UpdateBackground();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "doing\ndoing\n");
    ExpectCard(Screen(), view->GetCardBitmap(1, 3), 265, 15);
    ExpectCard(Screen(), view->GetCardBitmap(4, 1), 425, 15);
}

TEST_F(Drawing, RedrawBitsCopiesOnlyTheUncoveredStrips) {
    struct Case {
        int newX, newY, oldX, oldY, pixels;
    };
    const Case cases[] = {
        {101, 200, 100, 200, 2 * 156},  // right by one: a strip two wide, 156 high
        {99, 200, 100, 200, 2 * 156},   // left by one
        {100, 210, 100, 200, 71 * 10},  // down by ten
        {100, 190, 100, 200, 71 * 11},  // up by ten
        {110, 210, 100, 200, 11 * 156 + 71 * 10 - 11 * 10},  // right and down
        {100, 200, 100, 200, 0},                             // not moved
    };
    QtSide::Image(*view->OffscreenImage()).fill(qRgb(255, 255, 255));
    Edit([](Table& t) { t.handCount = 5; });
    for (const Case& c : cases) {
        MutableScreen().fill(qRgb(0, 0, 0));
        view->RedrawBits(c.newX, c.newY, c.oldX, c.oldY);
        EXPECT_EQ(CountColour(Screen(), Rgb(255, 255, 255)), c.pixels)
            << c.newX << "," << c.newY << " from " << c.oldX << "," << c.oldY;
    }
}

TEST_F(Drawing, DrawCopiesTheWholeTableWhateverTheRectangle) {
    MutableScreen().fill(qRgb(0, 0, 0));
    view->Draw(BRect(0, 0, 10, 10));
    EXPECT_EQ(Screen(), Offscreen());
}

TEST_F(Drawing, TheWindowShowsWhatTheViewDrewAfterADragAndAFlight) {
    QCoreApplication::processEvents();  // the window is exposed and painted once
    const int stack = 6;
    const BPoint top(table::StackX(stack) + 30,
                     table::StackCardY(view->Model().stackCount[stack] - 1) + 40);
    Drag({top, BPoint(top.x - 200, top.y + 90), BPoint(top.x - 330, top.y + 10)});
    EXPECT_EQ(WindowDiffersFromScreen(), 0);
    MutableScreen().setPixel(3, 3, 0xff123456u);
    QtSide::Widget(*view)->repaint(0, 0, 8, 8);
    EXPECT_EQ(WindowDiffersFromScreen(), 0);
}

TEST(DrawingOffScreen, AViewInNoWindowDrawsOnlyItsOffscreenImage) {
    QuietPlatform();
    CView view(BRect(0, 20, 700, 520), "MainView");
    view.SetBitmap((AppDir() + "/cards.bmp").c_str(), CView::kNoRedraw);
    view.SetBackground("<NONE>");
    EXPECT_TRUE(QtSide::FrameBuffer(view).isNull());
    EXPECT_EQ(PixelAt(view.OffscreenImage(), 650, 450), kGreen);
    EXPECT_EQ(PixelAt(view.OffscreenImage(), 300, 20), kBlack);
}

}  // namespace
