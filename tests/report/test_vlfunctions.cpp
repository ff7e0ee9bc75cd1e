#include "platform/datetime.h"
#include "report/vlfunctions.h"
#include "report/vloperators.h"
#include "report/vlparser.h"

#include <QHash>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct FakeBand : TvlAggregateBand
{
    QString name;
    int type = 0;
    bool visible = true;
    TvlAggregateStore values;
    int records = 0;
    FakeBand(const QString &n, int t, bool v)
        : name(n)
        , type(t)
        , visible(v)
    {}
    QString Name() const override { return name; }
    int BandType() const override { return type; }
    bool Visible() const override { return visible; }
    TvlAggregateStore &AggregateValues() override { return values; }
    int RecordCount() const override { return records; }
};

// A report in miniature: a parser whose names are a table, the standard
// library as its function resolver, a data band and its footer.
struct Report : TvlFunctionContext
{
    TvlParser parser;
    TvlStdFunctionLibrary library{this};
    QHash<QString, Variant> names;
    QHash<QString, QVector<Variant>> datasets;
    FakeBand data{"MasterData1", 2, true};
    FakeBand footer{"MasterFooter1", 6, false};
    TvlAggregateBand *printing = &data;

    Report()
    {
        parser.OnGetValue = [this](const QString &n, Variant &v) { v = names.value(n); };
        parser.OnFunction = [this](const QString &n, const Variant &p1, const Variant &p2, const Variant &p3,
                                   QString &val) {
            val = "0";
            library.OnFunction(n, p1, p2, p3, val);
        };
    }
    Variant Calculate(const QString &e) override { return parser.Calculate(e); }
    TvlAggregateBand *AggregatingBand() override { return &footer; }
    TvlAggregateBand *PrintingBand() override { return printing; }
    QString CrossSuffix() override { return {}; }
    bool WalkDataset(const QString &ref, bool, const std::function<void(const Variant &)> &visit) override
    {
        if (!datasets.contains(ref))
            return false;
        for (const Variant &v : datasets.value(ref))
            visit(v);
        return true;
    }
    QString Input(const QString &prompt, const QString &def) override { return prompt + "/" + def; }

    // Band printing: the footer's memos are evaluated once per record with
    // the footer invisible, markers reset before each record.
    void addRecord(const QString &footerText, qint64 x)
    {
        names["X"] = Variant(x);
        footer.values.StartRecord();
        footer.visible = false;
        parser.Calculate(footerText);
        ++footer.records;
    }
    Variant footerValue(const QString &text)
    {
        footer.visible = true;
        return parser.Calculate(text);
    }
};

} // namespace

TEST(FunctionLibrary, TextAndDateFunctions)
{
    Report r;
    EXPECT_EQ(r.parser.Calculate("UPPERCASE('žluťoučký kůň')").toString(), "ŽLUŤOUČKÝ KŮŇ");
    EXPECT_EQ(r.parser.Calculate("LOWERCASE('ČEŠTINA')").toString(), "čeština");
    EXPECT_EQ(r.parser.Calculate("NAMECASE('nOVÁK')").toString(), "Novák");
    EXPECT_EQ(r.parser.Calculate("NAMECASE('')").toString(), "");
    EXPECT_EQ(r.parser.Calculate("FORMATFLOAT('0.00', 3.14159)").toString(), "3,14");
    EXPECT_EQ(r.parser.Calculate("FORMATDATETIME('d.m.yyyy', STRTODATE('6.12.2026'))").toString(), "6.12.2026");
    EXPECT_DOUBLE_EQ(r.parser.Calculate("STRTODATE('01.02.2003')").toDateTime(), DateTimeConv::encodeDate(2003, 2, 1));
    EXPECT_EQ(r.parser.Calculate("INPUT('Kolik?', '1')").toString(), "Kolik?/1");
    // Results holding quotes survive the trip back through the parser.
    EXPECT_EQ(r.parser.Calculate("UPPERCASE('it''s')").toString(), "IT'S");
    // Names outside the list are left to the next resolver.
    QString val = "x";
    EXPECT_FALSE(r.library.OnFunction("NOSUCH", Variant(), Variant(), Variant(), val));
    EXPECT_EQ(val, "x");
}

TEST(FunctionLibrary, AggregatesOverPrintedBands)
{
    Report r;
    const QString text = "SUM(x, MasterData1) + 0 * SUM(x, MasterData1)";
    for (qint64 x : {1, 2, 3})
        r.addRecord(text + " + AVG(x) + MIN(x) + MAX(x) + COUNT(MasterData1)", x);
    // The same SUM written twice adds each record once.
    EXPECT_DOUBLE_EQ(r.footerValue("SUM(x, MasterData1)").toDouble(), 6);
    EXPECT_DOUBLE_EQ(r.footerValue("AVG(x)").toDouble(), 2);
    EXPECT_DOUBLE_EQ(r.footerValue("MIN(x)").toDouble(), 1);
    EXPECT_DOUBLE_EQ(r.footerValue("MAX(x)").toDouble(), 3);
    EXPECT_DOUBLE_EQ(r.footerValue("COUNT(MasterData1)").toDouble(), 3);
}

