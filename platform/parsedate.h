#pragma once
// Dates and times from text in the order of the short date picture (day,
// month, year for the Czech settings): "5.3.2024", "5. 3. 2024", "05.03.24"
// (two-digit years in the settings' hundred-year window), "5.3." and "5.3"
// (this year); times "14:07", "14:07:09", "14:07:09,250", "2:07 odp.", "14".
// Failures throw ConvertError with the classic message; the Try forms return
// false instead.
#include "platform/datetime.h"
#include "platform/formaterror.h"
#include "platform/formatsettings.h"

#include <QString>

class DateTextReader
{
public:
    // currentYear 0 means the year of today's date.
    explicit DateTextReader(const FormatSettings &settings = czechFormatSettings(), int currentYear = 0);

    bool readDate(const QString &text, TDateTime &value) const;
    bool readTime(const QString &text, TDateTime &value) const;
    // A date with an optional time after it, or a time alone.
    bool readDateTime(const QString &text, TDateTime &value) const;

private:
    class Scanner;
    bool scanDate(Scanner &scan, TDateTime &value) const;
    bool scanTime(Scanner &scan, TDateTime &value) const;
    int fullYear(int year, int digits) const;

    const FormatSettings &m_settings;
    int m_currentYear;
};

TDateTime StrToDate(const QString &text, const FormatSettings &settings = czechFormatSettings());
bool TryStrToDate(const QString &text, TDateTime &value, const FormatSettings &settings = czechFormatSettings());
TDateTime StrToTime(const QString &text, const FormatSettings &settings = czechFormatSettings());
bool TryStrToTime(const QString &text, TDateTime &value, const FormatSettings &settings = czechFormatSettings());
TDateTime StrToDateTime(const QString &text, const FormatSettings &settings = czechFormatSettings());
bool TryStrToDateTime(const QString &text, TDateTime &value, const FormatSettings &settings = czechFormatSettings());
