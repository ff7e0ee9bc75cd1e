// Printing a band: events, script, fit test, stretching, split printing,
// sub-reports and the footers' aggregates (cross columns: vlcrosscells.cpp).
#include "report/vlbandprinting.h"
#include "report/vlbuilder.h"
#include "report/vlerrortext.h"
#include "report/vlmemoview.h"
#include "report/vloperators.h"
#include "report/vlsubreportview.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <climits>
#include <optional>

namespace {

// Objects printed beside the band's own: sub-reports and cross columns.
bool printsBeside(TvlBand &band)
{
    for (quint8 kind : band.ObjectKinds())
        if (kind & (okCross | okSubReport))
            return true;
    return false;
}

// Bands that a new page or column prints itself: a break asked for by their
// script would print them again, ask again, and never end.
bool printedByBreaks(int type)
{
    return vlOwnPosition(type) || type == btPageHeader || type == btColumnHeader || type == btColumnFooter;
}

constexpr int footerTypes[] = {btReportSummary, btPageFooter,      btMasterFooter,
                               btDetailFooter,  btSubDetailFooter, btGroupFooter};

} // namespace

int TvlReportBuilder::ShiftX(const TvlPageRun &run)
{
    return run.XAdjust - run.Page->LeftOffset();
}

void TvlReportBuilder::RunScript(const QStringList &coded, TvlView *view)
{
    if (coded.isEmpty())
        return;
    TvlKeep<TvlView *> keep(m_curView);
    m_curView = view;
    m_interpreter.DoScript(coded);
}

[[noreturn]] void TvlReportBuilder::ObjectError(TvlView &view, TvlBand *band, const std::exception &error)
{
    const QStringList what = vlQuotedExpression(view.Memo.join(u'\r')).split(u'\r');
    StopAt(band ? band->Typ : -1, what, vlErrorText(error));
}

[[noreturn]] void TvlReportBuilder::StopAt(int bandType, const QStringList &what, const QString &why)
{
    QStringList lines{QStringLiteral("Chyba při zpracování")};
    lines << what;
    const QString reportName = m_report->objectName().isEmpty() ? m_report->FileName : m_report->objectName();
    lines << QStringLiteral("Sestava:") + u' ' + reportName;
    lines << QStringLiteral("Band:") + u' ' + vlBandName(bandType);
    if (!why.isEmpty())
        lines << why;
    throw TvlBuildStop(lines.join(u'\r'), false);
}

void TvlReportBuilder::PrepareObject(TvlView &view, std::vector<TvlExpansion> *expansions, bool effects)
{
    TvlKeep<TvlView *> keep(m_curView);
    m_curView = &view;
    try {
        TvlMemoView *memo = vlAsMemo(view);
        // The variables the memo's text is expanded with, while that text is the engine's own.
        std::optional<TvlVariables> expandedWith;
        if (memo) {
            memo->RemoveHighlight();
            if (expansions)
                expandedWith = vlScriptVariables();
            view.WorkMemo = ExpandMemo(view.Memo, view.Format, view.FormatText);
        } else {
            view.WorkMemo = view.Memo;
            BindBlob(view);
            view.ExpandContent([this, &view](const QString &expression) {
                return ExpandLine(u'[' + expression + u']', view.Format, view.FormatText);
            });
        }
        if (!effects)
            return;
        // A text the event made of the engine's is entered again where it is expanded again.
        bool entered = false;
        if (m_report->OnEnterRect) {
            const QStringList expanded = expandedWith ? view.WorkMemo : QStringList();
            m_report->OnEnterRect(view.WorkMemo, &view);
            entered = expandedWith && view.WorkMemo != expanded;
        }
        // Only objects with a script have a coded one.
        const auto script = view.Script.isEmpty() ? m_scripts.end() : m_scripts.find(&view);
        if (script != m_scripts.end() && !script->second.isEmpty()) {
            const QStringList before = view.Memo;
            RunScript(script->second, &view);
            if (memo && view.Memo != before) {
                if (expansions)
                    expandedWith = vlScriptVariables();
                entered = false;
                view.WorkMemo = ExpandMemo(view.Memo, view.Format, view.FormatText);
            }
        }
        if (memo && !memo->HighlightCondition.trimmed().isEmpty() && !vlIsZero(Calculate(memo->HighlightCondition)))
            memo->ApplyHighlight();
        if (expandedWith)
            expansions->push_back({&view, std::move(*expandedWith), entered, m_pageIndex, PageColumn()});
    } catch (const TvlBuildStop &) {
        throw;
    } catch (const std::exception &error) {
        ObjectError(view, view.OwnerBand, error);
    }
}

