// The real program on a real (virtual) display: it starts from another folder, shows its
// window, and on a termination signal quits as if closed, writing its settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

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

    // A display number nobody uses: try a few, as another server may hold one.
    QString display;
    QProcess xvfb;
    bool up = false;
    for (int attempt = 0; attempt < 5 && !up; ++attempt) {
        display = QString(":%1").arg(150 + QRandomGenerator::global()->bounded(100));
        xvfb.start("Xvfb", {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(5000))
            continue;
        for (int i = 0; i < 600 && !up && xvfb.state() == QProcess::Running; ++i) {
            QProcess probe;
            probe.start("xwininfo", {"-display", display, "-root"});
            probe.waitForFinished(20000);
            up = probe.exitCode() == 0 && xvfb.state() == QProcess::Running;
            if (!up)
                QThread::msleep(50);
        }
        if (!up) {
            xvfb.kill();
            xvfb.waitForFinished(2000);
        }
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

    // Generous: a loaded machine may take many seconds to start a program.
    bool shown = false;
    for (int i = 0; i < 1200 && !shown && game.state() == QProcess::Running; ++i) {
        shown = WindowShown(display);
        if (!shown)
            QThread::msleep(50);
    }
    EXPECT_TRUE(shown);

    game.terminate();  // SIGTERM
    ASSERT_TRUE(game.waitForFinished(60000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
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
