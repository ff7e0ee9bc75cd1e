#include "report/vlpreviewlayout.h"

#include "report/vlview.h"

double TvlPreviewLayout::ModeZoom(TvlZoomMode mode, double zoom, QSize box, QSize page)
{
    if (page.width() <= 0 || page.height() <= 0)
        return zoom;
    switch (mode) {
    case zmPageWidth:
        return double(box.width() - 20) / page.width();
    case zmWholePage:
        return double(box.height() - 20) / page.height();
    case zmTwoPages:
        return double(box.width() - 30) / (2.0 * page.width());
    default:
        return zoom;
    }
}

int TvlPreviewLayout::PagesPerRow(const QList<QSize> &pages, QSize box, double zoom, TvlZoomMode mode)
{
    if (mode == zmWholePage)
        return 1;
    if (mode == zmTwoPages)
        return 2;
    int count = 0;
    int x = 10;
    for (const QSize &page : pages) {
        x += vlRound(page.width() * zoom) + 10;
        if (x > box.width())
            break;
        ++count;
    }
    return qMax(1, count);
}

QList<QRect> TvlPreviewLayout::Arrange(const QList<QSize> &pages, QSize box, double zoom, TvlZoomMode mode)
{
    QList<QRect> rects;
    const int perRow = PagesPerRow(pages, box, zoom, mode);
    int y = 10;
    for (int first = 0; first < pages.size(); first += perRow) {
        int x = 10;
        int bottom = y;
        for (int i = first; i < pages.size() && i < first + perRow; ++i) {
            const int width = vlRound(pages[i].width() * zoom);
            const int height = vlRound(pages[i].height() * zoom);
            int left = x;
            if (perRow == 1 && width < box.width())
                left = (box.width() - width) / 2;
            rects << QRect(QPoint(left, y), QSize(width, height));
            x += width + 10;
            bottom = qMax(bottom, y + height);
        }
        y = bottom + 10;
    }
    return rects;
}

QSize TvlPreviewLayout::ScrollRange(const QList<QRect> &rects, QSize box)
{
    int right = 0, bottom = 0;
    for (const QRect &r : rects) {
        right = qMax(right, r.left() + r.width());
        bottom = qMax(bottom, r.top() + r.height());
    }
    return {qMax(0, right + 10 - box.width()), qMax(0, bottom + 10 - box.height())};
}

int TvlPreviewLayout::PageAt(const QList<QRect> &rects, int y)
{
    for (int i = 0; i < rects.size(); ++i)
        if (rects[i].top() <= y && y <= rects[i].top() + rects[i].height())
            return i;
    return -1;
}
