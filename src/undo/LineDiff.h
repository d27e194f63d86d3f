#pragma once
// The difference between two contents of a file as a list of line hunks, small for the edits
// the program makes (a line added at the top and the oldest ones dropped at the end, a line
// replaced, rows deleted here and there, records placed among the stored ones), so that a
// history of many steps keeps only what changed. A line is the bytes up to and including its
// line feed (the last may lack one): applying the hunks gives the other content byte for byte.

#include <string>
#include <string_view>
#include <vector>

struct LineHunk
{
    size_t atBefore = 0; // where the hunk starts among the lines of the older content
    size_t atAfter = 0;  // and among those of the newer
    std::vector<std::string> removed;
    std::vector<std::string> inserted;
};

std::vector<LineHunk> DiffLines(std::string_view before, std::string_view after);

// The older content from the newer one (toBefore), or the newer from the older.
std::string ApplyHunks(std::string_view content, const std::vector<LineHunk>& hunks, bool toBefore);
