// Random baskets at every VAT rate the shop keeps sold, and some cancelled,
// through the server's own procedures; every document's figures as the
// document lists give them, and as each layout that prints it prints them
// (read back from the prepared pages, and from some PDFs by pdftotext), added
// up as a customer adds them and compared with what the server stored: the
// document's total and the till's cash movement.
#include "documentfigures.h"

#include "report/vlreport.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>

namespace {

constexpr unsigned Seed = 20261207;
constexpr int Baskets = 600;
constexpr int Items = 500;
// A few baskets long enough for many pages, and the longest a till sells.
const QList<int> LongBaskets = {120, 260, 500};

struct BasketLine
{
    int item;     // 0 to Items - 1
    qint64 price; // haléře
    int vat;      // VAT id
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

QList<Basket> RandomBaskets(std::mt19937 &random, const QList<int> &vatIds)
{
    const auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    QList<Basket> baskets;
    for (int b = 0; b < Baskets + LongBaskets.size(); ++b) {
        Basket basket{between(1, 3),
                      between(0, 1)         ? 0
                      : between(0, 20) == 0 ? 100
                                            : between(1, 30),
                      between(0, 3) == 0,
                      {}};
        // One line, a few, now and then enough for several pages.
        const int size = b >= Baskets          ? LongBaskets[b - Baskets]
                         : between(0, 3) == 0  ? 1
                         : between(0, 29) == 0 ? between(30, 45)
                                               : between(2, 12);
        std::vector<int> items(Items);
        std::iota(items.begin(), items.end(), 0);
        std::shuffle(items.begin(), items.end(), random);
        for (int i = 0; i < size; ++i) {
            const int kind = between(0, 19);
            // Now and then thousands to the thousandth (kept exactly below
            // 16 384): such a line runs to tens of millions, on the roll too.
            const int quantity = between(0, 2) == 0   ? 1000 * between(1, 20)
                                 : between(0, 5) == 0 ? between(1000000, 16383999)
                                                      : between(1, 20000);
            const qint64 price = kind == 0 ? 0 : kind < 5 ? between(1, 99) : between(100, 299999);
            const int discount = between(0, 2) ? 0 : between(0, 30) == 0 ? 100 : between(1, 50);
            basket.lines << BasketLine{items[size_t(i)], price, vatIds[between(0, int(vatIds.size()) - 1)], quantity,
                                       discount};
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

// Money in the layouts' display format, read back.
qint64 AsPrinted(const Variant &value)
{
    constexpr qint32 money = (fkNumber << 24) | (3 << 16) | (2 << 8) | ',';
    return Halere(vlFormatViewValue(value, money, {})).value_or(-1);
}

} // namespace

class DocumentSums : public ShopLayoutTest
{
protected:
    // What the server stored of each document, and which sale each
    // cancellation cancels.
    QHash<int, StoredDocument> StoredDocuments()
    {
        const QString rows = scalar(QStringLiteral(
            "SELECT string_agg(concat_ws(' ', h.ID_DOKLAD, h.ID_OPERACE, h.RADKY, "
            "round(tab_doklad_func_CASTKA(h.ID_DOKLAD) * 100), coalesce(round(p.POHYB * 100)::text, '-'), "
            "h.REF_ID_DOKLAD), ';') "
            "FROM (SELECT ID_DOKLAD, min(ID_OPERACE) AS ID_OPERACE, count(*) AS RADKY, min(DOKLAD_NETISTENY) "
            "      AS DOKLAD_NETISTENY, min(REF_ID_DOKLAD) AS REF_ID_DOKLAD, bool_or(ID_OPERACE > 3) AS STORNO "
            "      FROM tab_historie WHERE ID_DOKLAD > 0 GROUP BY ID_DOKLAD) h "
            "LEFT JOIN tab_pokladna p ON p.ID_OPERACE = h.ID_OPERACE AND p.DOKLAD_NETISTENY = h.DOKLAD_NETISTENY"));
        QHash<int, StoredDocument> stored;
        for (const QString &row : rows.split(u';')) {
            const QStringList parts = row.split(u' ');
            if (parts.size() != 6)
                continue;
            StoredDocument document{parts[1].toInt(), parts[2].toInt(), parts[3].toLongLong(), std::nullopt};
            if (parts[4] != u'-')
                document.cash = parts[4].toLongLong();
            stored.insert(parts[0].toInt(), document);
            if (document.operation > 3)
                m_cancels.insert(parts[0].toInt(), parts[5].toInt());
        }
        return stored;
    }
    // The current document's figures as the document, line and rate lists give them.
    DocumentFigures ListedFigures();

    QHash<int, int> m_cancels; // cancellation -> its sale
};

DocumentFigures DocumentSums::ListedFigures()
{
    TMSSQLADOQuery *document = dm->MSSQLADOQuery_Doklad;
    const auto field = [document](const char *name) {
        return AsPrinted(document->FieldByName(QLatin1String(name)).Value());
    };
    DocumentFigures figures;
    TMSSQLADOQuery *lines = dm->MSSQLADOQuery_DokladDetail;
    for (lines->First(); !lines->Eof(); lines->Next()) {
        const auto value = [lines](const char *name) { return lines->FieldByName(QLatin1String(name)).Value(); };
        // The line's own figures, exactly: the quantity is a real kept to the thousandth.
        const qint64 quantity = qRound64(value("MNOZSTVI").toDouble() * 1000);
        const qint64 price = AsPrinted(value("PRODEJ"));
        figures.lines << LineFigure{AsPrinted(value("PRODEJ_CELKEM")),
                                    RoundedQuotient(quantity * price * (100 - value("SLEVA").toInt()), 100 * 1000),
                                    RateValue::Parse(value("DPH").toString())};
    }
    TMSSQLADOQuery *rates = dm->MSSQLADOQuery_DokladDph;
    for (rates->First(); !rates->Eof(); rates->Next()) {
        const auto value = [rates](const char *name) {
            return AsPrinted(rates->FieldByName(QLatin1String(name)).Value());
        };
        figures.rates << RateFigure{*RateValue::Parse(rates->FieldByName(QStringLiteral("DPH")).AsString()),
                                    value("ZAKLAD"), value("DPH_CASTKA"), value("PRODEJ_CELKEM")};
    }
    figures.sum = field("SOUCET_POLOZEK");
    figures.discountPercent = int(document->FieldByName(QStringLiteral("SLEVA")).AsInteger());
    figures.discount = field("SLEVA_CASTKA");
    figures.rounding = field("ZAOKROUHLENI");
    figures.toPay = field("PRODEJ_CELKEM");
    return figures;
}

TEST_F(DocumentSums, EveryPrintedDocumentAddsUpToTheHaler)
{
    // Every rate the shop keeps: the three of a new database and two more.
    sql(QStringLiteral("INSERT INTO tab_dph (DPH) VALUES (12.5), (21)"));
    QList<int> vatIds;
    for (const QString &id : scalar(QStringLiteral("SELECT string_agg(ID_DPH::text, ' ') FROM tab_dph")).split(u' '))
        vatIds << id.toInt();
    ASSERT_EQ(vatIds.size(), 5);
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
    const QList<Basket> baskets = RandomBaskets(random, vatIds);
    ASSERT_EQ(sql(SaleScript(baskets, firstItem, QStringLiteral("Stavebniny Novák a syn s.r.o."))), QString());
    const QHash<int, StoredDocument> stored = StoredDocuments();
    ASSERT_TRUE(dm->OpenDocuments());
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    dm->MSSQLADOQuery_DokladDph->Open();

    int failed = 0;
    const auto report = [&failed](int id, const QString &where, const QStringList &faults) {
        if (faults.isEmpty())
            return;
        ++failed;
        ADD_FAILURE() << "seed " << Seed << ", document " << id << " " << qPrintable(where) << ": "
                      << qPrintable(faults.join(QStringLiteral("; ")));
    };
    const auto current = [documents](const char *name) {
        return int(documents->FieldByName(QLatin1String(name)).AsInteger());
    };
    // Every priced document's figures as the lists give them; a cancellation
    // is its sale's figures turned round, its cash movement too.
    for (documents->First(); !documents->Eof() && failed < 5; documents->Next()) {
        const DocumentFigures figures = ListedFigures();
        QStringList faults = FiguresFaults(figures, stored.value(current("ID_DOKLAD")));
        // The document's VAT (the overview's column) is its rates' VAT.
        const qint64 vat = std::accumulate(figures.rates.cbegin(), figures.rates.cend(), qint64(0),
                                           [](qint64 sum, const RateFigure &rate) { return sum + rate.vat; });
        if (vat != AsPrinted(documents->FieldByName(QStringLiteral("DPH_CASTKA")).Value()))
            faults << QStringLiteral("the rates' VAT is %1, the document's not").arg(vat);
        report(current("ID_DOKLAD"), QStringLiteral("in the lists"), faults);
    }
    for (auto cancel = m_cancels.cbegin(); cancel != m_cancels.cend(); ++cancel) {
        const StoredDocument storno = stored.value(cancel.key()), sale = stored.value(cancel.value());
        if (storno.total != -sale.total || storno.cash != (sale.cash ? std::optional(-*sale.cash) : std::nullopt))
            report(cancel.key(), QStringLiteral("cancelling ") + QString::number(cancel.value()),
                   {QStringLiteral("total %1 and cash %2 of a sale of %3 and %4")
                        .arg(storno.total)
                        .arg(storno.cash.value_or(0))
                        .arg(sale.total)
                        .arg(sale.cash.value_or(0))});
    }

    // ...and printed: each layout over the first documents it prints, as many
    // again of those with more than two rates, and every long one (building
    // every page of every document takes minutes).
    struct Layout
    {
        const char *file;
        int kind; // the operation it prints; 0: cancellations
    };
    const Layout layouts[] = {{"Uctenka_Svitek.vlf", 1},     {"Uctenka_A4.vlf", 1}, {"Uctenka_A5.vlf", 1},
                              {"Prijmovy_Doklad_A4.vlf", 1}, {"Faktura_A4.vlf", 2}, {"Dodaci_List_A4.vlf", 3},
                              {"Storno_A4.vlf", 0}};
    QSet<int> manyRates;
    for (const QString &id : scalar(QStringLiteral("SELECT string_agg(ID_DOKLAD::text, ' ') FROM (SELECT ID_DOKLAD "
                                                   "FROM tab_historie WHERE ID_DOKLAD > 0 GROUP BY ID_DOKLAD "
                                                   "HAVING count(DISTINCT ID_DPH) > 2) d"))
                                 .split(u' '))
        manyRates.insert(id.toInt());
    constexpr int Sample = 12;
    int printedDocuments = 0, longest = 0;
    for (const Layout &layout : layouts) {
        int printed = 0, withManyRates = 0;
        for (documents->First(); !documents->Eof() && failed < 5; documents->Next()) {
            const int operation = current("ID_OPERACE"), id = current("ID_DOKLAD");
            const int lineCount = current("POLOZKY_CELKEM");
            const bool many = manyRates.contains(id) && withManyRates < Sample;
            if ((operation != layout.kind && (layout.kind != 0 || operation < 4)) ||
                (printed >= Sample && !many && lineCount < 100))
                continue;
            ++printed;
            withManyRates += manyRates.contains(id);
            longest = std::max(longest, lineCount);
            const QList<PreparedText> pages = PrepareDocument(QString::fromLatin1(layout.file));
            QStringList faults = PlacementFaults(pages);
            if (operation == 3) {
                // Goods without prices: every line, and their count.
                if (!std::any_of(pages.cbegin(), pages.cend(), [&](const PreparedText &text) {
                        return text.text == QStringLiteral("Celkem řádků: %1").arg(lineCount);
                    }))
                    faults << QStringLiteral("no line count");
            } else {
                QString missing;
                if (const std::optional<DocumentFigures> figures = ReadPreparedPages(pages, &missing))
                    faults << FiguresFaults(*figures, stored.value(id));
                else
                    faults << QStringLiteral("no ") + missing;
            }
            report(id, QStringLiteral("on ") + QLatin1String(layout.file), faults);
        }
        printedDocuments += printed;
    }
    EXPECT_EQ(stored.size(), documents->RecordCount());
    EXPECT_GE(documents->RecordCount(), Baskets);
    EXPECT_EQ(longest, 500);
    std::printf("%d documents added up, %d of them printed\n", documents->RecordCount(), printedDocuments);
}

TEST_F(DocumentSums, PrintedPdfsAddUpForAnIndependentReader)
{
    // The standard basket at four rates: bread at 0 %, butter at 10 % with
    // its line discount, bulbs at 12,5 %, the rest at 20 %; 7 % off the whole.
    sql(QStringLiteral("INSERT INTO tab_dph (DPH) VALUES (12.5)"));
    sql(QStringLiteral("UPDATE tab_polozka SET ID_DPH = 1 WHERE OZNACENI = 'CHL01'"));
    sql(QStringLiteral("UPDATE tab_polozka SET ID_DPH = (SELECT ID_DPH FROM tab_dph WHERE DPH = 12.5) "
                       "WHERE OZNACENI = 'LED03'"));
    const auto check = [this](int operation, int voucher, const char *what) {
        const int id = int(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("ID_DOKLAD")).AsInteger());
        const QStringList pages = PrintDocument(operation, voucher);
        QString missing;
        const std::optional<DocumentFigures> figures = ReadPdfText(pages, &missing);
        ASSERT_TRUE(figures) << what << ": no " << qPrintable(missing) << "\n" << qPrintable(pages.join(u'\n'));
        EXPECT_EQ(figures->rates.size(), 4) << what;
        EXPECT_EQ(FiguresFaults(*figures, StoredDocuments().value(id)), QStringList()) << what;
        EXPECT_EQ(figures->discountPercent, 7) << what;
    };
    const int sale = SellStandardBasket(1, 7);
    for (const ReceiptFormat format : {ReceiptFormat::Svitek, ReceiptFormat::A4, ReceiptFormat::A5}) {
        settings.format = format;
        check(1, 0, "receipt");
    }
    check(1, 1, "cash voucher");
    ASSERT_TRUE(dm->CancelDocument(sale)) << qPrintable(dm->LastErrorText());
    check(4, 0, "cancellation");
    SellStandardBasket(2, 7);
    check(2, 0, "invoice");
}
