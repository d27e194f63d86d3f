#include "platform/Cp932Encoder.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

iconv_t State(void* p)
{
    return static_cast<iconv_t>(p);
}

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The length of the UTF-8 character starting with `lead`, 1 for a byte that starts none.
size_t CharacterLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

} // namespace

CCp932Encoder::CCp932Encoder() : m_pState(iconv_open("CP932", "UTF-8")) {}

CCp932Encoder::~CCp932Encoder()
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv_open's failure value
    if (State(m_pState) != reinterpret_cast<iconv_t>(-1))
        iconv_close(State(m_pState));
}

CCp932Encoder::Result CCp932Encoder::Encode(std::string_view utf8)
{
    Result result;
    if (IsAscii(utf8)) { // most cells: nothing to convert
        result.text = utf8;
        return result;
    }
    const iconv_t cd = State(m_pState);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv_open's failure value
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        result.text = std::string(utf8.size(), '?');
        result.replaced = true;
        return result;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    result.text.resize(utf8.size() * 2 + 4); // a UTF-8 character never grows in code page 932
    char* src = const_cast<char*>(utf8.data());
    size_t srcLeft = utf8.size();
    char* dst = result.text.data();
    size_t dstLeft = result.text.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // Step over the whole character that has no form here, and mark its place once.
        const size_t skip = std::min(srcLeft, CharacterLength(static_cast<unsigned char>(*src)));
        src += skip;
        srcLeft -= skip;
        *dst++ = '?';
        --dstLeft;
        result.replaced = true;
    }
    result.text.resize(result.text.size() - dstLeft);
    return result;
}
