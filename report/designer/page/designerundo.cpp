#include "report/designer/page/designerundo.h"

#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/page/pagegeometry.h"
#include "report/vlbandview.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"
#include "report/vlsubreportview.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

void swapContents(TvlPage &a, TvlDetachedPage &b)
{
    std::swap(a.PaperSize, b.PaperSize);
    std::swap(a.PaperWidth, b.PaperWidth);
    std::swap(a.PaperHeight, b.PaperHeight);
    std::swap(a.Margins, b.Margins);
    std::swap(a.Orientation, b.Orientation);
    std::swap(a.PrintOnPreviousPage, b.PrintOnPreviousPage);
    std::swap(a.UseMargins, b.UseMargins);
    std::swap(a.Columns, b.Columns);
    std::swap(a.ColumnWidth, b.ColumnWidth);
    std::swap(a.ColumnGap, b.ColumnGap);
    std::swap(a.PrnInfo, b.PrnInfo);
    std::swap(a.Objects, b.Objects);
}

void swapContents(TvlPage &a, TvlPage &b)
{
    TvlDetachedPage middle;
    swapContents(a, middle);
    swapContents(b, middle);
    swapContents(a, middle);
}

// Every sub-report of the report's pages.
template <typename F>
void forEachSubReport(TvlReport &report, F f)
{
    for (int i = 0; i < report.Pages.Count(); ++i)
        for (const auto &view : report.Pages[i]->Objects)
            if (auto *sub = dynamic_cast<TvlSubReportView *>(view.get()))
                f(*sub);
}

} // namespace

std::vector<TvlDetachedPage> vlRemoveSubReportPages(TvlReport &report, std::vector<int> pageIndexes, int curPage)
{
    // Pages still to look at, kept in the numbering of the moment; a page
    // taken out brings the pages its own sub-reports show.
    std::vector<TvlDetachedPage> taken;
    while (!pageIndexes.empty()) {
        const auto highest = std::max_element(pageIndexes.begin(), pageIndexes.end());
        const int index = *highest;
        pageIndexes.erase(highest);
        if (index < 0 || index >= report.Pages.Count() || index == curPage || report.Pages.Count() < 2)
            continue;
        bool shown = false;
        forEachSubReport(report, [&](TvlSubReportView &sub) { shown = shown || sub.PageIndex == index; });
        if (shown)
            continue;
        TvlDetachedPage page;
        page.Index = index;
        swapContents(*report.Pages[index], page);
        report.Pages.Delete(index);
        for (const auto &view : page.Objects)
            if (auto *sub = dynamic_cast<TvlSubReportView *>(view.get()))
                pageIndexes.push_back(sub->PageIndex);
        forEachSubReport(report, [&](TvlSubReportView &sub) {
            if (sub.PageIndex > index)
                --sub.PageIndex;
        });
        std::erase(pageIndexes, index);
        for (int &pending : pageIndexes)
            if (pending > index)
                --pending;
        if (index < curPage)
            --curPage;
        taken.push_back(std::move(page));
    }
    return taken;
}

void vlRestoreSubReportPages(TvlReport &report, std::vector<TvlDetachedPage> &pages)
{
    for (auto page = pages.rbegin(); page != pages.rend(); ++page) {
        const int index = std::clamp(page->Index, 0, report.Pages.Count());
        forEachSubReport(report, [&](TvlSubReportView &sub) {
            if (sub.PageIndex >= index)
                ++sub.PageIndex;
        });
        report.Pages.Add();
        for (int i = report.Pages.Count() - 1; i > index; --i)
            swapContents(*report.Pages[i], *report.Pages[i - 1]);
        swapContents(*report.Pages[index], *page);
    }
    pages.clear();
}

TvlDesignerUndo::TvlDesignerUndo(TvlDesignerHost &host)
    : m_host(host)
{}

TvlDesignerUndo::~TvlDesignerUndo() = default;

