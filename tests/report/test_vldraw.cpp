#include "report/vlbandview.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlsubreportview.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Draws the views onto a white image, each in the given mode.
QImage draw(std::initializer_list<TvlView *> views, TvlDrawMode mode = TvlDrawMode::Printing,
            QList<TvlTextOutput> *texts = nullptr)
{
    QImage image(240, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TvlPainterCanvas canvas(painter);
    TvlTextRecorder recorder(&canvas);
    recorder.Mode = mode;
    recorder.DesignPage = QRect(0, 0, 240, 200);
    for (TvlView *view : views)
        view->Draw(recorder);
    painter.end();
    if (texts)
        *texts = recorder.Outputs();
    return image;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

constexpr QRgb white = 0xFFFFFF, black = 0, red = 0xFF0000, blue = 0x0000FF;

bool anyInk(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(image, x, y) != white)
                return true;
    return false;
}

} // namespace

TEST(ReportDrawing, FillCoversTheRectangleAndTransparentStaysClearWhenPrinting)
{
    TvlMemoView memo;
    memo.SetBounds(10, 10, 50, 30);
    memo.FillColor = 0x0000FF; // stored as blue-green-red: red
    memo.Memo.clear();
    QImage image = draw({&memo});
    EXPECT_EQ(at(image, 10, 10), red);
    EXPECT_EQ(at(image, 59, 39), red);
    EXPECT_EQ(at(image, 60, 40), white);
    EXPECT_EQ(at(image, 9, 9), white);

    memo.FillColor = vlclNone;
    EXPECT_FALSE(anyInk(draw({&memo}), QRect(0, 0, 100, 100)));
    // The designer paints transparent objects white and marks their corners.
    image = draw({&memo}, TvlDrawMode::Design);
    EXPECT_EQ(at(image, 10, 10), black);
    EXPECT_EQ(at(image, 12, 10), black);
    EXPECT_EQ(at(image, 60, 40), black);
    EXPECT_EQ(at(image, 30, 25), white);
    // Counting pages draws nothing at all.
    memo.FillColor = 0x0000FF;
    EXPECT_FALSE(anyInk(draw({&memo}, TvlDrawMode::CountingPages), QRect(0, 0, 100, 100)));
}

TEST(ReportDrawing, FrameEdgesAndStyles)
{
    TvlMemoView memo;
    memo.Memo.clear();
    memo.SetBounds(20, 20, 40, 30);
    memo.FillColor = 0xFF0000; // blue
    memo.FrameTyp = frAll;
    QImage image = draw({&memo});
    EXPECT_EQ(at(image, 20, 35), black); // left
    EXPECT_EQ(at(image, 60, 35), black); // right, one past the width
    EXPECT_EQ(at(image, 40, 20), black); // top
    EXPECT_EQ(at(image, 40, 50), black); // bottom
    EXPECT_EQ(at(image, 21, 35), blue);

    memo.FrameTyp = frLeft | frBottom;
    image = draw({&memo});
    EXPECT_EQ(at(image, 20, 35), black);
    EXPECT_EQ(at(image, 40, 50), black);
    EXPECT_EQ(at(image, 60, 35), white);
    EXPECT_EQ(at(image, 40, 20), blue);

    // A double edge: lines on both sides of the edge in the frame colour, the fill between.
    memo.FrameTyp = frLeft;
    memo.FrameStyle = psDouble;
    memo.FrameColor = 0x0000FF;
    image = draw({&memo});
    EXPECT_EQ(at(image, 19, 35), red);
    EXPECT_EQ(at(image, 20, 35), blue);
    EXPECT_EQ(at(image, 21, 35), red);

    // A dashed edge three pixels wide: three broken one-pixel lines over the fill.
    memo.FrameStyle = psDash;
    memo.FrameWidth = 3;
    image = draw({&memo});
    for (int x : {19, 20, 21}) {
        int reds = 0, blues = 0;
        for (int y = 20; y <= 50; ++y)
            (at(image, x, y) == red ? reds : blues) += at(image, x, y) == red || at(image, x, y) == blue;
        EXPECT_GT(reds, 5) << x;
        EXPECT_GT(blues, 3) << x;
    }
    EXPECT_EQ(at(image, 18, 35), white);
}

