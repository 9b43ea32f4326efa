// SPDX-License-Identifier: GPL-3.0-or-later
#include "Files.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

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

TEST_F(Background, PlainTableIsGreenAndItsShadeDarker) {
    testseams::ScriptAlerts();
    view->SetBackground("<NONE>");
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_STREQ(view->GetBackground(), "<NONE>");
    EXPECT_EQ(view->BackgroundImage()->Bounds(), BRect(0, 0, 700, 550));
    EXPECT_EQ(PixelAt(view->BackgroundImage(), 650, 540), Rgb(0, 153, 0));
    EXPECT_EQ(PixelAt(view->ShadedImage(), 650, 540), Rgb(0, 122, 0));
}

TEST_F(Background, SmallPicturesAreTiledOverlappingByOnePixel) {
    view->SetBackground(Marked("100.png", 100, 100).c_str());
    auto markers = Markers();
    ASSERT_EQ(markers.size(), 48u);  // 8 across, 6 down, 99 apart
    EXPECT_EQ(markers.front(), std::make_pair(0, 0));
    EXPECT_EQ(markers.back(), std::make_pair(693, 495));
    EXPECT_EQ(view->BackgroundImage()->Bounds(), BRect(0, 0, 700, 550));

    view->SetBackground(Marked("700x550.png", 700, 550).c_str());
    EXPECT_EQ(Markers(),
              (std::vector<std::pair<int, int>>{{0, 0}, {699, 0}, {0, 549}, {699, 549}}));

    view->SetBackground(Marked("2000x300.png", 2000, 300).c_str());
    EXPECT_EQ(Markers(), (std::vector<std::pair<int, int>>{{0, 0}, {0, 299}}));
}

TEST_F(Background, LargePicturesAreUsedAsTheyCome) {
    view->SetBackground(Marked("701x551.png", 701, 551).c_str());
    EXPECT_EQ(Markers().size(), 1u);
    view->SetBackground(Marked("1024x768.png", 1024, 768).c_str());
    EXPECT_EQ(view->BackgroundImage()->Bounds(), BRect(0, 0, 1023, 767));
    EXPECT_EQ(PixelAt(Offscreen(), 0, 0), Rgb(250, 0, 0));
    EXPECT_EQ(PixelAt(Offscreen(), 690, 490), Rgb(20, 40, 60));
}

TEST_F(Background, OnePixelThinPicturesTileWithoutDividingByZero) {
    view->SetBackground(files.Picture("dot.png", 1, 1, qRgb(7, 8, 9)).c_str());
    EXPECT_EQ(PixelAt(view->BackgroundImage(), 700, 550), Rgb(7, 8, 9));
    view->SetBackground(files.Picture("line.png", 1, 40, qRgb(7, 8, 9)).c_str());
    EXPECT_EQ(PixelAt(view->BackgroundImage(), 700, 550), Rgb(7, 8, 9));
    view->SetBackground(files.Picture("row.png", 40, 1, qRgb(7, 8, 9)).c_str());
    EXPECT_EQ(PixelAt(view->BackgroundImage(), 700, 550), Rgb(7, 8, 9));
}

TEST_F(Background, ShadingTruncatesEachColourAndKeepsAlpha) {
    BBitmap source(BRect(0, 0, 3, 0), B_RGB32);
    const uint8 values[4][4] = {{255, 153, 100, 255}, {1, 0, 2, 77}, {5, 10, 15, 0}, {0, 0, 0, 9}};
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 4; ++c)
            source.Bits()[4 * i + c] = values[i][c];
    view->ShadeBitmap(&source, 0.8f);
    EXPECT_EQ(PixelAt(view->ShadedImage(), 0, 0), (Pixel{204, 122, 80, 255}));
    EXPECT_EQ(PixelAt(view->ShadedImage(), 1, 0), (Pixel{0, 0, 1, 77}));
    EXPECT_EQ(PixelAt(view->ShadedImage(), 2, 0), (Pixel{4, 8, 12, 0}));
}

TEST_F(Background, UnreadablePicturesRevertToPlainWithAnAlert) {
    Files more;
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