void TvlReportBuilder::ExpandAgain(std::vector<TvlExpansion> &expansions)
{
    for (TvlExpansion &expansion : expansions)
        ExpandAgain(expansion);
}

void TvlReportBuilder::ExpandAgain(TvlExpansion &expansion)
{
    TvlKeep<TvlView *> keep(m_curView);
    TvlVariables &variables = vlScriptVariables();
    TvlView &view = *expansion.View;
    m_curView = &view;
    // The variables as they were when the text was first expanded; those of now come back after.
    std::swap(variables, expansion.Variables);
    const auto restore = qScopeGuard([&] { std::swap(variables, expansion.Variables); });
    try {
        view.WorkMemo = ExpandMemo(view.Memo, view.Format, view.FormatText);
        if (expansion.Entered && m_report->OnEnterRect)
            m_report->OnEnterRect(view.WorkMemo, &view);
    } catch (const TvlBuildStop &) {
        throw;
    } catch (const std::exception &error) {
        ObjectError(view, view.OwnerBand, error);
    }
    expansion.Page = m_pageIndex;
    expansion.Column = PageColumn();
}

void TvlReportBuilder::PrintObject(TvlPageRun &run, TvlView &view, int x, int y)
{
    (void)run;
    const qint32 left = view.Left, top = view.Top;
    view.Left += x;
    view.Top += y;
    if (view.OwnerBand && !vlOwnPosition(view.OwnerBand->Typ)) {
        if (m_pageIndex >= int(m_pageLowest.size()))
            m_pageLowest.resize(size_t(m_pageIndex) + 1, 0);
        m_pageLowest[size_t(m_pageIndex)] = std::max(m_pageLowest[size_t(m_pageIndex)], view.Top + view.Height);
    }
    try {
        if (!m_counting && m_pageIndex < m_target->EMFPages.Count()) {
            MemoryStream &stream = *m_target->EMFPages[m_pageIndex]->Stream;
            stream.seek(stream.size());
            view.Print(stream);
        }
        if (!m_hooks.empty() && vlAsMemo(view))
            for (TvlView *hook : m_hooks)
                hook->ObjectPrinted(&view);
    } catch (const std::exception &error) {
        view.Left = left;
        view.Top = top;
        ObjectError(view, view.OwnerBand, error);
    }
    view.Left = left;
    view.Top = top;
}

// --- ShowBand --------------------------------------------------------------------------

