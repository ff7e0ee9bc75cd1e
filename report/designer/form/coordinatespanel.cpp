#include "report/designer/form/coordinatespanel.h"

#include "report/designer/objects/propertyvalues.h"
#include "report/vlview.h"

#include <QPainter>
#include <algorithm>

QString vlCoordinatePair(int a, int b, int units)
{
    if (units == 0)
        return QString::number(a) + QLatin1Char(';') + QString::number(b);
    auto text = [units](int v) {
        return QString::number(vlPixelsToUnits(v, units), 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    };
    return text(a) + QStringLiteral("; ") + text(b);
}

QString vlPicturePercent(const QSize &shown, const QSize &own)
{
    if (own.width() <= 0 || own.height() <= 0)
        return {};
    return QStringLiteral("% ") + QString::number(shown.width() * 100 / own.width()) + QLatin1Char(',') +
           QString::number(shown.height() * 100 / own.height());
}

QString vlGroupPercent(const QSize &now, const QSize &start)
{
    // A side that started at nothing has no ratio; it shows 100.
    auto ratio = [](int a, int b) { return b == 0 ? 100 : vlRound(a * 100.0 / b); };
    return QStringLiteral("% ") + QString::number(ratio(now.width(), start.width())) + QLatin1Char(',') +
           QString::number(ratio(now.height(), start.height()));
}

TvlCoordinatesPanel::TvlCoordinatesPanel(QWidget *parent)
    : QWidget(parent)
{
    setMinimumWidth(sizeHint().width());
}

TvlCoordinatesPanel::Columns TvlCoordinatesPanel::ColumnsFor(int units) const
{
    // The widest pair a page shows: four digits, a sign, two decimals.
    const int widest = fontMetrics().horizontalAdvance(vlCoordinatePair(-8888, -8888, units));
    Columns c;
    c.SizeSymbol = std::max(c.SizeSymbol, c.Position + widest + 6);
    c.Size = c.SizeSymbol + 18;
    c.Percent = std::max(c.Percent, c.Size + widest + 6);
    return c;
}

QSize TvlCoordinatesPanel::sizeHint() const
{
    // Room for the widest values in millimetres and a percent pair.
    const Columns c = ColumnsFor(1);
    return QSize(c.Percent + fontMetrics().horizontalAdvance(QStringLiteral("% 8888,8888")) + 4, 18);
}

QStringList TvlCoordinatesPanel::Texts() const
{
    if (!Source)
        return {};
    const Content c = Source();
    if (!c.Shown)
        return {};
    return {vlCoordinatePair(c.Rect.left(), c.Rect.top(), c.Units),
            vlCoordinatePair(c.Rect.width(), c.Rect.height(), c.Units), c.Percent};
}

void TvlCoordinatesPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // The position and size symbols.
    p.setPen(palette().color(QPalette::WindowText));
    const Columns c = ColumnsFor(Source ? Source().Units : 0);
    p.drawLine(4, 4, 4, 14);
    p.drawLine(2, 6, 12, 6);
    p.drawRect(c.SizeSymbol + 2, 4, 11, 9);
    const QStringList texts = Texts();
    const int xs[] = {c.Position, c.Size, c.Percent};
    for (int i = 0; i < texts.size() && i < 3; ++i)
        p.drawText(QRect(xs[i], 0, width() - xs[i], height()), Qt::AlignLeft | Qt::AlignVCenter, texts[i]);
}
