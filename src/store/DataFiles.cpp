#include "store/DataFiles.h"

#include "store/TextFile.h"

#include <cerrno>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

const std::vector<std::string>& DefaultItemLines()
{
    static const std::vector<std::string> lines{
        "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]", // [指定なし]
        "\x92\xA9",                           // 朝
        "\x92\x8B",                           // 昼
        "\x94\xD3",                           // 晩
        "\x82\xBB\x82\xCC\x91\xBC",           // その他
    };
    return lines;
}

const std::vector<std::string>& DefaultSettingLines()
{
    static const std::vector<std::string> lines{
        "1000",
        "1",
        "30",
        "0",
        "0",
        "\x96\xA2\x90\xDD\x92\xE8", // 未設定
    };
    return lines;
}

namespace {

// Creates a missing file with its default lines, all of them in one durable write, so that a
// crash never leaves a half-written file that would count as existing at the next start. The
// system's reason when it could not be created, else 0.
int CreateIfMissing(const std::string& path, const std::vector<std::string>& lines)
{
    CTextFile file;
    file.SetPath(path);
    if (file.Exists())
        return 0;
    if (lines.empty())
        return file.CreateIfMissing() ? 0 : file.GetLastError();
    std::string content;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            content += '\n';
        content += lines[i];
    }
    if (file.InsertLine(1, content))
        return 0;
    return file.GetLastError() != 0 ? file.GetLastError() : EIO;
}

// The reason an existing file would not be rewritten, as the text file's edits decide it (a file
// without its owner's write permission stays as it is), or 0 when it would be.
int RewriteRefusal(const std::string& path)
{
    const char* name = path.c_str();
    struct stat st = {};
    if (::stat(name, &st) != 0)
        return errno == ENOENT ? 0 : errno; // a missing file was told about when it was not created
    if ((st.st_mode & S_IWUSR) == 0)
        return EACCES;
    return ::access(name, W_OK) == 0 ? 0 : errno;
}

std::vector<std::string> LinesOrDefaults(const std::string& path, const std::vector<std::string>& defaults)
{
    CTextFile file;
    file.SetPath(path);
    if (!file.Exists())
        return defaults;
    return ReadDataFileLines(path.c_str());
}

// The folder's full path, as the user is told about it.
std::string FolderName(const std::string& folder)
{
    std::error_code ec;
    std::string name = std::filesystem::absolute(folder, ec).lexically_normal().string();
    if (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

constexpr const char* kDataFileNames[] = {kItemFileName, kSettingFileName, kDataFileName};

} // namespace

std::string DataFilePath(std::string_view folder, std::string_view name)
{
    if (folder.empty() || folder == ".")
        return std::string(name);
    std::string path(folder);
    if (path.back() != '/')
        path += '/';
    return path.append(name);
}

std::vector<UnwritableDataFile> CreateMissingDataFiles(std::string_view folder)
{
    const std::vector<std::string> noLines;
    const std::vector<std::string>* defaults[] = {&DefaultItemLines(), &DefaultSettingLines(), &noLines};
    std::vector<UnwritableDataFile> notCreated;
    for (int i = 0; i < 3; ++i)
        if (const int error = CreateIfMissing(DataFilePath(folder, kDataFileNames[i]), *defaults[i]);
            error != 0)
            notCreated.push_back({kDataFileNames[i], error});
    return notCreated;
}

std::vector<UnwritableDataFile> PrepareDataFiles(std::string_view folder)
{
    std::vector<UnwritableDataFile> problems = CreateMissingDataFiles(folder);
    const std::string path(folder.empty() ? "." : folder);
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        const int error = errno;
        return {{FolderName(path), error}};
    }
    for (const char* name : kDataFileNames)
        if (const int error = RewriteRefusal(DataFilePath(folder, name)); error != 0)
            problems.push_back({name, error});
    return problems;
}

bool BindDataFile(CTextFile& file, const char* name)
{
    file.SetPath(name);
    return file.Reload();
}

std::vector<std::string> FileLines(CTextFile& file)
{
    // An empty file never counts as loaded: load it before asking for the count.
    if (!file.IsLoaded())
        file.LoadCache();
    std::vector<std::string> lines;
    lines.reserve(file.GetLineCount());
    for (unsigned n = 1; n <= file.GetLineCount(); ++n) {
        const char* line = file.GetLine(n);
        lines.emplace_back(line ? line : "");
    }
    return lines;
}

std::vector<std::string> ReadDataFileLines(const char* name)
{
    CTextFile file;
    BindDataFile(file, name);
    return FileLines(file);
}

std::vector<std::string> ReadTypeNames(std::string_view folder)
{
    return ReadDataFileLines(DataFilePath(folder, kItemFileName).c_str());
}

std::vector<std::string> TypeNamesInUse(std::string_view folder)
{
    return LinesOrDefaults(DataFilePath(folder, kItemFileName), DefaultItemLines());
}

std::vector<std::string> SettingLinesInUse(std::string_view folder)
{
    return LinesOrDefaults(DataFilePath(folder, kSettingFileName), DefaultSettingLines());
}
