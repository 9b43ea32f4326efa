// SPDX-License-Identifier: GPL-3.0-or-later
// The table on a high-density screen: images at two device pixels a unit (or three), the same
// geometry. Run as part of the suite at one pixel a unit, where the window is told its screen
// changed to two, and again under QT_SCALE_FACTOR 2 and 1.5, where the screen says so itself.

#include "Files.h"
#include "TestSupport.h"
#include "platform/System.h"

using namespace testing_support;
using namespace table;

namespace {

class Scale : public TableFixture {
  protected:
    void SetUp() override {
        TableFixture::SetUp();
        if (window->DeviceScale() == 1)
            window->SetDeviceScale(2);
        k = view->DeviceScale();
    }
    // A device pixel of an image, by unit and the device pixel within it.
    static Pixel At(const QImage& image, int x, int y) { return PixelAt(image, x, y); }
    bool IsKey(Pixel p) const { return p == (Pixel{148, 99, 49, 255}); }
    // Every device pixel of a card at (x, y) in units is the sheet's cell, or the table where
    // the sheet is key-coloured.
    void ExpectCardFromSheet(const QImage& shown, const QImage& sheet, CCard card, int x, int y) {
        const QImage table = QtSide::Image(*view->BackgroundImage());
        int wrong = 0;
        for (int dy = 0; dy < kCardHeight * k; ++dy)
            for (int dx = 0; dx < kCardWidth * k; ++dx) {
                const Pixel cell = At(sheet, (card.GetNumber() - 1) * kCardWidth * k + dx,
                                      (card.GetSuit() - 1) * kCardHeight * k + dy);
                const Pixel want = IsKey(cell) ? At(table, x * k + dx, y * k + dy) : cell;
                wrong += At(shown, x * k + dx, y * k + dy) == want ? 0 : 1;
            }
        EXPECT_EQ(wrong, 0) << "at scale " << k;
    }
    QImage Sheet(const std::string& name) const {
        return QImage(QString::fromStdString(AppDir() + "/" + name + "@" + std::to_string(k) +
                                             "x.bmp"))
            .convertToFormat(QImage::Format_ARGB32);
    }

    int k = 1;
};

// Cards are the larger sheet's cells with the table in their corners, and drags and flights
// leave the screen as the off-screen table. (The planned soak, run at these densities too,
// compares the two after every press.)
TEST_F(Scale, CardsAreTheLargerSheetsAndDragsAndFlightsLeaveNoTrace) {
    ClearTable();
    PutOnStack(1, CCard(4, 9));
    PutOnStack(1, CCard(1, 8));
    PutOnStack(1, CCard(3, 7));
    PutOnStack(4, CCard(2, 10));
    PutOnStack(5, CCard(1, 1));
    view->UpdateBackground();
    ASSERT_GE(k, 2);
    EXPECT_EQ(Screen().size(), QSize(kWidth * k, kHeight * k));
    ExpectCardFromSheet(Screen(), Sheet("cards"), CCard(2, 10), StackX(4), kStackY);
    // A run dragged about at odd points, then dropped where it fits; a flight home.
    Drag({AtStack(1), BPoint(211, 180), BPoint(257, 141), BPoint(AtStack(4).x, 200)});
    ASSERT_EQ(view->Model().stackCount[4], 4);
    RightClick(AtStack(5));
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_TRUE(Screen() == Offscreen());
}

// To a screen of one pixel a unit and back, and on the toolkit's word that the window is on
// another screen (taken up through the window's queue, at that screen's density): every image
// follows, and the table is whole.
TEST_F(Scale, AScreenChangeRedrawsEverythingAtItsDensity) {
    const std::string layout = Layout();
    window->SetDeviceScale(1);
    EXPECT_EQ(Screen().size(), QSize(kWidth, kHeight));
    EXPECT_EQ(view->GetBitmap()->Scale(), 1);
    EXPECT_TRUE(Screen() == Offscreen());
    window->SetDeviceScale(k);
    EXPECT_EQ(view->GetBitmap()->Scale(), k);
    EXPECT_TRUE(Screen() == Offscreen());
    EXPECT_EQ(Layout(), layout);
    QEvent moved(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(QtSide::Widget(*window), &moved);
    BLooper::DispatchAllPending();
    EXPECT_EQ(window->DeviceScale(), DeviceScaleFor(QtSide::Widget(*window)->devicePixelRatioF()));
    EXPECT_EQ(view->DeviceScale(), window->DeviceScale());
    EXPECT_TRUE(Screen() == Offscreen());
}

// A background picture gone by the time the screen changes: the table turns plain, with the
// alert, and the settings written at quit say so too.
TEST_F(Scale, ABackgroundGoneAtAScreenChangeIsRecordedAsTheTableShowsIt) {
    Files files;
    const std::string picture = files.Picture("table.png", 40, 30, qRgb(10, 90, 20));
    view->SetBackground(picture.c_str());
    window->backgroundPath = view->GetBackground();
    ASSERT_EQ(window->backgroundPath, picture);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(picture)));
    testseams::ScriptAlerts();
    window->SetDeviceScale(k == 2 ? 3 : 2);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_STREQ(view->GetBackground(), "<NONE>");
    Send(B_QUIT_REQUESTED);
    EXPECT_EQ(Saved().backgroundPath, "<NONE>");
}

}  // namespace
