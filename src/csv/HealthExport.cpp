#include "csv/HealthExport.h"

#include "csv/CsvDates.h"

// Debian's expat is built with DTD support; the header declares the entity limits only then.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view kBloodPressure = "HKCorrelationTypeIdentifierBloodPressure";
constexpr std::string_view kSystolic = "HKQuantityTypeIdentifierBloodPressureSystolic";
constexpr std::string_view kDiastolic = "HKQuantityTypeIdentifierBloodPressureDiastolic";
constexpr std::string_view kHeartRate = "HKQuantityTypeIdentifierHeartRate";
constexpr long long kPulseWindowSeconds = 120;
constexpr std::size_t kChunk = std::size_t{64} * 1024;

struct ParserDeleter
{
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserPtr = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserDeleter>;

std::string_view Attribute(const XML_Char** attributes, std::string_view name)
{
    for (const XML_Char** a = attributes; *a; a += 2) {
        if (name == *a)
            return a[1];
    }
    return {};
}

// "2024-01-01 08:00:00 +0900" as seconds since 1970, for finding the nearest moment.
std::optional<long long> MomentOf(std::string_view text)
{
    Moment t;
    char sign = '+';
    int zoneHours = 0, zoneMinutes = 0;
    const std::string copy(text.substr(0, 40));
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d %c%2d%2d", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second, &sign, &zoneHours, &zoneMinutes) != 9)
        return std::nullopt;
    const int offset = (sign == '-' ? -1 : 1) * (zoneHours * 3600 + zoneMinutes * 60);
    return UtcSecondsOf(t, offset);
}

// A quantity as a whole number: exports write "120" or "72.5"; the nearest whole number.
std::string WholeNumber(std::string_view value)
{
    std::string text(value);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(number) ||
        std::fabs(number) > 1e6)
        return text; // left as it is, and refused as not a number
    return std::to_string(std::lround(number));
}

// The raw text of the current start tag names an entity other than the predefined five.
bool RefersToDeclaredEntity(std::string_view raw)
{
    for (std::size_t at = raw.find('&'); at != std::string_view::npos; at = raw.find('&', at + 1)) {
        const std::string_view rest = raw.substr(at + 1);
        if (rest.starts_with('#'))
            continue;
        const bool predefined = rest.starts_with("lt;") || rest.starts_with("gt;") ||
                                rest.starts_with("amp;") || rest.starts_with("quot;") ||
                                rest.starts_with("apos;");
        if (!predefined)
            return true;
    }
    return false;
}

