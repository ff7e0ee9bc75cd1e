#include "format_test_util.h"
#include "platform/formatcurr.h"

#include <gtest/gtest.h>
#include <limits>

TEST(FormatCurr, PicturesOnExactMoney)
{
    EXPECT_TEXT(FormatCurr(",0.00 ", Currency::fromRaw(12345000)), nb("1_234,50 "));
    EXPECT_TEXT(FormatCurr(",0.00 ", Currency::fromRaw(26750)), nb("2,68 "));
    EXPECT_TEXT(FormatCurr(",0.00 ", Currency::fromRaw(-26750)), nb("-2,68 "));
    EXPECT_TEXT(FormatCurr(",0.00 ", Currency::fromRaw(-49)), "0,00 ");
    EXPECT_TEXT(FormatCurr(",0.00 ", Currency::fromRaw(-50)), "-0,01 ");
    EXPECT_TEXT(FormatCurr(",0.###", Currency::fromRaw(15)), "0,002");
    EXPECT_TEXT(FormatCurr("0.00;(0.00);nic", Currency()), "nic");
    EXPECT_TEXT(FormatCurr(",0.0000", Currency::fromRaw(std::numeric_limits<qint64>::max())),
                nb("922_337_203_685_477,5807"));
    EXPECT_TEXT(FormatCurr(",0.00", Currency::fromRaw(std::numeric_limits<qint64>::min())),
                nb("-922_337_203_685_477,58"));
    EXPECT_TEXT(FormatCurr("", Currency::fromRaw(-12345)), "-1,2345");
}

TEST(FormatCurr, GeneralAndFixedText)
{
    EXPECT_TEXT(CurrToStr(Currency()), "0");
    EXPECT_TEXT(CurrToStr(Currency::fromRaw(12345000)), "1234,5");
    EXPECT_TEXT(CurrToStr(Currency::fromRaw(-1)), "-0,0001");
    EXPECT_TEXT(CurrToStr(Currency::fromRaw(std::numeric_limits<qint64>::max())), "922337203685477,5807");
    EXPECT_TEXT(CurrToStrF(Currency::fromRaw(12345000), ffCurrency, 2), nb("1_234,50 Kč"));
    EXPECT_TEXT(CurrToStrF(Currency::fromRaw(-12345000), ffCurrency, 2), nb("-1_234,50 Kč"));
    EXPECT_TEXT(CurrToStrF(Currency::fromRaw(12345), ffFixed, 2), "1,23");
    EXPECT_TEXT(CurrToStrF(Currency::fromRaw(12355), ffFixed, 3), "1,236");
    EXPECT_TEXT(CurrToStrF(Currency::fromRaw(10000000000), ffNumber, 0), nb("1_000_000"));
}
