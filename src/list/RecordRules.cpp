#include "list/RecordRules.h"

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

MEASUREMENT RecordFromLine(std::string_view line)
{
    MEASUREMENT m;
    m.dateTime = std::string(GetRecordField(line, 1));
    m.max = static_cast<std::uint32_t>(ReadLong(GetRecordField(line, 2)));
    m.min = static_cast<std::uint32_t>(ReadLong(GetRecordField(line, 3)));
    m.pulse = static_cast<std::uint32_t>(ReadLong(GetRecordField(line, 4)));
    m.ihb = ReadInt(GetRecordField(line, 5));
    m.type = ReadInt(GetRecordField(line, 6));
    m.comment = std::string(StoredComment(line));
    return m;
}
