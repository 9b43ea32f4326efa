// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a real (virtual) display: it starts from another folder, shows its
// window, and on a termination signal quits as if closed, writing its settings. An installed
// copy does the same, started from anywhere and through a link; and so does the program under a
// Wayland compositor, as today's desktops run it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Install.h"

namespace {

#ifdef TARNWICK_EXE

const QByteArray kStandardSettings =
    "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n";

// An Xvfb of its own for one test.
class Display {
  public:
    static bool Available() {
        return !QStandardPaths::findExecutable("Xvfb").isEmpty() &&
               !QStandardPaths::findExecutable("xwininfo").isEmpty();
    }

    // Xvfb picks a display nobody uses and tells its number: no guess can meet another server.
    bool Start() {
        // -noreset: a server that resets as its last client leaves refuses the next one meanwhile.
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                            "-noreset"});
        if (!xvfb.waitForStarted(30000))
            return false;
        QByteArray number;
        for (int i = 0; i < 600 && !number.endsWith('\n') && xvfb.state() == QProcess::Running; ++i)
            if (xvfb.waitForReadyRead(100))
                number += xvfb.readAllStandardOutput();
        name = ":" + QString::fromUtf8(number).trimmed();
        for (int i = 0; i < 600 && !number.isEmpty() && xvfb.state() == QProcess::Running; ++i) {
            QProcess probe;
            probe.start("xwininfo", {"-display", name, "-root"});
            probe.waitForFinished(20000);
            if (probe.exitCode() == 0)
                return true;
            xvfb.waitForFinished(50);
        }
        return false;
    }
    ~Display() {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    // The windows on the display called "Tarnwick", as "widthxheight" each, leaving out the 1x1
    // window Qt keeps for the application's window group.
    QStringList GameWindows() const {
        QProcess info;
        info.start("xwininfo", {"-display", name, "-root", "-tree"});
        info.waitForFinished(20000);
        // A line reads: 0x200008 "Tarnwick": ("tarnwick" "tarnwick")  701x521+0+0  +0+0
        const QRegularExpression size(QStringLiteral("\\s(\\d+x\\d+)[+-]"));
        QStringList sizes;
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
            if (line.contains("\"Tarnwick\"") && size.match(line).captured(1) != "1x1")
                sizes << size.match(line).captured(1);
        return sizes;
    }

    QString name;

  private:
    QProcess xvfb;
};

