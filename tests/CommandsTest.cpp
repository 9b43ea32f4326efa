// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "Files.h"
#include "TestSupport.h"
#include "app/AboutWindow.h"
#include "app/CBackView.h"
#include "app/COptions.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/QtSide.h"

using namespace testing_support;

namespace {

class Commands : public TableFixture {
  protected:
    void Send(uint32 code) {
        window->PostMessage(code);
        BLooper::DispatchAllPending();
    }
    void Choose(uint32 code, const std::string& path) {
        BMessage reply(code);
        reply.AddString("path", path);
        window->PostMessage(reply);
        BLooper::DispatchAllPending();
    }
    std::string StdoutOf(uint32 code) {
        ::testing::internal::CaptureStdout();
        Send(code);
        return ::testing::internal::GetCapturedStdout();
    }
    QImage& MutableScreen() { return const_cast<QImage&>(QtSide::FrameBuffer(*view)); }
    Settings SavedAtQuit() {
        Send(MSG_EXIT);
        Settings saved;
        ReadSettings(config.path().toStdString() + "/Tarnwick", saved);
        return saved;
    }
    COptions* OptionsWindow() { return window->optionsWindow; }
    bool Framed(int tile) {
        return PixelAt(QtSide::FrameBuffer(*OptionsWindow()->backTiles[tile]), 1, 1) ==
               Rgb(0, 0, 0);
    }
    Files files;
};

TEST_F(Commands, DealAndUndoRepaintTheTableFirst) {
    for (uint32 code : {MSG_UNDO, MSG_DEAL}) {
        MutableScreen().fill(qRgb(255, 0, 255));
        Send(code);
        EXPECT_EQ(Screen(), Offscreen()) << code;
    }
}

TEST_F(Commands, OptionsOpenWithTheTablesValues) {
    view->SetFlags(1, 0, 1, 1);
    view->SetBack(2);
    Send(MSG_OPTIONS);
    ASSERT_NE(OptionsWindow(), nullptr);
    EXPECT_EQ(window->optionsCreated, 1);
    EXPECT_EQ(OptionsWindow()->Title(), "Tarnwick - Options");
    EXPECT_EQ(OptionsWindow()->Type(), B_MODAL_WINDOW);
    EXPECT_EQ(OptionsWindow()->Frame(), BRect(212, 170, 587, 430));
    EXPECT_FALSE(OptionsWindow()->IsHidden());
    EXPECT_EQ(OptionsWindow()->freezeBox->Value(), 1);
    EXPECT_EQ(OptionsWindow()->autoCompleteBox->Value(), 0);
    EXPECT_EQ(OptionsWindow()->dealOneBox->Value(), 1);
    EXPECT_EQ(OptionsWindow()->freezeBox->Label(), "Freeze completed decks.");
    EXPECT_EQ(OptionsWindow()->backBox->Label(), "Card Back");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Framed(i), i == 2) << i;
    // Each tile shows its own back from the card set.
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*OptionsWindow()->backTiles[3]), 38, 50),
              PixelAt(view->GetBitmap(), 923 + 35, 288 + 47));
}

TEST_F(Commands, CancelKeepsTheWindowsStateAndOkAppliesIt) {
    Send(MSG_OPTIONS);
    OptionsWindow()->dealOneBox->Click();
    OptionsWindow()->freezeBox->Click();
    BLooper::DispatchAllPending();
    OptionsWindow()->cancelButton->Click();
    BLooper::DispatchAllPending();
    EXPECT_TRUE(OptionsWindow()->IsHidden());
    EXPECT_EQ(view->GetOptions().dealOne, 0);

    Send(MSG_OPTIONS);
    EXPECT_EQ(OptionsWindow()->dealOneBox->Value(), 1);
    OptionsWindow()->okButton->Click();
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->GetOptions().dealOne, 1);
    EXPECT_EQ(view->GetOptions().freezePacks, 1);
    EXPECT_EQ(view->GetOptions().autoCompleteOn, 1);
}

