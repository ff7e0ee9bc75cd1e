// Memos and bands for dataset fields: widths in grid steps (never 0), the
// header row 72 pixels above the data, squeezing into the printable width,
// and the bands made around them.
#include "platform/db/dataset.h"
#include "report/components.h"
#include "report/designer/objects/formattags.h"
#include "report/designer/objects/insertfields.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlstreams.h"

#include <gtest/gtest.h>

namespace {

struct InsertFieldsTest : ::testing::Test
{
    InsertFieldsTest()
    {
        place.LeftOffset = 20;
        place.TopOffset = 30;
        place.PrintableWidth = 700;
        place.PageWidth = 740;
        place.GridSize = 4;
        // 7 pixels a character, 8 in bold.
        place.TextWidth = [](const QString &text, bool bold) { return int(text.size()) * (bold ? 8 : 7); };
        choice.DataSetName = "Frm.Polozky";
    }
    QList<QRect> rects() const
    {
        QList<QRect> list;
        for (const TvlPlannedMemo &memo : layout.Memos)
            list << memo.Rect;
        return list;
    }

    TvlFieldsPlace place;
    TvlInsertFieldsChoice choice;
    TvlFieldsLayout layout;
};

TEST_F(InsertFieldsTest, ARowOfDataMemosWithoutHeaders)
{
    EXPECT_EQ(vlFieldCharWidth(0), 6);
    EXPECT_EQ(vlFieldCharWidth(256), 6);
    EXPECT_EQ(vlFieldCharWidth(255), 255);
    choice.Fields = {{"Kod", "Kód", 5}, {"Nazev", "Název", 6}};
    layout = vlLayoutFields(choice, place);
    // "=====" 35 -> 32; "======" 42 -> 40; the next starts one grid step further.
    EXPECT_EQ(rects(), (QList<QRect>{QRect(20, 30, 32, 18), QRect(56, 30, 40, 18)}));
    EXPECT_EQ(layout.Memos[0].Text, QStringLiteral("[Frm.Polozky.\"Kod\"]"));
    EXPECT_FALSE(layout.Memos[0].Header);
    EXPECT_TRUE(layout.Bands.empty());
}

TEST_F(InsertFieldsTest, HeadersAboveTheDataAndTwoBands)
{
    choice.Headers = true;
    choice.Bands = true;
    choice.Fields = {{"Kod", "Kód", 2}, {"Nazev", "X", 40}};
    layout = vlLayoutFields(choice, place);
    // Headers: "Kód   " 48, "X   " 32; data: "==" 14 -> 12, 40 "=" 280.
    EXPECT_EQ(rects(), (QList<QRect>{QRect(20, 30, 48, 18), QRect(20, 102, 12, 18), QRect(36, 30, 32, 18),
                                     QRect(36, 102, 280, 18)}));
    EXPECT_TRUE(layout.Memos[0].Header);
    EXPECT_EQ(layout.Memos[0].Text, QStringLiteral("Kód"));
    ASSERT_EQ(layout.Bands.size(), 2u);
    EXPECT_EQ(layout.Bands[0].BandType, btPageHeader);
    EXPECT_EQ(layout.Bands[0].Rect, QRect(0, 30, 740, 18));
    EXPECT_EQ(layout.Bands[1].BandType, btMasterData);
    EXPECT_EQ(layout.Bands[1].Rect, QRect(0, 102, 740, 18));
    EXPECT_EQ(layout.Bands[1].DataSource, "Frm.Polozky");

    place.HasPageHeader = true;
    layout = vlLayoutFields(choice, place);
    ASSERT_EQ(layout.Bands.size(), 1u);
    EXPECT_EQ(layout.Bands[0].BandType, btMasterData);
}

TEST_F(InsertFieldsTest, AColumnPutsTheDataBesideItsHeader)
{
    choice.Horizontal = false;
    choice.Headers = true;
    choice.Bands = true;
    choice.Fields = {{"Kod", "Kód", 2}, {"Nazev", "X", 40}};
    layout = vlLayoutFields(choice, place);
    EXPECT_EQ(rects(), (QList<QRect>{QRect(20, 30, 48, 18), QRect(76, 30, 12, 18), QRect(20, 52, 32, 18),
                                     QRect(60, 52, 280, 18)}));
    ASSERT_EQ(layout.Bands.size(), 1u);
    EXPECT_EQ(layout.Bands[0].BandType, btMasterData);
    EXPECT_EQ(layout.Bands[0].Rect, QRect(0, 30, 740, 40));
}

TEST_F(InsertFieldsTest, ARowWiderThanThePrintableWidthIsSqueezed)
{
    place.PrintableWidth = 150;
    choice.Headers = true;
    choice.Fields = {{"A", "A", 20}, {"B", "B", 20}, {"C", "C", 20}};
    layout = vlLayoutFields(choice, place);
    // Data at 20, 164, 308, each 140: end 428 relative; k = 428 / 150.
    ASSERT_EQ(layout.Memos.size(), 6u);
    EXPECT_EQ(layout.Memos[1].Rect, QRect(20, 102, 49, 18));
    EXPECT_EQ(layout.Memos[3].Rect, QRect(70, 102, 49, 18));
    EXPECT_EQ(layout.Memos[5].Rect, QRect(121, 102, 49, 18));
    EXPECT_EQ(layout.Memos[4].Rect, QRect(121, 30, 49, 18)) << "headers follow their data memo";
}

TEST_F(InsertFieldsTest, GeneratedWidthsAreNeverZero)
{
    place.GridSize = 18;
    place.TextWidth = [](const QString &text, bool) { return int(text.size()) * 4; };
    choice.Headers = true;
    choice.Fields = {{"A", "A", 1}};
    layout = vlLayoutFields(choice, place);
    ASSERT_EQ(layout.Memos.size(), 2u);
    EXPECT_EQ(layout.Memos[0].Rect.width(), 18); // "A   " 16 pixels
    EXPECT_EQ(layout.Memos[1].Rect.width(), 18); // "=" 4 pixels
}

TEST_F(InsertFieldsTest, ObjectsAreMadeNamedUniquelySelectedAndInTheDefaultFont)
{
    TvlPages pages;
    TvlPage &page = *pages.Add();
    choice.Headers = true;
    choice.Bands = true;
    choice.Fields = {{"Kod", "Kód", 2}};
    layout = vlLayoutFields(choice, place);
    TvlObjectDefaults defaults;
    defaults.FontName = "Liberation Sans";
    defaults.FontSize = 12;
    const auto taken = [&](const QString &name) { return page.FindObject(name) != nullptr; };
    const std::vector<TvlView *> made = vlCreateFieldViews(page, layout, defaults, taken);
    ASSERT_EQ(made.size(), 4u);
    ASSERT_EQ(page.Count(), 4);
    EXPECT_NE(made[0]->Name, made[1]->Name);
    EXPECT_NE(made[2]->Name, made[3]->Name);
    EXPECT_NE(made[0]->ObjectId, made[1]->ObjectId);
    for (TvlView *view : made)
        EXPECT_TRUE(view->Selected);
    const auto *header = dynamic_cast<TvlMemoView *>(made[0]);
    const auto *data = dynamic_cast<TvlMemoView *>(made[1]);
    ASSERT_TRUE(header && data);
    EXPECT_EQ(FontStylesToCode(header->FontStyle), 2);
    EXPECT_EQ(FontStylesToCode(data->FontStyle), 0);
    EXPECT_EQ(data->FontName, "Liberation Sans");
    EXPECT_EQ(data->FontSize, 12);
    EXPECT_EQ(data->Memo, QStringList{"[Frm.Polozky.\"Kod\"]"});
    EXPECT_EQ(data->Left, 20);
    EXPECT_EQ(data->Top, 102);
    const auto *band = dynamic_cast<TvlBandView *>(made[3]);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->GetBandType(), btMasterData);
    EXPECT_EQ(band->FormatText, "Frm.Polozky");

