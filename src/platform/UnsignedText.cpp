#include "platform/UnsignedText.h"

std::optional<std::uint32_t> ParseUnsignedField(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    const size_t digitsStart = i;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
        ++i;
    }
    if (i == digitsStart)
        return std::nullopt;
    while (i < text.size() && blank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}
