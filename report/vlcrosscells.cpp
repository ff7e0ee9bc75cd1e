// The cells of cross columns: prepared for the column printing them, or
// measured once with a stretched row and printed as measured, and the
// columns printed across the row, wrapping at the right edge onto further
// prepared pages (vlcrosspages.cpp).
#include "report/vlbandprinting.h"
#include "report/vlbuilder.h"
#include "report/vlregistry.h"

namespace {

// A row's cross footer cells total the row across its columns; a footer's
// cells read what the footer gathered from all its rows.
bool rowTotals(const TvlBand &band, const TvlBand &cross)
{
    return cross.Typ == btCrossFooter && !TvlStdFunctionLibrary::IsFooterBand(band.Typ);
}

TvlDataset *crossSource(const TvlPageRun &run, const TvlBand &band)
{
    const TvlBand *data = run.Table[btCrossData];
    return data && data->DataSet ? data->DataSet : data ? band.CrossDataSet : nullptr;
}

} // namespace

std::vector<TvlView *> TvlReportBuilder::CrossCells(TvlPageRun &run, TvlBand &band, TvlBand *cross, bool effects,
                                                    std::vector<TvlExpansion> *expansions)
{
    std::vector<TvlView *> cells;
    if (!cross)
        return cells;
    TvlKeep<TvlBand *> keep(m_aggregatingBand);
    m_aggregatingBand = rowTotals(band, *cross) ? cross : &band;
    for (TvlView *view : band.Objects) {
        const auto owner = run.CrossOwner.find(view);
        if (owner == run.CrossOwner.end() || owner->second != cross)
            continue;
        PrepareObject(*view, expansions, effects);
        cells.push_back(view);
    }
    return cells;
}

std::unique_ptr<TvlView> TvlReportBuilder::PreparedCopy(TvlView &view)
{
    std::unique_ptr<TvlView> copy;
    try {
        copy = vlCreateView(view.ObjectType, view.ClassName());
    } catch (const std::exception &error) {
        ObjectError(view, view.OwnerBand, error); // a class the program did not register
    }
    copy->Assign(view);
    copy->StorageMode = view.StorageMode;
    copy->OwnerBand = view.OwnerBand;
    copy->WorkMemo = view.WorkMemo;
    // Content of its own (rich text) is expanded for the copy as it reads now.
    if (!vlAsMemo(view)) {
        TvlKeep<TvlView *> keep(m_curView);
        m_curView = &view;
        copy->ExpandContent([this, &view](const QString &expression) {
            return ExpandLine(u'[' + expression + u']', view.Format, view.FormatText);
        });
    }
    return copy;
}

TvlMeasuredCells TvlReportBuilder::MeasureCells(TvlPageRun &run, TvlBand &band)
{
    TvlMeasuredCells measured;
    TvlKeep<int> keepColumn(m_crossColumn);
    std::vector<TvlExpansion> expansions;
    const auto keep = [&](TvlBand *cross) {
        TvlMeasuredCells::Cells cells;
        expansions.clear();
        for (TvlView *view : CrossCells(run, band, cross, true, &expansions)) {
            cells.push_back(PreparedCopy(*view));
            // The copy's text is expanded again as the cell's was, where it prints.
            for (TvlExpansion &expansion : expansions)
                if (expansion.View == view) {
                    expansion.View = cells.back().get();
                    measured.Expanded.emplace(expansion.View, std::move(expansion));
                }
            if (auto *memo = dynamic_cast<TvlMemoView *>(view))
                memo->RemoveHighlight();
        }
        return cells;
    };
    m_crossColumn = 1;
    measured.Header = keep(run.Table[btCrossHeader]);
    if (TvlDataset *source = crossSource(run, band)) {
        source->Init();
        source->First();
        for (int column = 1; !source->Eof(); ++column, source->Next()) {
            m_crossColumn = column;
            measured.Columns.push_back(keep(run.Table[btCrossData]));
        }
        source->Exit();
    }
    TvlBand *footer = run.Table[btCrossFooter];
    if (footer && !rowTotals(band, *footer)) {
        m_crossColumn = -1;
        measured.Footer = keep(footer);
    }
    return measured;
}

int TvlReportBuilder::RowHeight(TvlPageRun &run, TvlBand &band)
{
    int height = band.CalcHeight();
    if (!band.Stretched ||
        std::none_of(band.ObjectKinds().begin(), band.ObjectKinds().end(), [](quint8 kind) { return kind & okCross; }))
        return height;
    // Each cell of the row as its column will print it: the row is as tall as its tallest text.
    auto measured = m_measuredCells.find(&band);
    if (measured == m_measuredCells.end())
        measured = m_measuredCells.emplace(&band, MeasureCells(run, band)).first;
    const auto measure = [&](TvlView &view) {
        auto *stretching = dynamic_cast<TvlStretcheable *>(&view);
        if (stretching && (view.Flags & 1) && view.IsVisible())
            height = std::max(height, view.Top + stretching->CalcHeight());
    };
    TvlMeasuredCells &cells = measured->second;
    for (const auto &cell : cells.Header)
        measure(*cell);
    for (const TvlMeasuredCells::Cells &column : cells.Columns)
        for (const auto &cell : column)
            measure(*cell);
    if (cells.Footer) {
        for (const auto &cell : *cells.Footer)
            measure(*cell);
    } else if (TvlBand *footer = run.Table[btCrossFooter]) {
        // The row's totals are prepared as they print, after its columns add up.
        TvlKeep<int> keepColumn(m_crossColumn);
        m_crossColumn = -1;
        for (TvlView *view : CrossCells(run, band, footer, false))
            measure(*view);
    }
    return height;
}

