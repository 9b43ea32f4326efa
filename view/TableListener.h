// SPDX-License-Identifier: GPL-3.0-or-later
// What the table view tells whoever shows it: the main window, in the program.
#pragma once

class TableListener {
  public:
    virtual ~TableListener() = default;
    // A move was recorded (true) or the history emptied (false): Undo can or cannot go back.
    virtual void UndoAvailable(bool available) = 0;
    // Every card is on its pack.
    virtual void GameWon() = 0;
};
