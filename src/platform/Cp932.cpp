#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion through iconv. With strict set, a character that cannot be converted fails
// the whole conversion; otherwise invalid input is replaced by `replacement`.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in, bool strict,
                                   std::string_view replacement)
{
    iconv_t cd = iconv_open(to, from);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv_open's failure value
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t written = 0;
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = out.data() + written;
        size_t dstLeft = out.size() - written;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        written = out.size() - dstLeft;
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (strict) {
            ok = false;
            break;
        }
        // EILSEQ or EINVAL: skip one byte and mark the place.
        out.resize(written);
        out += replacement;
        written = out.size();
        out.resize(written + srcLeft * 4 + 16);
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(written);
    return out;
}

} // namespace

std::optional<std::string> TryCp932FromUtf8(std::string_view utf8)
{
    return Convert("CP932", "UTF-8", utf8, true, {});
}

std::string Cp932FromUtf8(std::string_view utf8)
{
    return Convert("CP932", "UTF-8", utf8, false, "?").value_or(std::string());
}

std::string Utf8FromCp932(std::string_view cp932)
{
    return Convert("UTF-8", "CP932", cp932, false, "\xEF\xBF\xBD").value_or(std::string());
}
