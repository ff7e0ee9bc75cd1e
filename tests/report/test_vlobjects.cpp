#include "report/vlbandview.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlpictureview.h"
#include "report/vlregistry.h"
#include "report/vlsubreportview.h"
#include "reportbytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QByteArray saved(TvlView &view)
{
    MemoryStream stream;
    view.SaveToStream(stream);
    return stream.data();
}

// Reads the bytes into a new object of the same kind and writes it again.
QByteArray reread(TvlView &view, const QByteArray &bytes, std::unique_ptr<TvlView> *copy = nullptr)
{
    std::unique_ptr<TvlView> other = vlCreateView(view.ObjectType, view.ClassName());
    other->StorageMode = view.StorageMode;
    MemoryStream stream(bytes);
    other->LoadFromStream(stream);
    EXPECT_TRUE(stream.atEnd());
    other->WorkMemo = other->Memo; // a prepared record is read into Memo, written from WorkMemo
    const QByteArray again = saved(*other);
    if (copy)
        *copy = std::move(other);
    return again;
}

void fillCommon(TvlView &view)
{
    view.Name = view.NamePrefix + "7";
    view.SetBounds(10, 20, 300, 40);
    view.FrameTyp = frLeft | frTop;
    view.FrameWidth = 0.5;
    view.FrameColor = 0x0000FF;
    view.FrameStyle = psDash;
    view.FillColor = 0x00FF00;
    view.FormatText = "#,##0.00";
    view.Memo = QStringList{"Žluťoučký kůň", "", "[Zboží.Název]"};
    view.Script = QStringList{"begin", "  Visible := 1;", "end"};
    view.Visible = 0;
}

class TestAddIn : public TvlView
{
public:
    QString ClassName() const override { return "TvlTestAddIn"; }
    void Draw(TvlCanvas &) override {}
};

} // namespace

TEST(ReportObjects, FactoryCreatesTheBuiltInKindsAndRegisteredAddIns)
{
    EXPECT_EQ(vlCreateView(otMemo)->ClassName(), "TvlMemoView");
    EXPECT_EQ(vlCreateView(otPicture)->ClassName(), "TvlPictureView");
    EXPECT_EQ(vlCreateView(otBand)->ClassName(), "TvlBandView");
    EXPECT_EQ(vlCreateView(otSubReport)->ClassName(), "TvlSubReportView");
    EXPECT_EQ(vlCreateView(otLine)->ClassName(), "TvlLineView");
    for (int type : {5, 6, 7, 8, 9, 11, 255})
        EXPECT_EQ(vlCreateView(type), nullptr) << type;
    EXPECT_THROW(vlCreateView(otAddIn, "TvlNothing"), EClassNotFound);

    vlRegisterAddIn({"TvlTestAddIn", [] { return std::make_unique<TestAddIn>(); }, {}, {}, "Test"});
    EXPECT_THROW(vlCreateView(otAddIn, "tvltestaddin"), EClassNotFound); // exact case only
    const qint32 id = vlNextObjectId();
    auto addIn = vlCreateView(otAddIn, "TvlTestAddIn");
    ASSERT_NE(addIn, nullptr);
    EXPECT_EQ(addIn->ObjectType, otAddIn);
    EXPECT_EQ(addIn->ObjectId, id);
    EXPECT_EQ(vlCreateView(otMemo)->ObjectId, id + 1);
}

TEST(ReportObjects, RegistriesGrowPastThirtyTwoEntries)
{
    const int before = int(vlDesignerTools().size());
    for (int i = 0; i < 40; ++i)
        vlRegisterDesignerTool({QString("Nástroj %1").arg(i), {}, {}});
    EXPECT_EQ(vlDesignerTools().size(), before + 40);
    EXPECT_EQ(vlDesignerTools().last().Caption, "Nástroj 39");
}

TEST(ReportObjects, DefaultsOfEachKind)
{
    TvlMemoView memo;
    EXPECT_EQ(memo.Flags, 3);
    EXPECT_EQ(memo.FillColor, vlclNone);
    EXPECT_EQ(memo.Format, 512 + ',');
    EXPECT_EQ(memo.FontName, "Arial");
    EXPECT_EQ(memo.LineSpacing, 2);
    EXPECT_EQ(memo.Highlight.FontStyle, 2);
    EXPECT_EQ(memo.Highlight.FillColor, 0xFFFFFF);
    TvlBandView band;
    EXPECT_EQ(band.Flags, 48);
    EXPECT_EQ(band.Format, 0);
    band.SetBandType(0x80 | btGroupHeader);
    EXPECT_EQ(band.GetBandType(), btGroupHeader);
    EXPECT_EQ(TvlPictureView().Flags, 5);
    EXPECT_EQ(TvlLineView().FrameTyp, frLeft);
    EXPECT_EQ(TvlSubReportView().NamePrefix, "SubReport");
}

