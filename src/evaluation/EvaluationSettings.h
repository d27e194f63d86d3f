#pragma once
// The evaluation page's settings: the target pressure (降圧目標) and the types that stand for
// morning and evening. They live in their own file in the data folder, "evaluation.txt", code
// page 932 with CR LF, four lines: the target maximum, the target minimum, the morning type
// index and the evening type index (-1 for none). The file is written only when the user changes
// something, through the store's atomic, durable replace, and read leniently: a missing file, or
// a line that does not hold a usable value, gives the default of that line.

#include "evaluation/Occasions.h"

#include <string>
#include <vector>

inline constexpr const char* kEvaluationFileName = "evaluation.txt";

inline constexpr long kDefaultTargetMax = 125;
inline constexpr long kDefaultTargetMin = 75;
// The range a target value may take.
inline constexpr long kLowestTarget = 1;
inline constexpr long kHighestTarget = 300;

struct EvaluationSettings
{
    long targetMax = kDefaultTargetMax;
    long targetMin = kDefaultTargetMin;
    OccasionTypes types;
    friend bool operator==(const EvaluationSettings&, const EvaluationSettings&) = default;
};

// The defaults for these type names (code page 932, type 0 first): the target 125/75, and the
// first types from 1 on named exactly 朝 and 晩, or none where there is no such type.
EvaluationSettings DefaultEvaluationSettings(const std::vector<std::string>& typeNames);

// Whether a type index may stand for an occasion: none, or a type from 1 on that the names have.
bool IsOccasionType(int type, const std::vector<std::string>& typeNames);

// The settings that the lines of the file hold, judged against the type names: each line that is
// missing or holds no usable value (a target outside kLowestTarget-kHighestTarget, a type the
// names do not have) takes its default; when both types name the same one, both take theirs.
EvaluationSettings ParseEvaluationSettings(const std::vector<std::string>& lines,
                                           const std::vector<std::string>& typeNames);

// The four lines of the file.
std::vector<std::string> EvaluationSettingLines(const EvaluationSettings& settings);

// The settings in the file at path (the data folder's evaluation.txt), with these type names.
EvaluationSettings ReadEvaluationSettings(const std::vector<std::string>& typeNames,
                                          const std::string& path = kEvaluationFileName);

// Writes the settings to the file at path (created when missing) in one atomic, durable
// replace. 0 when they are on disk, else the system's reason (an errno value, EIO when none is
// known); the file then holds what it held.
int WriteEvaluationSettings(const EvaluationSettings& settings,
                            const std::string& path = kEvaluationFileName);
