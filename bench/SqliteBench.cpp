// The peer a user who outgrew a text file would pick: the same records in an SQLite table, with
// one durable insert (synchronous=FULL) in the rollback and the WAL journal modes, and a full
// read of all rows. Run in the same binary as the measurement file's benchmarks, so that the
// ratios come from one run.
#include "SampleData.h"
#include "record/RecordLine.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A database of its own in a fresh folder, filled with the sample records in one transaction.
class CSqliteFolder
{
public:
    CSqliteFolder(size_t records, const char* journalMode)
    {
        m_path = std::filesystem::temp_directory_path() / ("velliqa-sqlite-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        sqlite3_open((m_path / "data.db").c_str(), &m_db);
        Exec(std::string("PRAGMA journal_mode=") + journalMode);
        Exec("PRAGMA synchronous=FULL");
        Exec("CREATE TABLE measurement (id INTEGER PRIMARY KEY, datetime TEXT, max INTEGER, min INTEGER, "
             "pulse INTEGER, ihb INTEGER, type INTEGER, comment BLOB)");
        Exec("BEGIN");
        for (const std::string& line : SampleRecordLines(records))
            Insert(line);
        Exec("COMMIT");
    }
    ~CSqliteFolder()
    {
        sqlite3_close(m_db);
        std::filesystem::remove_all(m_path);
    }
    void Exec(const std::string& sql) { sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    // One record as its own transaction: with synchronous=FULL it is durable when this returns.
    bool Insert(std::string_view line)
    {
        if (!m_insert)
            sqlite3_prepare_v2(m_db, "INSERT INTO measurement VALUES (NULL, ?, ?, ?, ?, ?, ?, ?)", -1,
                               &m_insert, nullptr);
        const auto text = [&](int column, std::string_view value) {
            sqlite3_bind_text(m_insert, column, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
        };
        text(1, RecordFieldText(line, RecordField::DateTime));
        for (int field = 2; field <= 6; ++field)
            sqlite3_bind_int(m_insert, field, ReadRecordNumber(line, static_cast<RecordField>(field)));
        const std::string_view comment = RecordFieldText(line, RecordField::Comment);
        sqlite3_bind_blob(m_insert, 7, comment.data(), static_cast<int>(comment.size()), SQLITE_TRANSIENT);
        const bool ok = sqlite3_step(m_insert) == SQLITE_DONE;
        sqlite3_reset(m_insert);
        return ok;
    }
    sqlite3* Db() const { return m_db; }
    CSqliteFolder(const CSqliteFolder&) = delete;
    CSqliteFolder& operator=(const CSqliteFolder&) = delete;

private:
    std::filesystem::path m_path;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
};

const std::string kRecord = "2026/12/8 07:30:00,128,84,66,0,1,";

void RunInsert(benchmark::State& state, const char* journalMode)
{
    CSqliteFolder folder(static_cast<size_t>(state.range(0)), journalMode);
    for (auto _ : state)
        benchmark::DoNotOptimize(folder.Insert(kRecord));
}

void BM_SqliteInsertRollback(benchmark::State& state)
{
    RunInsert(state, "DELETE");
}

void BM_SqliteInsertWal(benchmark::State& state)
{
    RunInsert(state, "WAL");
}

// Every row with all its columns, as a list would read them.
void BM_SqliteReadAll(benchmark::State& state)
{
    CSqliteFolder folder(static_cast<size_t>(state.range(0)), "WAL");
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(folder.Db(), "SELECT datetime, max, min, pulse, ihb, type, comment FROM measurement",
                       -1, &select, nullptr);
    for (auto _ : state) {
        long long sum = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            sum += sqlite3_column_bytes(select, 0) + sqlite3_column_int(select, 1) +
                   sqlite3_column_int(select, 2) + sqlite3_column_int(select, 3) +
                   sqlite3_column_int(select, 4) + sqlite3_column_int(select, 5) +
                   sqlite3_column_bytes(select, 6);
        }
        sqlite3_reset(select);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_finalize(select);
}

} // namespace

#define VELLIQA_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_SqliteReadAll) VELLIQA_SIZES;
BENCHMARK(BM_SqliteInsertRollback) VELLIQA_SIZES;
BENCHMARK(BM_SqliteInsertWal) VELLIQA_SIZES;
