#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlpreparedpages.h"
#include "reportbytes.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Two prepared pages: a memo and a line on the first, a memo on the second.
void build(TvlEMFPages &pages, TvlPages &design)
{
    TvlPage *a4 = design.Add();
    TvlPage *landscape = design.Add();
    landscape->ChangePaper(11, 1480, 2100, poLandscape);
    landscape->UseMargins = 0;
    TvlPageInfo *first = pages.Add(*a4);
    TvlMemoView memo;
    memo.SetBounds(40, 50, 200, 40);
    memo.WorkMemo = {"Pokladní doklad č. 1", "Celkem 1 234,50 Kč"};
    memo.Print(*first->Stream);
    TvlLineView line;
    line.SetBounds(40, 100, 300, 0);
    line.Print(*first->Stream);
    TvlLineView hidden;
    hidden.Visible = 0;
    hidden.Print(*first->Stream);
    TvlPageInfo *second = pages.Add(*landscape);
    memo.WorkMemo = {"Strana 2"};
    memo.Print(*second->Stream);
}

QByteArray saved(const TvlEMFPages &pages)
{
    MemoryStream stream;
    pages.SaveToStream(stream);
    return stream.data();
}

} // namespace

TEST(PreparedPages, PagesTakeThePaperOfTheirDesignPage)
{
    TvlEMFPages pages;
    TvlPages design;
    QList<int> begun;
    pages.OnBeginPage = [&](int index) { begun << index; };
    build(pages, design);
    EXPECT_EQ(begun, (QList<int>{0, 1}));
    ASSERT_EQ(pages.Count(), 2);
    EXPECT_EQ(pages[0]->PaperSize, 9);
    EXPECT_EQ(pages[0]->UseMargins, 1);
    EXPECT_EQ(pages[1]->PaperSize, 11);
    EXPECT_EQ(pages[1]->Orientation, 1);
    EXPECT_EQ(pages[1]->UseMargins, 0);
    EXPECT_EQ(pages[1]->PrnInfo, design[1]->PrnInfo);
    EXPECT_EQ(pages[0]->Stream->data().at(0), 23);
    // Inserting past the end appends.
    pages.Insert(99, *design[0]);
    EXPECT_EQ(pages.Count(), 3);
    pages.Delete(2);
    EXPECT_EQ(pages.Count(), 2);
}

TEST(PreparedPages, FileRoundTripByteForByte)
{
    TvlEMFPages pages;
    TvlPages design;
    build(pages, design);
    const QByteArray bytes = saved(pages);
    const QByteArray page1 = pages[0]->Stream->data();
    Bytes head;
    head.u8(0).str(vlPrinter().PrinterName()).i32(2);
    const int firstPage = head.data().size();
    head.i32(firstPage + 16 + page1.size()).u16(9).i32(2100).i32(2970).u8(0).u8(1);
    EXPECT_EQ(bytes.left(head.data().size()), head.data());
    EXPECT_EQ(bytes.mid(head.data().size(), page1.size()), page1);

    TvlEMFPages back;
    QString error;
    MemoryStream stream(bytes);
    ASSERT_TRUE(back.LoadFromStream(stream, &error)) << error.toStdString();
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(saved(back), bytes);
    EXPECT_EQ(back[1]->PaperSize, 11);
    EXPECT_EQ(back[1]->Orientation, 1);
    EXPECT_EQ(back[0]->PrnInfo, pages[0]->PrnInfo);

    ASSERT_TRUE(back.LoadPage(0));
    TvlPage *page = back[0]->Page.get();
    ASSERT_EQ(page->Count(), 2);
    EXPECT_EQ(page->Object(0)->StorageMode, smDesign);
    auto *memo = dynamic_cast<TvlMemoView *>(page->Object(0));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(vlDecodeTextLine(memo->Memo[0]).Text, "Pokladní doklad č. 1");
    EXPECT_TRUE(vlDecodeTextLine(memo->Memo[1]).ParagraphEnd);
    // Saving an unchanged page gives its stream back.
    back.SavePage(0);
    EXPECT_EQ(back[0]->Stream->data(), page1);

    QTemporaryDir dir;
    ASSERT_TRUE(back.SaveToFile(dir.filePath("sestava.vlp")));
    TvlEMFPages fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(dir.filePath("sestava.vlp")));
    EXPECT_EQ(saved(fromFile), bytes);

    TvlEMFPages empty;
    EXPECT_EQ(saved(empty), Bytes().u8(0).str(vlPrinter().PrinterName()).i32(0).data());
}

