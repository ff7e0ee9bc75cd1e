// Rich text objects in built reports: sums in a footer in the bracket's
// formatting, and a text longer than a page going on from the right place.
#include "report/reportbuild.h"
#include "report/rich/vlrichview.h"

#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

TvlRichView *addRich(TestReport &t, int left, int top, int width, int height, const QByteArray &rtf)
{
    auto rich = std::make_unique<TvlRichView>();
    rich->SetBounds(left, top, width, height);
    rich->SetRtf(rtf);
    rich->Flags = 1;
    rich->Name = QStringLiteral("Rich%1").arg(top);
    return static_cast<TvlRichView *>(t.page->Add(std::move(rich)));
}

// The rich texts of the prepared pages, page by page.
QList<QList<QByteArray>> preparedRichTexts(TestReport &t)
{
    QList<QList<QByteArray>> pages;
    for (int i = 0; i < t.report->EMFPages.Count(); ++i) {
        pages.append(QList<QByteArray>());
        t.report->EMFPages.ExportPage(i, [&](TvlView &view) {
            if (auto *rich = dynamic_cast<TvlRichView *>(&view))
                pages.last().append(rich->Rtf());
        });
    }
    return pages;
}

} // namespace

TEST(RichReport, FooterSumPrintsInTheBracketsFormatting)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev", "Cena"}, {{"Mléko", 21.9}, {"Sýr", 35.0}, {"Chléb", 39.0}});
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 200, 18, {"[Nazev]"});
    t.Band(btMasterFooter, 50, 30);
    addRich(t, 20, 50, 400, 24,
            "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
            "\\f0\\fs20 Celkem: \\b\\cf1 [SUM([Cena])]\\b0\\cf0  K\\'e8}");
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<QList<QByteArray>> pages = preparedRichTexts(t);
    ASSERT_EQ(pages.size(), 1);
    ASSERT_EQ(pages[0].size(), 1);
    TvlRichView printed;
    printed.SetRtf(pages[0][0]);
    const QString text = printed.RichEdit.toPlainText();
    EXPECT_EQ(text.left(8), QStringLiteral("Celkem: "));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" Kč"))) << text.toStdString();
    const QString sum = text.mid(8, text.size() - 11);
    EXPECT_DOUBLE_EQ(QString(sum).replace(u',', u'.').toDouble(), 95.9) << sum.toStdString();
    QTextCursor cursor(&printed.RichEdit);
    cursor.setPosition(9);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    cursor.setPosition(int(text.size()));
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
}

TEST(RichReport, LongTextGoesOnOnTheNextPageFromTheRightCharacter)
{
    TestReport t;
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\fs20 ";
    for (int i = 1; i <= 150; ++i)
        rtf += "\\'d8\\'e1dek " + QByteArray::number(i) + "\\par ";
    rtf += "}";
    t.Band(btReportTitle, 20, 40, {}, 48 | 1 | 8); // stretched, may split
    addRich(t, 20, 20, 400, 30, rtf);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<QList<QByteArray>> pages = preparedRichTexts(t);
    ASSERT_GE(pages.size(), 2);
    int expected = 1;
    for (const QList<QByteArray> &page : pages) {
        ASSERT_EQ(page.size(), 1);
        TvlRichView part;
        part.SetRtf(page[0]);
        const QStringList lines = part.RichEdit.toPlainText().split(u'\n');
        EXPECT_EQ(lines.first(), QStringLiteral("Řádek %1").arg(expected));
        expected += int(lines.size());
    }
    EXPECT_EQ(expected, 151);
}
