// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and keying the card set, building a tiled background, shading it; each at one and at
// two device pixels a unit (the argument), the second also as a ratio to the first.
#include <QImage>
#include <QTemporaryDir>

#include "BenchSupport.h"

namespace {

template <typename Work>
void Timed(benchmark::State& state, const std::string& name, Work work) {
    const double start = NowSeconds();
    for (auto _ : state)
        work();
    CompareScales(state, name, int(state.range(0)),
                  (NowSeconds() - start) / double(state.iterations()));
}

}  // namespace

static void CardSetLoadAndKey(benchmark::State& state) {
    auto view = ReadyTable(int(state.range(0)));
    const std::string path = std::string(TARNWICK_APP_DIR) + "/cards.bmp";
    Timed(state, "cards", [&] { view->SetBitmap(path.c_str(), CView::kNoRedraw); });
}
BENCHMARK(CardSetLoadAndKey)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

static void TiledBackgroundFrom100x100(benchmark::State& state) {
    QTemporaryDir dir;
    QImage tile(100, 100, QImage::Format_RGB32);
    tile.fill(qRgb(90, 60, 30));
    const QString path = dir.filePath("tile.png");
    tile.save(path);
    auto view = ReadyTable(int(state.range(0)));
    const std::string name = path.toStdString();
    Timed(state, "tiled", [&] { delete view->BuildBackground(name.c_str()); });
}
BENCHMARK(TiledBackgroundFrom100x100)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

static void ShadeTableBackground(benchmark::State& state) {
    auto view = ReadyTable(int(state.range(0)));
    Timed(state, "shade", [&] { view->ShadeBitmap(view->BackgroundImage(), 0.8f); });
}
BENCHMARK(ShadeTableBackground)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

TARNWICK_BENCHMARK_MAIN()
