#pragma once
// Realistic measurement files for the benchmarks: dates, three numbers, flags, types and
// Japanese comments of 0 to 60 bytes, newest first, as the list page writes them.

#include "platform/Cp932.h"
#include "record/RecordLine.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

inline std::vector<std::string> SampleRecordLines(size_t count)
{
    static const std::vector<std::string> comments = {
        "",
        Cp932FromUtf8("朝食前"),
        Cp932FromUtf8("散歩のあと"),
        Cp932FromUtf8("少し頭痛がする。薬を飲んだ"),
        Cp932FromUtf8("よく眠れた"),
        Cp932FromUtf8("夕食後、入浴前に測定。やや緊張していたかもしれない"),
    };
    std::mt19937 rng(12345);
    std::vector<std::string> lines;
    lines.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const int day = static_cast<int>(count - i);
        char date[32];
        std::snprintf(date, sizeof date, "%d/%d/%d %02d:%02d:%02d", 2000 + day / 360 % 30, day / 30 % 12 + 1,
                      day % 28 + 1, i % 2 ? 7 : 21, static_cast<int>(rng() % 60),
                      static_cast<int>(rng() % 60));
        lines.push_back(FormatRecordLine({date, static_cast<std::uint32_t>(100 + rng() % 90),
                                          static_cast<std::uint32_t>(60 + rng() % 50),
                                          static_cast<std::uint32_t>(55 + rng() % 40), rng() % 10 == 0,
                                          static_cast<int>(rng() % 5), comments[rng() % comments.size()]}));
    }
    return lines;
}

// The bytes of a measurement file holding the lines, CR LF after each.
inline std::string SampleFileBytes(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}
