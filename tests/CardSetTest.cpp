// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <set>

#include "Files.h"
#include "TestSupport.h"

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
        view->SetBitmap(path.c_str(), CView::kNoRedraw);
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

// A chosen set of the right size is used silently, a larger sheet stands for its set; anything
// else falls back to the standard set with the alert that says why.
TEST_F(CardSet, ChosenSetsAreUsedOrFallBackWithTheirAlert) {
    const std::string chosen = files.Picture("mine.png", 994, 384, qRgb(10, 20, 30));
    testseams::ScriptAlerts();
    view->SetBitmap(chosen.c_str(), CView::kNoRedraw);
    view->SetBitmap((AppDir() + "/cards-four-colour@3x.bmp").c_str(), CView::kNoRedraw);
    EXPECT_EQ(std::string(view->GetBit()), AppDir() + "/cards-four-colour.bmp");
    view->SetBitmap(chosen.c_str(), CView::kNoRedraw);
    EXPECT_EQ(std::string(view->GetBit()), chosen);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 500 * view->DeviceScale(), 200 * view->DeviceScale()),
              Rgb(10, 20, 30));
    EXPECT_TRUE(testseams::Alerts().empty());

    for (const std::string& path :
         {files.Path("missing.bmp"), files.Bytes("empty.bmp", QByteArray()),
          files.Bytes("notes.bmp", "these are not pixels\n"),
          files.Truncated("cut.bmp", Standard(), 100), files.Huge("huge.bmp"),
          files.Path("folder-that-is-not-there/cards.bmp"), std::string(300, 'x')})
        ExpectFallbackWith(path, kCantFind);
    // Without its set's own file beside it, a larger sheet is only a picture of the wrong size.
    for (const std::string& path : {files.Picture("small.png", 100, 100, qRgb(1, 1, 1)),
                                    files.Picture("wide.png", 995, 384, qRgb(1, 1, 1)),
                                    files.Picture("alone@2x.png", 1988, 768, qRgb(1, 1, 1))})
        ExpectFallbackWith(path, kWrongSize);
}

// Without a standard set the program cannot go on: it says why and ends.
using CardSetDeathTest = CardSet;
TEST_F(CardSetDeathTest, AMissingOrWrongSizedStandardSetEndsTheProgram) {
    Files empty, wrong;
    wrong.Picture("cards.bmp", 10, 10, qRgb(0, 0, 0), "BMP");
    for (const auto& [folder, said] :
         {std::pair{empty.Folder(),
                    "I can't find that CardSet(.|\n)*I can't find the bitmap "
                    "cards.bmp, make sure it's in the same directory as the "
                    "executable."},
          {wrong.Folder(),
           "That image file is the wrong size(.|\n)*cards.bmp in the application "
           "directory is not the real cards.bmp, please reinstall."}})
        EXPECT_EXIT(
            {
                testseams::EchoAlerts(true);
                view->SetApplicationFolder(folder);
                view->SetBitmap((folder + "/cards.bmp").c_str(), CView::kNoRedraw);
            },
            ::testing::ExitedWithCode(255), said);
}

}  // namespace

TEST_F(CardSet, TheShippedSetsLoadSilentlyEachCardAPictureOfItsOwn) {
    EXPECT_EQ(view->GetCardBitmap(4, 13), BRect(852, 288, 922, 383));
    EXPECT_EQ(view->GetCardBack(4), BRect(923, 288, 993, 383));
    for (const char* name : {"cards", "cards-four-colour", "cards-large-index"}) {
        const std::string path = AppDir() + "/" + name + ".bmp";
        testseams::ScriptAlerts();
        view->SetBitmap(path.c_str(), CView::kNoRedraw);
        EXPECT_TRUE(testseams::Alerts().empty()) << name;
        EXPECT_EQ(std::string(view->GetBit()), path);
        const BBitmap* set = view->GetBitmap();
        std::set<QByteArray> cells;
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 14; ++column) {
                const int x = 71 * column, y = 96 * row;
                for (auto [cx, cy] : {std::pair{x, y}, {x + 70, y}, {x, y + 95}, {x + 70, y + 95}})
                    EXPECT_EQ(PixelAt(set, cx, cy).a, 0) << name << " " << row << "/" << column;
                EXPECT_EQ(PixelAt(set, x + 35, y + 48).a, 255);
                const QImage cell = QtSide::Image(*set).copy(x, y, 71, 96);
                cells.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()),
                                        int(cell.sizeInBytes())));
            }
        EXPECT_EQ(cells.size(), 56u) << name << ": every card and back its own picture";
    }
}
