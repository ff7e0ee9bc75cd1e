#pragma once
// The designer's undo and redo stacks (100 entries each) and its own
// clipboard of object copies. Entries refer to objects by id and list
// position on the page they were made on; on another page they do nothing.
// A sub-report deleted by the user, by cut or by undoing its insertion takes
// the page it shows with it (when no other sub-report shows that page); the
// entry keeps the page, so undoing brings it back.
#include "report/designer/page/designerhost.h"
#include "report/vlpage.h"

#include <QPoint>
#include <array>
#include <memory>
#include <vector>

class TvlReport;
class TvlView;

// A design page taken out of the report, with everything it holds.
struct TvlDetachedPage
{
    int Index = 0; // its place in the report's pages
    qint32 PaperSize = 0, PaperWidth = 0, PaperHeight = 0;
    TvlMargins Margins;
    TPrinterOrientation Orientation = poPortrait;
    quint16 PrintOnPreviousPage = 0, UseMargins = 0;
    qint32 Columns = 1, ColumnWidth = 0, ColumnGap = 0;
    TvlPrnInfo PrnInfo;
    std::vector<std::unique_ptr<TvlView>> Objects;
};

// Takes out the pages the removed sub-reports showed when no sub-report left
// in the report shows them (never the page shown, never the last page), with
// the pages the sub-reports on those show in turn; renumbers the other
// sub-reports. Returned in the order taken, each index as it was then.
std::vector<TvlDetachedPage> vlRemoveSubReportPages(TvlReport &report, std::vector<int> pageIndexes, int curPage);
// Puts pages back (in reverse order of taking) and renumbers the sub-reports.
void vlRestoreSubReportPages(TvlReport &report, std::vector<TvlDetachedPage> &pages);

class TvlDesignerUndo
{
public:
    static constexpr int Capacity = 100;

    struct Record
    {
        qint32 ViewId = 0;
        std::unique_ptr<TvlView> Clone; // kinds 1 and 2
        TvlView *Live = nullptr;        // kind 3 while applied
        int Position = 0;
    };
    struct Entry
    {
        int Kind = UndoInsert;
        int PageIndex = 0;
        std::vector<Record> Records;
        std::vector<TvlDetachedPage> Pages; // pages taken out with deleted sub-reports
    };
    struct Item
    {
        TvlView *View = nullptr;
        int Position = 0;
    };
    enum Stack { UndoStack = 0, RedoStack = 1 };

    explicit TvlDesignerUndo(TvlDesignerHost &host);
    ~TvlDesignerUndo();

    // An entry of the selection (every object for UndoZOrder); empties redo.
    void AddUndoAction(int kind);
    void AddAction(Stack stack, int kind, const std::vector<Item> &items);
    // Undoes the top entry of a stack, pushing its inverse on the other one.
    void UndoFrom(Stack stack);
    void Undo() { UndoFrom(UndoStack); }
    void Redo() { UndoFrom(RedoStack); }
    void ClearUndoBuffer();
    void ClearRedoBuffer();
    int Count(Stack stack) const { return int(m_stacks[stack].size()); }
    const Entry &Top(Stack stack) const { return m_stacks[stack].back(); }

    // Deletes the selected objects of the shown page after recording a
    // delete entry; sub-reports take their pages along.
    void DeleteSelected();

    // --- the clipboard ---
    void CopyToClipboard();
    // Records a delete entry, copies, then removes the selected objects.
    void CutBClick();
    void CopyBClick();
    // panelPos: where the page's top left lies in the scroll box (negative
    // when scrolled), so pasted objects land in sight.
    void PstBClick(QPoint panelPos = {});
    bool BandTypeExists(int bandType) const;

private:
    void enableControls();
    // Removes the selected views, and the pages of removed sub-reports into entry.
    void removeSelected(Entry &entry);
    void removePagesOf(const std::vector<int> &pageIndexes, Entry &entry);
    void restorePages(Entry &entry);
    void shiftPageIndexes(int from, int delta, int removed);
    void computeGroupRect();
    std::unique_ptr<TvlView> cloneOf(const TvlView &view, bool keepId) const;

    TvlDesignerHost &m_host;
    std::array<std::vector<Entry>, 2> m_stacks;
};
