// What the day's first backup adds to a start: the check whether one is due (the files compared
// with the newest backup) and the backup itself, for a measurement file of 100,000 records.
#include "SampleData.h"
#include "backup/Backups.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class BackupFolder
{
public:
    BackupFolder()
    {
        m_previous = std::filesystem::current_path();
        m_path =
            std::filesystem::temp_directory_path() / ("velliqa-backup-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
        std::filesystem::current_path(m_path);
        Write("data.txt", SampleFileBytes(SampleRecordLines(kRecords)));
        Write("item.txt", "a\r\nb\r\n");
        Write("setting.txt", "100000\r\n1\r\n30\r\n0\r\n0\r\nname\r\n");
    }
    ~BackupFolder()
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }
    BackupFolder(const BackupFolder&) = delete;
    BackupFolder& operator=(const BackupFolder&) = delete;
    static constexpr size_t kRecords = 100000;

private:
    static void Write(const char* name, const std::string& bytes)
    {
        std::ofstream(name, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<long>(bytes.size()));
    }
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

// A start on a day whose backup is not yet taken and whose files equal the newest backup: the
// comparison alone.
void BM_StartBackupCheckUnchanged(benchmark::State& state)
{
    BackupFolder folder;
    TakeBackup(BackupReason::BeforeDelete, {2024, 3, 4, 12, 0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(StartBackupDue({2024, 3, 5, 8, 0, 0}));
}

// A start whose backup is due: the check and the backup (copies written and synced, renamed,
// old backups thinned).
void BM_StartBackupTaken(benchmark::State& state)
{
    BackupFolder folder;
    int second = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(StartBackupDue({2024, 3, 5, 8, 0, 0}));
        const LocalStamp now{2024, 3, 5, 8, second / 60 % 60, second % 60};
        ++second;
        benchmark::DoNotOptimize(TakeBackup(BackupReason::Start, now));
    }
}

} // namespace

BENCHMARK(BM_StartBackupCheckUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartBackupTaken)->Unit(benchmark::kMillisecond);
