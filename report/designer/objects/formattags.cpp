#include "report/designer/objects/formattags.h"

#include "platform/formatfloat.h"
#include "platform/parsenumber.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlstreams.h"

#include <cmath>

namespace {

bool isMemoTag(int tag)
{
    switch (tag) {
    case tagFontName:
    case tagFontSize:
    case tagBold:
    case tagItalic:
    case tagUnderline:
    case tagAlignLeft:
    case tagAlignRight:
    case tagAlignCenter:
    case tagJustify:
    case tagRotated:
    case tagVertical:
    case tagFontColor:
        return true;
    default:
        return false;
    }
}

quint16 withBit(quint16 value, quint16 bit, bool set)
{
    return set ? quint16(value | bit) : quint16(value & ~bit);
}

// Bit of FrameTyp for the four edge tags.
quint16 edgeBit(int tag)
{
    switch (tag) {
    case tagFrameTop:
        return frTop;
    case tagFrameLeft:
        return frLeft;
    case tagFrameBottom:
        return frBottom;
    default:
        return frRight;
    }
}

// Bit of the style code for the three style tags: 2 bold, 1 italic, 4 underline.
int styleBit(int tag)
{
    return tag == tagBold ? 2 : tag == tagItalic ? 1 : 4;
}

void applyToMemo(const TvlFormatRequest &request, double number, TvlMemoView &memo, TvlObjectDefaults &defaults)
{
    switch (request.Tag) {
    case tagFontName:
        memo.FontName = request.Text;
        defaults.FontName = request.Text;
        break;
    case tagFontSize:
        memo.FontSize = int(number);
        defaults.FontSize = int(number);
        break;
    case tagBold:
    case tagItalic:
    case tagUnderline: {
        int code = FontStylesToCode(memo.FontStyle);
        code = request.Down ? code | styleBit(request.Tag) : code & ~styleBit(request.Tag);
        memo.FontStyle = CodeToFontStyles(code);
        defaults.FontStyle = quint16(code);
        break;
    }
    case tagAlignLeft:
    case tagAlignRight:
    case tagAlignCenter:
        memo.Adjust = (memo.Adjust & 252) + request.Tag - tagAlignLeft;
        defaults.Adjust = memo.Adjust;
        break;
    case tagJustify:
        memo.Adjust = (memo.Adjust & 252) + adJustify;
        defaults.Adjust = memo.Adjust;
        break;
    case tagRotated:
        memo.Adjust = (memo.Adjust & 251) + (request.Down ? adRotated : 0);
        defaults.Adjust = memo.Adjust;
        break;
    case tagVertical:
        memo.Adjust = (memo.Adjust & 231) + (request.VCenterDown ? adVCenter : 0) + (request.BottomDown ? adBottom : 0);
        defaults.Adjust = memo.Adjust;
        break;
    case tagFontColor:
        memo.FontColor = request.Color;
        defaults.FontColor = request.Color;
        break;
    default:
        break;
    }
}

void applyToView(const TvlFormatRequest &request, double number, TvlView &view, TvlObjectDefaults &defaults)
{
    const int tag = request.Tag;
    switch (tag) {
    case tagFrameTop:
    case tagFrameLeft:
    case tagFrameBottom:
    case tagFrameRight:
        view.FrameTyp = withBit(view.FrameTyp, edgeBit(tag), request.Down);
        break;
    case tagFillColor:
        view.FillColor = request.Color;
        defaults.FillColor = request.Color;
        break;
    case tagFrameWidth:
        view.FrameWidth = number;
        (dynamic_cast<TvlLineView *>(&view) ? defaults.LineWidth : defaults.FrameWidth) = number;
        break;
    case tagFrameColor:
        view.FrameColor = request.Color;
        defaults.FrameColor = request.Color;
        break;
    case tagFrameAll:
        view.FrameTyp |= frAll;
        defaults.FrameSides = frAll;
        break;
    case tagFrameNone:
        view.FrameTyp &= 0xFFF0;
        defaults.FrameSides = 0;
        break;
    default:
        if (tag >= tagLineStyle && tag <= tagLineStyleLast)
            view.FrameStyle = quint16(tag - tagLineStyle);
        break;
    }
}

} // namespace

TvlFormatValue vlReadFormatNumber(const TvlFormatRequest &request)
{
    TvlFormatValue result;
    const QString text = request.Text.trimmed();
    if (request.Tag == tagFrameWidth) {
        QString decimal = text;
        decimal.replace(QLatin1Char('.'), QLatin1Char(','));
        if (!TryStrToFloat(decimal, result.Number) || !std::isfinite(result.Number))
            result.Error = QStringLiteral("Šířka orámování „%1“ není platné číslo.").arg(request.Text);
    } else if (request.Tag == tagFontSize) {
        int size = 0;
        if (!TryStrToInt(text, size))
            result.Error = QStringLiteral("Velikost fontu „%1“ není platné celé číslo.").arg(request.Text);
        result.Number = size;
    }
    return result;
}

QString vlFormatRequestError(const TvlFormatRequest &request)
{
    if (request.Tag == tagFontName && request.Text.trimmed().isEmpty())
        return QStringLiteral("Není vybrán název fontu.");
    return vlReadFormatNumber(request).Error;
}

bool vlApplyFormat(const TvlFormatRequest &request, const std::vector<TvlView *> &views, TvlObjectDefaults &defaults)
{
    const double number = vlReadFormatNumber(request).Number;
    const bool memoOnly = isMemoTag(request.Tag);
    for (TvlView *view : views) {
        if (view->ObjectType == otBand)
            continue;
        if (memoOnly) {
            if (auto *memo = dynamic_cast<TvlMemoView *>(view))
                applyToMemo(request, number, *memo, defaults);
        } else
            applyToView(request, number, *view, defaults);
    }
    return request.Tag == tagFrameAll || request.Tag == tagFrameNone;
}

QString vlFrameWidthText(double width)
{
    return FloatToStrF(width, ffGeneral, 2, 0);
}

QString vlSpinFrameWidth(const QString &text, int step)
{
    double value = 0;
    QString decimal = text.trimmed();
    decimal.replace(QLatin1Char('.'), QLatin1Char(','));
    if (!TryStrToFloat(decimal, value))
        value = 0;
    value += step;
    if (value <= 0)
        value = 1;
    return vlFrameWidthText(value);
}
