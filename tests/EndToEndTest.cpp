// SPDX-License-Identifier: GPL-3.0-or-later
// What an install puts where, and the checks the desktop's own tools make of it. The real
// program on a real (virtual) display: it starts from another folder, shows its window,
// and on a termination signal quits as if closed, writing its settings. An installed copy does
// the same, started from anywhere and through a link; and so does the program under a Wayland
// compositor, as today's desktops run it.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// An install of the build into a temporary DESTDIR with the prefix /usr, as a package makes it;
// what it said, when it failed.
struct Installed {
    Installed() {
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", root.path());
        install.setProcessEnvironment(env);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start("cmake", {"--install", TARNWICK_BUILD_DIR, "--prefix", "/usr"});
        if (!install.waitForFinished(120000) || install.exitCode() != 0)
            failure = "cmake --install: " + install.readAll().toStdString();
    }
    QString Path(const QString& relative) const { return root.filePath(relative); }
    QTemporaryDir root;
    std::string failure;
};

// Every file in its standard place, each icon drawn at its own size; the package brings Qt's X11
// and Wayland plugins. (`make package` has the desktop's own tools check the entry, the metainfo
// and the manual page.)
TEST(Install, PutsEveryFileInItsStandardPlace) {
    Installed installed;
    ASSERT_EQ(installed.failure, "");
    QStringList expected = {
        "usr/games/tarnwick",
        "usr/share/applications/org.tarnwick.Tarnwick.desktop",
        "usr/share/doc/tarnwick/changelog.gz",
        "usr/share/doc/tarnwick/copyright",
        "usr/share/games/tarnwick/Quenmoor.jpg",
        "usr/share/games/tarnwick/Quenmoor@2x.jpg",
        "usr/share/games/tarnwick/Quenmoor@3x.jpg",
        "usr/share/games/tarnwick/help.html",
        "usr/share/games/tarnwick/screenshot.png",
        "usr/share/man/man6/tarnwick.6.gz",
        "usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml",
    };
    for (const char* set : {"cards", "cards-four-colour", "cards-large-index"})
        for (const char* scale : {"", "@2x", "@3x"})
            expected << QString("usr/share/games/tarnwick/%1%2.bmp").arg(set, scale);
    const QString icon = "usr/share/icons/hicolor/%1x%1/apps/org.tarnwick.Tarnwick.png";
    for (int size : {16, 32, 48, 64, 128, 256, 512}) {
        expected << icon.arg(size);
        EXPECT_EQ(QImage(installed.Path(icon.arg(size))).size(), QSize(size, size));
    }
    expected.sort();
    QStringList files;
    for (QDirIterator it(installed.root.path(), QDir::Files | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files << it.next().mid(installed.root.path().size() + 1);
    files.sort();
    EXPECT_EQ(files, expected);

    QFile config(QString(TARNWICK_BUILD_DIR) + "/CPackConfig.cmake");
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(config.readAll())
                    .contains(QRegularExpression(
                        "CPACK_DEBIAN_PACKAGE_DEPENDS \"[^\"]*qt6-qpa-plugins, qt6-wayland")));
}

#ifdef TARNWICK_EXE

bool Have(const char* tool) {
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

// The program started from a folder of its own, its settings in another, with these variables.
class Game {
  public:
    Game(const QString& program, std::initializer_list<std::pair<const char*, QString>> vars) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        for (const auto& [name, value] : vars)
            env.insert(name, value);
        env.insert("XDG_CONFIG_HOME", config.path());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(elsewhere.path());
        process.start(program, {});
        EXPECT_TRUE(process.waitForStarted(30000));
    }
    // SIGTERM: the program quits as if closed, with the standard settings written, which happens
    // only when it found its card set without a word.
    void QuitsCleanlyOnSignal(const std::string& lastWords = {}) {
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(60000)) << lastWords;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        QFile settings(config.filePath("Tarnwick"));
        ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
        EXPECT_EQ(settings.readAll(),
                  "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n");
    }
    QProcess process;

  private:
    QTemporaryDir config, elsewhere;
};

