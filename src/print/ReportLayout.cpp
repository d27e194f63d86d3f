#include "print/ReportLayout.h"

#include "platform/Cp932.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace {

constexpr int kLeft = 10;      // every line starts 10 device units from the printable edge
constexpr int kTypeSlots = 10; // types 0-9 get a per-type average

// The report's own texts, as code page 932 bytes.
const std::string& HeaderSuffix()
{
    static const std::string text = Cp932FromUtf8(" 様 測定結果");
    return text;
}

const std::string& ColumnHeader()
{
    // 8 spaces, 時刻, 11 spaces, 最大血圧, 3 spaces, 最低血圧, 7 spaces, 脈拍.
    static const std::string text = Cp932FromUtf8("        時刻           最大血圧   最低血圧       脈拍");
    return text;
}

const std::string& OverallLabel()
{
    static const std::string text = Cp932FromUtf8("全測定結果");
    return text;
}

// The pieces of an average line around its three numbers.
struct AverageTexts
{
    std::string beforeMax = Cp932FromUtf8("の平均   最大血圧：");
    std::string beforeMin = Cp932FromUtf8(" mmHg   最低血圧：");
    std::string beforePulse = Cp932FromUtf8(" mmHg   脈拍数：");
    std::string after = Cp932FromUtf8(" 拍/分");
};

const AverageTexts& Averages()
{
    static const AverageTexts texts;
    return texts;
}

// C formatting into a string of any length; widths and precisions count bytes.
template <typename... Args> std::string Format(const char* format, Args... args)
{
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0)
        return {};
    std::string text(static_cast<size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// The fields of one record line that the report uses, numbers read by the atol rule.
struct Row
{
    std::string dateTime;
    long max = 0;
    long min = 0;
    long pulse = 0;
    bool ihb = false;
    long type = 0;
    std::string comment; // up to the next comma
};

Row ReadRow(std::string_view line)
{
    Row row;
    row.dateTime = std::string(RecordFieldText(line, RecordField::DateTime));
    row.max = ReadRecordNumber(line, RecordField::Max);
    row.min = ReadRecordNumber(line, RecordField::Min);
    row.pulse = ReadRecordNumber(line, RecordField::Pulse);
    row.ihb = ReadRecordNumber(line, RecordField::Ihb) != 0;
    row.type = ReadRecordNumber(line, RecordField::Type);
    row.comment = std::string(RecordFieldText(line, RecordField::Comment));
    return row;
}

std::string RowText(const Row& row)
{
    return Format("%20.20s   %8ld   %8ld   %8ld%3.3s   %s", row.dateTime.c_str(), row.max, row.min, row.pulse,
                  row.ihb ? "(*)" : "", row.comment.c_str());
}

// Sums over a set of rows. They are 64-bit, so that a thousand large values cannot overflow.
struct Sums
{
    long long count = 0;
    long long max = 0;
    long long min = 0;
    long long pulse = 0;

    void Add(const Row& row)
    {
        ++count;
        max += row.max;
        min += row.min;
        pulse += row.pulse;
    }
};

// Highest and lowest of one measure. Both start from the first row, so that each is always a
// value that was printed, whatever the values are.
struct Extent
{
    long high = 0;
    long low = 0;

    void Take(long value, bool first)
    {
        high = first ? value : std::max(high, value);
        low = first ? value : std::min(low, value);
    }
};

std::string AverageText(const std::string& label, const Sums& sums)
{
    const AverageTexts& texts = Averages();
    return label + texts.beforeMax + Format("%4lld", sums.max / sums.count) + texts.beforeMin +
           Format("%4lld", sums.min / sums.count) + texts.beforePulse +
           Format("%4lld", sums.pulse / sums.count) + texts.after;
}

std::string RangeText(const Extent& max, const Extent& min, const Extent& pulse)
{
    return Format("                      ( %3ld - %3ld )         ( %3ld - %3ld )         ( %3ld - %3ld )",
                  max.high, max.low, min.high, min.low, pulse.high, pulse.low);
}

// Type t is named by its line of the type file; a missing line names it with the empty text.
std::string TypeName(const std::vector<std::string>& typeNames, size_t t)
{
    return t < typeNames.size() ? typeNames[t] : std::string();
}

// The top of the first row of every page, below the header and the column header.
int FirstRowTop(int h)
{
    return 5 * h + 11;
}

// The report's lines, written page by page with the running top position y. Each page begins
// with the header and the column header; a group of lines that would reach below the bottom
// edge of the printable area goes to a new page, unless the page holds nothing below its
// headers yet, so that a page too short for even one group still moves on.
struct PageWriter
{
    int h = 0;
    int pageHeight = kUnboundedPage;
    std::string header;
    std::vector<ReportLine> lines;
    int page = 0;
    int y = 0;

    void StartPage(int n)
    {
        page = n;
        lines.push_back({kLeft, h + 1, header, page});
        lines.push_back({kLeft, 4 * h + 11, ColumnHeader(), page});
        y = FirstRowTop(h);
    }

    // Room for a group of lines reaching `height` below y.
    void Reserve(int height)
    {
        if (y != FirstRowTop(h) && static_cast<long long>(y) + height > pageHeight)
            StartPage(page + 1);
    }

    void Add(int offset, std::string text) { lines.push_back({kLeft, y + offset, std::move(text), page}); }
};

} // namespace

int ReportRowsPerPage(int h, int pageHeight)
{
    if (h <= 0)
        return 1;
    return std::max(1, (pageHeight - FirstRowTop(h)) / h);
}

std::vector<ReportLine> LayoutReport(int h, const std::string& name, long from, long to,
                                     const std::vector<std::string>& records,
                                     const std::vector<std::string>& typeNames, int pageHeight)
{
    PageWriter out;
    out.h = h;
    out.pageHeight = pageHeight;
    out.header = name + HeaderSuffix();
    out.StartPage(0);

    Sums overall;
    std::array<Sums, kTypeSlots> perType{};
    Extent max, min, pulse;
    // Positions below 1 hold no record; starting at 1 also keeps a huge negative start from
    // spinning through billions of empty positions.
    const long long last = std::min<long long>(to, static_cast<long long>(records.size()));
    for (long long p = std::max<long long>(from, 1); p <= last; ++p) {
        const Row row = ReadRow(records[static_cast<size_t>(p - 1)]);
        out.Reserve(h);
        out.Add(0, RowText(row));
        const bool first = overall.count == 0;
        max.Take(row.max, first);
        min.Take(row.min, first);
        pulse.Take(row.pulse, first);
        overall.Add(row);
        // A type outside the table counts in the overall figures only.
        if (row.type >= 0 && row.type < kTypeSlots)
            perType[static_cast<size_t>(row.type)].Add(row);
        out.y += h;
    }
    if (overall.count == 0)
        return std::move(out.lines);

    // The averages block: a blank line, the overall averages, the ranges, a blank line, then a
    // line for each type 1-9 that occurs. It stays together on one page.
    std::vector<std::string> typeLines;
    for (size_t t = 1; t < perType.size(); ++t)
        if (perType[t].count != 0)
            typeLines.push_back(AverageText(TypeName(typeNames, t), perType[t]));
    const int typeCount = static_cast<int>(typeLines.size());
    out.Reserve(typeCount == 0 ? 3 * h : (4 + typeCount) * h);
    out.Add(h, AverageText(OverallLabel(), overall));
    out.Add(2 * h, RangeText(max, min, pulse));
    for (int i = 0; i < typeCount; ++i)
        out.Add((4 + i) * h, std::move(typeLines[static_cast<size_t>(i)]));
    return std::move(out.lines);
}
