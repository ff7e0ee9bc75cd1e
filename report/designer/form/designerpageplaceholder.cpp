#include "report/designer/form/designerpageplaceholder.h"

#include "report/vlcanvas.h"
#include "report/vlpage.h"

#include <QPainter>

namespace {

// Paper in tenths of a millimetre to design pixels (18 to 5 mm).
int toPixels(int tenths)
{
    return tenths * 18 / 50;
}

} // namespace

TvlDesignerPagePlaceholder::TvlDesignerPagePlaceholder(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
}

void TvlDesignerPagePlaceholder::SetPage(TvlPage *page)
{
    m_page = page;
    if (page)
        resize(toPixels(page->PaperWidth) + 1, toPixels(page->PaperHeight) + 1);
    update();
}

void TvlDesignerPagePlaceholder::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!m_page)
        return;
    const int grid = GridSize ? std::max(GridSize(), 1) : 4;
    if (!ShowGrid || ShowGrid()) {
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        for (int y = 0; y < height(); y += grid)
            for (int x = 0; x < width(); x += grid)
                p.drawPoint(x, y);
    }
    TvlPainterCanvas canvas(p);
    canvas.Mode = TvlDrawMode::Design;
    canvas.ShowBandTitles = !ShowBandTitles || ShowBandTitles();
    canvas.DesignPage = rect();
    for (const auto &view : m_page->Objects) {
        view->PrepareDrawRect(TvlDrawMode::Design);
        view->Draw(canvas);
        view->RestoreBounds();
    }
}
