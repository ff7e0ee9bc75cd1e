#pragma once
// The three colour buttons of the toolbars (fill, font and frame colour):
// their glyphs showing the current colour in a bar under the symbol, the
// colour palette dropped down under the pressed one, and the line-style
// panel dropped down under its button.
#include "platform/colors.h"

#include <QFrame>
#include <QImage>
#include <functional>

class TColorSelector;
class TvlSpeedButton;

// Cells of the colour-glyph image.
enum TvlColorCell : int { ccFont = 0, ccFill = 1, ccFrame = 2 };

// The 96 x 16 image of the three 32 x 16 cells (normal and disabled glyph
// side by side); the colour bar is pure red.
const QImage &vlColorGlyphImage();
// A cell with the red pixels in the colour; transparent leaves the bar
// white, crossed by a line of the button face at y 13.
QImage vlColorButtonGlyph(int cell, TColor color);
// The colour a glyph shows: its pixel at (2, 14) when it equals the one at
// (1, 13), else transparent.
TColor vlGlyphColor(const QImage &glyph);

class TvlColorButtons
{
public:
    // apply(button) is called after a colour was picked for that button.
    TvlColorButtons(TColorSelector *selector, std::function<void(TvlSpeedButton *button)> apply);

    // ClB1Click for each of the three buttons: drops the palette under the
    // button (26 pixels lower in the selector's parent), or hides it when
    // the same button is clicked again.
    void Click(TvlSpeedButton *button);
    // Paints a button's glyph (cell by its role) in the colour.
    static void Paint(TvlSpeedButton *button, int cell, TColor color);
    // The button whose palette is open (ColorButton).
    TvlSpeedButton *ColorButton() const { return m_button; }

private:
    void ColorSelected();

    TColorSelector *m_selector;
    std::function<void(TvlSpeedButton *)> m_apply;
    TvlSpeedButton *m_button = nullptr;
};

// The six line styles (Tags 25-30) under the line-style button.
class TvlLineStylePanel : public QFrame
{
    Q_OBJECT

public:
    explicit TvlLineStylePanel(QWidget *parent);
    // StB1Click: shown under the button when it was hidden, else hidden.
    void Toggle(QWidget *button);
    TvlSpeedButton *Button(int index) const { return m_buttons[index]; }

    // Called with the chosen button's Tag after the panel hid itself.
    std::function<void(int tag)> OnStyle;

private:
    TvlSpeedButton *m_buttons[6] = {};
};
