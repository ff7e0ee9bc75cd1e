#include "format_test_util.h"
#include "platform/formatdate.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Tuesday 5 March 2024, 14:07:09.250
TDateTime sample()
{
    return DateTimeConv::encodeDate(2024, 3, 5) + DateTimeConv::encodeTime(14, 7, 9, 250);
}

struct DateCase
{
    const char *picture;
    const char *expected;
};

void expectAll(TDateTime value, std::initializer_list<DateCase> cases)
{
    for (const DateCase &c : cases)
        EXPECT_TEXT(FormatDateTime(QString::fromUtf8(c.picture), value), QString::fromUtf8(c.expected)) << c.picture;
}

} // namespace

TEST(FormatDateTime, DatePictureLetters)
{
    expectAll(sample(), {
                            {"d.m.yyyy", "5.3.2024"},
                            {"dd.mm.yyyy", "05.03.2024"},
                            {"yy", "24"},
                            {"y", "24"},
                            {"yyy", "2024"},
                            {"yyyy", "2024"},
                            {"ddd", "út"},
                            {"dddd", "úterý"},
                            {"ddddd", "5.3.2024"},
                            {"dddddd", "5. březen 2024"},
                            {"mmm", "bře"},
                            {"mmmm", "březen"},
                            {"MMMM", "březen"},
                            {"dd/mm/yy", "05.03.24"},
                            {"mm.dd.yy", "03.05.24"},
                            {"d mmm yyyy", "5 bře 2024"},
                            {"d mmmm yyyy", "5 březen 2024"},
                        });
    expectAll(DateTimeConv::encodeDate(2024, 3, 3), {{"dddd ddd", "neděle ne"}});
    expectAll(DateTimeConv::encodeDate(1999, 12, 31), {{"yy yyyy", "99 1999"}});
    expectAll(DateTimeConv::encodeDate(5, 1, 1), {{"yy yyyy", "05 0005"}});
}

TEST(FormatDateTime, TimePictureLetters)
{
    expectAll(sample(), {
                            {"h:nn:ss", "14:07:09"},
                            {"hh:mm", "14:07"},
                            {"h:m", "14:7"},
                            {"hh:nn:ss.zzz", "14:07:09.250"},
                            {"z", "250"},
                            {"n s", "7 9"},
                            {"t", "14:07"},
                            {"tt", "14:07:09"},
                            {"c", "5.3.2024 14:07:09"},
                            {"", "5.3.2024 14:07:09"},
                            {"h 'hod' m", "14 hod 7"},
                            {"hh d mm", "14 5 03"},
                            {"h:nn am/pm", "2:07 pm"},
                            {"h:nn AM/PM", "2:07 PM"},
                            {"h a/p", "2 p"},
                            {"h A/P", "2 P"},
                            {"h ampm", "2 odp."},
                            {"h:nn", "14:07"},
                            {"hh \"am/pm\"", "14 am/pm"},
                        });
    const TDateTime early = DateTimeConv::encodeDate(2024, 3, 5) + DateTimeConv::encodeTime(0, 5, 0, 5);
    expectAll(early, {{"h am/pm", "12 am"}, {"hh", "00"}, {"h", "0"}, {"z zzz", "5 005"}, {"h ampm", "12 dop."}});
    const TDateTime noon = DateTimeConv::encodeTime(12, 0, 0, 0);
    expectAll(noon, {{"h a/p", "12 p"}});
}

TEST(FormatDateTime, SeparatorsLiteralsAndStandardTexts)
{
    expectAll(sample(), {
                            {"'den' d", "den 5"},
                            {"\"h\" h", "h 14"},
                            {"x-e-g", "x-e-g"},
                            {"d' unterminated", "5 unterminated"},
                            {"[hh]", "[14]"},
                        });
    FormatSettings s = czechFormatSettings();
    s.DateSeparator = QLatin1Char('/');
    s.TimeSeparator = QLatin1Char('.');
    EXPECT_TEXT(FormatDateTime("dd/mm/yyyy hh:nn", sample(), s), "05/03/2024 14.07");

    const TDateTime midnight = DateTimeConv::encodeDate(2024, 3, 5);
    EXPECT_TEXT(DateToStr(sample()), "5.3.2024");
    EXPECT_TEXT(TimeToStr(sample()), "14:07:09");
    EXPECT_TEXT(DateTimeToStr(sample()), "5.3.2024 14:07:09");
    EXPECT_TEXT(DateTimeToStr(midnight), "5.3.2024");
    EXPECT_TEXT(TimeToStr(midnight), "0:00:00");
    // Before the epoch the fraction is still the time of day.
    EXPECT_TEXT(DateTimeToStr(-1.25), "29.12.1899 6:00:00");
    EXPECT_TEXT(DateToStr(0), "30.12.1899");
    EXPECT_TEXT(DateToStr(DateTimeConv::encodeDate(1, 1, 1)), "1.1.0001");
    EXPECT_TEXT(DateToStr(DateTimeConv::encodeDate(9999, 12, 31) + 0.99), "31.12.9999");
    EXPECT_TEXT(DateToStr(1e300), "");
    EXPECT_TEXT(DateToStr(std::nan("")), "");
    EXPECT_TEXT(DateToStr(DateTimeConv::encodeDate(1, 1, 1) - 1), "");
}
