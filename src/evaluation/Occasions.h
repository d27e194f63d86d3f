#pragma once
// Morning and evening as home blood pressure is read: which records are a morning (朝) or an
// evening (晩) reading, and, for each day, the value of each occasion.
//
// A record of the chosen morning type is a morning reading and one of the chosen evening type an
// evening reading, whatever their time. A record of type 0 is placed by its time of day:
// 04:00:00-11:59:59 the morning of its day, 18:00:00-23:59:59 the evening of its day,
// 00:00:00-03:59:59 the evening of the day before. An evening-type record dated 00:00-03:59
// belongs to the evening of the day before too. Every other record is not used. The time of day
// is read from the stored date-time text's own fields, never through a point in time or a zone.
//
// An occasion (one day's morning or evening) takes, of its readings whose maximum and minimum
// are positive, the first two by date-time; of two with the same date-time, the one lower in the
// file (entered first) comes first. Its value is the mean of those readings, not rounded.

#include "record/DateTimeText.h"
#include "record/RecordPeriod.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The types that stand for the two occasions: type indexes of the type file, from 1 on, or
// kNoOccasionType.
inline constexpr int kNoOccasionType = -1;
struct OccasionTypes
{
    int morning = kNoOccasionType;
    int evening = kNoOccasionType;
    friend bool operator==(const OccasionTypes&, const OccasionTypes&) = default;
};

enum class Occasion
{
    Morning,
    Evening,
};

// One occasion's value: the mean of its one or two readings. The pulse leaves out readings
// without a pulse (0 or less) and is absent when none has one.
struct OccasionValue
{
    double max = 0;
    double min = 0;
    std::optional<double> pulse;
    // The records used, as 0-based indexes into the record lines (line number - 1), in reading
    // order; the second is meaningful only when readingCount is 2.
    std::array<std::size_t, 2> records{};
    int readingCount = 0;
    friend bool operator==(const OccasionValue&, const OccasionValue&) = default;
};

// The occasions of one day; a day appears only when it has at least one of them.
struct DayOccasions
{
    CalendarDay day;
    std::optional<OccasionValue> morning;
    std::optional<OccasionValue> evening;

    const std::optional<OccasionValue>& Of(Occasion occasion) const
    {
        return occasion == Occasion::Morning ? morning : evening;
    }
};

// Why a record of the period takes no part in any occasion.
enum class UnusedReason
{
    UnreadableDate, // its date-time text names no real date and time
    NoOccasion,     // neither a morning nor an evening reading (another type, or type 0 at midday)
    NoPressure,     // its maximum or minimum is not a positive number
    BeyondTwo,      // its occasion already has two earlier readings
};

struct UnusedRecord
{
    std::size_t record = 0; // 0-based index into the record lines
    UnusedReason reason = UnusedReason::NoOccasion;
    friend bool operator==(const UnusedRecord&, const UnusedRecord&) = default;
};

struct OccasionTable
{
    std::vector<DayOccasions> days;   // in calendar order
    std::vector<UnusedRecord> unused; // in file order
};

// The occasion and the day it belongs to of a record of the given type and stored date-time,
// or nullopt when the record is neither a morning nor an evening reading.
struct PlacedReading
{
    Occasion occasion = Occasion::Morning;
    CalendarDay day;
};
std::optional<PlacedReading> PlaceReading(int type, const Moment& when, OccasionTypes types);

// The occasions of the records (lines of the measurement file, newest first as stored) whose
// occasion day lies in the period. An evening reading taken after midnight counts by the day
// before, so it is in the period when that day is. Unused lists the records of the period that
// take no part: a record that is placed nowhere by its own date, a record with an unreadable
// date whatever the period.
OccasionTable ClassifyOccasions(const std::vector<std::string>& recordLines, OccasionTypes types,
                                const RecordPeriod& period);
