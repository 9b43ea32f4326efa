// SPDX-License-Identifier: GPL-3.0-or-later
// A headless application for the benchmark programs, and a table view ready to draw.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <map>
#include <string>

#include "app/Globals.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"
#include "tests/TableBuilder.h"
#include "view/CView.h"

#define TARNWICK_BENCHMARK_MAIN()                \
    int main(int argc, char** argv) {            \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication app(argc, argv);            \
        testseams::ScriptAlerts();               \
        testseams::SetNoFrameWait(true);         \
        exepath = TARNWICK_APP_DIR;              \
        ::benchmark::Initialize(&argc, argv);    \
        ::benchmark::RunSpecifiedBenchmarks();   \
        ::benchmark::Shutdown();                 \
        return 0;                                \
    }

// Waits until a shown window is really on the screen (at once on the headless platform).
inline void WaitExposed(QWidget* widget) {
    for (int i = 0; i < 200 && widget->windowHandle() && !widget->windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A table view at this many device pixels a unit.
inline std::unique_ptr<CView> ReadyTable(int scale = 1) {
    auto view = std::make_unique<CView>(BRect(0, 20, 700, 520), "MainView");
    view->SetBitmap((std::string(TARNWICK_APP_DIR) + "/cards.bmp").c_str(), 1);
    view->SetBackground("<NONE>");
    view->ScaleChanged(scale);
    return view;
}

// A ready table shown in a window, on whatever display the benchmark runs, drawing at this many
// device pixels a unit as on a screen of that ratio.
struct ShownTable {
    explicit ShownTable(int scale = 1)
        : window(BRect(50, 50, 750, 570), "Tarnwick", B_TITLED_WINDOW, 0) {
        view = ReadyTable().release();
        window.AddChild(view);
        window.SetDeviceScale(scale);
        window.Show();
        WaitExposed(QtSide::Widget(window));
    }
    BWindow window;
    CView* view;
};

// Positions laid out by hand: every place empty, a face-up card put on a stack, and a won game.
inline void Empty(CView* v) {
    v->LayOut(Table());
}

inline void Put(CView* v, int s, CCard card) {
    Table t = v->Model();
    t.faceDown[s][t.stackCount[s]] = 0;
    t.stacks[s][t.stackCount[s]++] = card;
    v->LayOut(t);
}

// Every card face up on the stacks in falling runs, kings at the bottom: a won game.
inline void WonPosition(CView* v) {
    Empty(v);
    for (int suit = 1; suit <= 4; ++suit)
        for (int n = 13; n >= 1; --n)
            Put(v, ((suit - 1) * 2 + (n < 7 ? 1 : 0)) % 7, CCard(suit, n));
    v->UpdateBackground();
}

// The same figure at two device pixels a unit is also reported as a ratio to one pixel a unit in
// the same run ("vs_scale_1"): each benchmark runs at scale 1 first.
inline void CompareScales(benchmark::State& state, const std::string& name, int scale,
                          double seconds) {
    static std::map<std::string, double> atOne;
    if (scale == 1)
        atOne[name] = seconds;
    else if (atOne.count(name) != 0)
        state.counters["vs_scale_1"] = seconds / atOne[name];
}

inline double NowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
