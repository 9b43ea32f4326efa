// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP at any moment: before the main window exists the program quits at
// once with nothing to save; after, it quits as if closed and writes its settings, even while an
// alert waits for an answer. Real alerts here: a signal must get past them.
#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <fstream>

#include "TestSupport.h"
#include "platform/Application.h"
#include "platform/System.h"

using namespace testing_support;

namespace {

const char* const kWritten = "Settings for Tarnwick\n\n1\n1\n0\n0\n2\n/gone/cards.bmp\n<NONE>\n";

class Signals : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        // A chosen card set that is gone: start-up raises an alert.
        std::ofstream(SettingsFile(), std::ios::binary) << kWritten;
    }
    std::string SettingsFile() const { return config.path().toStdString() + "/Tarnwick"; }
    std::string ReadSettingsFile() const {
        QFile file(QString::fromStdString(SettingsFile()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    // The signal arrives once the next event loop runs: inside whatever waits for the player.
    static void SignalSoon(int sig) {
        QTimer::singleShot(0, [sig] { std::raise(sig); });
    }
};

using SignalsDeathTest = Signals;

TEST_F(SignalsDeathTest, BeforeTheWindowExistsTheProgramQuitsAtOnceWritingNothing) {
    EXPECT_EXIT(
        {
            CatchTerminationSignals();
            std::raise(SIGTERM);
            QCoreApplication::processEvents();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            CatchTerminationSignals();
            testseams::Reset();  // a real alert about the missing card set
            SignalSoon(SIGHUP);
            Start();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadSettingsFile(), kWritten);
}

TEST_F(Signals, ASignalBeforeTheLoopRunsQuitsOnceTheWindowExistsAndSaves) {
    CatchTerminationSignals();
    std::raise(SIGINT);  // caught, waiting in the pipe until the event loop runs
    Start();
    QuitOnTerminationSignals(app.get());
    view->SetFlags(0, 0, 1, 0);
    QTimer::singleShot(30000, [] { QCoreApplication::exit(9); });  // a deadline, not a pace
    EXPECT_EQ(app->Run(), 0);
    EXPECT_TRUE(app->IsQuitting());
    EXPECT_EQ(ReadSettingsFile(),
              "Settings for Tarnwick\n\n0\n0\n1\n0\n2\n" + AppDir() + "/cards.bmp\n<NONE>\n");
}

TEST_F(Signals, AnAlertUpDuringPlayIsDismissedAndTheSettingsAreWritten) {
    Start();
    QuitOnTerminationSignals(app.get());
    testseams::Reset();  // the end-of-game alert for real, waiting for an answer
    SignalSoon(SIGTERM);
    view->EndOfGame();  // returns only because the signal dismissed the alert
    QTimer::singleShot(30000, [] { QCoreApplication::exit(9); });
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(ReadSettingsFile(),
              "Settings for Tarnwick\n\n1\n1\n0\n0\n2\n" + AppDir() + "/cards.bmp\n<NONE>\n");
}

TEST(SignalBurst, ThousandsOfSignalsNeitherBlockNorQueueMoreThanOneQuit) {
    CatchTerminationSignals();
    struct Counter : BLooper {
        void MessageReceived(BMessage*) override {}
        void DispatchMessage(BMessage* message) override {
            quits += message->what == B_QUIT_REQUESTED;
        }
        int quits = 0;
    } looper;
    QuitOnTerminationSignals(&looper);
    errno = 1234;
    for (int i = 0; i < 20000; ++i)
        std::raise(SIGTERM);
    EXPECT_EQ(errno, 1234);
    BLooper::DispatchAllPending();
    EXPECT_EQ(looper.quits, 1);
}

}  // namespace
