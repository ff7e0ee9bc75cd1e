#include "documentfigures.h"

#include "platform/currency.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QString MoneyPattern = QStringLiteral("-?\\d{1,3}(?:[ \u00a0]\\d{3})*,\\d\\d");

QRegularExpression Exactly(const QString &pattern)
{
    return QRegularExpression(u'^' + pattern + u'$');
}

// "2,5" or "-1 234,125" in thousandths.
std::optional<qint64> Thousandths(const QString &text)
{
    static const QRegularExpression quantity(QStringLiteral("^(-?)(\\d{1,3}(?:[ \u00a0]\\d{3})*)(?:,(\\d{1,3}))?$"));
    const QRegularExpressionMatch match = quantity.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 whole = QString(match.captured(2)).remove(u' ').remove(QChar(0x00a0)).toLongLong();
    const qint64 value = whole * 1000 + match.captured(3).leftJustified(3, u'0').toLongLong();
    return match.captured(1).isEmpty() ? value : -value;
}

// A whole percentage as printed ("10 %"); a missing one is none.
int Percent(const QString &text)
{
    return QString(text).remove(u'%').trimmed().toInt();
}

bool Before(const PreparedText &a, const PreparedText &b)
{
    return a.page < b.page || (a.page == b.page && a.top < b.top);
}

// The prepared pages' texts as a reader finds them: by caption, by row, and
// the figures on a caption's row.
class Pages
{
public:
    explicit Pages(const QList<PreparedText> &texts)
        : m_texts(texts)
    {}
    std::optional<PreparedText> First(const QRegularExpression &pattern) const
    {
        for (const PreparedText &text : m_texts)
            if (pattern.match(text.text).hasMatch())
                return text;
        return std::nullopt;
    }
    QList<PreparedText> All(const QRegularExpression &pattern) const
    {
        QList<PreparedText> found;
        for (const PreparedText &text : m_texts)
            if (pattern.match(text.text).hasMatch())
                found << text;
        return found;
    }
    // The text of the row whose right edge is the column's (a heading's).
    std::optional<QString> Cell(const PreparedText &row, const std::optional<PreparedText> &column) const
    {
        if (!column)
            return std::nullopt;
        for (const PreparedText &text : m_texts)
            if (text.page == row.page && std::abs(text.top - row.top) <= 2 && std::abs(text.right - column->right) <= 2)
                return text.text;
        return std::nullopt;
    }
    // The money on the caption's row to its right, left to right.
    QList<qint64> Figures(const PreparedText &caption) const
    {
        QList<PreparedText> row;
        for (const PreparedText &text : m_texts)
            if (text.page == caption.page && std::abs(text.top - caption.top) <= 2 && text.left >= caption.right - 2 &&
                Halere(text.text))
                row << text;
        std::sort(row.begin(), row.end(), [](const auto &a, const auto &b) { return a.left < b.left; });
        QList<qint64> figures;
        for (const PreparedText &text : row)
            figures << *Halere(text.text);
        return figures;
    }
    const QList<PreparedText> &Texts() const { return m_texts; }

private:
    QList<PreparedText> m_texts;
};

// The lines of the line table: each total, and its factors where printed.
QList<LineFigure> ReadLines(const Pages &pages, const PreparedText &totalHeading, const PreparedText &sumCaption)
{
    const auto quantityHeading = pages.First(Exactly(QStringLiteral("Množství( × cena)?")));
    const auto priceHeading = pages.First(Exactly(QStringLiteral("Cena/MJ\ns DPH")));
    const auto discountHeading = pages.First(Exactly(QStringLiteral("Sleva")));
    const auto rateHeading = pages.First(Exactly(QStringLiteral("DPH")));
    // The roll's second line of an item: "2,5 kg × 89,90".
    static const QRegularExpression roll(QStringLiteral("^(\\S.*?) \\S+ × (") + MoneyPattern + QStringLiteral(")$"));
    QList<LineFigure> lines;
    for (const PreparedText &cell : pages.Texts()) {
        if (!Before(totalHeading, cell) || !Before(cell, sumCaption) || std::abs(cell.right - totalHeading.right) > 2 ||
            !Halere(cell.text))
            continue;
        LineFigure line;
        line.total = *Halere(cell.text);
        if (const auto rate = pages.Cell(cell, rateHeading))
            line.rate = RateValue::Parse(*rate);
        std::optional<qint64> quantity, price;
        if (priceHeading) {
            if (const auto text = pages.Cell(cell, quantityHeading))
                quantity = Thousandths(*text);
            if (const auto text = pages.Cell(cell, priceHeading))
                price = Halere(*text);
        } else {
            for (const PreparedText &text : pages.Texts())
                if (text.page == cell.page && std::abs(text.top - cell.top) <= 2)
                    if (const auto match = roll.match(text.text); match.hasMatch()) {
                        quantity = Thousandths(match.captured(1));
                        price = Halere(match.captured(2));
                    }
        }
        const int discount = Percent(pages.Cell(cell, discountHeading).value_or(QString()));
        if (quantity && price)
            line.fromFactors = RoundedQuotient(*quantity * *price * (100 - discount), 100 * 1000);
        lines << line;
    }
    return lines;
}

} // namespace

