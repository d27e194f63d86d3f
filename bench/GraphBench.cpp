// The graph of 545 records: building the operations, and a whole draw of the page's surface
// (file check, records, operations, painting) as a paint event performs it.
#include "SampleData.h"
#include "folder/DataFolder.h"
#include "graph/GraphPage.h"
#include "graph/GraphSurface.h"
#include "graph/PlotGraph.h"
#include "platform/ModalSeam.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace {

constexpr size_t kRecords = 545;

void BM_PlotGraph(benchmark::State& state)
{
    std::vector<GraphRecord> records;
    for (const std::string& line : SampleRecordLines(kRecords))
        records.push_back(GraphRecordFromLine(line));
    for (auto _ : state)
        benchmark::DoNotOptimize(PlotGraph(714, 444, records, 0));
}
BENCHMARK(BM_PlotGraph)->Unit(benchmark::kMicrosecond);

void BM_DrawGraphPage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    CreateMissingDataFiles();
    const std::string bytes = SampleFileBytes(SampleRecordLines(kRecords));
    std::ofstream(kDataFileName, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));

    CDataFolder folder;
    folder.Load();
    CGraphPage page(RealModalSeam(), folder);
    page.Create(nullptr);
    page.Get<QComboBox>(GraphIds::IDC_GRAPH_TYPE)->setCurrentIndex(static_cast<int>(state.range(0)));
    const bool reload = state.range(1) != 0;
    const auto* surface = page.Control(GraphIds::IDC_GRAPH)->findChild<CGraphSurface*>();
    const QSize size = surface->size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        if (reload)
            Q_EMIT folder.RecordsChanged(); // as after an import rewrote the file
        QPainter dc(&image);
        dc.setFont(surface->font());
        page.DrawGraph(dc, size.width(), size.height());
    }
    state.SetLabel(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    QDir::setCurrent(previous);
}
// Arguments: the selected entry, and whether the file is read again first.
BENCHMARK(BM_DrawGraphPage)->Args({0, 0})->Args({3, 0})->Args({0, 1})->Unit(benchmark::kMicrosecond);

} // namespace
