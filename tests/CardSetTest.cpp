#include "Files.h"
#include "TestSupport.h"
#include "platform/QtSide.h"

using namespace testing_support;

namespace {

const char* kCantFind = "I can't find that CardSet, so I'm defaulting to the standard set.";
const char* kWrongSize =
    "That image file is the wrong size, so I'm defaulting to the standard set.";

class CardSet : public TableFixture {
  protected:
    std::string Standard() const { return AppDir() + "/cards.bmp"; }
    void ExpectFallbackWith(const std::string& path, const char* text) {
        testseams::ScriptAlerts();
        view->SetBitmap(path.c_str(), 1);
        ASSERT_EQ(testseams::Alerts().size(), 1u) << path;
        EXPECT_EQ(testseams::Alerts()[0].text, text);
        EXPECT_EQ(testseams::Alerts()[0].title, "Tarnwick");
        EXPECT_EQ(testseams::Alerts()[0].buttons, std::vector<std::string>{"Oh Dear"});
        EXPECT_EQ(std::string(view->GetBit()), Standard());
        ASSERT_NE(view->GetBitmap(), nullptr);
        EXPECT_EQ(view->GetBitmap()->Bounds(), BRect(0, 0, 993, 383));
    }
    Files files;
};

TEST_F(CardSet, ARightSizedChosenSetIsUsedSilently) {
    std::string chosen = files.Picture("mine.png", 994, 384, qRgb(10, 20, 30));
    testseams::ScriptAlerts();
    view->SetBitmap(chosen.c_str(), 1);
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_EQ(std::string(view->GetBit()), chosen);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 500, 200), Rgb(10, 20, 30));
}

TEST_F(CardSet, UnreadableChosenFilesFallBackToTheStandardSet) {
    ExpectFallbackWith(files.Path("missing.bmp"), kCantFind);
    ExpectFallbackWith(files.Bytes("empty.bmp", QByteArray()), kCantFind);
    ExpectFallbackWith(files.Bytes("notes.bmp", "these are not pixels\n"), kCantFind);
    ExpectFallbackWith(files.Truncated("cut.bmp", Standard(), 100), kCantFind);
    ExpectFallbackWith(files.Huge("huge.bmp"), kCantFind);
    ExpectFallbackWith(files.Path("folder-that-is-not-there/cards.bmp"), kCantFind);
    ExpectFallbackWith(std::string(300, 'x'), kCantFind);
}

TEST_F(CardSet, AWrongSizedChosenSetFallsBack) {
    ExpectFallbackWith(files.Picture("small.png", 100, 100, qRgb(1, 1, 1)), kWrongSize);
    ExpectFallbackWith(files.Picture("wide.png", 995, 384, qRgb(1, 1, 1)), kWrongSize);
}

TEST_F(CardSet, KeyingMakesExactlyTheKeyColourTransparent) {
    QImage image(994, 384, QImage::Format_ARGB32);
    image.fill(qRgba(200, 200, 200, 10));  // the file's own alpha is discarded
    image.setPixel(0, 0, qRgb(49, 99, 148));
    image.setPixel(1, 0, qRgb(49, 99, 149));
    image.setPixel(2, 0, qRgb(50, 99, 148));
    std::string chosen = files.Save("keyed.png", image);
    view->SetBitmap(chosen.c_str(), 1);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 0, 0), (Pixel{148, 99, 49, 0}));
    EXPECT_EQ(PixelAt(view->GetBitmap(), 1, 0).a, 255);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 2, 0).a, 255);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 3, 0).a, 255);
}

TEST_F(CardSet, TheStandardSetHasTransparentCornersAndOpaqueFaces) {
    const BBitmap* set = view->GetBitmap();
    for (int suit = 1; suit <= 4; ++suit)
        for (int number = 1; number <= 14; ++number) {
            const int x = 71 * (number - 1), y = 96 * (suit - 1);
            EXPECT_EQ(PixelAt(set, x, y).a, 0) << suit << "/" << number;
            EXPECT_EQ(PixelAt(set, x + 35, y + 48).a, 255) << suit << "/" << number;
        }
}

TEST_F(CardSet, FacesAndBacksAreCutFromTheGrid) {
    EXPECT_EQ(view->GetCardBitmap(4, 13), BRect(852, 288, 922, 383));
    EXPECT_EQ(view->GetCardBitmap(CCard(1, 1)), BRect(0, 0, 70, 95));
    EXPECT_EQ(view->GetCardBack(4), BRect(923, 288, 993, 383));
    view->SetBack(3);
    EXPECT_EQ(view->GetBack(), 4);
    view->SetBack(7);  // a damaged settings file
    EXPECT_EQ(view->GetBack(), 1);
    view->SetBack(-2);
    EXPECT_EQ(view->GetBack(), 1);
}

TEST_F(CardSet, NoRedrawMeansNothingIsDrawnEvenAfterAnAlert) {
    QtSide::Image(*view->OffscreenImage()).fill(0);
    QImage before = Offscreen().copy();
    view->SetBitmap(files.Path("missing.bmp").c_str(), 1);
    EXPECT_EQ(Offscreen(), before);
    view->SetBitmap(files.Path("missing.bmp").c_str(), 0);
    EXPECT_NE(Offscreen(), before);
}

using CardSetDeathTest = CardSet;

TEST_F(CardSetDeathTest, AMissingStandardSetEndsTheProgram) {
    QTemporaryDir emptyFolder;
    EXPECT_EXIT(
        {
            testseams::EchoAlerts(true);
            view->SetApplicationFolder(emptyFolder.path().toStdString());
            view->SetBitmap("/nowhere/cards.bmp", 1);
        },
        ::testing::ExitedWithCode(255),
        "I can't find that CardSet(.|\n)*I can't find the bitmap cards.bmp, make sure it's in the "
        "same directory as the executable.");
}

TEST_F(CardSetDeathTest, AWrongSizedStandardSetEndsTheProgram) {
    Files folder;
    folder.Picture("cards.bmp", 10, 10, qRgb(0, 0, 0), "BMP");
    const std::string dir = folder.Folder();
    EXPECT_EXIT(
        {
            testseams::EchoAlerts(true);
            view->SetApplicationFolder(dir);
            view->SetBitmap((dir + "/cards.bmp").c_str(), 1);
        },
        ::testing::ExitedWithCode(255),
        "That image file is the wrong size(.|\n)*cards.bmp in the application directory is not "
        "the real cards.bmp, please reinstall.");
}

}  // namespace
