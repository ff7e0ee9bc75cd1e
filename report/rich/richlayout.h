#pragma once
// Laying out rich text on one fixed device: a 96-per-inch reference with the
// fonts' design metrics, whatever the text is later drawn on. Measuring and
// drawing use the same lines, so a measured text never wraps differently on
// paper than on screen. Positions are character positions of the document;
// a text is cut only between whole lines (a table row counts as one line).
#include <QList>
#include <QPointF>

class QPainter;
class QTextDocument;

class TvlRichLayout
{
public:
    // Lays the document out at the width (layout pixels); the document keeps
    // the layout device until it is laid out again.
    TvlRichLayout(QTextDocument &document, qreal width);

    // The position after the last character.
    int End() const;
    // Height of the text from a position to its end.
    qreal HeightFrom(int start) const;
    // The position up to which the text from start fits the height; start
    // itself when not even its first line fits.
    int FitEnd(int start, qreal height) const;
    // Height of the lines from start up to end.
    qreal HeightOf(int start, int end) const;
    // Draws the lines from start up to end with their top at the point.
    void Draw(QPainter &painter, const QPointF &topLeft, int start, int end) const;

    // Prepares a document for this layout: the reference device, design
    // metrics, no margin around the text.
    static void Prepare(QTextDocument &document);

private:
    struct Line
    {
        int start = 0, end = 0; // end exclusive
        qreal top = 0, bottom = 0;
    };
    int FirstLine(int start) const; // index of the line holding start, or the count
    int LastLineBefore(int end) const;

    QTextDocument &m_document;
    qreal m_width;
    QList<Line> m_lines;
};
