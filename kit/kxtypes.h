#pragma once
// Enumerations shared by several kit controls. Their value names are the ones
// stored in the settings files, so they must not be renamed.
#include <QObject>

namespace Kx {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Where the glyph sits relative to the caption of a speed button.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
Q_ENUM_NS(TButtonStyle)

Qt::Alignment toQtAlignment(TAlignment alignment);

} // namespace Kx

// Kit controls fire their change events only on real changes and never while
// a form is being set up. A form brackets its set-up with beginLoading() and
// endLoading(); controls built in code outside a form are never loading.
class TKxLoadable
{
public:
    virtual ~TKxLoadable() = default;
    void beginLoading() { loadingFlag = true; }
    void endLoading()
    {
        loadingFlag = false;
        loaded();
    }
    bool isLoading() const { return loadingFlag; }

protected:
    // Runs once the form's values are all in place.
    virtual void loaded() {}

private:
    bool loadingFlag = false;
};