TEST(FunctionLibrary, AggregatesAddOnlyWhatTheyShould)
{
    Report r;
    // Another band's name adds nothing.
    r.addRecord("SUM(x, Detail1)", 5);
    // An invisible printing band adds only with the flag "1".
    r.data.visible = false;
    r.addRecord("SUM(x) + COUNT(MasterData1, 1)", 5);
    EXPECT_DOUBLE_EQ(r.footerValue("COUNT(MasterData1, 1)").toDouble(), 1);
    // Nothing added: 0, so arithmetic after the aggregate still works.
    EXPECT_DOUBLE_EQ(r.footerValue("SUM(x, Detail1) * 1.21 + 1").toDouble(), 1);
    EXPECT_DOUBLE_EQ(r.footerValue("SUM(x) + 2").toDouble(), 2);
    EXPECT_DOUBLE_EQ(r.footerValue("AVG(y) + 3").toDouble(), 3);
    // A band that is no footer aggregates nothing.
    r.footer.type = 2;
    EXPECT_DOUBLE_EQ(r.footerValue("SUM(x) + 4").toDouble(), 4);
}

TEST(FunctionLibrary, DirectAggregatesOverADataset)
{
    Report r;
    r.datasets["Data.Cena"] = {Variant(2.5), Variant::null(), Variant(qint64(4))};
    r.datasets["Prazdne.Cena"] = {};
    r.footer.visible = true;
    EXPECT_DOUBLE_EQ(r.parser.Calculate("SUM(Data.Cena)").toDouble(), 6.5);
    EXPECT_DOUBLE_EQ(r.parser.Calculate("MIN(Data.Cena)").toDouble(), 0);
    EXPECT_DOUBLE_EQ(r.parser.Calculate("MAX(Data.Cena)").toDouble(), 4);
    EXPECT_DOUBLE_EQ(r.parser.Calculate("COUNT(Data.Cena)").toDouble(), 3);
    // An empty dataset gives 0, not the search limits.
    EXPECT_DOUBLE_EQ(r.parser.Calculate("MIN(Prazdne.Cena)").toDouble(), 0);
    EXPECT_DOUBLE_EQ(r.parser.Calculate("MAX(Prazdne.Cena)").toDouble(), 0);
    // While the footer does not print, a dataset aggregate is 0.
    r.footer.visible = false;
    EXPECT_DOUBLE_EQ(r.parser.Calculate("SUM(Data.Cena)").toDouble(), 0);
}

TEST(FunctionLibrary, NumberTextReadsBack)
{
    EXPECT_EQ(TvlStdFunctionLibrary::NumberText(2.5), "2,5");
    EXPECT_EQ(TvlStdFunctionLibrary::NumberText(-0.0), "0");
    EXPECT_EQ(TvlStdFunctionLibrary::NumberText(1e200), "1E200");
    EXPECT_EQ(TvlStdFunctionLibrary::NumberText(1234567.125), "1234567,125");
}

// Totals are kept as numbers but must read exactly as the number text would:
// halves of the last decimal, both sides of 2^13, tiny, huge and odd values.
TEST(FunctionLibrary, StoredNumberIsTheNumberTextReadBack)
{
    auto check = [](double value) {
        const double slow = vlTextToDouble(TvlStdFunctionLibrary::NumberText(value));
        const double fast = TvlStdFunctionLibrary::StoredNumber(value);
        EXPECT_TRUE(fast == slow && std::signbit(fast) == std::signbit(slow))
            << qPrintable(QString::number(value, 'g', 17)) << " gives " << fast << ", the text " << slow;
    };
    for (double value : {0.0,
                         -0.0,
                         1.0 / 8192,
                         -3.0 / 8192,
                         5e-13,
                         -5e-13,
                         1.5e-12,
                         0.1,
                         0.30000000000000004,
                         8191.999999999999,
                         8192.0000000001,
                         -8192.5,
                         4096.1,
                         1e15,
                         123456789012345678.0,
                         1e200,
                         1e-300,
                         5e-324,
                         std::nan(""),
                         HUGE_VAL})
        check(value);
    std::mt19937_64 random(23);
    std::uniform_int_distribution<int> exponents(-45, 55);
    std::uniform_real_distribution<double> mantissas(-1, 1);
    for (int i = 0; i < 20000; ++i)
        check(std::ldexp(mantissas(random), exponents(random)));
    for (int i = 0; i < 2000; ++i) // exact halves of the twelfth decimal
        check(std::ldexp(2 * i + 1, -13 - i % 4) * (i % 2 ? -1 : 1));
    // Sums of decimals: what footers add up.
    double sum = 0;
    for (int i = 0; i < 3000; ++i) {
        sum = TvlStdFunctionLibrary::StoredNumber(sum + 0.1 * (i % 17));
        check(sum + 0.07);
    }
}
