#pragma once
// A priced document's figures as a reader finds them (on its prepared pages,
// in the text pdftotext reads from its PDF, or in the document lists), and
// what the reader finds wrong adding them up.
#include "layoutprint.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Money as printed ("1 290,00", "-0,34 Kč") in haléře.
std::optional<qint64> Halere(const QString &text);
// numerator / denominator rounded half away from zero, as the server rounds.
qint64 RoundedQuotient(qint64 numerator, qint64 denominator);

// A VAT rate ("12,5", "20", "12.5000") as an exact fraction.
struct RateValue
{
    qint64 numerator = 0, denominator = 1;
    static std::optional<RateValue> Parse(const QString &text);
    bool operator==(const RateValue &other) const
    {
        return numerator * other.denominator == other.numerator * denominator;
    }
    bool operator<(const RateValue &other) const
    {
        return numerator * other.denominator < other.numerator * denominator;
    }
    QString Text() const;
};

struct LineFigure
{
    qint64 total = 0;
    // The quantity times the unit price less the line's discount, to the
    // haler, where the page prints them.
    std::optional<qint64> fromFactors;
    std::optional<RateValue> rate;
};

struct RateFigure
{
    RateValue rate;
    qint64 base = 0, vat = 0, total = 0;
    int page = 0, top = 0; // where its row is printed
};

struct DocumentFigures
{
    bool linesPrinted = true; // the cash voucher prints none
    QList<LineFigure> lines;
    qint64 sum = 0;
    int discountPercent = 0;
    qint64 discount = 0;
    QList<RateFigure> rates;
    qint64 rounding = 0, toPay = 0;
    std::optional<qint64> amount; // the cash voucher's "Částka:"
};

// What the server keeps of a document, in haléře.
struct StoredDocument
{
    int operation = 0;
    int lineCount = 0;
    qint64 total = 0;
    std::optional<qint64> cash; // the till's movement, where there is one
};

// Everything that does not add up, or that does not match what the server
// keeps; empty when the document adds up to the haler.
QStringList FiguresFaults(const DocumentFigures &figures, const StoredDocument &stored);

// The figures of a document's prepared pages; why not, when a figure is missing.
std::optional<DocumentFigures> ReadPreparedPages(const QList<PreparedText> &texts, QString *missing);
// Text lines of the prepared pages that leave their memo or overprint
// another text line of the page.
QStringList PlacementFaults(const QList<PreparedText> &texts);
// The figures pdftotext reads from the PDF's pages (-layout): the lines'
// totals and the summary.
std::optional<DocumentFigures> ReadPdfText(const QStringList &pages, QString *missing);
