#pragma once
// Dates and times through the classic pictures: d dd ddd dddd ddddd dddddd,
// m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss,
// z zzz, t tt, c, am/pm a/p ampm, "/" and ":" as the settings' separators,
// text in quotes, anything else as it stands. An empty picture means "c".
// A value outside the years 1 to 9999 gives an empty text.
#include "platform/datetime.h"
#include "platform/formatsettings.h"

#include <QString>

QString FormatDateTime(const QString &picture, TDateTime value, const FormatSettings &settings = czechFormatSettings());
// Short date ("5.3.2024").
QString DateToStr(TDateTime value, const FormatSettings &settings = czechFormatSettings());
// Long time ("14:07:09").
QString TimeToStr(TDateTime value, const FormatSettings &settings = czechFormatSettings());
// Short date, and the long time unless it is exactly midnight.
QString DateTimeToStr(TDateTime value, const FormatSettings &settings = czechFormatSettings());
