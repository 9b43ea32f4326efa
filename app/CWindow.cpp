// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CWindow.h"

#include "app/Globals.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/System.h"
#include "view/CView.h"

namespace {

struct MenuEntry {
    const char* label;  // nullptr: a separator
    char shortcut;
    uint32_t code;
};

constexpr MenuEntry kGameMenu[] = {
    {"Deal", 'D', MSG_DEAL},
    {"Undo", 'Z', MSG_UNDO},
    {nullptr, 0, 0},
    {"Options", 'O', MSG_OPTIONS},
    {"Load CardSet", 'L', MSG_LOAD_CARDSET},
    {nullptr, 0, 0},
    {"Load Background", 'B', MSG_LOAD_BACKGROUND},
    {"Clear Background", 'C', MSG_CLEAR_BACKGROUND},
    {nullptr, 0, 0},
    {"Exit", 'Q', MSG_EXIT},
};

constexpr MenuEntry kHelpMenu[] = {
    {"Rules", 'R', MSG_RULES},
    {"About", 'A', MSG_ABOUT},
};

template <size_t N>
BMenu* MakeMenu(const char* name, const MenuEntry (&entries)[N], BMenuItem** undoItem) {
    auto* menu = new BMenu(name, B_ITEMS_IN_COLUMN);
    for (const MenuEntry& e : entries) {
        if (!e.label) {
            menu->AddSeparatorItem();
            continue;
        }
        auto* item = new BMenuItem(e.label, new BMessage(e.code), e.shortcut, 0);
        if (e.code == MSG_UNDO) {
            *undoItem = item;
            item->SetEnabled(false);
        }
        menu->AddItem(item);
    }
    return menu;
}

}  // namespace

CWindow::CWindow(BRect frame, const char* title, window_type type)
    : BWindow(frame, title, type, B_NOT_RESIZABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE) {
    optionsCreated = 0;
    BuildMenus();

    const BRect tableFrame(0, 20, 700, 520);
    Settings settings;  // the start values, which the file may replace
    backgroundPath = settings.backgroundPath;
    const bool fromFile = ReadSettings(SettingsPath(), settings);

    tableView = new CView(tableFrame, "MainView");
    tableView->SetListener(this);
    tableView->SetApplicationFolder(exepath);
    const Options& o = settings.options;
    tableView->SetFlags(o.freezePacks, o.autoCompleteOn, o.dealOne, o.twoRedeals);
    tableView->SetBitmap(settings.cardSetPath.c_str(), CView::kNoRedraw);
    tableView->SetBackground(settings.backgroundPath.c_str());
    backgroundPath = tableView->GetBackground();
    if (fromFile) {
        tableView->SetBack(o.back);
        tableView->UpdateAll(CView::kOffscreenOnly);
    }

    ShowCardSetIcon();

    AddChild(tableView);
    tableView->MakeFocus(true);  // the table takes the keys: it can be played without a mouse
    tableView->UpdateBitmap();
    Show();
}

void CWindow::BuildMenus() {
    menuBar = new BMenuBar(BRect(0, 0, 700, 20), "QuenMenu", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
                           B_ITEMS_IN_ROW, true);
    menuBar->AddItem(MakeMenu("Game", kGameMenu, &undoItem));
    menuBar->AddItem(MakeMenu("Help", kHelpMenu, &undoItem));
    AddChild(menuBar);
}

void CWindow::ShowCardSetIcon() {
    SetProgramIcon(tableView->GetBitmap(), tableView->GetCardBitmap(4, 1));
}

bool CWindow::QuitRequested() {
    Settings settings;
    settings.options = tableView->GetOptions();
    settings.cardSetPath = tableView->GetBit();
    // What the table shows: a picture that went missing under a screen change left it plain.
    backgroundPath = tableView->GetBackground();
    settings.backgroundPath = backgroundPath;
    WriteSettings(SettingsPath(), settings);  // a file that cannot be written is passed over
    if (be_app)
        be_app->PostMessage(B_QUIT_REQUESTED);
    return true;
}

void CWindow::UndoAvailable(bool available) {
    PostMessage(available ? MSG_UNDO_ENABLE : MSG_UNDO_DISABLE);
}

void CWindow::GameWon() {
    // A quit asked for while the last cards flew is kept: it is handled once the move is over,
    // and the alert would otherwise shut it out.
    TakeWaitingInput();
    if (HasQueued(B_QUIT_REQUESTED) || HasQueued(MSG_EXIT) ||
        (be_app && be_app->HasQueued(B_QUIT_REQUESTED)))
        return;
    BAlert alert("Tarnwick", "Well done, you have completed Tarnwick. Deal again?", "Sure thing",
                 "No Way", nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    if (alert.Go() == 0)
        PostMessage(MSG_DEAL);
    else if (be_app)
        be_app->PostMessage(B_QUIT_REQUESTED);
}
