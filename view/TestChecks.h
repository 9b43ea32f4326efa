// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the table view checks the table after every press, key, undo and flight step, and
// stops the program with what broke when a move broke a rule. Off in the shipped game, which
// pays nothing for it; the tests switch it on.
#pragma once

namespace testchecks {

void CheckEveryMove(bool on);
bool CheckingEveryMove();

}  // namespace testchecks