TEST_F(Commands, ChoosingTilesFramesOnlyTheLastOneEvenReleasedOffIt) {
    Send(MSG_OPTIONS);
    testseams::Press(OptionsWindow()->backTiles[1], 1, {{BPoint(30, 30), 1}});
    BLooper::DispatchAllPending();
    EXPECT_TRUE(Framed(1));
    testseams::Press(OptionsWindow()->backTiles[3], 1,
                     {{BPoint(30, 30), 1}, {BPoint(-200, 300), 1}});
    BLooper::DispatchAllPending();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Framed(i), i == 3) << i;
    EXPECT_EQ(OptionsWindow()->GetOptions().back, 3);
}

TEST_F(Commands, TheCardBacksAreReachedNamedAndChosenByKeyboard) {
    Send(MSG_OPTIONS);
    auto tile = [this](int i) { return QtSide::Widget(*OptionsWindow()->backTiles[i]); };
    auto key = [&](int qtKey) {
        QWidget* at = tile(0)->window()->focusWidget();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QCoreApplication::sendEvent(at, &press);
        BLooper::DispatchAllPending();
    };
    auto focused = [&] {
        for (int i = 0; i < 4; ++i)
            if (tile(i)->window()->focusWidget() == tile(i))
                return i;
        return -1;
    };
    tile(0)->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), 1);
    key(Qt::Key_Right), key(Qt::Key_Right);
    EXPECT_EQ(focused(), 3);
    key(Qt::Key_Right);  // the last tile keeps the focus
    EXPECT_EQ(focused(), 3);
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), 2);
    key(Qt::Key_Space);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Framed(i), i == 2) << i;
    EXPECT_EQ(OptionsWindow()->GetOptions().back, 2);

    // Each is a choice of its own name, the chosen one marked.
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(tile(i));
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(),
                  "Card back " + std::to_string(i + 1));
        EXPECT_EQ(face->role(), QAccessible::RadioButton);
        EXPECT_EQ(bool(face->state().checked), i == 2) << i;
    }
}

TEST_F(Commands, TheTableRedrawsOnlyWhenTheBackChanged) {
    Send(MSG_OPTIONS);
    MutableScreen().fill(qRgb(255, 0, 255));
    OptionsWindow()->okButton->Click();
    BLooper::DispatchAllPending();
    EXPECT_EQ(PixelAt(Screen(), 300, 300), Rgb(255, 0, 255));  // same back: nothing drawn

    Send(MSG_OPTIONS);
    testseams::Press(OptionsWindow()->backTiles[2], 1, {{BPoint(30, 30), 1}});
    BLooper::DispatchAllPending();
    OptionsWindow()->okButton->Click();
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->GetBack(), 3);
    EXPECT_EQ(Screen(), Offscreen());
    EXPECT_EQ(PixelAt(Screen(), 60, 60), PixelAt(view->GetBitmap(), 923 + 35, 192 + 45));
}

TEST_F(Commands, TwoRedealsPassesThroughUntouched) {
    view->SetFlags(0, 1, 0, 1);
    Send(MSG_OPTIONS);
    EXPECT_EQ(OptionsWindow()->GetOptions().twoRedeals, 1);
    OptionsWindow()->okButton->Click();
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->GetOptions().twoRedeals, 1);
    EXPECT_EQ(SavedAtQuit().options.twoRedeals, 1);
}

TEST_F(Commands, DialogsKeepTheirPlaceOverAMovedMainWindow) {
    QtSide::Widget(*window)->move(QPoint(150, 90));
    Send(MSG_OPTIONS);
    Send(MSG_ABOUT);
    EXPECT_EQ(QtSide::Widget(*OptionsWindow())->pos(), QPoint(312, 210));
    BWindow* about = be_app->WindowAt(be_app->CountWindows() - 1);
    EXPECT_EQ(QtSide::Widget(*about)->pos(), QPoint(200, 140));
}

TEST_F(Commands, TheOptionsCloseBoxCancels) {
    Send(MSG_OPTIONS);
    COptions* options = OptionsWindow();
    options->PostMessage(B_QUIT_REQUESTED);
    BLooper::DispatchAllPending();
    EXPECT_TRUE(options->IsHidden());
    EXPECT_EQ(window->optionsWindow, options);
    Send(MSG_OPTIONS);  // still there to show again
    EXPECT_FALSE(options->IsHidden());
}

