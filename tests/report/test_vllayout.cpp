#include "report/values.h"
#include "report/vlbandview.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlreportlayout.h"
#include "report/vlsubreportview.h"
#include "report/xmlreport.h"
#include "reportbytes.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

// A layout of two pages with objects of every kind and one value.
void fill(TvlReportLayout &layout)
{
    layout.KeepCurrentPrinter = 1;
    layout.TwoPass = 1;
    TvlPage *first = layout.Pages.Add();
    first->Margins = {40, 30, 20, 10};
    first->Columns = 2;
    first->ColumnGap = 18;
    TvlPage *second = layout.Pages.Add();
    second->UseMargins = 0;
    auto band = std::make_unique<TvlBandView>();
    band->SetBandType(btMasterData);
    band->SetBounds(0, 100, 700, 30);
    band->Flags |= bfReprintOnNewPage;
    band->FormatText = "Zboží";
    layout.CreateUniqueName(*first->Add(std::move(band)));
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(10, 105, 200, 20);
    memo->Memo = {"Název: [Zboží.Název] & <spol.>"};
    memo->Script = {"begin", "  Memo1.FontSize := 12", "end"};
    layout.CreateUniqueName(*first->Add(std::move(memo)));
    auto line = std::make_unique<TvlLineView>();
    line->SetBounds(10, 140, 400, 0);
    layout.CreateUniqueName(*first->Add(std::move(line)));
    auto sub = std::make_unique<TvlSubReportView>();
    sub->PageIndex = 1;
    sub->SetBounds(10, 200, 300, 100);
    layout.CreateUniqueName(*first->Add(std::move(sub)));
    auto memo2 = std::make_unique<TvlMemoView>();
    memo2->Memo = {"Druhá strana"};
    layout.CreateUniqueName(*second->Add(std::move(memo2)));
    const int v = layout.Values().AddValue();
    layout.Values().SetName(v, "Cena");
    layout.Values().GetItem(v)->Kind = vkExpression;
    layout.Values().GetItem(v)->Field = "[Zboží.Cena] * 1,21";
    layout.Variables = {"Sleva=10"};
}

QByteArray saved(const TvlReportLayout &layout)
{
    MemoryStream stream;
    layout.SaveToStream(stream);
    return stream.data();
}

bool load(TvlReportLayout &layout, const QByteArray &bytes, QString *error = nullptr)
{
    MemoryStream stream(bytes);
    return layout.LoadFromStream(stream, error);
}

// The body's start: options and printer name.
Bytes header(int keep = 1)
{
    Bytes b;
    b.u16(keep).u16(0);
    return b;
}

Bytes pageRecordA4(bool old)
{
    Bytes b;
    b.u8(255).i32(9).i32(2100).i32(2970).i32(0).i32(0).i32(0).i32(0).u8(0);
    if (old)
        b.raw(QByteArray(6, '\x5A'));
    b.u16(0).u16(0xFFFF).i32(1).i32(0);
    return b;
}

} // namespace

TEST(ReportLayout, SavesAndLoadsByteForByte)
{
    TvlReportLayout layout;
    fill(layout);
    const QByteArray bytes = saved(layout);
    EXPECT_EQ(bytes.at(0), 23);
    TvlReportLayout back;
    QString error;
    ASSERT_TRUE(load(back, bytes, &error)) << error.toStdString();
    EXPECT_EQ(saved(back), bytes);
    ASSERT_EQ(back.Pages.Count(), 2);
    EXPECT_EQ(back.Pages[0]->Count(), 4);
    EXPECT_EQ(back.Pages[0]->Margins, (TvlMargins{40, 30, 20, 10}));
    EXPECT_EQ(back.Pages[1]->UseMargins, 0);
    EXPECT_EQ(back.FindObject("memo1")->Memo, layout.FindObject("Memo1")->Memo);
    EXPECT_EQ(back.Values().Count(), 1);
    EXPECT_EQ(back.Variables, QStringList{"Sleva=10"});
    EXPECT_EQ(back.TwoPass, 1);
}

