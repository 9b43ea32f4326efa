// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QIcon>
#include <fstream>

#include "TestSupport.h"
#include "platform/Menus.h"

using namespace testing_support;

namespace {

class App : public AppFixture {
  protected:
    void WriteFile(const std::string& text) {
        std::ofstream(SettingsFile(), std::ios::binary) << text;
    }
    void Quit(uint32 how = MSG_EXIT) {
        Send(how);
        ASSERT_TRUE(app->IsQuitting());
    }
    std::vector<int32_t> Flags() const {
        int32_t f, a, o, r;
        view->GetFlags(f, a, o, r);
        return {f, a, o, r, view->GetBack()};
    }
};

TEST_F(App, StartsWithDefaultsAndItsMenus) {
    Start();
    EXPECT_EQ(window->Title(), "Tarnwick");
    EXPECT_EQ(view->Frame(), BRect(0, 20, 700, 520));
    EXPECT_EQ(Flags(), (std::vector<int32_t>{0, 1, 0, 0, 1}));
    // The desktop entry the window belongs to: on Wayland, its app id.
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.tarnwick.Tarnwick");
    EXPECT_FALSE(window->undoItem->IsEnabled());
    EXPECT_EQ(QtSide::Widget(*window)->minimumSize(), QtSide::Widget(*window)->maximumSize());
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_TRUE(testseams::Alerts().empty());
    // Shown fully drawn: a dealt table on green.
    EXPECT_EQ(QtSide::FrameBuffer(*view), QtSide::Image(*view->OffscreenImage()));
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*view), 650, 450), Rgb(0, 153, 0));

    BMenu* game = window->menuBar->SubmenuAt(0);
    BMenu* help = window->menuBar->SubmenuAt(1);
    std::vector<std::string> labels;
    for (int i = 0; i < game->CountItems(); ++i)
        labels.push_back(game->ItemAt(i)->Label());
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Deal", "Undo", "", "Options", "Load CardSet", "",
                                        "Load Background", "Clear Background", "", "Exit"}));
    EXPECT_EQ(QtSide::Action(*game->FindItem("Deal"))->shortcut().toString(), "Ctrl+D");
    EXPECT_EQ(QtSide::Action(*game->FindItem("Clear Background"))->shortcut().toString(), "Ctrl+C");
    EXPECT_EQ(help->FindItem("Rules")->Command(), MSG_RULES);
    EXPECT_EQ(QtSide::Action(*help->FindItem("About"))->shortcut().toString(), "Ctrl+A");
}

// The five numbers are read from any lines under any header; a back out of range is the first;
// from a damaged number on, and in a file of no text at all, the defaults stay.
TEST_F(App, ReadsTheSettingsFileOrKeepsTheDefaults) {
    const std::pair<std::string, std::vector<int32_t>> files[] = {
        {"Settings for Tarnwick\n\n1\n0\n1\n1\n2\n" + AppDir() + "/cards.bmp\n<NONE>\n",
         {1, 0, 1, 1, 3}},
        {"whatever the header says\nand this too\n1 1 1 0 3\n./cards.bmp\n<NONE>\n",
         {1, 1, 1, 0, 4}},
        {"Settings for Tarnwick\n\n0\n1\n0\n0\n7\n./cards.bmp\n<NONE>\n", {0, 1, 0, 0, 1}},
        {"Settings\n\n1\n1\nx\n1\n3\n./cards.bmp\n<NONE>\n", {1, 1, 0, 0, 1}},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {0, 1, 0, 0, 1}},
        {std::string(100000, '\xff'), {0, 1, 0, 0, 1}},
        {"", {0, 1, 0, 0, 1}},
    };
    for (const auto& [text, flags] : files) {
        WriteFile(text);
        Start();
        EXPECT_EQ(Flags(), flags) << text.substr(0, 40);
        EXPECT_TRUE(testseams::Alerts().empty());
        EXPECT_EQ(window->backgroundPath, "<NONE>");
        app.reset();
    }
}

TEST_F(App, SettingsSurviveAQuitByTheCloseBoxAndARestart) {
    Start();
    view->SetFlags(1, 0, 1, 1);
    view->SetBack(3);
    Quit(B_QUIT_REQUESTED);  // the close box
    EXPECT_EQ(SettingsText(), "Settings for Tarnwick\n\n1\n0\n1\n1\n3\n./cards.bmp\n<NONE>\n");
    app.reset();
    Start();
    EXPECT_EQ(view->GetOptions(), (Options{1, 0, 1, 1, 3}));
}

// A path too long is refused, not cut short; what falls back is what the next quit records.
TEST_F(App, AnOverlongOrMissingPathFallsBackAndTheFallbackIsRecorded) {
    WriteFile("Settings for Tarnwick\n\n0\n1\n0\n0\n0\n./" + std::string(300, 'c') +
              "\n/no/such/picture.png\n");
    Start();
    ASSERT_EQ(testseams::Alerts().size(), 2u);
    EXPECT_EQ(testseams::Alerts()[0].text,
              "I can't find that CardSet, so I'm defaulting to the standard set.");
    EXPECT_EQ(testseams::Alerts()[1].text,
              "Image file not recognised, reverting to plain background");
    Quit();
    EXPECT_EQ(SettingsText(),
              "Settings for Tarnwick\n\n0\n1\n0\n0\n0\n" + AppDir() + "/cards.bmp\n<NONE>\n");
}

// A missing settings folder is made; one that cannot be (a file stands there) still lets the
// program quit.
TEST_F(App, QuitsCleanlyWhereverTheSettingsGo) {
    const QString folder = config.filePath("not/yet/there");
    qputenv("XDG_CONFIG_HOME", folder.toUtf8());
    Start();
    Quit();
    EXPECT_TRUE(QFile::exists(folder + "/Tarnwick"));
    app.reset();
    qputenv("XDG_CONFIG_HOME", (folder + "/Tarnwick").toUtf8());  // a file, not a folder
    Start();
    Quit();
}

}  // namespace
