// Loading and keying the card set, building a tiled background, shading it.
#include <QImage>
#include <QTemporaryDir>

#include "BenchSupport.h"

static void CardSetLoadAndKey(benchmark::State& state) {
    auto view = ReadyTable();
    const std::string path = std::string(TARNWICK_APP_DIR) + "/cards.bmp";
    for (auto _ : state)
        view->SetBitmap(path.c_str(), 1);
}
BENCHMARK(CardSetLoadAndKey)->Unit(benchmark::kMillisecond);

static void TiledBackgroundFrom100x100(benchmark::State& state) {
    QTemporaryDir dir;
    QImage tile(100, 100, QImage::Format_RGB32);
    tile.fill(qRgb(90, 60, 30));
    const QString path = dir.filePath("tile.png");
    tile.save(path);
    auto view = ReadyTable();
    const std::string name = path.toStdString();
    for (auto _ : state)
        delete view->BuildBackground(name.c_str());
}
BENCHMARK(TiledBackgroundFrom100x100)->Unit(benchmark::kMillisecond);

static void ShadeTableBackground(benchmark::State& state) {
    auto view = ReadyTable();
    for (auto _ : state)
        view->ShadeBitmap(view->BackgroundImage(), 0.8f);
}
BENCHMARK(ShadeTableBackground)->Unit(benchmark::kMicrosecond);

TARNWICK_BENCHMARK_MAIN()
