// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the menu bar, the table view, the commands and the settings file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Window.h"
#include "view/TableListener.h"

class BMenuBar;
class BMenuItem;
class COptions;
class CView;

class CWindow : public BWindow, public TableListener {
  public:
    CWindow(BRect frame, const char* title, window_type type);

    // Handles the menu commands and the notices of the other windows (app/Commands.cpp).
    void MessageReceived(BMessage* message) override;
    // Writes the settings and asks the application to quit (app/CWindow.cpp).
    bool QuitRequested() override;

    // The table's news (app/CWindow.cpp). Undo's menu item follows through a posted message, so
    // it changes once the move in progress is over; a won game asks whether to deal again.
    void UndoAvailable(bool available) override;
    void GameWon() override;

    CView* tableView = nullptr;
    COptions* optionsWindow = nullptr;
    int32_t optionsCreated = 0;
    std::string backgroundPath;
    BMenuItem* undoItem = nullptr;
    BMenuBar* menuBar = nullptr;

  private:
    void BuildMenus();
    // The desktop shows the game by the ace of the last suit of the card set in use.
    void ShowCardSetIcon();
    void OpenOptions();
    void ApplyOptions();
    void OpenFilePanel(const std::string& folder, uint32_t reply);
    void LoadBackgroundPanel();
    void UseChosenCardSet(const std::string& path);
    void UseChosenBackground(const std::string& path);
};
