#include "evaluation/EvaluationSettings.h"

#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <cerrno>
#include <charconv>

namespace {

constexpr const char* kMorningName = "\x92\xA9"; // 朝
constexpr const char* kEveningName = "\x94\xD3"; // 晩

int FirstTypeNamed(const std::vector<std::string>& typeNames, std::string_view name)
{
    for (std::size_t i = 1; i < typeNames.size(); ++i)
        if (typeNames[i] == name)
            return static_cast<int>(i);
    return kNoOccasionType;
}

// A whole line holding one decimal number (blanks around it allowed), else nullopt.
std::optional<long> ReadWholeNumber(const std::vector<std::string>& lines, std::size_t index)
{
    if (index >= lines.size())
        return std::nullopt;
    std::string_view text = lines[index];
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

long TargetOr(std::optional<long> value, long fallback)
{
    return value && *value >= kLowestTarget && *value <= kHighestTarget ? *value : fallback;
}

int TypeOr(std::optional<long> value, int fallback, const std::vector<std::string>& typeNames)
{
    if (!value || *value < kNoOccasionType || *value > static_cast<long>(typeNames.size()))
        return fallback;
    const int type = static_cast<int>(*value);
    return IsOccasionType(type, typeNames) ? type : fallback;
}

} // namespace

EvaluationSettings DefaultEvaluationSettings(const std::vector<std::string>& typeNames)
{
    EvaluationSettings settings;
    settings.types = {FirstTypeNamed(typeNames, kMorningName), FirstTypeNamed(typeNames, kEveningName)};
    return settings;
}

bool IsOccasionType(int type, const std::vector<std::string>& typeNames)
{
    return type == kNoOccasionType || (type >= 1 && static_cast<std::size_t>(type) < typeNames.size());
}

EvaluationSettings ParseEvaluationSettings(const std::vector<std::string>& lines,
                                           const std::vector<std::string>& typeNames)
{
    const EvaluationSettings defaults = DefaultEvaluationSettings(typeNames);
    EvaluationSettings settings;
    settings.targetMax = TargetOr(ReadWholeNumber(lines, 0), defaults.targetMax);
    settings.targetMin = TargetOr(ReadWholeNumber(lines, 1), defaults.targetMin);
    settings.types = {TypeOr(ReadWholeNumber(lines, 2), defaults.types.morning, typeNames),
                      TypeOr(ReadWholeNumber(lines, 3), defaults.types.evening, typeNames)};
    // One type cannot stand for both occasions.
    if (settings.types.morning != kNoOccasionType && settings.types.morning == settings.types.evening)
        settings.types = defaults.types;
    return settings;
}

std::vector<std::string> EvaluationSettingLines(const EvaluationSettings& settings)
{
    return {std::to_string(settings.targetMax), std::to_string(settings.targetMin),
            std::to_string(settings.types.morning), std::to_string(settings.types.evening)};
}

EvaluationSettings ReadEvaluationSettings(const std::vector<std::string>& typeNames)
{
    return ParseEvaluationSettings(ReadDataFileLines(kEvaluationFileName), typeNames);
}

int WriteEvaluationSettings(const EvaluationSettings& settings)
{
    CTextFile file;
    file.SetPath(kEvaluationFileName);
    if (file.ReplaceAllLines(EvaluationSettingLines(settings)))
        return 0;
    return file.GetLastError() != 0 ? file.GetLastError() : EIO;
}
