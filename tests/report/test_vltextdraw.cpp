// Measuring, wrapping and drawing memo text: character offsets as the text
// before each character measures, wrapping at blanks and hyphens in time
// that follows the text's length, and drawing a text piece in one glyph run
// that looks as drawing it character by character did.
#include "printedlines.h"

#include "report/printer.h"
#include "report/vltextwidths.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBoundaryFinder>
#include <gtest/gtest.h>

namespace {

auto perCharacter = [](const QString &text) { return int(text.size()) * 10; };

QStringList texts(const QList<TvlTextLine> &lines)
{
    QStringList out;
    for (const TvlTextLine &line : lines)
        out << line.Text;
    return out;
}

// Draws every character on its own, as text was drawn before glyph runs: the
// picture a glyph run must match.
class PerCharacterCanvas : public TvlPainterCanvas
{
public:
    using TvlPainterCanvas::TvlPainterCanvas;

protected:
    void drawPlaced(const QString &text, const QList<qreal> &charX, qreal baseline) override
    {
        for (int i = 0; i < text.size(); ++i)
            Painter()->drawText(QPointF(charX[i], baseline), QString(text[i]));
    }
};

// The prepared pages printed into a PDF file through the given canvas.
template <class Canvas>
void printToPdf(TvlReport &report, const QString &file)
{
    QPrinter *device = vlPrinter().Printer();
    device->setOutputFileName(file);
    device->setFullPage(true);
    QPainter painter(device);
    for (int i = 0; i < report.EMFPages.Count(); ++i) {
        if (i > 0)
            device->newPage();
        TvlPageInfo &info = *report.EMFPages[i];
        const QRect target(QPoint(0, 0), device->pageLayout().fullRectPixels(device->resolution()).size());
        Canvas canvas(painter, true);
        info.Visible = true;
        report.EMFPages.DrawPage(i, canvas, target);
        info.Visible = false;
        info.Page.reset();
    }
    painter.end();
    device->setOutputFileName(QString());
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The first page at 150 dots per inch, in grey.
QImage render(const QString &pdf)
{
    run("pdftoppm", {"-r", "150", "-gray", "-f", "1", "-l", "1", "-singlefile", pdf, pdf});
    return QImage(pdf + ".pgm");
}

// The first page as the preview draws it.
template <class Canvas>
QImage drawOnScreen(TvlReport &report)
{
    QImage image(794, 1123, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Canvas canvas(painter);
    canvas.Mode = TvlDrawMode::Printing;
    report.EMFPages[0]->Visible = true;
    report.EMFPages.DrawPage(0, canvas, image.rect());
    report.EMFPages[0]->Visible = false;
    return image;
}

// Dark pixels of a, and pixels where b differs from a beyond antialiasing.
std::pair<qsizetype, qsizetype> inkAndDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8), y = b.convertToFormat(QImage::Format_Grayscale8);
    qsizetype ink = 0, different = 0;
    for (int row = 0; row < x.height() && x.size() == y.size(); ++row) {
        const uchar *p = x.constScanLine(row), *q = y.constScanLine(row);
        for (int column = 0; column < x.width(); ++column) {
            ink += p[column] < 128;
            different += std::abs(int(p[column]) - int(q[column])) > 96;
        }
    }
    return {ink, x.size() == y.size() ? different : ink};
}

} // namespace

TEST(TextMeasuring, OffsetsAreTheWidthsOfTheTextBeforeEachCharacter)
{
    const QStringList samples = {
        "Příliš žluťoučký kůň úpěl ďábelské ódy",
        "Cena: 1 234,50 Kč – 3× (sleva 5 %) „dárek“ …",
        "fi ffl AV To WA ij",
        "a\tb\tc",
        "中文 a e\u0301 😀 smích",
    };
    TvlTextRecorder canvas;
    for (const QFont &font : {vlMemoFont("Arial", 13, {}), vlMemoFont("Arial", 11, TFontStyles(fsBold)),
                              vlMemoFont("Times New Roman", 16, TFontStyles(fsItalic)), vlMemoFont("Arial", 163, {})}) {
        canvas.Font = font;
        const QFontMetricsF metrics(font, &TvlCanvas::ReferenceImage());
        for (const QString &text : samples) {
            const QList<qreal> offsets = canvas.CharOffsets(text);
            ASSERT_EQ(offsets.size(), text.size());
            for (int i = 0; i < text.size(); ++i)
                EXPECT_EQ(offsets[i], metrics.horizontalAdvance(text.left(i)))
                    << text.toStdString() << " at " << i << " in " << font.family().toStdString();
        }
    }
}

TEST(TextWrapping, BreaksAtBlanksAndHyphensOnly)
{
    const auto wrap = [](const QString &text, int width) {
        return texts(vlWrapText({text}, {width, true, false}, perCharacter));
    };
    EXPECT_EQ(wrap("Stavebniny Dvořák s.r.o.", 220), (QStringList{"Stavebniny Dvořák", "s.r.o."}));
    EXPECT_EQ(wrap("Cena 1,50 Kč/kg", 80), (QStringList{"Cena", "1,50", "Kč/kg"}));
    EXPECT_EQ(wrap("Praha-Libeň", 80), (QStringList{"Praha-", "Libeň"}));
    EXPECT_EQ(wrap("a\tb", 20), (QStringList{"a\t", "b"}));
    // A word longer than the line is the only one cut.
    EXPECT_EQ(wrap("Nejnepravděpodobnější", 100), (QStringList{"Nejnepravd", "ěpodobnějš", "í"}));
}

