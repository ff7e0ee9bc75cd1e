#pragma once
// A designer form stand-in for the page tests: a real report and undo
// stacks, every call counted, the dialogs answered by the test.
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerhost.h"
#include "report/designer/page/designerundo.h"
#include "report/vlbandview.h"
#include "report/vlpage.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"

#include <QString>
#include <QStringList>

class FakeHost : public TvlDesignerHost
{
public:
    FakeHost()
        : undo(*this)
    {
        vlResetSelectionGlobals();
        vlResetDesignerDefaults();
        ClipboardList.clear();
        report.Pages.Add();
    }
    ~FakeHost() override { ClipboardList.clear(); }

    TvlReport *Report() const override { return const_cast<TvlReport *>(&report); }
    TvlPage *Page() const override { return report.Pages.Count() ? report.Pages[curPage] : nullptr; }
    int CurPage() const override { return curPage; }
    void SetCurPage(int index) override
    {
        curPage = index;
        ++pageSets;
        vlClearSelection(Page());
    }
    void RebuildPageTabs() override { ++tabRebuilds; }
    TvlDesignerPage *PageView() const override { return pageView; }
    void RedrawPage() override { ++redraws; }
    void SelectionChanged() override { ++selectionChanges; }
    void EnableControls() override {}
    void UpdateStatus() override {}
    void ShowObjectTitle() override {}
    void RepaintStatusPanel() override {}
    void ResetSelectionUI() override { vlClearSelection(Page()); }
    bool Modified() const override { return modified; }
    void SetModified(bool value) override { modified = value; }
    int GridSize() const override { return gridSize; }
    bool ShowGrid() const override { return showGrid; }
    void SetShowGrid(bool show) override { showGrid = show; }
    bool GridAlign() const override { return gridAlign; }
    void SetGridAlign(bool align) override { gridAlign = align; }
    int Units() const override { return 0; }
    bool EditAfterInsert() const override { return editAfterInsert; }
    bool MoveContents() const override { return moveContents; }
    bool ShowBandTitles() const override { return true; }
    int ObjectTool() const override { return tool; }
    void SetObjectTool(int tag) override { tool = tag; }
    void ShowObjectEditor() override { calls << QStringLiteral("editor"); }
    void EditMemoText() override { calls << QStringLiteral("memo"); }
    void PageOptions() override { calls << QStringLiteral("page options"); }
    bool ChooseBandType(int &bandType) override
    {
        calls << QStringLiteral("band dialog");
        if (bandAnswer < 0)
            return false;
        bandType = bandAnswer;
        return true;
    }
    void ShowContextMenu(const QPoint &) override { calls << QStringLiteral("menu"); }
    bool EditBoxHasFocus() const override { return editBoxFocus; }
    void ApplyFrameWidthText(const QString &text) override { calls << QStringLiteral("width ") + text; }
    void FrameAllEdges() override { calls << QStringLiteral("all edges"); }
    void FrameNoEdges() override { calls << QStringLiteral("no edges"); }
    void AddUndoAction(int kind) override { undo.AddUndoAction(kind); }
    void EnableUndoControls(bool canUndo, bool canRedo) override
    {
        undoEnabled = canUndo;
        redoEnabled = canRedo;
    }
    TvlDesignerUndo &Undo() override { return undo; }

    // Adds a view of a type at a rectangle to the shown page.
    TvlView *add(int type, int left, int top, int width, int height, const QString &name = {})
    {
        TvlView *view = Page()->Add(vlCreateView(type));
        view->SetBounds(left, top, width, height);
        if (name.isEmpty())
            report.CreateUniqueName(*view);
        else
            view->Name = name;
        return view;
    }
    TvlView *addBand(int bandType, int top, int height)
    {
        TvlView *band = add(otBand, 0, top, Page()->PrnInfo.PageWidth, height);
        static_cast<TvlBandView *>(band)->SetBandType(bandType);
        return band;
    }
    void select(std::initializer_list<TvlView *> views)
    {
        vlClearSelection(Page());
        for (TvlView *view : views)
            view->Selected = true;
        vlCountSelected(Page());
    }
    // Names of the shown page's objects in list order.
    QStringList names() const
    {
        QStringList list;
        for (const auto &view : Page()->Objects)
            list << view->Name;
        return list;
    }

    TvlReport report;
    TvlDesignerUndo undo;
    TvlDesignerPage *pageView = nullptr;
    int curPage = 0;
    int gridSize = 8;
    bool showGrid = true;
    bool gridAlign = true;
    bool editAfterInsert = false;
    bool moveContents = true;
    bool modified = false;
    bool editBoxFocus = false;
    bool undoEnabled = false, redoEnabled = false;
    int tool = toolSelect;
    int bandAnswer = btMasterData;
    int pageSets = 0, tabRebuilds = 0, redraws = 0, selectionChanges = 0;
    QStringList calls;
};
