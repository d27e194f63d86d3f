#include "csv/CsvDates.h"

#include "csv/MonthDates.h"
#include "platform/LocalMoment.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"

#include <array>
#include <cstdio>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    // The ideographic space (U+3000) counts as a blank too.
    for (;;) {
        if (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
        else if (text.starts_with("\u3000"))
            text.remove_prefix(3);
        else if (!text.empty() && IsBlank(text.back()))
            text.remove_suffix(1);
        else if (text.ends_with("\u3000"))
            text.remove_suffix(3);
        else
            return text;
    }
}

// Reads 1 to maxDigits digits at the front of text into value; the text moves past them.
bool TakeNumber(std::string_view& text, int& value, size_t maxDigits, size_t* digits = nullptr)
{
    size_t n = 0;
    value = 0;
    while (n < text.size() && IsDigit(text[n]) && n < maxDigits)
        value = value * 10 + (text[n++] - '0');
    if (n == 0 || (n < text.size() && IsDigit(text[n])))
        return false;
    if (digits)
        *digits = n;
    text.remove_prefix(n);
    return true;
}

// Exactly `count` digits at the front of text.
bool TakeExact(std::string_view& text, int& value, size_t count)
{
    value = 0;
    for (size_t i = 0; i < count; ++i) {
        if (i >= text.size() || !IsDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    text.remove_prefix(count);
    return true;
}

bool TakeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

// The ASCII text without regard to case.
bool TakeWord(std::string_view& text, std::string_view word)
{
    if (text.size() < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != word[i])
            return false;
    }
    text.remove_prefix(word.size());
    return true;
}

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

Moment LocalFields(std::time_t t)
{
    const CTime time(t);
    return MomentOf(time, time);
}

// The three parts of a date and the separator between them.
struct DateParts
{
    int a = 0, b = 0, c = 0;
    size_t aDigits = 0, cDigits = 0;
    char separator = 0;
};

bool TakeDateParts(std::string_view& text, DateParts& parts)
{
    size_t bDigits = 0;
    if (!TakeNumber(text, parts.a, 4, &parts.aDigits) || text.empty())
        return false;
    parts.separator = text.front();
    if (parts.separator != '/' && parts.separator != '-' && parts.separator != '.')
        return false;
    text.remove_prefix(1);
    return TakeNumber(text, parts.b, 2, &bDigits) && TakeChar(text, parts.separator) &&
           TakeNumber(text, parts.c, 4, &parts.cDigits);
}

bool IsYearLastSlashed(const DateParts& p)
{
    return p.aDigits <= 2 && p.cDigits == 4 && (p.separator == '/' || p.separator == '-');
}

struct Zone
{
    bool given = false;
    int offsetSeconds = 0;
};

bool TakeZone(std::string_view& text, Zone& zone)
{
    if (TakeChar(text, 'Z') || TakeChar(text, 'z')) {
        zone.given = true;
        return true;
    }
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return true; // no zone
    const int sign = text.front() == '-' ? -1 : 1;
    text.remove_prefix(1);
    int hours = 0, minutes = 0;
    if (!TakeExact(text, hours, 2))
        return false;
    if (!text.empty()) {
        TakeChar(text, ':');
        if (!TakeExact(text, minutes, 2))
            return false;
    }
    if (hours > 23 || minutes > 59)
        return false;
    zone = {true, sign * (hours * 3600 + minutes * 60)};
    return true;
}

struct TimeOfDay
{
    int hour = 0, minute = 0, second = 0;
    Zone zone;
};

// H:mm or H:mm:ss, a fraction dropped, AM/PM after or 午前/午後 before it, a zone.
bool ParseTime(std::string_view text, TimeOfDay& time)
{
    int half = 0; // 1 before noon, 2 after
    if (text.starts_with("午前") || text.starts_with("午後")) {
        half = text.starts_with("午前") ? 1 : 2;
        text = Trimmed(text.substr(6));
    }
    if (!TakeNumber(text, time.hour, 2) || !TakeChar(text, ':') || !TakeNumber(text, time.minute, 2))
        return false;
    if (TakeChar(text, ':') && !TakeNumber(text, time.second, 2))
        return false;
    if (TakeChar(text, '.') || TakeChar(text, ',')) {
        while (!text.empty() && IsDigit(text.front()))
            text.remove_prefix(1);
    }
    text = Trimmed(text);
    if (half == 0 && (TakeWord(text, "AM") || TakeWord(text, "A.M."))) {
        half = 1;
    } else if (half == 0 && (TakeWord(text, "PM") || TakeWord(text, "P.M."))) {
        half = 2;
    }
    if (!TakeZone(text, time.zone) || !Trimmed(text).empty())
        return false;
    if (half != 0) {
        if (time.hour < 1 || time.hour > 12)
            return false;
        time.hour = time.hour % 12 + (half == 2 ? 12 : 0);
    }
    return IsTimeOfDay(time.hour, time.minute, time.second);
}

bool IsUnixTime(std::string_view text)
{
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 16)
        return false;
    for (const std::string_view part : {whole, fraction}) {
        for (const char c : part) {
            if (!IsDigit(c))
                return false;
        }
    }
    return true;
}

