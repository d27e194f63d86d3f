#include "record/RecordLine.h"

#include <limits>

std::string_view GetRecordField(std::string_view line, int n)
{
    if (n < 1)
        return {};
    size_t start = 0;
    for (int i = 1; i < n; ++i) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::array<std::string_view, 7> SplitRecordFields(std::string_view line)
{
    std::array<std::string_view, 7> fields;
    size_t start = 0;
    for (std::string_view& field : fields) {
        const size_t comma = line.find(',', start);
        field = line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (comma == std::string_view::npos)
            break; // the fields after the line's end stay empty
        start = comma + 1;
    }
    return fields;
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads by the atol rule into a 64-bit value, saturating at the given bounds.
long long ReadSaturated(std::string_view text, long long lo, long long hi)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > hi + 1) // stays far below the 64-bit limit
            value = hi + 1;
    }
    value = negative ? -value : value;
    return value < lo ? lo : (value > hi ? hi : value);
}

} // namespace

std::int32_t ReadInt(std::string_view text)
{
    return static_cast<std::int32_t>(ReadSaturated(text, std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()));
}

long ReadLong(std::string_view text)
{
    // long is 64 bits here but 32 on the system the files come from; keep the 32-bit range.
    return static_cast<long>(ReadInt(text));
}

std::string_view RecordFieldText(std::string_view line, RecordField field)
{
    return GetRecordField(line, static_cast<int>(field));
}

std::int32_t ReadRecordNumber(std::string_view line, RecordField field)
{
    return ReadInt(RecordFieldText(line, field));
}

MEASUREMENT ParseRecordLine(std::string_view line)
{
    const std::array<std::string_view, 7> fields = SplitRecordFields(line);
    const auto at = [&](RecordField f) { return fields[static_cast<size_t>(f) - 1]; };
    MEASUREMENT m;
    m.dateTime = std::string(at(RecordField::DateTime));
    m.max = static_cast<std::uint32_t>(ReadLong(at(RecordField::Max)));
    m.min = static_cast<std::uint32_t>(ReadLong(at(RecordField::Min)));
    m.pulse = static_cast<std::uint32_t>(ReadLong(at(RecordField::Pulse)));
    m.ihb = ReadInt(at(RecordField::Ihb));
    m.type = ReadInt(at(RecordField::Type));
    m.comment = std::string(StoredComment(line));
    return m;
}

std::string FormatRecordLine(const MEASUREMENT& m)
{
    std::string line;
    line.reserve(m.dateTime.size() + m.comment.size() + 48);
    line.append(m.dateTime);
    for (long long v : {static_cast<long long>(static_cast<std::int32_t>(m.max)),
                        static_cast<long long>(static_cast<std::int32_t>(m.min)),
                        static_cast<long long>(static_cast<std::int32_t>(m.pulse)),
                        static_cast<long long>(m.ihb), static_cast<long long>(m.type)}) {
        line += ',';
        line += std::to_string(v);
    }
    line += ',';
    line.append(m.comment);
    return line;
}

namespace {

// "，" (U+FF0C) in code page 932.
constexpr std::string_view kFullWidthComma = "\x81\x43";

} // namespace

std::string StorableComment(std::string_view cp932)
{
    // In code page 932 no trail byte of a double-byte character is a comma, CR or LF, so
    // these bytes are always characters of their own.
    std::string stored;
    stored.reserve(cp932.size());
    for (const char c : cp932) {
        if (c == ',')
            stored += kFullWidthComma;
        else if (c == '\r' || c == '\n')
            stored += ' ';
        else
            stored += c;
    }
    return stored;
}

std::string_view StoredComment(std::string_view line)
{
    size_t start = 0;
    for (int comma = 0; comma < 6; ++comma) {
        const size_t found = line.find(',', start);
        if (found == std::string_view::npos)
            return {};
        start = found + 1;
    }
    return line.substr(start);
}
