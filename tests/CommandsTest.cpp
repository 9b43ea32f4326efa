// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QWindow>

#include "Files.h"
#include "TestSupport.h"
#include "app/AboutWindow.h"
#include "app/CBackView.h"
#include "app/COptions.h"
#include "platform/Application.h"
#include "platform/Controls.h"

using namespace testing_support;

namespace {

class Commands : public TableFixture {
  protected:
    void Choose(uint32 code, const std::string& path) {
        BMessage reply(code);
        reply.AddString("path", path);
        window->PostMessage(reply);
        BLooper::DispatchAllPending();
    }
    COptions* Options() { return window->optionsWindow; }
    bool Framed(int tile) {
        return PixelAt(QtSide::FrameBuffer(*Options()->backTiles[tile]), 1, 1) == Rgb(0, 0, 0);
    }
    void ExpectFramed(int chosen) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Framed(i), i == chosen) << i;
    }
    void Click(BButton* button) {
        button->Click();
        BLooper::DispatchAllPending();
    }
    // A key to the control that has the focus in the window, and on to the window.
    void Press(BWindow* w, int key) {
        QWidget* widget = QtSide::Widget(*w);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(widget->focusWidget() ? widget->focusWidget() : widget, &event);
        BLooper::DispatchAllPending();
    }
    Files files;
};

// The options window opens modal with the table's values; Cancel, Escape and the close box leave
// them, OK applies them, and the redeal option nobody can see passes through.
TEST_F(Commands, TheOptionsWindowShowsTheTablesValuesAndOnlyOkAppliesThem) {
    view->SetFlags(1, 0, 1, 1);
    view->SetBack(2);
    Send(MSG_OPTIONS);
    ASSERT_NE(Options(), nullptr);
    EXPECT_EQ(Options()->Title(), "Tarnwick - Options");
    EXPECT_EQ(Options()->Frame(), BRect(212, 170, 587, 430));
    EXPECT_EQ(QtSide::Widget(*Options())->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(Options()->freezeBox->Value(), 1);
    EXPECT_EQ(Options()->autoCompleteBox->Value(), 0);
    EXPECT_EQ(Options()->dealOneBox->Value(), 1);
    EXPECT_EQ(Options()->freezeBox->Label(), "Freeze completed decks.");
    EXPECT_EQ(Options()->backBox->Label(), "Card Back");
    ExpectFramed(2);
    // Each tile shows its own back from the card set.
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*Options()->backTiles[3]), 38, 50),
              PixelAt(view->GetBitmap(), 923 + 35, 288 + 47));

    // Each time the boxes are changed; the window keeps what they show.
    auto changeThen = [&](std::function<void()> leave) {
        Send(MSG_OPTIONS);
        Options()->dealOneBox->Click();
        Options()->freezeBox->Click();
        BLooper::DispatchAllPending();
        leave();
        EXPECT_TRUE(Options()->IsHidden());
    };
    changeThen([&] { Click(Options()->cancelButton); });
    changeThen([&] {
        Press(Options(), Qt::Key_Return);  // not the options window's key: nothing happens
        EXPECT_FALSE(Options()->IsHidden());
        Press(Options(), Qt::Key_Escape);
    });
    changeThen([&] {
        Options()->PostMessage(B_QUIT_REQUESTED);  // the close box
        BLooper::DispatchAllPending();
    });
    EXPECT_EQ(view->GetOptions(), (::Options{1, 0, 1, 1, 2}));
    EXPECT_EQ(window->optionsCreated, 1);
    Send(MSG_OPTIONS);
    EXPECT_EQ(Options()->dealOneBox->Value(), 0);
    Click(Options()->okButton);
    EXPECT_EQ(view->GetOptions(), (::Options{0, 0, 0, 1, 2}));
    Send(MSG_EXIT);
    EXPECT_EQ(Saved().options.twoRedeals, 1);
}

