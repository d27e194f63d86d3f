#include "record/Averages.h"

#include <cstdint>
#include <utility>

namespace {

template <size_t N> struct Averages
{
    std::array<std::string, N> texts;
    std::string count;
};

// The averages of several fields over the same lines, read in one pass.
template <size_t N>
Averages<N> ComputeAverages(unsigned lineCount, const RecordLineAt& lineAt,
                            const std::array<RecordField, N>& fields, int typeFilter,
                            const RecordPeriod& period)
{
    if (lineCount == 0)
        return {};
    // Unsigned arithmetic wraps around where a signed sum would overflow; the conversion
    // back gives the value a wrapping signed 32-bit sum has.
    std::array<std::uint32_t, N> sums{};
    std::int32_t n = 0;
    for (unsigned line = 1; line <= lineCount; ++line) {
        const std::string_view text = lineAt(line);
        // The date first, from the line's first field: a line outside the period costs no
        // splitting of the others.
        if (!period.CoversAll() && !period.Contains(text.substr(0, text.find(','))))
            continue;
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
    Averages<N> result;
    for (size_t i = 0; i < N; ++i) {
        std::int64_t average = static_cast<std::int32_t>(sums[i]);
        if (n > 0)
            average /= n;
        result.texts[i] = std::to_string(average);
    }
    result.count = std::to_string(n);
    return result;
}

} // namespace

std::string ComputeAverageText(unsigned lineCount, const RecordLineAt& lineAt, RecordField field,
                               int typeFilter)
{
    return ComputeAverages<1>(lineCount, lineAt, {field}, typeFilter, AllDays()).texts[0];
}

std::array<std::string, 3> ComputePressureAverageTexts(unsigned lineCount, const RecordLineAt& lineAt,
                                                       int typeFilter)
{
    return ComputePressureAverages(lineCount, lineAt, typeFilter, AllDays()).averages;
}

PressureAverages ComputePressureAverages(unsigned lineCount, const RecordLineAt& lineAt, int typeFilter,
                                         const RecordPeriod& period)
{
    Averages<3> result = ComputeAverages<3>(
        lineCount, lineAt, {RecordField::Max, RecordField::Min, RecordField::Pulse}, typeFilter, period);
    return {std::move(result.texts), std::move(result.count)};
}