// Sets up a parser that never expands an entity the document declares: references in content
// reach the default handler unexpanded, and a start tag whose attributes name one is refused.
class CSafeParser
{
public:
    CSafeParser() : m_parser(XML_ParserCreate("UTF-8"))
    {
        XML_SetUserData(m_parser.get(), this);
        XML_SetParamEntityParsing(m_parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetDefaultHandler(m_parser.get(), [](void* self, const XML_Char* text, int length) {
            static_cast<CSafeParser*>(self)->OnDefault(
                std::string_view(text, static_cast<std::size_t>(length)));
        });
        XML_SetEntityDeclHandler(m_parser.get(),
                                 [](void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                    const XML_Char*, const XML_Char*,
                                    const XML_Char*) { static_cast<CSafeParser*>(self)->m_declared = true; });
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
        XML_SetBillionLaughsAttackProtectionActivationThreshold(m_parser.get(), 1024ULL * 1024);
        XML_SetBillionLaughsAttackProtectionMaximumAmplification(m_parser.get(), 20.0F);
#endif
    }
    virtual ~CSafeParser() = default;
    CSafeParser(const CSafeParser&) = delete;
    CSafeParser& operator=(const CSafeParser&) = delete;

    XML_Parser Parser() const
    {
        return m_parser.get();
    }
    HealthReadError Error() const
    {
        return m_error;
    }
    int ErrorLine() const
    {
        return m_errorLine;
    }

    // Feeds the source through the parser; stops early when a handler stops it.
    HealthReadError Run(const HealthByteSource& source, std::size_t limit, std::string& detail)
    {
        std::size_t total = 0;
        for (;;) {
            void* buffer = XML_GetBuffer(Parser(), static_cast<int>(kChunk));
            if (!buffer)
                return Fail(HealthReadError::Malformed, "out of memory");
            const std::optional<std::size_t> got = source(static_cast<char*>(buffer), kChunk);
            if (!got)
                return HealthReadError::SourceFailed;
            total += *got;
            const bool last = *got == 0 || total >= limit;
            if (XML_ParseBuffer(Parser(), static_cast<int>(*got), last) != XML_STATUS_OK) {
                if (m_error != HealthReadError::None || m_done)
                    return m_error;
                const XML_Error code = XML_GetErrorCode(Parser());
                detail = XML_ErrorString(code);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
                if (code == XML_ERROR_AMPLIFICATION_LIMIT_BREACH) // an entity expanded in an attribute
                    return Fail(HealthReadError::EntityReference, detail);
#endif
                return Fail(HealthReadError::Malformed, detail);
            }
            if (last)
                return m_error;
        }
    }

protected:
    // The start tag just reported, as it stands in the file.
    bool StartTagIsSafe()
    {
        if (!m_declared)
            return true;
        int offset = 0, size = 0;
        const char* context = XML_GetInputContext(Parser(), &offset, &size);
        const int count = XML_GetCurrentByteCount(Parser());
        if (!context || offset + count > size || count < 0)
            return Stop(HealthReadError::EntityReference); // cannot tell: refuse rather than guess
        if (RefersToDeclaredEntity(std::string_view(context + offset, static_cast<std::size_t>(count))))
            return Stop(HealthReadError::EntityReference);
        return true;
    }

    bool Stop(HealthReadError error)
    {
        if (m_error == HealthReadError::None) {
            m_error = error;
            m_errorLine = static_cast<int>(XML_GetCurrentLineNumber(Parser()));
        }
        XML_StopParser(Parser(), XML_FALSE);
        return false;
    }

    // Ends reading without an error (the part wanted is read).
    void Finish()
    {
        m_done = true;
        XML_StopParser(Parser(), XML_FALSE);
    }

private:
    HealthReadError Fail(HealthReadError error, const std::string&)
    {
        if (m_error == HealthReadError::None) {
            m_error = error;
            m_errorLine = static_cast<int>(XML_GetCurrentLineNumber(Parser()));
        }
        return m_error;
    }

    void OnDefault(std::string_view text)
    {
        if (text.size() > 1 && text.front() == '&' && text.back() == ';' && RefersToDeclaredEntity(text))
            Stop(HealthReadError::EntityReference);
    }

    ParserPtr m_parser;
    HealthReadError m_error = HealthReadError::None;
    int m_errorLine = 0;
    bool m_declared = false;
    bool m_done = false;
};

// Finds the root element's name and stops.
class CRootReader : public CSafeParser
{
public:
    CRootReader()
    {
        XML_SetStartElementHandler(Parser(), [](void* self, const XML_Char* name, const XML_Char**) {
            auto* reader = static_cast<CRootReader*>(self);
            if (reader->StartTagIsSafe()) {
                reader->m_root = name;
                reader->Finish();
            }
        });
    }
    std::string m_root;
};

struct HeartRate
{
    int source;
    long long moment;
    std::uint32_t pulse;
};

struct Reading
{
    int line;
    int source;
    std::optional<long long> moment;
    std::string start, systolic, diastolic;
};

// Reads the correlations and heart rates, keeping only what the rows need.
class CHealthReader : public CSafeParser
{
public:
    CHealthReader()
    {
        XML_SetElementHandler(
            Parser(),
            [](void* self, const XML_Char* name, const XML_Char** attributes) {
                static_cast<CHealthReader*>(self)->OnStart(name, attributes);
            },
            [](void* self, const XML_Char* name) { static_cast<CHealthReader*>(self)->OnEnd(name); });
    }