TEST(ReportLayout, ReadsVersion21WithoutVersionByte)
{
    MemoryStream values;
    TvlValues().WriteBinaryData(values);
    // First byte 1 (below 21): no version byte, the body starts at offset 0.
    Bytes b = header();
    b.oldStr("Tiskárna XY").raw(pageRecordA4(true));
    b.u8(otMemo)
        .u8(0)
        .i32(5)
        .i32(6)
        .i32(100)
        .i32(20)
        .u16(1)
        .u16(15)
        .i32(2)
        .i32(0)
        .u16(0)
        .i32(0xFFFFFF)
        .i32(512 + ',')
        .oldStr("")
        .oldMemo({"Řádek jedna", "", "Řádek tři"})
        .oldStr("Arial")
        .i32(9)
        .u16(2)
        .i32(0)
        .i32(0)
        .u16(238)
        .u16(2)
        .i32(0)
        .i32(0xFFFFFF)
        .oldStr("");
    b.u8(otLine)
        .u8(0)
        .i32(5)
        .i32(30)
        .i32(100)
        .i32(0)
        .u16(1)
        .u16(8)
        .i32(1)
        .i32(0)
        .u16(0)
        .i32(vlclNone)
        .i32(0)
        .oldStr("")
        .oldMemo({});
    b.u8(254).raw(values.data()).oldMemo({"A=1", "B=2"});
    TvlReportLayout layout;
    QString error;
    ASSERT_TRUE(load(layout, b, &error)) << error.toStdString();
    ASSERT_EQ(layout.Pages.Count(), 1);
    ASSERT_EQ(layout.Pages[0]->Count(), 2);
    auto *memo = dynamic_cast<TvlMemoView *>(layout.Pages[0]->Object(0));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Name, "Memo1");
    EXPECT_EQ(memo->Flags, 1 | mfWordWrap); // word wrap switched on for version 21
    EXPECT_EQ(memo->Memo, (QStringList{"Řádek jedna", "", "Řádek tři"}));
    EXPECT_EQ(memo->FontCharset, 0);
    EXPECT_EQ(memo->FontSize, 9);
    EXPECT_DOUBLE_EQ(memo->FrameWidth, 2);
    EXPECT_TRUE(memo->IsVisible());
    EXPECT_TRUE(memo->Script.isEmpty());
    EXPECT_EQ(layout.Pages[0]->Object(1)->Name, "Line1");
    EXPECT_EQ(layout.Variables, (QStringList{"A=1", "B=2"}));
}

TEST(ReportLayout, ReadsVersion22WithItsOwnEncodings)
{
    Bytes b;
    b.u8(22).raw(header()).oldStr("").raw(pageRecordA4(true));
    b.u8(otSubReport)
        .u8(0)
        .i32(1)
        .i32(2)
        .i32(3)
        .i32(4)
        .u16(1)
        .u16(0)
        .i32(1500)
        .i32(0)
        .u16(5)
        .i32(vlclNone)
        .i32(0)
        .oldStr("fmt")
        .oldMemo({"x"})
        .i32(7);
    b.u8(otMemo)
        .u8(0)
        .i32(1)
        .i32(2)
        .i32(3)
        .i32(4)
        .u16(1)
        .u16(0)
        .i32(1)
        .i32(0)
        .u16(0)
        .i32(vlclNone)
        .i32(0)
        .oldStr("")
        .oldMemo({"text"})
        .oldStr("Arial")
        .i32(10)
        .u16(0)
        .i32(0)
        .i32(0)
        .u16(1)
        .u16(2)
        .i32(0)
        .i32(0xFFFFFF)
        .oldStr("[A] > 1");
    TvlReportLayout layout;
    ASSERT_TRUE(load(layout, b));
    auto *sub = dynamic_cast<TvlSubReportView *>(layout.Pages[0]->Object(0));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->PageIndex, 7);
    EXPECT_EQ(sub->FormatText, "fmt");
    EXPECT_DOUBLE_EQ(sub->FrameWidth, 1.5);
    EXPECT_EQ(sub->FrameStyle, psDouble);
    auto *memo = dynamic_cast<TvlMemoView *>(layout.Pages[0]->Object(1));
    EXPECT_EQ(memo->Flags, 1); // no forced word wrap after version 21
    EXPECT_EQ(memo->HighlightCondition, "[A] > 1");
    EXPECT_EQ(layout.Values().Count(), 0); // no values item
}

