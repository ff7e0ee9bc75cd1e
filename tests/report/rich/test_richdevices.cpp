// A rich text laid out in its box prints whole in that box on every device:
// the preview at any zoom and printers of any resolution, read back from the
// PDF by an independent reader.
#include "report/rich/vlrichview.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString note = QStringLiteral("Reklamace uplatňujte v prodejně s tímto dokladem. Záruční doba je 24 měsíců, "
                                    "není-li u zboží uvedeno jinak. Zboží zůstává až do úplného zaplacení "
                                    "majetkem prodávajícího.");

// The receipt's note: 7-point red Arial in a box where its third line ends "až do".
void makeNote(TvlRichView &view)
{
    view.SetBounds(20, 30, 180, 60);
    view.FrameTyp = 0;
    view.RichEdit.setHtml(QStringLiteral("<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:7pt; "
                                         "color:#ff0000\">%1</span></p>")
                              .arg(note));
}

// The box of the red pixels; null without any.
QRect redInk(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 160 && c.green() < 150 && c.red() - c.green() > 60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// The part of the view's box the lines are laid out in, at the scale.
QRectF textArea(TvlRichView &view, double scale)
{
    const double gap = view.TextGap();
    return QRectF((view.Left + gap) * scale, (view.Top + gap) * scale, view.TextWidth() * scale,
                  (view.Height - 2 * gap) * scale);
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(RichDevices, LinesStayInTheirBoxOnScreenAndOnPrintersOfAnyResolution)
{
    TvlRichView view;
    makeNote(view);
    // Every line ends inside the area it was laid out in; ink may pass the
    // advance of the last glyph by a pixel of antialiasing.
    auto inside = [&](const QRect &ink, double scale, const char *device) {
        const QRectF area = textArea(view, scale).adjusted(-scale, -scale, scale + 1, scale + 1);
        EXPECT_FALSE(ink.isNull()) << device;
        EXPECT_TRUE(area.contains(QRectF(ink)))
            << device << " ink " << ink.left() << "," << ink.top() << " - " << ink.right() << "," << ink.bottom()
            << " area " << area.left() << "," << area.top() << " - " << area.right() << "," << area.bottom();
    };
    for (const double zoom : {1.0, 2.0, 3.5}) {
        QImage image(int(260 * zoom), int(120 * zoom), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            TvlPainterCanvas canvas(painter);
            canvas.Mode = TvlDrawMode::Printing;
            view.ScaleX = view.ScaleY = zoom;
            view.Draw(canvas);
        }
        inside(redInk(image), zoom, "preview");
    }

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const int dpi : {300, 600, 1200}) {
        const QString pdf = dir.filePath(QStringLiteral("note%1.pdf").arg(dpi));
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(dpi);
            printer.setPageSize(QPageSize(QPageSize::A5));
            printer.setFullPage(true);
            QPainter painter(&printer);
            TvlPainterCanvas canvas(painter, true);
            canvas.Mode = TvlDrawMode::Printing;
            view.ScaleX = view.ScaleY = dpi / 96.0;
            view.OffsX = view.OffsY = 0;
            view.Draw(canvas);
        }
        // Read back at 192 per inch: two image pixels to a layout pixel.
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("192"), QStringLiteral("-singlefile"),
                                         QStringLiteral("-png"), pdf, pdf});
        const QImage page(pdf + QStringLiteral(".png"));
        ASSERT_FALSE(page.isNull()) << "pdftoppm gave no page at " << dpi;
        inside(redInk(page), 2.0, qPrintable(QStringLiteral("printer %1 dpi").arg(dpi)));
        // Every glyph of the note, in order (the reader may join a hyphenated word).
        static const QRegularExpression spaceOrHyphen(QStringLiteral("[\\s-]"));
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_EQ(QString(text).remove(spaceOrHyphen), QString(note).remove(spaceOrHyphen)) << dpi;
    }
}
