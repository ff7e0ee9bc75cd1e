// Random baskets sold, and some cancelled, through the server's own
// procedures; every document built with each layout that prints it, its
// printed figures read back and added up as a customer adds them, and
// compared with what the server stored: the document's total and the till's
// cash movement.
#include "layoutprint.h"

#include "platform/currency.h"
#include "report/vlreport.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>
#include <random>

namespace {

constexpr unsigned Seed = 20261207;
constexpr int Baskets = 1000;
constexpr int Items = 60;

struct BasketLine
{
    int item;     // 0 to Items - 1
    qint64 price; // haléře
    int vat;      // VAT id: 2 or 3
    int quantity; // thousandths
    int discount;
};

struct Basket
{
    int operation;
    int discount;
    bool cancelled;
    QList<BasketLine> lines;
};

QList<Basket> RandomBaskets(std::mt19937 &random)
{
    const auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    QList<Basket> baskets;
    for (int b = 0; b < Baskets; ++b) {
        Basket basket{between(1, 3), between(0, 1) ? 0 : between(1, 30), between(0, 3) == 0, {}};
        // One line, a few, or now and then enough for several pages.
        const int size = between(0, 3) == 0 ? 1 : between(0, 49) == 0 ? between(30, 45) : between(2, 12);
        std::vector<int> items(Items);
        std::iota(items.begin(), items.end(), 0);
        std::shuffle(items.begin(), items.end(), random);
        for (int i = 0; i < size; ++i) {
            const qint64 price = between(0, 4) == 0 ? between(1, 99) : between(100, 299999);
            const int quantity = between(0, 2) == 0 ? 1000 * between(1, 20) : between(1, 20000);
            basket.lines << BasketLine{items[size_t(i)], price, between(2, 3), quantity,
                                       between(0, 2) == 0 ? between(1, 50) : 0};
        }
        baskets << basket;
    }
    return baskets;
}

QString Decimal(qint64 value, int decimals)
{
    const QString digits = QString::number(value).rightJustified(decimals + 1, u'0');
    return digits.left(digits.size() - decimals) + u'.' + digits.right(decimals);
}

// The sales as one script of the session that fills its basket and sells it.
QString SaleScript(const QList<Basket> &baskets, int firstItem, const QString &customer)
{
    QString script;
    for (const Basket &basket : baskets) {
        QStringList prices, rows;
        for (const BasketLine &line : basket.lines) {
            const int id = firstItem + line.item;
            prices << QStringLiteral("(%1, %2, %3)").arg(id).arg(Decimal(line.price, 2)).arg(line.vat);
            rows << QStringLiteral("(%1, %2, %3)").arg(id).arg(line.discount).arg(Decimal(line.quantity, 3));
        }
        script += QStringLiteral("UPDATE tab_polozka SET PRODEJ = v.p, ID_DPH = v.d FROM (VALUES %1) v (i, p, d) "
                                 "WHERE ID_POLOZKA = v.i;\n"
                                 "INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI) VALUES %2;\n"
                                 "SELECT tab_prodej_PRODAT(%3, true, '%4', %5);\n")
                      .arg(prices.join(u','), rows.join(u','))
                      .arg(basket.operation)
                      .arg(customer)
                      .arg(basket.discount);
        if (basket.cancelled)
            script += QStringLiteral("SELECT tab_doklad_STORNO(max(ID_DOKLAD)) FROM tab_doklad;\n");
    }
    return script;
}

// Money as printed ("1 290,00", "-0,34 Kč") in haléře.
std::optional<qint64> Halere(const QString &text)
{
    static const QRegularExpression money(QStringLiteral("^-?\\d{1,3}([ \u00a0]\\d{3})*,\\d\\d( Kč)?$"));
    const QString trimmed = text.trimmed();
    if (!money.match(trimmed).hasMatch())
        return std::nullopt;
    return Currency::fromString(QString(trimmed).remove(QStringLiteral(" Kč"))).raw() / 100;
}

using Texts = QList<PreparedText>;

// The figures of a prepared document as a reader finds them.
class PrintedFigures
{
public:
    explicit PrintedFigures(const Texts &texts)
        : m_texts(texts)
    {}