TEST_F(Commands, LoadBackgroundOpensThePanelInThePicturesFolder) {
    EXPECT_EQ(StdoutOf(MSG_LOAD_BACKGROUND), "<NONE>\n<NONE>/\n");
    window->backgroundPath = "/home/pics/wood.jpg";
    EXPECT_EQ(StdoutOf(MSG_LOAD_BACKGROUND), "/home/pics/wood.jpg\n10\n/home/pics/\n");
    Send(MSG_LOAD_CARDSET);
    EXPECT_EQ(testseams::FilePanelFolders(),
              (std::vector<std::string>{"<NONE>/", "/home/pics/", AppDir()}));
}

TEST_F(Commands, AChosenCardSetOfTheWrongSizeFallsBackAndIsRecorded) {
    testseams::ScriptFilePanel(files.Picture("small.png", 50, 50, qRgb(0, 0, 0)));
    testseams::ScriptAlerts();
    Send(MSG_LOAD_CARDSET);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text,
              "That image file is the wrong size, so I'm defaulting to the standard set.");
    EXPECT_EQ(SavedAtQuit().cardSetPath, AppDir() + "/cards.bmp");
}

TEST_F(Commands, AChosenCardSetIsUsedAndRedrawnAtOnce) {
    QImage set(994, 384, QImage::Format_RGB32);
    set.fill(qRgb(200, 30, 30));
    testseams::ScriptFilePanel(files.Save("red.png", set));
    Send(MSG_LOAD_CARDSET);
    EXPECT_EQ(PixelAt(Screen(), 60, 60), Rgb(200, 30, 30));  // the deck, drawn with the new set
    EXPECT_EQ(SavedAtQuit().cardSetPath, files.Path("red.png"));
}

TEST_F(Commands, AChosenBackgroundThatIsNoPictureRevertsToPlain) {
    testseams::ScriptFilePanel(files.Bytes("notes.jpg", "just text"));
    testseams::ScriptAlerts();
    Send(MSG_LOAD_BACKGROUND);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(window->backgroundPath, "<NONE>");
    EXPECT_EQ(SavedAtQuit().backgroundPath, "<NONE>");
}

TEST_F(Commands, AChosenBackgroundIsShownAndRecordedAndClearedAgain) {
    const std::string wood = files.Picture("wood.png", 40, 40, qRgb(120, 80, 40));
    testseams::ScriptFilePanel(wood);
    Send(MSG_LOAD_BACKGROUND);
    EXPECT_EQ(window->backgroundPath, wood);
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(120, 80, 40));
    testseams::ScriptAlerts();
    Send(MSG_CLEAR_BACKGROUND);
    EXPECT_TRUE(testseams::Alerts().empty());
    EXPECT_EQ(window->backgroundPath, "<NONE>");
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(0, 153, 0));
    EXPECT_EQ(PixelAt(Screen(), 300, 60), Rgb(0, 122, 0));
    EXPECT_EQ(SavedAtQuit().backgroundPath, "<NONE>");
}

TEST_F(Commands, OverlongChosenPathsAreRefusedAndNothingChanges) {
    const std::string longPath = "/tmp/" + std::string(300, 'p') + ".png";
    testseams::ScriptAlerts();
    Choose(MSG_CARDSET_CHOSEN, longPath);
    Choose(MSG_BACKGROUND_CHOSEN, longPath);
    ASSERT_EQ(testseams::Alerts().size(), 2u);
    EXPECT_NE(testseams::Alerts()[0].text.find("too long"), std::string::npos);
    EXPECT_STREQ(view->GetBit(), "./cards.bmp");
    EXPECT_EQ(window->backgroundPath, "<NONE>");
}

