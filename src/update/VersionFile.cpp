#include "update/VersionFile.h"

#include "platform/Cp932.h"

namespace {

// The text up to its first zero byte, as a zero-terminated string reads.
std::string_view UpToZero(std::string_view text)
{
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// The next character of text from pos: its value (two bytes for a double-byte character) and
// the position after it.
unsigned NextUnit(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (IsCp932LeadByte(lead) && pos < text.size())
        return (static_cast<unsigned>(lead) << 8) | static_cast<unsigned char>(text[pos++]);
    return lead;
}

bool IsOneOf(char c, std::string_view set)
{
    return set.find(c) != std::string_view::npos;
}

} // namespace

bool FindValue(std::string_view key, std::string_view text, std::string& field, std::size_t size,
               std::string_view separators, std::string_view terminators)
{
    if (text.size() < key.size())
        return false;
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    std::size_t j = at + key.size();
    while (j < text.size() && IsOneOf(text[j], separators))
        ++j;
    const std::size_t limit = size >= 2 ? size - 2 : 0;
    std::size_t end = j;
    while (end < text.size() && end - j < limit && !IsOneOf(text[end], terminators) && text[end] != '\r' &&
           text[end] != '\n')
        ++end;
    field.assign(text.substr(j, end - j));
    return true;
}

int CompareMbcs(std::string_view a, std::string_view b)
{
    a = UpToZero(a);
    b = UpToZero(b);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned ca = NextUnit(a, i);
        const unsigned cb = NextUnit(b, j);
        if (ca != cb)
            return ca > cb ? 1 : -1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

std::vector<std::string> UpdaterArguments(const std::string& ownPathUtf8, const UpdateDetails& details)
{
    // A value ends at a zero byte, as it would in the updater's own command line.
    const auto arg = [](const std::string& value) { return Utf8FromCp932(UpToZero(value)); };
    return {ownPathUtf8,       ownPathUtf8,        arg(details.location), arg(details.size),
            arg(details.flag), arg(details.delay), arg(details.param)};
}
