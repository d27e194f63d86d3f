#pragma once
// The one-page measurement report as positioned text lines: the header with the user's name,
// the column header, one row per record of the print range, the overall averages with the
// highest and lowest values, and the averages of each measurement type that occurs.

#include <string>
#include <vector>

// One line of the report: the top-left corner of its text at (x, y) in printer device units,
// measured from the top-left corner of the printable area. The text is code page 932 bytes.
struct ReportLine
{
    int x = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// h is the line height in device units; name is the user's name; from and to are the first
// and last positions of the print range (position 1 is the newest record, records[0]);
// typeNames[t] names type t. Every text is code page 932 bytes.
std::vector<ReportLine> LayoutReport(int h, const std::string& name, long from, long to,
                                     const std::vector<std::string>& records,
                                     const std::vector<std::string>& typeNames);
