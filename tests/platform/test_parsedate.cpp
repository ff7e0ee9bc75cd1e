#include "format_test_util.h"
#include "platform/formatdate.h"
#include "platform/parsedate.h"

#include <gtest/gtest.h>

namespace {

const DateTextReader reader2026(czechFormatSettings(), 2026);

QString readDate(const char *text)
{
    TDateTime value = 0;
    if (!reader2026.readDate(QString::fromUtf8(text), value))
        return QStringLiteral("(refused)");
    return FormatDateTime("d.m.yyyy", value);
}

QString readTime(const char *text)
{
    TDateTime value = 0;
    if (!reader2026.readTime(QString::fromUtf8(text), value))
        return QStringLiteral("(refused)");
    return FormatDateTime("h:nn:ss.zzz", value);
}

QString readDateTime(const char *text)
{
    TDateTime value = 0;
    if (!reader2026.readDateTime(QString::fromUtf8(text), value))
        return QStringLiteral("(refused)");
    return FormatDateTime("d.m.yyyy h:nn:ss", value);
}

} // namespace

TEST(StrToDate, DayMonthYearTexts)
{
    EXPECT_TEXT(readDate("5.3.2024"), "5.3.2024");
    EXPECT_TEXT(readDate("05.03.2024"), "5.3.2024");
    EXPECT_TEXT(readDate(" 5. 3. 2024 "), "5.3.2024");
    EXPECT_TEXT(readDate("5.3."), "5.3.2026");
    EXPECT_TEXT(readDate("5.3"), "5.3.2026");
    EXPECT_TEXT(readDate("29.2.2024"), "29.2.2024");
    EXPECT_TEXT(readDate("1.1.1"), "1.1.2001");
    EXPECT_TEXT(readDate("1.1.0001"), "1.1.0001");
    EXPECT_TEXT(readDate("31.12.9999"), "31.12.9999");
    for (const char *bad : {"", "5", "5.", "29.2.2023", "31.4.2024", "0.1.2024", "1.13.2024", "1.1.10000", "5.3.2024x",
                            "5-3-2024", "a.b.c", "5..2024", "5.3.2024.1"})
        EXPECT_TEXT(readDate(bad), "(refused)") << bad;
}

TEST(StrToDate, TwoDigitYearsFallInTheWindow)
{
    // Window 50 in 2026: 1976 up to 2075.
    EXPECT_TEXT(readDate("1.1.76"), "1.1.1976");
    EXPECT_TEXT(readDate("1.1.75"), "1.1.2075");
    EXPECT_TEXT(readDate("1.1.24"), "1.1.2024");
    EXPECT_TEXT(readDate("1.1.00"), "1.1.2000");
    EXPECT_TEXT(readDate("1.1.99"), "1.1.1999");
    // Three digits are a year as written.
    EXPECT_TEXT(readDate("1.1.099"), "1.1.0099");
    FormatSettings noWindow = czechFormatSettings();
    noWindow.TwoDigitYearCenturyWindow = 0;
    TDateTime value = 0;
    ASSERT_TRUE(DateTextReader(noWindow, 2026).readDate("1.1.99", value));
    EXPECT_TEXT(DateToStr(value), "1.1.2099");
}

TEST(StrToDate, OtherOrdersOfTheShortDate)
{
    FormatSettings s = czechFormatSettings();
    s.ShortDateFormat = "yyyy-mm-dd";
    s.DateSeparator = QLatin1Char('-');
    TDateTime value = 0;
    ASSERT_TRUE(DateTextReader(s, 2026).readDate("2024-03-05", value));
    EXPECT_TEXT(DateToStr(value), "5.3.2024");
    s.ShortDateFormat = "m/d/yyyy";
    s.DateSeparator = QLatin1Char('/');
    ASSERT_TRUE(DateTextReader(s, 2026).readDate("3/5/2024", value));
    EXPECT_TEXT(DateToStr(value), "5.3.2024");
}

TEST(StrToTime, HoursMinutesSecondsAndDayPeriods)
{
    EXPECT_TEXT(readTime("14:07"), "14:07:00.000");
    EXPECT_TEXT(readTime("14:07:09"), "14:07:09.000");
    EXPECT_TEXT(readTime("14:07:09,25"), "14:07:09.250");
    EXPECT_TEXT(readTime("14:07:09.005"), "14:07:09.005");
    EXPECT_TEXT(readTime("14"), "14:00:00.000");
    EXPECT_TEXT(readTime(" 0:00 "), "0:00:00.000");
    EXPECT_TEXT(readTime("23:59:59"), "23:59:59.000");
    EXPECT_TEXT(readTime("2:07 odp."), "14:07:00.000");
    EXPECT_TEXT(readTime("2:07 PM"), "14:07:00.000");
    EXPECT_TEXT(readTime("12:30 am"), "0:30:00.000");
    EXPECT_TEXT(readTime("12:30 pm"), "12:30:00.000");
    EXPECT_TEXT(readTime("dop. 9:15"), "9:15:00.000");
    for (const char *bad :
         {"", "24:00", "12:60", "12:00:60", "13:00 pm", "0:30 am", "12:", "12:3x", ":30", "12:00:00,1234", "abc"})
        EXPECT_TEXT(readTime(bad), "(refused)") << bad;
}

TEST(StrToDateTime, DateWithOptionalTimeOrTimeAlone)
{
    EXPECT_TEXT(readDateTime("5.3.2024 14:07:09"), "5.3.2024 14:07:09");
    EXPECT_TEXT(readDateTime("5.3.2024"), "5.3.2024 0:00:00");
    EXPECT_TEXT(readDateTime("5.3. 14:30"), "5.3.2026 14:30:00");
    EXPECT_TEXT(readDateTime("14:30"), "30.12.1899 14:30:00");
    EXPECT_TEXT(readDateTime("5.3.2024 25:00"), "(refused)");
    EXPECT_TEXT(readDateTime("29.12.1899 6:00"), "29.12.1899 6:00:00");
    TDateTime value = 0;
    ASSERT_TRUE(TryStrToDateTime("29.12.1899 6:00", value));
    EXPECT_DOUBLE_EQ(value, -1.25);
}

TEST(StrToDate, RoundTripsAndMessages)
{
    const TDateTime when = DateTimeConv::encodeDate(2024, 3, 5) + DateTimeConv::encodeTime(14, 7, 9, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(when)), when);
    EXPECT_DOUBLE_EQ(StrToDate(DateToStr(when)), DateTimeConv::encodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToTime(TimeToStr(when)), DateTimeConv::encodeTime(14, 7, 9, 0));
    auto messageOf = [](auto &&call) {
        try {
            call();
        } catch (const ConvertError &e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_TEXT(messageOf([] { StrToDate("32.1.2024"); }), "'32.1.2024' is not a valid date");
    EXPECT_TEXT(messageOf([] { StrToTime("25:00"); }), "'25:00' is not a valid time");
    EXPECT_TEXT(messageOf([] { StrToDateTime("x"); }), "'x' is not a valid date and time");
}
