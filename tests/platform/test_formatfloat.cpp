#include "format_test_util.h"
#include "platform/formatfloat.h"

#include <gtest/gtest.h>

TEST(FloatToStr, GeneralTextWithFifteenDigits)
{
    EXPECT_TEXT(FloatToStr(0), "0");
    EXPECT_TEXT(FloatToStr(-0.0), "0");
    EXPECT_TEXT(FloatToStr(1234.5), "1234,5");
    EXPECT_TEXT(FloatToStr(-1234.5), "-1234,5");
    EXPECT_TEXT(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_TEXT(FloatToStr(1.0 / 3), "0,333333333333333");
    EXPECT_TEXT(FloatToStr(2.0 / 3), "0,666666666666667");
    EXPECT_TEXT(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_TEXT(FloatToStr(1e15), "1E15");
    EXPECT_TEXT(FloatToStr(1234567890123456789.0), "1,23456789012346E18");
    EXPECT_TEXT(FloatToStr(1e20), "1E20");
    EXPECT_TEXT(FloatToStr(0.0001), "0,0001");
    EXPECT_TEXT(FloatToStr(0.00001), "1E-5");
    EXPECT_TEXT(FloatToStr(-1.5e-7), "-1,5E-7");
    EXPECT_TEXT(FloatToStr(1e300), "1E300");
}

TEST(FloatToStr, FormsOfFloatToStrF)
{
    EXPECT_TEXT(FloatToStrF(1234.5678, ffGeneral, 6, 0), "1234,57");
    EXPECT_TEXT(FloatToStrF(1234.5678, ffGeneral, 3, 2), "1,23E03");
    EXPECT_TEXT(FloatToStrF(1234.5, ffExponent, 4, 2), "1,235E+03");
    EXPECT_TEXT(FloatToStrF(-0.00012, ffExponent, 3, 0), "-1,20E-4");
    EXPECT_TEXT(FloatToStrF(0, ffExponent, 3, 2), "0,00E+00");
    EXPECT_TEXT(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234,57");
    EXPECT_TEXT(FloatToStrF(1234.5678, ffFixed, 6, 3), "1234,570");
    EXPECT_TEXT(FloatToStrF(123456.78, ffFixed, 4, 2), "1,235E5");
    EXPECT_TEXT(FloatToStrF(1234.5678, ffFixed, 4, 2), "1235,00");
    EXPECT_TEXT(FloatToStrF(0.5, ffFixed, 15, 0), "1");
    EXPECT_TEXT(FloatToStrF(-0.004, ffFixed, 15, 2), "0,00");
    EXPECT_TEXT(FloatToStrF(2.675, ffFixed, 15, 2), "2,68");
    EXPECT_TEXT(FloatToStrF(1e20, ffFixed, 15, 2), "1E20");
    EXPECT_TEXT(FloatToStrF(1234567.891, ffNumber, 15, 2), nb("1_234_567,89"));
    EXPECT_TEXT(FloatToStrF(-123.4, ffNumber, 15, 0), "-123");
    EXPECT_TEXT(FloatToStrF(1234.5, ffCurrency, 15, 2), nb("1_234,50 Kč"));
    EXPECT_TEXT(FloatToStrF(-1234.5, ffCurrency, 15, 2), nb("-1_234,50 Kč"));
    EXPECT_TEXT(FloatToStrF(-0.001, ffCurrency, 15, 2), "0,00 Kč");
}

TEST(FloatToStr, CurrencyPlacementsOfOtherSettings)
{
    FormatSettings s = czechFormatSettings();
    s.CurrencyString = "$";
    s.ThousandSeparator = QLatin1Char(',');
    s.DecimalSeparator = QLatin1Char('.');
    const char *positive[] = {"$1,234.50", "1,234.50$", "$ 1,234.50", "1,234.50 $"};
    for (int f = 0; f < 4; ++f) {
        s.CurrencyFormat = f;
        EXPECT_TEXT(FloatToStrF(1234.5, ffCurrency, 15, 2, s), positive[f]) << f;
    }
    const char *negative[] = {"($1.00)", "-$1.00",  "$-1.00",  "$1.00-",  "(1.00$)", "-1.00$",  "1.00-$",   "1.00$-",
                              "-1.00 $", "-$ 1.00", "1.00 $-", "$ 1.00-", "$ -1.00", "1.00- $", "($ 1.00)", "(1.00 $)"};
    for (int f = 0; f < 16; ++f) {
        s.NegCurrFormat = f;
        EXPECT_TEXT(FloatToStrF(-1, ffCurrency, 15, 2, s), negative[f]) << f;
    }
}
