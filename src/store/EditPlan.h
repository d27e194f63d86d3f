#pragma once
// The new content of a text file as a plan: runs of its old lines and new bytes, in order. A
// plan is made for the number of lines the file holds when it is rewritten, which is known only
// once the file (or a cache that provably holds it) has been read; store/LineSplice.h then
// composes the content from the plan.

#include "store/LineIndex.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One part of a file's new content: a run of its old lines, or new bytes as written on disk.
struct EditSegment
{
    bool isText = false;
    size_t from = 0; // old lines from..to - 1, counted from 0
    size_t to = 0;
    std::string_view bytes; // new bytes as written on disk
    LineOffsets starts;     // where the lines of bytes start, once found to be plain lines

    static EditSegment OldLines(size_t from, size_t to) { return {false, from, std::max(from, to), {}, {}}; }
    static EditSegment Text(std::string_view bytes) { return {true, 0, 0, bytes, {}}; }
};

// The new content of a file that holds the given number of lines.
using EditPlan = std::function<std::vector<EditSegment>(size_t lineCount)>;

// The four single-line edits.
enum class LineEdit
{
    Insert,
    InsertLimited,
    Replace,
    Delete
};

// The text of a line as written on disk: each line feed in it becomes CR LF, and CR LF ends it.
std::string DiskLine(std::string_view text);

// The new content of a file of count lines after one single-line edit at line n (counted from
// 1, not 0): the lines before n (at most max - 1 of them for a limited insert), the line's bytes
// as written on disk (none for a deletion), the rest (for a limited insert, up to max lines in
// all).
std::vector<EditSegment> SingleEditPlan(LineEdit kind, unsigned n, long long max, std::string_view bytes,
                                        size_t count);

// The new content of a file of count lines without the lines of the given numbers (sorted, none
// of them 0; repeated numbers and numbers beyond the end change nothing more).
std::vector<EditSegment> DeleteLinesPlan(const std::vector<unsigned>& sortedNumbers, size_t count);
