// The version file's bytes as a hostile server may send them: values found by key, the version
// comparison, and the arguments the updater receives.
#include "FuzzCheck.h"

#include "platform/Cp932.h"
#include "update/VersionFile.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

bool IsOneOf(char c, std::string_view set)
{
    return set.find(c) != std::string_view::npos;
}

void CheckFindValue(std::string_view key, std::string_view text, size_t size, std::string_view separators,
                    std::string_view terminators)
{
    const std::string untouched = "untouched";
    std::string field = untouched;
    const bool found = FindValue(key, text, field, size, separators, terminators);
    const size_t at = text.find(key);
    Require(found == (at != std::string_view::npos), "FindValue misses or invents its key");
    if (!found) {
        Require(field == untouched, "a value that was not found changed the field");
        return;
    }
    const size_t limit = size >= 2 ? size - 2 : 0;
    Require(field.size() <= limit, "a value longer than its field size - 2");
    size_t j = at + key.size();
    while (j < text.size() && IsOneOf(text[j], separators))
        ++j;
    Require(text.substr(j, field.size()) == field, "the value is not the text after its key");
    for (char c : field)
        Require(!IsOneOf(c, terminators) && c != '\r' && c != '\n', "a value runs past its end");
    const size_t end = j + field.size();
    Require(field.size() == limit || end == text.size() || IsOneOf(text[end], terminators) ||
                text[end] == '\r' || text[end] == '\n',
            "a value stops short");
}

void CheckCompare(const std::string& a, const std::string& b, const std::string& c)
{
    Require(CompareMbcs(a, a) == 0, "a text differs from itself");
    Require(Sign(CompareMbcs(a, b)) == -Sign(CompareMbcs(b, a)), "the comparison is not antisymmetric");
    if (CompareMbcs(a, b) <= 0 && CompareMbcs(b, c) <= 0)
        Require(CompareMbcs(a, c) <= 0, "the comparison is not transitive");
    const bool plain = a.find('\0') == std::string::npos && b.find('\0') == std::string::npos;
    if (plain && !b.empty())
        Require(CompareMbcs(a, a + b) < 0, "a text is not smaller than itself with more after it");
    const auto ascii = [](const std::string& s) {
        for (unsigned char ch : s)
            if (ch == 0 || ch >= 0x80)
                return false;
        return true;
    };
    if (ascii(a) && ascii(b))
        Require(Sign(CompareMbcs(a, b)) == Sign(a.compare(b)), "plain versions compare unlike their bytes");
}

bool IsUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80           ? 1
                              : (c >> 5) == 0x6  ? 2
                              : (c >> 4) == 0xE  ? 3
                              : (c >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

void CheckUpdaterArguments(const UpdateDetails& details)
{
    const std::string own = "/opt/velliqa/bin/velliqa";
    const std::vector<std::string> args = UpdaterArguments(own, details);
    Require(args.size() == 7 && args[0] == own && args[1] == own, "the updater's arguments are not seven");
    const std::string* values[] = {&details.location, &details.size, &details.flag, &details.delay,
                                   &details.param};
    for (size_t i = 0; i < 5; ++i) {
        const std::string& arg = args[i + 2];
        Require(arg.find('\0') == std::string::npos, "an argument holds a zero byte");
        Require(IsUtf8(arg), "an argument is not UTF-8");
        const std::string_view value = *values[i];
        Require(arg == Utf8FromCp932(value.substr(0, value.find('\0'))), "an argument is not its value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const size_t fieldSize = fdp.ConsumeIntegralInRange<size_t>(0, 300);
    const bool ownSets = fdp.ConsumeIntegralInRange(0, 3) == 0;
    const std::string separators = ownSets ? fdp.ConsumeRandomLengthString(4) : std::string(kValueSeparators);
    const std::string terminators =
        ownSets ? fdp.ConsumeRandomLengthString(4) : std::string(kValueTerminators);
    const std::string key = fdp.ConsumeRandomLengthString(12);
    const std::string a = fdp.ConsumeRandomLengthString(40);
    const std::string b = fdp.ConsumeRandomLengthString(40);
    const std::string text = fdp.ConsumeRemainingBytesAsString();

    CheckFindValue(key, text, fieldSize, separators, terminators);
    UpdateDetails details;
    const struct
    {
        const char* key;
        std::string* field;
        size_t size;
    } entries[] = {{"Location", &details.location, 1024},
                   {"Size", &details.size, 34},
                   {"Flag", &details.flag, 4},
                   {"Delay", &details.delay, 6},
                   {"Param", &details.param, 256}};
    for (const auto& e : entries)
        CheckFindValue(e.key, text, e.size, kValueSeparators, kValueTerminators);
    for (const auto& e : entries)
        FindValue(e.key, text, *e.field, e.size, kValueSeparators, kValueTerminators);
    CheckUpdaterArguments(details);

    std::string version;
    FindValue("Version", text, version, 14, kValueSeparators, kValueTerminators);
    CheckCompare(a, b, version);
    CheckCompare(version, std::string(kCurrentVersion), a);
    return 0;
}