// Such names are legal file names; written raw they would break the settings file's lines.
TEST_F(Commands, ChosenPathsWithLineBreaksOrNulAreRefusedAndNothingChanges) {
    const std::string card = files.Picture("cards\n.bmp", 71, 96, qRgb(1, 2, 3), "BMP");
    const std::string wood = files.Picture("wood\r.png", 40, 40, qRgb(120, 80, 40));
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(wood)));
    testseams::ScriptAlerts();
    testseams::ScriptFilePanel(card);
    Send(MSG_LOAD_CARDSET);
    testseams::ScriptFilePanel(wood);
    Send(MSG_LOAD_BACKGROUND);
    Choose(MSG_BACKGROUND_CHOSEN, std::string("/tmp/wood\0.png", 15));
    ASSERT_EQ(testseams::Alerts().size(), 3u);
    EXPECT_NE(testseams::Alerts()[0].text.find("card set stays as it is"), std::string::npos);
    EXPECT_NE(testseams::Alerts()[1].text.find("line break"), std::string::npos);
    EXPECT_STREQ(view->GetBit(), "./cards.bmp");
    EXPECT_EQ(window->backgroundPath, "<NONE>");
    EXPECT_EQ(PixelAt(Screen(), 650, 450), Rgb(0, 153, 0));
    EXPECT_EQ(SavedAtQuit().cardSetPath, "./cards.bmp");
    EXPECT_EQ(SavedAtQuit().backgroundPath, "<NONE>");
}

TEST_F(Commands, RulesOpenTheHelpPageWithoutAShell) {
    testseams::RecordBrowser();
    exepath = "/tmp/it's a \"folder\"; rm -rf ~";
    Send(MSG_RULES);
    ASSERT_EQ(testseams::BrowserLaunches().size(), 1u);
    EXPECT_EQ(testseams::BrowserLaunches()[0],
              "file:///tmp/it's%20a%20%22folder%22;%20rm%20-rf%20~/help.html");
    exepath = AppDir();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(AppDir() + "/help.html")));
}

TEST_F(Commands, EveryAboutIsANewWindowThatOkCloses) {
    const int before = be_app->CountWindows();
    Send(MSG_ABOUT);
    Send(MSG_ABOUT);
    ASSERT_EQ(be_app->CountWindows(), before + 2);
    auto* about = static_cast<AboutWindow*>(be_app->WindowAt(before));
    EXPECT_EQ(about->Title(), "Tarnwick : About");
    EXPECT_EQ(about->Frame(), BRect(100, 100, 550, 300));
    ASSERT_NE(about->view->picture, nullptr);
    const QImage& shown = QtSide::FrameBuffer(*about->view);
    EXPECT_EQ(PixelAt(shown, 20, 40), PixelAt(about->view->picture.get(), 10, 10));
    EXPECT_EQ(PixelAt(shown, 445, 5), Rgb(95, 120, 255));
    EXPECT_EQ(PixelAt(shown, 255, 100), PixelAt(about->view->picture.get(), 245, 70));
    int white = 0;  // the title's letters
    for (int y = 14; y <= 32; ++y)
        for (int x = 270; x <= 380; ++x)
            white += PixelAt(shown, x, y) == Rgb(255, 255, 255);
    EXPECT_GT(white, 40);
    static_cast<BButton*>(about->view->ChildAt(0))->Click();
    BLooper::DispatchAllPending();
    EXPECT_EQ(be_app->CountWindows(), before + 1);
}

// Escape closes the about window as OK does, and Enter too; Escape cancels the options window.
// Each key goes to the control that has the focus and on to the window, as a player's would.
TEST_F(Commands, EscapeAndEnterAnswerTheAboutAndOptionsWindows) {
    auto press = [](BWindow* w, int key) {
        QWidget* widget = QtSide::Widget(*w);
        QWidget* target = widget->focusWidget() ? widget->focusWidget() : widget;
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
        BLooper::DispatchAllPending();
    };
    const int before = be_app->CountWindows();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        Send(MSG_ABOUT);
        ASSERT_EQ(be_app->CountWindows(), before + 1);
        press(be_app->WindowAt(before), key);
        EXPECT_EQ(be_app->CountWindows(), before) << key;
    }
    Send(MSG_OPTIONS);
    OptionsWindow()->dealOneBox->Click();
    BLooper::DispatchAllPending();
    press(OptionsWindow(), Qt::Key_Return);  // not the options window's key: nothing happens
    EXPECT_FALSE(OptionsWindow()->IsHidden());
    press(OptionsWindow(), Qt::Key_Escape);
    EXPECT_TRUE(OptionsWindow()->IsHidden());
    EXPECT_EQ(view->GetOptions().dealOne, 0) << "cancelled";
}

