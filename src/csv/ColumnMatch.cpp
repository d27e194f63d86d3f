#include "csv/ColumnMatch.h"

#include <string>
#include <vector>

namespace {

struct FieldNames
{
    CsvField field;
    std::vector<std::string_view> names; // already normalised
};

// The names each field is known by in the programs and devices whose files are read,
// normalised; the zone first, since the zone is matched before any other field.
const std::vector<FieldNames>& KnownNames()
{
    static const std::vector<FieldNames> names = {
        {CsvField::Zone, {"timezone", "タイムゾーン", "zone", "tz", "zeitzone"}},
        {CsvField::DateTime, {"datetime", "date/time", "timestamp", "日時", "測定日時", "startdate"}},
        {CsvField::Date, {"date", "日付", "測定日", "measurementdate", "datum"}},
        {CsvField::Time, {"time", "時刻", "測定時刻", "uhrzeit", "zeit"}},
        {CsvField::Systolic, {"sys", "systolic", "最高血圧", "収縮期血圧", "上", "systole"}},
        {CsvField::Diastolic, {"dia", "diastolic", "最低血圧", "拡張期血圧", "下", "diastole"}},
        {CsvField::Pulse, {"pulse", "heartrate", "hr", "bpm", "脈拍", "脈拍数", "puls"}},
        {CsvField::Ihb,
         {"ihb", "irregular", "irregularheartbeat", "irregularheartbeatdetected", "不規則脈波",
          "不規則脈波検出", "不整脈"}},
        {CsvField::Type, {"type", "種類", "タイミング"}},
        {CsvField::Comment,
         {"note", "notes", "comment", "comments", "memo", "コメント", "メモ", "備考", "notiz", "kommentar"}},
    };
    return names;
}

// Code points in UTF-8 text.
std::size_t Characters(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// A column that counts something ("不規則脈波検出回数", "IHB count") is not its flag.
bool IsCountName(std::string_view name)
{
    return name.find("回数") != std::string_view::npos || name.find("count") != std::string_view::npos;
}

// Short names ("hr", "上", "脈拍") match only exactly: as prefixes they would take too much.
constexpr std::size_t kShortestPrefix = 3;

} // namespace

CsvFieldMatch MatchFieldName(std::string_view normalisedName, CsvField field)
{
    CsvFieldMatch best;
    for (const FieldNames& known : KnownNames()) {
        if (known.field != field)
            continue;
        for (const std::string_view name : known.names) {
            if (normalisedName == name)
                return {CsvNameMatch::Exact, name.size()};
            const bool prefix = normalisedName.starts_with(name) && Characters(name) >= kShortestPrefix &&
                                !(field == CsvField::Ihb && IsCountName(normalisedName));
            if (prefix && name.size() > best.length)
                best = {CsvNameMatch::Prefix, name.size()};
        }
    }
    return best;
}

std::optional<CsvField> BestFieldOfName(std::string_view name)
{
    const std::string normalised = NormalisedHeaderName(name);
    std::optional<CsvField> prefixField;
    std::size_t prefixLength = 0;
    for (const FieldNames& known : KnownNames()) {
        const CsvFieldMatch match = MatchFieldName(normalised, known.field);
        if (match.kind == CsvNameMatch::Exact ||
            (known.field == CsvField::Zone && match.kind != CsvNameMatch::None))
            return known.field;
        if (match.kind == CsvNameMatch::Prefix && match.length > prefixLength) {
            prefixField = known.field;
            prefixLength = match.length;
        }
    }
    return prefixField;
}

bool TryFieldOfHeader(std::string_view name, CsvField& field)
{
    const std::optional<CsvField> found = BestFieldOfName(name);
    if (found)
        field = *found;
    return found.has_value();
}

CsvColumnMap MatchCsvColumns(const std::vector<std::string>& header)
{
    std::vector<std::string> names;
    names.reserve(header.size());
    for (const std::string& name : header)
        names.push_back(NormalisedHeaderName(name));
    CsvColumnMap map;
    std::vector<bool> taken(names.size(), false);
    auto take = [&](CsvField field, std::size_t column) {
        map[field] = static_cast<int>(column);
        taken[column] = true;
    };
    // The zone first, by any match; then every exact match.
    for (std::size_t c = 0; c < names.size() && !map.Has(CsvField::Zone); ++c) {
        if (MatchFieldName(names[c], CsvField::Zone).kind != CsvNameMatch::None)
            take(CsvField::Zone, c);
    }
    std::vector<bool> exact(names.size(), false);
    for (const FieldNames& known : KnownNames()) {
        for (std::size_t c = 0; c < names.size(); ++c) {
            if (taken[c] || MatchFieldName(names[c], known.field).kind != CsvNameMatch::Exact)
                continue;
            exact[c] = true;
            if (!map.Has(known.field))
                take(known.field, c);
        }
    }
    // A column nobody matches exactly goes to the field with the longest prefix of its name.
    for (std::size_t c = 0; c < names.size(); ++c) {
        if (taken[c] || exact[c])
            continue;
        if (const std::optional<CsvField> field = BestFieldOfName(header[c]); field && !map.Has(*field))
            take(*field, c);
    }
    return map;
}
