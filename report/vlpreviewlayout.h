#pragma once
// Where the preview puts the pages: the zoom of the fitting modes, pages per
// row, each page's rectangle in the page box (10 pixels apart and from the
// box's edges) and the scroll ranges. Plain arithmetic, no widgets.
#include <QList>
#include <QRect>
#include <QSize>

enum TvlZoomMode { zmPercent = 0, zmPageWidth = 1, zmWholePage = 2, zmTwoPages = 3 };

struct TvlPreviewLayout
{
    // The zoom a mode gives for the reference page in a box; mode 0 keeps zoom.
    static double ModeZoom(TvlZoomMode mode, double zoom, QSize box, QSize page);
    static int PagesPerRow(const QList<QSize> &pages, QSize box, double zoom, TvlZoomMode mode);
    static QList<QRect> Arrange(const QList<QSize> &pages, QSize box, double zoom, TvlZoomMode mode);
    // Rightmost and lowest edge plus 10, less the box; 0 when the pages fit.
    static QSize ScrollRange(const QList<QRect> &rects, QSize box);
    // The first page spanning the line y of the box (page rectangles already
    // shifted by the scrolling); -1 when none does.
    static int PageAt(const QList<QRect> &rects, int y);
};
