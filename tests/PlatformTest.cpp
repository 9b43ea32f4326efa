// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDialog>
#include <QDirIterator>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <map>

#include "TestSupport.h"
#include "platform/Alert.h"
#include "platform/Application.h"

using namespace testing_support;

namespace {

// A window that records what it handles into a list of the test's, posts 3 from inside the
// handler of 1, and closes itself on 4.
class Recorder : public BWindow {
  public:
    explicit Recorder(std::vector<uint32>* s)
        : BWindow(BRect(0, 0, 9, 9), "r", B_TITLED_WINDOW, 0), seen(s) {}
    void MessageReceived(BMessage* m) override {
        seen->push_back(m->what);
        if (m->what == 1)
            PostMessage(3);  // after what is already queued
        if (m->what == 4)
            Quit();
    }
    bool QuitRequested() override {
        seen->push_back(B_QUIT_REQUESTED);
        return true;
    }
    std::vector<uint32>* seen;
};

// Posting never calls a handler at once, and the order is kept; while a hook runs (a press),
// messages wait; a closed window's queued messages are dropped.
TEST(Messages, AreHandledInOrderAfterAnyHookAndNeverByAClosedWindow) {
    std::vector<uint32> seen;
    Recorder window(&seen);
    window.PostMessage(1);
    window.PostMessage(2);
    EXPECT_TRUE(seen.empty());
    {
        BLooper::HookScope pressInProgress;
        QCoreApplication::processEvents();
        EXPECT_TRUE(seen.empty());
    }
    BLooper::DispatchAllPending();
    EXPECT_EQ(seen, (std::vector<uint32>{1, 2, 3}));

    seen.clear();
    auto* closesWhileDraining = new Recorder(&seen);
    closesWhileDraining->PostMessage(4);
    closesWhileDraining->PostMessage(2);
    auto* closedBeforeDraining = new Recorder(&seen);
    closedBeforeDraining->PostMessage(3);
    closedBeforeDraining->Quit();
    BLooper::DispatchAllPending();
    EXPECT_EQ(seen, (std::vector<uint32>{4}));
}

TEST(Messages, ApplicationQuitAsksEveryWindowOnce) {
    BApplication app("application/x-test");
    std::vector<uint32> seen;
    new Recorder(&seen);
    new Recorder(&seen);
    app.PostMessage(B_QUIT_REQUESTED);
    BLooper::DispatchAllPending();
    EXPECT_EQ(seen, (std::vector<uint32>{B_QUIT_REQUESTED, B_QUIT_REQUESTED}));
    EXPECT_TRUE(app.IsQuitting());
    EXPECT_EQ(app.CountWindows(), 0);
}

}  // namespace

namespace {

// A real alert box, answered once it is up by whatever the player does to it; -1 when the box
// took no notice (it is then closed, so the test goes on).
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

// Each folder includes only itself and the folders below it, and only platform/ includes Qt.
TEST(Layers, EachFolderIncludesOnlyItselfAndTheFoldersBelowIt) {
    const std::map<QString, QStringList> below = {{"game", {"game"}},
                                                  {"platform", {"platform"}},
                                                  {"view", {"view", "game", "platform"}},
                                                  {"app", {"app", "view", "game", "platform"}}};
    const QRegularExpression include(R"(^#include [<"](?:(\w+)/)?([^>"]+)[>"])",
                                     QRegularExpression::MultilineOption);
    int files = 0;
    for (const auto& [folder, allowed] : below)
        for (QDirIterator it(TARNWICK_SOURCE_DIR "/" + folder, {"*.h", "*.cpp"}); it.hasNext();) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ++files;
            for (auto m = include.globalMatch(QString::fromUtf8(file.readAll())); m.hasNext();) {
                const auto match = m.next();
                const QString top = match.captured(1), what = folder + "/" + it.fileName() +
                                                              " includes " + match.captured(0);
                EXPECT_TRUE(!below.count(top) || allowed.contains(top)) << what.toStdString();
                EXPECT_TRUE(!top.isEmpty() || !match.captured(2).startsWith('Q') ||
                            folder == "platform")
                    << what.toStdString();
            }
        }
    EXPECT_GT(files, 40);
}

}  // namespace
