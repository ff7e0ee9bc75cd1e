// Every text of the shop's documents prints whole in its box. Each text
// object of a layout gets a fill of a colour of its own; the printed page is
// rendered by an independent reader and every word it reads stands inside
// the box of its colour: nothing drawn past the box and cut there.
#include "layoutprint.h"

#include "app/start/appglobals.h"
#include "report/rich/vlrichview.h"
#include "report/vlreport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct Word
{
    QRectF box; // points
    QString text;
};

// The words of the PDF's first page with their boxes.
QList<Word> wordsOf(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    static const QRegularExpression word(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                                                        "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(QString::fromUtf8(text.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words << Word{QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      m.captured(5)};
    }
    return words;
}

// The fill of the i-th text object: light, and told apart by its exact value.
QRgb boxColour(int i)
{
    return qRgb(0xE0 + (i % 8) * 4, 0xE0 + (i / 8 % 8) * 4, 0xF8 - (i / 64) * 4);
}

qint32 storedColour(QRgb rgb)
{
    return qint32(qBlue(rgb) << 16 | qGreen(rgb) << 8 | qRed(rgb));
}

// Gives every text object of the layout file its own fill; the number of them.
int colourTextBoxes(const QString &path)
{
    TvlReport report;
    if (!report.LoadFromFile(path))
        return 0;
    int count = 0;
    for (int p = 0; p < report.Pages.Count(); ++p)
        for (const auto &view : report.Pages[p]->Objects) {
            const bool rich = dynamic_cast<TvlRichView *>(view.get());
            const bool memo = dynamic_cast<TvlMemoView *>(view.get()) && !view->Memo.join(QString()).isEmpty();
            if (rich || memo)
                view->FillColor = storedColour(boxColour(count++));
        }
    report.SaveToFile(path);
    return count;
}

// The index of a box colour, or -1 for any other colour.
int colourIndex(QRgb c, int count)
{
    if (qRed(c) < 0xE0 || qGreen(c) < 0xE0 || qBlue(c) > 0xF8 || (qRed(c) - 0xE0) % 4 || (qGreen(c) - 0xE0) % 4 ||
        (0xF8 - qBlue(c)) % 4)
        return -1;
    const int i = (qRed(c) - 0xE0) / 4 + (qGreen(c) - 0xE0) / 4 * 8 + (0xF8 - qBlue(c)) / 4 * 64;
    return i < count && boxColour(i) == (c | 0xFF000000) ? i : -1;
}

// The box a word printed in (points; the page has 2 pixels to a point): the
// fill showing most between its letters, as wide as that fill reaches on the
// word's rows and as high as it reaches over the word's columns. Null when
// the word stands on no text object's fill.
QRectF homeOf(const QImage &page, const QRectF &word, int count)
{
    const QRect area = QRectF(word.topLeft() * 2, word.bottomRight() * 2).toAlignedRect() & page.rect();
    QList<int> seen(count);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const int i = colourIndex(page.pixel(x, y), count); i >= 0)
                ++seen[i];
    const auto most = std::max_element(seen.begin(), seen.end());
    if (most == seen.end() || *most == 0)
        return {};
    const int home = int(most - seen.begin());
    auto rowHas = [&](int y, int from, int to) {
        for (int x = std::max(0, from); x <= std::min(page.width() - 1, to); ++x)
            if (colourIndex(page.pixel(x, y), count) == home)
                return true;
        return false;
    };
    int left = page.width(), right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (colourIndex(page.pixel(x, y), count) == home) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    int top = area.center().y(), bottom = top;
    while (top > 0 && rowHas(top - 1, area.left() - 2, area.right() + 2))
        --top;
    while (bottom + 1 < page.height() && rowHas(bottom + 1, area.left() - 2, area.right() + 2))
        ++bottom;
    return QRectF(left / 2.0, top / 2.0, (right + 1 - left) / 2.0, (bottom + 1 - top) / 2.0);
}

} // namespace

TEST_F(ShopLayoutTest, EveryTextOfADocumentPrintsWholeInItsBox)
{
    const QDir layouts(PathSestavy);
    const struct
    {
        const char *file;
        int operation, voucher;
        ReceiptFormat format;
    } documents[] = {{"Uctenka_A5.vlf", 1, 0, ReceiptFormat::A5},
                     {"Uctenka_A4.vlf", 1, 0, ReceiptFormat::A4},
                     {"Uctenka_Svitek.vlf", 1, 0, ReceiptFormat::Svitek},
                     {"Prijmovy_Doklad_A4.vlf", 1, 1, {}},
                     {"Faktura_A4.vlf", 2, 0, {}},
                     {"Dodaci_List_A4.vlf", 3, 0, {}}};
    int sold = 0;
    for (const auto &document : documents) {
        SCOPED_TRACE(document.file);
        const int count = colourTextBoxes(layouts.filePath(QString::fromLatin1(document.file)));
        ASSERT_GT(count, 0);
        if (sold != document.operation)
            SellStandardBasket(sold = document.operation);
        settings.format = document.format;
        ASSERT_FALSE(PrintDocument(document.operation, document.voucher).isEmpty());
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-f"), QStringLiteral("1"),
                      QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), QStringLiteral("-png"),
                      pdfPath, pdfPath});
        render.waitForFinished(60000);
        const QImage page = QImage(pdfPath + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(page.isNull());
        const QList<Word> words = wordsOf(pdfPath);
        ASSERT_GT(words.size(), 20);
        int placed = 0;
        for (const Word &word : words) {
            const QRectF home = homeOf(page, word.box, count);
            if (home.isNull())
                continue;
            ++placed;
            EXPECT_TRUE(home.adjusted(-0.75, -0.75, 0.75, 0.75).contains(word.box))
                << qPrintable(word.text) << " at " << word.box.left() << "-" << word.box.right() << " x "
                << word.box.top() << "-" << word.box.bottom() << " in a box " << home.left() << "-" << home.right()
                << " x " << home.top() << "-" << home.bottom();
        }
        EXPECT_GT(placed, words.size() * 9 / 10);
    }
}
