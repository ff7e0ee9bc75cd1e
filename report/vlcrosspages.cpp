// Where a row's cross columns go: within the page column the row prints in,
// and past its right edge onto a prepared page of their own after the row's
// page, below that page's own header.
#include "report/vlbuilder.h"

#include <algorithm>

namespace {

// The run printing on the report's own page: a sub-report's parent, or its parent's.
TvlPageRun &outermost(TvlPageRun &run)
{
    TvlPageRun *outer = &run;
    while (outer->Parent)
        outer = outer->Parent;
    return *outer;
}

} // namespace

int TvlReportBuilder::CrossRightEdge(TvlPageRun &run) const
{
    // A sub-report's cells stay in the column its parent prints in.
    const TvlPageRun &outer = outermost(run);
    const int right = std::min(outer.XAdjust + outer.ColumnWidth, outer.Page->RightEdge());
    return right - ShiftX(run);
}

int TvlReportBuilder::CrossNextPage(TvlPageRun &run, int sourcePage)
{
    ++m_pageIndex;
    if (m_pageIndex < m_target->EMFPages.Count()) {
        const auto shift = m_crossShift.find(m_pageIndex);
        return shift == m_crossShift.end() ? 0 : shift->second;
    }
    // The page gets the report page's overlay and page header, as any other.
    TvlPageRun &outer = outermost(run);
    const int curY = outer.CurY, curColumn = outer.CurColumn, xAdjust = outer.XAdjust;
    const int bottom = outer.CurBottomY;
    TvlBand *const filledBy = outer.FilledBy;
    AddPage(outer);
    // It shows the columns of the page it continues, under the same header or none.
    if (m_withoutPageHeader.count(sourcePage))
        m_withoutPageHeader.insert(m_pageIndex);
    else
        ShowBand(outer, outer.Table[btPageHeader]);
    // The rows went on below the source page's header; the cells go on below
    // this one's, which may be taller (a text that grows with the page number).
    const auto top = m_contentTop.find(sourcePage);
    const int shift = std::max(0, outer.CurY - (top != m_contentTop.end() ? top->second : outer.Page->TopOffset()));
    outer.CurY = curY;
    outer.CurColumn = curColumn;
    outer.XAdjust = xAdjust;
    outer.CurBottomY = bottom;
    outer.FilledBy = filledBy;
    m_crossPages.insert(m_pageIndex);
    m_crossShift[m_pageIndex] = shift;
    // The rows printed from now on keep that room, so their cells moved down still fit.
    int &room = m_crossRoom[sourcePage];
    room = std::max(room, shift);
    return shift;
}

int TvlReportBuilder::CrossRoom(TvlBand &band) const
{
    const auto room = m_crossRoom.find(m_pageIndex);
    if (room == m_crossRoom.end())
        return 0;
    const std::vector<quint8> &kinds = band.ObjectKinds();
    return std::any_of(kinds.begin(), kinds.end(), [](quint8 kind) { return kind & okCross; }) ? room->second : 0;
}
