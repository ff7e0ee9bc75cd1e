// The colour palette: the sixteen colours, transparent, and any colour
// through the (answered) colour dialog.
#include "report/designer/colorselector/colorselector.h"
#include "report/vltoolbuttons.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ColorSelectorTest : ::testing::Test
{
    ColorSelectorTest()
    {
        owner.resize(300, 300);
        selector = new TColorSelector(&owner);
        selector->OnColorSelected = [this] { ++fired; };
        owner.show();
        selector->show();
    }
    void click(int tag) { QTest::mouseClick(selector->Button(tag), Qt::LeftButton, {}, QPoint(5, 5)); }

    QWidget owner;
    TColorSelector *selector = nullptr;
    int fired = 0;
};

TEST_F(ColorSelectorTest, LaysOutSixteenColoursAndTwoWideButtons)
{
    EXPECT_EQ(selector->Button(7)->geometry(), QRect(70, 26, 22, 22)); // row 1, column 3
    EXPECT_EQ(selector->Button(17)->geometry(), QRect(4, 110, 88, 18));
    // The glyph shows the table colour inside its frame; BGR order: Tag 2 is maroon.
    EXPECT_EQ(selector->Button(2)->Glyph().pixelColor(8, 8), QColor(0x80, 0, 0));
    EXPECT_EQ(selector->Button(13)->Glyph().pixelColor(8, 8), QColor(0, 0, 0xFF));
}

TEST_F(ColorSelectorTest, ChoosingAColourOrTransparentHidesAndFires)
{
    click(10);
    EXPECT_EQ(selector->Color(), clRed);
    EXPECT_FALSE(selector->isVisible());
    EXPECT_EQ(fired, 1);

    selector->show();
    click(TColorSelector::TransparentTag);
    EXPECT_EQ(selector->Color(), clNone);
    EXPECT_EQ(fired, 2);
}

TEST_F(ColorSelectorTest, OtherColourTakesTheDialogsAnswerAndCancelKeepsEverything)
{
    selector->SetColor(clGreen);
    TColor asked = -1;
    selector->AskColor = [&](TColor current) -> std::optional<TColor> {
        asked = current;
        return std::nullopt;
    };
    click(TColorSelector::OtherTag);
    EXPECT_EQ(asked, clGreen);
    EXPECT_TRUE(selector->isVisible());
    EXPECT_EQ(selector->Color(), clGreen);
    EXPECT_EQ(fired, 0);

    selector->AskColor = [](TColor) -> std::optional<TColor> { return TColor(0x123456); };
    click(TColorSelector::OtherTag);
    EXPECT_EQ(selector->Color(), 0x123456);
    EXPECT_FALSE(selector->isVisible());
    EXPECT_EQ(fired, 1);
}

TEST_F(ColorSelectorTest, SetButtonColorMarksTableColoursAndShowsOthersAsASwatch)
{
    selector->SetButtonColor(clBlue);
    EXPECT_TRUE(selector->Button(13)->Down());

    selector->SetButtonColor(0x123456);
    EXPECT_TRUE(selector->Button(13)->Down()) << "a custom colour leaves the down states";
    const QImage swatch = selector->OtherButton()->Glyph();
    ASSERT_EQ(swatch.size(), QSize(12, 13));
    EXPECT_EQ(swatch.pixelColor(6, 6), QColor(0x56, 0x34, 0x12));

    selector->SetButtonColor(clRed);
    EXPECT_TRUE(selector->Button(10)->Down());
    EXPECT_FALSE(selector->Button(13)->Down());
    EXPECT_TRUE(selector->OtherButton()->Glyph().isNull());

    selector->SetButtonColor(clNone);
    EXPECT_TRUE(selector->Button(TColorSelector::TransparentTag)->Down());
    EXPECT_FALSE(selector->Button(10)->Down());
}

} // namespace
