// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/HintSearch.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/System.h"

namespace {

// The table the player sees gets the most time; the tables back through the history, looked at
// only when it cannot be won, less each. A search keeps about 70 bytes for each table it has seen,
// so a million and a half tables, about as many as two seconds bring, take some 100 MB while it
// runs.
const SolveBudget kNowBudget{1'500'000, 2.0};
const SolveBudget kBackBudget{750'000, 1.0};

}  // namespace

struct HintSearch::Job {
    // Written before the thread starts, read by it alone.
    Table table;
    std::vector<Table> back;
    Options options;
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};
    // The answer, handed over under the lock.
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    Answer answer;
};

HintSearch::~HintSearch() {
    if (current) {
        current->stop = true;
        stopped.emplace_back(std::move(current), std::move(worker));
    }
    Reap(true);
}

void HintSearch::Start(const Table& table, const UndoHistory& history, const Options& options) {
    if (current && current->table == table && current->options == options)
        return;
    if (current) {
        current->stop = true;
        stopped.emplace_back(std::move(current), std::move(worker));
    }
    Reap(false);
    auto job = std::make_shared<Job>();
    job->table = table;
    job->options = options;
    for (size_t k = 1; k <= history.Size(); ++k)
        job->back.push_back(history.Back(k));
    current = job;
    worker = std::thread(Run, job);
}

void HintSearch::Run(const std::shared_ptr<Job>& job) {
    LowerThreadPriority();
    SolveBudget now = kNowBudget;
    now.stop = &job->stop;
    Answer answer;
    answer.now = Solve(job->table, job->options, now);
    if (answer.now.outcome == SolveResult::Outcome::kLost) {
        SolveBudget back = kBackBudget;
        back.stop = &job->stop;
        for (const Table& earlier : job->back) {
            const SolveResult::Outcome outcome = Solve(earlier, job->options, back).outcome;
            if (job->stop)
                break;
            answer.back.push_back(outcome);
            if (outcome == SolveResult::Outcome::kWon)
                break;
        }
    }
    {
        std::lock_guard<std::mutex> hold(job->lock);
        if (!job->stop) {
            job->answer = std::move(answer);
            job->done = true;
        }
    }
    job->finished.notify_all();
    job->ended = true;
}

std::optional<HintSearch::Answer> HintSearch::Wait(const Table& table, const Options& options,
                                                   double seconds) {
    if (!current || !(current->table == table) || !(current->options == options))
        return std::nullopt;
    std::unique_lock<std::mutex> hold(current->lock);
    const Job& job = *current;
    if (!current->finished.wait_for(hold, std::chrono::duration<double>(seconds),
                                    [&job] { return job.done; }))
        return std::nullopt;
    return current->answer;
}

void HintSearch::Reap(bool all) {
    for (auto it = stopped.begin(); it != stopped.end();) {
        if (all || it->first->ended) {
            it->second.join();
            it = stopped.erase(it);
        } else {
            ++it;
        }
    }
}
