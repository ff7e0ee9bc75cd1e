#pragma once
// Small rules that printing a band and printing its cross columns share.
#include "report/vlband.h"
#include "report/vlmemoview.h"

// Bands printed where they lie rather than where printing stands.
inline bool vlOwnPosition(int type)
{
    return type == btPageFooter || type == btOverlay || type == vlOutsideBand;
}

// The view as a memo, or null (memos alone are of the memo kind for scripts).
inline TvlMemoView *vlAsMemo(TvlView &view)
{
    return view.ScriptKind() == TvlScriptView::Kind::Memo ? static_cast<TvlMemoView *>(&view) : nullptr;
}

// An object that a stretched band extends to its bottom.
inline bool vlGrowsWithBand(const TvlView &view, bool stretchable, int bandHeight)
{
    return (stretchable || view.ObjectType == otLine) && (view.Flags & 1) && view.Top + view.Height < bandHeight;
}

// Keeps a value for a scope and puts the old one back.
template <typename T>
class TvlKeep
{
public:
    explicit TvlKeep(T &slot)
        : m_slot(slot)
        , m_value(slot)
    {}
    ~TvlKeep() { m_slot = m_value; }
    TvlKeep(const TvlKeep &) = delete;
    TvlKeep &operator=(const TvlKeep &) = delete;

private:
    T &m_slot;
    T m_value;
};
