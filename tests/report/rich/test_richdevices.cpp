// A rich text laid out in its box prints whole in that box on every device:
// the preview at any zoom, printers of any resolution.
#include "report/rich/vlrichview.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(RichDevices, LinesStayInTheAreaTheyWereLaidOutInAtEveryScale)
{
    // The receipt's note in 7-point red Arial, in a box where its third line ends "až do".
    TvlRichView view;
    view.SetBounds(20, 30, 180, 60);
    view.RichEdit.setHtml(QStringLiteral("<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:7pt; "
                                         "color:#ff0000\">Reklamace uplatňujte v prodejně s tímto dokladem. Záruční "
                                         "doba je 24 měsíců, není-li u zboží uvedeno jinak. Zboží zůstává až do "
                                         "úplného zaplacení majetkem prodávajícího.</span></p>"));
    // Screen zooms, then printers of 300, 600 and 1200 dots per inch.
    for (const double scale : {1.0, 2.0, 3.5, 300 / 96.0, 600 / 96.0, 1200 / 96.0}) {
        QImage image(int(220 * scale), int(100 * scale), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            TvlPainterCanvas canvas(painter, scale > 4);
            canvas.Mode = TvlDrawMode::Printing;
            view.ScaleX = view.ScaleY = scale;
            view.Draw(canvas);
        }
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QColor c = image.pixelColor(x, y); c.red() - c.green() > 60)
                    ink |= QRect(x, y, 1, 1);
        // Ink may pass the advance of the last letter by a pixel of antialiasing.
        const double gap = view.TextGap();
        const QRectF area((view.Left + gap - 1) * scale, (view.Top + gap - 1) * scale,
                          (view.TextWidth() + 2) * scale + 1, (view.Height - 2 * gap + 2) * scale + 1);
        EXPECT_TRUE(area.contains(QRectF(ink))) << "scale " << scale << ": ink " << ink.right() << "," << ink.bottom()
                                                << " area " << area.right() << "," << area.bottom();
        EXPECT_GT(ink.width(), view.TextWidth() * scale * 0.9) << scale;
    }
}