void TvlReportBuilder::ShowBand(TvlPageRun &run, TvlBand *band, bool repeated)
{
    if (!band)
        return;
    TvlKeep<TvlPageRun *> keepRun(m_curRun);
    TvlKeep<TvlBand *> keepBand(m_curBand);
    TvlKeep<TvlView *> keepView(m_curView);
    TvlKeep<TvlBand *> keepAggregating(m_aggregatingBand);
    m_curRun = &run;
    m_curBand = band;
    m_curView = band->View;
    band->CalculatedHeight = -1;
    if (m_report->OnBeginBand)
        m_report->OnBeginBand(band);
    if (band->View && !band->Script.isEmpty()) {
        try {
            RunScript(band->Script, band->View);
        } catch (const TvlBuildStop &) {
            throw;
        } catch (const std::exception &error) {
            ObjectError(*band->View, band, error);
        }
        band->SetVisible(band->View->IsVisible());
        band->Height = band->View->Height;
        CheckBand(*band);
    }
    const bool byBreaks = repeated || printedByBreaks(band->Typ);
    if (byBreaks) {
        band->ForceNewPage = false;
        band->ForceNewColumn = false;
    }
    if (band->ForceNewPage) {
        band->ForceNewPage = false;
        run.CurColumn = run.Columns - 1;
        NewColumn(run, band);
    }
    if (band->ForceNewColumn) {
        band->ForceNewColumn = false;
        NewColumn(run, band);
    }
    // Cells a stretched row measured print in this row alone.
    m_measuredCells.erase(band);
    if (band->Visible()) {
        if (band->Typ == btColumnHeader)
            run.ColumnStartY = run.CurY;
        // Each object's event and script take effect once per print: a band
        // whose height follows its texts is prepared before it is measured,
        // any other once it is known where it prints.
        // The texts of a band that may move (one that stretches, one that
        // prints in pieces) are noted, to read again where they print.
        std::vector<TvlExpansion> expansions;
        bool prepared = false, noted = band->Stretched;
        std::optional<int> footerTop; // where a page footer prints when not at the page's bottom limit
        auto prepare = [&] {
            m_aggregatingBand = band;
            m_curBand = band;
            const std::vector<quint8> &kinds = band->ObjectKinds();
            for (size_t i = 0; i < kinds.size(); ++i)
                if (!(kinds[i] & (okCross | okSubReport)))
                    PrepareObject(*band->Objects[i], noted ? &expansions : nullptr);
            prepared = true;
        };
        if (band->Stretched)
            prepare();
        // A band that a break prints never breaks or splits itself (the break
        // would print it again): what does not fit ends the build. Nor does
        // one with sub-reports or cross columns, which print only beside a
        // whole band.
        const bool beside = printsBeside(*band);
        bool split = band->AllowSplit && !byBreaks && !beside;
        if (band->HasObjects() && !vlOwnPosition(band->Typ)) {
            band->CalculatedHeight = RowHeight(run, *band);
            if (!byBreaks && !split && run.CurY > run.FreshY &&
                BreakIfNeeded(run, run.CurY, band->CalculatedHeight + CrossRoom(*band), band, true)) {
                if (run.IsSubReportPage && run.Parent)
                    band->Complete = false;
                NewColumn(run, band);
                m_curBand = band;
                if (prepared) {
                    // Its texts read the page it moved to; what events and scripts did stays.
                    m_aggregatingBand = band;
                    ExpandAgain(expansions);
                    band->CalculatedHeight = RowHeight(run, *band);
                }
            }
            noted = noted || (!byBreaks && !beside && !Fits(run, run.CurY, band->CalculatedHeight));
            if (!prepared)
                prepare();
            // One that no column holds whole prints in pieces rather than cut.
            if (!byBreaks && !split && !beside && !Fits(run, run.CurY, band->CalculatedHeight))
                split = true;
            if (!byBreaks && !split)
                CheckBandRoom(run, *band, run.CurY, run.CurBottomY);
        } else if (band->Typ == btPageFooter && band->HasObjects() && band->Stretched) {
            // It grows into the room kept for it as the page started, and no
            // further; on a page of further cross columns it may rise as far
            // as the cells there leave it room.
            band->CalculatedHeight = band->CalcHeight();
            const int room = run.Page->BottomEdge(0) - run.CurBottomY;
            const int top = run.Page->BottomEdge(band->CalculatedHeight);
            if (band->CalculatedHeight > room && m_crossPages.count(m_pageIndex) && top >= LowestOn(m_pageIndex))
                footerTop = top;
            else if (band->CalculatedHeight > room)
                StopTooTall(run, *band, nullptr, band->CalculatedHeight, room);
        } else if (band->Typ == btOverlay && band->HasObjects() && band->Stretched) {
            // It grows where it lies, as far as the page goes (DrawBand).
            band->CalculatedHeight = band->CalcHeight();
        }
        if (!prepared)
            prepare();
        m_aggregatingBand = band;
        {
            TvlKeep<bool> keepSplit(band->AllowSplit);
            TvlKeep<std::vector<TvlExpansion> *> keepExpansions(m_expansions);
            band->AllowSplit = split;
            m_expansions = &expansions;
            if (footerTop) {
                TvlKeep<int> keepBottom(run.CurBottomY);
                run.CurBottomY = *footerTop;
                DrawBand(run, *band);
            } else {
                DrawBand(run, *band);
            }
        }
        if (byBreaks && !vlOwnPosition(band->Typ) && band->HasObjects())
            run.FilledBy = band;
        const std::vector<quint8> &kinds = band->ObjectKinds();
        for (size_t i = 0; i < kinds.size(); ++i)
            if (kinds[i] & okMemo)
                static_cast<TvlMemoView *>(band->Objects[i])->RemoveHighlight();
        band->Complete = true;
        const bool handlesItself = band->IsDataBand() || band->Typ == btGroupHeader;
        if (band->StartNewPage && !handlesItself && !vlOwnPosition(band->Typ) && band->Typ != btPageHeader &&
            band->Typ != btColumnHeader && band->Typ != btColumnFooter)
            NewPage(run);
    }
    m_measuredCells.erase(band);
    if (band->IsDataBand()) {
        m_lastDataBand = band;
        Accumulate(run, *band);
    }
    ResetAfterPrint(run, *band, repeated);
    if (m_report->OnEndBand)
        m_report->OnEndBand(band);
}

