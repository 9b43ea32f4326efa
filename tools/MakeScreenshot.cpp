// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a screenshot of the game for its software-centre entry: the real program's main window,
// a dealt table, drawn under the offscreen platform with its settings in a folder of its own.
//   make_screenshot APPDIR OUTPUT.png
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "app/CApplication.h"
#include "app/Globals.h"
#include "platform/Application.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_screenshot APPDIR OUTPUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication qt(argc, argv);
    exepath = argv[1];
    QDir::setCurrent(QString::fromStdString(exepath));
    testseams::ScriptAlerts();        // an alert would mean a broken build: reported below
    testseams::FixClock(1765000000);  // the same deal every build
    CApplication app;
    QWidget* window = QtSide::Widget(*be_app->WindowAt(0));
    window->show();
    QApplication::processEvents();
    if (!testseams::Alerts().empty()) {
        std::fprintf(stderr, "make_screenshot: the game said \"%s\"\n",
                     testseams::Alerts()[0].text.c_str());
        return 1;
    }
    if (!window->grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "make_screenshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
