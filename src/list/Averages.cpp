#include "list/Averages.h"

#include <cstdint>

namespace {

// The averages of several fields over the same lines, read in one pass.
template <size_t N>
std::array<std::string, N> ComputeAverages(unsigned lineCount, const RecordLineAt& lineAt,
                                           const std::array<RecordField, N>& fields, int typeFilter)
{
    if (lineCount == 0)
        return {};
    // Unsigned arithmetic wraps around where a signed sum would overflow; the conversion
    // back gives the value a wrapping signed 32-bit sum has.
    std::array<std::uint32_t, N> sums{};
    std::int32_t n = 0;
    for (unsigned line = 1; line <= lineCount; ++line) {
        const std::string_view text = lineAt(line);
        const std::array<std::string_view, 7> record = SplitRecordFields(text);
        const auto field = [&](RecordField f) {
            const int n = static_cast<int>(f);
            return n >= 1 && n <= 7 ? record[static_cast<size_t>(n - 1)] : RecordFieldText(text, f);
        };
        if (typeFilter > 0 && ReadInt(field(RecordField::Type)) != typeFilter)
            continue;
        for (size_t i = 0; i < N; ++i)
            sums[i] += static_cast<std::uint32_t>(ReadInt(field(fields[i])));
        ++n;
    }
    std::array<std::string, N> texts;
    for (size_t i = 0; i < N; ++i) {
        std::int64_t average = static_cast<std::int32_t>(sums[i]);
        if (n > 0)
            average /= n;
        texts[i] = std::to_string(average);
    }
    return texts;
}

} // namespace

std::string ComputeAverageText(unsigned lineCount, const RecordLineAt& lineAt, RecordField field,
                               int typeFilter)
{
    return ComputeAverages<1>(lineCount, lineAt, {field}, typeFilter)[0];
}

std::array<std::string, 3> ComputePressureAverageTexts(unsigned lineCount, const RecordLineAt& lineAt,
                                                       int typeFilter)
{
    return ComputeAverages<3>(lineCount, lineAt, {RecordField::Max, RecordField::Min, RecordField::Pulse},
                              typeFilter);
}
