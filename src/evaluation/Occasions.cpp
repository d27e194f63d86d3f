#include "evaluation/Occasions.h"

#include "record/RecordLine.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {

// Type 0 is placed by its time of day: mornings from 04:00 to 11:59, evenings from 18:00 to the
// small hours, which belong to the day before up to 03:59.
constexpr int kMorningFirstHour = 4;
constexpr int kMorningLastHour = 11;
constexpr int kEveningFirstHour = 18;
constexpr int kDayChangeHour = 4; // before it, an evening reading is the day before's

CalendarDay DayBefore(CalendarDay day)
{
    return CalendarDay{std::chrono::sys_days{day} - std::chrono::days{1}};
}

PlacedReading Evening(const Moment& when)
{
    return {Occasion::Evening, when.hour < kDayChangeHour ? DayBefore(when.Day()) : when.Day()};
}

// A reading waiting for its place among its occasion's readings: its order (OrderOf) and values.
struct Candidate
{
    std::uint64_t order = 0;
    std::uint32_t record = 0;
    std::int32_t max = 0;
    std::int32_t min = 0;
    std::int32_t pulse = 0;

    // By the order; of two readings with the same date-time, the one lower in the file (entered
    // first) first.
    friend bool operator<(const Candidate& a, const Candidate& b)
    {
        return a.order != b.order ? a.order < b.order : a.record > b.record;
    }
};

// The order of the readings as one number: the occasion's day, the occasion, then the time
// since the start of that day (an evening reading after midnight lies in the day's second
// 24 hours). Days from 1899-12-31 to 9999 take 22 bits, the occasion 1, the seconds 18.
constexpr int kSecondsBits = 18;
constexpr long long kFirstDayNumber = -25568; // 1899-12-31, the evening before the first stored day
std::uint64_t OrderOf(long long occasionDay, Occasion occasion, long long secondsSinceDayStart)
{
    return (static_cast<std::uint64_t>(occasionDay - kFirstDayNumber) << (kSecondsBits + 1)) |
           (static_cast<std::uint64_t>(occasion) << kSecondsBits) |
           static_cast<std::uint64_t>(secondsSinceDayStart);
}

// The day and occasion part of an order: equal for the readings of one occasion.
std::uint64_t OccasionOf(std::uint64_t order)
{
    return order >> kSecondsBits;
}

CalendarDay DayOf(std::uint64_t order)
{
    const long long day = static_cast<long long>(order >> (kSecondsBits + 1)) + kFirstDayNumber;
    return CalendarDay{std::chrono::sys_days{std::chrono::days{day}}};
}

Occasion OccasionOfOrder(std::uint64_t order)
{
    return static_cast<Occasion>((order >> kSecondsBits) & 1U);
}

long long DayNumber(CalendarDay day)
{
    return std::chrono::sys_days{day}.time_since_epoch().count();
}

long long SecondsOf(const Moment& when)
{
    return DayNumber(when.Day()) * 86400LL + when.hour * 3600LL + when.minute * 60LL + when.second;
}

OccasionValue ValueOf(const Candidate* const* readings, int count)
{
    OccasionValue value;
    double pulseSum = 0;
    int pulses = 0;
    for (int i = 0; i < count; ++i) {
        const Candidate& r = *readings[i];
        value.max += r.max;
        value.min += r.min;
        value.records[static_cast<std::size_t>(i)] = r.record;
        if (r.pulse > 0) {
            pulseSum += r.pulse;
            ++pulses;
        }
    }
    value.max /= count;
    value.min /= count;
    if (pulses > 0)
        value.pulse = pulseSum / pulses;
    value.readingCount = count;
    return value;
}

} // namespace

