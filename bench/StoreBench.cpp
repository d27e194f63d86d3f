// The measurement file: loading, reading and durable edits, against what the disk itself costs.
#include "SampleData.h"
#include "store/TextFile.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

// A folder of its own holding data.txt with the given number of records, made the current
// directory (the temporary file of an edit is made there).
class BenchFolder
{
public:
    explicit BenchFolder(size_t records)
    {
        m_previous = std::filesystem::current_path();
        m_path = std::filesystem::temp_directory_path() / ("velliqa-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
        std::filesystem::current_path(m_path);
        m_bytes = SampleFileBytes(SampleRecordLines(records));
        Write("data.txt", m_bytes);
    }
    ~BenchFolder()
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }
    static void Write(const char* name, const std::string& bytes)
    {
        std::ofstream(name, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<long>(bytes.size()));
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
    std::string m_bytes;
};

void SetBytes(benchmark::State& state, size_t bytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}

// What no loader can beat: reading the file's bytes once into memory of their own.
void BM_BaselineRead(benchmark::State& state)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    const size_t size = folder.Bytes().size();
    for (auto _ : state) {
        auto buffer = std::make_unique_for_overwrite<char[]>(size + 1);
        const int fd = ::open("data.txt", O_RDONLY);
        size_t got = 0;
        ssize_t n;
        while ((n = ::read(fd, buffer.get() + got, size + 1 - got)) > 0)
            got += static_cast<size_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
        benchmark::DoNotOptimize(got);
    }
    SetBytes(state, size);
}

// What no durable edit can beat: writing the file's bytes once, fsync and rename.
void BM_BaselineDurableWrite(benchmark::State& state)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        const int fd = ::open("~baseline", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, folder.Bytes().data(), folder.Bytes().size()));
        ::fsync(fd);
        ::close(fd);
        ::rename("~baseline", "data.txt");
        const int dir = ::open(".", O_RDONLY | O_DIRECTORY);
        ::fsync(dir);
        ::close(dir);
    }
    SetBytes(state, folder.Bytes().size());
}

void BM_Load(benchmark::State& state)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        CTextFile file;
        file.SetPath("data.txt");
        benchmark::DoNotOptimize(file.Reload());
    }
    SetBytes(state, folder.Bytes().size());
}

void BM_GetLineOverEveryLine(benchmark::State& state)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    CTextFile file;
    file.SetPath("data.txt");
    file.Reload();
    for (auto _ : state) {
        size_t total = 0;
        for (unsigned n = 1; n <= file.GetLineCount(); ++n)
            total += file.GetLine(n)[0];
        benchmark::DoNotOptimize(total);
    }
}

template <typename Edit> void RunEdit(benchmark::State& state, Edit edit)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    CTextFile file;
    file.SetPath("data.txt");
    file.Reload();
    for (auto _ : state)
        benchmark::DoNotOptimize(edit(file));
    SetBytes(state, folder.Bytes().size());
}

const std::string kRecord = "2026/12/8 07:30:00,128,84,66,0,1,";

void BM_AddRecordWithLimit(benchmark::State& state)
{
    // The limit equals the file's size, so every addition also drops the oldest record.
    const int limit = static_cast<int>(state.range(0));
    RunEdit(state, [&](CTextFile& f) { return f.InsertLineLimited(1, kRecord, limit); });
}

void BM_CorrectRecordInTheMiddle(benchmark::State& state)
{
    const unsigned middle = static_cast<unsigned>(state.range(0) / 2);
    RunEdit(state, [&](CTextFile& f) { return f.ReplaceLine(middle, kRecord); });
}

void BM_DeleteRecordInTheMiddle(benchmark::State& state)
{
    // Each deletion is followed by nothing: the file shrinks by one line per iteration, which
    // over the few dozen iterations a run takes changes its size by well under one per cent.
    const unsigned middle = static_cast<unsigned>(state.range(0) / 2);
    RunEdit(state, [&](CTextFile& f) { return f.DeleteLine(middle); });
}

// The list page's deletion of 1,000 selected rows spread over the whole file: one rewrite. The
// file gets its records back (and is flushed) outside the timing before each deletion.
void BM_DeleteSelectedRecords(benchmark::State& state)
{
    BenchFolder folder(static_cast<size_t>(state.range(0)));
    CTextFile file;
    file.SetPath("data.txt");
    std::vector<unsigned> selected;
    const unsigned step = static_cast<unsigned>(state.range(0) / 1000);
    for (unsigned n = 1; n <= state.range(0); n += step)
        selected.push_back(n);
    for (auto _ : state) {
        state.PauseTiming();
        BenchFolder::Write("data.txt", folder.Bytes());
        const int fd = ::open("data.txt", O_RDONLY);
        ::fsync(fd);
        ::close(fd);
        file.Reload();
        state.ResumeTiming();
        benchmark::DoNotOptimize(file.DeleteLines(selected));
    }
    SetBytes(state, folder.Bytes().size());
}

} // namespace

#define VELLIQA_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_BaselineRead) VELLIQA_SIZES;
BENCHMARK(BM_Load) VELLIQA_SIZES;
BENCHMARK(BM_GetLineOverEveryLine) VELLIQA_SIZES;
BENCHMARK(BM_BaselineDurableWrite) VELLIQA_SIZES;
BENCHMARK(BM_AddRecordWithLimit) VELLIQA_SIZES;
BENCHMARK(BM_CorrectRecordInTheMiddle) VELLIQA_SIZES;
BENCHMARK(BM_DeleteRecordInTheMiddle) VELLIQA_SIZES;
BENCHMARK(BM_DeleteSelectedRecords)->Arg(100000)->Unit(benchmark::kMillisecond);
