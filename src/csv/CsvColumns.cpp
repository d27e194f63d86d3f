#include "csv/CsvColumns.h"

#include <utility>

namespace {

// Opening and closing brackets, ASCII and full-width.
const std::vector<std::pair<std::string_view, std::string_view>>& Brackets()
{
    static const std::vector<std::pair<std::string_view, std::string_view>> brackets = {
        {"(", ")"}, {"[", "]"}, {"{", "}"}, {"（", "）"}, {"［", "］"}, {"【", "】"}, {"｛", "｝"},
    };
    return brackets;
}

bool IsBlankAt(std::string_view text, size_t i, size_t& length)
{
    static constexpr std::string_view kIdeographicSpace = "\u3000";
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n') {
        length = 1;
        return true;
    }
    if (text.substr(i).starts_with(kIdeographicSpace)) {
        length = kIdeographicSpace.size();
        return true;
    }
    return false;
}

// The bracket closing the one that opens at i, if a bracket opens there.
bool OpensBracketAt(std::string_view text, size_t i, std::string_view& closing, size_t& length)
{
    for (const auto& [open, close] : Brackets()) {
        if (text.substr(i).starts_with(open)) {
            closing = close;
            length = open.size();
            return true;
        }
    }
    return false;
}

} // namespace

std::string CsvFieldName(CsvField field, Language language)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, kCsvFieldCount> names{{
        {"日時", "date and time"},
        {"日付", "date"},
        {"時刻", "time"},
        {"最高血圧", "systolic pressure"},
        {"最低血圧", "diastolic pressure"},
        {"脈拍", "pulse"},
        {"IHB", "irregular pulse"},
        {"種類", "type"},
        {"コメント", "comment"},
        {"タイムゾーン", "time zone"},
    }};
    const auto& pair = names[static_cast<size_t>(field)];
    return std::string(language == Language::Japanese ? pair.first : pair.second);
}

std::string NormalisedHeaderName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        size_t length = 0;
        std::string_view closing;
        if (IsBlankAt(name, i, length)) {
            i += length;
        } else if (OpensBracketAt(name, i, closing, length)) {
            const size_t end = name.find(closing, i + length);
            i = end == std::string_view::npos ? name.size() : end + closing.size();
        } else {
            const char c = name[i++];
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return out;
}

std::vector<CsvField> MissingCsvFields(const CsvColumnMap& map)
{
    std::vector<CsvField> missing;
    if (!map.Has(CsvField::DateTime) && !map.Has(CsvField::Date))
        missing.push_back(CsvField::Date);
    for (const CsvField field : {CsvField::Systolic, CsvField::Diastolic}) {
        if (!map.Has(field))
            missing.push_back(field);
    }
    return missing;
}

std::string MissingCsvFieldsText(const std::vector<CsvField>& missing, Language language)
{
    const bool japanese = language == Language::Japanese;
    std::string text = japanese ? "必要な列がありません: " : "required columns are missing: ";
    for (size_t i = 0; i < missing.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += CsvFieldName(missing[i], language);
    }
    return text;
}
