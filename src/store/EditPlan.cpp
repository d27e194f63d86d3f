#include "store/EditPlan.h"

std::string DiskLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        out.append(text.substr(start, lf - start));
        out.append("\r\n");
        start = lf + 1;
    }
    out.append(text.substr(start));
    out.append("\r\n");
    return out;
}

std::vector<EditSegment> SingleEditPlan(LineEdit kind, unsigned n, long long max, std::string_view bytes,
                                        size_t count)
{
    const long long keepOld = kind == LineEdit::InsertLimited ? max - 1 : static_cast<long long>(count);
    const auto kept = static_cast<size_t>(std::clamp<long long>(keepOld, 0, static_cast<long long>(count)));
    const size_t at = std::min<size_t>(n - 1, kept);
    std::vector<EditSegment> plan;
    plan.push_back(EditSegment::OldLines(0, at));
    if (kind != LineEdit::Delete)
        plan.push_back(EditSegment::Text(bytes));
    const bool dropsOne = (kind == LineEdit::Replace || kind == LineEdit::Delete) && at < count;
    plan.push_back(
        EditSegment::OldLines(at + (dropsOne ? 1 : 0), kind == LineEdit::InsertLimited ? kept : count));
    return plan;
}

std::vector<EditSegment> DeleteLinesPlan(const std::vector<unsigned>& sortedNumbers, size_t count)
{
    std::vector<EditSegment> plan;
    size_t kept = 0; // the first old line not yet placed
    for (const unsigned n : sortedNumbers) {
        if (n > count)
            break;
        if (n - 1 >= kept) {
            plan.push_back(EditSegment::OldLines(kept, n - 1));
            kept = n;
        }
    }
    plan.push_back(EditSegment::OldLines(kept, count));
    return plan;
}