TEST(ReportDrawing, DrawRectangleKeepsTheFrameOutOfTheContent)
{
    TvlMemoView memo;
    memo.SetBounds(10, 20, 100, 50);
    memo.FrameTyp = frAll;
    memo.FrameWidth = 3;
    memo.PrepareDrawRect(TvlDrawMode::Printing);
    // a = round((3 - 1) / 2) = 1, b = round(1.5) = 2
    EXPECT_EQ(memo.DrawRect, QRect(11, 21, 100 - 1 - 2, 50 - 1 - 2));
    EXPECT_EQ(memo.GapX, 4);
    EXPECT_EQ(memo.GapY, 2);
    memo.RestoreBounds();
    memo.ScaleX = 2;
    memo.ScaleY = 0.5;
    memo.OffsX = 5;
    memo.PrepareDrawRect(TvlDrawMode::Printing);
    EXPECT_EQ(memo.Left, 25);
    EXPECT_EQ(memo.Width, 200);
    EXPECT_EQ(memo.Top, 10);
    EXPECT_DOUBLE_EQ(memo.FrameWidth, 6);
    memo.RestoreBounds();
    EXPECT_EQ(memo.Left, 10);
    EXPECT_DOUBLE_EQ(memo.FrameWidth, 3);
    // Outside preview and printing scale and offset are reset.
    memo.PrepareDrawRect(TvlDrawMode::Design);
    EXPECT_EQ(memo.Left, 10);
    EXPECT_DOUBLE_EQ(memo.ScaleX, 1);
    memo.RestoreBounds();
}

TEST(ReportDrawing, TextIsPlacedByAlignment)
{
    TvlMemoView memo;
    memo.SetBounds(20, 30, 200, 40);
    memo.Memo = {"Ahoj"};
    QList<TvlTextOutput> texts;
    QImage image = draw({&memo}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].Text, "Ahoj");
    EXPECT_EQ(texts[0].X, 22); // left + GapX
    EXPECT_EQ(texts[0].Y, 31); // top + GapY
    EXPECT_EQ(texts[0].Font.pixelSize(), 13);
    EXPECT_TRUE(anyInk(image, QRect(22, 31, 30, 14)));
    EXPECT_FALSE(anyInk(image, QRect(0, 0, 21, 200)));
    EXPECT_FALSE(anyInk(image, QRect(60, 0, 180, 200)));

    const int width = memo.Layout(memo.Memo).first().Width;
    memo.Adjust = adRight;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    EXPECT_EQ(texts[0].X + width, 220 - 1 - 2);
    memo.Adjust = adCenter | adBottom;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    EXPECT_EQ(texts[0].X, 22 + (196 - width) / 2);
    EXPECT_EQ(texts[0].Y, 31 + 38 - 15);
    memo.Adjust = adVCenter;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    EXPECT_EQ(texts[0].Y, 31 + (38 - 15) / 2);
    // Export filters get the same placement without drawing.
    const QList<TvlTextOutput> pieces = memo.TextPieces();
    ASSERT_EQ(pieces.size(), 1);
    EXPECT_EQ(pieces[0].X, texts[0].X);
    EXPECT_EQ(pieces[0].Y, texts[0].Y);
}

TEST(ReportDrawing, WrappedLinesFollowEachOtherByTheLineHeight)
{
    TvlMemoView memo;
    memo.SetBounds(0, 0, 80, 150);
    memo.Memo = {"Příliš žluťoučký kůň úpěl ďábelské ódy", "Konec"};
    const QList<TvlTextLine> lines = memo.Layout(memo.Memo);
    ASSERT_GE(lines.size(), 4);
    for (const TvlTextLine &line : lines) {
        EXPECT_LE(line.Width, memo.UsableWidth()) << line.Text.toStdString();
        EXPECT_FALSE(line.Text.startsWith(u' '));
    }
    EXPECT_TRUE(lines.first().Text.startsWith("Příliš"));
    EXPECT_FALSE(lines.first().ParagraphEnd);
    EXPECT_TRUE(lines[lines.size() - 2].ParagraphEnd);
    EXPECT_EQ(lines.last(), (TvlTextLine{lines.last().Width, "Konec", true}));
    QList<TvlTextOutput> texts;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), lines.size());
    for (int i = 1; i < texts.size(); ++i)
        EXPECT_EQ(texts[i].Y - texts[i - 1].Y, 15);

    memo.Flags &= ~mfWordWrap;
    EXPECT_EQ(memo.Layout(memo.Memo).size(), 2);
}

