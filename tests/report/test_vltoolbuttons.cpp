#include "report/vltoolbuttons.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor olive(0x80, 0x80, 0x00);
const TvlFaceColours face{QColor(0xC0, 0xC0, 0xC0), Qt::white, QColor(0x80, 0x80, 0x80)};

// A strip of count square glyphs of size 16: olive with a coloured square.
QImage strip(int width, int height = 16)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(olive);
    for (int x = 4; x < 8; ++x)
        for (int y = 4; y < 8; ++y)
            image.setPixel(x, y, qRgb(200, 100, 50));
    return image;
}

} // namespace

TEST(ToolButtonGlyphs, NumberOfImagesFromTheBitmapsShape)
{
    TvlButtonGlyph glyph;
    glyph.SetBitmap(strip(64));
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    EXPECT_EQ(glyph.ImageSize(), QSize(16, 16));
    glyph.SetBitmap(strip(80));
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetBitmap(strip(32));
    EXPECT_EQ(glyph.NumGlyphs(), 2);
    glyph.SetNumGlyphs(9);
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    EXPECT_EQ(glyph.TransparentColour(), olive);
}

TEST(ToolButtonGlyphs, StateImages)
{
    const QImage bitmap = strip(16);
    const QImage up = TvlButtonGlyph::BuildImage(bitmap, 1, TvlGlyphState::Up, olive, face);
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0);
    EXPECT_EQ(up.pixel(5, 5), qRgb(200, 100, 50));
    // Grayed: (R x 77 + G x 150 + B x 29) >> 8 in every channel.
    const QImage gray = TvlButtonGlyph::BuildImage(bitmap, 1, TvlGlyphState::Grayed, olive, face);
    const int g = (200 * 77 + 100 * 150 + 50 * 29) >> 8;
    EXPECT_EQ(gray.pixel(5, 5), qRgb(g, g, g));
    EXPECT_EQ(qAlpha(gray.pixel(0, 0)), 0);
    // Disabled from one image: shadow in place, highlight one pixel down and right.
    const QImage disabled = TvlButtonGlyph::BuildImage(bitmap, 1, TvlGlyphState::Disabled, olive, face);
    EXPECT_EQ(disabled.pixel(4, 4), face.Shadow.rgb());
    EXPECT_EQ(disabled.pixel(8, 8), face.Highlight.rgb());
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
    // Down uses the first image below three images; a state beyond the images the first.
    QImage two = strip(32);
    two.setPixel(20, 5, qRgb(1, 2, 3));
    EXPECT_EQ(TvlButtonGlyph::BuildImage(two, 2, TvlGlyphState::Down, olive, face).pixel(4, 5), qRgb(200, 100, 50));
    EXPECT_EQ(TvlButtonGlyph::BuildImage(two, 2, TvlGlyphState::Exclusive, olive, face).pixel(4, 5),
              qRgb(200, 100, 50));
    QImage three = strip(48);
    three.setPixel(32 + 4, 5, qRgb(1, 2, 3));
    EXPECT_EQ(TvlButtonGlyph::BuildImage(three, 3, TvlGlyphState::Down, olive, face).pixel(4, 5), qRgb(1, 2, 3));
}

TEST(ToolButtonGlyphs, ListsSharedPerSizeAndFreedWithTheLastUse)
{
    {
        TvlButtonGlyph a, b, c;
        a.SetBitmap(strip(16));
        b.SetBitmap(strip(16));
        c.SetBitmap(strip(20, 20));
        a.Image(TvlGlyphState::Up, face);
        a.Image(TvlGlyphState::Grayed, face);
        b.Image(TvlGlyphState::Up, face);
        c.Image(TvlGlyphState::Up, face);
        ASSERT_NE(TvlGlyphCache::Instance(), nullptr);
        EXPECT_EQ(a.List(), b.List());
        EXPECT_NE(a.List(), c.List());
        EXPECT_EQ(a.List()->Count(), 3);
        EXPECT_EQ(TvlGlyphCache::Instance()->ListCount(), 2);
        // A freed slot is taken again first.
        a.Invalidate();
        EXPECT_EQ(b.List()->Count(), 1);
        b.Image(TvlGlyphState::Grayed, face);
        EXPECT_EQ(b.List()->SlotCount(), 3);
        c.SetBitmap(strip(32)); // a new bitmap gives its images back
        EXPECT_EQ(TvlGlyphCache::Instance()->ListCount(), 1);
    }
    EXPECT_EQ(TvlGlyphCache::Instance(), nullptr);
}

