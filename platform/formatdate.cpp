#include "platform/formatdate.h"

#include <cmath>

namespace {

// 1 January 1 and 31 December 9999, the range of dates the pictures can show.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958466;

// Pictures may name other pictures (ddddd, c, t); deeper nesting is ignored.
constexpr int kMaxNesting = 2;

class DateTimeWriter
{
public:
    DateTimeWriter(TDateTime value, const FormatSettings &settings)
        : m_date(DateTimeConv::toQDate(value))
        , m_time(DateTimeConv::toQTime(value))
        , m_settings(settings)
    {}

    QString write(const QString &picture)
    {
        append(picture, 0);
        return m_out;
    }

private:
    void append(const QString &picture, int depth);
    void number(int value, int width) { m_out += QString::number(value).rightJustified(width, QLatin1Char('0')); }
    bool twelveHourClockAfter(const QString &picture, qsizetype from) const;
    bool appendDayPeriod(const QString &picture, qsizetype &i);

    QDate m_date;
    QTime m_time;
    const FormatSettings &m_settings;
    QString m_out;
};

size_t monthIndex(const QDate &date)
{
    return size_t(qBound(1, date.month(), 12) - 1);
}

qsizetype countRun(const QString &picture, qsizetype i)
{
    const QChar c = picture[i].toUpper();
    qsizetype n = 1;
    while (i + n < picture.size() && picture[i + n].toUpper() == c)
        ++n;
    return n;
}

bool startsWithNoCase(const QString &picture, qsizetype i, QLatin1StringView word)
{
    return QStringView(picture).mid(i).startsWith(word, Qt::CaseInsensitive);
}

// An hour is on the 12-hour clock when the next unquoted "a" of the
// picture, before any other hour, starts an am/pm marker.
bool DateTimeWriter::twelveHourClockAfter(const QString &picture, qsizetype from) const
{
    bool quoted = false;
    for (qsizetype i = from; i < picture.size(); ++i) {
        const QChar c = picture[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
            return startsWithNoCase(picture, i, QLatin1StringView("am/pm")) ||
                   startsWithNoCase(picture, i, QLatin1StringView("a/p")) ||
                   startsWithNoCase(picture, i, QLatin1StringView("ampm"));
        } else if (c == QLatin1Char('h') || c == QLatin1Char('H')) {
            return false;
        }
    }
    return false;
}

// "am/pm" and "a/p" show their own letters, in the picture's case.
bool DateTimeWriter::appendDayPeriod(const QString &picture, qsizetype &i)
{
    const bool afternoon = m_time.hour() >= 12;
    if (startsWithNoCase(picture, i, QLatin1StringView("am/pm"))) {
        m_out += picture.mid(afternoon ? i + 3 : i, 2);
        i += 5;
    } else if (startsWithNoCase(picture, i, QLatin1StringView("a/p"))) {
        m_out += picture[afternoon ? i + 2 : i];
        i += 3;
    } else if (startsWithNoCase(picture, i, QLatin1StringView("ampm"))) {
        m_out += afternoon ? m_settings.TimePMString : m_settings.TimeAMString;
        i += 4;
    } else {
        return false;
    }
    return true;
}

void DateTimeWriter::append(const QString &picture, int depth)
{
    if (depth > kMaxNesting)
        return;
    const FormatSettings &s = m_settings;
    QChar lastLetter;
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar c = picture[i];
        QChar token = c.toUpper();
        const bool letter = token >= QLatin1Char('A') && token <= QLatin1Char('Z');
        if (letter) {
            if (token == QLatin1Char('M') && lastLetter == QLatin1Char('H'))
                token = QLatin1Char('N');
            lastLetter = token;
        }
        const qsizetype run = letter ? countRun(picture, i) : 1;
        switch (token.unicode()) {
        case 'Y':
            if (run <= 2)
                number(m_date.year() % 100, 2);
            else
                number(m_date.year(), 4);
            i += run;
            break;
        case 'M':
            if (run <= 2)
                number(m_date.month(), int(run));
            else if (run == 3)
                m_out += s.ShortMonthNames[monthIndex(m_date)];
            else
                m_out += s.LongMonthNames[monthIndex(m_date)];
            i += run;
            break;
        case 'D':
            if (run <= 2)
                number(m_date.day(), int(run));
            else if (run == 3)
                m_out += s.ShortDayNames[size_t(m_date.dayOfWeek() % 7)];
            else if (run == 4)
                m_out += s.LongDayNames[size_t(m_date.dayOfWeek() % 7)];
            else
                append(run == 5 ? s.ShortDateFormat : s.LongDateFormat, depth + 1);
            i += run;
            break;
        case 'H': {
            int hour = m_time.hour();
            if (twelveHourClockAfter(picture, i + run))
                hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
            number(hour, run >= 2 ? 2 : 1);
            i += run;
            break;
        }
        case 'N':
            number(m_time.minute(), run >= 2 ? 2 : 1);
            i += run;
            break;
        case 'S':
            number(m_time.second(), run >= 2 ? 2 : 1);
            i += run;
            break;
        case 'Z':
            number(m_time.msec(), run >= 3 ? 3 : 1);
            i += run;
            break;
        case 'T':
            append(run == 1 ? s.ShortTimeFormat : s.LongTimeFormat, depth + 1);
            i += run;
            break;
        case 'C':
            append(s.ShortDateFormat, depth + 1);
            if (m_time.hour() != 0 || m_time.minute() != 0 || m_time.second() != 0) {
                m_out += QLatin1Char(' ');
                append(s.LongTimeFormat, depth + 1);
            }
            ++i;
            break;
        case 'A':
            if (!appendDayPeriod(picture, i)) {
                m_out += c;
                ++i;
            }
            break;
        case '/':
            m_out += s.DateSeparator;
            ++i;
            break;
        case ':':
            m_out += s.TimeSeparator;
            ++i;
            break;
        case '\'':
        case '"': {
            const qsizetype end = picture.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? picture.size() : end;
            m_out += picture.mid(i + 1, stop - i - 1);
            i = stop + 1;
            break;
        }
        default:
            m_out += c;
            ++i;
            break;
        }
    }
}

} // namespace

QString FormatDateTime(const QString &picture, TDateTime value, const FormatSettings &settings)
{
    // Nothing sensible to show for a value that is no day at all.
    if (!std::isfinite(value) || value <= kFirstDay - 1 || value >= kLastDay)
        return {};
    return DateTimeWriter(value, settings).write(picture.isEmpty() ? QStringLiteral("c") : picture);
}

QString DateToStr(TDateTime value, const FormatSettings &settings)
{
    return FormatDateTime(QStringLiteral("ddddd"), value, settings);
}

QString TimeToStr(TDateTime value, const FormatSettings &settings)
{
    return FormatDateTime(QStringLiteral("tt"), value, settings);
}

QString DateTimeToStr(TDateTime value, const FormatSettings &settings)
{
    return FormatDateTime(QStringLiteral("c"), value, settings);
}
