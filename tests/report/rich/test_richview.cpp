// The rich text object: records, XML element, expansion of bracketed
// expressions, heights and split printing, drawing.
#include "report/reportbytes.h"
#include "report/rich/richlayout.h"
#include "report/rich/rtfreader.h"
#include "report/rich/rtfwriter.h"
#include "report/rich/vlrichview.h"
#include "report/vlregistry.h"
#include "report/vlreportlayout.h"
#include "report/xmlreport.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

QByteArray saved(TvlView &view)
{
    MemoryStream stream;
    view.SaveToStream(stream);
    return stream.data();
}

// Paragraphs "Řádek 1" ... "Řádek n" in 10-point Arial.
QByteArray lines(int count)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\fs20 ";
    for (int i = 1; i <= count; ++i)
        rtf += "\\'d8\\'e1dek " + QByteArray::number(i) + "\\par ";
    return rtf + "}";
}

} // namespace

TEST(RichView, RegisteredAsAnAddInWithItsBaseName)
{
    vlRegisterRichView();
    vlRegisterRichView(); // once only
    int found = 0;
    for (const TvlAddInObjectInfo &info : vlAddIns())
        if (info.ClassName == QLatin1String("TvlRichView")) {
            ++found;
            EXPECT_EQ(info.ButtonHint, QStringLiteral("Vložit RichText"));
            EXPECT_FALSE(info.ButtonBmp.isNull());
        }
    EXPECT_EQ(found, 1);
    std::unique_ptr<TvlView> view = vlCreateView(otAddIn, QStringLiteral("TvlRichView"));
    ASSERT_NE(dynamic_cast<TvlRichView *>(view.get()), nullptr);
    EXPECT_EQ(view->ObjectType, otAddIn);
    EXPECT_EQ(view->NamePrefix, QStringLiteral("Rich"));
}

TEST(RichView, EmptyViewSavesTheFlagAndTheEndOnly)
{
    TvlRichView view;
    view.Name = QStringLiteral("Rich1");
    view.SetBounds(1, 2, 3, 4);
    MemoryStream stream;
    stream.writeBytes("xyz"); // the record's end is an absolute position
    view.SaveToStream(stream);
    const QByteArray base = [&] {
        struct Base : TvlView
        {
            void Draw(TvlCanvas &) override {}
        } b;
        b.Name = view.Name;
        b.SetBounds(1, 2, 3, 4);
        b.Format = view.Format;
        return saved(b);
    }();
    const QByteArray expected = "xyz" + base + Bytes().u8(0).i32(3 + base.size() + 5).data();
    EXPECT_EQ(stream.data(), expected);
    stream.seek(3);
    TvlRichView back;
    back.LoadFromStream(stream);
    EXPECT_EQ(stream.position(), stream.size());
    EXPECT_TRUE(back.RichEdit.isEmpty());
}

TEST(RichView, RecordKeepsTheTextAndIsFoundAtAnotherOffset)
{
    TvlRichView view;
    view.SetRtf(lines(2));
    const QByteArray record = saved(view);
    // The same bytes after a header of 7 bytes: the stored end no longer matches.
    MemoryStream shifted(QByteArray(7, 'h') + record + QByteArray(1, 4));
    shifted.seek(7);
    TvlRichView back;
    back.LoadFromStream(shifted);
    EXPECT_EQ(shifted.position(), 7 + record.size());
    EXPECT_EQ(back.RichEdit.toPlainText(), QStringLiteral("Řádek 1\nŘádek 2"));
    EXPECT_EQ(back.Rtf(), view.Rtf());

    // A text that never ends is a damaged record, not a hang or a crash.
    MemoryStream cut(record.left(record.size() - 6));
    TvlRichView damaged;
    EXPECT_THROW(damaged.LoadFromStream(cut), StreamError);
}

