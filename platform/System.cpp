#include "platform/System.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <random>

#include "platform/TestSeams.h"

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

void OpenInBrowser(const std::string& path) {
    if (testseams::RecordBrowserLaunch(path))
        return;
    // xdg-open through Qt: the path travels as a URL, never through a shell.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