    // Without a chosen font the memos keep their own.
    const std::vector<TvlView *> plain = vlCreateFieldViews(page, layout, TvlObjectDefaults{}, taken);
    EXPECT_EQ(static_cast<TvlMemoView *>(plain[1])->FontName, TvlMemoView().FontName);
}

TEST(InsertFieldsWidth, MeasuredInTheMemoFont)
{
    const int plain = vlMemoTextWidth("==========", "Liberation Sans", 10, false);
    EXPECT_GT(plain, 30);
    EXPECT_LT(plain, 120);
    EXPECT_GT(vlMemoTextWidth("==========", "Liberation Sans", 20, false), plain);
}

} // namespace

namespace {

TEST(InsertFieldsSource, LabelsAndWidthsComeFromTheFieldObjects)
{
    QObject owner;
    auto *dataset = new Db::Dataset(&owner);
    dataset->setObjectName("QPolozky");
    Db::Field *name = dataset->AddField("NAZEV");
    name->DisplayLabel = QStringLiteral("Název");
    name->DisplayWidth = 30;
    Db::Field *code = dataset->AddField("KOD");
    code->DisplayWidth = 300;
    QObject *previous = vlCurrentReportOwner();
    vlSetCurrentReportOwner(&owner);
    const std::vector<TvlFieldToInsert> fields = vlFieldsToInsert("QPolozky", {"NAZEV", "KOD", "CHYBI"});
    vlSetCurrentReportOwner(previous);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].Label, QStringLiteral("Název"));
    EXPECT_EQ(fields[0].CharWidth, 30);
    EXPECT_EQ(fields[1].Label, "KOD");
    EXPECT_EQ(fields[1].CharWidth, 6);
    EXPECT_EQ(fields[2].FieldName, "CHYBI");
    EXPECT_EQ(fields[2].CharWidth, 6);
}

} // namespace