// An Xvfb of its own for one test, on a display it picks itself and tells: no guess can meet
// another server. -noreset: a server that resets as its last client leaves refuses the next one.
class Display {
  public:
    bool Start() {
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                            "-noreset"});
        QByteArray number;
        for (int i = 0; i < 600 && !number.endsWith('\n') && xvfb.waitForStarted(30000); ++i)
            if (xvfb.waitForReadyRead(100))
                number += xvfb.readAllStandardOutput();
        name = ":" + QString::fromUtf8(number).trimmed();
        for (int i = 0; i < 600 && !number.isEmpty() && xvfb.state() == QProcess::Running; ++i) {
            QProcess probe;
            probe.start("xwininfo", {"-display", name, "-root"});
            if (probe.waitForFinished(20000) && probe.exitCode() == 0)
                return true;
            xvfb.waitForFinished(50);
        }
        return false;
    }
    ~Display() {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
    // The sizes of the windows called "Tarnwick", leaving out the 1x1 window Qt keeps for the
    // application's group. A line reads: 0x200008 "Tarnwick": ("tarnwick" "tarnwick")  701x521+0+0
    QStringList GameWindows() const {
        QProcess info;
        info.start("xwininfo", {"-display", name, "-root", "-tree"});
        info.waitForFinished(20000);
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

// Shows the table alone (no alert beside it), then quits on the signal. Generous: a loaded
// machine may take many seconds to start a program; waiting on the game between looks notices at
// once if it ends instead.
void ShowsItsWindowAndQuitsCleanly(const Display& display, const QString& program) {
    Game game(program, {{"DISPLAY", display.name}, {"QT_QPA_PLATFORM", "xcb"}});
    QStringList windows;
    for (int i = 0;
         i < 1200 && !windows.contains("701x521") && game.process.state() == QProcess::Running; ++i)
        if (!(windows = display.GameWindows()).contains("701x521"))
            game.process.waitForFinished(50);
    ASSERT_EQ(windows.join(' ').toStdString(), "701x521")
        << "on display " << display.name.toStdString() << ": exit code " << game.process.exitCode()
        << ", " << game.process.readAllStandardError().toStdString();
    game.QuitsCleanlyOnSignal();
}

// The build's program, then an installed copy, and the same through a link in another folder.
TEST(EndToEnd, TheBuiltAndTheInstalledProgramStartOnADisplayAndQuitCleanlyOnSignal) {
    if (!Have("Xvfb") || !Have("xwininfo"))
        GTEST_SKIP() << "Xvfb and xwininfo are not installed (apt-get install xvfb x11-utils)";
    Display display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    ShowsItsWindowAndQuitsCleanly(display, TARNWICK_EXE);

    Installed installed;
    ASSERT_EQ(installed.failure, "");
    const QString program = installed.Path("usr/games/tarnwick");
    ShowsItsWindowAndQuitsCleanly(display, program);
    QTemporaryDir home;
    ASSERT_TRUE(QFile::link(program, home.filePath("tarnwick")));
    ShowsItsWindowAndQuitsCleanly(display, home.filePath("tarnwick"));
}

// The game as a client of a headless Weston of its own: the protocol it speaks (WAYLAND_DEBUG)
// shows its toplevel window named by its app id and a buffer drawn into it; nothing else reaches
// standard error; SIGTERM quits it with the settings written.
TEST(EndToEnd, UnderAWaylandCompositorItShowsItsWindowAndQuitsCleanlyOnSignal) {
    if (!Have("weston"))
        GTEST_SKIP() << "no Wayland compositor to run under (apt-get install weston)";
    QTemporaryDir runtime;
    const QString socket = "wayland-tarnwick", log = runtime.filePath("weston.log");
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess weston;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("WAYLAND_DISPLAY");
    weston.setProcessEnvironment(env);
    // Into a file, never a pipe nobody reads: a compositor blocked on a full pipe would freeze
    // every client with it.
    weston.setProcessChannelMode(QProcess::MergedChannels);
    weston.setStandardOutputFile(log);
    weston.start("weston", {"--backend=headless-backend.so", "--socket=" + socket, "--width=1024",
                            "--height=768", "--idle-time=0"});
    for (int i = 0;
         i < 1200 && weston.waitForStarted(30000) && !QFile::exists(runtime.filePath(socket)); ++i)
        weston.waitForFinished(50);
    auto westonSaid = [&] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll().right(2000).toStdString() : "";
    };
    if (!QFile::exists(runtime.filePath(socket)))
        GTEST_SKIP() << "weston could not start here: " << westonSaid();

    Game game(TARNWICK_EXE, {{"XDG_RUNTIME_DIR", runtime.path()},
                             {"WAYLAND_DISPLAY", socket},
                             {"QT_QPA_PLATFORM", "wayland"},
                             {"WAYLAND_DEBUG", "client"}});
    // Protocol lines begin with a timestamp in brackets; everything else is the program's own.
    QString protocol, other;
    auto read = [&] {
        for (const QString& line :
             QString::fromUtf8(game.process.readAllStandardError()).split('\n'))
            (line.startsWith('[') ? protocol : other) += line.isEmpty() ? "" : line + "\n";
    };
    const QRegularExpression appId(R"(xdg_toplevel@\d+\.set_app_id\("org\.tarnwick\.Tarnwick"\))");
    const QRegularExpression drawn(R"(wl_surface@\d+\.attach\(wl_buffer@\d+)");
    for (int i = 0; i < 1200 && game.process.state() == QProcess::Running &&
                    !(protocol.contains(appId) && protocol.contains(drawn));
         ++i) {
        game.process.waitForReadyRead(50);
        read();
    }
    EXPECT_TRUE(protocol.contains(appId)) << "no toplevel with the game's app id";
    ASSERT_TRUE(protocol.contains(drawn)) << "nothing drawn: " << other.toStdString();
    game.QuitsCleanlyOnSignal(protocol.right(2000).toStdString() + "\ncompositor: " + westonSaid());
    read();
    EXPECT_EQ(other.toStdString(), "") << "written on standard error";
    weston.terminate();
    weston.waitForFinished(10000);
}

#endif

}  // namespace
