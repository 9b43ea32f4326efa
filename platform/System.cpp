#include "platform/System.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <cstdlib>
#include <random>

#include "platform/Bitmap.h"
#include "platform/Looper.h"
#include "platform/TestSeams.h"

namespace {
QApplication* qtApplication = nullptr;
}

PlatformSession::PlatformSession(int& argc, char** argv) {
    qtApplication = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
}

PlatformSession::~PlatformSession() {
    delete qtApplication;
    qtApplication = nullptr;
}

void SetProgramIcon(const BBitmap* bitmap, BRect part) {
    if (!bitmap || !part.IsValid())
        return;
    const QImage icon = bitmap->Image().copy(int(part.left), int(part.top), part.IntegerWidth() + 1,
                                             part.IntegerHeight() + 1);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void snooze(int64_t microseconds) {
    if (testseams::MouseScripted())
        return;
    QEventLoop loop;
    QTimer::singleShot(int(microseconds / 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void WaitWithoutInput(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

time_t CalendarTime() {
    time_t fixed = 0;
    if (testseams::FixedClock(&fixed))
        return fixed;
    return time(nullptr);
}

#if RAND_MAX == 2147483647
void SeedRandom(unsigned seed) {
    srand(seed);
}
int32 NextRandom() {
    return int32(rand());
}
#else
namespace {
std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}
}  // namespace
void SeedRandom(unsigned seed) {
    Generator().seed(seed);
}
int32 NextRandom() {
    return int32(Generator()() & 0x7fffffffu);
}
#endif

void ExitProgram(int status) {
    std::exit(status);
}

namespace {
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] ssize_t written = ::write(signalPipe[0], &byte, 1);
}
}  // namespace

void QuitOnTerminationSignals(BLooper* looper) {
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [looper] {
        char byte = 0;
        [[maybe_unused]] ssize_t got = ::read(signalPipe[1], &byte, 1);
        if (BLooper::IsAlive(looper))
            looper->PostMessage(B_QUIT_REQUESTED);
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void OpenInBrowser(const std::string& path) {
    // xdg-open through Qt: the path travels as a URL, never through a shell.
    const QUrl url =
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    if (testseams::RecordBrowserLaunch(url.toString(QUrl::FullyEncoded).toStdString()))
        return;
    QDesktopServices::openUrl(url);
}