std::unique_ptr<TvlView> TvlDesignerUndo::cloneOf(const TvlView &view, bool keepId) const
{
    std::unique_ptr<TvlView> clone;
    try {
        clone = vlCreateView(view.ObjectType, view.ClassName());
    } catch (const EClassNotFound &) {
        return nullptr;
    }
    if (!clone)
        return nullptr;
    clone->Assign(view);
    if (keepId)
        clone->ObjectId = view.ObjectId;
    return clone;
}

void TvlDesignerUndo::enableControls()
{
    m_host.EnableUndoControls(!m_stacks[UndoStack].empty(), !m_stacks[RedoStack].empty());
}

void TvlDesignerUndo::ClearUndoBuffer()
{
    m_stacks[UndoStack].clear();
    enableControls();
}

void TvlDesignerUndo::ClearRedoBuffer()
{
    m_stacks[RedoStack].clear();
    enableControls();
}

void TvlDesignerUndo::AddUndoAction(int kind)
{
    ClearRedoBuffer();
    std::vector<Item> items;
    if (TvlPage *page = m_host.Page())
        for (int i = 0; i < page->Count(); ++i)
            if (kind == UndoZOrder || page->Object(i)->Selected)
                items.push_back({page->Object(i), i});
    AddAction(UndoStack, kind, items);
}

void TvlDesignerUndo::AddAction(Stack stack, int kind, const std::vector<Item> &items)
{
    std::vector<Entry> &entries = m_stacks[stack];
    if (entries.size() >= size_t(Capacity))
        entries.erase(entries.begin());
    Entry entry;
    entry.Kind = kind;
    entry.PageIndex = m_host.CurPage();
    for (const Item &item : items) {
        Record record;
        record.ViewId = item.View->ObjectId;
        record.Position = item.Position;
        if (kind == UndoDelete || kind == UndoEdit) {
            record.Clone = cloneOf(*item.View, true);
            if (!record.Clone)
                continue;
        }
        entry.Records.push_back(std::move(record));
    }
    entries.push_back(std::move(entry));
    enableControls();
    m_host.SetModified(true);
}

void TvlDesignerUndo::shiftPageIndexes(int from, int delta, int removed)
{
    for (auto &entries : m_stacks)
        for (Entry &entry : entries) {
            if (removed >= 0 && entry.PageIndex == removed)
                entry.PageIndex = -1; // its page is gone: the entry does nothing
            else if (entry.PageIndex >= from)
                entry.PageIndex += delta;
        }
}

void TvlDesignerUndo::removePagesOf(const std::vector<int> &pageIndexes, Entry &entry)
{
    TvlReport *report = m_host.Report();
    if (!report || pageIndexes.empty())
        return;
    const int curPage = m_host.CurPage();
    std::vector<TvlDetachedPage> taken = vlRemoveSubReportPages(*report, pageIndexes, curPage);
    int newCurPage = curPage;
    for (const TvlDetachedPage &page : taken) {
        shiftPageIndexes(page.Index + 1, -1, page.Index);
        if (page.Index < newCurPage)
            --newCurPage;
    }
    for (auto &page : taken)
        entry.Pages.push_back(std::move(page));
    if (newCurPage != curPage)
        m_host.SetCurPage(newCurPage);
    if (!taken.empty())
        m_host.RebuildPageTabs();
}

void TvlDesignerUndo::restorePages(Entry &entry)
{
    TvlReport *report = m_host.Report();
    if (!report || entry.Pages.empty())
        return;
    const int curPage = m_host.CurPage();
    int newCurPage = curPage;
    for (auto page = entry.Pages.rbegin(); page != entry.Pages.rend(); ++page) {
        shiftPageIndexes(page->Index, 1, -1);
        if (page->Index <= newCurPage)
            ++newCurPage;
    }
    vlRestoreSubReportPages(*report, entry.Pages);
    if (newCurPage != curPage)
        m_host.SetCurPage(newCurPage);
    m_host.RebuildPageTabs();
}