TEST(ToolButtons, PlacementSharesTheFreeSpace)
{
    // Margin and spacing -1: glyph, caption and three gaps share equally.
    auto p = TvlSpeedButton::Place(QSize(100, 22), QSize(16, 16), QSize(40, 14), TvlSpeedButton::blGlyphLeft, -1, -1);
    EXPECT_EQ(p.Glyph, QPoint(14, 3));
    EXPECT_EQ(p.Text, QPoint(14 + 16 + 14, 4));
    p = TvlSpeedButton::Place(QSize(100, 22), QSize(16, 16), QSize(40, 14), TvlSpeedButton::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.Glyph.x(), (100 - 16 - 4 - 40 + 1) / 2);
    p = TvlSpeedButton::Place(QSize(100, 22), QSize(16, 16), QSize(40, 14), TvlSpeedButton::blGlyphRight, 2, -1);
    EXPECT_EQ(p.Glyph.x(), 100 - 2 - 16);
    EXPECT_EQ(p.Text.x(), 100 - 2 - 16 - (100 - 2 - 16 - 40) / 2 - 40);
    // Without a caption there is no spacing: the glyph is centred.
    p = TvlSpeedButton::Place(QSize(22, 22), QSize(16, 16), QSize(0, 0), TvlSpeedButton::blGlyphTop, -1, 4);
    EXPECT_EQ(p.Glyph, QPoint(3, 3));
}

TEST(ToolButtons, FlatButtonGrayUntilHoveredAndCheckeredWhileDown)
{
    QWidget bar;
    TvlTBButton button(&bar);
    button.SetGlyph(strip(16));
    button.SetGroupIndex(1);
    bar.show();
    EXPECT_EQ(button.PaintState(), TvlGlyphState::Grayed);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.MouseInControl());
    EXPECT_EQ(button.PaintState(), TvlGlyphState::Up);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    button.SetDown(true);
    const QImage face = button.grab().toImage();
    // The checkerboard: white where row and column have the same parity.
    EXPECT_EQ(face.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_NE(face.pixel(3, 2), qRgb(255, 255, 255));
    button.SetGrayedInactive(false);
    EXPECT_EQ(button.PaintState(), TvlGlyphState::Exclusive);
    button.setEnabled(false);
    EXPECT_EQ(button.PaintState(), TvlGlyphState::Disabled);
}

TEST(ToolButtons, GroupsKeepOneDown)
{
    QWidget bar;
    TvlSpeedButton a(&bar), b(&bar), other(&bar);
    a.resize(22, 22);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.SetDown(true);
    a.SetDown(true);
    b.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_TRUE(other.Down());
    // Pressing the down button of a group without AllowAllUp leaves it down.
    int clicks = 0;
    QObject::connect(&b, &TvlSpeedButton::OnClick, [&] { ++clicks; });
    b.resize(22, 22);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clicks, 1);
    // Siblings copy AllowAllUp; then it can come up.
    a.SetAllowAllUp(true);
    EXPECT_TRUE(b.AllowAllUp());
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.Down());
    // A button without a group never stays down.
    TvlSpeedButton single(&bar);
    single.SetDown(true);
    EXPECT_FALSE(single.Down());
    single.SetMargin(-2);
    EXPECT_EQ(single.Margin(), -1);
}

TEST(ToolButtons, CaptionAcceleratorClicksAnEnabledButton)
{
    QWidget window;
    TvlSpeedButton button(&window);
    button.SetCaption("&Tisk");
    int clicks = 0;
    QObject::connect(&button, &TvlSpeedButton::OnClick, [&] { ++clicks; });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}
