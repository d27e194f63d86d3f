#include "csv/ZoneNames.h"

#include "record/DateTimeText.h"

#include <QDateTime>
#include <QTimeZone>

std::optional<Moment> LocalFromZoneName(std::string_view zone, const Moment& wallTime)
{
    const QByteArray id(zone.data(), static_cast<qsizetype>(zone.size()));
    if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id))
        return std::nullopt;
    const QDateTime there(QDate(wallTime.year, wallTime.month, wallTime.day),
                          QTime(wallTime.hour, wallTime.minute, wallTime.second), QTimeZone(id));
    if (!there.isValid())
        return std::nullopt;
    const QDateTime local = there.toLocalTime();
    const Moment result{local.date().year(), local.date().month(),  local.date().day(),
                        local.time().hour(), local.time().minute(), local.time().second()};
    if (!ReadMoment(result.Text()))
        return std::nullopt;
    return result;
}
