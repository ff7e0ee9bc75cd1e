#include "report/designer/colorselector/colorselector.h"

#include "report/vltoolbuttons.h"

#include <QColorDialog>
#include <QPainter>

namespace {

constexpr int PaletteWidth = 96;
constexpr int PaletteHeight = 132;
constexpr int CellSize = 22;
constexpr int Border = 4;

// A square of the colour framed in the shadow colour, on a bitmap one pixel
// taller than wide, so that its bottom left pixel (the button face) is the
// glyph's transparent colour.
QImage framedSquare(int size, TColor color)
{
    const TvlFaceColours face = TvlFaceColours::FromPalette();
    QImage image(size, size + 1, QImage::Format_RGB32);
    image.fill(face.Face);
    QPainter painter(&image);
    painter.fillRect(0, 0, size, size, Colors::toQColor(color));
    painter.setPen(face.Shadow);
    painter.drawRect(0, 0, size - 1, size - 1);
    return image;
}

} // namespace

const std::array<TColor, 16> &TColorSelector::ColorTable()
{
    static const std::array<TColor, 16> table{clWhite,  clBlack, clMaroon,  clGreen,  clOlive, clNavy,
                                              clPurple, clTeal,  clGray,    clSilver, clRed,   clLime,
                                              clYellow, clBlue,  clFuchsia, clAqua};
    return table;
}

TColorSelector::TColorSelector(QWidget *owner)
    : QFrame(owner)
{
    setObjectName(QStringLiteral("ColorSelector"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(PaletteWidth, PaletteHeight);

    for (int tag = 0; tag < 18; ++tag) {
        auto *button = new TvlSpeedButton(this);
        button->setObjectName(QStringLiteral("ColorButton%1").arg(tag));
        button->setProperty("Tag", tag);
        button->SetFlat(true);
        button->SetGroupIndex(1);
        button->SetGrayedInactive(false);
        if (tag < 16) {
            button->setGeometry(Border + CellSize * (tag % 4), Border + CellSize * (tag / 4), CellSize, CellSize);
            button->SetGlyph(ColorGlyph(ColorTable()[size_t(tag)]));
        } else {
            button->setGeometry(Border, tag == TransparentTag ? 92 : 110, 88, 18);
            button->SetCaption(tag == TransparentTag ? QStringLiteral("Průhledný") : QStringLiteral("Další..."));
        }
        connect(button, &TvlSpeedButton::OnClick, this, [this, tag] { ButtonClick(tag); });
        m_buttons[size_t(tag)] = button;
    }

    AskColor = [this](TColor current) -> std::optional<TColor> {
        QColorDialog dialog(Colors::toQColor(Colors::toRGB(current == clNone ? clWhite : current)), this);
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return Colors::fromQColor(dialog.selectedColor());
    };
}

QImage TColorSelector::ColorGlyph(TColor color)
{
    return framedSquare(16, color);
}

QImage TColorSelector::SwatchGlyph(TColor color)
{
    return framedSquare(12, color);
}

void TColorSelector::SetButtonColor(TColor color)
{
    const auto &table = ColorTable();
    const auto found = std::find(table.begin(), table.end(), color);
    int tag = -1;
    if (found != table.end())
        tag = int(found - table.begin());
    else if (color == clNone)
        tag = TransparentTag;
    if (tag >= 0) {
        m_buttons[size_t(tag)]->SetDown(true);
        OtherButton()->SetGlyph(QImage());
    } else
        OtherButton()->SetGlyph(SwatchGlyph(color));
}

void TColorSelector::ButtonClick(int tag)
{
    if (tag < 16)
        m_color = ColorTable()[size_t(tag)];
    else if (tag == TransparentTag)
        m_color = clNone;
    else {
        const std::optional<TColor> chosen = AskColor ? AskColor(m_color) : std::nullopt;
        if (!chosen)
            return;
        m_color = *chosen;
    }
    hide();
    if (OnColorSelected)
        OnColorSelected();
}
