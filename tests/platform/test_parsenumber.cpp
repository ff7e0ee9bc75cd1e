#include "format_test_util.h"
#include "platform/parsenumber.h"

#include <gtest/gtest.h>

TEST(StrToFloat, AcceptsCommaPointBlanksAndThousands)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1234,5"), 1234.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(StrToFloat("  -0,25 "), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat("+7"), 7);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5,"), 5);
    EXPECT_DOUBLE_EQ(StrToFloat(nb("1_234_567,89")), 1234567.89);
    EXPECT_DOUBLE_EQ(StrToFloat("1 234,5"), 1234.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-3"), 0.001);
    EXPECT_DOUBLE_EQ(StrToFloat("2.5E+2"), 250);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-400"), 0);
    EXPECT_EQ(StrToFloat("0.1"), 0.1);
    EXPECT_EQ(StrToFloat("2,675"), 2.675);
}

TEST(StrToFloat, RefusesWhatIsNotANumber)
{
    for (const char *bad : {"", " ", "abc", "1,2,3", "1.2.3", "1e", "e5", "-", "+", "12a", "1e400", "1  234", "1\t234",
                            "--1", "0x10", "inf", "nan", "1 ,5"}) {
        double value = 42;
        EXPECT_FALSE(TryStrToFloat(QString::fromUtf8(bad), value)) << bad;
        EXPECT_EQ(value, 42) << bad;
    }
    try {
        StrToFloat("abc");
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_TEXT(e.message(), "'abc' is not a valid floating point value");
    }
}

TEST(StrToFloat, ThousandSeparatorOfOtherSettingsIsNotADecimalMark)
{
    FormatSettings s = czechFormatSettings();
    s.DecimalSeparator = QLatin1Char('.');
    s.ThousandSeparator = QLatin1Char(',');
    EXPECT_DOUBLE_EQ(StrToFloat("1,234.5", s), 1234.5);
    double value = 0;
    EXPECT_FALSE(TryStrToFloat("1.234,5", value, s));
}

TEST(StrToInt, DecimalAndHexadecimal)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -17 "), -17);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<qint64>::max());
    int value = 7;
    for (const char *bad : {"", "2147483648", "-2147483649", "1,5", "12a", "$", "0x", "$G", "1 000"})
        EXPECT_FALSE(TryStrToInt(bad, value)) << bad;
    EXPECT_EQ(value, 7);
    qint64 wide = 0;
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", wide));
    try {
        StrToInt("x1");
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_TEXT(e.message(), "'x1' is not a valid integer value");
    }
}

TEST(StrToCurr, ExactMoneyFromText)
{
    EXPECT_EQ(StrToCurr("1234,5678"), Currency::fromRaw(12345678));
    EXPECT_EQ(StrToCurr(nb("-1_234,50")), Currency::fromRaw(-12345000));
    EXPECT_EQ(StrToCurr("0.1"), Currency::fromRaw(1000));
    EXPECT_EQ(StrToCurr("922337203685477,5807"), Currency::fromRaw(std::numeric_limits<qint64>::max()));
    EXPECT_EQ(StrToCurr("1,5E3"), Currency::fromInt(1500));
    Currency value;
    EXPECT_FALSE(TryStrToCurr("922337203685478", value));
    EXPECT_FALSE(TryStrToCurr("abc", value));
    EXPECT_FALSE(TryStrToCurr("1e30", value));
    EXPECT_THROW(StrToCurr("1,2,3"), ConvertError);
}
