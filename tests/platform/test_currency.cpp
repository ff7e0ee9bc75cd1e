#include "platform/currency.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
Currency raw(int64_t v)
{
    return Currency::fromRaw(v);
}
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
} // namespace

TEST(Currency, FromDoubleRoundsHalfToEven)
{
    EXPECT_EQ(Currency::fromDouble(12.34).raw(), 123400);
    EXPECT_EQ(Currency::fromDouble(-0.1).raw(), -1000);
    // 1/32 and 3/32 are exact binary fractions lying on a half ten-thousandth.
    EXPECT_EQ(Currency::fromDouble(0.03125).raw(), 312);
    EXPECT_EQ(Currency::fromDouble(0.09375).raw(), 938);
    EXPECT_EQ(Currency::fromDouble(-0.03125).raw(), -312);
    // The closest double to 0.00005 lies above the half, so it rounds up.
    EXPECT_EQ(Currency::fromDouble(0.00005).raw(), 1);
    EXPECT_DOUBLE_EQ(raw(-123456).toDouble(), -12.3456);
}

TEST(Currency, FromDoubleRejectsWhatDoesNotFit)
{
    EXPECT_THROW(Currency::fromDouble(1e15), CurrencyOverflow);
    EXPECT_THROW(Currency::fromDouble(-1e15), CurrencyOverflow);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), CurrencyOverflow);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::infinity()), CurrencyOverflow);
    EXPECT_EQ(Currency::fromDouble(9e14).raw(), int64_t(9e18));
    EXPECT_THROW(Currency::fromInt(kMax / 10000 + 1), CurrencyOverflow);
    EXPECT_EQ(Currency::fromInt(-922337203685477).raw(), -9223372036854770000);
}

TEST(Currency, ParsesPlainAndCzechText)
{
    EXPECT_EQ(Currency::parse(u"1234.5"), raw(12345000));
    EXPECT_EQ(Currency::parse(u"1 234,50"), raw(12345000));
    EXPECT_EQ(Currency::parse(u"1\u00A0234\u00A0567,5"), raw(12345675000));
    EXPECT_EQ(Currency::parse(u"  -0,25 "), raw(-2500));
    EXPECT_EQ(Currency::parse(u"+7"), raw(70000));
    EXPECT_EQ(Currency::parse(u",5"), raw(5000));
    EXPECT_EQ(Currency::parse(u"3."), raw(30000));
    EXPECT_EQ(Currency::parse(u"-922337203685477.5808"), raw(kMin));
    EXPECT_EQ(Currency::parse(u"922337203685477.5807"), raw(kMax));
}

TEST(Currency, ParseRoundsExtraDecimalsHalfToEven)
{
    EXPECT_EQ(Currency::parse(u"0.00005"), raw(0));
    EXPECT_EQ(Currency::parse(u"0.00015"), raw(2));
    EXPECT_EQ(Currency::parse(u"0.000050001"), raw(1));
    EXPECT_EQ(Currency::parse(u"-0.00015"), raw(-2));
    EXPECT_EQ(Currency::parse(u"1.23456"), raw(12346));
}

TEST(Currency, ParseRejectsGarbageAndOverflow)
{
    for (const char16_t *bad : {u"", u" ", u"-", u".", u"1,2,3", u"1.2.3", u"12a", u"a12", u"1  000", u"1 ,5", u"--1",
                                u"1e3", u"922337203685477.5808", u"99999999999999999999"})
        EXPECT_FALSE(Currency::parse(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(Currency::parse(u" 1 "), raw(10000));
    EXPECT_THROW(Currency::fromString(u"x"), std::invalid_argument);
}

TEST(Currency, ToStringIsShortestPlainText)
{
    EXPECT_EQ(raw(0).toString(), "0");
    EXPECT_EQ(raw(12345000).toString(), "1234.5");
    EXPECT_EQ(raw(-1).toString(), "-0.0001");
    EXPECT_EQ(raw(-10000).toString(), "-1");
    EXPECT_EQ(raw(10203).toString(), "1.0203");
    EXPECT_EQ(raw(kMin).toString(), "-922337203685477.5808");
    EXPECT_EQ(raw(kMax).toString(), "922337203685477.5807");
    for (int64_t v : {int64_t(0), int64_t(5), int64_t(-99999), int64_t(123456789), kMin, kMax})
        EXPECT_EQ(Currency::parse(raw(v).toString()), raw(v));
}

TEST(Currency, ArithmeticIsExactAndRoundsHalfToEven)
{
    EXPECT_EQ(raw(1) + raw(2), raw(3));
    EXPECT_EQ(raw(1) - raw(2), raw(-1));
    EXPECT_EQ(raw(12345) * 3, raw(37035));
    EXPECT_EQ(3 * raw(12345), raw(37035));
    // 1.5 * 2.5 = 3.75; 0.0001 * 0.5 = 0.00005 -> 0; 0.0003 * 0.5 = 0.00015 -> 0.0002.
    EXPECT_EQ(raw(15000) * raw(25000), raw(37500));
    EXPECT_EQ(raw(1) * raw(5000), raw(0));
    EXPECT_EQ(raw(3) * raw(5000), raw(2));
    EXPECT_EQ(raw(-3) * raw(5000), raw(-2));
    EXPECT_EQ(raw(100000) / 3, raw(33333));
    EXPECT_EQ(raw(5) / 2, raw(2));
    EXPECT_EQ(raw(7) / 2, raw(4));
    EXPECT_EQ(raw(-7) / 2, raw(-4));
    EXPECT_EQ(raw(10000) / raw(30000), raw(3333));
    EXPECT_EQ(raw(20000) / raw(-30000), raw(-6667));
    EXPECT_EQ(raw(-25000).abs(), raw(25000));
    EXPECT_EQ(-raw(5), raw(-5));
    EXPECT_EQ(raw(25000).roundUnits(), 2);
    EXPECT_EQ(raw(35000).roundUnits(), 4);
    EXPECT_EQ(raw(-25001).roundUnits(), -3);
    EXPECT_EQ(raw(-29999).truncUnits(), -2);
}

TEST(Currency, OverflowAndDivisionByZeroAreErrors)
{
    EXPECT_THROW(raw(kMax) + raw(1), CurrencyOverflow);
    EXPECT_THROW(raw(kMin) - raw(1), CurrencyOverflow);
    EXPECT_THROW(-raw(kMin), CurrencyOverflow);
    EXPECT_THROW(raw(kMin).abs(), CurrencyOverflow);
    EXPECT_THROW(raw(kMax) * 2, CurrencyOverflow);
    EXPECT_THROW(raw(kMax) * raw(20000), CurrencyOverflow);
    EXPECT_THROW(raw(kMax) / raw(5000), CurrencyOverflow);
    EXPECT_THROW(raw(kMin) / -1, CurrencyOverflow);
    EXPECT_THROW(raw(1) / 0, CurrencyDivisionByZero);
    EXPECT_THROW(raw(1) / raw(0), CurrencyDivisionByZero);
    // A large product whose true result fits is not an overflow.
    EXPECT_EQ(raw(kMax) * raw(10000), raw(kMax));
    const std::overflow_error &asStd = CurrencyOverflow("x");
    EXPECT_STREQ(asStd.what(), "x");
}

TEST(Currency, ComparesByValue)
{
    EXPECT_LT(raw(-1), raw(0));
    EXPECT_GT(raw(10000), raw(9999));
    EXPECT_EQ(Currency::fromInt(2), raw(20000));
    EXPECT_TRUE(Currency().isZero());
    EXPECT_TRUE(raw(-1).isNegative());
}
