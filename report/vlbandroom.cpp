// The room bands take on a page: footers that stretch keep the height they
// grow to, measured as their page or column starts, and a cut that would
// hide lines of text is told apart from one that hides nothing.
#include "report/vlbandprinting.h"
#include "report/vlbuilder.h"
#include "report/vlmemoview.h"

#include <algorithm>

int TvlReportBuilder::MeasureBand(TvlPageRun &run, TvlBand *band)
{
    if (!band || !band->HasObjects())
        return 0;
    if (!band->Stretched)
        return band->Height;
    TvlPageRun *const savedRun = m_curRun;
    TvlBand *const savedBand = m_curBand, *const savedAggregating = m_aggregatingBand;
    TvlView *const savedView = m_curView;
    m_curRun = &run;
    m_curBand = m_aggregatingBand = band;
    // Measured long before it prints: what its scripts set counts when it prints.
    const TvlVariables variables = vlScriptVariables();
    const std::vector<quint8> &kinds = band->ObjectKinds();
    try {
        for (size_t i = 0; i < kinds.size(); ++i)
            if (!(kinds[i] & (okCross | okSubReport)))
                PrepareObject(*band->Objects[i]);
    } catch (...) {
        m_curRun = savedRun;
        m_curBand = savedBand;
        m_aggregatingBand = savedAggregating;
        m_curView = savedView;
        throw;
    }
    // Cross cells measured for this alone are not printed (a print under way keeps its own).
    const bool printing = m_measuredCells.count(band) > 0;
    const int height = RowHeight(run, *band);
    if (!printing)
        m_measuredCells.erase(band);
    vlScriptVariables() = variables;
    for (size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i] & okMemo)
            static_cast<TvlMemoView *>(band->Objects[i])->RemoveHighlight();
    m_curRun = savedRun;
    m_curBand = savedBand;
    m_aggregatingBand = savedAggregating;
    m_curView = savedView;
    return height;
}

int TvlReportBuilder::PageBottom(TvlPageRun &run)
{
    int room = MeasureBand(run, run.Table[btPageFooter]);
    // The page after this one may take its rows' further cross columns and
    // print its footer at this page's bottom: the room is kept for the
    // taller of the two (a page number that wraps there).
    if (std::any_of(m_runs.begin(), m_runs.end(), [](const auto &r) { return r->Table[btCrossData]; })) {
        TvlKeep<int> keep(m_pageIndex);
        ++m_pageIndex;
        room = std::max(room, MeasureBand(run, run.Table[btPageFooter]));
    }
    CheckPageRoom(run, room);
    return run.Page->BottomEdge(room);
}

void TvlReportBuilder::MeasureColumnFooter(TvlPageRun &run)
{
    TvlBand *footer = run.Table[btColumnFooter];
    run.ColumnFooterPrinted = false;
    run.ColumnFooterRoom = MeasureBand(run, footer);
    if (footer && footer->HasObjects() && run.CurY + run.ColumnFooterRoom > run.CurBottomY)
        StopTooTall(run, *footer, nullptr, run.ColumnFooterRoom, std::max(0, run.CurBottomY - run.CurY));
}

bool TvlReportBuilder::Fits(const TvlPageRun &run, int y, int height)
{
    return y + height + run.ColumnFooterRoom <= run.CurBottomY;
}

bool TvlReportBuilder::LosesLines(TvlView &view, int height)
{
    auto *memo = dynamic_cast<TvlMemoView *>(&view);
    if (!memo || (memo->Adjust & adRotated) || !memo->IsVisible())
        return false;
    const QList<TvlTextLine> lines = memo->Layout(memo->WorkMemo);
    const int lineHeight = std::max(1, memo->GetLineHeight());
    const auto shown = [&](int h) { return std::clamp((h - memo->VerticalGaps()) / lineHeight, 0, int(lines.size())); };
    // Empty lines draw nothing: only lines with text count as lost.
    for (int i = shown(height); i < shown(view.Height); ++i)
        if (!lines[i].Text.isEmpty())
            return true;
    return false;
}