    // The first text matching the caption and the money on its row to its right.
    std::optional<PreparedText> Caption(const QRegularExpression &caption) const
    {
        for (const auto &text : m_texts)
            if (caption.match(text.text).hasMatch())
                return text;
        return std::nullopt;
    }
    QList<qint64> Row(const QRegularExpression &caption) const
    {
        const auto found = Caption(caption);
        if (!found)
            return {};
        Texts row;
        for (const auto &text : m_texts)
            if (text.page == found->page && std::abs(text.top - found->top) <= 2 && text.left >= found->right - 2 &&
                Halere(text.text))
                row << text;
        std::sort(row.begin(), row.end(), [](const auto &a, const auto &b) { return a.left < b.left; });
        QList<qint64> figures;
        for (const auto &text : row)
            figures << *Halere(text.text);
        return figures;
    }
    // The cells of the line table's column whose heading starts with (or, on
    // the roll, holds) the text, from the heading down to the sums.
    QStringList Column(const QString &heading) const
    {
        const auto head = Caption(QRegularExpression(QRegularExpression::escape(heading)));
        const auto sums = Caption(QRegularExpression(QStringLiteral("^(Součet položek|Celkem řádků)")));
        // Money or a quantity: not a page's header or footer.
        static const QRegularExpression number(QStringLiteral("^-?\\d{1,3}([ \u00a0]\\d{3})*(,\\d+)?( Kč)?$"));
        QStringList cells;
        if (!head || !sums)
            return cells;
        for (const auto &text : m_texts) {
            const bool below = text.page > head->page || (text.page == head->page && text.top > head->top);
            const bool above = text.page < sums->page || (text.page == sums->page && text.top < sums->top);
            if (below && above && std::abs(text.right - head->right) <= 2 &&
                number.match(text.text.trimmed()).hasMatch())
                cells << text.text.trimmed();
        }
        return cells;
    }

private:
    Texts m_texts;
};

QRegularExpression Exactly(const QString &pattern)
{
    return QRegularExpression(u'^' + pattern + u'$');
}

// What the server stored of each document: its total and the cash movement
// ("-" where the till did not move).
struct Stored
{
    qint64 total;
    QString cash;
};

// A priced document's figures in haléře.
struct Rate
{
    int rate;
    qint64 base, vat, total;
};
struct Figures
{
    QList<qint64> lines;
    qint64 sum = 0, discount = 0, rounding = 0, toPay = 0;
    QList<Rate> rates;
};

} // namespace

class DocumentSums : public ShopLayoutTest
{
protected:
    QHash<int, Stored> StoredDocuments()
    {
        const QString rows = scalar(QStringLiteral(
            "SELECT string_agg(h.ID_DOKLAD || ' ' || round(tab_doklad_func_CASTKA(h.ID_DOKLAD) * 100) || ' ' || "
            "coalesce(round(p.POHYB * 100)::text, '-'), ';') "
            "FROM (SELECT DISTINCT ID_DOKLAD, ID_OPERACE, DOKLAD_NETISTENY FROM tab_historie WHERE ID_DOKLAD > 0) h "
            "LEFT JOIN tab_pokladna p ON p.ID_OPERACE = h.ID_OPERACE AND p.DOKLAD_NETISTENY = h.DOKLAD_NETISTENY"));
        QHash<int, Stored> stored;
        for (const QString &row : rows.split(u';')) {
            const QStringList parts = row.split(u' ');
            if (parts.size() == 3)
                stored.insert(parts[0].toInt(), Stored{parts[1].toLongLong(), parts[2]});
        }
        return stored;
    }
    // The current document's figures as its layouts print them, from the
    // document list and the line list.
    Figures ListedFigures();
};