TEST(ReportObjects, UniqueNamesTakeTheSmallestFreeNumber)
{
    TvlMemoView memo;
    QStringList names{"Memo1", "memo2", "Memo3"};
    auto taken = [&](const QString &n) { return names.contains(n, Qt::CaseInsensitive); };
    memo.CreateUniqueName(taken);
    EXPECT_EQ(memo.Name, "Memo4");
    names.removeAt(1);
    memo.CreateUniqueName(taken);
    EXPECT_EQ(memo.Name, "Memo2");
    memo.CreateUniqueName([](const QString &) { return true; });
    EXPECT_EQ(memo.Name, "");
}

TEST(ReportObjects, FrameWidthIsStoredWholeOrInThousandths)
{
    EXPECT_EQ(TvlView::EncodeFrameWidth(0.5), 500);
    EXPECT_EQ(TvlView::EncodeFrameWidth(2), 2);
    EXPECT_EQ(TvlView::EncodeFrameWidth(10), 10);
    EXPECT_DOUBLE_EQ(TvlView::DecodeFrameWidth(500), 0.5);
    EXPECT_DOUBLE_EQ(TvlView::DecodeFrameWidth(2), 2);
    // Wide frames keep their width through a file.
    for (double width : {11.0, 12.0, 25.0, 0.004}) {
        const double back = TvlView::DecodeFrameWidth(TvlView::EncodeFrameWidth(width));
        EXPECT_NEAR(back, std::max(width, 0.011), 1e-9) << width;
    }
}

TEST(ReportObjects, DesignRecordOfAMemoByteForByte)
{
    TvlMemoView memo;
    fillCommon(memo);
    memo.FontName = "Times New Roman";
    memo.FontSize = 12;
    memo.FontStyle = fsBold | fsItalic;
    memo.FontColor = 0x112233;
    memo.Adjust = adCenter | adVCenter;
    memo.HighlightCondition = "[Cena] > 100";
    Bytes expected;
    expected.str("Memo7")
        .i32(10)
        .i32(20)
        .i32(300)
        .i32(40)
        .u16(3)
        .u16(12)
        .i32(500)
        .i32(0xFF)
        .u16(1)
        .i32(0xFF00)
        .i32(512 + ',')
        .str("#,##0.00")
        .memo({"Žluťoučký kůň", "", "[Zboží.Název]"})
        .memo({"begin", "  Visible := 1;", "end"})
        .u16(0)
        .str("Times New Roman")
        .i32(12)
        .u16(3)
        .i32(0x112233)
        .i32(10)
        .u16(1)
        .u16(2)
        .i32(0)
        .i32(0xFFFFFF)
        .str("[Cena] > 100");
    EXPECT_EQ(saved(memo), expected.data());
    std::unique_ptr<TvlView> copy;
    EXPECT_EQ(reread(memo, expected, &copy), expected.data());
    auto *back = dynamic_cast<TvlMemoView *>(copy.get());
    EXPECT_EQ(back->Memo, memo.Memo);
    EXPECT_EQ(back->FontStyle, memo.FontStyle);
    EXPECT_DOUBLE_EQ(back->FrameWidth, 0.5);
    EXPECT_FALSE(back->IsVisible());
}

TEST(ReportObjects, EveryKindRoundTripsInBothLayouts)
{
    for (int type : {otMemo, otPicture, otBand, otSubReport, otLine}) {
        for (quint8 mode : {smDesign, smPrepared}) {
            auto view = vlCreateView(type);
            fillCommon(*view);
            view->StorageMode = mode;
            view->WorkMemo = view->Memo;
            if (auto *sub = dynamic_cast<TvlSubReportView *>(view.get()))
                sub->PageIndex = 3;
            if (auto *picture = dynamic_cast<TvlPictureView *>(view.get())) {
                QImage image(5, 3, QImage::Format_RGB32);
                image.fill(Qt::red);
                picture->Picture.SetImage(image);
            }
            const QByteArray bytes = saved(*view);
            std::unique_ptr<TvlView> copy;
            EXPECT_EQ(reread(*view, bytes, &copy), bytes) << type << " " << int(mode);
            EXPECT_EQ(copy->Left, 10);
            EXPECT_EQ(copy->FillColor, 0x00FF00);
            EXPECT_EQ(copy->Name, mode == smDesign ? view->Name : QString());
            if (auto *sub = dynamic_cast<TvlSubReportView *>(copy.get())) {
                EXPECT_EQ(sub->PageIndex, 3);
            }
            if (auto *picture = dynamic_cast<TvlPictureView *>(copy.get())) {
                EXPECT_EQ(picture->Picture.Kind(), gkBitmap);
                EXPECT_EQ(picture->Picture.Image().size(), QSize(5, 3));
            }
        }
    }
}