TEST(ReportDrawing, HyphenationFollowsCzechSyllables)
{
    EXPECT_EQ(vlSyllableBreaks("počítač"), (QList<int>{2, 4}));
    EXPECT_EQ(vlSyllableBreaks("Kolo"), QList<int>{});
    auto measure = [](const QString &text) { return int(text.size()) * 10; };
    // "poznamenání" does not fit 80 pixels; the longest piece that fits with "-" is printed.
    QList<TvlTextLine> lines = vlWrapText({"a poznamenání"}, {80, true, true}, measure);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].Text, "a pozna-");
    EXPECT_EQ(lines[1].Text.left(3), "men");
    // A four-letter word is cut without a hyphen.
    lines = vlWrapText({"abcd"}, {30, true, true}, measure);
    EXPECT_EQ(lines[0].Text, "abc");
    EXPECT_EQ(lines[1].Text, "d");
    // Without the word-break flag the line breaks at the space.
    lines = vlWrapText({"a poznamenání"}, {80, true, false}, measure);
    EXPECT_EQ(lines[0].Text, "a");
}

TEST(ReportDrawing, PreparedLinesSpreadToTheirStoredWidthAndJustify)
{
    TvlMemoView memo;
    memo.SetBounds(0, 0, 200, 40);
    memo.Memo = {vlEncodeTextLine({150, "a b c", false}), vlEncodeTextLine({30, "d e", true})};
    memo.Adjust = adJustify;
    QList<TvlTextOutput> texts;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), 2);
    // A line not ending a paragraph spans the whole usable width.
    const TvlTextOutput &first = texts[0];
    ASSERT_EQ(first.CharX.size(), 5);
    const qreal lastAdvance = QFontMetricsF(first.Font, &TvlCanvas::ReferenceImage()).horizontalAdvance("c");
    EXPECT_NEAR(first.CharX[4] + lastAdvance, 196, 1.0);
    // The paragraph's last line keeps its stored width.
    const TvlTextOutput &second = texts[1];
    const qreal e = QFontMetricsF(second.Font, &TvlCanvas::ReferenceImage()).horizontalAdvance("e");
    EXPECT_NEAR(second.CharX[2] + e, 30, 1.0);
}

TEST(ReportDrawing, TurnedTextRunsUpwards)
{
    TvlMemoView memo;
    memo.SetBounds(50, 20, 30, 150);
    memo.Adjust = adRotated;
    memo.Memo = {"Svisle"};
    QList<TvlTextOutput> texts;
    QImage image = draw({&memo}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].Rotated);
    EXPECT_EQ(texts[0].X, 52);
    EXPECT_EQ(texts[0].Y, 20 + 150 - 1 - 1);
    EXPECT_TRUE(anyInk(image, QRect(52, 100, 16, 68)));
    EXPECT_FALSE(anyInk(image, QRect(52, 20, 16, 60)));
}

TEST(ReportDrawing, RotatedFontTurnsTextUpwardsAndTheCanvasLevelsAgain)
{
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(14);
    const TvlFont turned = vlCreateRotatedFont(face);
    EXPECT_EQ(turned.Font, face);
    EXPECT_EQ(turned.Escapement, 900);
    EXPECT_EQ(turned.Orientation, 900);
    EXPECT_TRUE(turned.Rotated());
    EXPECT_FALSE(TvlFont{face}.Rotated());

    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TvlPainterCanvas canvas(painter);
        canvas.SelectFont(turned);
        canvas.TextOut(10, 100, QStringLiteral("Nahoru"));
    }
    // From its start the text rises; nothing goes to the right of its line.
    EXPECT_TRUE(anyInk(image, QRect(10, 40, 16, 60)));
    EXPECT_FALSE(anyInk(image, QRect(30, 0, 90, 120)));
    EXPECT_FALSE(anyInk(image, QRect(0, 101, 120, 19)));

    // A turned memo leaves the canvas level for the next object.
    TvlMemoView upright, level;
    upright.SetBounds(10, 10, 30, 150);
    upright.Adjust = adRotated;
    upright.Memo = {"Svisle"};
    level.SetBounds(60, 10, 150, 30);
    level.Memo = {"Vodorovně"};
    QList<TvlTextOutput> texts;
    draw({&upright, &level}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].Rotated);
    EXPECT_FALSE(texts[1].Rotated);
}