// The name on the till roll's receipt: a memo as wide as the roll's text.
TEST(TextWrapping, ACompanyNameKeepsItsAbbreviationWhole)
{
    TvlMemoView memo;
    memo.FontSize = 8;
    memo.FontStyle = TFontStyles(fsBold);
    const QString name = QStringLiteral("Stavebniny Dvořák s.r.o.");
    TvlTextWidths &widths = TvlTextWidths::For(memo.FontName, memo.FontPixelHeight(), memo.FontStyle);
    const int fits = vlRound(widths.Width(name.left(name.size() - 2))); // "... s.r." and not "o."
    memo.SetBounds(0, 0, fits + 2 * 2 + 2, 40);
    ASSERT_LT(memo.UsableWidth(), vlRound(widths.Width(name)));
    EXPECT_EQ(texts(memo.Layout({name})), (QStringList{"Stavebniny Dvořák", "s.r.o."}));
}

// A paragraph without line breaks: every line is the longest run of whole
// words that fits, and measuring takes a few times the text, not its square.
TEST(TextWrapping, ALongParagraphIsMeasuredOnceAFewTimesOver)
{
    QStringList words;
    qsizetype size = 0;
    for (int i = 0; size < 20000; ++i) {
        words << QString(2 + (i * 7) % 9, QChar(u'a' + i % 26));
        size += words.last().size() + 1;
    }
    const QString text = words.join(u' ');
    qsizetype measured = 0;
    const auto counting = [&measured](const QString &t) {
        measured += t.size();
        return int(t.size()) * 10;
    };
    const QList<TvlTextLine> lines = vlWrapText({text}, {400, true, false}, counting);
    EXPECT_LT(measured, 40 * text.size());
    EXPECT_EQ(texts(lines).join(u' '), text);
    int word = 0;
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].Width, 400);
        word += int(lines[i].Text.count(u' ')) + 1;
        if (i + 1 < lines.size()) { // the next word would not have fitted
            EXPECT_GT(lines[i].Width + 10 + perCharacter(words[word]), 400) << i;
        }
    }
    EXPECT_TRUE(lines.last().ParagraphEnd);
}

// Memos of every alignment, justified, squeezed and turned text, styles and
// faces, printed to PDF in glyph runs and character by character:
// the pages look the same at 150 dpi, and a PDF reader reads every text whole.
TEST(TextDrawing, GlyphRunsPrintAsCharacterByCharacterDid)
{
    TestReport t;
    t.Band(btReportTitle, 0, 600, {}, 0);
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy");
    const QString paragraph = QStringLiteral("Zboží vrácené do 14 dnů bez udání důvodu vám obchod Dvořák s.r.o. "
                                             "vymění nebo vrátí peníze v plné výši, pokud je nepoškozené.");
    int top = 10;
    const auto memo = [&](const QString &text, qint32 adjust, int width = 400, int height = 22) {
        TvlMemoView *m = t.Memo(20, top, width, height, {text});
        m->Adjust = adjust;
        top += height + 6;
        return m;
    };
    memo(czech, adLeft);
    memo(czech, adRight);
    memo(czech, adCenter);
    memo(paragraph, adJustify, 300, 80)->FontSize = 11;
    memo(QStringLiteral("Proložený text 1 234,50 Kč"), adLeft)->CharSpacing = 3;
    TvlMemoView *styled = memo(QStringLiteral("Tučně, kurzívou a podtrženě"), adLeft);
    styled->FontStyle = TFontStyles(fsBold) | fsItalic | fsUnderline;
    styled->FontSize = 14;
    memo(QStringLiteral("Neproporcionální písmo: 1 234,50 Kč"), adRight)->FontName = QStringLiteral("Courier New");
    TvlMemoView *squeezed = memo(QStringLiteral("Zúžený řádek se vejde"), adLeft);
    squeezed->Memo = {vlEncodeTextLine({90, squeezed->Memo.first(), true})}; // prepared narrower than it measures
    TvlMemoView *turned = t.Memo(480, 10, 30, 200, {QStringLiteral("Nahoru čtený text")});
    turned->Adjust = adRotated;
    ASSERT_TRUE(t.report->PrepareReport());

    QTemporaryDir dir;
    const QString runs = dir.filePath("runs.pdf"), single = dir.filePath("single.pdf");
    printToPdf<TvlPainterCanvas>(*t.report, runs);
    printToPdf<PerCharacterCanvas>(*t.report, single);
    for (const auto &[ink, different] :
         {inkAndDifference(render(runs), render(single)),
          inkAndDifference(drawOnScreen<TvlPainterCanvas>(*t.report), drawOnScreen<PerCharacterCanvas>(*t.report))}) {
        EXPECT_GT(ink, 3000);
        EXPECT_LT(different, ink / 200) << "of " << ink << " dark pixels";
    }

    const QString read = run("pdftotext", {runs, "-"}).simplified();
    for (const QString &text :
         {czech, QStringLiteral("Tučně, kurzívou a podtrženě"), QStringLiteral("Nahoru čtený text"),
          QStringLiteral("Zúžený řádek se vejde"), QStringLiteral("vrátí peníze")})
        EXPECT_TRUE(read.contains(text)) << text.toStdString() << "\n" << read.toStdString();
    EXPECT_EQ(read.count(czech), 3);
}

