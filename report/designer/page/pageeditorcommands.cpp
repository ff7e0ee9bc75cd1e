#include "report/designer/page/pageeditor.h"

#include "report/designer/page/designerhost.h"
#include "report/designer/page/designerundo.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"
#include "report/vlstreams.h"
#include "report/vlsubreportview.h"

// The page editor's insertion of new objects, deletion and keys.

// --- inserting -----------------------------------------------------------------

std::unique_ptr<TvlView> TvlPageEditor::createView(int tool) const
{
    try {
        if (tool >= toolAddIn) {
            const auto &addIns = vlAddIns();
            if (tool - toolAddIn >= addIns.size())
                return nullptr;
            return vlCreateView(otAddIn, addIns[tool - toolAddIn].ClassName);
        }
        return vlCreateView(tool);
    } catch (const EClassNotFound &) {
        return nullptr;
    }
}

TvlView *TvlPageEditor::insertView(int tool)
{
    TvlPage *p = page();
    if (tool == toolBand) {
        int bandType = btMasterData;
        if (!m_host.ChooseBandType(bandType))
            return nullptr;
        auto band = std::make_unique<TvlBandView>();
        band->SetBandType(bandType);
        band->NamePrefix = vlBandNamePrefix(bandType);
        return p->Add(std::move(band));
    }
    if (tool == toolSubReport) {
        auto sub = std::make_unique<TvlSubReportView>();
        TvlReport *report = m_host.Report();
        if (report) {
            sub->PageIndex = report->Pages.Count();
            report->Pages.Add();
        }
        return p->Add(std::move(sub));
    }
    std::unique_ptr<TvlView> view = createView(tool);
    return view ? p->Add(std::move(view)) : nullptr;
}

void TvlPageEditor::giveUniqueName(TvlView &view) const
{
    if (const TvlReport *report = m_host.Report()) {
        report->CreateUniqueName(view);
        return;
    }
    const TvlPage *p = page();
    view.CreateUniqueName([p](const QString &name) { return p->FindObject(name) != nullptr; });
}

void TvlPageEditor::applyNewObjectDefaults(TvlView &view) const
{
    view.FrameWidth = DefaultFrameWidth;
    view.FrameColor = DefaultFrameColor;
    view.FillColor = DefaultFillColor;
    view.Selected = true;
    if (view.ObjectType != otBand)
        view.FrameTyp = DefaultFrameSides;
    if (auto *memo = dynamic_cast<TvlMemoView *>(&view)) {
        memo->FontName = DefaultFontName;
        memo->FontSize = DefaultFontSize;
        memo->FontColor = DefaultFontColor;
        memo->FontStyle = CodeToFontStyles(DefaultFontStyle);
        memo->Adjust = DefaultAdjust;
    }
}

void TvlPageEditor::finishInsert()
{
    m_cursorFixed = true;
    m_rubberBand = false;
    TvlRect r = DragRect;
    if (r.Left == r.Right && r.Top == r.Bottom)
        r = DragRectStart;
    r = r.Normalized();
    const int tool = m_host.ObjectTool();
    TvlView *view = insertView(tool);
    if (view) {
        giveUniqueName(*view);
        const bool memo = view->ObjectType == otMemo;
        if (r.Width() == 0 || r.Height() == 0) {
            const QSize size = memo ? vlDefaultMemoSize(gridSize(), DefaultFontSize) : QSize(40, 40);
            r = {r.Left, r.Top, r.Left + size.width(), r.Top + size.height()};
        }
        view->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        if (view->ObjectType == otBand && vlIsVerticalBand(view->FrameTyp) && view->Width > PageSize().width() - 10)
            view->Width = 40;
        applyNewObjectDefaults(*view);
        SelectedCount = 1;
        PrimaryView = view;
        if (view->ObjectType == otBand)
            ArrangeBands();
        if (tool == toolSubReport)
            m_host.RebuildPageTabs();
        ComputeGroupRect();
        invalidate();
        m_host.SelectionChanged();
        m_host.AddUndoAction(UndoInsert);
        if (m_host.EditAfterInsert())
            m_host.ShowObjectEditor();
    }
    m_previewShown = false;
    showRectInStatus(false);
    invalidate();
    if (!StickyInsert) {
        m_host.SetObjectTool(toolSelect);
        m_cursor = TvlPageCursor::Default;
    }
}

void TvlPageEditor::finishLine()
{
    TvlPage *p = page();
    m_drawingLine = false;
    std::unique_ptr<TvlView> created = vlCreateView(otLine);
    TvlView *line = p->Add(std::move(created));
    giveUniqueName(*line);
    vlSetBounds(*line, vlLineBounds(DragRect));
    line->Selected = true;
    line->FrameWidth = DefaultLineWidth;
    line->FrameColor = DefaultFrameColor;
    SelectedCount = 1;
    PrimaryView = line;
    ComputeGroupRect();
    invalidate();
    m_host.SelectionChanged();
    m_host.AddUndoAction(UndoInsert);
}

