#include "report/rich/richlayout.h"

#include "report/vlcanvas.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <cmath>

void TvlRichLayout::Prepare(QTextDocument &document)
{
    document.setDocumentMargin(0);
    document.setUseDesignMetrics(true);
    // The reference is an image of its own: the engine's canvas reference
    // must not be touched by a document's painting.
    static QImage reference = TvlCanvas::ReferenceImage().copy();
    document.documentLayout()->setPaintDevice(&reference);
}

TvlRichLayout::TvlRichLayout(QTextDocument &document, qreal width)
    : m_document(document)
    , m_width(std::max<qreal>(1, width))
{
    Prepare(document);
    document.setTextWidth(m_width);
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    layout->documentSize(); // lays the whole text out

    auto blockLines = [&](const QTextBlock &block, QList<Line> &out) {
        const QTextLayout *text = block.layout();
        if (!text)
            return;
        const QRectF rect = layout->blockBoundingRect(block);
        const qreal origin = rect.top() - text->boundingRect().top();
        const int count = text->lineCount();
        for (int i = 0; i < count; ++i) {
            const QTextLine line = text->lineAt(i);
            Line l;
            l.start = block.position() + line.textStart();
            l.end = i + 1 == count ? block.position() + block.length() : l.start + line.textLength();
            l.top = origin + line.y();
            l.bottom = l.top + line.height();
            if (i == 0)
                l.top = rect.top(); // the paragraph's space above goes with its first line
            out.append(l);
        }
        if (count == 0)
            out.append({block.position(), block.position() + block.length(), rect.top(), rect.bottom()});
    };

    QTextFrame *root = document.rootFrame();
    for (auto it = root->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *frame = it.currentFrame()) {
            const QRectF box = layout->frameBoundingRect(frame);
            auto *table = qobject_cast<QTextTable *>(frame);
            if (!table) {
                m_lines.append({frame->firstPosition() - 1, frame->lastPosition() + 1, box.top(), box.bottom()});
                continue;
            }
            // A row is one line: from its first cell's start to its last cell's end.
            for (int r = 0; r < table->rows(); ++r) {
                Line row;
                row.start = table->cellAt(r, 0).firstPosition() - (r == 0 ? 1 : 0);
                row.end = table->cellAt(r, table->columns() - 1).lastPosition() + 1;
                if (r + 1 == table->rows())
                    row.end = frame->lastPosition() + 1;
                row.top = r == 0 ? box.top() : m_lines.last().bottom;
                row.bottom = row.top;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    for (QTextBlock b = document.findBlock(cell.firstPosition());
                         b.isValid() && b.position() <= cell.lastPosition(); b = b.next()) {
                        QList<Line> inner;
                        blockLines(b, inner);
                        for (const Line &l : std::as_const(inner))
                            row.bottom = std::max(row.bottom, l.bottom + table->format().cellPadding());
                    }
                }
                if (r + 1 == table->rows())
                    row.bottom = std::max(row.bottom, box.bottom());
                m_lines.append(row);
            }
            continue;
        }
        blockLines(it.currentBlock(), m_lines);
    }
}

int TvlRichLayout::End() const
{
    return m_lines.isEmpty() ? 0 : m_lines.last().end;
}

int TvlRichLayout::FirstLine(int start) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].end > start)
            return i;
    return int(m_lines.size());
}

int TvlRichLayout::LastLineBefore(int end) const
{
    int last = -1;
    for (int i = 0; i < m_lines.size() && m_lines[i].start < end; ++i)
        last = i;
    return last;
}

qreal TvlRichLayout::HeightFrom(int start) const
{
    return HeightOf(start, End());
}

qreal TvlRichLayout::HeightOf(int start, int end) const
{
    const int first = FirstLine(start);
    const int last = LastLineBefore(end);
    if (first >= m_lines.size() || last < first)
        return 0;
    return m_lines[last].bottom - m_lines[first].top;
}

int TvlRichLayout::FitEnd(int start, qreal height) const
{
    const int first = FirstLine(start);
    int end = start;
    for (int i = first; i < m_lines.size(); ++i) {
        if (m_lines[i].bottom - m_lines[first].top > height + 0.01)
            break;
        end = m_lines[i].end;
    }
    return end;
}

void TvlRichLayout::Draw(QPainter &painter, const QPointF &topLeft, int start, int end) const
{
    const int first = FirstLine(start);
    const int last = LastLineBefore(end);
    if (first >= m_lines.size() || last < first)
        return;
    const qreal top = m_lines[first].top;
    const QRectF clip(0, top, m_width + 1, m_lines[last].bottom - top);
    painter.save();
    painter.translate(topLeft.x(), topLeft.y() - top);
    painter.setClipRect(clip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document.documentLayout()->draw(&painter, context);
    painter.restore();
}