void TvlReportBuilder::ResetAfterPrint(TvlPageRun &run, TvlBand &band, bool repeated)
{
    if (repeated)
        return;
    if (TvlStdFunctionLibrary::IsFooterBand(band.Typ) &&
        (band.Typ != btPageFooter || m_pageIndex >= m_target->EMFPages.Count() - 1))
        band.ResetAggregates();
    if (band.Typ == btGroupHeader) {
        for (TvlBand *group = &band; group; group = group->Next)
            if (group->FooterBand)
                group->FooterBand->ResetAggregates();
        band.LastGroupValue = GroupValue(band);
    }
    (void)run;
}

Variant TvlReportBuilder::GroupValue(TvlBand &group)
{
    if (!group.ConditionKnown) {
        group.Condition = {group.GroupCondition, m_expressions.Find(m_parser, group.GroupCondition)};
        group.ConditionKnown = true;
    }
    try {
        return m_expressions.Calculate(m_parser, group.Condition);
    } catch (const TvlBuildStop &) {
        throw;
    } catch (const std::exception &error) {
        StopAt(group.Typ, {QStringLiteral("Podmínka skupiny: ") + vlQuotedExpression(group.GroupCondition)},
               vlErrorText(error));
    }
}

const QStringList &TvlReportBuilder::Aggregates(const TvlView &view)
{
    const auto found = m_aggregating.find(&view);
    if (found != m_aggregating.end())
        return found->second;
    // The bracket expressions of the memo that call an aggregate, without their format part.
    static const QRegularExpression call(QStringLiteral("\\b(SUM|MIN|MAX|AVG|COUNT)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList expressions;
    for (const QString &line : view.Memo + view.ExpressionText()) {
        for (int open = int(line.indexOf(u'[')); open >= 0; open = int(line.indexOf(u'[', open))) {
            int start = open + 1, pos = start;
            QString content;
            try {
                content = vlText::ReadBracketedName(line, start, pos);
            } catch (const TvlParserError &) {
                break;
            }
            open = pos;
            const int hash = int(content.indexOf(QStringLiteral(" #")));
            if (hash >= 0)
                content.truncate(hash);
            if (content.contains(call))
                expressions << content;
        }
    }
    return m_aggregating.emplace(&view, expressions).first->second;
}

void TvlReportBuilder::Accumulate(TvlPageRun &run, TvlBand &dataBand)
{
    TvlKeep<TvlBand *> keepBand(m_curBand);
    TvlKeep<TvlBand *> keepAggregating(m_aggregatingBand);
    TvlKeep<TvlView *> keepView(m_curView);
    m_curBand = &dataBand;
    TvlBand *crossFooter = run.Table[btCrossFooter];
    // Once per row the footers' own objects add the row; while the row's
    // cross columns print, each column adds itself to the footers' cells of
    // the cross data band (per column) and of the cross footer (the "00"
    // totals across the columns).
    const bool perColumn = m_crossColumn != 0;
    auto counts = [&](const TvlView *view) {
        const auto owner = run.CrossOwner.find(view);
        if (owner == run.CrossOwner.end())
            return !perColumn;
        return perColumn && (owner->second->Typ == btCrossData || owner->second == crossFooter);
    };
    // The objects that add up, each with its aggregate expressions.
    auto adders = [&](const std::vector<TvlView *> &objects, std::vector<TvlBandAdder> &out) {
        out.clear();
        for (TvlView *view : objects) {
            const QStringList &expressions = Aggregates(*view);
            if (expressions.isEmpty())
                continue;
            TvlBandAdder adder{view, {}};
            for (const QString &expression : expressions)
                adder.Expressions.push_back({expression, m_expressions.Find(m_parser, expression)});
            out.push_back(std::move(adder));
        }
    };
    auto add = [&](TvlBand *footer, const std::vector<TvlBandAdder> &adding, bool countRows) {
        if (adding.empty())
            return;
        footer->Values.StartRecord();
        const bool visible = footer->Visible();
        footer->SetVisible(false);
        m_aggregatingBand = footer;
        for (const TvlBandAdder &adder : adding) {
            m_curView = adder.View;
            try {
                for (const TvlCachedExpression &expression : adder.Expressions)
                    m_expressions.Calculate(m_parser, expression);
            } catch (const std::exception &error) {
                footer->SetVisible(visible);
                ObjectError(*adder.View, footer, error);
            }
        }
        footer->SetVisible(visible);
        bool counted = footer->Values.AnyCounted();
        if (!countRows) {
            if (counted)
                m_columnsCounted.insert(footer);
            return;
        }
        if (m_columnsCounted.erase(footer) > 0)
            counted = true;
        if (counted)
            ++footer->Count;
    };
    std::vector<TvlView *> objects;
    std::vector<TvlBandAdder> adding;
    auto footerAdders = [&](TvlBand *footer) {
        objects.clear();
        for (TvlView *view : footer->Objects)
            if (counts(view))
                objects.push_back(view);
        adders(objects, adding);
    };
    for (int type : footerTypes)
        for (TvlBand *footer = run.Table[type]; footer; footer = footer->Next) {
            if (perColumn) {
                footerAdders(footer);
                add(footer, adding, false);
                continue;
            }
            // Which objects add a row stays the same for every row.
            if (!footer->AddersKnown) {
                footerAdders(footer);
                footer->Adders = adding;
                footer->AddersKnown = true;
            }
            add(footer, footer->Adders, true);
        }
    if (perColumn && crossFooter) {
        // The row's own cells of the cross footer total the row across its columns.
        objects.clear();
        for (TvlView *view : dataBand.Objects)
            if (const auto owner = run.CrossOwner.find(view);
                owner != run.CrossOwner.end() && owner->second == crossFooter)
                objects.push_back(view);
        adders(objects, adding);
        add(crossFooter, adding, true);
    }
}

// --- drawing ---------------------------------------------------------------------------

void TvlReportBuilder::DrawBand(TvlPageRun &run, TvlBand &band)
{
    const int y = band.Typ == btPageFooter ? run.CurBottomY : vlOwnPosition(band.Typ) ? band.Y : run.CurY;
    const int height = band.CalculatedHeight >= 0 ? band.CalculatedHeight : band.Height;
    struct Stretched
    {
        TvlView *view;
        qint32 height;
    };
    std::vector<Stretched> stretched;
    const std::vector<quint8> &kinds = band.ObjectKinds();
    if (band.Stretched) {
        for (size_t i = 0; i < kinds.size(); ++i) {
            TvlView *view = band.Objects[i];
            if (vlGrowsWithBand(*view, kinds[i] & okStretcheable, height)) {
                stretched.push_back({view, view->Height});
                view->Height = height - view->Top;
            }
        }
    }
    const bool fits = vlOwnPosition(band.Typ) || Fits(run, y, height);
    if (!band.AllowSplit || fits) {
        // The page footer was given its room; an overlay and the objects
        // outside the bands keep to the printable area.
        const int clip = band.Typ == btPageFooter  ? INT_MAX
                         : vlOwnPosition(band.Typ) ? run.Page->BottomEdge(0)
                                                   : run.CurBottomY;
        PrintObjects(run, band, y, clip);
        bool crossObjects = false;
        for (quint8 kind : kinds)
            crossObjects = crossObjects || (kind & okCross);
        if (crossObjects)
            PrintCross(run, band, y, clip);
        bool subReports = false;
        for (size_t i = 0; i < kinds.size(); ++i)
            subReports = subReports || ((kinds[i] & okSubReport) && band.Objects[i]->IsVisible());
        band.PrintedHeight = std::min(height, std::max(0, clip - y));
        if (subReports) {
            run.CurY = PrintSubReports(run, band, y);
        } else if (!vlOwnPosition(band.Typ)) {
            run.CurY = y + band.PrintedHeight;
        }
    } else {
        SplitBand(run, band);
    }
    for (const Stretched &s : stretched)
        s.view->Height = s.height;
}

void TvlReportBuilder::PrintObjects(TvlPageRun &run, TvlBand &band, int y, int clipBottom)
{
    const int shift = ShiftX(run);
    const std::vector<quint8> &kinds = band.ObjectKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        TvlView *view = band.Objects[i];
        if (kinds[i] & okSubReport)
            break;
        if (kinds[i] & okCross)
            continue;
        PrintWithin(run, band, *view, shift, y, clipBottom);
    }
}

void TvlReportBuilder::PrintWithin(TvlPageRun &run, TvlBand &band, TvlView &view, int x, int y, int clipBottom)
{
    if (y + view.Top >= clipBottom) {
        if (LosesLines(view, 0))
            StopTooTall(run, band, &view, view.Height, 0);
        return;
    }
    const qint32 height = view.Height;
    if (y + view.Top + view.Height > clipBottom) {
        const int cut = clipBottom - y - view.Top;
        if (LosesLines(view, cut))
            StopTooTall(run, band, &view, view.Height, cut);
        view.Height = cut;
    }
    PrintObject(run, view, x, y);
    view.Height = height;
}

// --- split printing --------------------------------------------------------------------

void TvlReportBuilder::SplitBand(TvlPageRun &run, TvlBand &band)
{
    struct Piece
    {
        TvlView *view;
        TvlMemoView *memo;      // a memo printed line by line
        TvlStretcheable *parts; // content that prints part by part by itself (rich text)
        int top, height;
        QStringList lines; // wrapped, for memos
        int lineHeight = 0, gaps = 0, done = 0;
        bool pending = true, allLines = false;
    };
    // The memo's lines: all of them, or those its box shows when it does not stretch.
    const auto linesOf = [](const Piece &piece, TvlMemoView *memo) {
        const QList<TvlTextLine> layout = memo->Layout(memo->WorkMemo);
        const int count = int(layout.size());
        const int shown = piece.allLines ? count : std::clamp((memo->Height - piece.gaps) / piece.lineHeight, 0, count);
        QStringList lines;
        for (int i = 0; i < shown; ++i)
            lines << vlEncodeTextLine(layout[i]);
        return lines;
    };
    // From now on the memo prints a piece of its lines at a time.
    const auto byLines = [&](Piece &piece, TvlMemoView *memo, bool all) {
        piece.lineHeight = std::max(1, memo->GetLineHeight());
        piece.gaps = memo->VerticalGaps();
        piece.allLines = all;
        piece.lines = linesOf(piece, memo);
        piece.memo = piece.lines.isEmpty() ? nullptr : memo; // no text: it splits like any other object
    };
    // A piece printing in another column or on another page than its text
    // was expanded for reads where it prints: a memo printing line by line
    // takes the lines of its new text while they are as many.
    const auto readWhereItPrints = [&](Piece &p) {
        if (!m_expansions)
            return;
        const auto expansion = std::find_if(m_expansions->begin(), m_expansions->end(),
                                            [&](const TvlExpansion &e) { return e.View == p.view; });
        if (expansion == m_expansions->end() || (expansion->Page == m_pageIndex && expansion->Column == PageColumn()))
            return;
        ExpandAgain(*expansion);
        if (p.memo)
            if (QStringList lines = linesOf(p, p.memo); lines.size() == p.lines.size())
                p.lines = std::move(lines);
    };
    std::vector<Piece> pieces;
    for (TvlView *view : band.Objects) {
        if (dynamic_cast<TvlSubReportView *>(view) || run.CrossOwner.count(view) || !view->IsVisible())
            continue;
        Piece piece{view, nullptr, nullptr, view->Top, view->Height, {}};
        if (auto *parts = dynamic_cast<TvlStretcheable *>(view); parts && parts->PrintsInParts()) {
            piece.parts = parts;
            piece.height = std::max(piece.height, parts->CalcHeight());
        }
        auto *memo = dynamic_cast<TvlMemoView *>(view);
        if (memo && (memo->Flags & mfStretched)) {
            byLines(piece, memo, true);
            if (piece.memo)
                piece.height = std::max(piece.height, int(piece.lines.size()) * piece.lineHeight + piece.gaps);
        }
        pieces.push_back(piece);
    }
    auto printPiece = [&](Piece &p, int y, int height, int lines) {
        readWhereItPrints(p);
        const qint32 savedHeight = p.view->Height;
        const QStringList savedWork = p.view->WorkMemo;
        p.view->Height = height;
        if (p.memo)
            p.view->WorkMemo = p.lines.mid(p.done, lines);
        // The column now, which may not be the one the band started in.
        PrintObject(run, *p.view, ShiftX(run), y + p.top - p.view->Top);
        p.view->Height = savedHeight;
        p.view->WorkMemo = savedWork;
        if (p.memo)
            p.done += lines;
    };
    int y = run.CurY;
    bool fresh = run.CurY <= run.FreshY;
    int lowest = 0;
    for (;;) {
        const int room = run.CurBottomY - run.ColumnFooterRoom - y - 2;
        if (fresh && room < 1)
            CheckBandRoom(run, band, y, y); // not a line of it would print on any page
        if (!fresh && room < 1) {
            // Not a point left below what this page printed: all of it goes on.
            NewColumn(run, &band);
            y = run.CurY;
            fresh = true;
            continue;
        }
        const int space = std::max(1, room);
        lowest = 0;
        for (size_t i = 0; i < pieces.size(); ++i) {
            Piece &p = pieces[i];
            if (!p.pending || p.top >= space)
                continue;
            const int end = p.top + p.height;
            if (end <= space) {
                printPiece(p, y, p.height, p.memo ? int(p.lines.size()) - p.done : 0);
                p.pending = false;
                lowest = std::max(lowest, end);
                continue;
            }
            const bool forced = fresh && p.top == 0; // nothing more would fit on any page
            // A memo that does not stretch is cut, unless the cut would hide
            // lines: those go on with the next piece.
            if (auto *memo = dynamic_cast<TvlMemoView *>(p.view);
                forced && memo && !p.memo && !p.parts && LosesLines(*memo, space))
                byLines(p, memo, false);
            if (p.memo) {
                const int left = int(p.lines.size()) - p.done;
                const int fit = std::min(left, (space - p.top - p.gaps) / p.lineHeight);
                if (fit < 1 && forced)
                    StopTooTall(run, band, p.view, p.lineHeight + p.gaps, space);
                if (fit < 1) {
                    p.top = space;
                    continue;
                }
                const int height = std::min(fit * p.lineHeight + p.gaps, space - p.top);
                printPiece(p, y, height, fit);
                lowest = std::max(lowest, p.top + height);
                if (p.done >= int(p.lines.size())) {
                    p.pending = false;
                    continue;
                }
                const int rest = (int(p.lines.size()) - p.done) * p.lineHeight + p.gaps;
                const int delta = space + rest - end;
                for (size_t j = 0; j < pieces.size(); ++j) {
                    Piece &q = pieces[j];
                    const bool across =
                        q.view->Left < p.view->Left + p.view->Width && p.view->Left < q.view->Left + q.view->Width;
                    if (j != i && q.pending && across && q.top >= end)
                        q.top += delta;
                }
                p.top = space;
                p.height = rest;
            } else if (p.parts) {
                // The content prints what fits from where it stopped.
                printPiece(p, y, space - p.top, 0);
                lowest = std::max(lowest, space);
                if (!p.parts->PartLeft()) {
                    p.pending = false;
                    continue;
                }
                p.top = space;
                p.height = p.parts->GetRemainingHeight();
            } else if (forced) {
                printPiece(p, y, space - p.top, 0);
                p.pending = false;
                lowest = std::max(lowest, space);
            } else {
                p.top = space;
            }
        }
        bool pending = false;
        for (Piece &p : pieces)
            if (p.pending) {
                p.top -= space;
                pending = true;
            }
        if (!pending)
            break;
        // What the break prints at the column's end (its footer) goes below this piece.
        run.CurY = y + lowest;
        NewColumn(run, &band);
        y = run.CurY;
        fresh = true;
    }
    band.PrintedHeight = lowest;
    run.CurY = y + lowest;
}

// --- sub-reports -----------------------------------------------------------------------

void TvlReportBuilder::BuildSubPage(TvlPageRun &run)
{
    ShowBand(run, run.Table[btReportTitle]);
    PrintData(run);
    ShowBand(run, run.Table[btReportSummary]);
}

void TvlReportBuilder::PrintData(TvlPageRun &run)
{
    int deepest = 0;
    for (int level = 1; level <= 3; ++level)
        if (run.Table[btMasterData + 3 * (level - 1)])
            deepest = level;
    const bool groups = run.Table[btGroupHeader] && run.Table[btGroupHeader]->HasObjects();
    if (deepest > 0)
        DataLoop(run, 1, deepest, groups);
}

int TvlReportBuilder::PrintSubReports(TvlPageRun &run, TvlBand &band, int y)
{
    const int startPage = m_pageIndex;
    int lowestPage = startPage, lowestY = y + band.PrintedHeight;
    // Where the band printed: a sub-report beside it that went on to a new
    // page has moved the parent there.
    const int shift = ShiftX(run), freshY = run.FreshY, pagesFrom = m_target->EMFPages.Count();
    TvlBand *const filledBy = run.FilledBy;
    // What the page prints at its end, should a sub-report go on on the next
    // one, goes below the band's own objects beside it.
    for (TvlView *view : band.Objects)
        if (!dynamic_cast<TvlSubReportView *>(view) && !run.CrossOwner.count(view) && view->IsVisible())
            run.CurY = std::max(run.CurY, y + std::min(view->Top + view->Height, band.PrintedHeight));
    for (TvlView *view : band.Objects) {
        auto *sub = dynamic_cast<TvlSubReportView *>(view);
        if (!sub || !sub->IsVisible() || sub->PageIndex < 0 || sub->PageIndex >= int(m_runs.size()) ||
            m_runs[size_t(sub->PageIndex)].get() == &run || m_runs[size_t(sub->PageIndex)]->Parent)
            continue;
        TvlPageRun &target = *m_runs[size_t(sub->PageIndex)];
        m_pageIndex = startPage;
        target.Parent = &run;
        target.CurY = y + sub->Top;
        target.CurBottomY = run.CurBottomY;
        target.XAdjust = shift + sub->Left;
        target.ParentOffsetX = sub->Left - run.Page->LeftOffset();
        target.BoxWidth = sub->Width;
        target.OwnPagesFrom = pagesFrom;
        target.Columns = 1;
        target.CurColumn = 0;
        // Its own column footer never prints; the parent's keeps its room.
        target.ColumnFooterRoom = run.ColumnFooterRoom;
        target.ColumnStartY = target.CurY;
        // Below what the parent printed on this page a band may still move to the next one.
        target.FreshY = std::min(target.CurY, freshY);
        target.FilledBy = filledBy;
        try {
            BuildSubPage(target);
        } catch (...) {
            target.Parent = nullptr;
            throw;
        }
        target.Parent = nullptr;
        if (m_pageIndex > lowestPage || (m_pageIndex == lowestPage && target.CurY > lowestY)) {
            lowestPage = m_pageIndex;
            lowestY = target.CurY;
        }
    }
    m_pageIndex = lowestPage;
    return lowestY;
}
