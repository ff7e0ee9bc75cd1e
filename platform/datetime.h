#pragma once
// Date and time as the original framework counts them: days since 30 Dec 1899,
// the fraction being the time of day. Report expressions do arithmetic on it,
// so it stays a plain double.
#include <QDateTime>

using TDateTime = double;

namespace DateTimeConv {
TDateTime fromQDateTime(const QDateTime &value);
TDateTime fromQDate(const QDate &value);
QDateTime toQDateTime(TDateTime value);
QDate toQDate(TDateTime value);
QTime toQTime(TDateTime value);
TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second, int msec);
} // namespace DateTimeConv
