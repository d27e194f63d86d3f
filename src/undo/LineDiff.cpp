#include "undo/LineDiff.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::vector<std::string_view> SplitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        const size_t length = end == std::string_view::npos ? content.size() : end + 1;
        lines.push_back(content.substr(0, length));
        content.remove_prefix(length);
    }
    return lines;
}

using PositionIndex = std::unordered_map<std::string_view, std::vector<size_t>>;

PositionIndex IndexLines(const std::vector<std::string_view>& lines)
{
    PositionIndex index;
    for (size_t i = 0; i < lines.size(); ++i)
        index[lines[i]].push_back(i);
    return index;
}

// The first position of line at or after from, or npos.
size_t NextPosition(const PositionIndex& index, std::string_view line, size_t from)
{
    const auto found = index.find(line);
    if (found == index.end())
        return std::string::npos;
    const auto it = std::lower_bound(found->second.begin(), found->second.end(), from);
    return it == found->second.end() ? std::string::npos : *it;
}

} // namespace

std::vector<LineHunk> DiffLines(std::string_view before, std::string_view after)
{
    const std::vector<std::string_view> b = SplitLines(before), a = SplitLines(after);
    const PositionIndex inBefore = IndexLines(b), inAfter = IndexLines(a);
    std::vector<LineHunk> hunks;
    LineHunk* open = nullptr; // the hunk being extended, while the lines differ
    size_t i = 0, j = 0;
    auto hunkAt = [&]() -> LineHunk& {
        if (!open) {
            hunks.push_back({i, j, {}, {}});
            open = &hunks.back();
        }
        return *open;
    };
    while (i < b.size() || j < a.size()) {
        if (i < b.size() && j < a.size() && b[i] == a[j]) {
            ++i, ++j;
            open = nullptr;
            continue;
        }
        // Either the older lines up to where the newer line comes next were removed, or the
        // newer lines up to where the older line comes next were inserted: the shorter one.
        const size_t removeTo = j < a.size() ? NextPosition(inBefore, a[j], i) : b.size();
        const size_t insertTo = i < b.size() ? NextPosition(inAfter, b[i], j) : a.size();
        LineHunk& hunk = hunkAt();
        if (removeTo != std::string::npos &&
            (insertTo == std::string::npos || removeTo - i <= insertTo - j)) {
            for (; i < removeTo; ++i)
                hunk.removed.emplace_back(b[i]);
        } else if (insertTo != std::string::npos) {
            for (; j < insertTo; ++j)
                hunk.inserted.emplace_back(a[j]);
        } else {
            hunk.removed.emplace_back(b[i++]);
            hunk.inserted.emplace_back(a[j++]);
        }
    }
    return hunks;
}

std::string ApplyHunks(std::string_view content, const std::vector<LineHunk>& hunks, bool toBefore)
{
    const std::vector<std::string_view> lines = SplitLines(content);
    std::string out;
    out.reserve(content.size());
    size_t pos = 0;
    auto copyTo = [&](size_t end) {
        for (; pos < end && pos < lines.size(); ++pos)
            out += lines[pos];
    };
    for (const LineHunk& hunk : hunks) {
        copyTo(toBefore ? hunk.atAfter : hunk.atBefore);
        for (const std::string& line : toBefore ? hunk.removed : hunk.inserted)
            out += line;
        pos += toBefore ? hunk.inserted.size() : hunk.removed.size();
    }
    copyTo(lines.size());
    return out;
}
