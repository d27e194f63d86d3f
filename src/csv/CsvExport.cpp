#include "csv/CsvExport.h"

#include "platform/Cp932.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント";

// A field as RFC 4180 wants it. The text is code page 932: no trail byte of a double-byte
// character is a quote, comma, CR or LF, so looking at single bytes is safe.
void AppendField(std::string& out, std::string_view text)
{
    if (text.find_first_of("\",\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

struct Row
{
    Moment when;
    size_t line; // index into the record lines
};

void AppendRecord(std::string& out, const Row& row, std::string_view line,
                  const std::vector<std::string>& typeLines)
{
    const MEASUREMENT m = ParseRecordLine(line);
    std::array<char, 96> numbers{};
    std::snprintf(numbers.data(), numbers.size(), "%04d-%02d-%02d,%02d:%02d:%02d,%d,%d,%d,%d,", row.when.year,
                  row.when.month, row.when.day, row.when.hour, row.when.minute, row.when.second,
                  static_cast<int>(m.max), static_cast<int>(m.min), static_cast<int>(m.pulse),
                  m.ihb > 0 ? 1 : 0);
    out += numbers.data();
    if (m.type >= 0 && static_cast<size_t>(m.type) < typeLines.size())
        AppendField(out, typeLines[static_cast<size_t>(m.type)]);
    out += ',';
    AppendField(out, m.comment);
    out += "\r\n";
}

} // namespace

CsvExportResult ExportCsv(const std::vector<std::string>& recordLines,
                          const std::vector<std::string>& typeLines, const RecordPeriod& period)
{
    CsvExportResult result;
    std::vector<Row> rows;
    rows.reserve(recordLines.size());
    for (size_t i = 0; i < recordLines.size(); ++i) {
        const std::optional<Moment> when = ReadMoment(RecordFieldText(recordLines[i], RecordField::DateTime));
        if (!when)
            ++result.unreadable;
        else if (period.ContainsDay(when->Day()))
            rows.push_back({*when, i});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.when.Key() < b.when.Key(); });

    // The rows are built in code page 932, as the records hold them, and converted once.
    std::string body;
    body.reserve(rows.size() * 64);
    for (const Row& row : rows)
        AppendRecord(body, row, recordLines[row.line], typeLines);
    result.exported = static_cast<int>(rows.size());
    result.text.reserve(body.size() * 3 / 2 + 64);
    result.text.append(kByteOrderMark);
    result.text.append(kHeader);
    result.text.append("\r\n");
    result.text.append(Utf8FromCp932(body));
    return result;
}
