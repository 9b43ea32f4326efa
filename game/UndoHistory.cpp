// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/UndoHistory.h"

#include "game/Moves.h"

void UndoHistory::Record(const Table& before) {
    tables.push_back(AtRest(before));
    if (tables.size() > kDepth)
        tables.pop_front();
}

Table UndoHistory::TakeLast() {
    Table last = tables.back();
    tables.pop_back();
    return last;
}
