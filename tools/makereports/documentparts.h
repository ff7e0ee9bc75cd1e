#pragma once
// Blocks the shop's documents share: the letterhead, the parties, label and
// value rows, the line table, the VAT summary and the page footer.
#include "layoutsheet.h"

#include <QList>
#include <QPair>

using LabelRows = QList<QPair<QString, QString>>;

// A column of a line table: heading, width in millimetres, cell text.
struct TableColumn
{
    QString title;
    double width;
    QString text;
    TextStyle style;
};

// Light grey of headings and the total to pay (0x00BBGGRR).
constexpr qint32 HeadingFill = 0x00EBEBEB;
constexpr qint32 RuleColour = 0x00B4B4B4;

// Logo, the letterhead template and the document's title with its number on
// the right; the title is the object the preview names the report after.
// Returns the height used.
double AddLetterhead(LayoutSheet &sheet, const QString &title, const QString &subtitle);
// A framed box of a party: "DODAVATEL" or "ODBERATEL" variables.
void AddParty(LayoutSheet &sheet, double x, double y, double w, double h, const QString &caption,
              const QString &prefix);
// Label and value pairs one under the other; returns the height used.
double AddLabelRows(LayoutSheet &sheet, double x, double y, double w, double labelWidth, const LabelRows &rows,
                    double rowHeight = 4.6, double size = 8);
// Column headings (repeated on every page) and one row per record of the set.
// Returns the data band.
TvlBandView *AddTable(LayoutSheet &sheet, const QList<TableColumn> &columns, const QString &source,
                      double rowHeight = 5.5);
// The VAT summary of the current document: base and VAT of both rates by
// the preview's captions, then the total; returns the height used.
double AddVatSummary(LayoutSheet &sheet, double x, double y, double w, double size = 8,
                     const QString &totalCaption = QStringLiteral("Celkem k úhradě"));
// Printed-by credit and page numbers at the bottom of every page.
void AddPageFooter(LayoutSheet &sheet);
// A line on the pages after the first naming the document.
void AddContinuationHeader(LayoutSheet &sheet, const QString &text);
// The note of the print and the information template, left of the totals.
double AddNoteAndInformation(LayoutSheet &sheet, double x, double y, double w);
// A signature field: the signature picture above a dotted line and its caption.
void AddSignature(LayoutSheet &sheet, double x, double y, double w, const QString &caption, bool picture);

// Columns of the document lines with prices; narrow leaves out the mark.
QList<TableColumn> PricedLineColumns(double width, bool narrow);
