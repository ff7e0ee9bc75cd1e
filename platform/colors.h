#pragma once
// Colours as the original framework stores them in forms, settings and report
// files: a 32-bit value 0x00BBGGRR (red in the low byte), system colours as
// 0x80000000 + the system colour index, and two special values, clNone
// ("no colour": a transparent fill) and clDefault (the control's own colour).
// They become QColor only when drawn.
#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringView>

#include <optional>

using TColor = qint32;

constexpr TColor rgbColor(int red, int green, int blue)
{
    return TColor((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

// The standard colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// The system colours.
constexpr TColor clSystemColor = TColor(0x80000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

// The special values. The report engine calls "none" transparent.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clTransparent = clNone;
constexpr TColor clDefault = 0x20000000;

namespace Colors {

constexpr bool isSystemColor(TColor color)
{
    return (quint32(color) & 0xFF000000u) == 0x80000000u;
}
constexpr int systemColorIndex(TColor color)
{
    return int(quint32(color) & 0xFFu);
}

// The colour to draw with, system colours taken from the application's
// palette (or the classic table when no GUI application exists). clNone is
// fully transparent; clDefault is an invalid QColor, telling the caller to
// use its own default. Other values use their low three bytes.
QColor toQColor(TColor color);
QColor toQColor(TColor color, const QPalette &palette);
// The classic desktop's colour for a system colour index (0..30), used where
// the result must not depend on the desktop (and with no GUI application).
QColor classicSystemColor(int index);

// An invalid or fully transparent QColor gives clNone; alpha is dropped otherwise.
TColor fromQColor(const QColor &color);
// System colours resolved to their current 0x00BBGGRR value; others unchanged
// (the special values included).
TColor toRGB(TColor color);

// "clRed", "clBtnFace", "clNone" for named colours, otherwise "$00BBGGRR".
QString toString(TColor color);
std::optional<QString> toIdent(TColor color);
// A colour name (any letter case), "$hex" or "0xhex", or a decimal number.
std::optional<TColor> fromString(QStringView text);

} // namespace Colors