TEST(PreparedPages, TruncatedOrDamagedFilesAreReported)
{
    TvlEMFPages pages;
    TvlPages design;
    build(pages, design);
    const QByteArray bytes = saved(pages);
    TvlEMFPages back;
    QString error;
    MemoryStream truncated(bytes.left(bytes.size() - 3));
    EXPECT_FALSE(back.LoadFromStream(truncated, &error));
    EXPECT_EQ(error, TvlEMFPages::DamagedFile);
    EXPECT_EQ(back.Count(), 1); // the pages read before stay for the caller to decide

    QByteArray compressed = bytes;
    compressed[0] = 1; // no compressor is installed
    MemoryStream stream(compressed);
    EXPECT_FALSE(back.LoadFromStream(stream, &error));

    Bytes hugeCount;
    hugeCount.u8(0).str("").i32(0x7FFFFFFF);
    MemoryStream huge(hugeCount);
    EXPECT_FALSE(back.LoadFromStream(huge, &error));
    EXPECT_EQ(back.Count(), 0);

    // A page stream with an unknown object keeps what came before it.
    pages[0]->Stream->writeUInt8(7);
    EXPECT_FALSE(pages.LoadPage(0));
    EXPECT_EQ(pages[0]->Page->Count(), 2);
}

TEST(PreparedPages, OlderLayoutPagesBecomeOneMetafilePicture)
{
    const QByteArray metafile("\xD7\xCD\xC6\x9A metafile bytes", 19);
    Bytes old;
    old.oldMemo({"Tiskárna"}).i32(1);
    const int start = old.data().size();
    old.i32(start + 16 + metafile.size()).u16(9).i32(2100).i32(2970).u8(0).u8(1).raw(metafile);
    ASSERT_EQ(old.data().at(0), 'T'); // a first byte between 2 and 254
    TvlEMFPages pages;
    MemoryStream stream(old);
    ASSERT_TRUE(pages.LoadFromStream(stream));
    ASSERT_EQ(pages.Count(), 1);
    ASSERT_TRUE(pages.LoadPage(0));
    auto *picture = dynamic_cast<TvlPictureView *>(pages[0]->Page->Object(0));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.Kind(), gkMetafile);
    EXPECT_EQ(picture->Picture.Data(), metafile);
    EXPECT_EQ(picture->Width, pages[0]->PrnInfo.PageWidth);
    EXPECT_EQ(picture->Left, 0);
}

TEST(PreparedPages, DrawingScalesVisiblePagesAndReleasesHiddenOnes)
{
    TvlEMFPages pages;
    TvlPages design;
    build(pages, design);
    TvlPageInfo *info = pages[0];
    QImage image(2 * info->PrnInfo.PageWidth, 2 * info->PrnInfo.PageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TvlPainterCanvas canvas(painter);
    TvlTextRecorder recorder(&canvas);

    pages.DrawPage(0, recorder, image.rect());
    EXPECT_TRUE(recorder.Outputs().isEmpty()); // not marked visible
    info->Visible = true;
    pages.DrawPage(0, recorder, image.rect());
    ASSERT_EQ(recorder.Outputs().size(), 2);
    EXPECT_EQ(recorder.Outputs()[0].Text, "Pokladní doklad č. 1");
    EXPECT_EQ(recorder.Outputs()[1].Text, "Celkem 1 234,50 Kč");
    EXPECT_EQ(recorder.Outputs()[0].X, 2 * 40 + 3); // the gap grows with the scaled frame
    EXPECT_EQ(recorder.Outputs()[0].Y, 2 * 50 + 1);
    EXPECT_EQ(recorder.Outputs()[0].Font.pixelSize(), 26);
    painter.end();
    EXPECT_EQ(image.pixel(200, 200) & 0xFFFFFF, 0u); // the line at y 100, doubled
    ASSERT_NE(info->Page, nullptr);

    // Objects outside the clip area are skipped on screen.
    QImage small(100, 100, QImage::Format_RGB32);
    QPainter smallPainter(&small);
    smallPainter.setClipRect(0, 0, 10, 10);
    TvlPainterCanvas clipped(smallPainter);
    TvlTextRecorder clippedRecorder(&clipped);
    pages.DrawPage(0, clippedRecorder, QRect(0, 0, info->PrnInfo.PageWidth, info->PrnInfo.PageHeight));
    EXPECT_TRUE(clippedRecorder.Outputs().isEmpty());

    info->Visible = false;
    pages.DrawPage(0, recorder, image.rect());
    EXPECT_EQ(info->Page, nullptr);

    QStringList exported;
    EXPECT_TRUE(pages.ExportPage(1, [&](TvlView &view) { exported << view.ClassName(); }));
    EXPECT_EQ(exported, QStringList{"TvlMemoView"});
}