// A line without word wrap wider than its box prints smaller, down to about
// half its size and never below 4 pt; what is wider than that is cut and
// ends with "…", legible in the preview and in the PDF.
TEST(TextDrawing, ALineWithoutWordWrapShrinksToAReadableSizeAndIsCutWithAMarkBeyond)
{
    TestReport t;
    t.Band(btReportTitle, 0, 300, {}, 0);
    const QString words = QStringLiteral("Čokoládová poleva hořká s oříšky, balení 250 g, dodavatel Dvořák ");
    const QString sixty = words.left(60), long300 = words.repeated(5).left(300);
    const QString figure = QStringLiteral("1 234 567,89 Kč");
    int top = 10;
    const auto memo = [&](const QString &text, int width, int size) {
        TvlMemoView *m = t.Memo(20, top, width, 24, {text});
        m->Flags = 0; // neither word wrap nor stretching
        m->FontSize = size;
        top += 30;
        return m;
    };
    memo(sixty, 76, 10);                  // 20 mm
    memo(long300, 76, 10);                // 20 mm
    memo(long300, 300, 4);                // a design size of 4 pt keeps it
    memo(figure, 70, 10);                 // a figure a little too wide only shrinks
    memo(QStringLiteral("Šířka"), 3, 10); // no room for a letter: the mark alone
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();

    QList<TvlTextOutput> pieces;
    t.report->EMFPages.ExportPage(0, [&](TvlView &view) {
        if (auto *memo = dynamic_cast<TvlMemoView *>(&view))
            pieces << memo->TextPieces();
    });
    ASSERT_EQ(pieces.size(), 5);
    const QString mark(QChar(0x2026));
    const struct
    {
        QString whole;
        int least; // pixels: half of 13 (10 pt), and 5 (4 pt)
        bool cut;
    } expected[] = {{sixty, 7, true}, {long300, 7, true}, {long300, 5, true}, {figure, 7, false}, {"Šířka", 7, true}};
    for (int i = 0; i < 5; ++i) {
        const TvlTextOutput &piece = pieces[i];
        SCOPED_TRACE(piece.Text.toStdString());
        EXPECT_GE(piece.Font.pixelSize(), expected[i].least);
        EXPECT_EQ(piece.Text.endsWith(mark), expected[i].cut);
        if (expected[i].cut) {
            EXPECT_TRUE(expected[i].whole.startsWith(piece.Text.chopped(1)));
        } else {
            EXPECT_EQ(piece.Text, expected[i].whole);
            EXPECT_LT(piece.Font.pixelSize(), 13);
        }
        // The letters stand side by side at their own widths, not on top of one another.
        const double natural = TvlTextWidths::For(piece.Font).Width(piece.Text);
        const double drawn = piece.CharX.isEmpty() ? natural
                                                   : piece.CharX.last() - piece.CharX.first() +
                                                         TvlTextWidths::For(piece.Font).Width(piece.Text.right(1));
        EXPECT_GT(drawn, natural * 0.9);
    }
    EXPECT_GT(pieces[0].Text.size(), 12);
    EXPECT_EQ(pieces[4].Text, mark);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("uzke.pdf");
    printToPdf<TvlPainterCanvas>(*t.report, pdf);
    const QString read = run("pdftotext", {pdf, "-"});
    EXPECT_TRUE(read.contains(pieces[0].Text)) << read.toStdString();
    EXPECT_TRUE(read.contains(pieces[1].Text)) << read.toStdString();
    EXPECT_TRUE(read.contains(figure)) << read.toStdString();
}

// A cut line ends between characters as the reader sees them: a family
// joined into one emoji is never cut to its first person.
TEST(TextDrawing, ACutLineEndsBetweenWholeCharacters)
{
    TestReport t;
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466");
    const QString text = QStringLiteral("Rodina ") + family.repeated(12) + QStringLiteral(" e\u0301") + family;
    TvlMemoView *memo = t.Memo(20, 0, 20, 24, {text});
    memo->Flags = 0; // neither word wrap nor stretching
    int cut = 0;
    for (; memo->Width < 200; memo->Width += 3) {
        const QString line = memo->Layout({text}).first().Text;
        if (!line.endsWith(QChar(0x2026)))
            continue;
        ++cut;
        const QString kept = line.chopped(1);
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        graphemes.setPosition(int(kept.size()));
        EXPECT_TRUE(text.startsWith(kept) && graphemes.isAtBoundary()) << memo->Width << " " << line.toStdString();
    }
    EXPECT_GT(cut, 10);
}
