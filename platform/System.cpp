// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/System.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "platform/Alert.h"
#include "platform/Bitmap.h"
#include "platform/Looper.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"
#include "platform/View.h"

namespace {
QApplication* qtApplication = nullptr;
}

namespace {

int signalPipe[2] = {-1, -1};
volatile sig_atomic_t quitPending = 0;
BLooper* quitTarget = nullptr;
QSocketNotifier* signalNotifier = nullptr;

void OnSignal(int) {
    // Async-signal-safe only: one byte into a non-blocking pipe wakes the event loop, and one
    // pending quit is enough however many signals follow.
    const int saved = errno;
    if (!quitPending) {
        quitPending = 1;
        const char byte = 1;
        [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
    }
    errno = saved;
}

void InstallSignalHandlers() {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&action.sa_mask, sig);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void OnSignalled() {
    char bytes[64];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    quitPending = 0;
    if (!quitTarget || !BLooper::IsAlive(quitTarget)) {
        // Start-up is not over: no window holds anything worth saving yet.
        std::fflush(stdout);
        std::_Exit(0);
    }
    // An alert would hold the quit until someone answers it, maybe never (a session logging out).
    DismissAlerts();
    quitTarget->PostMessage(B_QUIT_REQUESTED);
}

void WatchSignalPipe() {
    if (signalNotifier || signalPipe[0] < 0 || !QCoreApplication::instance())
        return;
    signalNotifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(signalNotifier, &QSocketNotifier::activated, [] { OnSignalled(); });
}

}  // namespace

PlatformSession::PlatformSession(int& argc, char** argv) {
    // Before anything else, so that a signal during start-up never kills the program outright.
    InstallSignalHandlers();
    qtApplication = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    WatchSignalPipe();
}

PlatformSession::~PlatformSession() {
    delete qtApplication;
    qtApplication = nullptr;
}

int32 DeviceScaleFor(double ratio) {
    return std::clamp(int32(std::ceil(ratio - 0.01)), 1, 3);
}

int32 DefaultDeviceScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return DeviceScaleFor(screen ? screen->devicePixelRatio() : 1.0);
}

void SetProgramIcon(const BBitmap* bitmap, BRect part) {
    if (!bitmap || !part.IsValid())
        return;
    const int k = bitmap->Scale();
    QImage icon =
        QtSide::Image(*bitmap).copy(int(part.left) * k, int(part.top) * k,
                                    (part.IntegerWidth() + 1) * k, (part.IntegerHeight() + 1) * k);
    icon.setDevicePixelRatio(k);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void SetDesktopEntry(const char* name) {
    QGuiApplication::setDesktopFileName(QString::fromUtf8(name));
}

void snooze(int64_t microseconds) {
    if (testseams::MouseScripted())
        return;
    if (!BView::PressFollowed()) {
        // Asleep, then whatever arrived meanwhile is handled.
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
        QCoreApplication::processEvents();
        return;
    }
    // During a press the pointer is sampled after each such period. A hand held still would be
    // sampled for nothing: events are handled as they come until the pointer has news, so a
    // still hand costs nothing and a moving one wakes once for each move it makes.
    while (BView::PressHeldStill())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // A pointer quicker than the period: the rest of it asleep, then whatever arrived meanwhile
    // is handled, so the sample has the latest point.
    const int64_t left =
        std::min(microseconds, BView::LastPointerLook() + microseconds - MonotonicMicroseconds());
    if (left > 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(left));
        QCoreApplication::processEvents();
    }
}

void WaitWithoutInput(int64_t microseconds) {
    int64_t manual = 0;
    if (testseams::ManualTime(&manual)) {
        testseams::AdvanceManualTime(microseconds);
        return;
    }
    // Whole milliseconds in the event loop, so the display connection is served; the rest,
    // under a millisecond, asleep, so the pace is exact rather than rounded up.
    const int64_t end = MonotonicMicroseconds() + microseconds;
    if (microseconds >= 1000) {
        QEventLoop loop;
        QTimer::singleShot(int(microseconds / 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const int64_t left = end - MonotonicMicroseconds();
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(left));
}

void TakeWaitingInput() {
    QCoreApplication::processEvents();
}

void LowerThreadPriority() {
    // On Linux a thread has a niceness of its own, named by its thread id.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 19);
}

int64_t MonotonicMicroseconds() {
    int64_t manual = 0;
    if (testseams::ManualTime(&manual))
        return manual;
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

time_t CalendarTime() {
    time_t fixed = 0;
    if (testseams::FixedClock(&fixed))
        return fixed;
    return time(nullptr);
}

void ExitProgram(int status) {
    std::exit(status);
}

void CatchTerminationSignals() {
    InstallSignalHandlers();
    WatchSignalPipe();
}

void QuitOnTerminationSignals(BLooper* looper) {
    CatchTerminationSignals();
    quitTarget = looper;
}

void OpenInBrowser(const std::string& path) {
    // xdg-open through Qt: the path travels as a URL, never through a shell.
    const QUrl url =
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    if (testseams::RecordBrowserLaunch(url.toString(QUrl::FullyEncoded).toStdString()))
        return;
    QDesktopServices::openUrl(url);
}
