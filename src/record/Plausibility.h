#pragma once
// Values a real measurement hardly ever has: a typing slip such as 0/0/0, a maximum below the
// minimum or 400 mmHg would skew every average. Each one is asked about before it is stored.

#include <cstdint>
#include <string>
#include <vector>

// The entry field a question is about, where the focus goes when the user answers No.
enum class MeasuredField
{
    Max,
    Min,
    Pulse,
};

struct PlausibilityQuestion
{
    MeasuredField field = MeasuredField::Max;
    std::string text; // UTF-8: a line naming the value, then "このまま登録しますか？"
};

// Accepted without a question: a maximum of 60 to 300 above a minimum of 30 to 200, and a pulse
// of 20 to 250 or 0 (not measured).
inline constexpr std::uint32_t kPlausibleMaxLow = 60, kPlausibleMaxHigh = 300;
inline constexpr std::uint32_t kPlausibleMinLow = 30, kPlausibleMinHigh = 200;
inline constexpr std::uint32_t kPlausiblePulseLow = 20, kPlausiblePulseHigh = 250;

// The questions about one measurement, in the order of the entry fields; none for a plausible
// one.
std::vector<PlausibilityQuestion> ImplausibleValueQuestions(std::uint32_t max, std::uint32_t min,
                                                            std::uint32_t pulse);
