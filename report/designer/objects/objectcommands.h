#pragma once
// The designer's commands on the selected objects, one entry point per
// toolbar button or menu item: formatting (the text and frame toolbars),
// highlight, the inspector's rows, the alignment toolbar, z-order, align to
// grid, select all, delete, the object editors and "Vložit DB položky".
// Each records its undo entry before it changes anything. The form wires
// its controls to these and hands in the dialogs through TvlObjectEditors.
#include "report/designer/objects/arrange.h"
#include "report/designer/objects/formattags.h"
#include "report/designer/objects/insertfields.h"
#include "report/designer/objects/propertyvalues.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QWidget;
class TvlBandView;
class TvlDesignerHost;
class TvlInspForm;
class TvlMemoView;
class TvlPictureView;
class TPropEditor;
class TvlView;

// The dialogs the commands open; each returns true when confirmed. The
// editors that change an object call recordUndo first. By default they are
// the designer's own dialogs; tests put answers in their place.
using TvlUndoStep = std::function<void()>;
struct TvlObjectEditors
{
    std::function<bool(TvlView &memo)> MemoEditor; // the memo and script editor
    std::function<bool(TvlPictureView &picture, const TvlUndoStep &recordUndo)> PictureEditor;
    std::function<bool(TvlBandView &band, const TvlUndoStep &recordUndo)> BandSourceEditor; // data bands
    std::function<bool(TvlBandView &band, const TvlUndoStep &recordUndo)> GroupEditor;      // group header
    std::function<bool(TvlBandView &band, const TvlUndoStep &recordUndo)> CrossBandEditor;  // cross data
    std::function<bool(TvlMemoView &memo, const TvlUndoStep &recordUndo)> HighlightEditor;
    std::function<std::optional<TvlInsertFieldsChoice>()> InsertFields;
};

class TvlObjectCommands
{
public:
    // parent: the window the dialogs belong to.
    explicit TvlObjectCommands(TvlDesignerHost &host, QWidget *parent = nullptr);

    TvlObjectEditors Editors;
    // The memo editor the "Memo" row and the memo objects open.
    void SetMemoEditor(TPropEditor *memoEditor) { m_memoEditor = memoEditor; }
    // Shows a refused input; a warning window by default.
    std::function<void(const QString &message)> OnError;

    // The selected views of the shown page in list order, and the topmost.
    std::vector<TvlView *> Selected() const;
    TvlView *TopSelected() const;

    // --- text and frame toolbars ---
    // The formatting handler (DoClick): false when nothing changed, with the
    // reason reported for a refused number or name.
    bool DoClick(const TvlFormatRequest &request);
    // A colour picked for a colour button (its Tag: 5 fill, 17 font, 19
    // frame) or a line style chosen on the line-style panel (Tags 25-30).
    bool ApplyColor(int tag, TColor color);
    bool ApplyLineStyle(int tag);
    // The frame width spin (SB1Click up, SB2Click down): the new text of E1,
    // applied at once.
    QString SpinFrameWidth(const QString &e1Text, int step);
    // Highlight (HlB1Click) of the topmost selected memo.
    void HlB1Click();

    // --- inspector ---
    // Registers the seven rows on this object's buffers ("Memo" with the
    // memo editor, which becomes the commands' memo editor too) and takes
    // the inspector's edits.
    void AttachInspector(TvlInspForm *inspector, TPropEditor *memoEditor);
    // Fills the buffers from the selection (UpdateStatus); another selection
    // than the last one makes the inspector start again at its first row.
    void FillInspector();
    // An accepted edit of a row: applied to the selection; value shows the result.
    void InspectorModify(int row, QString &value);
    const std::array<QString, irRowCount> &InspectorBuffers() const { return m_buffers; }

    // --- alignment toolbar (Align1Click ... Align10Click) ---
    void AlignClick(int alignment);
    // --- standard toolbar ---
    void ZB1Click();     // bring to front
    void ZB2Click();     // send to back
    void GB3Click();     // align to grid
    void SelAllBClick(); // select all
    void N5Click();      // delete
    void N6Click() { ShowObjectEditor(); }

    // --- editors ---
    void ShowObjectEditor();
    void EditMemoText();
    // The tool "Vložit DB položky".
    void InsertDBFields();

private:
    void redrawSelection(const QRegion &before);
    void computeGroupRect();
    void arrangeBands();
    void report(const QString &message);
    void useStandardEditors();
    TvlObjectDefaults loadDefaults() const;
    static void storeDefaults(const TvlObjectDefaults &defaults);

    TvlDesignerHost &m_host;
    QWidget *m_parent;
    TPropEditor *m_memoEditor = nullptr;
    TvlInspForm *m_inspector = nullptr;
    std::vector<TvlView *> m_inspected; // the selection the inspector shows
    std::array<QString, irRowCount> m_buffers;
};