TEST_F(Commands, CardBacksAreChosenByMouseOrByKeyboardAndShownOnOk) {
    Send(MSG_OPTIONS);
    testseams::Press(Options()->backTiles[1], 1, {{BPoint(30, 30), 1}});
    BLooper::DispatchAllPending();
    ExpectFramed(1);
    // Released off the tile, the press still chooses it.
    testseams::Press(Options()->backTiles[3], 1, {{BPoint(30, 30), 1}, {BPoint(-200, 300), 1}});
    BLooper::DispatchAllPending();
    ExpectFramed(3);
    EXPECT_EQ(Options()->GetOptions().back, 3);

    auto tile = [this](int i) { return QtSide::Widget(*Options()->backTiles[i]); };
    auto focused = [&] {
        for (int i = 0; i < 4; ++i)
            if (tile(i)->window()->focusWidget() == tile(i))
                return i;
        return -1;
    };
    tile(0)->setFocus(Qt::TabFocusReason);
    const std::pair<int, int> keys[] = {{Qt::Key_Tab, 1},   {Qt::Key_Right, 2}, {Qt::Key_Right, 3},
                                        {Qt::Key_Right, 3}, {Qt::Key_Up, 2},    {Qt::Key_Space, 2}};
    for (auto [key, then] : keys) {
        Press(Options(), key);
        EXPECT_EQ(focused(), then) << key;
    }
    ExpectFramed(2);
    // Each is a choice of its own name, the chosen one marked.
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(tile(i));
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(),
                  "Card back " + std::to_string(i + 1));
        EXPECT_EQ(face->role(), QAccessible::RadioButton);
        EXPECT_EQ(bool(face->state().checked), i == 2) << i;
    }
    Click(Options()->okButton);
    EXPECT_EQ(view->GetBack(), 3);
    EXPECT_EQ(Screen(), Offscreen());
    EXPECT_EQ(PixelAt(Screen(), 60, 60), PixelAt(view->GetBitmap(), 923 + 35, 192 + 45));
}

TEST_F(Commands, ChosenCardSetsAndBackgroundsAreUsedAndRecordedOrRefused) {
    window->backgroundPath = "/home/pics/wood.jpg";  // the panel opens in the picture's folder
    Send(MSG_LOAD_BACKGROUND);
    window->backgroundPath = "<NONE>";

    QImage red(994, 384, QImage::Format_RGB32);
    red.fill(qRgb(200, 30, 30));
    testseams::ScriptFilePanel(files.Save("red.png", red));
    Send(MSG_LOAD_CARDSET);
    EXPECT_EQ(PixelAt(Screen(), 60, 60), Rgb(200, 30, 30));  // the deck, drawn with the new set
    EXPECT_EQ(testseams::FilePanelFolders(), (std::vector<std::string>{"/home/pics/", AppDir()}));
    const std::string wood = files.Picture("wood.png", 40, 40, qRgb(120, 80, 40));
    testseams::ScriptFilePanel(wood);
    Send(MSG_LOAD_BACKGROUND);
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(120, 80, 40));
    EXPECT_EQ(std::string(view->GetBit()), files.Path("red.png"));
    EXPECT_EQ(window->backgroundPath, wood);
    Send(MSG_CLEAR_BACKGROUND);
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(0, 153, 0));
    EXPECT_EQ(PixelAt(Screen(), 300, 60), Rgb(0, 122, 0));
    EXPECT_TRUE(testseams::Alerts().empty());

    // Refused with an alert, leaving everything as it was: a set of the wrong size, a file that
    // is no picture, paths too long, and names with line breaks or a NUL, which would break the
    // settings file's lines.
    testseams::ScriptFilePanel(files.Picture("small.png", 50, 50, qRgb(0, 0, 0)));
    Send(MSG_LOAD_CARDSET);
    testseams::ScriptFilePanel(files.Bytes("notes.jpg", "just text"));
    Send(MSG_LOAD_BACKGROUND);
    const std::string longPath = "/tmp/" + std::string(300, 'p') + ".png";
    Choose(MSG_CARDSET_CHOSEN, longPath);
    Choose(MSG_BACKGROUND_CHOSEN, longPath);
    testseams::ScriptFilePanel(files.Picture("cards\n.bmp", 71, 96, qRgb(1, 2, 3), "BMP"));
    Send(MSG_LOAD_CARDSET);
    testseams::ScriptFilePanel(files.Picture("wood\r.png", 40, 40, qRgb(120, 80, 40)));
    Send(MSG_LOAD_BACKGROUND);
    Choose(MSG_BACKGROUND_CHOSEN, std::string("/tmp/wood\0.png", 15));
    std::vector<std::string> said;
    for (const auto& alert : testseams::Alerts())
        said.push_back(alert.text.substr(0, 28));
    EXPECT_EQ(said, (std::vector<std::string>{
                        "That image file is the wrong", "Image file not recognised, r",
                        "That file's path is too long", "That file's path is too long",
                        "That file's name holds a lin", "That file's name holds a lin",
                        "That file's name holds a lin"}));
    EXPECT_EQ(std::string(view->GetBit()), AppDir() + "/cards.bmp");
    EXPECT_EQ(window->backgroundPath, "<NONE>");
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(0, 153, 0));
    Send(MSG_EXIT);
    EXPECT_EQ(Saved().cardSetPath, AppDir() + "/cards.bmp");
    EXPECT_EQ(Saved().backgroundPath, "<NONE>");
}

