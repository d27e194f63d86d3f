#include "csv/ImportFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kRootSniffBytes = 1 << 20;

HealthByteSource FileSource(std::FILE* file)
{
    return [file](char* buffer, std::size_t size) -> std::optional<std::size_t> {
        const std::size_t got = std::fread(buffer, 1, size, file);
        if (got == 0 && std::ferror(file))
            return std::nullopt;
        return got;
    };
}

// What the file starts with: a zip archive, XML, or something else.
ImportFileKind KindOf(std::string_view head)
{
    if (head.starts_with("PK\x03\x04") || head.starts_with("PK\x05\x06"))
        return ImportFileKind::HealthZip;
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && head.substr(first).starts_with("<"))
        return ImportFileKind::HealthXml;
    return ImportFileKind::Csv;
}

void TakeHealth(ImportFileRead& read, HealthReadResult&& health)
{
    read.healthError = health.error;
    read.line = health.line;
    read.detail = std::move(health.detail);
    read.table = std::move(health.table);
}

} // namespace

ImportFileRead ReadImportFile(const std::string& path)
{
    ImportFileRead read;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        read.openError = errno != 0 ? errno : EIO;
        return read;
    }
    char head[64] = {};
    const std::size_t headSize = std::fread(head, 1, sizeof head, file.get());
    read.kind = KindOf(std::string_view(head, headSize));
    if (read.kind == ImportFileKind::HealthZip) {
        file.reset();
        HealthZipResult zip = ReadHealthZip(path);
        read.zipError = zip.zipError;
        TakeHealth(read, std::move(zip.health));
        return read;
    }
    std::rewind(file.get());
    if (read.kind == ImportFileKind::HealthXml) {
        const XmlRoot root = XmlRootElement(FileSource(file.get()), kRootSniffBytes);
        if (root.name == "HealthData") {
            std::rewind(file.get());
            TakeHealth(read, ReadHealthExport(FileSource(file.get())));
            return read;
        }
        if (root.error != HealthReadError::None || !root.name.empty()) {
            read.healthError =
                root.error != HealthReadError::None ? root.error : HealthReadError::NotHealthData;
            return read;
        }
        read.kind = ImportFileKind::Csv; // not XML after all: a CSV file may start with "<"
        std::rewind(file.get());
    }
    std::string bytes;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) {
        read.openError = EIO;
        return read;
    }
    read.table = ReadCsvTable(bytes);
    return read;
}

std::string ImportFileErrorText(const ImportFileRead& read, Language language)
{
    const bool japanese = language == Language::Japanese;
    if (read.openError != 0)
        return (japanese ? "ファイルを読めません（" : "cannot read the file (") +
               std::string(std::strerror(read.openError)) + (japanese ? "）。" : ").");
    switch (read.zipError) {
    case HealthZipError::None:
        break;
    case HealthZipError::NotZip:
        return japanese ? "zip ファイルとして開けません。" : "cannot be opened as a zip archive.";
    case HealthZipError::UnsafeName:
        return japanese
                   ? "zip ファイルに「../」や絶対パスの名前のファイルがあるため、読み込みません。"
                   : "the zip archive holds a file named with \"../\" or an absolute path; it is not read.";
    case HealthZipError::Bomb:
        return japanese ? "zip ファイルの中身が展開すると大きすぎるため、読み込みません。"
                        : "a file in the zip archive inflates far too large; it is not read.";
    case HealthZipError::NoHealthData:
        return japanese ? "zip ファイルに Apple Health の書き出し（export.xml）がありません。"
                        : "the zip archive holds no Apple Health export (export.xml).";
    case HealthZipError::ReadFailed:
        return japanese ? "zip ファイルの中身を読めません（壊れているか暗号化されています）。"
                        : "a file in the zip archive cannot be read (damaged or encrypted).";
    }
    const std::string line = std::to_string(read.line);
    switch (read.healthError) {
    case HealthReadError::None:
        return {};
    case HealthReadError::NotHealthData:
        return japanese ? "CSV ファイルでも Apple Health の書き出しでもありません。"
                        : "neither a CSV file nor an Apple Health export.";
    case HealthReadError::Malformed:
        return japanese ? line + " 行目: XML として読めません（" + read.detail + "）。"
                        : "line " + line + ": not well-formed XML (" + read.detail + ").";
    case HealthReadError::EntityReference:
        return japanese ? line + " 行目: ファイルの中で宣言された実体を参照しているため、読み込みません。"
                        : "line " + line + ": refers to an entity the file declares; it is not read.";
    case HealthReadError::TooDeep:
        return japanese ? line + " 行目: 要素の入れ子が深すぎるため、読み込みません。"
                        : "line " + line + ": elements are nested too deeply; it is not read.";
    case HealthReadError::SourceFailed:
        return japanese ? "ファイルを最後まで読めません。" : "the file cannot be read to its end.";
    }
    return {};
}
