// Where a row's cross columns go: within the page column the row prints in,
// and past its right edge onto a prepared page of their own after the row's
// page, below that page's own header.
#include "report/vlbandprinting.h"
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

int TvlReportBuilder::PageColumn() const
{
    return m_curRun ? outermost(*m_curRun).CurColumn : 0;
}

int TvlReportBuilder::CrossRightEdge(TvlPageRun &run) const
{
    // A sub-report's cells stay in the column its parent prints in, and in its own box.
    const TvlPageRun &outer = outermost(run);
    int right = std::min(outer.XAdjust + outer.ColumnWidth, outer.Page->RightEdge());
    for (const TvlPageRun *inner = &run; inner != &outer; inner = inner->Parent)
        right = std::min(right, inner->XAdjust + inner->BoxWidth);
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
    // What the page prints of its own is no cross column.
    TvlKeep<int> keepColumn(m_crossColumn);
    m_crossColumn = 0;
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
    // Its page footer prints at the source page's bottom and may be taller
    // there (a page number that wraps): the source page keeps it the room.
    const int footerBottom = outer.Page->BottomEdge(MeasureBand(outer, outer.Table[btPageFooter]));
    outer.CurY = curY;
    outer.CurColumn = curColumn;
    outer.XAdjust = xAdjust;
    // Never above what the source page printed already: its own footer prints there.
    outer.CurBottomY = std::min(bottom, std::max(footerBottom, LowestOn(sourcePage)));
    outer.FilledBy = filledBy;
    for (TvlPageRun *inner = &run; inner != &outer; inner = inner->Parent)
        inner->CurBottomY = std::min(inner->CurBottomY, outer.CurBottomY);
    m_crossPages.insert(m_pageIndex);
    m_crossShift[m_pageIndex] = shift;
    // The rows printed from now on keep that room, so their cells moved down still fit.
    int &room = m_crossRoom[sourcePage];
    room = std::max(room, shift);
    return shift;
}

int TvlReportBuilder::LowestOn(int page) const
{
    return page < int(m_pageLowest.size()) ? m_pageLowest[size_t(page)] : 0;
}

int TvlReportBuilder::CrossRoom(TvlBand &band) const
{
    const auto room = m_crossRoom.find(m_pageIndex);
    if (room == m_crossRoom.end())
        return 0;
    const std::vector<quint8> &kinds = band.ObjectKinds();
    return std::any_of(kinds.begin(), kinds.end(), [](quint8 kind) { return kind & okCross; }) ? room->second : 0;
}
