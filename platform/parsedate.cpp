#include "platform/parsedate.h"

#include <QDate>

namespace {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

DateOrder dateOrder(const QString &shortDateFormat)
{
    for (const QChar c : shortDateFormat) {
        switch (c.toUpper().unicode()) {
        case 'D':
            return DateOrder::DayMonthYear;
        case 'M':
            return DateOrder::MonthDayYear;
        case 'Y':
            return DateOrder::YearMonthDay;
        default:
            break;
        }
    }
    return DateOrder::DayMonthYear;
}

constexpr int kMaxNumberDigits = 9;

} // namespace

class DateTextReader::Scanner
{
public:
    explicit Scanner(const QString &text)
        : m_text(text)
    {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool number(int &value, int &digits)
    {
        skipBlanks();
        value = 0;
        digits = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= QLatin1Char('0') && m_text[m_pos] <= QLatin1Char('9')) {
            if (++digits > kMaxNumberDigits)
                return false;
            value = value * 10 + (m_text[m_pos++].unicode() - '0');
        }
        return digits > 0;
    }
    bool number(int &value)
    {
        int digits = 0;
        return number(value, digits);
    }
    bool character(QChar c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool nextIs(QChar c)
    {
        skipBlanks();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }
    bool word(const QString &w)
    {
        skipBlanks();
        if (w.isEmpty() || !QStringView(m_text).mid(m_pos).startsWith(w, Qt::CaseInsensitive))
            return false;
        m_pos += w.size();
        return true;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    qsizetype position() const { return m_pos; }
    void setPosition(qsizetype pos) { m_pos = pos; }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

DateTextReader::DateTextReader(const FormatSettings &settings, int currentYear)
    : m_settings(settings)
    , m_currentYear(currentYear > 0 ? currentYear : QDate::currentDate().year())
{}

// Two-digit years fall into the hundred years that start the window's width
// before the current year (with 50 in 2026: 1976..2075).
int DateTextReader::fullYear(int year, int digits) const
{
    if (digits > 2 || year >= 100)
        return year;
    const int window = m_settings.TwoDigitYearCenturyWindow;
    const int base = m_currentYear - window;
    year += base / 100 * 100;
    if (window > 0 && year < base)
        year += 100;
    return year;
}

bool DateTextReader::scanDate(Scanner &scan, TDateTime &value) const
{
    const QChar separator = m_settings.DateSeparator;
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d3 = 0, d2 = 0;
    if (!(scan.number(n1, d1) && scan.character(separator) && scan.number(n2, d2)))
        return false;
    bool withYear = false;
    if (scan.character(separator)) {
        // "5.3." is a day of this year, as "5.3" is.
        const qsizetype afterSeparator = scan.position();
        withYear = scan.number(n3, d3);
        // In "5.3. 14:30" the number after the date is an hour, not a year.
        if (withYear && scan.nextIs(m_settings.TimeSeparator))
            withYear = false;
        if (!withYear)
            scan.setPosition(afterSeparator);
    }
    int year = m_currentYear, month = 0, day = 0;
    switch (dateOrder(m_settings.ShortDateFormat)) {
    case DateOrder::DayMonthYear:
        day = n1;
        month = n2;
        if (withYear)
            year = fullYear(n3, d3);
        break;
    case DateOrder::MonthDayYear:
        month = n1;
        day = n2;
        if (withYear)
            year = fullYear(n3, d3);
        break;
    case DateOrder::YearMonthDay:
        if (withYear) {
            year = fullYear(n1, d1);
            month = n2;
            day = n3;
        } else {
            month = n1;
            day = n2;
        }
        break;
    }
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return false;
    value = DateTimeConv::encodeDate(year, month, day);
    return true;
}

bool DateTextReader::scanTime(Scanner &scan, TDateTime &value) const
{
    auto dayPeriod = [&](int &base) {
        if (scan.word(m_settings.TimeAMString) || scan.word(QStringLiteral("AM")))
            base = 0;
        else if (scan.word(m_settings.TimePMString) || scan.word(QStringLiteral("PM")))
            base = 12;
    };
    int base = -1;
    dayPeriod(base);
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (!scan.number(hour))
        return false;
    if (scan.character(m_settings.TimeSeparator)) {
        if (!scan.number(minute))
            return false;
        if (scan.character(m_settings.TimeSeparator)) {
            if (!scan.number(second))
                return false;
            if (scan.character(m_settings.DecimalSeparator) || scan.character(QLatin1Char('.'))) {
                // Fractions of a second are decimals: ",5" is half a second.
                int digits = 0;
                if (!scan.number(msec, digits) || digits > 3)
                    return false;
                for (; digits < 3; ++digits)
                    msec *= 10;
            }
        }
    }
    if (base < 0)
        dayPeriod(base);
    if (base >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        hour = hour % 12 + base;
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    value = DateTimeConv::encodeTime(hour, minute, second, msec);
    return true;
}

bool DateTextReader::readDate(const QString &text, TDateTime &value) const
{
    Scanner scan(text);
    TDateTime date = 0;
    if (!scanDate(scan, date) || !scan.atEnd())
        return false;
    value = date;
    return true;
}

bool DateTextReader::readTime(const QString &text, TDateTime &value) const
{
    Scanner scan(text);
    TDateTime time = 0;
    if (!scanTime(scan, time) || !scan.atEnd())
        return false;
    value = time;
    return true;
}

bool DateTextReader::readDateTime(const QString &text, TDateTime &value) const
{
    Scanner scan(text);
    TDateTime date = 0;
    TDateTime time = 0;
    if (scanDate(scan, date) && (scan.atEnd() || (scanTime(scan, time) && scan.atEnd()))) {
        // Before the epoch the time of day still counts away from it.
        value = date >= 0 ? date + time : date - time;
        return true;
    }
    return readTime(text, value);
}

namespace {

TDateTime orThrow(bool ok, TDateTime value, const QString &text, const char *what)
{
    if (!ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
    return value;
}

} // namespace

bool TryStrToDate(const QString &text, TDateTime &value, const FormatSettings &settings)
{
    return DateTextReader(settings).readDate(text, value);
}

bool TryStrToTime(const QString &text, TDateTime &value, const FormatSettings &settings)
{
    return DateTextReader(settings).readTime(text, value);
}

bool TryStrToDateTime(const QString &text, TDateTime &value, const FormatSettings &settings)
{
    return DateTextReader(settings).readDateTime(text, value);
}

TDateTime StrToDate(const QString &text, const FormatSettings &settings)
{
    TDateTime value = 0;
    const bool ok = TryStrToDate(text, value, settings);
    return orThrow(ok, value, text, "date");
}

TDateTime StrToTime(const QString &text, const FormatSettings &settings)
{
    TDateTime value = 0;
    const bool ok = TryStrToTime(text, value, settings);
    return orThrow(ok, value, text, "time");
}

TDateTime StrToDateTime(const QString &text, const FormatSettings &settings)
{
    TDateTime value = 0;
    const bool ok = TryStrToDateTime(text, value, settings);
    return orThrow(ok, value, text, "date and time");
}
