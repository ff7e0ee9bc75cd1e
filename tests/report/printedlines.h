#pragma once
// Where the text of prepared pages lands: every line of every memo with its
// page, the place it is drawn at and its object's box; and the check that a
// build lost nothing and printed nothing over anything else: each line
// inside its object's box and the printable area, lines of different owners
// (rows, footers) never on top of each other, and each line showing the
// page ("str.N"), page column ("sl.N") and page count ("zs.N") it prints on.
#include "reportbuild.h"

#include "report/vlmemoview.h"

#include <QRect>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

struct PrintedLine
{
    int page = 0;   // from 0
    int object = 0; // the object's place in its page
    QString text;
    QRect line;          // the object's width, from the line's top down by the line height
    QRect box;           // the object's box
    TvlTextOutput piece; // as drawn: font and character places
    int totalPages = 0;  // what TOTALPAGES reads: the page count of two passes, else 0
};

inline QList<PrintedLine> printedLines(TvlReport &report)
{
    QList<PrintedLine> out;
    const int totalPages = report.TwoPass ? report.EMFPages.Count() : 0;
    for (int page = 0; page < report.EMFPages.Count(); ++page) {
        int object = 0;
        report.EMFPages.ExportPage(page, [&](TvlView &view) {
            ++object;
            auto *memo = dynamic_cast<TvlMemoView *>(&view);
            if (!memo)
                return;
            const QRect box(view.Left, view.Top, view.Width, view.Height);
            const int height = memo->GetLineHeight();
            for (const TvlTextOutput &piece : memo->TextPieces())
                out.append({page, object, piece.Text, QRect(box.left(), piece.Y, box.width(), height), box, piece,
                            totalPages});
        });
    }
    return out;
}

// Who a line belongs to: lines of one owner may touch, of two owners not; an
// empty owner leaves the line unchecked, "*" lets it lie over any other (an
// overlay prints over everything).
using LineOwner = std::function<QString(const PrintedLine &)>;

// Each printed object its own owner.
inline QString objectOwner(const PrintedLine &line)
{
    return QStringLiteral("%1:%2").arg(line.page).arg(line.object);
}

// What the line shows of its page that is not where it prints: "str.N" the
// page, "sl.N" the page column its box starts in, "zs.N" the page count;
// empty when all is right.
inline QString wrongPageValue(const PrintedLine &l, const TvlPage &page)
{
    static const QRegularExpression shown(QStringLiteral("\\b(str|sl|zs)\\.(\\d+)"));
    const int step = page.ColumnWidth + page.ColumnGap;
    for (auto it = shown.globalMatch(l.text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString what = m.captured(1);
        const int right = what == u"str"  ? l.page + 1
                          : what == u"zs" ? l.totalPages
                                          : (step > 0 ? (l.box.left() - page.LeftOffset()) / step : 0) + 1;
        if (m.captured(2).toInt() != right)
            return QStringLiteral("%1.%2 where it is %1.%3").arg(what, m.captured(2)).arg(right);
    }
    return {};
}

// What is wrong with where the lines landed; empty when nothing is.
inline QString checkPrintedLines(const QList<PrintedLine> &lines, const TvlPage &page,
                                 const LineOwner &ownerOf = objectOwner)
{
    const QRect printable(QPoint(page.LeftOffset(), page.TopOffset()), QPoint(page.RightEdge(), page.BottomEdge()));
    struct Owned
    {
        const PrintedLine *line;
        QString owner;
    };
    std::vector<Owned> owned;
    const auto where = [](const PrintedLine &l) {
        return QStringLiteral("page %1: \"%2\" at %3,%4 in the box %5,%6 %7x%8")
            .arg(l.page + 1)
            .arg(l.text)
            .arg(l.line.left())
            .arg(l.line.top())
            .arg(l.box.left())
            .arg(l.box.top())
            .arg(l.box.width())
            .arg(l.box.height());
    };
    for (const PrintedLine &l : lines) {
        const QString owner = ownerOf(l);
        if (owner.isEmpty())
            continue;
        if (l.line.top() < l.box.top() || l.line.bottom() > l.box.bottom())
            return where(l) + QStringLiteral(": outside its box");
        // QRect's right and bottom are the last pixel; the printable area's edges are exclusive.
        if (!printable.adjusted(0, 0, 1, 1).contains(l.line.adjusted(0, 0, 1, 1)))
            return where(l) + QStringLiteral(": outside the printable area");
        if (const QString wrong = wrongPageValue(l, page); !wrong.isEmpty())
            return where(l) + QStringLiteral(": shows ") + wrong;
        if (owner != u'*')
            owned.push_back({&l, owner});
    }
    std::sort(owned.begin(), owned.end(), [](const Owned &a, const Owned &b) {
        return std::pair(a.line->page, a.line->line.top()) < std::pair(b.line->page, b.line->line.top());
    });
    for (size_t i = 0; i < owned.size(); ++i)
        for (size_t j = i + 1; j < owned.size() && owned[j].line->page == owned[i].line->page &&
                               owned[j].line->line.top() <= owned[i].line->line.bottom();
             ++j)
            if (owned[j].owner != owned[i].owner && owned[j].line->line.intersects(owned[i].line->line))
                return where(*owned[i].line) + QStringLiteral(" under ") + where(*owned[j].line);
    return {};
}

// The texts of the lines that start with prefix, in printing order.
inline QStringList linesStartingWith(const QList<PrintedLine> &lines, const QString &prefix)
{
    QStringList out;
    for (const PrintedLine &l : lines)
        if (l.text.startsWith(prefix))
            out << l.text;
    return out;
}

// "Prefix.1" to "Prefix.count", one line each.
inline QStringList numbered(const QString &prefix, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("%1.%2").arg(prefix).arg(i);
    return out;
}

// Rows of one column, a value each.
inline QList<QVariantList> oneColumnRows(const QStringList &values)
{
    QList<QVariantList> rows;
    for (const QString &value : values)
        rows << QVariantList{value};
    return rows;
}

// The page the first line of text lands on, or -1.
inline int pageOf(const QList<PrintedLine> &lines, const QString &text)
{
    for (const PrintedLine &l : lines)
        if (l.text == text)
            return l.page;
    return -1;
}
