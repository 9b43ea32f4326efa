// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <QWidget>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "app/CApplication.h"
#include "app/CWindow.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"
#include "platform/Menus.h"
#include "platform/QtSide.h"

using namespace testing_support;

namespace {

class App : public AppFixture {
  protected:
    std::string SettingsFile() const { return config.path().toStdString() + "/Tarnwick"; }
    void WriteFile(const std::string& text) {
        std::ofstream(SettingsFile(), std::ios::binary) << text;
    }
    std::string ReadFile() const {
        std::ifstream in(SettingsFile(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Quit(uint32 how = MSG_EXIT) {
        window->PostMessage(how);
        BLooper::DispatchAllPending();
        ASSERT_TRUE(app->IsQuitting());
    }
    std::vector<int32_t> Flags() const {
        int32_t f, a, o, r;
        view->GetFlags(f, a, o, r);
        return {f, a, o, r};
    }
};

TEST_F(App, StartsWithDefaultsWhenThereIsNoSettingsFile) {
    Start();
    EXPECT_EQ(window->Title(), "Tarnwick");
    EXPECT_FALSE(window->IsHidden());
    EXPECT_EQ(view->Name(), "MainView");
    EXPECT_EQ(view->Frame(), BRect(0, 20, 700, 520));
    EXPECT_EQ(Flags(), (std::vector<int32_t>{0, 1, 0, 0}));
    EXPECT_EQ(view->GetBack(), 1);
    EXPECT_STREQ(view->GetBit(), "./cards.bmp");
    // The desktop entry the window belongs to: on Wayland, its app id.
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.tarnwick.Tarnwick");
    EXPECT_EQ(window->backgroundPath, "<NONE>");
    EXPECT_FALSE(window->undoItem->IsEnabled());
    EXPECT_EQ(QtSide::Widget(*window)->minimumSize(),
              QtSide::Widget(*window)->maximumSize());  // no resizing
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_TRUE(testseams::Alerts().empty());
    // Shown fully drawn: a dealt table on green.
    EXPECT_EQ(QtSide::FrameBuffer(*view), QtSide::Image(*view->OffscreenImage()));
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*view), 650, 450), Rgb(0, 153, 0));
}

TEST_F(App, MenusHoldTheCommandsInOrderWithTheirShortcuts) {
    Start();
    BMenu* game = window->menuBar->SubmenuAt(0);
    BMenu* help = window->menuBar->SubmenuAt(1);
    ASSERT_EQ(game->Name(), "Game");
    ASSERT_EQ(help->Name(), "Help");
    std::vector<std::string> labels;
    for (int i = 0; i < game->CountItems(); ++i)
        labels.push_back(game->ItemAt(i)->Label());
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Deal", "Undo", "", "Options", "Load CardSet", "",
                                        "Load Background", "Clear Background", "", "Exit"}));
    EXPECT_EQ(game->FindItem("Exit")->Command(), MSG_EXIT);
    EXPECT_EQ(QtSide::Action(*game->FindItem("Deal"))->shortcut().toString(), "Ctrl+D");
    EXPECT_EQ(QtSide::Action(*game->FindItem("Clear Background"))->shortcut().toString(), "Ctrl+C");
    EXPECT_EQ(help->FindItem("Rules")->Command(), MSG_RULES);
    EXPECT_EQ(QtSide::Action(*help->FindItem("About"))->shortcut().toString(), "Ctrl+A");
}

TEST_F(App, ReadsAGoodSettingsFile) {
    WriteFile("Settings for Tarnwick\n\n1\n0\n1\n1\n2\n" + AppDir() + "/cards.bmp\n<NONE>\n");
    Start();
    EXPECT_EQ(Flags(), (std::vector<int32_t>{1, 0, 1, 1}));
    EXPECT_EQ(view->GetBack(), 3);
    EXPECT_EQ(std::string(view->GetBit()), AppDir() + "/cards.bmp");
    EXPECT_TRUE(testseams::Alerts().empty());
}

TEST_F(App, ReadsTheFiveNumbersFromAnyLinesAndAnyHeader) {
    WriteFile("whatever the header says\nand this too\n1 1 1 0 3\n./cards.bmp\n<NONE>\n");
    Start();
    EXPECT_EQ(Flags(), (std::vector<int32_t>{1, 1, 1, 0}));
    EXPECT_EQ(view->GetBack(), 4);
    EXPECT_STREQ(view->GetBit(), "./cards.bmp");
}

TEST_F(App, ADamagedOrBinaryFileKeepsTheDefaultsAndStarts) {
    for (const std::string& damaged :
         {std::string("Settings\n\n1\nx\n"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
          std::string(100000, '\xff'), std::string()}) {
        WriteFile(damaged);
        testseams::ScriptAlerts();
        Start();
        EXPECT_EQ(view->GetBack(), 1);
        EXPECT_STREQ(view->GetBit(), "./cards.bmp");
        EXPECT_EQ(window->backgroundPath, "<NONE>");
        app.reset();
    }
}

TEST_F(App, ABackOutOfRangeIsBackZero) {
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n0\n7\n./cards.bmp\n<NONE>\n");
    Start();
    EXPECT_EQ(view->GetBack(), 1);
}

TEST_F(App, AnOverlongPathIsRefusedNotCutShort) {
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./" + std::string(300, 'c') +
              "\n/no/such/picture.png\n");
    Start();
    ASSERT_EQ(testseams::Alerts().size(), 2u);
    EXPECT_EQ(testseams::Alerts()[0].text,
              "I can't find that CardSet, so I'm defaulting to the standard set.");
    EXPECT_EQ(testseams::Alerts()[1].text,
              "Image file not recognised, reverting to plain background");
    EXPECT_EQ(std::string(view->GetBit()), AppDir() + "/cards.bmp");
    EXPECT_EQ(window->backgroundPath, "<NONE>");
}

