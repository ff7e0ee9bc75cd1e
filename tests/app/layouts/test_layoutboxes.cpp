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
#include <functional>

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

class LayoutBoxes : public ShopLayoutTest
{
protected:
    struct Document
    {
        const char *file;
        int operation, voucher;
        ReceiptFormat format;
    };

    // Prints the current document with the layout's text objects filled in
    // colours of their own, checks each word read back stands inside its
    // box and gives the page's text as laid out.
    QString PrintInBoxes(const Document &document)
    {
        SCOPED_TRACE(document.file);
        const int count = colourTextBoxes(QDir(PathSestavy).filePath(QString::fromLatin1(document.file)));
        EXPECT_GT(count, 0);
        settings.format = document.format;
        const QStringList pages = PrintDocument(document.operation, document.voucher);
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-f"), QStringLiteral("1"),
                      QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), QStringLiteral("-png"),
                      pdfPath, pdfPath});
        render.waitForFinished(60000);
        const QImage page = QImage(pdfPath + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
        const QList<Word> words = wordsOf(pdfPath);
        EXPECT_GT(words.size(), 20);
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
        printedWords = words;
        return pages.value(0);
    }

    // Every document of a sale, the cash receipt on each paper with its voucher.
    void PrintEveryDocument(const std::function<void(const QString &file, const QString &page)> &check)
    {
        const Document documents[] = {{"Uctenka_A5.vlf", 1, 0, ReceiptFormat::A5},
                                      {"Uctenka_A4.vlf", 1, 0, ReceiptFormat::A4},
                                      {"Uctenka_Svitek.vlf", 1, 0, ReceiptFormat::Svitek},
                                      {"Prijmovy_Doklad_A4.vlf", 1, 1, {}},
                                      {"Faktura_A4.vlf", 2, 0, {}},
                                      {"Dodaci_List_A4.vlf", 3, 0, {}}};
        int sold = 0;
        for (const Document &document : documents) {
            if (sold != document.operation)
                Sell(sold = document.operation);
            const QString page = PrintInBoxes(document);
            if (check)
                check(QString::fromLatin1(document.file), page);
        }
    }

    // The height of the first word of the last page read that is the text, or 0.
    double WordHeight(const QString &text) const
    {
        for (const Word &word : printedWords)
            if (word.text == text)
                return word.box.height();
        return 0;
    }

    QList<Word> printedWords;
    std::function<void(int operation)> Sell = [this](int operation) { SellStandardBasket(operation); };
};

TEST_F(LayoutBoxes, EveryTextOfADocumentPrintsWholeInItsBox)
{
    PrintEveryDocument({});
}

TEST_F(LayoutBoxes, FiguresOfAnyRateAndSizePrintOnOneLineInTheirColumn)
{
    // The widest rates the VAT dialog takes, and line totals of eight to
    // twelve digits.
    sql(QStringLiteral("INSERT INTO tab_dph (DPH) VALUES (12.5), (88.88)"));
    const struct
    {
        const char *mark, *rate, *price;
    } lines[] = {{"VEL01", "12.5", "10000000"}, {"VEL02", "88.88", "123456789012.5"}};
    for (const auto &line : lines) {
        TDMItem item;
        item.OZNACENI = item.KOD = QString::fromLatin1(line.mark);
        item.POLOZKA = QStringLiteral("Stroj ") + item.KOD;
        item.SPECIFIKACE = QStringLiteral("-");
        item.DPH = Currency::fromString(QString::fromLatin1(line.rate));
        item.SKLAD = QStringLiteral("Sklad-01");
        item.KATEGORIE = QStringLiteral("?\\Elektro");
        item.DODAVATEL = QStringLiteral("-");
        item.PRODEJ = Currency::fromString(QString::fromLatin1(line.price));
        item.MNOZSTVI = Currency::fromInt(10);
        item.JEDNOTKA = QStringLiteral("ks");
        ASSERT_TRUE(dm->NewItem(item)) << qPrintable(dm->LastErrorText());
    }
    Sell = [&](int operation) {
        for (const auto &line : lines) {
            const int id = scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '%1'")
                                      .arg(QString::fromLatin1(line.mark)))
                               .toInt();
            ASSERT_TRUE(dm->AddOrEditBasketRow(id, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
        }
        int document = 0;
        ASSERT_TRUE(dm->SellBasket(operation, true, QStringLiteral("Stavebniny Novák a syn s.r.o."), 0, document))
            << qPrintable(dm->LastErrorText());
    };
    PrintEveryDocument([this](const QString &file, const QString &page) {
        if (file.startsWith(QStringLiteral("Prijmovy")) || file.startsWith(QStringLiteral("Dodaci")))
            return; // no lines with rates and prices
        for (const QString &figure :
             {QStringLiteral("12,5 %"), QStringLiteral("88,88 %"), czechMoney(QStringLiteral("10000000,00")),
              czechMoney(QStringLiteral("123456789012,50"))})
            EXPECT_TRUE(page.contains(figure)) << qPrintable(file) << ": " << qPrintable(figure) << "\n"
                                               << qPrintable(page);
        // The column holds the widest rate in the size of the others.
        EXPECT_NEAR(WordHeight(QStringLiteral("88,88")), WordHeight(QStringLiteral("12,5")), 0.01) << qPrintable(file);
    });
}