CsvDateRead Refused(CsvRefusalReason reason)
{
    return {std::nullopt, reason};
}

CsvDateRead FromUnixTime(std::string_view text)
{
    long long value = 0;
    for (const char c : text.substr(0, text.find('.')))
        value = value * 10 + (c - '0');
    if (value >= 100'000'000'000LL)
        value /= 1000; // milliseconds
    const Moment local = LocalFields(static_cast<std::time_t>(value));
    if (!IsStoredDay(local.year, local.month, local.day))
        return Refused(CsvRefusalReason::NoSuchDate);
    return {local, CsvRefusalReason::NoDate, true};
}

// Day, month and year of the parts in the given order; false when the order cannot tell.
bool OrderParts(const DateParts& p, CsvDateOrder order, int& year, int& month, int& day,
                CsvRefusalReason& reason)
{
    reason = CsvRefusalReason::UnreadableDate;
    if (p.aDigits == 4) {
        year = p.a, month = p.b, day = p.c;
        return true;
    }
    if (p.aDigits > 2 || p.cDigits != 4)
        return false;
    year = p.c;
    if (p.separator == '.')
        order = CsvDateOrder::Dmy;
    if (order == CsvDateOrder::Ymd)
        return false;
    if (order == CsvDateOrder::Auto) {
        if (p.a == p.b || p.a > 12)
            order = CsvDateOrder::Dmy;
        else if (p.b > 12)
            order = CsvDateOrder::Mdy;
    }
    if (order == CsvDateOrder::Auto) {
        reason = CsvRefusalReason::AmbiguousDate;
        return false;
    }
    day = order == CsvDateOrder::Dmy ? p.a : p.b;
    month = order == CsvDateOrder::Dmy ? p.b : p.a;
    return true;
}

// The text after a date: a weekday in brackets, "(金)" or "（金）", is passed over.
std::string_view AfterWeekday(std::string_view rest)
{
    for (const auto& [open, close] :
         {std::pair<std::string_view, std::string_view>{"(", ")"}, {"（", "）"}}) {
        if (rest.starts_with(open)) {
            const size_t end = rest.find(close);
            return end == std::string_view::npos ? rest : rest.substr(end + close.size());
        }
    }
    return rest;
}

} // namespace

std::optional<Moment> ParseIsoDate(std::string_view text)
{
    Moment t;
    size_t yearDigits = 0, monthDigits = 0, dayDigits = 0;
    if (!TakeNumber(text, t.year, 4, &yearDigits) || yearDigits != 4 || !TakeChar(text, '-') ||
        !TakeNumber(text, t.month, 2, &monthDigits) || monthDigits != 2 || !TakeChar(text, '-') ||
        !TakeNumber(text, t.day, 2, &dayDigits) || dayDigits != 2 || !text.empty())
        return std::nullopt;
    if (!IsStoredDay(t.year, t.month, t.day))
        return std::nullopt;
    return t;
}

std::optional<CsvDateOrder> ParseDateOrder(std::string_view text)
{
    std::string_view rest = text;
    if (TakeWord(rest, "YMD") && rest.empty())
        return CsvDateOrder::Ymd;
    rest = text;
    if (TakeWord(rest, "DMY") && rest.empty())
        return CsvDateOrder::Dmy;
    rest = text;
    if (TakeWord(rest, "MDY") && rest.empty())
        return CsvDateOrder::Mdy;
    return std::nullopt;
}

