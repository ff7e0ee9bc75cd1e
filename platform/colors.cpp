#include "platform/colors.h"

#include <QGuiApplication>

#include <array>
#include <optional>

namespace {

constexpr int kSystemColorCount = 31;

// The classic desktop's system colours, as #RRGGBB, by index.
constexpr std::array<QRgb, kSystemColorCount> kClassic = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};

// Where the desktop's palette has a matching role; the rest (captions,
// borders, the desktop itself) keep the classic colours.
std::optional<QColor> paletteColor(int index, const QPalette &p)
{
    switch (index) {
    case 2:
        return p.color(QPalette::Active, QPalette::Highlight); // active caption
    case 4:
        return p.color(QPalette::Window); // menu
    case 5:
        return p.color(QPalette::Base); // window
    case 7:
        return p.color(QPalette::WindowText); // menu text
    case 8:
        return p.color(QPalette::Text); // window text
    case 9:
        return p.color(QPalette::Active, QPalette::HighlightedText); // caption text
    case 12:
        return p.color(QPalette::Dark); // application work space
    case 13:
        return p.color(QPalette::Active, QPalette::Highlight);
    case 14:
        return p.color(QPalette::Active, QPalette::HighlightedText);
    case 15:
        return p.color(QPalette::Button);
    case 16:
        return p.color(QPalette::Dark); // button shadow
    case 17:
        return p.color(QPalette::Disabled, QPalette::Text); // gray text
    case 18:
        return p.color(QPalette::ButtonText);
    case 20:
        return p.color(QPalette::Light); // button highlight
    case 21:
        return p.color(QPalette::Shadow);
    case 22:
        return p.color(QPalette::Midlight);
    case 23:
        return p.color(QPalette::ToolTipText);
    case 24:
        return p.color(QPalette::ToolTipBase);
    case 26:
        return p.color(QPalette::Link); // hot light
    case 29:
        return p.color(QPalette::Active, QPalette::Highlight); // menu highlight
    case 30:
        return p.color(QPalette::Window); // menu bar
    default:
        return std::nullopt;
    }
}

struct NamedColor
{
    TColor color;
    const char *name;
};

constexpr NamedColor kNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

namespace Colors {

QColor classicSystemColor(int index)
{
    if (index < 0 || index >= kSystemColorCount)
        return QColor(Qt::black);
    return QColor::fromRgb(kClassic[size_t(index)]);
}

namespace {
// The colour of every value that is not a system colour.
QColor nonSystemColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color == clDefault)
        return QColor();
    const auto bgr = quint32(color);
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
} // namespace

QColor toQColor(TColor color, const QPalette &palette)
{
    if (!isSystemColor(color))
        return nonSystemColor(color);
    const int index = systemColorIndex(color);
    if (const auto fromPalette = paletteColor(index, palette))
        return *fromPalette;
    return classicSystemColor(index);
}

QColor toQColor(TColor color)
{
    if (!isSystemColor(color))
        return nonSystemColor(color);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return classicSystemColor(systemColorIndex(color));
    return toQColor(color, QGuiApplication::palette());
}

TColor fromQColor(const QColor &color)
{
    if (!color.isValid() || color.alpha() == 0)
        return clNone;
    const QColor rgb = color.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

TColor toRGB(TColor color)
{
    return isSystemColor(color) ? fromQColor(toQColor(color)) : color;
}

std::optional<QString> toIdent(TColor color)
{
    for (const auto &entry : kNames)
        if (entry.color == color)
            return QString::fromLatin1(entry.name);
    return std::nullopt;
}

QString toString(TColor color)
{
    if (auto ident = toIdent(color))
        return *ident;
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QChar(u'0')).toUpper();
}

std::optional<TColor> fromString(QStringView text)
{
    const QStringView s = text.trimmed();
    for (const auto &entry : kNames)
        if (s.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.color;
    bool ok = false;
    qint64 value = 0;
    if (s.startsWith(u'$'))
        value = s.mid(1).toLongLong(&ok, 16);
    else if (s.startsWith(u"0x", Qt::CaseInsensitive))
        value = s.mid(2).toLongLong(&ok, 16);
    else
        value = s.toLongLong(&ok, 10);
    // Both the signed reading of a system colour and its unsigned hex form fit.
    if (!ok || value < qint64(INT32_MIN) || value > qint64(UINT32_MAX))
        return std::nullopt;
    return TColor(quint32(value));
}

} // namespace Colors
