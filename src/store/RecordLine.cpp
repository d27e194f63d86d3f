#include "store/RecordLine.h"

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
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t comma = line.find(',', start);
        fields[i] =
            line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
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

std::string FormatRecordLine(std::string_view dateTime, std::uint32_t max, std::uint32_t min,
                             std::uint32_t pulse, int ihb, int type, std::string_view comment)
{
    std::string line;
    line.reserve(dateTime.size() + comment.size() + 48);
    line.append(dateTime);
    for (long long v : {static_cast<long long>(static_cast<std::int32_t>(max)),
                        static_cast<long long>(static_cast<std::int32_t>(min)),
                        static_cast<long long>(static_cast<std::int32_t>(pulse)), static_cast<long long>(ihb),
                        static_cast<long long>(type)}) {
        line += ',';
        line += std::to_string(v);
    }
    line += ',';
    line.append(comment);
    return line;
}
