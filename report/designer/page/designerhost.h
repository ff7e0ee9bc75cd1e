#pragma once
// What the design page, the undo stacks and the object commands ask of the
// designer form. The form implements it; tests put a small fake in its place.
// New operations are only ever added here, never changed.
#include <QPoint>
#include <QString>

class TvlDesignerPage;
class TvlDesignerUndo;
class TvlPage;
class TvlReport;

// Undo action kinds.
enum TvlUndoKind : quint8 {
    UndoInsert = 0, // objects inserted or pasted: their ids
    UndoDelete = 1, // objects deleted or cut: clones and list positions
    UndoEdit = 2,   // objects moved, resized or changed: clones and positions
    UndoZOrder = 3, // the order changed: id and position of every object
};

// Tags of the object buttons: which tool the objects toolbar has down.
enum TvlObjectTool : int {
    toolSelect = -1,
    toolMemo = 0,
    toolPicture = 1,
    toolBand = 2,
    toolSubReport = 3,
    toolLine = 4,
    toolAddIn = 10, // 10 + the add-in's registration index
};

class TvlDesignerHost
{
public:
    virtual ~TvlDesignerHost() = default;

    // The report being designed, the page shown and its index in the report.
    virtual TvlReport *Report() const = 0;
    virtual TvlPage *Page() const = 0;
    virtual int CurPage() const = 0;
    virtual void SetCurPage(int index) = 0;
    virtual void RebuildPageTabs() = 0;
    // The design surface (null while the form has none, as in headless tests).
    virtual TvlDesignerPage *PageView() const = 0;
    // Paints the whole design page again.
    virtual void RedrawPage() = 0;

    // After every change of the selection; the enable matrix; the inspector,
    // status bar and coordinates panel; the object's title in the status bar.
    virtual void SelectionChanged() = 0;
    virtual void EnableControls() = 0;
    virtual void UpdateStatus() = 0;
    virtual void ShowObjectTitle() = 0;
    // Only the coordinates panel (during a drag).
    virtual void RepaintStatusPanel() = 0;
    // Clears the selection, enables the controls and updates the status.
    virtual void ResetSelectionUI() = 0;

    // The layout changed since it was loaded or saved (both flags of the form).
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;

    // Designer options.
    virtual int GridSize() const = 0; // never 0: 4, 8 or 18
    virtual bool ShowGrid() const = 0;
    virtual void SetShowGrid(bool show) = 0;
    virtual bool GridAlign() const = 0;
    virtual void SetGridAlign(bool align) = 0;
    virtual int Units() const = 0; // 0 pixels, 1 millimetres, 2 inches
    virtual bool EditAfterInsert() const = 0;
    virtual bool MoveContents() const = 0; // objects drawn live while dragged
    virtual bool ShowBandTitles() const = 0;

    // The objects toolbar: the tag of the button that is down (TvlObjectTool),
    // and putting a button down (toolSelect ends insert mode).
    virtual int ObjectTool() const = 0;
    virtual void SetObjectTool(int tag) = 0;

    // Editors and dialogs the page opens.
    virtual void ShowObjectEditor() = 0; // of the topmost selected object
    virtual void EditMemoText() = 0;
    virtual void PageOptions() = 0; // the page setup dialog of the shown page
    // The band type dialog; false when cancelled.
    virtual bool ChooseBandType(int &bandType) = 0;
    // Fills the page's context menu for the selection and shows it at the point.
    virtual void ShowContextMenu(const QPoint &globalPos) = 0;

    // Keys: whether one of the toolbar's edit boxes (font name and size,
    // frame width, name) has the focus, so typing there never acts on the
    // objects; the frame width typed as text and applied; all or no edges.
    virtual bool EditBoxHasFocus() const = 0;
    virtual void ApplyFrameWidthText(const QString &text) = 0;
    virtual void FrameAllEdges() = 0;
    virtual void FrameNoEdges() = 0;

    // Undo: records an entry of the selection (every object for UndoZOrder)
    // before a change; the undo and redo items and buttons follow the counts.
    virtual void AddUndoAction(int kind) = 0;
    virtual void EnableUndoControls(bool canUndo, bool canRedo) = 0;
    // The form's undo stacks and clipboard commands.
    virtual TvlDesignerUndo &Undo() = 0;
};
