// The graph of 545 records: building the operations, and a whole draw of the page's surface
// (file check, records, operations, painting) as a paint event performs it.
#include "graph/GraphPage.h"
#include "graph/GraphSurface.h"
#include "graph/PlotGraph.h"
#include "platform/ModalSeam.h"
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

constexpr int kRecords = 545;

std::string SampleLine(int i)
{
    const int evening = i % 2;
    return "2024/4/1 07:10:00," + std::to_string((evening ? 124 : 136) + (i * 7) % 19) + "," +
           std::to_string((evening ? 78 : 87) + (i * 5) % 11) + ",68,0," + std::to_string(evening ? 3 : 1) +
           ",";
}

std::vector<GraphRecord> SampleRecords()
{
    std::vector<GraphRecord> records;
    for (int i = 0; i < kRecords; ++i)
        records.push_back(GraphRecordFromLine(SampleLine(i)));
    return records;
}

void BM_PlotGraph(benchmark::State& state)
{
    const std::vector<GraphRecord> records = SampleRecords();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlotGraph(714, 444, records, 0));
}
BENCHMARK(BM_PlotGraph)->Unit(benchmark::kMicrosecond);

void BM_DrawGraphPage(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    CreateMissingDataFiles();
    {
        std::ofstream out(kDataFileName, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < kRecords; ++i)
            out << SampleLine(i) << "\r\n";
    }
    CGraphPage page(RealModalSeam());
    page.Create(nullptr);
    page.m_comboGraphType->setCurrentIndex(static_cast<int>(state.range(0)));
    const QSize size = page.m_staticGraph->size();
    QImage image(size, QImage::Format_RGB32);
    const bool reload = state.range(1) != 0;
    for (auto _ : state) {
        if (reload)
            page.m_dataFileStamp = {}; // as after the list page wrote the file
        QPainter dc(&image);
        dc.setFont(page.m_staticGraph->font());
        page.DrawGraph(dc, size.width(), size.height());
    }
    state.SetLabel(std::to_string(size.width()) + "x" + std::to_string(size.height()));
}
// Arguments: the selected entry, and whether the file is read again first.
BENCHMARK(BM_DrawGraphPage)->Args({0, 0})->Args({3, 0})->Args({0, 1})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
