// SPDX-License-Identifier: GPL-3.0-or-later
// The solver on the game's own deals: the deals of COUNT seconds from FIRST on, shuffled as the
// game shuffles them, with one or three cards turned and the packs not frozen. Prints the share
// decided and the share won, the time a deal takes (median, 99th percentile, maximum), the
// states searched, and how many "won" answers failed to replay through the model (goal: none).
// Usage: solve_deals FIRST COUNT one|three [SECONDS_PER_DEAL]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/Rules.h"
#include "game/Solver.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: solve_deals FIRST COUNT one|three [SECONDS_PER_DEAL]\n");
        return 2;
    }
    const long first = std::atol(argv[1]);
    const int count = std::atoi(argv[2]);
    const bool one = std::strcmp(argv[3], "one") == 0;
    SolveBudget budget;
    budget.states = UINT64_MAX;
    budget.seconds = argc > 4 ? std::atof(argv[4]) : 2.0;
    const Options options{0, 1, one ? 1 : 0, 0, 0};

    int won = 0, lost = 0, failed = 0;
    uint64_t states = 0;
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        Table t = ShuffledTable(time_t(first + i));
        DealStacks(t);
        const auto start = std::chrono::steady_clock::now();
        const SolveResult r = Solve(t, options, budget);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        states += r.states;
        if (r.outcome == SolveResult::Outcome::kWon) {
            ++won;
            Table replay = t;
            bool legal = true;
            for (const Move& m : r.moves)
                legal = legal && Apply(replay, options, m);
            failed += legal && AllPacksComplete(replay) ? 0 : 1;
        } else if (r.outcome == SolveResult::Outcome::kLost) {
            ++lost;
        }
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&ms](double q) {
        return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))];
    };
    std::printf(
        "solver, %d deals from %ld, %s card%s turned: decided %.2f %%, won %.2f %% "
        "(%.2f %% of those decided); per deal median %.1f ms, 99th %.1f ms, max %.1f ms; "
        "%.0f states a deal; %d won that failed to replay\n",
        count, first, one ? "one" : "three", one ? "" : "s", 100.0 * (won + lost) / count,
        100.0 * won / count, won + lost > 0 ? 100.0 * won / (won + lost) : 0.0, at(0.5), at(0.99),
        ms.back(), double(states) / count, failed);
    return failed == 0 ? 0 : 1;
}