TEST(RichView, XmlElementCarriesTheStreamedText)
{
    TvlRichView view;
    view.Name = QStringLiteral("Rich1");
    view.Flags = 1;
    view.Memo = QStringList{QStringLiteral("Zbozi.Popis")};
    view.SetRtf("{\\rtf1 a}");
    MemoryStream stream;
    TvlXmlWriter xml(stream);
    TvlXmlContext context;
    context.DataField = [](const QString &text, QString *dataSet, QString *field) {
        *dataSet = QStringLiteral("Data.") + text.section(u'.', 0, 0);
        *field = text.section(u'.', 1);
        return true;
    };
    view.WriteXmlElement(xml, context);
    const QString element = QString::fromUtf8(stream.data());
    EXPECT_TRUE(element.startsWith(QStringLiteral("<TvlxRichView Name=\"Rich1\"")));
    const QByteArray rtf = view.Rtf();
    const QByteArray property = Bytes().u8(8).raw("RichEdit").u8(10).i32(rtf.size()).raw(rtf);
    EXPECT_TRUE(element.contains(QStringLiteral(" Propdata=\"") + QString::fromLatin1(vlXmlHex(property)) + u'"'));
    EXPECT_TRUE(element.contains(QStringLiteral(" StretchMode=\"smMaxHeight\" DataSet=\"Data.Zbozi\" "
                                                "DataField=\"Popis\"/>\r\n")));
}

TEST(RichView, ExpansionKeepsTheFormattingOfTheBracketedText)
{
    TvlRichView view;
    view.SetRtf("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs20 "
                "Celkem: \\b\\cf1 [SUM([Cena])]\\b0\\cf0  K\\'e8 [[x]] [neuzavreno\\par dal\\'9a\\'ed [A]}");
    QStringList asked;
    view.PrepareText([&](const QString &expression) {
        asked << expression;
        return expression == QLatin1String("A") ? QStringLiteral("[A]") : QStringLiteral("1 234,50");
    });
    QTextDocument &work = view.WorkText();
    EXPECT_EQ(work.toPlainText(), QStringLiteral("Celkem: 1 234,50 Kč 1 234,50 [neuzavreno\ndalší [A]"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("SUM([Cena])"), QStringLiteral("[x]"), QStringLiteral("A")}));
    QTextCursor cursor(&work);
    cursor.setPosition(int(work.toPlainText().indexOf(QStringLiteral("234"))) + 1);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    cursor.setPosition(int(work.toPlainText().indexOf(QStringLiteral("Kč"))) + 1);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
    // The design text keeps its brackets; a view with expansion off keeps them too.
    EXPECT_TRUE(view.RichEdit.toPlainText().contains(QStringLiteral("[SUM([Cena])]")));
    view.NoExpansion = true;
    view.PrepareText([](const QString &) { return QStringLiteral("x"); });
    EXPECT_EQ(view.WorkText().toPlainText(), view.RichEdit.toPlainText());
}

TEST(RichView, HeightsFollowTheTextOnTheFixedLayout)
{
    TvlRichView view;
    view.SetBounds(0, 0, 300, 50);
    EXPECT_EQ(view.CalcHeight(), 8); // nothing to show
    view.SetRtf(lines(10));
    const int ten = view.CalcHeight();
    view.SetRtf(lines(20));
    const int twenty = view.CalcHeight();
    EXPECT_GT(ten, 100);
    EXPECT_NEAR(twenty - 2 * view.TextGap(), 2 * (ten - 2 * view.TextGap()), 2);
    EXPECT_EQ(view.GetLineHeight(), 8);
    EXPECT_EQ(view.GetRemainingHeight(), twenty);

    // The layout cuts between whole lines only, and what fits is measured as it is drawn.
    QTextDocument doc;
    vlReadRtf(lines(20), doc);
    TvlRichLayout layout(doc, 300);
    const int end = layout.FitEnd(0, 100);
    EXPECT_GT(end, 0);
    EXPECT_EQ(doc.findBlock(end).position(), end);
    EXPECT_LE(layout.HeightOf(0, end), 100);
    EXPECT_GT(layout.HeightOf(0, layout.FitEnd(end, 1)) + layout.HeightOf(end, layout.FitEnd(end, 100)), 100);
    EXPECT_EQ(layout.FitEnd(0, 1), 0); // not even one line
    EXPECT_EQ(layout.FitEnd(0, 1e6), layout.End());
}

