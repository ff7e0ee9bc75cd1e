#pragma once
// The designer's colour palette dropped down under the fill, font and frame
// colour buttons: the engine's sixteen colours, "Průhledný" and "Další..."
// (any colour from the colour dialog). A choice hides the palette and is
// reported through OnColorSelected.
#include "platform/colors.h"

#include <QFrame>
#include <array>
#include <functional>
#include <optional>

class TvlSpeedButton;

class TColorSelector : public QFrame
{
    Q_OBJECT

public:
    // The engine's colour table, by the buttons' Tag.
    static const std::array<TColor, 16> &ColorTable();
    static constexpr int TransparentTag = 16;
    static constexpr int OtherTag = 17;

    explicit TColorSelector(QWidget *owner);

    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    // Marks the button of the colour as down; a colour outside the table is
    // shown as a swatch on "Další..." and leaves the buttons as they are.
    void SetButtonColor(TColor color);

    // The button of a Tag (0-15 colours, 16 transparent, 17 other).
    TvlSpeedButton *Button(int tag) const { return m_buttons[size_t(tag)]; }
    TvlSpeedButton *OtherButton() const { return m_buttons[OtherTag]; }

    // Called after a colour was chosen and the palette hidden.
    std::function<void()> OnColorSelected;
    // Asks for any colour starting at the current one; nothing when the
    // user cancels. The colour dialog by default; tests answer it.
    std::function<std::optional<TColor>(TColor current)> AskColor;

private:
    void ButtonClick(int tag);
    static QImage ColorGlyph(TColor color);
    static QImage SwatchGlyph(TColor color);

    std::array<TvlSpeedButton *, 18> m_buttons{};
    TColor m_color = clNone;
};
