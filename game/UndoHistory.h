// SPDX-License-Identifier: GPL-3.0-or-later
// The tables before the last moves, the latest last, as far back as Undo goes.
#pragma once

#include <cstddef>
#include <deque>

#include "game/Table.h"

class UndoHistory {
  public:
    static constexpr size_t kDepth = 20;

    // Keeps the table before a move, as at rest (a hand still out counts at its place); the
    // oldest is forgotten beyond the depth.
    void Record(const Table& before);
    bool CanUndo() const { return !tables.empty(); }
    size_t Size() const { return tables.size(); }
    // The table before the latest move, taken off the history. Only when CanUndo.
    Table TakeLast();
    void Clear() { tables.clear(); }
    const Table& Latest() const { return tables.back(); }
    // The table before the k-th latest move, k from 1 to Size().
    const Table& Back(size_t k) const { return tables[tables.size() - k]; }

  private:
    std::deque<Table> tables;
};
