#include "csv/CsvText.h"

#include "platform/Cp932.h"

#include <array>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

unsigned char Byte(std::string_view text, size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

bool IsContinuation(std::string_view text, size_t i)
{
    return i < text.size() && (Byte(text, i) & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at i (overlong forms, surrogates and values above
// U+10FFFF are not valid), or 0.
size_t ValidSequenceLength(std::string_view text, size_t i)
{
    const unsigned char lead = Byte(text, i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if (!IsContinuation(text, i + k))
            return 0;
    }
    const unsigned char second = Byte(text, i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = ValidSequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// UTF-8 with every invalid byte shown as U+FFFD.
std::string CleanUtf8(std::string_view text)
{
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size();) {
        const size_t length = ValidSequenceLength(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units to UTF-8; a lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian)
{
    const auto unit = [&](size_t i) -> char32_t {
        const char32_t a = Byte(bytes, i), b = Byte(bytes, i + 1);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            out += kReplacement;
        else
            AppendUtf8(out, u);
    }
    if (i < bytes.size())
        out += kReplacement;
    return out;
}

} // namespace

CsvEncoding DetectCsvEncoding(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        return CsvEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf16LeBom))
        return CsvEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom))
        return CsvEncoding::Utf16Be;
    return IsValidUtf8(bytes) ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
}

std::string DecodeCsvBytes(std::string_view bytes, CsvEncoding encoding)
{
    switch (encoding) {
    case CsvEncoding::Utf8Bom:
        return CleanUtf8(bytes.substr(bytes.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0));
    case CsvEncoding::Utf16Le:
        return Utf8FromUtf16(bytes.substr(bytes.starts_with(kUtf16LeBom) ? 2 : 0), false);
    case CsvEncoding::Utf16Be:
        return Utf8FromUtf16(bytes.substr(bytes.starts_with(kUtf16BeBom) ? 2 : 0), true);
    case CsvEncoding::Cp932:
        return Utf8FromCp932(bytes);
    case CsvEncoding::Utf8:
        break;
    }
    return CleanUtf8(bytes);
}

char DetectCsvDelimiter(std::string_view text)
{
    constexpr std::array<char, 3> candidates{',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (!quoted && (c == '\n' || c == '\r'))
            break;
        for (size_t k = 0; k < candidates.size(); ++k)
            counts[k] += !quoted && c == candidates[k];
    }
    size_t best = 0;
    for (size_t k = 1; k < candidates.size(); ++k) {
        if (counts[k] > counts[best])
            best = k;
    }
    return candidates[best];
}

namespace {

// Reads the rows one character at a time; a small state machine over the RFC 4180 grammar
// that accepts what spreadsheets write beyond it (stray quotes inside an unquoted field).
class CCsvReader
{
public:
    CCsvReader(std::string_view text, char delimiter) : m_text(text), m_delimiter(delimiter) {}

    std::vector<CsvRow> Rows()
    {
        while (m_pos < m_text.size())
            ReadRow();
        return std::move(m_rows);
    }

private:
    // Steps over one line end (CR LF, LF or CR) at m_pos, if there is one.
    bool SkipLineEnd()
    {
        if (m_text[m_pos] == '\r') {
            m_pos += m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n' ? 2 : 1;
        } else if (m_text[m_pos] == '\n') {
            ++m_pos;
        } else {
            return false;
        }
        ++m_line;
        return true;
    }

    void ReadQuoted(std::string& cell)
    {
        ++m_pos; // the opening quote
        while (m_pos < m_text.size()) {
            const size_t quote = m_text.find('"', m_pos);
            const std::string_view run = m_text.substr(m_pos, quote - m_pos);
            for (size_t i = 0; i < run.size(); ++i) // line breaks inside the field still count
                m_line += run[i] == '\n' || (run[i] == '\r' && (i + 1 >= run.size() || run[i + 1] != '\n'));
            cell.append(run);
            if (quote == std::string_view::npos) {
                m_pos = m_text.size();
                return;
            }
            m_pos = quote + 1;
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                cell += '"';
                ++m_pos;
                continue;
            }
            return;
        }
    }

    void ReadRow()
    {
        if (SkipLineEnd()) // an empty line
            return;
        CsvRow row;
        row.line = m_line;
        std::string cell;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == m_delimiter) {
                row.cells.push_back(std::move(cell));
                cell.clear();
                ++m_pos;
            } else if (c == '"' && cell.empty()) {
                ReadQuoted(cell);
            } else if (SkipLineEnd()) {
                break;
            } else {
                cell += c;
                ++m_pos;
            }
        }
        row.cells.push_back(std::move(cell));
        m_rows.push_back(std::move(row));
    }

    std::string_view m_text;
    char m_delimiter;
    size_t m_pos = 0;
    int m_line = 1;
    std::vector<CsvRow> m_rows;
};

} // namespace

std::vector<CsvRow> ParseCsvRows(std::string_view text, char delimiter)
{
    return CCsvReader(text, delimiter).Rows();
}

CsvTable ReadCsvTable(std::string_view bytes)
{
    CsvTable table;
    table.encoding = DetectCsvEncoding(bytes);
    const std::string text = DecodeCsvBytes(bytes, table.encoding);
    table.delimiter = DetectCsvDelimiter(text);
    table.rows = ParseCsvRows(text, table.delimiter);
    if (!table.rows.empty()) {
        table.header = std::move(table.rows.front().cells);
        table.rows.erase(table.rows.begin());
    }
    return table;
}
