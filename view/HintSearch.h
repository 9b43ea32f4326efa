// SPDX-License-Identifier: GPL-3.0-or-later
// The hint's search, run ahead of H on a thread of its own. After each action the table it left
// is solved; when that one cannot be won, so are the tables of the undo history, the latest
// first, until one can. H then finds its answer ready, or waits a little for it. Each search
// works on copies, at the lowest priority, and is told to stop when a newer table comes; starting
// one never waits for the one before to end.
#pragma once

#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "game/Options.h"
#include "game/Solver.h"
#include "game/UndoHistory.h"

class HintSearch {
  public:
    HintSearch() = default;
    ~HintSearch();
    HintSearch(const HintSearch&) = delete;
    HintSearch& operator=(const HintSearch&) = delete;

    // Starts on this table, history and options, unless the search under way has the same
    // table and options.
    void Start(const Table& table, const UndoHistory& history, const Options& options);

    struct Answer {
        SolveResult now;
        // For a table that cannot be won: the outcomes back through the history, the latest
        // first, as far as the search went (up to the first that can be won).
        std::vector<SolveResult::Outcome> back;
    };
    // The answer for this table and options once its search has finished, waited for at most
    // this long; none when it is not ready by then or no search is on that table.
    std::optional<Answer> Wait(const Table& table, const Options& options, double seconds);

  private:
    struct Job;
    static void Run(const std::shared_ptr<Job>& job);
    // Joins the stopped searches that have ended; with `all`, waits for every one.
    void Reap(bool all);

    std::shared_ptr<Job> current;
    std::thread worker;
    std::vector<std::pair<std::shared_ptr<Job>, std::thread>> stopped;
};
