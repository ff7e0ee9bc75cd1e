#include "common/test_connection.h"
#include "platform/db/dataset.h"
#include "platform/db/snapshot.h"

using namespace Db;

namespace {
std::optional<Currency> money(const char *text)
{
    return TextForm::parseCurrency(text, int(qstrlen(text)));
}
std::optional<TDateTime> when(const char *text)
{
    return TextForm::parseDateTime(text, int(qstrlen(text)));
}
} // namespace

TEST(TextForms, MoneyFromTheServersNumericText)
{
    EXPECT_EQ(money("12.5"), Currency::fromRaw(125000));
    EXPECT_EQ(money("-0.0001"), Currency::fromRaw(-1));
    EXPECT_EQ(money("100"), Currency::fromInt(100));
    EXPECT_EQ(money("0.00005"), Currency::fromRaw(0)); // more decimals round half to even
    EXPECT_EQ(money("0.00015"), Currency::fromRaw(2));
    EXPECT_EQ(money("922337203685477.5807"), Currency::fromRaw(9223372036854775807LL));
    EXPECT_FALSE(money("NaN").has_value());
    // Beyond the money range: refused, never wrapped round to a negative amount.
    EXPECT_FALSE(money("922337203685477.5808").has_value());
    EXPECT_FALSE(money("999999999999999.9999").has_value());
    EXPECT_FALSE(money("-999999999999999").has_value());
    EXPECT_EQ(QString::fromLatin1(TextForm::ofCurrency(Currency::fromRaw(-12345))), QStringLiteral("-1.2345"));
}

TEST(TextForms, TimestampsDatesAndTimes)
{
    EXPECT_EQ(DateTimeConv::toQDateTime(*when("2024-03-05 14:07:09.5")),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 500)));
    EXPECT_DOUBLE_EQ(*when("1899-12-30"), 0.0);
    EXPECT_DOUBLE_EQ(*when("1899-12-29 06:00:00"), -1.25); // before the epoch the time still counts forward
    EXPECT_DOUBLE_EQ(*when("12:00:00"), 0.5);
    EXPECT_FALSE(when("infinity").has_value());
    const TDateTime value = DateTimeConv::fromQDateTime(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5, 6)));
    EXPECT_EQ(TextForm::ofDateTime(value), QByteArrayLiteral("2024-01-02 03:04:05.006"));
}

TEST_F(LiveDatabaseTest, FieldsReadAndWriteThroughVariants)
{
    run(QStringLiteral("CREATE TABLE v (id integer PRIMARY KEY, t text, m numeric(19,4), f float8, b boolean, "
                       "d timestamp(3)); INSERT INTO v VALUES (1, 'a', 1, 1, true, '2024-03-05 10:00')"));
    Dataset v;
    v.SetConnection(&connection);
    v.SetSQL(QStringLiteral("SELECT * FROM v"));
    v.Open();
    EXPECT_EQ(v.FieldByName("m").Value(), Variant(Currency::fromInt(1)));
    EXPECT_EQ(v.FieldByName("b").Value(), Variant(true));
    EXPECT_EQ(v.FieldByName("d").Value().type(), Variant::Type::DateTime);
    v.Edit();
    v.FieldByName("t").SetValue(Variant(42));
    v.FieldByName("m").SetValue(Variant(2.5));
    v.FieldByName("f").SetValue(Variant::null());
    v.FieldByName("d").SetValue(Variant::fromDateTime(DateTimeConv::encodeDate(2025, 1, 31)));
    v.Post();
    const Result r = connection.exec(QStringLiteral("SELECT t, m, f IS NULL, d FROM v"));
    EXPECT_EQ(r.cellText(0, 0), QStringLiteral("42"));
    EXPECT_EQ(r.cellText(0, 1), QStringLiteral("2.5000"));
    EXPECT_EQ(r.cellText(0, 2), QStringLiteral("t"));
    EXPECT_EQ(r.cellText(0, 3), QStringLiteral("2025-01-31 00:00:00"));
    EXPECT_TRUE(v.FieldByName("f").IsNull());
}

TEST_F(LiveDatabaseTest, LikePatternsAndBookmarksInAFilteredDataset)
{
    run(QStringLiteral("CREATE TABLE w (id integer PRIMARY KEY, t text);"
                       "INSERT INTO w VALUES (1, 'abc'), (2, 'ac'), (3, 'xabcx'), (4, 'ABC'), (5, NULL)"));
    Dataset w;
    w.SetConnection(&connection);
    w.SetSQL(QStringLiteral("SELECT * FROM w ORDER BY id"));
    w.KeyFields = QStringLiteral("id");
    w.Open();
    auto count = [&](const QString &filter) {
        w.SetFiltered(false);
        w.SetFilter(filter);
        w.SetFiltered(true);
        return w.RecordCount();
    };
    EXPECT_EQ(count("t LIKE 'a%c'"), 3); // abc, ac, ABC
    EXPECT_EQ(count("t LIKE 'abc'"), 2); // exact, without regard to case
    EXPECT_EQ(count("t LIKE '*b*'"), 3);
    EXPECT_EQ(count("t NOT LIKE '%b%'"), 1); // NULL passes neither way
    EXPECT_EQ(count("t LIKE '%'"), 4);
    EXPECT_EQ(count("t = NULL"), 1);
    EXPECT_EQ(count("t <> NULL"), 4);

    count("id >= 3");
    w.Last();
    const Bookmark mark = w.GetBookmark();
    EXPECT_EQ(w.FieldByName("id").AsInteger(), 5);
    w.First();
    ASSERT_TRUE(w.GotoBookmark(mark));
    EXPECT_EQ(w.RecNo(), 3);
    w.SetFilter(QStringLiteral("id < 3"));
    EXPECT_FALSE(w.GotoBookmark(mark)); // filtered out
    w.SetFiltered(false);
    EXPECT_TRUE(w.GotoBookmark(mark));
    EXPECT_EQ(w.RecNo(), 5);
}