TEST_F(Commands, RulesOpenTheHelpPageWithoutAShell) {
    testseams::RecordBrowser();
    exepath = "/tmp/it's a \"folder\"; rm -rf ~";
    Send(MSG_RULES);
    ASSERT_EQ(testseams::BrowserLaunches().size(), 1u);
    EXPECT_EQ(testseams::BrowserLaunches()[0],
              "file:///tmp/it's%20a%20%22folder%22;%20rm%20-rf%20~/help.html");
    exepath = AppDir();
}

// Every About is a window of its own, with its picture, that OK, Escape and Enter close; with no
// picture to be found it opens all the same.
TEST_F(Commands, EveryAboutIsANewWindowThatOkEscapeOrEnterCloses) {
    const int before = be_app->CountWindows();
    Send(MSG_ABOUT);
    Send(MSG_ABOUT);
    ASSERT_EQ(be_app->CountWindows(), before + 2);
    auto* about = static_cast<AboutWindow*>(be_app->WindowAt(before));
    EXPECT_EQ(about->Title(), "Tarnwick : About");
    EXPECT_EQ(about->Frame(), BRect(100, 100, 550, 300));
    ASSERT_NE(about->view->picture, nullptr);
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*about->view), 255, 100),
              PixelAt(about->view->picture.get(), 245, 70));
    Click(static_cast<BButton*>(about->view->ChildAt(0)));
    EXPECT_EQ(be_app->CountWindows(), before + 1);
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        Press(be_app->WindowAt(before), key);
        Send(MSG_ABOUT);
    }
    EXPECT_EQ(be_app->CountWindows(), before + 1);

    Files emptyFolder;
    exepath = emptyFolder.Folder();
    Send(MSG_ABOUT);
    exepath = AppDir();
    about = static_cast<AboutWindow*>(be_app->WindowAt(be_app->CountWindows() - 1));
    EXPECT_EQ(about->view->picture, nullptr);
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*about->view), 445, 5), Rgb(95, 120, 255));
}

// The options and about windows stand over the main window, where the desktop keeps them, in
// their places over a moved main window; none offers to maximise.
TEST_F(Commands, EveryOtherWindowStandsOverTheMainWindow) {
    QtSide::Widget(*window)->move(QPoint(150, 90));
    Send(MSG_OPTIONS);
    Send(MSG_ABOUT);
    EXPECT_EQ(QtSide::Widget(*Options())->pos(), QPoint(312, 210));
    EXPECT_EQ(QtSide::Widget(*be_app->WindowAt(be_app->CountWindows() - 1))->pos(),
              QPoint(200, 140));
    QWindow* main = QtSide::Widget(*window)->windowHandle();
    for (int i = 0; i < be_app->CountWindows(); ++i) {
        QWidget* other = QtSide::Widget(*be_app->WindowAt(i));
        EXPECT_FALSE(other->windowFlags() & Qt::WindowMaximizeButtonHint) << i;
        if (i > 0) {
            EXPECT_EQ(other->windowHandle()->transientParent(), main) << i;
        }
    }
    // A title bar that offers to maximise anyway is turned down: the window keeps its state.
    QWidget* mainWidget = QtSide::Widget(*window);
    mainWidget->setWindowState(mainWidget->windowState() | Qt::WindowMaximized);
    EXPECT_FALSE(mainWidget->windowState() & Qt::WindowMaximized);
}

}  // namespace
