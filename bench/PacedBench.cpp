// SPDX-License-Identifier: GPL-3.0-or-later
// What a player waits for, with flight pacing on, on a real display (run by paced.sh under
// Xvfb): a flight across the table, whole autocompletes, a deck press, an undo and a deal. Each
// figure is wall time in milliseconds and includes the paint that brings the change to the screen.
#include "BenchSupport.h"

namespace {

template <typename Setup, typename Work>
void Milliseconds(benchmark::State& state, Setup setup, Work work, double perItems = 1) {
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setup();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        const double start = NowSeconds();
        work();
        QCoreApplication::processEvents();
        total += NowSeconds() - start;
    }
    state.counters["ms"] = total / double(state.iterations()) * 1000.0;
    if (perItems > 1)
        state.counters["ms_per_card"] = total / double(state.iterations()) * 1000.0 / perItems;
}

// The packs hold ace to six of every suit; 28 cards, seven to king of each suit on a stack of
// its own, wait on the stacks.
void TwentyEightLeft(CView* v) {
    Table t;
    for (int p = 0; p < 4; ++p) {
        for (int n = 1; n <= 6; ++n)
            t.packs[p][n - 1] = CCard(p + 1, n);
        t.packCount[p] = 6;
    }
    v->LayOut(t);
    for (int suit = 1; suit <= 4; ++suit)
        for (int n = 13; n >= 7; --n)
            Put(v, suit - 1, CCard(suit, n));
    v->UpdateBackground();
}

}  // namespace

static void FlightFromTheRightmostStackToThePile(benchmark::State& state) {
    ShownTable table;
    CView* v = table.view;
    Milliseconds(
        state,
        [&] {
            Table t;
            tables::Hold(t, {CCard(1, 5)}, 6);
            v->LayOut(t);
            v->UpdateBackground();
            v->ComposeHandImage();
            v->ShowHand(601, 216);  // the top of a seven-card stack
        },
        [&] { v->ReturnCardsToStack(11); });
}
BENCHMARK(FlightFromTheRightmostStackToThePile)->Unit(benchmark::kMillisecond)->Iterations(5);

static void AutocompleteOfAWonGame(benchmark::State& state) {
    ShownTable table;
    Milliseconds(
        state, [&] { WonPosition(table.view); }, [&] { table.view->AutoComplete(); }, 52);
}
BENCHMARK(AutocompleteOfAWonGame)->Unit(benchmark::kMillisecond)->Iterations(3);

static void AutocompleteOf28Cards(benchmark::State& state) {
    ShownTable table;
    Milliseconds(
        state, [&] { TwentyEightLeft(table.view); }, [&] { table.view->AutoComplete(); }, 28);
}
BENCHMARK(AutocompleteOf28Cards)->Unit(benchmark::kMillisecond)->Iterations(3);

static void DeckPress(benchmark::State& state) {
    ShownTable table;
    CView* v = table.view;
    Milliseconds(
        state, [&] { v->NewDeal(); }, [&] { v->DoFirstMouse(60, 60); });
}
BENCHMARK(DeckPress)->Unit(benchmark::kMillisecond)->Iterations(20);

static void Undo(benchmark::State& state) {
    ShownTable table;
    CView* v = table.view;
    Milliseconds(
        state,
        [&] {
            v->NewDeal();
            v->DoFirstMouse(60, 60);
        },
        [&] { v->DoUndo(); });
}
BENCHMARK(Undo)->Unit(benchmark::kMillisecond)->Iterations(20);

static void Deal(benchmark::State& state) {
    ShownTable table;
    CView* v = table.view;
    Milliseconds(
        state, [] {},
        [&] {
            v->Draw(BRect(0, 0, 150, 150));
            v->NewDeal();
        });
}
BENCHMARK(Deal)->Unit(benchmark::kMillisecond)->Iterations(20);

// On whatever display paced.sh gives it, with the pacing of a real run.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testseams::ScriptAlerts();
    exepath = TARNWICK_APP_DIR;
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