void TvlDesignerUndo::removeSelected(Entry &entry)
{
    TvlPage *page = m_host.Page();
    std::vector<int> subPages;
    for (int i = page->Count() - 1; i >= 0; --i) {
        const TvlView *view = page->Object(i);
        if (!view->Selected)
            continue;
        if (auto *sub = dynamic_cast<const TvlSubReportView *>(view))
            subPages.push_back(sub->PageIndex);
        if (view == PrimaryView)
            PrimaryView = nullptr;
        page->Delete(i);
    }
    SelectedCount = 0;
    removePagesOf(subPages, entry);
}

void TvlDesignerUndo::DeleteSelected()
{
    if (!m_host.Page())
        return;
    AddUndoAction(UndoDelete);
    removeSelected(m_stacks[UndoStack].back());
    PrimaryView = nullptr;
}

void TvlDesignerUndo::computeGroupRect()
{
    if (TvlDesignerPage *view = m_host.PageView())
        view->Editor().ComputeGroupRect();
}

void TvlDesignerUndo::UndoFrom(Stack stack)
{
    std::vector<Entry> &entries = m_stacks[stack];
    TvlPage *page = m_host.Page();
    if (entries.empty() || !page || entries.back().PageIndex != m_host.CurPage())
        return;
    Entry entry = std::move(entries.back());
    entries.pop_back();

    // The inverse, made of the state before this entry is applied.
    int inverseKind = entry.Kind;
    std::vector<Item> items;
    for (Record &record : entry.Records) {
        switch (entry.Kind) {
        case UndoInsert: {
            const int position = page->FindObjectByID(record.ViewId);
            if (position >= 0)
                items.push_back({page->Object(position), position});
            inverseKind = UndoDelete;
            break;
        }
        case UndoDelete:
            if (record.Clone)
                items.push_back({record.Clone.get(), record.Position});
            inverseKind = UndoInsert;
            break;
        case UndoEdit:
            if (record.Position >= 0 && record.Position < page->Count())
                items.push_back({page->Object(record.Position), record.Position});
            break;
        case UndoZOrder: {
            const int position = page->FindObjectByID(record.ViewId);
            record.Live = position >= 0 ? page->Object(position) : nullptr;
            if (record.Live)
                items.push_back({record.Live, position});
            break;
        }
        }
    }
    const Stack other = stack == UndoStack ? RedoStack : UndoStack;
    AddAction(other, inverseKind, items);
    Entry &inverse = m_stacks[other].back();

    switch (entry.Kind) {
    case UndoInsert: {
        std::vector<int> subPages;
        for (const Record &record : entry.Records) {
            const int position = page->FindObjectByID(record.ViewId);
            if (position < 0)
                continue;
            if (auto *sub = dynamic_cast<const TvlSubReportView *>(page->Object(position)))
                subPages.push_back(sub->PageIndex);
            if (page->Object(position) == PrimaryView)
                PrimaryView = nullptr;
            page->Delete(position);
        }
        removePagesOf(subPages, inverse);
        break;
    }
    case UndoDelete:
        restorePages(entry);
        page = m_host.Page();
        for (Record &record : entry.Records) {
            if (!record.Clone)
                continue;
            const int position = std::clamp(record.Position, 0, page->Count());
            page->Objects.insert(page->Objects.begin() + position, std::move(record.Clone));
        }
        break;
    case UndoEdit:
        for (const Record &record : entry.Records)
            if (record.Clone && record.Position >= 0 && record.Position < page->Count())
                page->Object(record.Position)->Assign(*record.Clone);
        break;
    case UndoZOrder: {
        std::vector<std::unique_ptr<TvlView>> old = std::move(page->Objects);
        std::vector<std::unique_ptr<TvlView>> order(old.size());
        for (const Record &record : entry.Records) {
            if (!record.Live || record.Position < 0 || record.Position >= int(order.size()) || order[record.Position])
                continue;
            const auto found = std::find_if(old.begin(), old.end(),
                                            [&](const std::unique_ptr<TvlView> &v) { return v.get() == record.Live; });
            if (found != old.end())
                order[record.Position] = std::move(*found);
        }
        auto rest = old.begin();
        for (auto &slot : order) {
            if (slot)
                continue;
            while (rest != old.end() && !*rest)
                ++rest;
            if (rest != old.end())
                slot = std::move(*rest++);
        }
        order.erase(std::remove(order.begin(), order.end(), nullptr), order.end());
        for (; rest != old.end(); ++rest)
            if (*rest)
                order.push_back(std::move(*rest));
        page->Objects = std::move(order);
        break;
    }
    }

    m_host.ResetSelectionUI();
    vlClearSelection(m_host.Page());
    computeGroupRect();
    m_host.RedrawPage();
    enableControls();
}

