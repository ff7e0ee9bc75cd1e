#include "report/metafile/metafile.h"
#include "report/metafilebytes.h"
#include "report/vlcanvas.h"
#include "report/vlpictureview.h"
#include "report/vlpreparedpages.h"
#include "reportbytes.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The picture object drawn stretched over a 200 x 100 white image.
QImage drawn(const QByteArray &metafile)
{
    TvlPictureView view;
    view.SetBounds(0, 0, 200, 100);
    view.Flags = pfStretched;
    EXPECT_TRUE(view.Picture.Load(gkMetafile, metafile));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TvlPainterCanvas canvas(painter);
    canvas.Mode = TvlDrawMode::Printing;
    view.Draw(canvas);
    painter.end();
    return image;
}

// Whether a pixel of the colour lies within the rows of a column.
bool inColumn(const QImage &image, int x, int top, int bottom, QColor color);

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

bool inColumn(const QImage &image, int x, int top, int bottom, QColor color)
{
    for (int y = top; y <= bottom; ++y)
        if (near(image.pixelColor(x, y), color))
            return true;
    return false;
}

} // namespace

TEST(Metafile, KindsByTheirHeaders)
{
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::emf()), TvlMetafileKind::Emf);
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::wmf()), TvlMetafileKind::PlaceableWmf);
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::wmf().mid(22)), TvlMetafileKind::Wmf);
    EXPECT_EQ(TvlMetafile::KindOf("BM1234"), TvlMetafileKind::None);
    // Records that run past the bytes, or no end record: nothing for the converters.
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::emf().chopped(20)), TvlMetafileKind::None);
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::emf().chopped(4)), TvlMetafileKind::None);
    EXPECT_EQ(TvlMetafile::KindOf(metafilebytes::wmf().chopped(8)), TvlMetafileKind::None);
    QByteArray endless = metafilebytes::wmf();
    endless[22 + 18] = '\x7F'; // the first record claims more words than there are
    EXPECT_EQ(TvlMetafile::KindOf(endless), TvlMetafileKind::None);
}

TEST(Metafile, EnhancedRectangleAndLineDrawnWhereTheyLie)
{
    TvlMetafile metafile;
    ASSERT_TRUE(metafile.Load(metafilebytes::emf(true)));
    EXPECT_EQ(metafile.Size(), QSize(100, 50)); // the frame in pixels at 96 per inch
    const QImage image = drawn(metafilebytes::emf(true));
    // Scaled by two: the rectangle covers (20,20)-(120,80).
    EXPECT_TRUE(near(image.pixelColor(70, 50), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(24, 24), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(150, 50), Qt::white));
    EXPECT_TRUE(near(image.pixelColor(10, 10), Qt::white));
    EXPECT_TRUE(inColumn(image, 70, 86, 96, Qt::blue)); // the line at y 45
    EXPECT_FALSE(inColumn(image, 70, 82, 84, Qt::blue));
    EXPECT_TRUE(near(image.pixelColor(70, 98), Qt::white));
}

TEST(Metafile, PlaceableWindowsRectangleKeepsItsFrame)
{
    TvlMetafile metafile;
    ASSERT_TRUE(metafile.Load(metafilebytes::wmf()));
    EXPECT_EQ(metafile.Size(), QSize(100, 50));
    const QImage image = drawn(metafilebytes::wmf());
    EXPECT_TRUE(near(image.pixelColor(70, 50), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(30, 30), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(150, 50), Qt::white));
    EXPECT_TRUE(near(image.pixelColor(10, 10), Qt::white));
    EXPECT_TRUE(near(image.pixelColor(70, 90), Qt::white));
}

TEST(Metafile, RefusedFileKeepsThePlaceholderAndItsBytes)
{
    QByteArray broken = metafilebytes::emf();
    broken.truncate(60); // the header cut short
    broken.append(QByteArray(40, '\xFF'));
    TvlMetafile metafile;
    EXPECT_FALSE(metafile.Load(broken));
    TvlPicture picture;
    ASSERT_TRUE(picture.Load(gkMetafile, broken));
    EXPECT_EQ(picture.Metafile(), nullptr);
    EXPECT_EQ(picture.Data(), broken);
    EXPECT_EQ(picture.Size(), QSize(64, 64));
    const QImage image = drawn(broken);
    // The crossed box of the placeholder: its diagonal is drawn, nothing red.
    EXPECT_TRUE(inColumn(image, 100, 47, 53, QColor(192, 192, 192)));
    EXPECT_FALSE(near(image.pixelColor(70, 50), Qt::red));
}

TEST(Metafile, PagesOfTheOlderPreparedLayoutAreDrawn)
{
    const QByteArray metafile = metafilebytes::emf();
    Bytes old;
    old.oldMemo({"Tiskárna"}).i32(1);
    const int start = int(old.data().size());
    old.i32(start + 16 + int(metafile.size())).u16(9).i32(2100).i32(2970).u8(0).u8(1).raw(metafile);
    TvlEMFPages pages;
    MemoryStream stream(old);
    ASSERT_TRUE(pages.LoadFromStream(stream));
    ASSERT_EQ(pages.Count(), 1);
    pages[0]->Visible = true;
    QImage image(300, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TvlPainterCanvas canvas(painter);
    pages.DrawPage(0, canvas, image.rect());
    painter.end();
    // The page-sized picture: the rectangle covers about (30,82)-(182,245).
    EXPECT_TRUE(near(image.pixelColor(100, 160), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(250, 50), Qt::white));
    EXPECT_TRUE(near(image.pixelColor(100, 350), Qt::white));
}
