// SPDX-License-Identifier: GPL-3.0-or-later
// What the table shows: its places drawn as they lie, and its background.
#include "Files.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

const Pixel kGreen = Rgb(0, 153, 0);
const Pixel kShaded = Rgb(0, 122, 0);
const Pixel kBlack = Rgb(0, 0, 0);

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
};

// Empty places, the pile's fanned cards and a stack's face-down cards drawn as they lie; a full
// redraw says "doing" once for each pack with cards.
TEST_F(Drawing, EachPlaceIsDrawnAsItLies) {
    EXPECT_EQ(PixelAt(Screen(), 265, 60), kBlack);  // an empty pack: its frame over the shade
    EXPECT_EQ(PixelAt(Screen(), 268, 60), kShaded);
    ClearTable();
    Pile({CCard(3, 1), CCard(3, 2), CCard(3, 3), CCard(3, 4), CCard(3, 5)}, 3);
    PutOnStack(2, CCard(1, 9), 1);
    PutOnStack(2, CCard(2, 8), 2);  // anything but 1 is face up
    FillPack(0, 1, 3);
    ::testing::internal::CaptureStdout();
    view->UpdateBackground();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "doing\n");
    ExpectCard(Screen(), view->GetCardBitmap(3, 5), 135, 15);
    ExpectCard(Screen(), view->GetCardBitmap(3, 3), 105, 15, 0, 14);
    EXPECT_EQ(PixelAt(Screen(), 210, 60), kGreen);
    ExpectCard(Screen(), view->GetCardBack(1), 217, 126, 0, 70, 15);
    ExpectCard(Screen(), view->GetCardBitmap(2, 8), 217, 141);
    ExpectCard(Screen(), view->GetCardBitmap(1, 3), 265, 15);
    EXPECT_EQ(PixelAt(Screen(), 25, 50), kBlack);  // the empty deck's frame
    EXPECT_EQ(PixelAt(Screen(), 60, 50), kShaded);
    for (int y = 126; y <= 500; y += 7)  // an empty stack: only the table
        EXPECT_EQ(PixelAt(Screen(), 350, y), kGreen) << y;
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

class Background : public TableFixture {
  protected:
    // A picture of one colour with a marker in its top-left pixel: each tile leaves one marker.
    std::string Marked(const char* name, int w, int h) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(qRgb(20, 40, 60));
        image.setPixel(0, 0, qRgb(250, 0, 0));
        return files.Save(name, image);
    }
    std::vector<std::pair<int, int>> Markers() const {
        std::vector<std::pair<int, int>> at;
        const BBitmap* bg = view->BackgroundImage();
        for (int y = 0; y <= bg->Bounds().IntegerHeight(); ++y)
            for (int x = 0; x <= bg->Bounds().IntegerWidth(); ++x)
                if (PixelAt(bg, x, y) == Rgb(250, 0, 0))
                    at.push_back({x, y});
        return at;
    }
    Files files;
};

// The plain table is green and its shade darker; a picture smaller than the table is tiled,
// overlapping by one pixel, opaque whatever its own alpha; a larger one is used as it comes; one
// a pixel thin tiles without dividing by zero.
TEST_F(Background, PicturesAreTiledOpaqueOrUsedAsTheyCome) {
    EXPECT_EQ(PixelAt(view->BackgroundImage(), 650, 540), Rgb(0, 153, 0));
    EXPECT_EQ(PixelAt(view->ShadedImage(), 650, 540), Rgb(0, 122, 0));
    view->SetBackground(Marked("100.png", 100, 100).c_str());
    auto markers = Markers();
    ASSERT_EQ(markers.size(), 48u);  // 8 across, 6 down, 99 apart
    EXPECT_EQ(markers.back(), std::make_pair(693, 495));
    EXPECT_EQ(view->BackgroundImage()->Bounds(), BRect(0, 0, 700, 550));
    view->SetBackground(Marked("700x550.png", 700, 550).c_str());
    EXPECT_EQ(Markers(),
              (std::vector<std::pair<int, int>>{{0, 0}, {699, 0}, {0, 549}, {699, 549}}));
    view->SetBackground(Marked("1024x768.png", 1024, 768).c_str());
    EXPECT_EQ(view->BackgroundImage()->Bounds(), BRect(0, 0, 1023, 767));
    EXPECT_EQ(Markers().size(), 1u);
    EXPECT_EQ(PixelAt(Offscreen(), 690, 490), Rgb(20, 40, 60));
    for (auto [w, h] : {std::pair{1, 1}, {1, 40}, {40, 1}}) {
        view->SetBackground(files.Picture("thin.png", w, h, qRgba(7, 8, 9, 0)).c_str());
        EXPECT_EQ(PixelAt(view->BackgroundImage(), 700, 550), Rgb(7, 8, 9));
    }
}

TEST_F(Background, UnreadablePicturesRevertToPlainWithAnAlert) {
    const std::string bad[] = {
        files.Path("gone.jpg"),
        files.Bytes("empty.png", QByteArray()),
        files.Bytes("text.png", "no picture here"),
        files.Truncated("cut.bmp", AppDir() + "/cards.bmp", 60),
        files.Huge("huge.bmp"),
        std::string(400, 'y'),
    };
    for (const std::string& path : bad) {
        testseams::ScriptAlerts();
        view->SetBackground(path.c_str());
        ASSERT_EQ(testseams::Alerts().size(), 1u) << path;
        EXPECT_EQ(testseams::Alerts()[0].text,
                  "Image file not recognised, reverting to plain background");
        EXPECT_EQ(testseams::Alerts()[0].buttons, std::vector<std::string>{"OK"});
        EXPECT_STREQ(view->GetBackground(), "<NONE>");
        EXPECT_EQ(PixelAt(view->BackgroundImage(), 3, 3), Rgb(0, 153, 0));
    }
}

}  // namespace