TEST(RichView, LongTextContinuesOnTheNextPageFromTheRightCharacter)
{
    TvlRichView view;
    view.SetBounds(0, 0, 300, 100);
    view.SetRtf(lines(30));
    view.Flags = 1;
    EXPECT_TRUE(view.PrintsInParts());
    view.PrepareText([](const QString &) { return QString(); });
    QStringList firsts, lasts;
    int pages = 0;
    while (view.PartLeft() && pages < 20) {
        MemoryStream stream;
        view.Print(stream);
        MemoryStream in(stream.data());
        in.seek(0);
        EXPECT_EQ(in.readUInt8(), otAddIn);
        EXPECT_EQ(ReadString(in), QStringLiteral("TvlRichView"));
        TvlRichView page;
        page.StorageMode = smPrepared;
        page.LoadFromStream(in);
        const QString text = page.RichEdit.toPlainText();
        firsts << text.section(u'\n', 0, 0);
        EXPECT_FALSE(text.endsWith(u'\n')) << pages;
        lasts << text.section(u'\n', -1);
        ++pages;
    }
    ASSERT_GT(pages, 2);
    EXPECT_EQ(firsts.first(), QStringLiteral("Řádek 1"));
    EXPECT_EQ(lasts.last(), QStringLiteral("Řádek 30"));
    for (int i = 1; i < pages; ++i) {
        const int previous = lasts[i - 1].section(u' ', 1).toInt();
        EXPECT_EQ(firsts[i], QStringLiteral("Řádek %1").arg(previous + 1)) << i;
    }
}

TEST(RichView, DrawnIntoAnImageInsideItsRectangle)
{
    TvlRichView view;
    view.SetBounds(10, 10, 200, 40);
    view.FrameTyp = 0;
    view.SetRtf("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\fs40\\cf1\\b MMMM\\par MMMM\\par MMMM\\par MMMM}");
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TvlPainterCanvas canvas(painter);
        canvas.Mode = TvlDrawMode::Printing;
        view.Draw(canvas);
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                (QRect(10, 10, 201, 41).contains(x, y) ? inside : outside)++;
        }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0); // the third line would not fit and is not drawn below the view
    // Scaled twice, the text covers about four times the pixels.
    QImage large(600, 400, QImage::Format_RGB32);
    large.fill(Qt::white);
    {
        QPainter painter(&large);
        TvlPainterCanvas canvas(painter);
        canvas.Mode = TvlDrawMode::Printing;
        view.ScaleX = view.ScaleY = 2;
        view.Draw(canvas);
    }
    int scaled = 0;
    for (int y = 0; y < large.height(); ++y)
        for (int x = 0; x < large.width(); ++x) {
            const QColor c = large.pixelColor(x, y);
            scaled += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(scaled, 3 * inside);
    EXPECT_LT(scaled, 5 * inside);
}

TEST(RichView, LayoutFileWithRichTextLoadsWithoutRegistering)
{
    TvlReportLayout layout;
    layout.KeepCurrentPrinter = 1;
    TvlPage *page = layout.Pages.Add();
    auto view = std::make_unique<TvlRichView>();
    view->Name = QStringLiteral("Rich1");
    view->SetBounds(10, 20, 300, 40);
    view->SetRtf(lines(3));
    page->Add(std::move(view));
    MemoryStream stream;
    layout.SaveToStream(stream);
    stream.seek(0);
    TvlReportLayout back;
    back.KeepCurrentPrinter = 1;
    ASSERT_TRUE(back.LoadFromStream(stream));
    ASSERT_EQ(back.Pages.Count(), 1);
    ASSERT_EQ(back.Pages.GetPage(0)->Count(), 1);
    auto *rich = dynamic_cast<TvlRichView *>(back.Pages.GetPage(0)->Object(0));
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->RichEdit.toPlainText(), QStringLiteral("Řádek 1\nŘádek 2\nŘádek 3"));
    MemoryStream again;
    back.SaveToStream(again);
    EXPECT_EQ(again.data(), stream.data());
}
