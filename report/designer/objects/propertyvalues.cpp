#include "report/designer/objects/propertyvalues.h"

#include "platform/formatfloat.h"
#include "platform/parsenumber.h"
#include "platform/variant.h"
#include "report/vlview.h"

#include <cmath>
#include <exception>

const std::array<QString, irRowCount> &vlInspectorRowNames()
{
    static const std::array<QString, irRowCount> names{
        QStringLiteral("Name"),   QStringLiteral("Left"),    QStringLiteral("Top"), QStringLiteral("Width"),
        QStringLiteral("Height"), QStringLiteral("Visible"), QStringLiteral("Memo")};
    return names;
}

double vlPixelsToUnits(int pixels, int units)
{
    switch (units) {
    case unMillimetres:
        return pixels / 18.0 * 5;
    case unInches:
        return pixels / 18.0 * 5 / 25.4;
    default:
        return pixels;
    }
}

int vlUnitsToPixels(double value, int units)
{
    switch (units) {
    case unMillimetres:
        return vlRound(value / 5 * 18);
    case unInches:
        return vlRound(25.4 * value / 5 * 18);
    default:
        return vlRound(value);
    }
}

QString vlUnitsText(int pixels, int units)
{
    if (pixels == vlValuesDiffer)
        return {};
    if (units == unPixels)
        return QString::number(pixels);
    return FloatToStrF(vlPixelsToUnits(pixels, units), ffFixed, 4, 2);
}

TvlInspectorValues vlInspectorValues(const std::vector<TvlView *> &selected)
{
    TvlInspectorValues values;
    if (selected.empty())
        return values;
    const TvlView *top = selected.back();
    values.Left = top->Left;
    values.Top = top->Top;
    values.Width = top->Width;
    values.Height = top->Height;
    values.Visible = top->IsVisible() ? 1 : 0;
    if (selected.size() == 1) {
        values.Name = top->Name;
        return values;
    }
    for (const TvlView *view : selected) {
        if (view->Left != values.Left)
            values.Left = vlValuesDiffer;
        if (view->Top != values.Top)
            values.Top = vlValuesDiffer;
        if (view->Width != values.Width)
            values.Width = vlValuesDiffer;
        if (view->Height != values.Height)
            values.Height = vlValuesDiffer;
        if ((view->IsVisible() ? 1 : 0) != values.Visible)
            values.Visible = vlValuesDiffer;
    }
    return values;
}

std::array<QString, irRowCount> vlInspectorTexts(const TvlInspectorValues &values, int units, bool anySelected)
{
    std::array<QString, irRowCount> texts;
    if (!anySelected)
        return texts;
    texts[irName] = values.Name;
    texts[irLeft] = vlUnitsText(values.Left, units);
    texts[irTop] = vlUnitsText(values.Top, units);
    texts[irWidth] = vlUnitsText(values.Width, units);
    texts[irHeight] = vlUnitsText(values.Height, units);
    if (values.Visible != vlValuesDiffer)
        texts[irVisible] = values.Visible ? QStringLiteral("1") : QStringLiteral("0");
    return texts;
}

bool vlApplyInspectorNumber(int row, double value, int units, const std::vector<TvlView *> &selected, int pageWidth,
                            int pageHeight)
{
    if (row == irVisible) {
        const bool visible = vlRound(value) % 256 != 0;
        for (TvlView *view : selected)
            view->Visible = visible ? 0xFFFF : 0;
        return !selected.empty();
    }
    const int v = vlUnitsToPixels(value, units);
    bool changed = false;
    for (TvlView *view : selected) {
        switch (row) {
        case irLeft:
            if (v >= 0 && v < pageWidth)
                view->Left = v, changed = true;
            break;
        case irTop:
            if (v >= 0 && v < pageHeight)
                view->Top = v, changed = true;
            break;
        case irWidth:
            if (v > 0 && v < pageWidth)
                view->Width = v, changed = true;
            break;
        case irHeight:
            if (v > 0 && v < pageHeight)
                view->Height = v, changed = true;
            break;
        default:
            break;
        }
    }
    return changed;
}

TvlInspectorNumber vlEvaluateInspectorText(const QString &text,
                                           const std::function<Variant(const QString &)> &calculate)
{
    TvlInspectorNumber result;
    Variant value;
    try {
        value = calculate(text);
    } catch (const std::exception &error) {
        result.Error = QStringLiteral("Hodnotu „%1“ nelze vyhodnotit: %2").arg(text, QString::fromUtf8(error.what()));
        return result;
    }
    if (value.isNumeric())
        result.Value = value.toDouble();
    else {
        double number = 0;
        if (!value.isString() || !TryStrToFloat(value.toString(), number)) {
            result.Error = QStringLiteral("Hodnota „%1“ není číslo.").arg(text);
            return result;
        }
        result.Value = number;
    }
    if (!std::isfinite(result.Value)) {
        result.Error = QStringLiteral("Hodnota „%1“ není číslo.").arg(text);
        return result;
    }
    result.Valid = true;
    result.Text = value.toString();
    return result;
}