std::optional<qint64> Halere(const QString &text)
{
    static const QRegularExpression money(u'^' + MoneyPattern + QStringLiteral("( Kč)?$"));
    const QString trimmed = text.trimmed();
    if (!money.match(trimmed).hasMatch())
        return std::nullopt;
    return Currency::fromString(QString(trimmed).remove(QStringLiteral(" Kč"))).raw() / 100;
}

qint64 RoundedQuotient(qint64 numerator, qint64 denominator)
{
    const qint64 magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

std::optional<RateValue> RateValue::Parse(const QString &text)
{
    static const QRegularExpression rate(QStringLiteral("^(\\d+)(?:[,.](\\d+))?\\s*%?$"));
    const QRegularExpressionMatch match = rate.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    RateValue value;
    value.numerator = match.captured(1).toLongLong();
    for (const QChar digit : match.captured(2)) {
        value.numerator = value.numerator * 10 + digit.digitValue();
        value.denominator *= 10;
    }
    return value;
}

QString RateValue::Text() const
{
    return QString::number(double(numerator) / double(denominator));
}

QStringList FiguresFaults(const DocumentFigures &figures, const StoredDocument &stored)
{
    QStringList faults;
    const auto expect = [&faults](bool ok, const QString &what) {
        if (!ok)
            faults << what;
    };
    if (figures.linesPrinted) {
        expect(figures.lines.size() == stored.lineCount,
               QStringLiteral("%1 lines printed of %2").arg(figures.lines.size()).arg(stored.lineCount));
        qint64 sum = 0;
        QList<RateValue> lineRates;
        bool ratesRead = true;
        for (int i = 0; i < figures.lines.size(); ++i) {
            const LineFigure &line = figures.lines[i];
            sum += line.total;
            if (line.fromFactors)
                expect(*line.fromFactors == line.total, QStringLiteral("line %1 prints %2, its figures give %3")
                                                            .arg(i + 1)
                                                            .arg(line.total)
                                                            .arg(*line.fromFactors));
            ratesRead = ratesRead && line.rate;
            if (line.rate && !lineRates.contains(*line.rate))
                lineRates << *line.rate;
        }
        expect(sum == figures.sum, QStringLiteral("lines add up to %1, printed sum %2").arg(sum).arg(figures.sum));
        if (ratesRead) {
            std::sort(lineRates.begin(), lineRates.end());
            QList<RateValue> rows;
            for (const RateFigure &rate : figures.rates)
                rows << rate.rate;
            std::sort(rows.begin(), rows.end());
            expect(
                rows == lineRates,
                QStringLiteral("%1 rates in the lines, %2 rate rows").arg(lineRates.size()).arg(figures.rates.size()));
        }
    }
    for (int i = 1; i < figures.rates.size(); ++i)
        expect(
            figures.rates[i - 1].rate < figures.rates[i].rate,
            QStringLiteral("rate %1 % after %2 %").arg(figures.rates[i].rate.Text(), figures.rates[i - 1].rate.Text()));
    expect(figures.discount == -RoundedQuotient(figures.sum * figures.discountPercent, 100),
           QStringLiteral("discount %1 % of %2 printed as %3")
               .arg(figures.discountPercent)
               .arg(figures.sum)
               .arg(figures.discount));
    qint64 rates = 0;
    for (const RateFigure &rate : figures.rates) {
        const QString name = rate.rate.Text() + QStringLiteral(" %");
        expect(rate.base + rate.vat == rate.total,
               QStringLiteral("%1: base %2 + VAT %3 is not %4").arg(name).arg(rate.base).arg(rate.vat).arg(rate.total));
        const qint64 vat =
            RoundedQuotient(rate.total * rate.rate.numerator, 100 * rate.rate.denominator + rate.rate.numerator);
        expect(rate.vat == vat,
               QStringLiteral("%1: VAT %2 of %3, not %4").arg(name).arg(rate.vat).arg(rate.total).arg(vat));
        rates += rate.total;
    }
    expect(figures.sum + figures.discount == rates, QStringLiteral("sum %1 with discount %2 is not the rates' %3")
                                                        .arg(figures.sum)
                                                        .arg(figures.discount)
                                                        .arg(rates));
    expect(rates + figures.rounding == figures.toPay, QStringLiteral("rates %1 with rounding %2 is not the total %3")
                                                          .arg(rates)
                                                          .arg(figures.rounding)
                                                          .arg(figures.toPay));
    expect(std::abs(figures.rounding) <= 50, QStringLiteral("rounding %1").arg(figures.rounding));
    expect(figures.toPay % 100 == 0, QStringLiteral("total %1 not in whole crowns").arg(figures.toPay));
    expect(figures.toPay == stored.total, QStringLiteral("total %1, stored %2").arg(figures.toPay).arg(stored.total));
    if (figures.amount)
        expect(*figures.amount == figures.toPay,
               QStringLiteral("amount %1, total %2").arg(*figures.amount).arg(figures.toPay));
    // A receipt and its cancellation move the till by the total, other documents not at all.
    const bool tillMoves = stored.operation == 1 || stored.operation == 4;
    expect(stored.cash.has_value() == tillMoves, QStringLiteral("operation %1 moved the till: %2")
                                                     .arg(stored.operation)
                                                     .arg(stored.cash ? QStringLiteral("yes") : QStringLiteral("no")));
    if (stored.cash)
        expect(*stored.cash == figures.toPay,
               QStringLiteral("total %1, cash moved %2").arg(figures.toPay).arg(*stored.cash));
    return faults;
}

std::optional<DocumentFigures> ReadPreparedPages(const QList<PreparedText> &texts, QString *missing)
{
    const Pages pages(texts);
    const auto one = [&](const QString &caption, qint64 &into) {
        const auto found = pages.First(Exactly(caption));
        const QList<qint64> figures = found ? pages.Figures(*found) : QList<qint64>();
        if (figures.size() != 1) {
            *missing = caption;
            return false;
        }
        into = figures[0];
        return true;
    };
    DocumentFigures figures;
    if (!one(QStringLiteral("Součet položek"), figures.sum) ||
        !one(QStringLiteral("Sleva na doklad \\d+ %"), figures.discount) ||
        !one(QStringLiteral("Zaokrouhlení"), figures.rounding) ||
        !one(QStringLiteral("(Celkem k úhradě|Opravná částka celkem|Přijato celkem)"), figures.toPay))
        return std::nullopt;
    figures.discountPercent = Percent(pages.First(Exactly(QStringLiteral("Sleva na doklad \\d+ %")))->text.mid(16));
    if (const auto amount = pages.First(Exactly(QStringLiteral("Částka:")))) {
        const QList<qint64> found = pages.Figures(*amount);
        if (found.size() == 1)
            figures.amount = found[0];
    }
    static const QRegularExpression rateCaption(QStringLiteral("^DPH (\\d+(?:,\\d+)?)%:$"));
    for (const PreparedText &caption : pages.All(rateCaption)) {
        const QList<qint64> row = pages.Figures(caption);
        if (row.size() != 3) {
            *missing = caption.text;
            return std::nullopt;
        }
        const auto rate = RateValue::Parse(rateCaption.match(caption.text).captured(1));
        figures.rates << RateFigure{*rate, row[0], row[1], row[2], caption.page, caption.top};
    }
    const auto totalHeading = pages.First(Exactly(QStringLiteral("(Celkem\ns DPH|Celkem Kč)")));
    figures.linesPrinted = totalHeading.has_value();
    if (totalHeading)
        figures.lines = ReadLines(pages, *totalHeading, *pages.First(Exactly(QStringLiteral("Součet položek"))));
    return figures;
}

QStringList PlacementFaults(const QList<PreparedText> &texts)
{
    struct Line
    {
        QRectF box;
        int page;
        int memo;
    };
    QStringList faults;
    QList<Line> lines;
    for (int i = 0; i < texts.size(); ++i) {
        const PreparedText &text = texts[i];
        const QStringList parts = text.text.split(u'\n');
        for (int l = 0; l < text.lines.size(); ++l) {
            const QRectF &box = text.lines[l];
            if (box.width() <= 0)
                continue;
            if (box.left() < text.left - 1 || box.right() > text.right + 1)
                faults << QStringLiteral("\"%1\" leaves its place on page %2").arg(parts.value(l)).arg(text.page + 1);
            lines << Line{box, text.page, i};
        }
    }
    std::sort(lines.begin(), lines.end(), [](const Line &a, const Line &b) {
        return a.page < b.page || (a.page == b.page && a.box.top() < b.box.top());
    });
    for (int i = 0; i < lines.size(); ++i)
        for (int j = i + 1;
             j < lines.size() && lines[j].page == lines[i].page && lines[j].box.top() < lines[i].box.bottom() - 1;
             ++j) {
            const QRectF both = lines[i].box.intersected(lines[j].box);
            if (lines[i].memo != lines[j].memo && both.width() > 1 && both.height() > 1)
                faults << QStringLiteral("\"%1\" and \"%2\" overprint on page %3")
                              .arg(texts[lines[i].memo].text, texts[lines[j].memo].text)
                              .arg(lines[i].page + 1);
        }
    return faults;
}

std::optional<DocumentFigures> ReadPdfText(const QStringList &pages, QString *missing)
{
    const QString money = u'(' + MoneyPattern + QStringLiteral(")(?: Kč)?");
    const QRegularExpression lineTotal(money + QStringLiteral("\\s*$"));
    const QRegularExpression sum(QStringLiteral("^\\s*Součet položek\\s+") + money);
    const QRegularExpression discount(QStringLiteral("^\\s*Sleva na doklad (\\d+) %\\s+") + money);
    const QRegularExpression rate(QStringLiteral("^\\s*DPH (\\d+(?:,\\d+)?)%:\\s+") + money + QStringLiteral("\\s+") +
                                  money + QStringLiteral("\\s+") + money + QStringLiteral("\\s*$"));
    const QRegularExpression rounding(QStringLiteral("^\\s*Zaokrouhlení\\s+") + money);
    const QRegularExpression toPay(QStringLiteral("^\\s*(?:Celkem k úhradě|Opravná částka celkem|Přijato celkem)\\s+") +
                                   money);
    const QRegularExpression amount(QStringLiteral("^\\s*Částka:\\s+") + money);
    DocumentFigures figures;
    figures.linesPrinted = false;
    bool inTable = false, summed = false, discounted = false, rounded = false, paid = false;
    for (const QString &page : pages) {
        for (const QString &text : page.split(u'\n')) {
            QRegularExpressionMatch match;
            if ((match = sum.match(text)).hasMatch()) {
                inTable = false;
                summed = true;
                figures.sum = *Halere(match.captured(1));
            } else if ((match = discount.match(text)).hasMatch()) {
                discounted = true;
                figures.discountPercent = match.captured(1).toInt();
                figures.discount = *Halere(match.captured(2));
            } else if ((match = rate.match(text)).hasMatch()) {
                figures.rates << RateFigure{*RateValue::Parse(match.captured(1)), *Halere(match.captured(2)),
                                            *Halere(match.captured(3)), *Halere(match.captured(4))};
            } else if ((match = rounding.match(text)).hasMatch()) {
                rounded = true;
                figures.rounding = *Halere(match.captured(1));
            } else if ((match = toPay.match(text)).hasMatch()) {
                paid = true;
                figures.toPay = *Halere(match.captured(1));
            } else if ((match = amount.match(text)).hasMatch()) {
                figures.amount = *Halere(match.captured(1));
            } else if (text.contains(QStringLiteral("Množství")) && !summed) {
                inTable = figures.linesPrinted = true;
            } else if (inTable && (match = lineTotal.match(text)).hasMatch()) {
                figures.lines << LineFigure{*Halere(match.captured(1)), std::nullopt, std::nullopt};
            }
        }
    }
    if (!summed || !discounted || !rounded || !paid) {
        *missing = !summed       ? QStringLiteral("Součet položek")
                   : !discounted ? QStringLiteral("Sleva na doklad")
                   : !rounded    ? QStringLiteral("Zaokrouhlení")
                                 : QStringLiteral("the total");
        return std::nullopt;
    }
    return figures;
}