TEST(ReportLayout, FramedMemoClassIsReadAsAMemo)
{
    TvlMemoView memo;
    memo.Name = "Memo9";
    MemoryStream record;
    memo.SaveToStream(record);
    Bytes b;
    b.u8(23).raw(header()).str("").raw(pageRecordA4(false));
    b.u8(otAddIn).str("TvlFramedMemoView").u8(0).raw(record.data()).raw("12345678");
    b.u8(253).raw("whatever follows");
    TvlReportLayout layout;
    ASSERT_TRUE(load(layout, b));
    EXPECT_EQ(layout.Pages[0]->Object(0)->ClassName(), "TvlMemoView");
    EXPECT_EQ(layout.Pages[0]->Object(0)->Name, "Memo9");
}

TEST(ReportLayout, DamagedOrNewerStreamsFailAndKeepTheLayout)
{
    TvlReportLayout layout;
    fill(layout);
    const QByteArray good = saved(layout);
    QByteArray newer = good;
    newer[0] = 24;
    QByteArray unknownItem = good;
    unknownItem.insert(unknownItem.indexOf(char(254)), char(100));
    Bytes missingPage;
    missingPage.u8(23).raw(header()).str("").raw(pageRecordA4(false)).u8(otLine).u8(3);
    Bytes unknownClass;
    unknownClass.u8(23).raw(header()).str("").raw(pageRecordA4(false)).u8(otAddIn).str("TvlNic").u8(0);
    for (const QByteArray &bad : {newer, good.left(good.size() - 7), good.left(40), unknownItem, missingPage.data(),
                                  unknownClass.data(), QByteArray()}) {
        QString error;
        EXPECT_FALSE(load(layout, bad, &error));
        EXPECT_EQ(error, "Nepodporovaný VLF formát");
        EXPECT_EQ(saved(layout), good); // nothing replaced
    }
}

TEST(ReportLayout, FilesTemplatesAndFormProperty)
{
    QTemporaryDir dir;
    TvlReportLayout layout;
    fill(layout);
    const QByteArray bytes = saved(layout);
    const QString path = dir.filePath("sestava.vlf");
    ASSERT_TRUE(layout.SaveToFile(path));
    TvlReportLayout fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(path));
    EXPECT_EQ(fromFile.FileName, path);
    EXPECT_EQ(saved(fromFile), bytes);
    QString error;
    EXPECT_FALSE(fromFile.LoadFromFile(dir.filePath("není.vlf"), &error));
    EXPECT_FALSE(error.isEmpty());

    QImage preview(4, 4, QImage::Format_RGB32);
    preview.fill(Qt::blue);
    const QString templ = dir.filePath("šablona.vlt");
    ASSERT_TRUE(layout.SaveTemplate(templ, {"Ceník", "zboží"}, preview));
    TvlReportLayout fromTemplate;
    QStringList description;
    QImage bitmap;
    ASSERT_TRUE(fromTemplate.LoadTemplate(templ, &description, &bitmap, false));
    EXPECT_EQ(description, (QStringList{"Ceník", "zboží"}));
    EXPECT_EQ(bitmap.size(), QSize(4, 4));
    EXPECT_EQ(fromTemplate.Pages.Count(), 0);
    ASSERT_TRUE(fromTemplate.LoadTemplate(templ, nullptr, nullptr, true));
    EXPECT_EQ(saved(fromTemplate), bytes);

    MemoryStream form;
    layout.WriteReportForm(form, true);
    EXPECT_EQ(form.data().left(8), Bytes().i32(23).i32(bytes.size()).data());
    form.seek(0);
    TvlReportLayout fromForm;
    ASSERT_TRUE(fromForm.ReadReportForm(form, true));
    EXPECT_EQ(saved(fromForm), bytes);
}

TEST(ReportLayout, XmlLayoutIsWellFormed)
{
    TvlReportLayout layout;
    fill(layout);
    MemoryStream stream;
    layout.SaveToVL3Stream(stream);
    const QByteArray xml = stream.data();
    QXmlStreamReader reader(xml);
    QStringList elements;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            elements << reader.name().toString();
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(elements, (QStringList{"TvlxReport", "TvlxReportPage", "TvlxMasterData", "TvlxMemoView", "TvlxLineView",
                                     "TvlxSubreport", "TvlxReportPage", "TvlxMemoView"}));
    EXPECT_EQ(xml.count("ReprintOnNewPage=\"True\""), 1);
    EXPECT_TRUE(xml.contains("Memo1OnBeforePrint"));
    EXPECT_TRUE(xml.contains("Page=\"Page2\""));
    EXPECT_TRUE(QString::fromUtf8(xml).contains("Název: [Zboží.Název] &#38; &#60;spol.&#62;"));
}