TEST(ReportDrawing, LinesPicturesBandsAndSubReports)
{
    TvlLineView line;
    line.SetBounds(30, 30, 50, 50);
    QImage image = draw({&line});
    EXPECT_TRUE(line.IsVertical());
    EXPECT_EQ(line.Width, 0);
    EXPECT_EQ(at(image, 30, 50), black);
    EXPECT_EQ(at(image, 50, 30), white);
    line.SetBounds(30, 30, 60, 5);
    image = draw({&line});
    EXPECT_EQ(line.FrameTyp, frTop);
    EXPECT_EQ(at(image, 60, 30), black);

    TvlPictureView picture;
    picture.SetBounds(100, 100, 40, 20);
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::red);
    picture.Picture.SetImage(square);
    picture.Flags = pfStretched | pfKeepAspect | pfCentered;
    image = draw({&picture});
    EXPECT_EQ(at(image, 120, 110), red);
    EXPECT_EQ(at(image, 102, 110), white); // kept square, centred
    picture.Flags = pfStretched;
    image = draw({&picture});
    EXPECT_EQ(at(image, 102, 110), red);
    picture.Picture.Clear();
    QList<TvlTextOutput> texts;
    draw({&picture}, TvlDrawMode::Design, &texts);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].Text, "[Obrázek]");

    TvlBandView band;
    band.SetBandType(btMasterData);
    band.SetBounds(0, 60, 0, 40);
    image = draw({&band}, TvlDrawMode::Design, &texts);
    EXPECT_EQ(texts.last().Text, "Master data");
    EXPECT_NE(at(image, 150, 80), at(image, 151, 80)); // checkered
    EXPECT_TRUE(anyInk(image, QRect(0, 42, 100, 18))); // the title tab
    EXPECT_FALSE(anyInk(draw({&band}), QRect(0, 0, 240, 200)));

    TvlSubReportView sub;
    sub.PageIndex = 1;
    sub.SetBounds(10, 10, 150, 30);
    draw({&sub}, TvlDrawMode::Design, &texts);
    EXPECT_EQ(texts.last().Text, "Podsestava na straně 2");
}

TEST(ReportDrawing, AutoWidthFollowsTheTextWhenPrinting)
{
    TvlMemoView memo;
    memo.SetBounds(100, 10, 120, 20);
    memo.Flags |= mfAutoWidth;
    memo.FillColor = 0x0000FF;
    memo.Memo = {vlEncodeTextLine({30, "abc", true})};
    QImage image = draw({&memo});
    // 30 pixels of text, twice the frame width and 2.
    EXPECT_EQ(at(image, 100 + 33, 15), red);
    EXPECT_EQ(at(image, 100 + 34, 15), white);
    EXPECT_EQ(memo.Width, 120); // the layout keeps its own width
    memo.Adjust = adRight;
    image = draw({&memo});
    EXPECT_EQ(at(image, 219, 15), red);
    EXPECT_EQ(at(image, 219 - 34, 15), white);
    // The designer shows the stored width.
    image = draw({&memo}, TvlDrawMode::Design);
    EXPECT_EQ(at(image, 150, 15), red);
}

TEST(ReportDrawing, TextTooWideForItsStoredWidthShrinksTheFont)
{
    TvlMemoView memo;
    memo.SetBounds(0, 0, 230, 40);
    memo.Memo = {vlEncodeTextLine({40, "Široký text", true})};
    QList<TvlTextOutput> texts;
    draw({&memo}, TvlDrawMode::Printing, &texts);
    ASSERT_EQ(texts.size(), 1);
    const int pixels = texts[0].Font.pixelSize();
    EXPECT_LT(pixels, 13);
    // The largest size at which the text fits.
    QFont bigger = texts[0].Font;
    bigger.setPixelSize(pixels + 1);
    EXPECT_GT(QFontMetricsF(bigger, &TvlCanvas::ReferenceImage()).horizontalAdvance("Široký text"), 40.5);

    memo.HighlightCondition = "[Cena] > 100";
    memo.ApplyHighlight();
    EXPECT_EQ(memo.FontStyle, TFontStyles(fsBold));
    EXPECT_EQ(memo.FillColor, 0xFFFFFF);
    memo.ApplyHighlight();
    memo.RemoveHighlight();
    EXPECT_EQ(memo.FontStyle, TFontStyles());
    EXPECT_EQ(memo.FillColor, vlclNone);
}
