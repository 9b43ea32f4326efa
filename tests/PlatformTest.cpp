// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>
#include <vector>

#include "TestSupport.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/PixelOps.h"
#include "platform/QtSide.h"
#include "platform/System.h"

using namespace testing_support;

namespace {

QImage Solid(int w, int h, Pixel p) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(qRgba(p.r, p.g, p.b, p.a));
    return image;
}

TEST(PixelCopy, KeepsAllFourBytesOfAKeyColouredPixel) {
    QImage src = Solid(4, 4, Pixel{148, 99, 49, 0});
    QImage dst = Solid(4, 4, Rgb(1, 2, 3));
    pixelops::Blit(src, BRect(0, 0, 3, 3), dst, 0, 0, B_OP_COPY);
    EXPECT_EQ(PixelAt(dst, 2, 2), (Pixel{148, 99, 49, 0}));
}

TEST(PixelCopy, AlphaCompositesBySourceAlpha) {
    QImage dst = Solid(3, 1, Rgb(0, 0, 200));
    QImage src(3, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(255, 0, 0, 0));
    src.setPixel(1, 0, qRgba(255, 0, 0, 255));
    src.setPixel(2, 0, qRgba(255, 0, 0, 128));
    pixelops::Blit(src, BRect(0, 0, 2, 0), dst, 0, 0, B_OP_ALPHA);
    EXPECT_EQ(PixelAt(dst, 0, 0), Rgb(0, 0, 200));
    EXPECT_EQ(PixelAt(dst, 1, 0), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(dst, 2, 0), Rgb(128, 0, 100));
}

TEST(PixelCopy, ClipsToBothImagesAndIncludesBothCorners) {
    QImage src = Solid(10, 10, Rgb(9, 9, 9));
    QImage dst = Solid(5, 5, Rgb(0, 0, 0));
    BRect touched = pixelops::Blit(src, BRect(0, 0, 20, 20), dst, -2, 1, B_OP_COPY);
    EXPECT_EQ(touched, BRect(0, 1, 4, 4));
    EXPECT_FALSE(pixelops::Blit(src, BRect(0, 0, 9, 9), dst, 5, 0, B_OP_COPY).IsValid());
    EXPECT_EQ(PixelAt(dst, 0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(dst, 4, 4), Rgb(9, 9, 9));

    QImage canvas = Solid(6, 6, Rgb(0, 0, 0));
    pixelops::StrokeRect(canvas, BRect(1, 1, 4, 4), {255, 0, 0, 255});
    EXPECT_EQ(PixelAt(canvas, 4, 4), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(canvas, 1, 4), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(canvas, 2, 2), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(canvas, 5, 5), Rgb(0, 0, 0));
}

// Whether the memory at this address has asked the kernel for large pages ("hg" among its
// flags in /proc/self/smaps).
bool AsksForLargePages(const void* address) {
    QFile smaps("/proc/self/smaps");
    if (!smaps.open(QIODevice::ReadOnly))
        return false;
    const auto at = reinterpret_cast<quintptr>(address);
    bool inside = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const int dash = line.indexOf('-');
        const int space = line.indexOf(' ');
        bool startOk = false, endOk = false;
        const quintptr start = dash > 0 ? line.left(dash).toULongLong(&startOk, 16) : 0;
        const quintptr end = dash > 0 && space > dash
                                 ? line.mid(dash + 1, space - dash - 1).toULongLong(&endOk, 16)
                                 : 0;
        if (startOk && endOk)
            inside = at >= start && at < end;
        else if (inside && line.startsWith("VmFlags:"))
            return line.contains(" hg");
    }
    return false;
}

// Asking for large pages while the program starts can stall it while the kernel compacts
// memory; the images made then ask once it has started, and every later one at once.
TEST(PixelCopy, LargePagesAreAskedForOnceTheProgramHasStarted) {
    const QImage early = pixelops::NewImage(701 * 2, 501 * 2);
    EXPECT_FALSE(AsksForLargePages(early.constBits()));
    pixelops::WantLargePages();
    EXPECT_TRUE(AsksForLargePages(early.constBits()));
    const QImage later = pixelops::NewImage(701, 501);
    EXPECT_TRUE(AsksForLargePages(later.constBits()));
}

TEST(PixelCopy, NewImagesAreZeroedAndLargeOnesKeepTheirOwnAlignedMemory) {
    for (const int k : {1, 2, 3}) {
        QImage image = pixelops::NewImage(701 * k, 501 * k);
        ASSERT_EQ(image.size(), QSize(701 * k, 501 * k));
        EXPECT_EQ(image.format(), QImage::Format_ARGB32);
        EXPECT_EQ(image.bytesPerLine(), 701 * k * 4);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(image.constBits()) % (uintptr_t(2) << 20), 0u);
        const QImage zero = Solid(image.width(), image.height(), Pixel{0, 0, 0, 0});
        EXPECT_EQ(std::memcmp(image.constBits(), zero.constBits(), size_t(image.sizeInBytes())), 0);

        // Copies share until one is written; the memory outlives whichever goes first.
        QImage copy = image;
        image.bits()[0] = 7;
        EXPECT_EQ(copy.constBits()[0], 0);
        image = QImage();
        copy.bits()[copy.sizeInBytes() - 1] = 9;
        EXPECT_EQ(copy.constBits()[copy.sizeInBytes() - 1], 9);
    }
    EXPECT_EQ(PixelAt(pixelops::NewImage(3, 2), 2, 1), (Pixel{0, 0, 0, 0}));
    EXPECT_TRUE(pixelops::NewImage(0, 5).isNull());
}

