#pragma once
// The small pictures of the data-aware grids: field-content glyphs, sort
// markers and the indicator column's marks. Drawn once, on first use.
#include <QImage>

enum TGridGlyph {
    ggBlob,     // DBG_BLOB
    ggMemo,     // DBG_MEMO
    ggPicture,  // DBG_PICT
    ggOle,      // DBG_OLE
    ggObject,   // DBG_OBJECT
    ggData,     // DBG_DATA
    ggNotEmpty, // DBG_NOTEMPTY
    ggSortDown, // DBG_SMDOWN
    ggSortUp,   // DBG_SMUP
    ggGlyphCount
};

// One of the nine shared glyphs; an index outside them gives a null image.
const QImage &GetGridGlyph(int index);

enum class TIndicatorMark {
    Current,       // the current row
    Marked,        // DBG_MSDOT: a marked row
    MarkedCurrent, // DBG_MSARROW: the marked current row
};
const QImage &GetIndicatorImage(TIndicatorMark mark);
