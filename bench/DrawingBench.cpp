// SPDX-License-Identifier: GPL-3.0-or-later
// Table redraws brought to the screen, each also reported as a ratio against a bare Qt window
// repainting a 701 x 501 image ("vs_bare_window"): the least any window showing our table could
// cost.
#include <QPainter>
#include <QWidget>

#include "BenchSupport.h"
#include "platform/Window.h"

namespace {

class BareWindow : public QWidget {
  public:
    BareWindow() : image(701, 501, QImage::Format_ARGB32) {
        image.fill(qRgb(0, 153, 0));
        setFixedSize(701, 501);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

  private:
    QImage image;
};

double BareRepaintSeconds() {
    static double seconds = [] {
        BareWindow window;
        window.show();
        WaitExposed(&window);
        const int rounds = 300;
        const double start = NowSeconds();
        for (int i = 0; i < rounds; ++i) {
            window.update();
            QCoreApplication::processEvents();
        }
        return (NowSeconds() - start) / rounds;
    }();
    return seconds;
}

template <typename Work>
void Measure(benchmark::State& state, const std::string& name, Work work) {
    const double start = NowSeconds();
    // The work and the paint that brings it to the screen.
    for (auto _ : state) {
        work();
        QCoreApplication::processEvents();
    }
    const double perIteration = (NowSeconds() - start) / double(state.iterations());
    state.counters["vs_bare_window"] = perIteration / BareRepaintSeconds();
    CompareScales(state, name, int(state.range(0)), perIteration);
}

}  // namespace

static void BareQtWindowRepaint(benchmark::State& state) {
    BareWindow window;
    window.show();
    WaitExposed(&window);
    for (auto _ : state) {
        window.update();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BareQtWindowRepaint)->Unit(benchmark::kMicrosecond);

// The argument: device pixels a unit.
static void FullRedraw(benchmark::State& state) {
    ShownTable table(int(state.range(0)));
    Measure(state, "full", [&] { table.view->UpdateBackground(); });
}
BENCHMARK(FullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

static void OneStackRedraw(benchmark::State& state) {
    ShownTable table(int(state.range(0)));
    Measure(state, "stack", [&] { table.view->UpdateStack(6, CView::kToScreen); });
}
BENCHMARK(OneStackRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

TARNWICK_BENCHMARK_MAIN()