namespace {

// A priced document's figures as printed: read from its pages, or missing.
std::optional<Figures> PrintedPriced(const PrintedFigures &printed)
{
    Figures figures;
    for (const QString &cell : printed.Column(QStringLiteral("Celkem")))
        figures.lines << Halere(cell).value_or(0);
    const QList<qint64> sum = printed.Row(Exactly(QStringLiteral("Součet položek")));
    const QList<qint64> discount = printed.Row(Exactly(QStringLiteral("Sleva na doklad \\d+ %")));
    const QList<qint64> rounding = printed.Row(Exactly(QStringLiteral("Zaokrouhlení")));
    const QList<qint64> toPay = printed.Row(Exactly(QStringLiteral("(Celkem k úhradě|Opravná částka celkem)")));
    if (sum.size() != 1 || discount.size() != 1 || rounding.size() != 1 || toPay.size() != 1)
        return std::nullopt;
    figures.sum = sum[0];
    figures.discount = discount[0];
    figures.rounding = rounding[0];
    figures.toPay = toPay[0];
    for (const int rate : {10, 20}) {
        const QList<qint64> row = printed.Row(Exactly(QStringLiteral("DPH %1%:").arg(rate)));
        if (row.size() != 3)
            return std::nullopt;
        figures.rates << Rate{rate, row[0], row[1], row[2]};
    }
    return figures;
}

// What a customer finds wrong adding up the figures; empty when they add up.
QStringList Check(const Figures &printed, int lineCount, qint64 total, const QString &cash, bool tillMoves)
{
    QStringList faults;
    const auto expect = [&faults](bool ok, const QString &what) {
        if (!ok)
            faults << what;
    };
    const qint64 lines = std::accumulate(printed.lines.cbegin(), printed.lines.cend(), qint64(0));
    expect(printed.lines.size() == lineCount,
           QStringLiteral("%1 lines printed of %2").arg(printed.lines.size()).arg(lineCount));
    expect(lines == printed.sum, QStringLiteral("lines add up to %1, printed sum %2").arg(lines).arg(printed.sum));
    qint64 rates = 0;
    for (const Rate &rate : printed.rates) {
        expect(rate.base + rate.vat == rate.total, QStringLiteral("%1 %: base %2 + VAT %3 is not %4")
                                                       .arg(rate.rate)
                                                       .arg(rate.base)
                                                       .arg(rate.vat)
                                                       .arg(rate.total));
        // The VAT is the rate's share of the total, to the haléř.
        expect(std::abs(rate.vat * (100 + rate.rate) - rate.total * rate.rate) <= (100 + rate.rate) / 2 + 1,
               QStringLiteral("%1 %: VAT %2 of %3").arg(rate.rate).arg(rate.vat).arg(rate.total));
        rates += rate.total;
    }
    expect(printed.sum + printed.discount == rates, QStringLiteral("sum %1 with discount %2 is not the rates' %3")
                                                        .arg(printed.sum)
                                                        .arg(printed.discount)
                                                        .arg(rates));
    expect(rates + printed.rounding == printed.toPay, QStringLiteral("rates %1 with rounding %2 is not the total %3")
                                                          .arg(rates)
                                                          .arg(printed.rounding)
                                                          .arg(printed.toPay));
    expect(std::abs(printed.rounding) < 100, QStringLiteral("rounding %1").arg(printed.rounding));
    expect(printed.toPay == total, QStringLiteral("total %1, stored %2").arg(printed.toPay).arg(total));
    expect(printed.toPay % 100 == 0, QStringLiteral("total %1 not in whole crowns").arg(printed.toPay));
    // A receipt and its cancellation move the till by the total, other documents not at all.
    expect(cash == (tillMoves ? QString::number(printed.toPay) : QStringLiteral("-")),
           QStringLiteral("total %1, cash moved %2").arg(printed.toPay).arg(cash));
    return faults;
}

// Money in the layouts' display format, read back.
qint64 AsPrinted(const Variant &value)
{
    constexpr qint32 money = (fkNumber << 24) | (3 << 16) | (2 << 8) | ',';
    return Halere(vlFormatViewValue(value, money, {})).value_or(-1);
}

} // namespace

Figures DocumentSums::ListedFigures()
{
    TMSSQLADOQuery *document = dm->MSSQLADOQuery_Doklad;
    TMSSQLADOQuery *lines = dm->MSSQLADOQuery_DokladDetail;
    const auto field = [document](const char *name) {
        return AsPrinted(document->FieldByName(QLatin1String(name)).Value());
    };
    Figures figures;
    for (lines->First(); !lines->Eof(); lines->Next())
        figures.lines << AsPrinted(lines->FieldByName(QStringLiteral("PRODEJ_CELKEM")).Value());
    figures.sum = field("SOUCET_POLOZEK");
    figures.discount = field("SLEVA_CASTKA");
    figures.rounding = field("ZAOKROUHLENI");
    figures.toPay = field("PRODEJ_CELKEM");
    figures.rates << Rate{10, field("DPH1_PRODEJ_CELKEM") - field("DPH1_DPH"), field("DPH1_DPH"),
                          field("DPH1_PRODEJ_CELKEM")}
                  << Rate{20, field("DPH2_PRODEJ_CELKEM") - field("DPH2_DPH"), field("DPH2_DPH"),
                          field("DPH2_PRODEJ_CELKEM")};
    return figures;
}