// The options and about windows, and alerts, stand over the main window: the desktop keeps them
// above it and places them there.
TEST_F(Commands, EveryOtherWindowIsTransientForTheMainWindow) {
    Send(MSG_ABOUT);
    Send(MSG_OPTIONS);
    QWindow* main = QtSide::Widget(*window)->windowHandle();
    ASSERT_NE(main, nullptr);
    for (int i = 1; i < be_app->CountWindows(); ++i) {
        QWindow* other = QtSide::Widget(*be_app->WindowAt(i))->windowHandle();
        ASSERT_NE(other, nullptr) << be_app->WindowAt(i)->Title();
        EXPECT_EQ(other->transientParent(), main) << be_app->WindowAt(i)->Title();
    }
    testseams::Reset();  // a real alert box
    QWindow* alertParent = nullptr;
    QTimer up;
    QObject::connect(&up, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QDialog*>(w);
                box && box->isVisible() && w->windowTitle() == "Tarnwick") {
                up.stop();
                alertParent = box->windowHandle()->transientParent();
                box->done(0);
            }
    });
    up.start(0);
    BAlert("Tarnwick", "Over the table?", "OK").Go();
    QuietPlatform();
    EXPECT_EQ(alertParent, main);
}

TEST_F(Commands, FixedSizeWindowsOfferNoMaximiseAndAboutEndsOnlyByOk) {
    Send(MSG_ABOUT);
    Send(MSG_OPTIONS);
    auto* about = static_cast<AboutWindow*>(be_app->WindowAt(be_app->CountWindows() - 2));
    ASSERT_EQ(about->Title(), "Tarnwick : About");
    for (int i = 0; i < be_app->CountWindows(); ++i)
        EXPECT_FALSE(QtSide::Widget(*be_app->WindowAt(i))->windowFlags() &
                     Qt::WindowMaximizeButtonHint)
            << be_app->WindowAt(i)->Title();
    EXPECT_FALSE(QtSide::Widget(*about)->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(QtSide::Widget(*window)->windowFlags() & Qt::WindowCloseButtonHint);
    // A title bar that offers to maximise anyway is turned down: the window keeps its state.
    QWidget* main = QtSide::Widget(*window);
    main->setWindowState(main->windowState() | Qt::WindowMaximized);
    EXPECT_FALSE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->size(), main->minimumSize());
}

TEST_F(Commands, TheWindowIconFollowsALoadedCardSet) {
    QImage sheet(QString::fromStdString(AppDir() + "/cards.bmp"));
    sheet = sheet.convertToFormat(QImage::Format_ARGB32);
    const BRect ace = view->GetCardBitmap(4, 1);
    for (int y = int(ace.top) + 30; y < int(ace.top) + 60; ++y)
        for (int x = 20; x < 50; ++x)
            sheet.setPixel(x, y, qRgb(250, 0, 250));
    Choose(MSG_CARDSET_CHOSEN, files.Save("magenta.bmp", sheet, "BMP"));
    ASSERT_EQ(std::string(view->GetBit()), files.Path("magenta.bmp"));
    const QImage icon = QApplication::windowIcon().pixmap(71, 96).toImage();
    EXPECT_EQ(icon.pixel(35, 45), qRgb(250, 0, 250));
}

TEST_F(Commands, TheAboutWindowOpensWithoutItsPicture) {
    Files emptyFolder;
    exepath = emptyFolder.Folder();
    Send(MSG_ABOUT);
    auto* about = static_cast<AboutWindow*>(be_app->WindowAt(be_app->CountWindows() - 1));
    EXPECT_EQ(about->view->picture, nullptr);
    EXPECT_EQ(PixelAt(QtSide::FrameBuffer(*about->view), 445, 5), Rgb(95, 120, 255));
    exepath = AppDir();
}

}  // namespace