TEST(ReportObjects, PictureRecordSkipsUnknownGraphicsByItsEndOffset)
{
    TvlPictureView picture;
    picture.Name = "Picture1";
    const QByteArray common = saved(picture).chopped(5); // without kind and end offset
    Bytes bytes;
    bytes.raw(common).u8(9).i32(common.size() + 5 + 4).raw("abcd").u8(0x77);
    MemoryStream stream(bytes);
    TvlPictureView back;
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Picture.IsEmpty());
    EXPECT_EQ(stream.readUInt8(), 0x77);

    // Metafiles are kept as they are.
    const QByteArray wmf("\xD7\xCD\xC6\x9A\0\0\0\0\0\0", 10);
    picture.Picture.LoadAny(wmf);
    EXPECT_EQ(picture.Picture.Kind(), gkMetafile);
    EXPECT_EQ(reread(picture, saved(picture)), saved(picture));
}

TEST(ReportObjects, EmptyMemoIsThreeBytes)
{
    TvlLineView line;
    line.Memo.clear();
    const QByteArray bytes = saved(line);
    // name, rectangle, flags ... format text, then the memo and the script
    EXPECT_EQ(bytes.right(8), QByteArray("\0\0\0\0\0\0\xFF\xFF", 8));
}

TEST(ReportObjects, PreparedMemoLinesKeepTheirWidthBytes)
{
    TvlMemoView memo;
    memo.StorageMode = smPrepared;
    memo.WorkMemo = QStringList{vlEncodeTextLine({0x01C8, "Čárka", false}), vlEncodeTextLine({5, "x", true})};
    const QByteArray bytes = saved(memo);
    Bytes lines;
    lines.u16(2).u16(7).u8(0x01).u8(0xC8).raw(Cp1250::encode(u"Čárka")).u8(13).u16(4).u8(0).u8(5).raw("x\x01").u8(0);
    EXPECT_TRUE(bytes.contains(lines.data()));
    std::unique_ptr<TvlView> copy;
    EXPECT_EQ(reread(memo, bytes, &copy), bytes);
    EXPECT_EQ(vlDecodeTextLine(copy->Memo[0]), (TvlTextLine{0x01C8, "Čárka", false}));
    EXPECT_EQ(vlDecodeTextLine(copy->Memo[1]), (TvlTextLine{5, "x", true}));
}

TEST(ReportObjects, AssignCopiesTheStoredFields)
{
    TvlMemoView memo;
    fillCommon(memo);
    memo.FontSize = 14;
    memo.LineSpacing = 5;
    TvlMemoView copy;
    copy.Assign(memo);
    copy.StorageMode = smDesign;
    EXPECT_EQ(saved(copy), saved(memo));
    EXPECT_EQ(copy.LineSpacing, 5);
}

TEST(ReportObjects, ScriptsReadAndWriteProperties)
{
    TvlMemoView memo;
    memo.SetScriptProperty(TvlScriptProperty::Text, Variant(QString("a\r\nb")));
    EXPECT_EQ(memo.Memo, (QStringList{"a", "b"}));
    memo.SetScriptProperty(TvlScriptProperty::FontSize, Variant(qint64(16)));
    EXPECT_EQ(memo.ScriptProperty(TvlScriptProperty::FontSize).toInt(), 16);
    memo.SetScriptProperty(TvlScriptProperty::Visible, Variant(false));
    EXPECT_FALSE(memo.IsVisible());
    EXPECT_EQ(TvlBandView().ScriptKind(), TvlScriptView::Kind::Band);
}

