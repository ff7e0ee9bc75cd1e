// Bands that grow while a report is built: every record prints once, in
// order, each line of it inside its object's box on the printable area and
// over no other row, or the build ends with a message naming the band;
// never a crash, a build without end, rows left out or lines cut.
#include "generatedlayout.h"

#include <gtest/gtest.h>

namespace {

// A small generator of our own, so the cases are the same on every machine.
class Choices
{
public:
    explicit Choices(quint64 seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 1)
    {}
    int operator()(int lo, int hi)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return hi <= lo ? lo : lo + int(m_state % quint64(hi - lo + 1));
    }

private:
    quint64 m_state;
};

} // namespace

TEST(ReportBuildRows, GeneratedLayoutsPrintEveryRecordOnceInOrderOrSayWhyNot)
{
    int failedBuilds = 0;
    for (quint64 seed = 1; seed <= 2000; ++seed) {
        Choices choices(seed);
        TestReport t;
        const GeneratedLayout made = generateLayout(t, std::ref(choices));
        const QString fault = checkGeneratedBuild(t, made);
        ASSERT_TRUE(fault.isEmpty()) << "case " << seed << ": " << made.description.toStdString() << "\n"
                                     << fault.toStdString() << "\n"
                                     << t.report->ErrorText().toStdString();
        failedBuilds += t.report->BuildFailed();
    }
    // Most layouts build: the property is not met by refusing them (about one
    // in five leaves its rows no room between headers and footers that grow).
    EXPECT_LT(failedBuilds, 450);
}

namespace {

QList<QVariantList> fiveRows()
{
    QList<QVariantList> rows;
    for (const char *name : {"Mléko", "Sýr", "Chléb", "Mýdlo", "Šampon"})
        rows << QVariantList{QString::fromUtf8(name)};
    return rows;
}

// Each row's name once, in order, and no other text of the rows.
void expectEveryRowOnce(TestReport &t)
{
    QStringList names;
    for (const QString &text : t.Texts())
        for (const QVariantList &row : fiveRows())
            if (text == row.first().toString())
                names << text;
    QStringList expected;
    for (const QVariantList &row : fiveRows())
        expected << row.first().toString();
    EXPECT_EQ(lines(names), lines(expected));
}

} // namespace