// --- the clipboard -----------------------------------------------------------

void TvlDesignerUndo::CopyToClipboard()
{
    // The copies go with the application object, before the program's statics.
    static const bool cleared = [] {
        qAddPostRoutine([] { ClipboardList.clear(); });
        return true;
    }();
    (void)cleared;
    ClipboardList.clear();
    if (TvlPage *page = m_host.Page())
        for (const auto &view : page->Objects)
            if (view->Selected)
                if (auto clone = cloneOf(*view, false))
                    ClipboardList.push_back(std::move(clone));
}

void TvlDesignerUndo::CutBClick()
{
    if (!m_host.Page())
        return;
    AddUndoAction(UndoDelete);
    CopyToClipboard();
    removeSelected(m_stacks[UndoStack].back());
    PrimaryView = nullptr;
    m_host.RebuildPageTabs();
    computeGroupRect();
    m_host.EnableControls();
    m_host.UpdateStatus();
    m_host.RedrawPage();
}

void TvlDesignerUndo::CopyBClick()
{
    CopyToClipboard();
    m_host.EnableControls();
}

bool TvlDesignerUndo::BandTypeExists(int bandType) const
{
    if (const TvlPage *page = m_host.Page())
        for (const auto &view : page->Objects)
            if (view->ObjectType == otBand && view->FrameTyp == bandType)
                return true;
    return false;
}

void TvlDesignerUndo::PstBClick(QPoint panelPos)
{
    TvlPage *page = m_host.Page();
    if (!page)
        return;
    vlClearSelection(page);
    int minX = 32767, minY = 32767;
    for (const auto &view : ClipboardList) {
        minX = std::min(minX, view->Left);
        minY = std::min(minY, view->Top);
    }
    const int grid = vlSafeGridSize(m_host.GridSize());
    const int shiftX = panelPos.x() < 0 ? -panelPos.x() / grid * grid : 0;
    const int shiftY = panelPos.y() < 0 ? -panelPos.y() / grid * grid : 0;
    const TvlReport *report = m_host.Report();
    for (const auto &view : ClipboardList) {
        if (view->ObjectType == otBand) {
            const int type = view->FrameTyp;
            const bool always =
                (type >= btMasterHeader && type <= btSubDetailFooter) || type == btGroupHeader || type == btGroupFooter;
            if (!always && BandTypeExists(type))
                continue;
        }
        view->Left = view->Left - minX + shiftX;
        view->Top = view->Top - minY + shiftY;
        std::unique_ptr<TvlView> clone = cloneOf(*view, false);
        if (!clone)
            continue;
        clone->Selected = true;
        ++SelectedCount;
        if (report && report->FindObject(clone->Name))
            report->CreateUniqueName(*clone);
        else if (!report && page->FindObject(clone->Name))
            clone->CreateUniqueName([page](const QString &name) { return page->FindObject(name) != nullptr; });
        page->Add(std::move(clone));
    }
    m_host.SelectionChanged();
    vlArrangeBands(*page);
    computeGroupRect();
    m_host.RedrawPage();
    AddUndoAction(UndoInsert);
}
