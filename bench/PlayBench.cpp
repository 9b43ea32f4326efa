// SPDX-License-Identifier: GPL-3.0-or-later
// The work of play, each reported as a fraction of the 10 ms between two mouse samples
// ("of_10ms_poll"): a drag sample, composing the hand's picture, a card flight, an autocomplete.
// Frame waits are off; each figure includes the paint that brings the change to the screen.
#include "BenchSupport.h"
#include "platform/Window.h"

namespace {

// A hand of falling cards, held as if taken from the pile.
void Hand(CView* view, int cards) {
    Table t = view->Model();
    t.handCount = cards;
    for (int i = 0; i < cards; ++i)
        t.hand[i] = CCard(i % 2 + 1, 13 - i);
    t.handSource = table::kAreaPile;
    view->LayOut(t);
    view->ComposeHandImage();
}

template <typename Setup, typename Work>
void PerPoll(benchmark::State& state, const std::string& name, int scale, Setup setup, Work work) {
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setup();
        state.ResumeTiming();
        const double start = NowSeconds();
        work();
        QCoreApplication::processEvents();
        total += NowSeconds() - start;
    }
    state.counters["of_10ms_poll"] = total / double(state.iterations()) / 0.010;
    CompareScales(state, name, scale, total / double(state.iterations()));
}

}  // namespace

// Arguments: the cards in the hand, and device pixels a unit.
static void DragSample(benchmark::State& state) {
    ShownTable table(int(state.range(1)));
    Hand(table.view, int(state.range(0)));
    table.view->ShowHand(300, 100);
    int step = 0;
    PerPoll(
        state, "drag" + std::to_string(state.range(0)), int(state.range(1)), [] {},
        [&] {
            // A pointer moving 3 pixels right and 2 down each sample, back and forth.
            const int x = 300 + 3 * (step % 40), y = 100 + 2 * (step % 40);
            table.view->RedrawBits(x, y, table.view->HandX(), table.view->HandY());
            table.view->ShowHand(x, y);
            ++step;
        });
}
BENCHMARK(DragSample)
    ->Args({1, 1})
    ->Args({13, 1})
    ->Args({1, 2})
    ->Args({13, 2})
    ->Unit(benchmark::kMicrosecond);

// The argument: device pixels a unit.
static void ComposeHandOf13(benchmark::State& state) {
    ShownTable table(int(state.range(0)));
    Hand(table.view, 13);
    PerPoll(
        state, "compose", int(state.range(0)), [] {}, [&] { table.view->ComposeHandImage(); });
}
BENCHMARK(ComposeHandOf13)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

static void FlightAcrossTheTable(benchmark::State& state) {
    ShownTable table(int(state.range(0)));
    PerPoll(
        state, "flight", int(state.range(0)),
        [&] {
            // The ace of suit 1 flies from the lower right to the first pack, empty.
            Table t;
            tables::Hold(t, {CCard(1, 1)}, table::kAreaPile);
            table.view->LayOut(t);
            table.view->ComposeHandImage();
            table.view->ShowHand(601, 400);
        },
        [&] { table.view->ReturnCardsToStack(12); });
}
BENCHMARK(FlightAcrossTheTable)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

static void WholeAutocomplete(benchmark::State& state) {
    ShownTable table(int(state.range(0)));
    CView* v = table.view;
    PerPoll(
        state, "autocomplete", int(state.range(0)), [&] { WonPosition(v); },
        [&] { v->AutoComplete(); });
}
BENCHMARK(WholeAutocomplete)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

TARNWICK_BENCHMARK_MAIN()
