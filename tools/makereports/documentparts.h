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
// The summary of the current document's figures in three bands below its
// lines, in a column of the page: the lines' sum, the document's discount
// and the headings of the rate table; one row for each VAT rate of the
// document (its base, VAT and total); the rounding and the total to pay.
// Every figure is one the document queries give to the haler, so that they
// add up as printed. Each call lays out one band, which stays the sheet's
// band for what else the layout puts beside its rows.
class VatSummary
{
public:
    VatSummary(LayoutSheet &sheet, double x, double w, double size)
        : m_sheet(sheet)
        , m_x(x)
        , m_w(w)
        , m_size(size)
    {}
    double RowHeight() const { return m_size * 0.6; }
    // The sum, the discount and the headings, below a gap; returns the band's height.
    double Header(double gap = 0);
    // The rates' rows; returns the band's height.
    double Rates();
    // The rounding and the total in larger letters, with room below for
    // more; returns where that room starts.
    double Footer(const QString &totalCaption, double room = 0);

private:
    // A caption and its figure at the right.
    void Row(double y, const QString &caption, const QString &figure);

    LayoutSheet &m_sheet;
    double m_x, m_w, m_size;
};
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
