#pragma once
// The glyph bitmaps of the engine's windows: 16 x 16 (the printer 18 x 16)
// on olive, the colour the buttons leave out.
#include <QImage>

enum class TvlGlyph { Open, Save, Print, Find, Help, Exit, Up, Down, Printer };

QImage vlGlyph(TvlGlyph glyph);
