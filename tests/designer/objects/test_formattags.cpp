// The formatting tag table on a selection of a memo, a line, a picture and a
// band: what each tag changes, on which objects, and which default follows.
#include "report/designer/objects/formattags.h"
#include "report/vlbandview.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlstreams.h"

#include <gtest/gtest.h>

namespace {

struct FormatTagsTest : ::testing::Test
{
    FormatTagsTest()
    {
        memo.FrameTyp = frLeft;
        line.FrameTyp = 0;
        memo.Adjust = adRotated | adBottom | adRight;
        band.SetBandType(btMasterData);
        views = {&band, &memo, &line, &picture};
    }
    bool apply(int tag, bool down = false, const QString &text = {}, TColor color = 0)
    {
        TvlFormatRequest request;
        request.Tag = tag;
        request.Down = down;
        request.Text = text;
        request.Color = color;
        return vlApplyFormat(request, views, defaults);
    }

    TvlMemoView memo;
    TvlLineView line;
    TvlPictureView picture;
    TvlBandView band;
    std::vector<TvlView *> views;
    TvlObjectDefaults defaults;
};

TEST_F(FormatTagsTest, EdgesAllAndNoneChangeEveryObjectButTheBand)
{
    apply(tagFrameTop, true);
    apply(tagFrameBottom, true);
    EXPECT_EQ(memo.FrameTyp, frLeft | frTop | frBottom);
    EXPECT_EQ(line.FrameTyp, frTop | frBottom);
    EXPECT_EQ(band.GetBandType(), btMasterData);
    apply(tagFrameLeft, false);
    apply(tagFrameRight, true);
    EXPECT_EQ(memo.FrameTyp, frTop | frBottom | frRight);

    picture.FrameTyp = 0x100;
    EXPECT_TRUE(apply(tagFrameAll));
    EXPECT_EQ(picture.FrameTyp, 0x10F);
    EXPECT_EQ(defaults.FrameSides, 15);
    EXPECT_EQ(band.FrameTyp, btMasterData);
    EXPECT_TRUE(apply(tagFrameNone));
    EXPECT_EQ(picture.FrameTyp, 0x100);
    EXPECT_EQ(memo.FrameTyp, 0);
    EXPECT_EQ(defaults.FrameSides, 0);
    EXPECT_FALSE(apply(tagFrameTop, true)) << "only all and no edges ask for the buttons again";
}

TEST_F(FormatTagsTest, ColoursWidthsAndLineStyles)
{
    apply(tagFillColor, false, {}, clYellow);
    EXPECT_EQ(memo.FillColor, clYellow);
    EXPECT_EQ(line.FillColor, clYellow);
    EXPECT_EQ(band.FillColor, clNone);
    EXPECT_EQ(defaults.FillColor, clYellow);

    apply(tagFrameColor, false, {}, clRed);
    EXPECT_EQ(picture.FrameColor, clRed);
    EXPECT_EQ(defaults.FrameColor, clRed);

    apply(tagFontColor, false, {}, clBlue);
    EXPECT_EQ(memo.FontColor, clBlue);
    EXPECT_EQ(defaults.FontColor, clBlue);

    apply(tagFrameWidth, false, "2.5");
    EXPECT_DOUBLE_EQ(memo.FrameWidth, 2.5);
    EXPECT_DOUBLE_EQ(line.FrameWidth, 2.5);
    EXPECT_DOUBLE_EQ(band.FrameWidth, 1.0);
    EXPECT_DOUBLE_EQ(defaults.LineWidth, 2.5);
    EXPECT_DOUBLE_EQ(defaults.FrameWidth, 2.5);

    views = {&line};
    apply(tagFrameWidth, false, "3,5");
    EXPECT_DOUBLE_EQ(defaults.LineWidth, 3.5);
    EXPECT_DOUBLE_EQ(defaults.FrameWidth, 2.5) << "a line keeps the frame default";

    views = {&band, &memo, &line};
    apply(tagLineStyle + 2);
    EXPECT_EQ(memo.FrameStyle, 2);
    EXPECT_EQ(line.FrameStyle, 2);
    EXPECT_EQ(band.FrameStyle, psSolid);
}

TEST_F(FormatTagsTest, FontTagsChangeMemosOnly)
{
    apply(tagFontName, false, "Liberation Serif");
    EXPECT_EQ(memo.FontName, "Liberation Serif");
    EXPECT_EQ(defaults.FontName, "Liberation Serif");
    apply(tagFontSize, false, " 14 ");
    EXPECT_EQ(memo.FontSize, 14);
    EXPECT_EQ(defaults.FontSize, 14);

    apply(tagBold, true);
    apply(tagUnderline, true);
    EXPECT_EQ(FontStylesToCode(memo.FontStyle), 2 | 4);
    apply(tagItalic, true);
    apply(tagBold, false);
    EXPECT_EQ(FontStylesToCode(memo.FontStyle), 1 | 4);
    EXPECT_EQ(defaults.FontStyle, 1 | 4);
}

TEST_F(FormatTagsTest, AlignmentTagsKeepTheOtherAdjustBits)
{
    apply(tagAlignCenter);
    EXPECT_EQ(memo.Adjust, adRotated | adBottom | adCenter);
    apply(tagJustify);
    EXPECT_EQ(memo.Adjust, adRotated | adBottom | adJustify);
    apply(tagAlignLeft);
    EXPECT_EQ(memo.Adjust, adRotated | adBottom);
    apply(tagRotated, false);
    EXPECT_EQ(memo.Adjust, adBottom);

    TvlFormatRequest vertical;
    vertical.Tag = tagVertical;
    vertical.VCenterDown = true;
    vlApplyFormat(vertical, views, defaults);
    EXPECT_EQ(memo.Adjust, adVCenter);
    apply(tagAlignRight);
    apply(tagRotated, true);
    EXPECT_EQ(memo.Adjust, adVCenter | adRotated | adRight);
    EXPECT_EQ(defaults.Adjust, memo.Adjust);
}

TEST(FormatRequests, InvalidNumbersAreRefusedBeforeAnythingChanges)
{
    TvlFormatRequest request;
    request.Tag = tagFrameWidth;
    request.Text = "1,5";
    EXPECT_TRUE(vlFormatRequestError(request).isEmpty());
    request.Text = "1.5";
    EXPECT_TRUE(vlFormatRequestError(request).isEmpty());
    request.Text = "abc";
    EXPECT_EQ(vlFormatRequestError(request), QStringLiteral("Šířka orámování „abc“ není platné číslo."));
    request.Text = "";
    EXPECT_FALSE(vlFormatRequestError(request).isEmpty());

    request.Tag = tagFontSize;
    request.Text = "12";
    EXPECT_TRUE(vlFormatRequestError(request).isEmpty());
    request.Text = "12,5";
    EXPECT_EQ(vlFormatRequestError(request), QStringLiteral("Velikost fontu „12,5“ není platné celé číslo."));

    request.Tag = tagFontName;
    request.Text = " ";
    EXPECT_FALSE(vlFormatRequestError(request).isEmpty());
    request.Tag = tagBold;
    EXPECT_TRUE(vlFormatRequestError(request).isEmpty());
}

TEST(FormatRequests, FrameWidthSpinNeverGoesBelowOne)
{
    EXPECT_EQ(vlSpinFrameWidth("0,5", -1), "1");
    EXPECT_EQ(vlSpinFrameWidth("1", -1), "1");
    EXPECT_EQ(vlSpinFrameWidth("1.5", 1), "2,5");
    EXPECT_EQ(vlSpinFrameWidth("x", 1), "1");
    EXPECT_EQ(vlFrameWidthText(0.333), "0,33");
}

} // namespace
