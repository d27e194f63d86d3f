#pragma once
// The text of a CSV file: which encoding its bytes are in, which delimiter separates its
// fields, and its rows (quoted fields as in RFC 4180), each with the line it starts on.

#include <string>
#include <string_view>
#include <vector>

enum class CsvEncoding
{
    Utf8,    // without a byte order mark (plain ASCII counts as this)
    Utf8Bom, // with EF BB BF
    Utf16Le, // with FF FE
    Utf16Be, // with FE FF
    Cp932,   // anything that is not UTF-8: what Japanese Windows programs write
};

// The encoding of a file's bytes: its byte order mark, else UTF-8 when every byte sequence
// is valid UTF-8, else code page 932.
CsvEncoding DetectCsvEncoding(std::string_view bytes);

// The bytes as UTF-8 text, without the byte order mark. Invalid sequences become U+FFFD.
std::string DecodeCsvBytes(std::string_view bytes, CsvEncoding encoding);

// Comma, semicolon or tab: the one found most often outside quotes on the first line (the
// header). A tie prefers comma, then semicolon; a line with none of them gives comma.
char DetectCsvDelimiter(std::string_view text);

struct CsvRow
{
    int line = 0; // the file line the row starts on, from 1
    std::vector<std::string> cells;
};

// The rows of the text. A quoted field may hold the delimiter, line breaks and doubled
// quotes (""). Lines end with CR LF, LF or CR. Empty lines give no row but are counted, so
// every row keeps the number of the line it starts on; a quote that is never closed runs to
// the end of the text.
std::vector<CsvRow> ParseCsvRows(std::string_view text, char delimiter);

// A whole file read: its encoding and delimiter, the header (the first row) and the rows
// after it.
struct CsvTable
{
    CsvEncoding encoding = CsvEncoding::Utf8;
    char delimiter = ',';
    std::vector<std::string> header;
    std::vector<CsvRow> rows;
};

CsvTable ReadCsvTable(std::string_view bytes);
