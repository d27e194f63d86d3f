#pragma once
// Time-zone names ("Asia/Tokyo") for the import, read through Qt's zone database: the core
// hands over the zone's name with the wall time, and gets the computer's local time back.

#include "csv/CsvDates.h"

#include <optional>
#include <string_view>

// The wall time in the named zone as the computer's local time; nullopt for a name the zone
// database does not know.
std::optional<Moment> LocalFromZoneName(std::string_view zone, const Moment& wallTime);
