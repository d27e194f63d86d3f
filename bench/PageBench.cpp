// The pages at 1,000, 10,000 and 100,000 records: the averages against a plain loop over the
// same numbers, the colours and the painting of a screenful of the list, filling the list's
// model, the graph, and the report's layout.
#include "SampleData.h"
#include "folder/DataFolder.h"
#include "graph/GraphPage.h"
#include "graph/GraphSurface.h"
#include "list/CellColours.h"
#include "list/ListPage.h"
#include "list/RecordListModel.h"
#include "platform/ModalSeam.h"
#include "print/ReportLayout.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

constexpr int kScreenRows = 20;

// A data folder with the given number of records, made the current directory.
class PageFolder
{
public:
    explicit PageFolder(size_t records) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        CreateMissingDataFiles();
        const std::string bytes = SampleFileBytes(SampleRecordLines(records));
        std::ofstream(kDataFileName, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<long>(bytes.size()));
    }
    ~PageFolder() { QDir::setCurrent(m_previous); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

std::unique_ptr<CListPage> MakeListPage(CDataFolder& folder)
{
    folder.Open();
    auto page = std::make_unique<CListPage>(RealModalSeam(), folder);
    page->Create(nullptr);
    return page;
}

// What no averaging can beat: one pass over the cached lines reading the three numbers.
void BM_BaselineThreeNumbersLoop(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CTextFile file;
    file.SetPath(kDataFileName);
    file.Reload();
    for (auto _ : state) {
        long sums[3] = {0, 0, 0};
        for (unsigned n = 1; n <= file.GetLineCount(); ++n) {
            const char* p = std::strchr(file.GetLine(n), ',');
            for (long& sum : sums) {
                char* end = nullptr;
                sum += p ? std::strtol(p + 1, &end, 10) : 0;
                p = end ? std::strchr(end, ',') : nullptr;
            }
        }
        benchmark::DoNotOptimize(sums);
    }
}

void BM_RefreshAverages(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    auto page = MakeListPage(dataFolder);
    page->Get<QComboBox>(ListIds::IDC_AVERAGE_TYPE)->setCurrentIndex(static_cast<int>(state.range(1)));
    for (auto _ : state)
        page->RefreshAverages();
}

// Switching the averages' type, and switching their period (last 7 or 28 days) over all
// types: each reads every record once; the period adds the reading of each record's date.
void BM_SwitchType(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    auto page = MakeListPage(dataFolder);
    auto* types = page->Get<QComboBox>(ListIds::IDC_AVERAGE_TYPE);
    int entry = 0;
    for (auto _ : state) {
        entry = entry == 1 ? 3 : 1; // 朝 and 晩
        types->setCurrentIndex(entry);
        page->OnSelchangeAverageType();
    }
}

void BM_SwitchPeriod(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    auto page = MakeListPage(dataFolder);
    auto* periods = page->Get<QComboBox>(ListIds::IDC_PERIOD);
    int entry = 0;
    for (auto _ : state) {
        entry = entry == 1 ? 3 : 1; // 直近 7 日 and 直近 28 日
        periods->setCurrentIndex(entry);
        page->OnSelchangePeriod();
    }
}

void BM_CellColoursOfAScreenfulAtTheEnd(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CTextFile file;
    file.SetPath(kDataFileName);
    file.Reload();
    const unsigned last = file.GetLineCount();
    for (auto _ : state) {
        for (unsigned n = last - kScreenRows + 1; n <= last; ++n)
            for (int column = 0; column < 7; ++column)
                benchmark::DoNotOptimize(CellColours(column, file.GetLine(n)));
    }
}

void BM_FillListModel(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    auto page = MakeListPage(dataFolder);
    auto* model = static_cast<CRecordListModel*>(page->Get<QTableView>(ListIds::IDC_RECORD_LIST)->model());
    const int rows = model->rowCount();
    for (auto _ : state) {
        model->ResetFromFile();
        for (int row = rows - kScreenRows; row < rows; ++row)
            for (int column = 0; column < CRecordListModel::kColumnCount; ++column) {
                benchmark::DoNotOptimize(model->data(model->index(row, column), Qt::DisplayRole));
                benchmark::DoNotOptimize(model->data(model->index(row, column), Qt::BackgroundRole));
            }
    }
}

void BM_PaintListScreenfulAtTheEnd(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    auto page = MakeListPage(dataFolder);
    page->show();
    auto* list = page->Get<QTableView>(ListIds::IDC_RECORD_LIST);
    list->scrollToBottom();
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(list->viewport()->grab());
}

void BM_DrawGraph(benchmark::State& state)
{
    PageFolder folder(static_cast<size_t>(state.range(0)));
    CDataFolder dataFolder;
    dataFolder.Load();
    CGraphPage page(RealModalSeam(), dataFolder);
    page.Create(nullptr);
    page.Get<QComboBox>(GraphIds::IDC_GRAPH_TYPE)->setCurrentIndex(0);
    const auto* surface = page.Control(GraphIds::IDC_GRAPH)->findChild<CGraphSurface*>();
    const QSize size = surface->size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter dc(&image);
        dc.setFont(surface->font());
        page.DrawGraph(dc, size.width(), size.height());
    }
}

void BM_LayoutReport(benchmark::State& state)
{
    const std::vector<std::string> records = SampleRecordLines(static_cast<size_t>(state.range(0)));
    const std::vector<std::string>& types = DefaultItemLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            LayoutReport(50, "name", 1, static_cast<long>(records.size()), records, types));
}

} // namespace

#define VELLIQA_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_BaselineThreeNumbersLoop) VELLIQA_SIZES;
BENCHMARK(BM_RefreshAverages)->ArgsProduct({{1000, 10000, 100000}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SwitchType) VELLIQA_SIZES;
BENCHMARK(BM_SwitchPeriod) VELLIQA_SIZES;
BENCHMARK(BM_CellColoursOfAScreenfulAtTheEnd) VELLIQA_SIZES;
BENCHMARK(BM_FillListModel) VELLIQA_SIZES;
BENCHMARK(BM_PaintListScreenfulAtTheEnd) VELLIQA_SIZES;
BENCHMARK(BM_DrawGraph) VELLIQA_SIZES;
BENCHMARK(BM_LayoutReport)->Arg(30)->Arg(1000)->Unit(benchmark::kMicrosecond);
