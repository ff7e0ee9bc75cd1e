// The inspector's rows for a selection: units, values that differ, and a
// typed expression applied within the page.
#include "platform/variant.h"
#include "report/designer/objects/propertyvalues.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlparser.h"

#include <gtest/gtest.h>

namespace {

TEST(InspectorUnits, ConversionsBothWays)
{
    EXPECT_EQ(vlUnitsToPixels(10, unMillimetres), 36);
    EXPECT_EQ(vlUnitsToPixels(1, unInches), 91); // 25.4 / 5 * 18 = 91.44
    EXPECT_EQ(vlUnitsToPixels(2.5, unPixels), 2);
    EXPECT_EQ(vlUnitsText(36, unPixels), "36");
    EXPECT_EQ(vlUnitsText(36, unMillimetres), "10,00");
    EXPECT_EQ(vlUnitsText(100, unMillimetres), "27,78");
    EXPECT_EQ(vlUnitsText(1000, unMillimetres), "277,80"); // 4 significant digits
    EXPECT_EQ(vlUnitsText(91, unInches), "1,00");
    EXPECT_EQ(vlUnitsText(vlValuesDiffer, unMillimetres), "");
}

TEST(InspectorValues, OneObjectOrSeveralWithTheRowsThatDifferEmpty)
{
    TvlMemoView a, b;
    a.Name = "Memo1";
    a.SetBounds(36, 72, 100, 18);
    b.SetBounds(36, 90, 120, 18);
    b.Visible = 0;

    auto texts = vlInspectorTexts(vlInspectorValues({&a}), unPixels, true);
    EXPECT_EQ(texts[irName], "Memo1");
    EXPECT_EQ(texts[irLeft], "36");
    EXPECT_EQ(texts[irVisible], "1");

    texts = vlInspectorTexts(vlInspectorValues({&a, &b}), unMillimetres, true);
    EXPECT_EQ(texts[irName], "");
    EXPECT_EQ(texts[irLeft], "10,00");
    EXPECT_EQ(texts[irTop], "");
    EXPECT_EQ(texts[irWidth], "");
    EXPECT_EQ(texts[irHeight], "5,00");
    EXPECT_EQ(texts[irVisible], "");

    texts = vlInspectorTexts(vlInspectorValues({}), unPixels, false);
    for (const QString &text : texts)
        EXPECT_TRUE(text.isEmpty());
}

TEST(InspectorValues, TypedValuesAreAppliedInsideThePageOnly)
{
    TvlMemoView a;
    TvlLineView b;
    a.SetBounds(100, 100, 50, 20);
    b.SetBounds(200, 100, 80, 0);
    const std::vector<TvlView *> both{&a, &b};

    EXPECT_TRUE(vlApplyInspectorNumber(irLeft, 10, unMillimetres, both, 794, 1123));
    EXPECT_EQ(a.Left, 36);
    EXPECT_EQ(b.Left, 36);
    EXPECT_TRUE(vlApplyInspectorNumber(irLeft, 0, unPixels, both, 794, 1123)) << "the page edge is allowed";
    EXPECT_EQ(a.Left, 0);
    EXPECT_TRUE(vlApplyInspectorNumber(irTop, 0, unPixels, both, 794, 1123));
    EXPECT_EQ(a.Top, 0);
    EXPECT_FALSE(vlApplyInspectorNumber(irLeft, -5, unPixels, both, 794, 1123));
    EXPECT_FALSE(vlApplyInspectorNumber(irLeft, 794, unPixels, both, 794, 1123));
    EXPECT_EQ(a.Left, 0);

    EXPECT_FALSE(vlApplyInspectorNumber(irWidth, 0, unPixels, both, 794, 1123));
    EXPECT_EQ(a.Width, 50);
    EXPECT_TRUE(vlApplyInspectorNumber(irHeight, 1, unInches, both, 794, 1123));
    EXPECT_EQ(a.Height, 91);
    EXPECT_FALSE(vlApplyInspectorNumber(irHeight, 1123, unPixels, both, 794, 1123));

    EXPECT_TRUE(vlApplyInspectorNumber(irVisible, 0, unMillimetres, both, 794, 1123));
    EXPECT_FALSE(a.IsVisible()) << "Visible can be cleared";
    EXPECT_FALSE(b.IsVisible());
    EXPECT_TRUE(vlApplyInspectorNumber(irVisible, 1, unMillimetres, both, 794, 1123));
    EXPECT_TRUE(a.IsVisible());
    vlApplyInspectorNumber(irVisible, 256, unPixels, both, 794, 1123);
    EXPECT_FALSE(a.IsVisible());
}

TEST(InspectorValues, TextIsEvaluatedAsAnExpression)
{
    const auto calculate = [](const QString &text) {
        TvlParser parser;
        return parser.Calculate(text);
    };
    TvlInspectorNumber number = vlEvaluateInspectorText("5+5", calculate);
    ASSERT_TRUE(number.Valid) << number.Error.toStdString();
    EXPECT_EQ(number.Value, 10);
    EXPECT_EQ(number.Text, "10");
    EXPECT_EQ(vlUnitsToPixels(number.Value, unMillimetres), 36);

    number = vlEvaluateInspectorText("'abc'", calculate);
    EXPECT_FALSE(number.Valid);
    EXPECT_EQ(number.Error, QStringLiteral("Hodnota „'abc'“ není číslo."));

    number = vlEvaluateInspectorText("(1+", calculate);
    EXPECT_FALSE(number.Valid);
    EXPECT_TRUE(number.Error.startsWith(QStringLiteral("Hodnotu „(1+“ nelze vyhodnotit: ")))
        << number.Error.toStdString();
}

} // namespace
