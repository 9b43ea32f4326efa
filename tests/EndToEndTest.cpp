// The real program on a real (virtual) display: it starts from another folder, shows its
// window, and on a termination signal quits as if closed, writing its settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

#ifdef TARNWICK_EXE

bool WindowShown(const QString& display) {
    QProcess info;
    info.start("xwininfo", {"-display", display, "-root", "-tree"});
    info.waitForFinished(20000);
    const QString tree = QString::fromUtf8(info.readAllStandardOutput());
    return tree.contains("\"Tarnwick\"") && tree.contains("701x521");
}

TEST(EndToEnd, StartsOnADisplayAndQuitsCleanlyOnSignal) {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xwininfo").isEmpty())
        GTEST_SKIP() << "Xvfb and xwininfo are not installed (apt-get install xvfb x11-utils)";

    // Xvfb picks a display nobody uses and tells its number: no guess can meet another server.
    QProcess xvfb;
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    ASSERT_TRUE(xvfb.waitForStarted(30000));
    QByteArray number;
    for (int i = 0; i < 600 && !number.endsWith('\n') && xvfb.state() == QProcess::Running; ++i)
        if (xvfb.waitForReadyRead(100))
            number += xvfb.readAllStandardOutput();
    const QString display = ":" + QString::fromUtf8(number).trimmed();
    bool up = false;
    for (int i = 0; i < 600 && !up && !number.isEmpty() && xvfb.state() == QProcess::Running; ++i) {
        QProcess probe;
        probe.start("xwininfo", {"-display", display, "-root"});
        probe.waitForFinished(20000);
        up = probe.exitCode() == 0;
        if (!up)
            xvfb.waitForFinished(50);
    }
    ASSERT_TRUE(up) << "Xvfb did not start";

    QTemporaryDir config, elsewhere;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", config.path());
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(elsewhere.path());
    game.start(TARNWICK_EXE, {});
    ASSERT_TRUE(game.waitForStarted(30000));

    // Generous: a loaded machine may take many seconds to start a program. Waiting on the game
    // itself between looks notices at once if it ends instead.
    bool shown = false;
    for (int i = 0; i < 1200 && !shown && game.state() == QProcess::Running; ++i) {
        shown = WindowShown(display);
        if (!shown)
            game.waitForFinished(50);
    }
    ASSERT_TRUE(shown) << "exit code " << game.exitCode()
                       << ", output: " << game.readAllStandardError().toStdString();

    game.terminate();  // SIGTERM
    ASSERT_TRUE(game.waitForFinished(60000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
    QFile settings(config.filePath("Tarnwick"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    // The standard set was found from another folder, so nothing fell back.
    EXPECT_EQ(settings.readAll(),
              QByteArray("Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n"));

    xvfb.terminate();
    xvfb.waitForFinished(5000);
}

#endif

}  // namespace