TEST_F(App, SettingsSurviveAQuitAndARestart) {
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n1\n0\n./cards.bmp\n<NONE>\n");
    Start();
    view->SetFlags(1, 0, 1, view->GetOptions().twoRedeals);
    view->SetBack(3);
    Quit();
    EXPECT_EQ(ReadFile(), "Settings for Tarnwick\n\n1\n0\n1\n1\n3\n./cards.bmp\n<NONE>\n");

    app.reset();
    Start();
    EXPECT_EQ(Flags(), (std::vector<int32_t>{1, 0, 1, 1}));
    EXPECT_EQ(view->GetBack(), 4);
    EXPECT_EQ(view->GetOptions(), (Options{1, 0, 1, 1, 3}));
}

TEST_F(App, ClosingTheWindowWritesTheSettingsToo) {
    Start();
    window->PostMessage(B_QUIT_REQUESTED);  // the close box
    BLooper::DispatchAllPending();
    EXPECT_TRUE(app->IsQuitting());
    EXPECT_EQ(ReadFile(), "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n");
}

TEST_F(App, AFallbackIsWhatTheNextQuitRecords) {
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n0\n0\n/gone/cards.bmp\n/gone/wood.jpg\n");
    Start();
    Quit();
    EXPECT_EQ(ReadFile(),
              "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n" + AppDir() + "/cards.bmp\n<NONE>\n");
}

TEST_F(App, InADeepApplicationFolderTheFallbackIsRecordedSoTheNextStartReadsIt) {
    QTemporaryDir base;
    const QString deep = base.filePath(QString(120, 'd') + "/" + QString(120, 'e'));
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(AppDir() + "/cards.bmp"), deep + "/cards.bmp"));
    ASSERT_GT(deep.size() + 10, 254);
    exepath = deep.toStdString();
    QDir::setCurrent(deep);
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n0\n0\n/gone/cards.bmp\n<NONE>\n");
    for (int start = 0; start < 2; ++start) {
        testseams::ScriptAlerts();
        Start();
        EXPECT_EQ(testseams::Alerts().size(), start == 0 ? 1u : 0u) << "start " << start;
        Quit();
        app.reset();
    }
    EXPECT_EQ(ReadFile(), "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./cards.bmp\n<NONE>\n");
}

TEST_F(App, AMissingSettingsFolderIsCreatedAtQuit) {
    const QString folder = config.filePath("not/yet/there");
    qputenv("XDG_CONFIG_HOME", folder.toUtf8());
    Start();
    Quit();
    EXPECT_TRUE(QFile::exists(folder + "/Tarnwick"));
}

TEST_F(App, AnUnwritableSettingsFolderStillQuitsCleanly) {
    QFile blocker(config.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", config.filePath("blocked").toUtf8());  // a file, not a folder
    Start();
    Quit();
}

TEST_F(App, UnknownCodesChangeNothing) {
    Start();
    QImage before = QtSide::FrameBuffer(*view).copy();
    for (uint32 code : {0u, 4u, 11u, 12u, 16u, 19u, 22u, 51u, 999u})
        window->PostMessage(code);
    BLooper::DispatchAllPending();
    EXPECT_EQ(QtSide::FrameBuffer(*view), before);
    EXPECT_FALSE(app->IsQuitting());
}

TEST(ApplicationFolder, IsTheRealExecutablesFolderOrTheInstalledDataBesideIt) {
    // However it was started, the running executable's own folder.
    for (const char* started : {"tarnwick_tests", "./tarnwick_tests", "/somewhere/else/link"})
        EXPECT_EQ(ApplicationFolder(started),
                  QFileInfo(TARNWICK_TEST_BIN).canonicalPath().toStdString());

    QTemporaryDir root;
    auto make = [&root](const char* file) {
        const QString path = root.filePath(file);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile(path).open(QIODevice::WriteOnly);
    };
    const std::string prefix = root.path().toStdString();
    make("usr/games/tarnwick");
    EXPECT_EQ(DataFolderFor(prefix + "/usr/games"), prefix + "/usr/games")
        << "with no data anywhere, the alert names the executable's folder";
    make("usr/share/games/tarnwick/cards.bmp");
    EXPECT_EQ(DataFolderFor(prefix + "/usr/games"), prefix + "/usr/share/games/tarnwick");
    make("build/bin/cards.bmp");
    make("build/share/games/tarnwick/cards.bmp");
    EXPECT_EQ(DataFolderFor(prefix + "/build/bin"), prefix + "/build/bin")
        << "a build's own set comes first";
}

}  // namespace
