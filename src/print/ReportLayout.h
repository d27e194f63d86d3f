#pragma once
// The measurement report as positioned text lines: the header with the user's name, the
// column header, one row per record of the print range, the overall averages with the highest
// and lowest values, and the averages of each measurement type that occurs. A report that does
// not fit one page goes on over further pages, each starting with the header and the column
// header; the averages block follows the last row and is never split between pages.

#include <climits>
#include <string>
#include <vector>

// One line of the report: the top-left corner of its text at (x, y) in printer device units,
// measured from the top-left corner of the printable area of page `page` (0 is the first). The
// text is code page 932 bytes.
struct ReportLine
{
    int x = 0;
    int y = 0;
    std::string text;
    int page = 0;
    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// A page without a bottom edge: the whole report on one page, however long.
inline constexpr int kUnboundedPage = INT_MAX;

// How many rows fit below the headers on a page pageHeight device units high, at line height
// h; at least one, so that a report always moves on.
int ReportRowsPerPage(int h, int pageHeight);

// h is the line height in device units; name is the user's name; from and to are the first
// and last positions of the print range (position 1 is the newest record, records[0]);
// typeNames[t] names type t; pageHeight is the height of a page's printable area. Every text
// is code page 932 bytes. A report that fits one page is laid out the same whatever the page
// height.
std::vector<ReportLine> LayoutReport(int h, const std::string& name, long from, long to,
                                     const std::vector<std::string>& records,
                                     const std::vector<std::string>& typeNames,
                                     int pageHeight = kUnboundedPage);
