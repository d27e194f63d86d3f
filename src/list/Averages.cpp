#include "list/Averages.h"

#include "store/RecordLine.h"

#include <cstdint>

std::string ComputeAverageText(unsigned lineCount, const RecordLineAt& lineAt, int field, int typeFilter)
{
    if (lineCount == 0)
        return {};
    // Unsigned arithmetic wraps around where a signed sum would overflow; the conversion
    // back gives the value a wrapping signed 32-bit sum has.
    std::uint32_t sum = 0;
    std::int32_t n = 0;
    for (unsigned line = 1; line <= lineCount; ++line) {
        const std::string_view text = lineAt(line);
        if (typeFilter > 0 && ReadInt(GetRecordField(text, 6)) != typeFilter)
            continue;
        sum += static_cast<std::uint32_t>(ReadInt(GetRecordField(text, field)));
        ++n;
    }
    std::int64_t average = static_cast<std::int32_t>(sum);
    if (n > 0)
        average /= n;
    return std::to_string(average);
}