TEST(ReportLayout, XmlElementsOfMemosAndPictures)
{
    auto element = [](TvlView &view) {
        MemoryStream stream;
        TvlXmlWriter xml(stream);
        TvlXmlContext context;
        context.LeftOffset = 10;
        view.PrepareDrawRect(TvlDrawMode::Design);
        view.RestoreBounds();
        view.WriteXmlElement(xml, context);
        return QString::fromUtf8(stream.data());
    };
    TvlMemoView memo;
    memo.Name = "Memo1";
    memo.SetBounds(30, 40, 100, 20);
    memo.FrameTyp = frLeft | frBottom;
    memo.Memo = {"Cena:", "\"1\""};
    memo.FontStyle = fsBold | fsUnderline;
    memo.Flags = mfWordWrap | mfAutoWidth;
    memo.Format = (fkNumber << 24) | (1 << 16) | (2 << 8) | ',';
    EXPECT_EQ(element(memo),
              "<TvlxMemoView Name=\"Memo1\" Left=\"20\" Top=\"40\" Width=\"100\" Height=\"20\" "
              "Color=\"536870911\" Frame.Typ=\"9\" Frame.Width=\"1\" Frame.Color=\"0\" Frame.Style=\"0\" "
              "GapX=\"2\" GapY=\"1\" Memo.text=\"Cena:&#13;&#10;&#34;1&#34;\" AutoWidth=\"True\" "
              "Font.Name=\"Arial\" Font.Height=\"-13\" Font.Color=\"0\" Font.Style=\"5\" LineSpacing=\"2\" "
              "CharSpacing=\"0\" DisplayFormat.Kind=\"fkNumeric\" DisplayFormat.DecimalSeparator=\",\" "
              "DisplayFormat.FormatStr=\"%2.2f\"/>\r\n");
    memo.Format = (fkDate << 24) | (3 << 16);
    EXPECT_TRUE(element(memo).contains("DisplayFormat.Kind=\"fkDateTime\" DisplayFormat.FormatStr=\"dd mmmm yyyy\""));
    memo.Format = (fkBoolean << 24) | (4 << 16);
    memo.FormatText = "ne;ano";
    EXPECT_TRUE(element(memo).contains("DisplayFormat.FormatStr=\"ne;ano\""));

    TvlPictureView picture;
    picture.Name = "Picture1";
    picture.Flags = pfCentered;
    const QString xml = element(picture);
    EXPECT_TRUE(xml.startsWith("<TvlxPictureView Name=\"Picture1\""));
    EXPECT_TRUE(xml.endsWith("Stretched=\"False\" Center=\"True\" KeepAspectRatio=\"False\"/>\r\n"));
    EXPECT_FALSE(xml.contains("Picture.Propdata"));

    TvlBandView cross;
    cross.SetBandType(btCrossData);
    EXPECT_EQ(element(cross), "");
}

TEST(ReportLayout, ObjectsOfNegativeSizeAreRefusedWithAReason)
{
    TvlReportLayout layout;
    TvlPage *page = layout.Pages.Add();
    auto band = std::make_unique<TvlBandView>();
    band->SetBandType(btMasterData);
    band->SetBounds(0, 20, 700, -20);
    band->Name = "Band1";
    page->Add(std::move(band));
    const QByteArray bytes = saved(layout);
    TvlReportLayout loaded;
    loaded.Pages.Add();
    QString error;
    EXPECT_FALSE(load(loaded, bytes, &error));
    EXPECT_EQ(error, "Objekt Band1 má zápornou velikost (700 × -20 bodů), sestava je poškozená a nelze ji načíst.");
    EXPECT_EQ(loaded.Pages.Count(), 1); // what was loaded stays
    // Objects left of or above the page still load.
    page->Object(0)->SetBounds(-10, -5, 700, 20);
    ASSERT_TRUE(load(loaded, saved(layout), &error)) << error.toStdString();
    EXPECT_EQ(loaded.Pages[0]->Object(0)->Left, -10);
}