TEST(Views, DrawingOutsideAnyWindowOrImageIsIgnored) {
    BView loose(BRect(0, 0, 9, 9), "loose", B_FOLLOW_NONE, B_WILL_DRAW);
    loose.SetHighColor(255, 0, 0);
    loose.FillRect(BRect(0, 0, 9, 9));  // must not crash or draw anywhere
    EXPECT_TRUE(QtSide::FrameBuffer(loose).isNull());

    BBitmap image(BRect(0, 0, 9, 9), B_RGB32, true);
    loose.SetDrawingMode(B_OP_COPY);
    image.AddChild(&loose);
    loose.FillRect(BRect(2, 2, 3, 3));
    image.RemoveChild(&loose);
    EXPECT_EQ(PixelAt(&image, 3, 3), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(&image, 4, 4), (Pixel{0, 0, 0, 0}));
}

// A window that records what it handles and can post from inside a handler.
class Recorder : public BWindow {
  public:
    Recorder() : BWindow(BRect(0, 0, 99, 99), "r", B_TITLED_WINDOW, 0) {}
    void MessageReceived(BMessage* m) override {
        seen.push_back(m->what);
        if (m->what == 1)
            PostMessage(3);  // posted from a handler: after what is already queued
    }
    std::vector<uint32> seen;
};

TEST(Messages, PostingNeverCallsTheHandlerAndOrderIsKept) {
    Recorder window;
    window.PostMessage(1);
    window.PostMessage(2);
    EXPECT_TRUE(window.seen.empty());
    BLooper::DispatchAllPending();
    EXPECT_EQ(window.seen, (std::vector<uint32>{1, 2, 3}));
}

TEST(Messages, QueueIsHeldWhileAHookRuns) {
    Recorder window;
    {
        BLooper::HookScope pressInProgress;
        window.PostMessage(2);
        QCoreApplication::processEvents();
        snooze(2000);  // a nested event loop, as during a press
        EXPECT_TRUE(window.seen.empty());
    }
    BLooper::DispatchAllPending();
    EXPECT_EQ(window.seen, (std::vector<uint32>{2}));
}

// A window that records into a list it does not own, and closes itself on message 1.
class Closer : public BWindow {
  public:
    explicit Closer(std::vector<uint32>* seen)
        : BWindow(BRect(0, 0, 9, 9), "c", B_TITLED_WINDOW, 0), seen(seen) {}
    void MessageReceived(BMessage* m) override {
        seen->push_back(m->what);
        if (m->what == 1)
            Quit();
    }
    std::vector<uint32>* seen;
};

TEST(Messages, AClosedWindowsQueuedMessagesAreDropped) {
    std::vector<uint32> seen;
    auto* closesWhileDraining = new Closer(&seen);
    closesWhileDraining->PostMessage(1);
    closesWhileDraining->PostMessage(2);
    auto* closedBeforeDraining = new Closer(&seen);
    closedBeforeDraining->PostMessage(3);
    closedBeforeDraining->Quit();
    BLooper::DispatchAllPending();
    EXPECT_EQ(seen, (std::vector<uint32>{1}));
}

class QuitCounter : public BWindow {
  public:
    explicit QuitCounter(int* calls)
        : BWindow(BRect(0, 0, 9, 9), "q", B_TITLED_WINDOW, 0), calls(calls) {}
    bool QuitRequested() override {
        ++*calls;
        return true;
    }
    int* calls;
};

TEST(Messages, ApplicationQuitAsksEveryWindowOnce) {
    BApplication app("application/x-test");
    int calls = 0;
    new QuitCounter(&calls);
    new QuitCounter(&calls);
    app.PostMessage(B_QUIT_REQUESTED);
    BLooper::DispatchAllPending();
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(app.IsQuitting());
    EXPECT_EQ(app.CountWindows(), 0);
}

}  // namespace

namespace {

// A real alert box, answered once it is up by whatever the player does to it; -1 when the box
// took no notice (it is then closed, so the test goes on). The timers are this call's own, so
// none of them outlives it.
int32 AnswerAlert(std::function<void(QWidget*)> act) {
    testseams::Reset();  // no scripted answers: the box itself is shown
    bool ignored = false;
    QWidget* box = nullptr;
    QTimer up, after;
    after.setSingleShot(true);
    QObject::connect(&up, &QTimer::timeout, [&] {
        if (!(box = QApplication::activeModalWidget()))
            return;
        up.stop();
        act(box);
        after.start(0);
    });
    QObject::connect(&after, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == box) {
            ignored = true;
            static_cast<QDialog*>(box)->done(0);
        }
    });
    up.start(0);
    BAlert alert("Tarnwick", "Well done, you have completed Tarnwick. Deal again?", "Sure thing",
                 "No Way");
    const int32 answer = alert.Go();
    QuietPlatform();
    return ignored ? -1 : answer;
}

TEST(Alerts, EscapeAndTheCloseBoxAnswerAsTheFirstButton) {
    auto key = [](int qtKey) {
        return [qtKey](QWidget* box) {
            QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &press);
        };
    };
    EXPECT_EQ(AnswerAlert(key(Qt::Key_Escape)), 0);
    EXPECT_EQ(AnswerAlert([](QWidget* box) { box->close(); }), 0);
    EXPECT_EQ(AnswerAlert(key(Qt::Key_Return)), 0);  // the default button
    EXPECT_EQ(AnswerAlert([](QWidget* box) {
                  for (QPushButton* b : box->findChildren<QPushButton*>())
                      if (b->text() == "No Way")
                          b->click();
              }),
              1);
}

}  // namespace
