#pragma once
// The check of a numeric field: an unsigned decimal number with optional blanks or tabs around
// it and nothing else. A sign fails, an empty field fails, and a number above 4294967295 fails
// rather than wrapping around.

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::uint32_t> ParseUnsignedField(std::string_view text);
