#include "platform/variant.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace {
using Type = Variant::Type;
const Variant kNull = Variant::null();
Currency money(const char16_t *text)
{
    return Currency::fromString(text);
}

std::string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const VariantError &e) {
        return e.what();
    }
    return "no error";
}
} // namespace

TEST(Variant, UnassignedAndNullAreDistinct)
{
    const Variant none;
    EXPECT_EQ(none.type(), Type::Unassigned);
    EXPECT_TRUE(none.isUnassigned());
    EXPECT_FALSE(none.isNull());
    EXPECT_TRUE(kNull.isNull());
    EXPECT_FALSE(kNull.isUnassigned());
    EXPECT_TRUE(none.isEmpty() && kNull.isEmpty());
    EXPECT_NE(none, kNull);
    EXPECT_FALSE(Variant(0).isEmpty());
    EXPECT_FALSE(Variant("").isEmpty());
    // Unassigned converts to zero values; Null only to empty text.
    EXPECT_EQ(none.toInt(), 0);
    EXPECT_EQ(none.toDouble(), 0.0);
    EXPECT_FALSE(none.toBool());
    EXPECT_EQ(none.toString(), "");
    EXPECT_EQ(kNull.toString(), "");
    EXPECT_THROW(kNull.toInt(), VariantError);
    EXPECT_THROW(kNull.toDouble(), VariantError);
    EXPECT_THROW(kNull.toCurrency(), VariantError);
    EXPECT_THROW(kNull.toBool(), VariantError);
}

TEST(Variant, ConstructorsPickTheKind)
{
    EXPECT_EQ(Variant(5).type(), Type::Int);
    EXPECT_EQ(Variant(qint64(5)).type(), Type::Int);
    EXPECT_EQ(Variant(int64_t(5)).type(), Type::Int);
    EXPECT_EQ(Variant(short(5)).type(), Type::Int);
    EXPECT_EQ(Variant(std::numeric_limits<quint64>::max()).type(), Type::Double);
    EXPECT_EQ(Variant(5.0).type(), Type::Double);
    EXPECT_EQ(Variant(true).type(), Type::Bool);
    EXPECT_EQ(Variant("a").type(), Type::String);
    EXPECT_EQ(Variant(QString("a")).type(), Type::String);
    EXPECT_EQ(Variant(Currency::fromInt(1)).type(), Type::Currency);
    EXPECT_EQ(Variant::fromDateTime(2.5).type(), Type::DateTime);
    EXPECT_THROW(Variant(5).stringValue(), VariantError);
}