// Starts the program from a folder of its own with its settings in another, waits for its main
// window, sends SIGTERM and checks it quit cleanly with the standard settings written: what
// happens only when it found its card set without a word.
void RunsAndQuitsCleanly(const Display& display, const QString& program) {
    QTemporaryDir config, elsewhere;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.name);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", config.path());
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(elsewhere.path());
    game.start(program, {});
    ASSERT_TRUE(game.waitForStarted(30000));

    // Generous: a loaded machine may take many seconds to start a program. Waiting on the game
    // itself between looks notices at once if it ends instead.
    QStringList windows;
    for (int i = 0; i < 1200 && !windows.contains("701x521") && game.state() == QProcess::Running;
         ++i) {
        windows = display.GameWindows();
        if (!windows.contains("701x521"))
            game.waitForFinished(50);
    }
    ASSERT_TRUE(windows.contains("701x521"))
        << "on display " << display.name.toStdString() << ": exit code " << game.exitCode()
        << ", output: " << game.readAllStandardError().toStdString();
    EXPECT_EQ(windows.join(' ').toStdString(), "701x521") << "an alert is up beside the table";

    game.terminate();  // SIGTERM
    ASSERT_TRUE(game.waitForFinished(60000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
    QFile settings(config.filePath("Tarnwick"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), kStandardSettings);
}

TEST(EndToEnd, StartsOnADisplayAndQuitsCleanlyOnSignal) {
    if (!Display::Available())
        GTEST_SKIP() << "Xvfb and xwininfo are not installed (apt-get install xvfb x11-utils)";
    Display display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    RunsAndQuitsCleanly(display, TARNWICK_EXE);
}

TEST(EndToEnd, AnInstalledCopyStartsFromAnyFolderAndThroughALink) {
    if (!Display::Available())
        GTEST_SKIP() << "Xvfb and xwininfo are not installed (apt-get install xvfb x11-utils)";
    testing_support::Installed installed;
    ASSERT_TRUE(installed.Done()) << installed.Log();
    const QString program = installed.Path("usr/games/tarnwick");
    Display display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    RunsAndQuitsCleanly(display, program);

    QTemporaryDir home;
    const QString link = home.filePath("bin/tarnwick");
    QDir().mkpath(home.filePath("bin"));
    ASSERT_TRUE(QFile::link(program, link));
    RunsAndQuitsCleanly(display, link);
}

// A headless Weston of its own for one test, on a socket in a runtime folder of its own.
class Compositor {
  public:
    static bool Available() { return !QStandardPaths::findExecutable("weston").isEmpty(); }

    bool Start() {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.remove("WAYLAND_DISPLAY");
        weston.setProcessEnvironment(env);
        // Into a file, never a pipe nobody reads: a compositor blocked on a full pipe would
        // freeze every client with it.
        weston.setProcessChannelMode(QProcess::MergedChannels);
        weston.setStandardOutputFile(runtime.filePath("weston.log"));
        weston.start("weston", {"--backend=headless-backend.so", "--socket=" + kSocket,
                                "--width=1024", "--height=768", "--idle-time=0"});
        if (!weston.waitForStarted(30000))
            return false;
        for (int i = 0; i < 1200 && weston.state() == QProcess::Running; ++i) {
            if (QFileInfo::exists(runtime.filePath(kSocket)))
                return true;
            weston.waitForFinished(50);
        }
        return false;
    }
    ~Compositor() {
        weston.terminate();
        weston.waitForFinished(10000);
    }
    QString Log() const {
        QFile log(runtime.filePath("weston.log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    const QString kSocket = "wayland-tarnwick";
    QTemporaryDir runtime;

  private:
    QProcess weston;
};

// The game as a Wayland client: the protocol it speaks (WAYLAND_DEBUG) shows its toplevel
// window named by its app id and a buffer drawn into it; nothing else reaches standard error;
// SIGTERM quits it with the settings written.
TEST(EndToEnd, UnderAWaylandCompositorItShowsItsWindowAndQuitsCleanlyOnSignal) {
    if (!Compositor::Available())
        GTEST_SKIP() << "no Wayland compositor to run under (apt-get install weston)";
    Compositor compositor;
    if (!compositor.Start())
        GTEST_SKIP() << "weston could not start here: " << compositor.Log().toStdString();

    QTemporaryDir config, elsewhere;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", compositor.runtime.path());
    env.insert("WAYLAND_DISPLAY", compositor.kSocket);
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("WAYLAND_DEBUG", "client");
    env.insert("XDG_CONFIG_HOME", config.path());
    env.remove("DISPLAY");
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(elsewhere.path());
    game.start(TARNWICK_EXE, {});
    ASSERT_TRUE(game.waitForStarted(30000));

    // Protocol lines begin with a timestamp in brackets; everything else is the program's own.
    QString protocol, other;
    auto read = [&] {
        for (const QString& line : QString::fromUtf8(game.readAllStandardError()).split('\n'))
            (line.startsWith('[') ? protocol : other) += line.isEmpty() ? "" : line + "\n";
    };
    const QRegularExpression appId(R"(xdg_toplevel@\d+\.set_app_id\("org\.tarnwick\.Tarnwick"\))");
    const QRegularExpression drawn(R"(wl_surface@\d+\.attach\(wl_buffer@\d+)");
    for (int i = 0; i < 1200 && game.state() == QProcess::Running &&
                    !(protocol.contains(appId) && protocol.contains(drawn));
         ++i) {
        game.waitForReadyRead(50);
        read();
    }
    EXPECT_TRUE(protocol.contains(appId)) << "no toplevel with the game's app id";
    ASSERT_TRUE(protocol.contains(drawn)) << "nothing drawn: " << other.toStdString();

    game.terminate();  // SIGTERM
    const bool ended = game.waitForFinished(60000);
    read();
    ASSERT_TRUE(ended) << "last words: " << protocol.right(2000).toStdString()
                       << "\ncompositor: " << compositor.Log().right(2000).toStdString();
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_EQ(other.toStdString(), "") << "written on standard error";
    QFile settings(config.filePath("Tarnwick"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), kStandardSettings);
}

#endif

}  // namespace