// --- deleting, keyboard ------------------------------------------------------

void TvlPageEditor::DeleteSelection()
{
    TvlPage *p = page();
    if (!p)
        return;
    SelectionRegion = SelectedRegion();
    m_host.Undo().DeleteSelected();
    m_host.RebuildPageTabs();
    deselectAll();
    m_host.EnableControls();
    m_host.UpdateStatus();
    invalidate(SelectionRegion);
}

void TvlPageEditor::MoveOrSizeSelection(int dx, int dy, bool size)
{
    TvlPage *p = page();
    if (!p)
        return;
    m_host.AddUndoAction(UndoEdit);
    SelectionRegion = SelectedRegion();
    for (const auto &view : p->Objects) {
        if (!view->Selected)
            continue;
        if (size) {
            view->Width += dx;
            view->Height += dy;
        } else {
            view->Left += dx;
            view->Top += dy;
        }
    }
    m_host.UpdateStatus();
    ComputeGroupRect();
    invalidate(SelectionRegion + SelectedRegion());
}

bool TvlPageEditor::jump(TvlDirection direction, bool alt)
{
    TvlPage *p = page();
    const int selected = vlTopSelectedIndex(p);
    const int nearest = vlNearestView(*p, selected, direction);
    if (nearest < 0)
        return false;
    if (!alt) {
        SelectOnly(nearest);
    } else {
        // Recorded like every other move, so it can be undone and the
        // report counts as changed.
        m_host.AddUndoAction(UndoEdit);
        TvlView *view = p->Object(selected);
        const QRegion before = SelectedRegion();
        TvlBounds b = vlBoundsOf(*view);
        vlTouch(b, vlBoundsOf(*p->Object(nearest)), direction);
        vlSetBounds(*view, b);
        invalidate(before + SelectedRegion());
    }
    m_host.SelectionChanged();
    return true;
}

bool TvlPageEditor::KeyDown(TvlKey key, TvlShift shift, int digit)
{
    TvlPage *p = page();
    if (!p)
        return false;
    vlCountSelected(p);
    const bool any = SelectedCount > 0;
    switch (key) {
    case TvlKey::G:
    case TvlKey::B:
        if (!shift.Ctrl)
            return false;
        if (key == TvlKey::G)
            m_host.SetShowGrid(!m_host.ShowGrid());
        else
            m_host.SetGridAlign(!m_host.GridAlign());
        invalidate();
        return true;
    case TvlKey::PageUp:
    case TvlKey::PageDown:
        if (OnScroll)
            OnScroll(key == TvlKey::PageUp ? -200 : 200);
        return true;
    default:
        break;
    }
    // Keys typed into the toolbar's boxes belong to the text there.
    if (m_host.EditBoxHasFocus())
        return false;
    switch (key) {
    case TvlKey::Delete:
        if (!any)
            return false;
        if (shift.Shift)
            m_host.Undo().CutBClick();
        else
            DeleteSelection();
        return true;
    case TvlKey::Insert:
        if (shift.Ctrl && any) {
            m_host.Undo().CopyBClick();
            return true;
        }
        if (shift.Shift && !ClipboardList.empty()) {
            m_host.Undo().PstBClick(OnPanelPos ? OnPanelPos() : QPoint());
            return true;
        }
        return false;
    case TvlKey::Enter:
        if (SelectedCount != 1)
            return false;
        if (shift.Ctrl)
            m_host.EditMemoText();
        else
            m_host.ShowObjectEditor();
        return true;
    case TvlKey::Digit:
        if (!shift.Ctrl || !any || digit < 1 || digit > 9)
            return false;
        m_host.ApplyFrameWidthText(QString::number(digit));
        return true;
    case TvlKey::F:
    case TvlKey::D:
        if (!shift.Ctrl || !any)
            return false;
        if (key == TvlKey::F)
            m_host.FrameAllEdges();
        else
            m_host.FrameNoEdges();
        return true;
    case TvlKey::Left:
    case TvlKey::Right:
    case TvlKey::Up:
    case TvlKey::Down: {
        if (!any)
            return false;
        const int dx = key == TvlKey::Left ? -1 : key == TvlKey::Right ? 1 : 0;
        const int dy = key == TvlKey::Up ? -1 : key == TvlKey::Down ? 1 : 0;
        if (shift.Ctrl)
            MoveOrSizeSelection(dx, dy, false);
        else if (shift.Shift)
            MoveOrSizeSelection(dx, dy, true);
        else if (SelectedCount == 1) {
            const TvlDirection direction = key == TvlKey::Left    ? TvlDirection::Left
                                           : key == TvlKey::Right ? TvlDirection::Right
                                           : key == TvlKey::Up    ? TvlDirection::Up
                                                                  : TvlDirection::Down;
            jump(direction, shift.Alt);
        }
        return true;
    }
    default:
        return false;
    }
}