TEST(Variant, NumericTextTakesEitherDecimalMark)
{
    EXPECT_DOUBLE_EQ(Variant("1,5").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(Variant(" 1.5 ").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(Variant("-,25").toDouble(), -0.25);
    EXPECT_DOUBLE_EQ(Variant("1,5E3").toDouble(), 1500);
    EXPECT_EQ(Variant("42").toInt(), 42);
    EXPECT_EQ(Variant("-9223372036854775808").toInt(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(Variant("0,1").toCurrency(), money(u"0.1"));
    EXPECT_EQ(Variant("1 234,50").toCurrency(), money(u"1234.5"));
    EXPECT_EQ(Variant("1E2").toCurrency(), Currency::fromInt(100));
    for (const char *bad : {"", "abc", "1,2,3", "1.5x", "e5", "1e", "--1"})
        EXPECT_THROW(Variant(bad).toDouble(), VariantError) << bad;
    EXPECT_EQ(errorOf([] { Variant("abc").toDouble(); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(errorOf([] { kNull.toInt(); }), "Could not convert variant of type (Null) into type (Int64)");
}

TEST(Variant, RealsRoundHalfToEvenIntoIntegers)
{
    EXPECT_EQ(Variant(2.5).toInt(), 2);
    EXPECT_EQ(Variant(3.5).toInt(), 4);
    EXPECT_EQ(Variant(-2.5).toInt(), -2);
    EXPECT_EQ(Variant(2.51).toInt(), 3);
    EXPECT_EQ(Variant("12,5").toInt(), 12);
    EXPECT_EQ(Variant(money(u"7.5")).toInt(), 8);
    EXPECT_THROW(Variant(1e300).toInt(), VariantError);
    EXPECT_THROW(Variant(1e300).toCurrency(), VariantError);
}

TEST(Variant, NumbersBecomeTextWithADecimalComma)
{
    EXPECT_EQ(Variant(12.5).toString(), "12,5");
    EXPECT_EQ(Variant(123.0).toString(), "123");
    EXPECT_EQ(Variant(-0.1).toString(), "-0,1");
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), "0,3"); // 15 significant digits
    EXPECT_EQ(Variant(1.0 / 3).toString(), "0,333333333333333");
    EXPECT_EQ(Variant(0.0001).toString(), "0,0001");
    EXPECT_EQ(Variant(0.00001).toString(), "1E-5");
    EXPECT_EQ(Variant(123456789012345.0).toString(), "123456789012345");
    EXPECT_EQ(Variant(1e15).toString(), "1E15");
    EXPECT_EQ(Variant(-1.5e20).toString(), "-1,5E20");
    EXPECT_EQ(Variant(999999999999999.9).toString(), "1E15"); // rounding carries into the exponent
    EXPECT_EQ(Variant(std::numeric_limits<double>::infinity()).toString(), "INF");
    EXPECT_EQ(Variant(qint64(-42)).toString(), "-42");
    EXPECT_EQ(Variant(money(u"-1234.5")).toString(), "-1234,5");
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant(false).toString(), "False");
    for (double v : {12.5, -0.001, 1e-7, 123456.789, 6.02e23})
        EXPECT_DOUBLE_EQ(Variant(Variant(v).toString()).toDouble(), v);
}

TEST(Variant, BooleansAndText)
{
    EXPECT_TRUE(Variant("True").toBool());
    EXPECT_TRUE(Variant("true").toBool());
    EXPECT_FALSE(Variant("FALSE").toBool());
    EXPECT_TRUE(Variant("2").toBool());
    EXPECT_FALSE(Variant("0,0").toBool());
    EXPECT_THROW(Variant("ano").toBool(), VariantError);
    EXPECT_EQ(Variant(true).toInt(), -1);
    EXPECT_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_TRUE(Variant(0.5).toBool());
    EXPECT_FALSE(Variant(0).toBool());
}

TEST(Variant, DatesAsDayNumbersAndCzechText)
{
    const TDateTime day = DateTimeConv::encodeDate(2026, 12, 6);
    const Variant date = Variant::fromDateTime(day);
    EXPECT_EQ(date.toString(), "6.12.2026");
    EXPECT_EQ(Variant::fromDateTime(day + DateTimeConv::encodeTime(9, 5, 3, 0)).toString(), "6.12.2026 9:05:03");
    EXPECT_DOUBLE_EQ(date.toDouble(), day);
    EXPECT_DOUBLE_EQ(Variant("6.12.2026").toDateTime(), day);
    EXPECT_DOUBLE_EQ(Variant("06.12.26").toDateTime(), day);
    EXPECT_DOUBLE_EQ(Variant("6.12.2026 12:00").toDateTime(), day + 0.5);
    EXPECT_DOUBLE_EQ(Variant("18:00:00").toDateTime(), 0.75);
    EXPECT_DOUBLE_EQ(Variant("2,5").toDateTime(), 2.5);
    EXPECT_THROW(Variant("31.2.2026").toDateTime(), VariantError);
    EXPECT_THROW(Variant("6.12.202612:00").toDateTime(), VariantError);
    EXPECT_THROW(Variant("25:00").toDateTime(), VariantError);
    EXPECT_THROW(Variant(true).toDateTime(), VariantError);
}

TEST(Variant, ArithmeticPropagatesNull)
{
    for (const Variant &other : {Variant(1), Variant(2.5), Variant("x"), Variant(), kNull}) {
        EXPECT_TRUE((kNull + other).isNull());
        EXPECT_TRUE((other - kNull).isNull());
        EXPECT_TRUE((kNull * other).isNull());
        EXPECT_TRUE((other / kNull).isNull());
    }
    EXPECT_TRUE((-kNull).isNull());
    EXPECT_TRUE(Variant::mod(kNull, 3).isNull());
    EXPECT_TRUE(Variant::intDiv(7, kNull).isNull());
}

TEST(Variant, ArithmeticFollowsTheKinds)
{
    EXPECT_EQ(Variant(2) + Variant(3), Variant(5));
    EXPECT_EQ(Variant(7) / Variant(2), Variant(3.5));
    EXPECT_EQ(Variant::intDiv(7, 2), Variant(3));
    EXPECT_EQ(Variant::mod(-7, 3), Variant(-1));
    EXPECT_EQ(Variant(2) * Variant(1.5), Variant(3.0));
    EXPECT_EQ(Variant("a") + Variant("b"), Variant("ab"));
    EXPECT_EQ(Variant() + Variant("b"), Variant("b"));
    EXPECT_EQ(Variant() + Variant(4), Variant(4));
    EXPECT_TRUE((Variant() + Variant()).isUnassigned());
    // Text next to a number is read as a number.
    EXPECT_EQ(Variant("1,5") + Variant(1), Variant(2.5));
    EXPECT_EQ(Variant(10) - Variant("4"), Variant(6.0));
    EXPECT_THROW(Variant("x") + Variant(1), VariantError);
    // Money stays exact.
    EXPECT_EQ(Variant(money(u"0.1")) + Variant(money(u"0.2")), Variant(money(u"0.3")));
    EXPECT_EQ(Variant(money(u"1.25")) * Variant(3), Variant(money(u"3.75")));
    EXPECT_EQ(Variant(money(u"10")) / Variant(3), Variant(money(u"3.3333")));
    EXPECT_EQ(Variant(money(u"1.5")) * Variant(money(u"1.5")), Variant(money(u"2.25")));
    EXPECT_EQ(Variant(money(u"1")) * Variant(0.5), Variant(0.5));
    // Dates move by numbers; two dates give their distance.
    const Variant day = Variant::fromDateTime(100);
    EXPECT_EQ(day + Variant(1), Variant::fromDateTime(101));
    EXPECT_EQ(day - Variant(0.5), Variant::fromDateTime(99.5));
    EXPECT_EQ(day - Variant::fromDateTime(90), Variant(10.0));
    EXPECT_EQ(-Variant(3), Variant(-3));
    EXPECT_EQ(-Variant("2,5"), Variant(-2.5));
    EXPECT_EQ(-Variant(true), Variant(1));
}

TEST(Variant, ArithmeticNeverWraps)
{
    const qint64 max = std::numeric_limits<qint64>::max();
    EXPECT_EQ(Variant(max) + Variant(1), Variant(double(max) + 1));
    EXPECT_EQ(Variant(max) * Variant(2), Variant(double(max) * 2));
    EXPECT_EQ(-Variant(std::numeric_limits<qint64>::min()), Variant(-double(std::numeric_limits<qint64>::min())));
    EXPECT_THROW(Variant(Currency::fromRaw(max)) + Variant(Currency::fromRaw(1)), VariantError);
    EXPECT_THROW(Variant::intDiv(std::numeric_limits<qint64>::min(), -1), VariantError);
    EXPECT_EQ(Variant::mod(std::numeric_limits<qint64>::min(), -1), Variant(0));
    EXPECT_THROW(Variant(1) / Variant(0), VariantError);
    EXPECT_THROW(Variant(1.5) / Variant(0.0), VariantError);
    EXPECT_THROW(Variant(money(u"1")) / Variant(0), VariantError);
    EXPECT_THROW(Variant::mod(1, 0), VariantError);
    EXPECT_EQ(errorOf([] { Variant(1) / Variant(0); }), "Division by zero");
}

TEST(Variant, ComparesAcrossKinds)
{
    EXPECT_EQ(Variant::compare(1, 2), -1);
    EXPECT_EQ(Variant::compare(2.0, 2), 0);
    EXPECT_EQ(Variant::compare(Variant(money(u"0.1")), 0.1), 0);
    EXPECT_EQ(Variant::compare(Variant(money(u"2")), 2), 0);
    // Large integers compare exactly, not through reals.
    EXPECT_EQ(Variant::compare(qint64(9007199254740993), qint64(9007199254740992)), 1);
    EXPECT_EQ(Variant::compare(Variant(Currency::fromRaw(1)), 0), 1);
    EXPECT_EQ(Variant::compare("10", 9), 1); // numeric text against a number
    EXPECT_EQ(Variant::compare(9, "1,5E1"), -1);
    EXPECT_EQ(Variant::compare("10", "9"), -1); // two texts compare as text
    EXPECT_EQ(Variant::compare("a", "B"), 1);   // case matters
    EXPECT_EQ(Variant::compare("abc", "abc"), 0);
    EXPECT_EQ(Variant::compare(true, false), 1);
    EXPECT_EQ(Variant::compare(true, "True"), 0);
    EXPECT_EQ(Variant::compare(Variant::fromDateTime(5), 4.5), 1);
    EXPECT_THROW(Variant::compare("x", 1), VariantError);
    // Absent values come first, Null before Unassigned.
    EXPECT_EQ(Variant::compare(kNull, kNull), 0);
    EXPECT_EQ(Variant::compare(Variant(), Variant()), 0);
    EXPECT_EQ(Variant::compare(kNull, Variant()), -1);
    EXPECT_EQ(Variant::compare(Variant(), -1000), -1);
    EXPECT_EQ(Variant::compare("", kNull), 1);
}

TEST(Variant, QVariantRoundTrip)
{
    const Variant values[] = {Variant(),
                              kNull,
                              Variant(7),
                              Variant(2.5),
                              Variant(money(u"1.2345")),
                              Variant(true),
                              Variant("žluť"),
                              Variant::fromDateTime(DateTimeConv::encodeDate(2026, 1, 2) + 0.25)};
    for (const Variant &v : values)
        EXPECT_EQ(Variant::fromQVariant(v.toQVariant()), v) << v.toString().toStdString();
    EXPECT_FALSE(Variant().toQVariant().isValid());
    EXPECT_TRUE(kNull.toQVariant().isNull());
    EXPECT_EQ(Variant::fromQVariant(QVariant(uint(4))), Variant(4));
    EXPECT_EQ(Variant::fromQVariant(QVariant(QDate(1899, 12, 31))), Variant::fromDateTime(1));
    EXPECT_EQ(Variant::fromQVariant(QVariant(QByteArray("abc"))), Variant("abc"));
    EXPECT_EQ(Variant(money(u"1.5")).toQVariant().value<Currency>(), money(u"1.5"));
}

TEST(Variant, PrintsItsKindAndValue)
{
    std::ostringstream out;
    out << Variant(42) << '|' << Variant("a") << '|' << kNull << '|' << Variant(money(u"1.5"));
    EXPECT_EQ(out.str(), "Int64 42|String 'a'|Null|Currency 1,5");
}