std::vector<TvlView *> TvlReportBuilder::PrintedCells(TvlPageRun &run, TvlBand &band, TvlBand *cross)
{
    const auto found = m_measuredCells.find(&band);
    if (found == m_measuredCells.end() || !cross)
        return CrossCells(run, band, cross);
    TvlMeasuredCells &measured = found->second;
    TvlMeasuredCells::Cells *kept = nullptr;
    const size_t column = size_t(m_crossColumn - 1);
    if (cross->Typ == btCrossHeader)
        kept = &measured.Header;
    else if (cross->Typ == btCrossFooter)
        kept = measured.Footer ? &*measured.Footer : nullptr;
    else if (m_crossColumn >= 1 && column < measured.Columns.size())
        kept = &measured.Columns[column];
    if (!kept)
        return CrossCells(run, band, cross);
    // Grown to the row, as the row's own objects are, and reading the page and column they print in.
    std::vector<TvlView *> cells;
    for (const auto &cell : *kept) {
        const auto expanded = measured.Expanded.find(cell.get());
        if (expanded != measured.Expanded.end() &&
            (expanded->second.Page != m_pageIndex || expanded->second.Column != PageColumn()))
            ExpandAgain(expanded->second);
        if (vlGrowsWithBand(*cell, dynamic_cast<TvlStretcheable *>(cell.get()), band.CalculatedHeight))
            cell->Height = band.CalculatedHeight - cell->Top;
        cells.push_back(cell.get());
    }
    return cells;
}

void TvlReportBuilder::PrintCross(TvlPageRun &run, TvlBand &band, int y, int clipBottom)
{
    TvlBand *header = run.Table[btCrossHeader];
    TvlBand *data = run.Table[btCrossData];
    TvlBand *footer = run.Table[btCrossFooter];
    const int shift = ShiftX(run);
    int cellY = y;
    auto printOf = [&](TvlBand *cross, int x) {
        for (TvlView *view : PrintedCells(run, band, cross)) {
            PrintWithin(run, band, *view, shift + x, cellY, clipBottom);
            if (auto *memo = dynamic_cast<TvlMemoView *>(view))
                memo->RemoveHighlight();
        }
    };
    if (m_report->OnBeginColumn)
        m_report->OnBeginColumn(&band);
    const int savedPage = m_pageIndex;
    m_crossColumn = 1;
    if (header)
        printOf(header, header->X);
    int x = header ? header->X + header->Width : data ? data->X : 0;
    // What passes the right edge of the page column goes on at its left on
    // the next prepared page, at the same height below that page's header.
    const int left = run.Page->LeftOffset(), right = CrossRightEdge(run);
    const auto wrapFor = [&](int width) {
        if (x + width <= right)
            return;
        if (x > left) {
            // Every page prints these itself: the page taking their columns would print them again.
            if (band.Typ == btPageHeader || vlOwnPosition(band.Typ))
                StopCrossWrap(band);
            x = left;
            cellY = y + CrossNextPage(run, savedPage);
            if (header && (header->Flags & bfReprintOnNewPage)) {
                printOf(header, header->X);
                x = header->X + header->Width;
            }
        }
        if (x + width > right)
            StopCrossWidth(band, width, right - x);
    };
    TvlDataset *source = crossSource(run, band);
    if (source) {
        source->Init();
        source->First();
        int column = 1;
        while (!source->Eof()) {
            int width = data->Width;
            if (m_report->OnPrintColumn)
                m_report->OnPrintColumn(column, width);
            wrapFor(width);
            m_crossColumn = column;
            printOf(data, x);
            if (band.IsDataBand())
                Accumulate(run, band);
            x += width;
            ++column;
            source->Next();
        }
        source->Exit();
    }
    m_crossColumn = -1;
    if (footer) {
        wrapFor(footer->Width);
        printOf(footer, x);
        footer->ResetAggregates();
    }
    m_crossColumn = 0;
    m_pageIndex = savedPage;
}

QString TvlReportBuilder::CrossSuffix()
{
    if (m_crossColumn == 0)
        return {};
    bool inFooter = false;
    if (m_curRun) {
        const auto owner = m_curRun->CrossOwner.find(m_curView);
        inFooter = owner != m_curRun->CrossOwner.end() && owner->second->Typ == btCrossFooter;
    }
    if (m_crossColumn < 0 || inFooter)
        return QStringLiteral("00");
    return QString::number(m_crossColumn);
}