    HealthReadResult Result()
    {
        HealthReadResult result;
        result.heartRates = static_cast<int>(m_heartRates.size());
        result.table.encoding = CsvEncoding::Utf8;
        result.table.header = {"startDate", "最高血圧", "最低血圧", "脈拍"};
        std::sort(m_heartRates.begin(), m_heartRates.end(), [](const HeartRate& a, const HeartRate& b) {
            return a.source != b.source ? a.source < b.source : a.moment < b.moment;
        });
        for (Reading& reading : m_readings) {
            const std::uint32_t pulse = reading.moment ? PulseNear(reading.source, *reading.moment) : 0;
            result.table.rows.push_back({reading.line,
                                         {std::move(reading.start), std::move(reading.systolic),
                                          std::move(reading.diastolic), pulse ? std::to_string(pulse) : ""}});
        }
        return result;
    }

private:
    void OnStart(std::string_view name, const XML_Char** attributes)
    {
        if (!StartTagIsSafe())
            return;
        if (++m_depth > kHealthMaxDepth) {
            Stop(HealthReadError::TooDeep);
            return;
        }
        if (m_depth == 1 && name != "HealthData") {
            Stop(HealthReadError::NotHealthData);
            return;
        }
        const std::string_view type = Attribute(attributes, "type");
        if (name == "Correlation" && type == kBloodPressure && !m_open) {
            const std::string_view start = Attribute(attributes, "startDate");
            m_open = Reading{static_cast<int>(XML_GetCurrentLineNumber(Parser())),
                             SourceIndex(Attribute(attributes, "sourceName")),
                             MomentOf(start),
                             std::string(start),
                             {},
                             {}};
            m_openDepth = m_depth;
        } else if (name == "Record" && m_open && (type == kSystolic || type == kDiastolic)) {
            std::string value = WholeNumber(Attribute(attributes, "value"));
            if (const std::string_view unit = Attribute(attributes, "unit"); !unit.empty() && unit != "mmHg")
                value += " " + std::string(unit); // refused by the import as not a number
            (type == kSystolic ? m_open->systolic : m_open->diastolic) = std::move(value);
        } else if (name == "Record" && type == kHeartRate) {
            const std::optional<long long> moment = MomentOf(Attribute(attributes, "startDate"));
            const std::string pulse = WholeNumber(Attribute(attributes, "value"));
            char* end = nullptr;
            const long value = std::strtol(pulse.c_str(), &end, 10);
            if (moment && end != pulse.c_str() && *end == '\0' && value > 0 && value < 1000)
                m_heartRates.push_back({SourceIndex(Attribute(attributes, "sourceName")), *moment,
                                        static_cast<std::uint32_t>(value)});
        }
    }

    void OnEnd(std::string_view name)
    {
        if (m_open && m_depth == m_openDepth && name == "Correlation") {
            m_readings.push_back(std::move(*m_open));
            m_open.reset();
        }
        --m_depth;
    }

    int SourceIndex(std::string_view name)
    {
        const auto [it, added] = m_sources.try_emplace(std::string(name), static_cast<int>(m_sources.size()));
        return it->second;
    }

    // The nearest heart rate of the source within the window, 0 when there is none.
    std::uint32_t PulseNear(int source, long long moment) const
    {
        const auto first = std::lower_bound(
            m_heartRates.begin(), m_heartRates.end(), HeartRate{source, moment - kPulseWindowSeconds, 0},
            [](const HeartRate& a, const HeartRate& b) {
                return a.source != b.source ? a.source < b.source : a.moment < b.moment;
            });
        std::uint32_t pulse = 0;
        long long best = kPulseWindowSeconds + 1;
        for (auto it = first;
             it != m_heartRates.end() && it->source == source && it->moment <= moment + kPulseWindowSeconds;
             ++it) {
            if (const long long distance = std::llabs(it->moment - moment); distance < best) {
                best = distance;
                pulse = it->pulse;
            }
        }
        return pulse;
    }

    int m_depth = 0;
    int m_openDepth = 0;
    std::optional<Reading> m_open;
    std::vector<Reading> m_readings;
    std::vector<HeartRate> m_heartRates;
    std::map<std::string, int, std::less<>> m_sources;
};

} // namespace

HealthReadResult ReadHealthExport(const HealthByteSource& source)
{
    CHealthReader reader;
    std::string detail;
    const HealthReadError error = reader.Run(source, SIZE_MAX, detail);
    if (error != HealthReadError::None) {
        HealthReadResult failed;
        failed.error = error;
        failed.line = reader.ErrorLine();
        failed.detail = detail;
        return failed;
    }
    return reader.Result();
}

XmlRoot XmlRootElement(const HealthByteSource& source, std::size_t limit)
{
    CRootReader reader;
    std::string detail;
    const HealthReadError error = reader.Run(source, limit, detail);
    if (error == HealthReadError::EntityReference || error == HealthReadError::TooDeep)
        return {{}, error};
    return {error == HealthReadError::None ? reader.m_root : std::string(), HealthReadError::None};
}
