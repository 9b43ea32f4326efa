// SPDX-License-Identifier: GPL-3.0-or-later
// The table on a high-density screen: images at two device pixels a unit (or three), the same
// geometry. Run as part of the suite at one pixel a unit, where the window is told its screen
// changed to two, and again under QT_SCALE_FACTOR 2 and 1.5, where the screen says so itself.
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QWidget>

#include "Files.h"
#include "TestSupport.h"
#include "app/Settings.h"
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

TEST_F(Scale, CardsAreTheLargerSheetsCellsWithTheTableInTheirCorners) {
    ClearTable();
    PutOnStack(0, CCard(1, 12));
    PutOnStack(3, CCard(3, 7));
    view->UpdateBackground();
    ASSERT_GE(k, 2);
    EXPECT_EQ(Screen().size(), QSize(kWidth * k, kHeight * k));
    const QImage sheet = Sheet("cards");
    ExpectCardFromSheet(Screen(), sheet, CCard(1, 12), StackX(0), kStackY);
    ExpectCardFromSheet(Offscreen(), sheet, CCard(3, 7), StackX(3), kStackY);
    EXPECT_TRUE(Screen() == Offscreen());
}

TEST_F(Scale, DragsAndFlightsLeaveTheScreenAsTheOffscreenTable) {
    QCoreApplication::processEvents();  // the window is exposed and painted once
    ClearTable();
    PutOnStack(1, CCard(4, 9));
    PutOnStack(1, CCard(1, 8));
    PutOnStack(1, CCard(3, 7));
    PutOnStack(4, CCard(2, 10));
    PutOnStack(5, CCard(1, 1));
    view->UpdateBackground();
    // A run dragged about at odd points, steep and shallow, then dropped where it fits.
    std::vector<BPoint> path = {BPoint(StackX(1) + 9, StackCardY(0) + 5)};
    for (int i = 1; i <= 12; ++i)
        path.push_back(BPoint(StackX(1) + 9 + 23 * i, StackCardY(0) + 5 + (i % 3) * 17 - 9));
    path.push_back(BPoint(StackX(4) + 20, StackCardY(0) + 30));
    Drag(path);
    ASSERT_EQ(view->Model().stackCount[4], 4);
    EXPECT_TRUE(Screen() == Offscreen());
    // A flight: the ace to its pack by the secondary button, checked at every step outside the
    // card in flight.
    int stale = 0;
    testseams::ObserveSync([&](BView*) {
        if (view->Model().handCount == 0)
            return;
        const BRect hand(view->HandX(), view->HandY(), view->HandX() + kCardWidth - 1,
                         view->HandY() + kCardHeight - 1);
        for (int y = 0; y < kHeight * k; y += 1)
            for (int x = 0; x < kWidth * k; x += 1)
                if (!hand.Contains(BPoint(x / k, y / k)) &&
                    At(Screen(), x, y) != At(Offscreen(), x, y))
                    ++stale;
    });
    RightClick(StackX(5) + 30, kStackY + 40);
    testseams::ObserveSync(nullptr);
    EXPECT_EQ(view->Model().packCount[0], 1);
    EXPECT_EQ(stale, 0);
    EXPECT_TRUE(Screen() == Offscreen());
    // On a screen of a whole ratio the window shows the buffer pixel for pixel.
    if (QtSide::Widget(*view)->devicePixelRatioF() == k) {
        EXPECT_EQ(WindowDiffersFromScreen(), 0);
    }
}

TEST_F(Scale, ASetWithOnlyItsOwnSizeIsEnlargedWithoutItsKeyColour) {
    Files files;
    const std::string mine = files.Path("mine.bmp");
    ASSERT_TRUE(
        QFile::copy(QString::fromStdString(AppDir() + "/cards.bmp"), QString::fromStdString(mine)));
    testseams::ScriptAlerts();
    view->SetBitmap(mine.c_str(), CView::kRedraw);
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_EQ(view->GetBitmap()->Scale(), k);
    EXPECT_EQ(view->GetBitmap()->Bounds(), BRect(0, 0, 993, 383));
    // In every card's corners, outside its outline, a pixel is transparent or far from the key
    // colour: no fringe of it shows against the table.
    const QImage& enlarged = QtSide::Image(*view->GetBitmap());
    int fringe = 0;
    for (int cell = 0; cell < 56; ++cell)
        for (int corner = 0; corner < 4; ++corner)
            for (int dy = 0; dy < 6 * k; ++dy)
                for (int dx = 0; dx < 6 * k; ++dx) {
                    const int x =
                        (cell % 14) * kCardWidth * k + (corner % 2 ? kCardWidth * k - 1 - dx : dx);
                    const int y = (cell / 14) * kCardHeight * k +
                                  (corner / 2 ? kCardHeight * k - 1 - dy : dy);
                    const Pixel p = At(enlarged, x, y);
                    fringe += p.a != 0 && std::abs(p.r - 49) < 40 && std::abs(p.g - 99) < 40 &&
                              std::abs(p.b - 148) < 40;
                }
    EXPECT_EQ(fringe, 0);
    // Its corners are transparent and its faces opaque, as at one pixel a unit.
    const QImage& set = QtSide::Image(*view->GetBitmap());
    EXPECT_EQ(At(set, 0, 0).a, 0);
    EXPECT_EQ(At(set, 35 * k, 48 * k).a, 255);
}

TEST_F(Scale, PressesLandWhereTheyDidAndAScreenChangeRedraws) {
    ClearTable();
    for (int n = 1; n <= 5; ++n)
        Edit([&](Table& t) { t.deck.PutCardOnTop(CCard(1, n)); });
    PutOnStack(6, CCard(2, 5));
    view->UpdateBackground();
    // A real press and release on the deck, in the widget's own coordinates.
    QWidget* w = QtSide::Widget(*view);
    const QPointF at(60, 60);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, w->mapToGlobal(at),
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier));
    QCoreApplication::sendPostedEvents(w);
    EXPECT_EQ(view->Model().pile.GetNumCards(), 3);

    // To a screen of one pixel a unit and back: every image follows, and the table is whole.
    const std::string layout = Layout();
    window->SetDeviceScale(1);
    EXPECT_EQ(Screen().size(), QSize(kWidth, kHeight));
    EXPECT_EQ(view->GetBitmap()->Scale(), 1);
    EXPECT_TRUE(Screen() == Offscreen());
    window->SetDeviceScale(k);
    EXPECT_EQ(Screen().size(), QSize(kWidth * k, kHeight * k));
    EXPECT_TRUE(Screen() == Offscreen());
    ExpectCardFromSheet(Screen(), Sheet("cards"), CCard(2, 5), StackX(6), kStackY);
    EXPECT_EQ(Layout(), layout);

    // The toolkit's word that the window is on another screen: taken up through the window's
    // queue, at the density that screen has.
    QEvent moved(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(QtSide::Widget(*window), &moved);
    BLooper::DispatchAllPending();
    EXPECT_EQ(window->DeviceScale(), DeviceScaleFor(QtSide::Widget(*window)->devicePixelRatioF()));
    EXPECT_EQ(view->DeviceScale(), window->DeviceScale());
    EXPECT_TRUE(Screen() == Offscreen());
}

}  // namespace

namespace {

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
    window->PostMessage(B_QUIT_REQUESTED);
    BLooper::DispatchAllPending();
    Settings saved;
    ASSERT_TRUE(ReadSettings(config.path().toStdString() + "/Tarnwick", saved));
    EXPECT_EQ(saved.backgroundPath, "<NONE>");
}

}  // namespace
