#pragma once
// UTF-8 to code page 932 for many short texts in a row (the cells of an imported file): one
// conversion state kept open, and every character code page 932 cannot hold becomes "?".

#include <string>
#include <string_view>

class CCp932Encoder
{
public:
    CCp932Encoder();
    ~CCp932Encoder();
    CCp932Encoder(const CCp932Encoder&) = delete;
    CCp932Encoder& operator=(const CCp932Encoder&) = delete;

    struct Result
    {
        std::string text;      // code page 932 bytes
        bool replaced = false; // some character became "?"
    };

    // One "?" stands for each character without a code page 932 form and for each byte that
    // is not UTF-8 at all, so the rest of the text is kept.
    Result Encode(std::string_view utf8);

private:
    void* m_pState; // iconv_t, kept out of the header
};
