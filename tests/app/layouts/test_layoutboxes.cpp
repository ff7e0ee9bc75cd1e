// Every text of the shop's documents prints whole in its box. Each text
// object of a layout gets a fill of a colour of its own; the printed page is
// rendered by an independent reader and every word it reads stands inside
// the box of its colour: nothing drawn past the box and cut there.
#include "layoutprint.h"

#include "app/start/appglobals.h"
#include "report/rich/vlrichview.h"
#include "report/vlreport.h"

#include <QDir>
#include <QHash>
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

// Gives every text object of the layout file a light fill of its own;
// the fills and the objects' numbers.
QHash<QRgb, int> colourTextBoxes(const QString &path)
{
    TvlReport report;
    QHash<QRgb, int> colours;
    EXPECT_TRUE(report.LoadFromFile(path));
    for (const auto &view : report.Pages[0]->Objects)
        if (dynamic_cast<TvlRichView *>(view.get()) ||
            (dynamic_cast<TvlMemoView *>(view.get()) && !view->Memo.join(QString()).isEmpty())) {
            const int i = int(colours.size());
            const QRgb rgb = qRgb(0xE0 + (i % 8) * 4, 0xE0 + (i / 8 % 8) * 4, 0xF8 - (i / 64) * 4);
            colours.insert(rgb, i);
            view->FillColor = qBlue(rgb) << 16 | qGreen(rgb) << 8 | qRed(rgb);
        }
    report.SaveToFile(path);
    return colours;
}

// The box a word printed in (points; the page has 2 pixels to a point): the
// fill showing most between its letters, as wide as it reaches on the word's
// rows and as high as it reaches over the word's columns; null when none shows.
QRectF homeOf(const QImage &page, const QRectF &word, const QHash<QRgb, int> &colours)
{
    const QRect area = QRectF(word.topLeft() * 2, word.bottomRight() * 2).toAlignedRect() & page.rect();
    auto fill = [&](int x, int y) { return colours.value(page.pixel(x, y), -1); };
    QMap<int, int> seen;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++seen[fill(x, y)];
    seen.remove(-1);
    if (seen.isEmpty())
        return {};
    const int home = std::max_element(seen.begin(), seen.end()).key();
    int left = page.width(), right = -1, top = area.center().y(), bottom = top;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (fill(x, y) == home) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    auto rowHas = [&](int y) {
        for (int x = std::max(0, area.left() - 2); x <= std::min(page.width() - 1, area.right() + 2); ++x)
            if (fill(x, y) == home)
                return true;
        return false;
    };
    while (top > 0 && rowHas(top - 1))
        --top;
    while (bottom + 1 < page.height() && rowHas(bottom + 1))
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
        const QHash<QRgb, int> colours =
            colourTextBoxes(QDir(PathSestavy).filePath(QString::fromLatin1(document.file)));
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
            const QRectF home = homeOf(page, word.box, colours);
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
                                      {"Dodaci_List_A4.vlf", 3, 0, {}},
                                      {"Storno_A4.vlf", 5, 0, {}}};
        int sold = 0;
        for (const Document &document : documents) {
            if (sold != document.operation) {
                sold = document.operation;
                if (sold == 5) // a cancellation cancels an invoice
                    ASSERT_TRUE(dm->CancelDocument(Sell(2))) << qPrintable(dm->LastErrorText());
                else
                    Sell(sold);
            }
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
    // Sells a document of the operation; its id.
    std::function<int(int operation)> Sell = [this](int operation) { return SellStandardBasket(operation); };
};

TEST_F(LayoutBoxes, EveryTextOfADocumentPrintsWholeInItsBox)
{
    // The note of every document but the cash voucher, every word of it.
    PrintEveryDocument([](const QString &file, const QString &page) {
        if (file.startsWith(QStringLiteral("Prijmovy")))
            return;
        static const QRegularExpression blankOrHyphen(QStringLiteral("[ -]"));
        for (const QString &word : QStringLiteral("Reklamace uplatňujte v prodejně s tímto dokladem. Záruční doba je "
                                                  "24 měsíců, není-li u zboží uvedeno jinak. Zboží zůstává až do "
                                                  "úplného zaplacení majetkem prodávajícího.")
                                       .split(blankOrHyphen))
            EXPECT_TRUE(page.contains(word)) << qPrintable(file) << ": " << qPrintable(word);
    });
}

TEST_F(LayoutBoxes, FiguresOfAnyRateAndSizePrintOnOneLineInTheirColumn)
{
    // The widest rates the VAT dialog takes, and line totals of eight to
    // twelve digits.
    sql(QStringLiteral("INSERT INTO tab_dph (DPH) VALUES (12.5), (88.88)"));
    const int items[] = {
        newItem(QStringLiteral("VEL01"), Currency::fromInt(10), Currency::fromInt(10'000'000)),
        newItem(QStringLiteral("VEL02"), Currency::fromInt(10), Currency::fromString(u"123456789012.5"))};
    sql(QStringLiteral("UPDATE tab_polozka SET ID_DPH = (SELECT ID_DPH FROM tab_dph WHERE DPH = "
                       "(CASE OZNACENI WHEN 'VEL01' THEN 12.5 ELSE 88.88 END)::real) WHERE OZNACENI LIKE 'VEL0_'"));
    Sell = [&](int operation) {
        for (const int id : items)
            EXPECT_TRUE(dm->AddOrEditBasketRow(id, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
        int document = 0;
        EXPECT_TRUE(dm->SellBasket(operation, true, QStringLiteral("Stavebniny Novák a syn s.r.o."), 0, document))
            << qPrintable(dm->LastErrorText());
        return document;
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
