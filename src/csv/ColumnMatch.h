#pragma once
// The one table of the names a column is known by, and how a header is matched against it:
// a name matches a field when it equals one of the field's names, or starts with one of them.
// The zone columns are found first, so that "Time Zone" is never taken for a time; then each
// field takes the first column it matches exactly; then a field still without a column takes
// the first column it is the longest prefix of, unless another field matches that column
// exactly. A count column ("不規則脈波検出回数") is never the irregular-pulse flag.

#include "csv/CsvColumns.h"

#include <optional>
#include <string_view>

enum class CsvNameMatch
{
    None,
    Prefix,
    Exact,
};

// How well a normalised header name matches the field, and the length of the name it
// matched (a longer prefix is the better one).
struct CsvFieldMatch
{
    CsvNameMatch kind = CsvNameMatch::None;
    std::size_t length = 0;
};

CsvFieldMatch MatchFieldName(std::string_view normalisedName, CsvField field);

// The field a header name matches best on its own: an exact match first, else the longest
// prefix; zone names before all others.
std::optional<CsvField> BestFieldOfName(std::string_view name);
