#include "evaluation/Occasions.h"

#include "store/RecordLine.h"

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

PlacedReading Evening(const DateTimeFields& when)
{
    return {Occasion::Evening, when.hour < kDayChangeHour ? DayBefore(when.day) : when.day};
}

// A reading waiting for its place among its occasion's readings.
struct Candidate
{
    long long occasionDay = 0; // days since 1970-01-01 of the day it belongs to
    Occasion occasion = Occasion::Morning;
    long long takenAt = 0; // its own date and time as seconds since 1970-01-01 (no zone)
    std::size_t record = 0;
    std::int32_t max = 0;
    std::int32_t min = 0;
    std::int32_t pulse = 0;

    bool SameOccasion(const Candidate& other) const
    {
        return occasionDay == other.occasionDay && occasion == other.occasion;
    }
    // Calendar order of the occasions, then date-time order; of two readings taken at the same
    // time, the one lower in the file (entered first) first.
    friend bool operator<(const Candidate& a, const Candidate& b)
    {
        if (a.occasionDay != b.occasionDay)
            return a.occasionDay < b.occasionDay;
        if (a.occasion != b.occasion)
            return a.occasion < b.occasion;
        if (a.takenAt != b.takenAt)
            return a.takenAt < b.takenAt;
        return a.record > b.record;
    }
};

long long DayNumber(CalendarDay day)
{
    return std::chrono::sys_days{day}.time_since_epoch().count();
}

long long SecondsOf(const DateTimeFields& when)
{
    return DayNumber(when.day) * 86400LL + when.hour * 3600LL + when.minute * 60LL + when.second;
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

std::optional<PlacedReading> PlaceReading(int type, const DateTimeFields& when, OccasionTypes types)
{
    if (types.morning != kNoOccasionType && type == types.morning)
        return PlacedReading{Occasion::Morning, when.day};
    if (types.evening != kNoOccasionType && type == types.evening)
        return Evening(when);
    if (type != 0)
        return std::nullopt;
    if (when.hour >= kMorningFirstHour && when.hour <= kMorningLastHour)
        return PlacedReading{Occasion::Morning, when.day};
    if (when.hour >= kEveningFirstHour || when.hour < kDayChangeHour)
        return Evening(when);
    return std::nullopt;
}

bool PeriodHasDay(const RecordPeriod& period, CalendarDay day)
{
    return (!period.first || *period.first <= day) && (!period.last || day <= *period.last);
}

OccasionTable ClassifyOccasions(const std::vector<std::string>& recordLines, OccasionTypes types,
                                const RecordPeriod& period)
{
    OccasionTable table;
    std::vector<Candidate> candidates;
    candidates.reserve(recordLines.size());
    for (std::size_t i = 0; i < recordLines.size(); ++i) {
        const std::array<std::string_view, 7> fields = SplitRecordFields(recordLines[i]);
        const std::optional<DateTimeFields> when = TryReadDateTimeFields(fields[0]);
        if (!when) {
            table.unused.push_back({i, UnusedReason::UnreadableDate});
            continue;
        }
        const std::optional<PlacedReading> placed = PlaceReading(ReadInt(fields[5]), *when, types);
        if (!placed) {
            if (PeriodHasDay(period, when->day))
                table.unused.push_back({i, UnusedReason::NoOccasion});
            continue;
        }
        if (!PeriodHasDay(period, placed->day))
            continue;
        const std::int32_t max = ReadInt(fields[1]);
        const std::int32_t min = ReadInt(fields[2]);
        if (max <= 0 || min <= 0) {
            table.unused.push_back({i, UnusedReason::NoPressure});
            continue;
        }
        candidates.push_back(
            {DayNumber(placed->day), placed->occasion, SecondsOf(*when), i, max, min, ReadInt(fields[3])});
    }
    std::sort(candidates.begin(), candidates.end());

    for (std::size_t start = 0; start < candidates.size();) {
        std::size_t end = start + 1;
        while (end < candidates.size() && candidates[end].SameOccasion(candidates[start]))
            ++end;
        const Candidate* used[2] = {&candidates[start], end - start > 1 ? &candidates[start + 1] : nullptr};
        const int count = used[1] ? 2 : 1;
        for (std::size_t k = start + 2; k < end; ++k)
            table.unused.push_back({candidates[k].record, UnusedReason::BeyondTwo});

        const CalendarDay day{std::chrono::sys_days{std::chrono::days{candidates[start].occasionDay}}};
        if (table.days.empty() || table.days.back().day != day)
            table.days.push_back({day, std::nullopt, std::nullopt});
        std::optional<OccasionValue>& slot = candidates[start].occasion == Occasion::Morning
                                                 ? table.days.back().morning
                                                 : table.days.back().evening;
        slot = ValueOf(used, count);
        start = end;
    }
    std::sort(table.unused.begin(), table.unused.end(),
              [](const UnusedRecord& a, const UnusedRecord& b) { return a.record < b.record; });
    return table;
}
