#include "store/DataFiles.h"

#include "store/TextFile.h"

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
// crash never leaves a half-written file that would count as existing at the next start.
void CreateIfMissing(const char* name, const std::vector<std::string>& lines)
{
    CTextFile file(nullptr, true);
    file.SetPath(name);
    if (file.Exists())
        return;
    if (lines.empty()) {
        file.Open("a+");
        file.Close();
        return;
    }
    std::string content;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            content += '\n';
        content += lines[i];
    }
    file.InsertLine(1, content);
}

} // namespace

void CreateMissingDataFiles()
{
    CreateIfMissing(kItemFileName, DefaultItemLines());
    CreateIfMissing(kSettingFileName, DefaultSettingLines());
    CreateIfMissing(kDataFileName, {});
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
    CTextFile file(nullptr, true);
    BindDataFile(file, name);
    return FileLines(file);
}

std::vector<std::string> ReadTypeNames()
{
    return ReadDataFileLines(kItemFileName);
}
