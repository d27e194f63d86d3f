#include "store/LineIndex.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The line starts of bytes as the program writes them, found 64 bytes at a time; line ends that
// straddle a block, lines at the length limit and bytes of any other kind.
TEST(LineIndexTest, FindsThePlainLinesAndRefusesEveryOtherKind)
{
    struct Case
    {
        std::string bytes;
        std::vector<size_t> starts; // empty: not plain
    };
    const std::string straddling = std::string(63, 'a') + "\r\n"; // its CR ends the first block
    const std::string longest = std::string(1022, 'b') + "\r\n";
    const Case cases[] = {
        {"", {0}},
        {"a\r\nbc\r\n", {0, 3, 7}},
        {"a\r\nlast", {0, 3, 7}},
        {straddling + straddling + "x\r\n", {0, 65, 130, 133}},
        {longest + "c", {0, 1024, 1025}},
        {std::string(1023, 'd'), {0, 1023}},
        {std::string(1023, 'e') + "\r\n", {}}, // too long for one piece
        {std::string(1024, 'f'), {}},
        {std::string(70, 'g') + "\n", {}}, // a bare LF after the last whole block
        {"a\nb", {}},
        {std::string(63, 'h') + "\n" + std::string(64, 'i'), {}}, // a bare LF at the end of a block
    };
    for (const Case& c : cases) {
        LineOffsets starts;
        EXPECT_EQ(IndexPlainLines(c.bytes, starts), !c.starts.empty()) << c.bytes.substr(0, 12);
        if (!c.starts.empty()) {
            EXPECT_EQ(std::vector<size_t>(starts.begin(), starts.end()), c.starts) << c.bytes.substr(0, 12);
        }

        std::string copy = c.bytes + '\0';
        EXPECT_EQ(IndexAndTerminatePlainLines(copy.data(), c.bytes.size(), starts), !c.starts.empty());
        std::string expected = c.bytes + '\0';
        for (size_t k = 1; !c.starts.empty() && k < c.starts.size(); ++k)
            if (c.bytes[c.starts[k] - 1] == '\n')
                expected[c.starts[k] - 2] = '\0'; // over each CR, and nothing else
        EXPECT_EQ(copy, expected) << c.bytes.substr(0, 12);
    }
}

} // namespace
