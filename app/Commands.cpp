// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "app/AboutWindow.h"
#include "app/COptions.h"
#include "app/CWindow.h"
#include "app/Globals.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/FilePanel.h"
#include "platform/Menus.h"
#include "platform/System.h"
#include "view/CView.h"

namespace {

const BRect kOptionsFrame(212, 170, 587, 430);
const BRect kAboutFrame(100, 100, 550, 300);

void TooLong(const char* what) {
    const std::string text = std::string("That file's path is too long to use, so the ") + what +
                             " stays as it is. Move the file to a folder with a shorter path "
                             "and choose it again.";
    BAlert alert("Tarnwick", text.c_str(), "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    alert.Go();
}

void NotOnOneLine(const char* what) {
    const std::string text = std::string("That file's name holds a line break, so the ") + what +
                             " stays as it is. Rename the file and choose it again.";
    BAlert alert("Tarnwick", text.c_str(), "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    alert.Go();
}

std::string ChosenPath(BMessage* message) {
    std::string path;
    message->FindString("path", &path);
    return path;
}

}  // namespace

void CWindow::MessageReceived(BMessage* message) {
    switch (message->what) {
        case MSG_DEAL:
            // Deal, Undo and Clear Background first show the off-screen table as it stands (Draw
            // copies all of it, whatever rectangle it is given), so nothing half drawn stays up.
            tableView->Draw(BRect(0, 0, 150, 150));
            tableView->NewDeal();
            break;
        case MSG_OPTIONS:
            OpenOptions();
            break;
        case MSG_EXIT:
            if (be_app)
                be_app->PostMessage(B_QUIT_REQUESTED);
            break;
        case MSG_ABOUT:
            (new AboutWindow(kAboutFrame))->Show();
            break;
        case MSG_RULES:
            // The browser starts on its own; no shell ever sees the folder's name.
            OpenInBrowser(exepath + "/help.html");
            break;
        case MSG_UNDO:
            tableView->Draw(BRect(0, 0, 100, 100));
            tableView->DoUndo();
            break;
        case MSG_LOAD_CARDSET:
            OpenFilePanel(exepath, MSG_CARDSET_CHOSEN);
            break;
        case MSG_OPTIONS_CHANGED:
            ApplyOptions();
            break;
        case MSG_CARDSET_CHOSEN:
            UseChosenCardSet(ChosenPath(message));
            break;
        case MSG_LOAD_BACKGROUND:
            LoadBackgroundPanel();
            break;
        case MSG_CLEAR_BACKGROUND:
            tableView->Draw(BRect(0, 0, 100, 100));
            backgroundPath = limits::kNoBackground;
            tableView->SetBackground(backgroundPath.c_str());
            backgroundPath = tableView->GetBackground();
            break;
        case MSG_BACKGROUND_CHOSEN:
            UseChosenBackground(ChosenPath(message));
            break;
        case MSG_UNDO_DISABLE:
            undoItem->SetEnabled(false);
            break;
        case MSG_UNDO_ENABLE:
            undoItem->SetEnabled(true);
            break;
        default:
            break;  // unknown codes change nothing
    }
}

void CWindow::OpenOptions() {
    if (optionsCreated == 0) {
        optionsWindow = new COptions(kOptionsFrame, "Tarnwick - Options", B_MODAL_WINDOW,
                                     tableView->GetBitmap(), this);
        optionsCreated = 1;
        optionsWindow->SetOptions(tableView->GetOptions());
    } else {
        // The card set may have changed since; the options keep what they held, Cancel or not.
        optionsWindow->SetBitmap(tableView->GetBitmap());
    }
    optionsWindow->ShowMe();
}

void CWindow::ApplyOptions() {
    const Options before = tableView->GetOptions();
    const Options chosen = optionsWindow->GetOptions();
    tableView->SetOptions(chosen);
    if (chosen.back != before.back) {
        tableView->UpdateAll(CView::kOffscreenOnly);
        tableView->Draw(tableView->Bounds());
    }
}

void CWindow::OpenFilePanel(const std::string& folder, uint32_t reply) {
    BMessage replyMessage(reply);
    BFilePanel panel(B_OPEN_PANEL, this, folder, B_FILE_NODE, false, &replyMessage, nullptr, false,
                     true);
    panel.Show();
}

void CWindow::LoadBackgroundPanel() {
    // Three diagnostic lines on standard output (the path, where it is cut, the folder), which the
    // game has always written; scripts that watch its output may count on them.
    std::string folder = backgroundPath;
    std::printf("%s\n", folder.c_str());
    const size_t slash = folder.rfind('/');
    if (slash != std::string::npos) {
        std::printf("%zu\n", slash);
        folder.resize(slash);
    }
    folder += "/";
    std::printf("%s\n", folder.c_str());
    std::fflush(stdout);
    OpenFilePanel(folder, MSG_BACKGROUND_CHOSEN);
}

void CWindow::UseChosenCardSet(const std::string& path) {
    if (path.size() > CView::kCardSetPathMax) {
        TooLong("card set");
        return;
    }
    if (!FitsOnOneLine(path)) {
        NotOnOneLine("card set");
        return;
    }
    tableView->SetBitmap(path.c_str(), CView::kRedraw);
    ShowCardSetIcon();
}

void CWindow::UseChosenBackground(const std::string& path) {
    if (path.size() > CView::kBackgroundNameMax) {
        TooLong("background");
        return;
    }
    if (!FitsOnOneLine(path)) {
        NotOnOneLine("background");
        return;
    }
    backgroundPath = path;
    tableView->SetBackground(backgroundPath.c_str());
    backgroundPath = tableView->GetBackground();
    tableView->UpdateBitmap();
}
