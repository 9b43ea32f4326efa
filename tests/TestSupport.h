// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the suites: a quiet, headless platform, the program with its table in a
// window, tables laid out by hand, and pixel reads.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "app/Globals.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"
#include "game/Rules.h"
#include "platform/Bitmap.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"
#include "tests/TableBuilder.h"
#include "view/CView.h"

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
    return PixelAt(QtSide::Image(*bitmap), x, y);
}
inline Pixel Rgb(int r, int g, int b) {
    return {b, g, r, 255};
}

inline std::ostream& operator<<(std::ostream& os, const Pixel& p) {
    return os << "(r " << p.r << ", g " << p.g << ", b " << p.b << ", a " << p.a << ")";
}

// The program as main starts it, with its settings in a folder of the test's own. Start makes
// the application, which opens the main window.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        QuietPlatform();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QDir::setCurrent(QString::fromStdString(AppDir()));
    }
    void TearDown() override {
        app.reset();
        qunsetenv("XDG_CONFIG_HOME");
        testseams::Reset();
    }
    void Start() {
        app = std::make_unique<CApplication>();
        window = static_cast<CWindow*>(be_app->WindowAt(0));
        view = window->tableView;
    }
    // A command sent to the main window, and everything it leads to handled.
    void Send(uint32 code) {
        window->PostMessage(code);
        BLooper::DispatchAllPending();
    }
    std::string SettingsFile() const { return config.path().toStdString() + "/Tarnwick"; }
    std::string SettingsText() const {
        QFile file(QString::fromStdString(SettingsFile()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    Settings Saved() const {
        Settings saved;
        EXPECT_TRUE(ReadSettings(SettingsFile(), saved));
        return saved;
    }

    // Changes the game's table as a test lays it out; the caller redraws what it needs.
    template <typename Change>
    void Edit(Change change) {
        Table t = view->Model();
        change(t);
        view->LayOut(t);
    }

    QTemporaryDir config;
    std::unique_ptr<CApplication> app;
    CWindow* window = nullptr;
    CView* view = nullptr;
};

// The cards of a table as a string, leftover slots left out: equal strings, equal tables.
inline std::string LayoutOf(const Table& m) {
    std::string t = "deck ";
    auto card = [&t](CCard c) { t += std::to_string(c.GetSuit() * 100 + c.GetNumber()) + " "; };
    for (int i = 0; i < m.deck.GetNumCards(); ++i)
        card(m.deck.GetCard(i));
    t += "| pile ";
    for (int i = 0; i < m.pile.GetNumCards(); ++i)
        card(m.pile.GetCard(i));
    t += "| fanned " + std::to_string(m.fannedCount);
    for (int s = 0; s < 7; ++s) {
        t += " | stack ";
        for (int r = 0; r < m.stackCount[s]; ++r)
            card(m.stacks[s][r]), t += m.faceDown[s][r] == 1 ? "down " : "";
    }
    for (int p = 0; p < 4; ++p)
        t += " | pack " + std::to_string(m.packCount[p]) + " ";
    return t;
}
// Points to press: on a stack's card (its top strip, or the whole card for the last), on a
// pack, on the deck.
inline BPoint AtStack(int s, int row = 0) {
    return BPoint(table::StackX(s) + 35, table::StackCardY(row) + 4);
}
inline BPoint AtPack(int p) {
    return BPoint(table::PackX(p) + 35, 60);
}
inline const BPoint kAtDeck(60, 60);

// The game as it starts with no settings file: the main window showing a dealt table with the
// standard card set on the plain background.
class TableFixture : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
    }

    // Empties every place, so a test can lay out just the cards it needs. With an empty deck and
    // pile every move would end in autocomplete, so that is switched off.
    void ClearTable() {
        Options o = view->GetOptions();
        o.autoCompleteOn = 0;
        view->SetOptions(o);
        view->LayOut(Table());
    }
    void PutOnStack(int s, CCard card, int down = 0) {
        Edit([&](Table& t) { tables::PutOnStack(t, s, card, down); });
    }
    void FillPack(int p, int suit, int upTo) {
        Edit([&](Table& t) { tables::FillPack(t, p, suit, upTo); });
    }
    void Deck(std::initializer_list<CCard> cards) {  // the last on top
        Edit([&](Table& t) {
            for (CCard c : cards)
                t.deck.PutCardOnTop(c);
        });
    }
    // Every card home but these: face up on the stacks given, and in the deck, the last on top.
    void AllHomeBut(std::vector<std::pair<int, CCard>> onStacks, std::vector<CCard> inDeck = {}) {
        ClearTable();
        std::vector<CCard> away = inDeck;
        for (auto [s, card] : onStacks)
            away.push_back(card);
        Edit([&](Table& t) { t = tables::AllHomeBut(away); });
        for (auto [s, card] : onStacks)
            PutOnStack(s, card);
        Edit([&](Table& t) {
            for (CCard c : inDeck)
                t.deck.PutCardOnTop(c);
        });
        view->UpdateBackground();
    }
    // Won: thirteen cards on every pack, and the table a legal one.
    bool Won() const {
        const Table& t = view->Model();
        return t.packCount[0] + t.packCount[1] + t.packCount[2] + t.packCount[3] == 52 &&
               TableFault(t) == "";
    }
    void Pile(std::initializer_list<CCard> cards, int fanned) {
        Edit([&](Table& t) { tables::TurnOntoPile(t, cards, fanned); });
    }
    int UndoCount() const { return int(view->History().Size()); }
    QImage& MutableScreen() { return const_cast<QImage&>(QtSide::FrameBuffer(*view)); }
    // A primary press at one point, held for `polls` samples, then released there.
    void Click(int x, int y, int polls = 1) {
        std::vector<testseams::MouseSample> samples(size_t(polls), {BPoint(x, y), 1});
        testseams::Press(view, 1, samples);
    }
    // A press at the first point, moved through the others, released at the last.
    void Drag(std::vector<BPoint> points) {
        std::vector<testseams::MouseSample> samples;
        for (BPoint p : points)
            samples.push_back({p, 1});
        testseams::Press(view, 1, samples);
    }
    void Drag(int x0, int y0, int x1, int y1) { Drag({BPoint(x0, y0), BPoint(x1, y1)}); }
    void Click(BPoint p) { Click(int(p.x), int(p.y)); }
    void RightClick(int x, int y) { testseams::Press(view, 2, {{BPoint(x, y), 2}}); }
    void RightClick(BPoint p) { RightClick(int(p.x), int(p.y)); }
    // A key pressed on the table as the keyboard delivers it, then the window's queue handled.
    void Key(int qtKey, bool shift = false) {
        QKeyEvent press(QEvent::KeyPress, qtKey, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(QtSide::Widget(*view), &press);
        BLooper::DispatchAllPending();
    }
    std::string Layout() const { return LayoutOf(view->Model()); }

    const QImage& Screen() const { return QtSide::FrameBuffer(*view); }
    const QImage& Offscreen() const { return QtSide::Image(*view->OffscreenImage()); }
    // How many device pixels of the view's part of the window's own image, as the toolkit last
    // painted it, differ in colour from the view's frame buffer; -1 where the window has no image
    // of the buffer's density.
    int WindowDiffersFromScreen() const {
        QWidget* widget = QtSide::Widget(*view);
        // What the event loop would paint next is painted first.
        QCoreApplication::sendPostedEvents(widget->window(), QEvent::UpdateRequest);
        QBackingStore* store = widget->window()->backingStore();
        QPaintDevice* device = store ? store->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image)
            return -1;
        const QImage& shown = *static_cast<QImage*>(device);
        const QImage& screen = Screen();
        const qreal k = screen.devicePixelRatio();
        if (shown.devicePixelRatio() != k)
            return -1;
        const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0)) * k;
        int differ = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                differ +=
                    (shown.pixel(at.x() + x, at.y() + y) ^ screen.pixel(x, y)) & 0xffffff ? 1 : 0;
        return differ;
    }
};

}  // namespace testing_support
