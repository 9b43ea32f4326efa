// SPDX-License-Identifier: GPL-3.0-or-later
// The solver on the game's own deals: the deals of COUNT seconds from FIRST on, shuffled as the
// game shuffles them, with one or three cards turned and the packs not frozen. Prints the share
// decided and the share won, the time a deal takes (median, 99th percentile, maximum), the
// states searched, and how many "won" answers failed to replay through the model (goal: none).
// THREADS deals are solved at once, each against its own clock. With "check", each deal is solved
// again with every step searched, and any deal the two searches answer "won" and "lost" is printed
// (goal: none). With "list", each deal's second, answer (W, L or U), time and states are printed,
// for giving the undecided ones more time.
// Usage: solve_deals FIRST COUNT one|three [SECONDS_PER_DEAL [THREADS [check|list]]]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "game/Rules.h"
#include "game/Solver.h"

namespace {

struct DealResult {
    SolveResult::Outcome outcome = SolveResult::Outcome::kUnknown;
    double ms = 0;
    uint64_t states = 0;
    bool replayFailed = false;
    bool contradicted = false;
};

// The shuffle draws from one generator for the whole process: two deals shuffled at once would
// each take some of the other's numbers and be other deals.
std::mutex shuffling;

DealResult SolveDeal(long second, const Options& options, const SolveBudget& budget, bool check) {
    Table t;
    {
        const std::lock_guard<std::mutex> lock(shuffling);
        t = ShuffledTable(time_t(second));
    }
    DealStacks(t);
    const auto start = std::chrono::steady_clock::now();
    const SolveResult r = Solve(t, options, budget);
    DealResult d;
    d.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    d.outcome = r.outcome;
    d.states = r.states;
    if (r.outcome == SolveResult::Outcome::kWon) {
        Table replay = t;
        bool legal = true;
        for (const Move& m : r.moves)
            legal = legal && Apply(replay, options, m);
        d.replayFailed = !(legal && AllPacksComplete(replay));
    }
    if (check && r.outcome != SolveResult::Outcome::kUnknown) {
        SolveBudget every = budget;
        every.everyStep = true;
        const SolveResult::Outcome o = Solve(t, options, every).outcome;
        d.contradicted = o != SolveResult::Outcome::kUnknown && o != r.outcome;
    }
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: solve_deals FIRST COUNT one|three [SECONDS_PER_DEAL [THREADS "
                     "[check|list]]]\n");
        return 2;
    }
    const long first = std::atol(argv[1]);
    const int count = std::atoi(argv[2]);
    const bool one = std::strcmp(argv[3], "one") == 0;
    SolveBudget budget;
    budget.states = UINT64_MAX;
    budget.seconds = argc > 4 ? std::atof(argv[4]) : 2.0;
    const int threads = std::max(1, argc > 5 ? std::atoi(argv[5]) : 1);
    const bool check = argc > 6 && std::strcmp(argv[6], "check") == 0;
    const bool list = argc > 6 && std::strcmp(argv[6], "list") == 0;
    const Options options{0, 1, one ? 1 : 0, 0, 0};

    std::vector<DealResult> results(size_t(std::max(count, 0)));
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w)
        workers.emplace_back([&] {
            for (int i = next++; i < count; i = next++)
                results[size_t(i)] = SolveDeal(first + i, options, budget, check);
        });
    for (std::thread& w : workers)
        w.join();

    int won = 0, lost = 0, failed = 0, contradicted = 0;
    uint64_t states = 0;
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        const DealResult& d = results[size_t(i)];
        won += d.outcome == SolveResult::Outcome::kWon ? 1 : 0;
        lost += d.outcome == SolveResult::Outcome::kLost ? 1 : 0;
        failed += d.replayFailed ? 1 : 0;
        if (d.contradicted) {
            ++contradicted;
            std::printf("deal %ld: every step searched gives another answer\n", first + i);
        }
        states += d.states;
        ms.push_back(d.ms);
        if (list)
            std::printf("%ld %c %.1f ms %llu states\n", first + i, "WLU"[int(d.outcome)], d.ms,
                        static_cast<unsigned long long>(d.states));
    }
    if (ms.empty())
        return 2;
    std::sort(ms.begin(), ms.end());
    auto at = [&ms](double q) {
        return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))];
    };
    std::printf(
        "solver, %d deals from %ld, %s card%s turned: decided %.2f %%, won %.2f %% "
        "(%.2f %% of those decided); per deal median %.1f ms, 99th %.1f ms, max %.1f ms; "
        "%.0f states a deal; %d won that failed to replay",
        count, first, one ? "one" : "three", one ? "" : "s", 100.0 * (won + lost) / count,
        100.0 * won / count, won + lost > 0 ? 100.0 * won / (won + lost) : 0.0, at(0.5), at(0.99),
        ms.back(), double(states) / count, failed);
    if (check)
        std::printf("; %d answered otherwise with every step searched", contradicted);
    std::printf("\n");
    return failed == 0 && contradicted == 0 ? 0 : 1;
}