TEST(ReportObjects, DesignerMenuOptionsPerKind)
{
    auto texts = [](const QList<TvlMenuOption> &options) {
        QStringList list;
        for (const TvlMenuOption &o : options)
            list << o.Text + (o.Enabled ? "" : " (vypnuto)");
        return list;
    };
    EXPECT_EQ(texts(TvlLineView().FillPopupMenu()), QStringList{"Roztáhnout"});
    EXPECT_EQ(texts(TvlMemoView().FillPopupMenu()),
              (QStringList{"Roztáhnout", "Formát proměnné...", "Font...", "Zarovant slova", "Automatická velikost"}));
    TvlPictureView picture;
    picture.Flags = pfCentered;
    EXPECT_EQ(texts(picture.FillPopupMenu()),
              (QStringList{"Roztáhnout", "Vystředit obrázek", "Zachovat poměr délky a výšky (vypnuto)"}));
    TvlBandView band;
    band.SetBandType(btPageFooter);
    EXPECT_EQ(texts(band.FillPopupMenu()), (QStringList{"Na první straně", "Na poslední straně"}));
    band.SetBandType(btMasterData);
    EXPECT_EQ(band.FillPopupMenu().size(), 4);
}

TEST(ReportObjects, PrintableAreaOfAPage)
{
    TvlPages pages;
    TvlPage *page = pages.Add();
    EXPECT_EQ(page->PaperSize, 9);
    const TvlPrnInfo &info = page->PrnInfo;
    ASSERT_GT(info.PageWidth, 0);
    EXPECT_EQ(page->LeftOffset(), info.OffsetX);
    EXPECT_EQ(page->RightEdge(), info.OffsetX + info.PrintableWidth);
    page->Margins = {40, 30, 20, 10};
    EXPECT_EQ(page->LeftOffset(), 40);
    EXPECT_EQ(page->TopOffset(), 30);
    EXPECT_EQ(page->RightEdge(), info.PageWidth - 20);
    EXPECT_EQ(page->BottomEdge(), info.PageHeight - 10);
    EXPECT_EQ(page->BottomEdge(50), info.PageHeight - 60);
    page->UseMargins = 0;
    EXPECT_EQ(page->LeftOffset(), 0);
    EXPECT_EQ(page->RightEdge(), info.PageWidth);
    EXPECT_EQ(page->BottomEdge(), info.PageHeight);

    auto memo = vlCreateView(otMemo);
    memo->Name = "Celkem";
    const qint32 id = memo->ObjectId;
    page->Add(std::move(memo));
    EXPECT_EQ(page->FindObjectByID(id), 0);
    EXPECT_EQ(page->FindObjectByID(-5), -1);
    EXPECT_NE(page->FindObject("CELKEM"), nullptr);
    page->Delete(0);
    EXPECT_EQ(page->Count(), 0);
}

TEST(ReportObjects, IconsAndBitmapsLoadFromTheirStreams)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::green);
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "ICO"));
    TvlPicture picture;
    ASSERT_TRUE(picture.LoadAny(ico));
    EXPECT_EQ(picture.Kind(), gkIcon);
    EXPECT_EQ(picture.Size(), QSize(16, 16));
    EXPECT_FALSE(picture.Load(gkBitmap, "not a bitmap"));
    EXPECT_TRUE(picture.IsEmpty());
    // A blob field of another image format becomes a bitmap.
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    image.save(&pngBuffer, "PNG");
    TvlPictureView view;
    view.LoadBlob(png, false);
    EXPECT_EQ(view.Picture.Kind(), gkBitmap);
    EXPECT_TRUE(view.Picture.Data().startsWith("BM"));
    view.LoadBlob({}, true);
    EXPECT_TRUE(view.Picture.IsEmpty());
}

TEST(ReportObjects, AnOpenDesignerHearsOfNewRegistrations)
{
    struct Designer : TvlDesignerHooks
    {
        QList<int> tags;
        QStringList tools;
        void AddObjectButton(const QImage &, const QString &, int tag) override { tags << tag; }
        void AddToolItem(const TvlToolsInfo &tool) override { tools << tool.Caption; }
    } designer;
    vlSetDesignerHooks(&designer);
    const int index = int(vlAddIns().size());
    vlRegisterAddIn({"TvlSecondAddIn", [] { return std::make_unique<TestAddIn>(); }, {}, {}, "Druhý"});
    vlRegisterDesignerTool({"Kontrola sestavy", {}, [] {}});
    vlSetDesignerHooks(nullptr);
    EXPECT_EQ(designer.tags, QList<int>{10 + index});
    EXPECT_EQ(designer.tools, QStringList{"Kontrola sestavy"});
}
