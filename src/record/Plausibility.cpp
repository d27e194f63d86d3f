#include "record/Plausibility.h"

namespace {

// On a line of its own: the message box would otherwise wrap the question at any character.
constexpr const char* kStoreAnyway = "\nこのまま登録しますか？";

bool Outside(std::uint32_t value, std::uint32_t low, std::uint32_t high)
{
    return value < low || value > high;
}

std::string OutOfRange(const char* name, std::uint32_t value, std::uint32_t low, std::uint32_t high,
                       const char* unit)
{
    return std::string(name) + "が " + std::to_string(value) + " " + unit + " です（ふつうは " +
           std::to_string(low) + "～" + std::to_string(high) + "）。" + kStoreAnyway;
}

} // namespace

std::vector<PlausibilityQuestion> ImplausibleValueQuestions(std::uint32_t max, std::uint32_t min,
                                                            std::uint32_t pulse)
{
    std::vector<PlausibilityQuestion> questions;
    const auto ask = [&](MeasuredField field, std::string text) {
        questions.push_back({field, std::move(text)});
    };
    if (max == 0)
        ask(MeasuredField::Max, std::string("最高血圧が 0 です。") + kStoreAnyway);
    else if (Outside(max, kPlausibleMaxLow, kPlausibleMaxHigh))
        ask(MeasuredField::Max, OutOfRange("最高血圧", max, kPlausibleMaxLow, kPlausibleMaxHigh, "mmHg"));
    if (max != 0 && min != 0 && max <= min)
        ask(MeasuredField::Max, std::string("最高血圧が最低血圧以下です。") + kStoreAnyway);
    if (min == 0)
        ask(MeasuredField::Min, std::string("最低血圧が 0 です。") + kStoreAnyway);
    else if (Outside(min, kPlausibleMinLow, kPlausibleMinHigh))
        ask(MeasuredField::Min, OutOfRange("最低血圧", min, kPlausibleMinLow, kPlausibleMinHigh, "mmHg"));
    if (pulse != 0 && Outside(pulse, kPlausiblePulseLow, kPlausiblePulseHigh))
        ask(MeasuredField::Pulse,
            OutOfRange("脈拍数", pulse, kPlausiblePulseLow, kPlausiblePulseHigh, "拍/分"));
    return questions;
}
