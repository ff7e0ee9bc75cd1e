#include "platform/datetime.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

namespace DateTimeConv {

TDateTime fromQDate(const QDate &value)
{
    return double(kEpoch.daysTo(value));
}

TDateTime encodeTime(int hour, int minute, int second, int msec)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsPerDay;
}

TDateTime encodeDate(int year, int month, int day)
{
    return fromQDate(QDate(year, month, day));
}

TDateTime fromQDateTime(const QDateTime &value)
{
    const QTime t = value.time();
    const double days = fromQDate(value.date());
    const double fraction = encodeTime(t.hour(), t.minute(), t.second(), t.msec());
    // Before the epoch the fraction still counts forwards within the day.
    return days >= 0 ? days + fraction : days - fraction;
}

QDate toQDate(TDateTime value)
{
    return kEpoch.addDays(qint64(std::trunc(value)));
}

QTime toQTime(TDateTime value)
{
    double fraction = std::fabs(value - std::trunc(value));
    qint64 ms = qint64(std::llround(fraction * kMsPerDay));
    if (ms >= qint64(kMsPerDay))
        ms = qint64(kMsPerDay) - 1;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime toQDateTime(TDateTime value)
{
    return QDateTime(toQDate(value), toQTime(value));
}

} // namespace DateTimeConv