CsvDateOrder DetectDateOrder(const std::vector<std::string_view>& dateCells)
{
    bool dayFirst = false, monthFirst = false;
    for (const std::string_view cell : dateCells) {
        std::string_view text = Trimmed(cell);
        DateParts parts;
        if (!TakeDateParts(text, parts) || !IsYearLastSlashed(parts))
            continue;
        dayFirst = dayFirst || parts.a > 12;
        monthFirst = monthFirst || parts.b > 12;
    }
    if (dayFirst != monthFirst)
        return dayFirst ? CsvDateOrder::Dmy : CsvDateOrder::Mdy;
    return CsvDateOrder::Auto;
}

CsvDateRead ReadCsvDateTime(std::string_view dateCell, std::string_view timeCell, CsvDateOrder order)
{
    std::string_view text = Trimmed(dateCell);
    if (text.empty())
        return Refused(CsvRefusalReason::NoDate);
    if (IsUnixTime(text))
        return FromUnixTime(text);
    Moment t;
    DateParts parts;
    CsvMonthDate named;
    if (TakeMonthNameDate(text, named)) {
        t.year = named.year, t.month = named.month, t.day = named.day;
    } else if (CsvRefusalReason reason; !TakeDateParts(text, parts)) {
        return Refused(CsvRefusalReason::UnreadableDate);
    } else if (!OrderParts(parts, order, t.year, t.month, t.day, reason)) {
        return Refused(reason);
    }
    std::string_view rest = AfterWeekday(text);
    if (named.year != 0 && rest.starts_with(',')) // "Jan 12, 2025, 8:40 PM"
        rest.remove_prefix(1);
    if (!rest.empty() && rest.front() != 'T' && !IsBlank(rest.front()) && !rest.starts_with("\u3000"))
        return Refused(CsvRefusalReason::UnreadableDate);
    if (!IsStoredDay(t.year, t.month, t.day))
        return Refused(CsvRefusalReason::NoSuchDate);
    if (rest.starts_with("T"))
        rest.remove_prefix(1);
    const std::string_view timeText = Trimmed(timeCell).empty() ? Trimmed(rest) : Trimmed(timeCell);
    TimeOfDay time;
    if (!timeText.empty() && !ParseTime(timeText, time))
        return Refused(CsvRefusalReason::UnreadableTime);
    t.hour = time.hour, t.minute = time.minute, t.second = time.second;
    if (!time.zone.given)
        return {t, CsvRefusalReason::NoDate};
    const std::optional<Moment> local = LocalFromOffset(t, time.zone.offsetSeconds);
    if (!local)
        return Refused(CsvRefusalReason::NoSuchDate);
    return {local, CsvRefusalReason::NoDate, true};
}

long long UtcSecondsOf(const Moment& t, int offsetSeconds)
{
    return DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) * 86400 +
           t.hour * 3600LL + t.minute * 60LL + t.second - offsetSeconds;
}

std::optional<Moment> LocalFromOffset(const Moment& t, int offsetSeconds)
{
    const Moment local = LocalFields(static_cast<std::time_t>(UtcSecondsOf(t, offsetSeconds)));
    if (!IsStoredDay(local.year, local.month, local.day))
        return std::nullopt;
    return local;
}

std::optional<int> ParseZoneOffset(std::string_view text)
{
    text = Trimmed(text);
    for (const std::string_view utc : {"UTC", "GMT"}) {
        std::string_view rest = text;
        if (TakeWord(rest, utc))
            text = rest; // "UTC", "GMT+9", "UTC+09:00"
    }
    if (text.empty() || text == "Z" || text == "z")
        return 0;
    const int sign = text.front() == '-' ? -1 : 1;
    if (text.front() != '+' && text.front() != '-')
        return std::nullopt;
    text.remove_prefix(1);
    int hours = 0, minutes = 0;
    const bool compact = text.size() == 4; // "0900"
    if (compact ? !TakeExact(text, hours, 2) || !TakeExact(text, minutes, 2) : !TakeNumber(text, hours, 2))
        return std::nullopt;
    if (TakeChar(text, ':') && !TakeExact(text, minutes, 2))
        return std::nullopt;
    if (!text.empty() || hours > 23 || minutes > 59)
        return std::nullopt;
    return sign * (hours * 3600 + minutes * 60);
}
