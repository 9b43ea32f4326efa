// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP at any moment: before the main window exists the program quits at
// once with nothing to save; after, it quits as if closed and writes its settings, even while an
// alert waits for an answer. Real alerts here: a signal must get past them.
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
    EXPECT_EQ(SettingsText(), kWritten);
}

TEST_F(Signals, AnAlertUpDuringPlayIsDismissedAndTheSettingsAreWritten) {
    Start();
    QuitOnTerminationSignals(app.get());
    testseams::Reset();  // the end-of-game alert for real, waiting for an answer
    SignalSoon(SIGTERM);
    view->EndOfGame();  // returns only because the signal dismissed the alert
    QTimer::singleShot(30000, [] { QCoreApplication::exit(9); });
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(SettingsText(),
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