TEST(ReportBuildRows, BandsThatBreaksPrintGrowingPastThePageEndWithoutRecursion)
{
    QStringList text;
    for (int i = 1; i <= 200; ++i)
        text << QStringLiteral("Řádek %1").arg(i);
    const struct
    {
        int type;
        quint16 flags;
        const char *error; // the band named, or null when the rows print
        const char *why;
    } cases[] = {
        // A text no page holds whole, which the band may not split.
        {btPageHeader, 48 | bfStretched, "Band: Page header", "se nevytiskne celý"},
        {btPageHeader, 48 | bfStretched | bfPrintOnFirstPage, "Band: Page header", "se nevytiskne celý"},
        {btColumnHeader, 48 | bfStretched, "Band: Column header", "se nevytiskne celý"},
        {btGroupHeader, 48 | bfStretched | bfReprintOnNewPage, "Band: Group header", "se nevytiskne celý"},
        {btMasterHeader, 48 | bfStretched | bfReprintOnNewPage, "Band: Master header", "se nevytiskne celý"},
        // The room a footer grows to is more than the page.
        {btColumnFooter, 48 | bfStretched, "Band: Column footer", "se nevytiskne celý"},
        {btPageFooter, 48 | bfStretched, "Band: Page footer", "je vyšší"},
        // Printed where it lies, over the rows, and not past the page.
        {btOverlay, 48 | bfStretched, "Band: Overlay", "se nevytiskne celý"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(vlBandName(c.type).toStdString() + " " + std::to_string(c.flags));
        TestReport t;
        t.page->Columns = 2;
        t.Rows("Zbozi", {"Nazev"}, fiveRows());
        // The band in question lies above the rows; the rows are too many for one page.
        TvlBandView *band = t.Band(c.type, 20, 20, c.type == btGroupHeader ? "[Nazev]" : QString(), c.flags);
        t.Memo(20, 20, 150, 18, text)->Flags |= mfStretched;
        t.Band(btMasterData, 60, 400, "Zbozi");
        t.Memo(20, 60, 150, 18, {"[Nazev]"});
        (void)band;
        const bool built = t.report->PrepareReport();
        if (c.error) {
            EXPECT_FALSE(built);
            EXPECT_TRUE(t.report->ErrorText().contains(QString::fromUtf8(c.error)))
                << t.report->ErrorText().toStdString();
            EXPECT_TRUE(t.report->ErrorText().contains(QString::fromUtf8(c.why)))
                << t.report->ErrorText().toStdString();
        } else {
            ASSERT_TRUE(built) << t.report->ErrorText().toStdString();
            expectEveryRowOnce(t);
        }
    }
}

TEST(ReportBuildRows, RowsTallerThanTheRoomBetweenHeaderAndFooterPrintEachOnAPage)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, fiveRows());
    // Room for the row's line, not for the whole row.
    int room = 19;
    const int printable = t.page->BottomEdge() - t.page->TopOffset();
    TvlBandView *header = t.Band(btPageHeader, 0, printable - 100 - room, {}, 48 | bfPrintOnFirstPage);
    t.Memo(20, 0, 150, 18, {"Záhlaví"});
    t.Band(btMasterData, printable - 90, 20, "Zbozi");
    t.Memo(20, printable - 90, 150, 18, {"[Nazev]"});
    t.Band(btPageFooter, printable - 60, 100);
    t.Memo(20, printable - 60, 150, 18, {"Počet [COUNT(Band2)]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    expectEveryRowOnce(t);
    EXPECT_EQ(t.report->EMFPages.Count(), 5);
    // Each row below the header, cut at the footer (less the two points a split keeps free) below its line.
    const QStringList dump = t.Dump();
    for (const QString &line : dump) {
        if (line.endsWith(QStringLiteral(" Sýr"))) {
            EXPECT_EQ(line.section(u' ', 0, 1),
                      QStringLiteral("20,%1 150x%2").arg(t.page->TopOffset() + printable - 100 - room).arg(room - 2));
        }
    }
    // Room for less than its line: the row would never print, and the build says so.
    room = 10;
    header->Height = printable - 100 - room;
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Master data „Band2“ se nevytiskne celý"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportBuildRows, PageAndColumnHeadersLeavingNoRoomForRowsEndTheBuild)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, fiveRows());
    const int printable = t.page->BottomEdge() - t.page->TopOffset();
    t.Band(btPageHeader, 0, printable / 2, {}, 48);
    t.Memo(20, 0, 150, 18, {"Záhlaví"});
    t.Band(btColumnHeader, printable / 2 + 1, printable / 2 - 50);
    t.Memo(20, printable / 2 + 1, 150, 18, {"Sloupce"});
    t.Band(btMasterData, printable, 20, "Zbozi");
    t.Memo(20, printable, 150, 18, {"[Nazev]"});
    t.Band(btPageFooter, printable + 30, 60);
    t.Memo(20, printable + 30, 150, 18, {"Počet [COUNT(Band3)]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Band: Column header")) << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Master data „Band3“ se nevytiskne"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportBuildRows, ASplittingRowThatMeetsThePageBottomGoesWholeToTheNextPage)
{
    TestReport t;
    GeneratedLayout made;
    QList<QVariantList> rows;
    for (int r = 0; r < 5; ++r) {
        made.expected << QStringLiteral("Z%1").arg(r, 3, 10, QLatin1Char('0'));
        rows << QVariantList{made.expected.last()};
    }
    t.Rows("Zbozi", {"Nazev"}, rows);
    // Four rows fill the page below the header to its last point.
    const int printable = t.page->BottomEdge() - t.page->TopOffset();
    t.Band(btPageHeader, 0, printable - 4 * 20, {}, 48 | bfPrintOnFirstPage);
    t.Memo(20, 0, 150, 18, {"Záhlaví"});
    t.Band(btMasterData, printable, 20, "Zbozi", 48 | bfAllowSplit);
    t.Memo(20, printable, 150, 18, {"[Nazev]"});
    EXPECT_EQ(checkGeneratedBuild(t, made).toStdString(), "");
    EXPECT_EQ(t.report->EMFPages.Count(), 2) << lines(t.Dump());
}
