// The colour buttons: the glyph shows the colour and gives it back, the
// palette drops under the pressed button, and a pick paints and applies.
#include "report/designer/colorselector/colorselector.h"
#include "report/designer/objects/colorbuttons.h"
#include "report/designer/objects/formattags.h"
#include "report/vltoolbuttons.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ColorGlyphs, TheBarTakesTheColourAndReadsBack)
{
    for (int cell : {ccFont, ccFill, ccFrame}) {
        const QImage glyph = vlColorButtonGlyph(cell, clTeal);
        ASSERT_EQ(glyph.size(), QSize(32, 16));
        EXPECT_EQ(vlGlyphColor(glyph), clTeal) << cell;
        EXPECT_EQ(glyph.pixelColor(8, 15), QColor(0, 0x80, 0x80));
        EXPECT_EQ(glyph.pixel(0, 15), glyph.pixel(0, 0)) << "the bottom left pixel stays the transparent colour";
    }
    const QImage none = vlColorButtonGlyph(ccFill, clNone);
    EXPECT_EQ(vlGlyphColor(none), clNone);
    EXPECT_EQ(vlGlyphColor(vlColorButtonGlyph(ccFrame, clBlack)), clBlack);
    EXPECT_EQ(vlGlyphColor(vlColorButtonGlyph(ccFrame, clWhite)), clWhite);
}

struct ColorButtonsTest : ::testing::Test
{
    ColorButtonsTest()
    {
        form.resize(400, 300);
        fill = new TvlSpeedButton(&form);
        fill->setGeometry(100, 10, 22, 22);
        fill->setProperty("Tag", int(tagFillColor));
        frame = new TvlSpeedButton(&form);
        frame->setGeometry(130, 10, 22, 22);
        frame->setProperty("Tag", int(tagFrameColor));
        selector = new TColorSelector(&form);
        selector->hide();
        TvlColorButtons::Paint(fill, ccFill, clYellow);
        TvlColorButtons::Paint(frame, ccFrame, clNone);
        form.show();
    }
    QWidget form;
    TvlSpeedButton *fill = nullptr;
    TvlSpeedButton *frame = nullptr;
    TColorSelector *selector = nullptr;
    std::vector<TvlSpeedButton *> applied;
};

TEST_F(ColorButtonsTest, PaletteDropsUnderTheButtonAndToggles)
{
    TvlColorButtons buttons(selector, [&](TvlSpeedButton *button) { applied.push_back(button); });
    buttons.Click(fill);
    EXPECT_TRUE(selector->isVisible());
    EXPECT_EQ(selector->pos(), QPoint(100, 36));
    EXPECT_EQ(selector->Color(), clYellow);
    EXPECT_TRUE(selector->Button(12)->Down());
    buttons.Click(fill);
    EXPECT_FALSE(selector->isVisible());

    buttons.Click(fill);
    buttons.Click(frame);
    EXPECT_TRUE(selector->isVisible()) << "another button moves the palette";
    EXPECT_EQ(selector->pos(), QPoint(130, 36));
    EXPECT_EQ(selector->Color(), clNone);
    EXPECT_EQ(buttons.ColorButton(), frame);
}

TEST_F(ColorButtonsTest, APickPaintsTheButtonAndAppliesIt)
{
    TvlColorButtons buttons(selector, [&](TvlSpeedButton *button) { applied.push_back(button); });
    buttons.Click(frame);
    QTest::mouseClick(selector->Button(10), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(selector->isVisible());
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], frame);
    EXPECT_EQ(selector->Color(), clRed);
    EXPECT_EQ(vlGlyphColor(frame->Glyph()), clRed);
    EXPECT_EQ(vlGlyphColor(fill->Glyph()), clYellow);
}

TEST(LineStylePanel, DropsUnderItsButtonAndReportsTheStyle)
{
    QWidget form;
    form.resize(300, 300);
    auto *stB1 = new TvlSpeedButton(&form);
    stB1->setGeometry(50, 20, 22, 22);
    auto *panel = new TvlLineStylePanel(&form);
    int chosen = 0;
    panel->OnStyle = [&](int tag) { chosen = tag; };
    form.show();
    EXPECT_FALSE(panel->isVisible());
    panel->Toggle(stB1);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), QPoint(50, 46));
    EXPECT_EQ(panel->Button(0)->NumGlyphs(), 1);
    QTest::mouseClick(panel->Button(3), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(chosen, 28);
    panel->Toggle(stB1);
    panel->Toggle(stB1);
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