TEST_F(DocumentSums, EveryPrintedDocumentAddsUpToTheHaler)
{
    // Items of the random baskets, with stock for every sale.
    sql(QStringLiteral("INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, "
                       "PATH_ID_KATEGORIE, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, "
                       "MNOZSTVI, ZASOBA, MINIMUM, NASOBNE) "
                       "SELECT 1, 1, 1, 3, 2, '1\\', 'N' || i, 'N' || i, 'Náhodná položka ' || i, '-', 0, 0, 1, 0, "
                       "1000000, 0, 0, false FROM generate_series(1, %1) i")
            .arg(Items));
    const int firstItem =
        scalar(QStringLiteral("SELECT min(ID_POLOZKA) FROM tab_polozka WHERE OZNACENI = 'N1'")).toInt();
    std::mt19937 random(Seed);
    const QList<Basket> baskets = RandomBaskets(random);
    ASSERT_EQ(sql(SaleScript(baskets, firstItem, QStringLiteral("Stavebniny Novák a syn s.r.o."))), QString());
    const QHash<int, Stored> stored = StoredDocuments();
    ASSERT_TRUE(dm->OpenDocuments());

    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    int failed = 0;
    const auto report = [&failed](int id, int operation, const QString &where, const QStringList &faults) {
        if (faults.isEmpty())
            return;
        ++failed;
        ADD_FAILURE() << "seed " << Seed << ", document " << id << " (operation " << operation << ") "
                      << qPrintable(where) << ": " << qPrintable(faults.join(QStringLiteral("; ")));
    };
    // Every priced document's figures as the layouts print them...
    for (documents->First(); !documents->Eof() && failed < 5; documents->Next()) {
        const int operation = int(documents->FieldByName(QStringLiteral("ID_OPERACE")).AsInteger());
        const int id = int(documents->FieldByName(QStringLiteral("ID_DOKLAD")).AsInteger());
        const Stored figures = stored.value(id, Stored{-1, {}});
        if (operation != 3)
            report(id, operation, QStringLiteral("in the list"),
                   Check(ListedFigures(), int(documents->FieldByName(QStringLiteral("POLOZKY_CELKEM")).AsInteger()),
                         figures.total, figures.cash, operation == 1 || operation == 4));
    }

    // ...and printed: each layout over the first documents it prints and
    // every long one (building every page of every document takes minutes).
    const QList<QPair<QString, int>> layouts = {{"Uctenka_Svitek.vlf", 1}, {"Uctenka_A4.vlf", 1},
                                                {"Uctenka_A5.vlf", 1},     {"Faktura_A4.vlf", 2},
                                                {"Dodaci_List_A4.vlf", 3}, {"Storno_A4.vlf", 0}}; // 0: cancellations
    constexpr int Sample = 40;
    int printedDocuments = 0;
    for (const auto &[layout, kind] : layouts) {
        int printed = 0;
        for (documents->First(); !documents->Eof() && failed < 5; documents->Next()) {
            const int operation = int(documents->FieldByName(QStringLiteral("ID_OPERACE")).AsInteger());
            const int lineCount = int(documents->FieldByName(QStringLiteral("POLOZKY_CELKEM")).AsInteger());
            if ((operation != kind && (kind != 0 || operation < 4)) || (printed >= Sample && lineCount < 25))
                continue;
            ++printed;
            const int id = int(documents->FieldByName(QStringLiteral("ID_DOKLAD")).AsInteger());
            const PrintedFigures pages(PrepareDocument(layout));
            QStringList faults;
            if (operation == 3) {
                // Goods without prices: every line, and their count.
                const int cells = int(pages.Column(QStringLiteral("Množství")).size());
                if (cells != lineCount)
                    faults << QStringLiteral("%1 lines printed of %2").arg(cells).arg(lineCount);
                if (!pages.Caption(Exactly(QStringLiteral("Celkem řádků: %1").arg(lineCount))))
                    faults << QStringLiteral("no line count");
            } else if (const std::optional<Figures> figures = PrintedPriced(pages)) {
                const Stored kept = stored.value(id, Stored{-1, {}});
                faults = Check(*figures, lineCount, kept.total, kept.cash, operation == 1 || operation == 4);
            } else {
                faults << QStringLiteral("a sum, the discount, a rate, the rounding or the total is missing");
            }
            report(id, operation, QStringLiteral("on ") + layout, faults);
        }
        printedDocuments += printed;
    }
    EXPECT_EQ(stored.size(), documents->RecordCount());
    EXPECT_GE(documents->RecordCount(), Baskets);
    std::printf("%d documents added up, %d of them printed\n", documents->RecordCount(), printedDocuments);
}