std::optional<PlacedReading> PlaceReading(int type, const Moment& when, OccasionTypes types)
{
    if (types.morning != kNoOccasionType && type == types.morning)
        return PlacedReading{Occasion::Morning, when.Day()};
    if (types.evening != kNoOccasionType && type == types.evening)
        return Evening(when);
    if (type != 0)
        return std::nullopt;
    if (when.hour >= kMorningFirstHour && when.hour <= kMorningLastHour)
        return PlacedReading{Occasion::Morning, when.Day()};
    if (when.hour >= kEveningFirstHour || when.hour < kDayChangeHour)
        return Evening(when);
    return std::nullopt;
}

OccasionTable ClassifyOccasions(const std::vector<std::string>& recordLines, OccasionTypes types,
                                const RecordPeriod& period)
{
    OccasionTable table;
    std::vector<Candidate> candidates;
    // Taken from the last line up: a file kept in entry order then yields the readings already in
    // date-time order, and the records left unused in reverse file order.
    for (std::size_t i = recordLines.size(); i-- > 0;) {
        const std::array<std::string_view, 7> fields = SplitRecordFields(recordLines[i]);
        const std::optional<Moment> when = ReadMoment(fields[0]);
        if (!when) {
            table.unused.push_back({i, UnusedReason::UnreadableDate});
            continue;
        }
        const std::optional<PlacedReading> placed = PlaceReading(ReadInt(fields[5]), *when, types);
        if (!placed) {
            if (period.ContainsDay(when->Day()))
                table.unused.push_back({i, UnusedReason::NoOccasion});
            continue;
        }
        if (!period.ContainsDay(placed->day))
            continue;
        const std::int32_t max = ReadInt(fields[1]);
        const std::int32_t min = ReadInt(fields[2]);
        if (max <= 0 || min <= 0) {
            table.unused.push_back({i, UnusedReason::NoPressure});
            continue;
        }
        const long long day = DayNumber(placed->day);
        candidates.push_back({OrderOf(day, placed->occasion, SecondsOf(*when) - day * 86400),
                              static_cast<std::uint32_t>(i), max, min, ReadInt(fields[3])});
    }
    if (!std::is_sorted(candidates.begin(), candidates.end()))
        std::sort(candidates.begin(), candidates.end());
    std::reverse(table.unused.begin(), table.unused.end());
    const std::size_t placedUnused = table.unused.size();

    std::size_t dayCount = 0;
    for (std::size_t k = 0; k < candidates.size(); ++k)
        dayCount += k == 0 || DayOf(candidates[k].order) != DayOf(candidates[k - 1].order) ? 1 : 0;
    table.days.reserve(dayCount);
    for (std::size_t start = 0; start < candidates.size();) {
        std::size_t end = start + 1;
        const std::uint64_t occasion = OccasionOf(candidates[start].order);
        while (end < candidates.size() && OccasionOf(candidates[end].order) == occasion)
            ++end;
        const Candidate* used[2] = {&candidates[start], end - start > 1 ? &candidates[start + 1] : nullptr};
        for (std::size_t k = start + 2; k < end; ++k)
            table.unused.push_back({candidates[k].record, UnusedReason::BeyondTwo});

        const CalendarDay day = DayOf(candidates[start].order);
        if (table.days.empty() || table.days.back().day != day)
            table.days.push_back({day, std::nullopt, std::nullopt});
        std::optional<OccasionValue>& slot = OccasionOfOrder(candidates[start].order) == Occasion::Morning
                                                 ? table.days.back().morning
                                                 : table.days.back().evening;
        slot = ValueOf(used, used[1] ? 2 : 1);
        start = end;
    }
    // Both parts in file order once the readings beyond two are sorted; then one merge.
    const auto byRecord = [](const UnusedRecord& a, const UnusedRecord& b) { return a.record < b.record; };
    const auto beyond = table.unused.begin() + static_cast<std::ptrdiff_t>(placedUnused);
    std::sort(beyond, table.unused.end(), byRecord);
    std::inplace_merge(table.unused.begin(), beyond, table.unused.end(), byRecord);
    return table;
}
