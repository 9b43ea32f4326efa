// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cmath>
#include <set>

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

TEST_F(CardSet, ARightSizedChosenSetIsUsedSilently) {
    std::string chosen = files.Picture("mine.png", 994, 384, qRgb(10, 20, 30));
    testseams::ScriptAlerts();
    view->SetBitmap(chosen.c_str(), CView::kNoRedraw);
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
    view->SetBitmap(chosen.c_str(), CView::kNoRedraw);
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
    view->SetBitmap(files.Path("missing.bmp").c_str(), CView::kNoRedraw);
    EXPECT_EQ(Offscreen(), before);
    view->SetBitmap(files.Path("missing.bmp").c_str(), CView::kRedraw);
    EXPECT_NE(Offscreen(), before);
}

using CardSetDeathTest = CardSet;

TEST_F(CardSetDeathTest, AMissingStandardSetEndsTheProgram) {
    QTemporaryDir emptyFolder;
    EXPECT_EXIT(
        {
            testseams::EchoAlerts(true);
            view->SetApplicationFolder(emptyFolder.path().toStdString());
            view->SetBitmap("/nowhere/cards.bmp", CView::kNoRedraw);
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
            view->SetBitmap((dir + "/cards.bmp").c_str(), CView::kNoRedraw);
        },
        ::testing::ExitedWithCode(255),
        "That image file is the wrong size(.|\n)*cards.bmp in the application directory is not "
        "the real cards.bmp, please reinstall.");
}

}  // namespace

namespace {

// Colour arithmetic for the colour-vision checks: linear light, relative luminance, CIELAB, and
// the simulation of complete protanopia and deuteranopia (Machado, Oliveira and Fernandes 2009).
double Linear(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double Luminance(QColor c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
using Matrix = std::array<std::array<double, 3>, 3>;
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
std::array<double, 3> Lab(QColor c, const Matrix* seen) {
    std::array<double, 3> rgb = {Linear(c.red()), Linear(c.green()), Linear(c.blue())};
    if (seen) {
        std::array<double, 3> out{};
        for (int i = 0; i < 3; ++i)
            out[i] = std::clamp(
                (*seen)[i][0] * rgb[0] + (*seen)[i][1] * rgb[1] + (*seen)[i][2] * rgb[2], 0.0, 1.0);
        rgb = out;
    }
    const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
    const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}
double Distance(QColor a, QColor b, const Matrix* seen) {
    const auto la = Lab(a, seen), lb = Lab(b, seen);
    return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

const char* const kShippedSets[] = {"cards", "cards-four-colour", "cards-large-index"};

QImage Sheet(const std::string& name) {
    return QImage(QString::fromStdString(AppDir() + "/" + name + ".bmp"));
}
// A suit's ink: the darkest pixel of the ace's top-left index.
QColor Ink(const QImage& sheet, int suit) {
    QColor darkest = Qt::white;
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 16; ++x) {
            const QColor c = sheet.pixelColor(x, 96 * (suit - 1) + y);
            if (Luminance(c) < Luminance(darkest))
                darkest = c;
        }
    return darkest;
}

}  // namespace

TEST_F(CardSet, TheShippedSetsLoadSilentlyWithTheLayoutAtEveryScale) {
    for (const char* name : kShippedSets) {
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

        // The larger sheets: the same layout, drawn again rather than enlarged.
        const QImage one = Sheet(name);
        for (int scale : {2, 3}) {
            const QImage big = Sheet(std::string(name) + "@" + std::to_string(scale) + "x");
            ASSERT_EQ(big.size(), QSize(994 * scale, 384 * scale)) << name << " @" << scale;
            for (int row = 0; row < 4; ++row)
                for (int column = 0; column < 14; ++column)
                    EXPECT_EQ(big.pixel(71 * scale * column, 96 * scale * row), qRgb(49, 99, 148));
            EXPECT_NE(big, one.scaled(big.size()));
            EXPECT_NE(big, one.scaled(big.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
    }
}

TEST_F(CardSet, ALargerSheetChosenStandsForItsSet) {
    testseams::ScriptAlerts();
    view->SetBitmap((AppDir() + "/cards-four-colour@3x.bmp").c_str(), CView::kNoRedraw);
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_EQ(std::string(view->GetBit()), AppDir() + "/cards-four-colour.bmp");
    // Without its set's own file beside it, a larger sheet is only a picture of the wrong size.
    const std::string alone = files.Picture("mine@2x.png", 1988, 768, qRgb(1, 1, 1));
    ExpectFallbackWith(alone, kWrongSize);
    // A file of the set's own size is a set of its own, whatever its name says.
    files.Picture("theirs.png", 994, 384, qRgb(1, 1, 1));
    const std::string own = files.Picture("theirs@2x.png", 994, 384, qRgb(60, 70, 80));
    testseams::ScriptAlerts();
    view->SetBitmap(own.c_str(), CView::kNoRedraw);
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_EQ(std::string(view->GetBit()), own);
    EXPECT_EQ(PixelAt(view->GetBitmap(), 500 * view->DeviceScale(), 200 * view->DeviceScale()),
              Rgb(60, 70, 80));
}

TEST_F(CardSet, TheFourColoursStayApartForEveryEyeAndTheLargeIndicesStandOut) {
    const QColor paper = Qt::white;
    for (const char* name : {"cards-four-colour", "cards-large-index"}) {
        const QImage sheet = Sheet(name);
        double nearest = 1e9;
        for (int a = 1; a <= 4; ++a)
            for (int b = a + 1; b <= 4; ++b)
                for (const Matrix* seen : {(const Matrix*)nullptr, &kProtanopia, &kDeuteranopia})
                    nearest = std::min(nearest, Distance(Ink(sheet, a), Ink(sheet, b), seen));
        EXPECT_GE(nearest, 25.0) << name;
        RecordProperty(std::string(name) + "-smallest-difference", int(nearest));
        for (int suit = 1; suit <= 4; ++suit)
            EXPECT_GE(Contrast(Ink(sheet, suit), paper), 7.0) << name << " suit " << suit;
    }
    // Large indices: a covered card shows its top 15 rows on a stack and its left 15 columns on
    // the pile. The rank, 12 rows tall or more (the standard one is 10), stays inside both; a pip
    // beside it shows on a stack and one below it on the pile.
    struct Extent {
        int rows = 0, columns = 0;
    };
    auto ink = [](const QImage& sheet, int suit, int number, QRect area) {
        std::set<int> rows, columns;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (Luminance(sheet.pixelColor(71 * (number - 1) + x, 96 * (suit - 1) + y)) < 0.3)
                    rows.insert(y), columns.insert(x);
        return Extent{int(rows.size()), columns.empty() ? 0 : *columns.rbegin() - *columns.begin()};
    };
    const QImage large = Sheet("cards-large-index");
    for (int suit = 1; suit <= 4; ++suit)
        for (int number = 1; number <= 13; ++number) {
            const std::string card = std::to_string(suit) + "/" + std::to_string(number);
            EXPECT_GE(ink(large, suit, number, QRect(1, 1, 14, 14)).rows, 12) << card;
            EXPECT_GE(ink(large, suit, number, QRect(1, 1, 49, 14)).columns, 17) << card;
            EXPECT_GE(ink(large, suit, number, QRect(1, 15, 14, 20)).rows, 6) << card;
            // Where the next card on the pile begins, nothing of the index is cut.
            EXPECT_EQ(ink(large, suit, number, QRect(15, 1, 1, 40)).rows, 0) << card;
        }
}
