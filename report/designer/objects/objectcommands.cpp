#include "report/designer/objects/objectcommands.h"

#include "platform/messages.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerhost.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/page/pagegeometry.h"
#include "report/designer/properties/inspform.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlparser.h"
#include "report/vlpictureview.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"
#include "report/vlstreams.h"
#include "report/vlsubreportview.h"

namespace {

bool isAddIn(const TvlView &view)
{
    return view.ObjectType == otAddIn || view.ObjectType == otRichView;
}

} // namespace

TvlObjectCommands::TvlObjectCommands(TvlDesignerHost &host, QWidget *parent)
    : m_host(host)
    , m_parent(parent)
{
    OnError = [](const QString &message) { ShowWarning(QStringLiteral("Editor sestav"), message); };
    useStandardEditors();
}

// The designer's own dialogs.
void TvlObjectCommands::useStandardEditors()
{
    Editors.MemoEditor = [this](TvlView &view) {
        if (!m_memoEditor)
            return false;
        m_memoEditor->Object = &view;
        return m_memoEditor->ShowEditor() == QDialog::Accepted;
    };
    Editors.PictureEditor = [this](TvlPictureView &picture, const TvlUndoStep &recordUndo) {
        return vlEditPicture(
            picture, recordUndo, [this] { EditMemoText(); }, m_parent);
    };
    Editors.BandSourceEditor = [this](TvlBandView &band, const TvlUndoStep &recordUndo) {
        return vlEditBandSource(band, recordUndo, m_parent);
    };
    Editors.GroupEditor = [this](TvlBandView &band, const TvlUndoStep &recordUndo) {
        return vlEditGroupCondition(band, recordUndo, m_parent);
    };
    Editors.CrossBandEditor = [this](TvlBandView &band, const TvlUndoStep &recordUndo) {
        TvlPage *page = m_host.Page();
        return page && vlEditCrossSources(band, *page, recordUndo, m_parent);
    };
    Editors.HighlightEditor = [this](TvlMemoView &memo, const TvlUndoStep &recordUndo) {
        return vlEditHighlight(memo, recordUndo, m_parent);
    };
    Editors.InsertFields = [this]() -> std::optional<TvlInsertFieldsChoice> {
        TvlInsertFieldsAnswer answer;
        if (!vlDialogAnswers().InsertFields(answer, m_parent) || answer.DataSet.isEmpty())
            return std::nullopt;
        TvlInsertFieldsChoice choice;
        choice.DataSetName = answer.DataSet;
        choice.Fields = vlFieldsToInsert(answer.DataSet, answer.Fields);
        choice.Horizontal = answer.Horizontal;
        choice.Headers = answer.Headers;
        choice.Bands = answer.Bands;
        return choice;
    };
}

std::vector<TvlView *> TvlObjectCommands::Selected() const
{
    std::vector<TvlView *> views;
    if (TvlPage *page = m_host.Page())
        for (const auto &view : page->Objects)
            if (view->Selected)
                views.push_back(view.get());
    return views;
}

TvlView *TvlObjectCommands::TopSelected() const
{
    const std::vector<TvlView *> views = Selected();
    return views.empty() ? nullptr : views.back();
}

void TvlObjectCommands::report(const QString &message)
{
    if (OnError)
        OnError(message);
}

TvlObjectDefaults TvlObjectCommands::loadDefaults() const
{
    TvlObjectDefaults defaults;
    defaults.FrameWidth = DefaultFrameWidth;
    defaults.LineWidth = DefaultLineWidth;
    defaults.FrameSides = DefaultFrameSides;
    defaults.FontStyle = DefaultFontStyle;
    defaults.FrameColor = DefaultFrameColor;
    defaults.FillColor = DefaultFillColor;
    defaults.FontColor = DefaultFontColor;
    defaults.Adjust = DefaultAdjust;
    defaults.FontName = DefaultFontName;
    defaults.FontSize = DefaultFontSize;
    return defaults;
}

void TvlObjectCommands::storeDefaults(const TvlObjectDefaults &defaults)
{
    DefaultFrameWidth = defaults.FrameWidth;
    DefaultLineWidth = defaults.LineWidth;
    DefaultFrameSides = defaults.FrameSides;
    DefaultFontStyle = defaults.FontStyle;
    DefaultFrameColor = defaults.FrameColor;
    DefaultFillColor = defaults.FillColor;
    DefaultFontColor = defaults.FontColor;
    DefaultAdjust = defaults.Adjust;
    DefaultFontName = defaults.FontName;
    DefaultFontSize = defaults.FontSize;
}

// The selected objects drawn again over the region they covered before.
void TvlObjectCommands::redrawSelection(const QRegion &before)
{
    TvlDesignerPage *view = m_host.PageView();
    TvlPage *page = m_host.Page();
    if (!view || !page) {
        m_host.RedrawPage();
        return;
    }
    view->Draw(vlTopSelectedIndex(page), before.united(view->Editor().SelectedRegion()));
}

void TvlObjectCommands::computeGroupRect()
{
    if (TvlDesignerPage *view = m_host.PageView())
        view->ComputeGroupRect();
}

void TvlObjectCommands::arrangeBands()
{
    if (TvlPage *page = m_host.Page())
        vlArrangeBands(*page);
}

bool TvlObjectCommands::DoClick(const TvlFormatRequest &request)
{
    if (UpdatingControls)
        return false;
    if (const QString error = vlFormatRequestError(request); !error.isEmpty()) {
        report(error);
        return false;
    }
    const std::vector<TvlView *> views = Selected();
    if (views.empty())
        return false;
    m_host.AddUndoAction(UndoEdit);
    SelectionRegion = m_host.PageView() ? m_host.PageView()->Editor().SelectedRegion() : QRegion();
    TvlObjectDefaults defaults = loadDefaults();
    const bool edgesChanged = vlApplyFormat(request, views, defaults);
    storeDefaults(defaults);
    redrawSelection(SelectionRegion);
    if (edgesChanged)
        m_host.SelectionChanged();
    return true;
}

bool TvlObjectCommands::ApplyColor(int tag, TColor color)
{
    TvlFormatRequest request;
    request.Tag = tag;
    request.Color = color;
    return DoClick(request);
}

bool TvlObjectCommands::ApplyLineStyle(int tag)
{
    TvlFormatRequest request;
    request.Tag = tag;
    return DoClick(request);
}

QString TvlObjectCommands::SpinFrameWidth(const QString &e1Text, int step)
{
    const QString text = vlSpinFrameWidth(e1Text, step);
    TvlFormatRequest request;
    request.Tag = tagFrameWidth;
    request.Text = text;
    DoClick(request);
    return text;
}

void TvlObjectCommands::HlB1Click()
{
    const std::vector<TvlView *> views = Selected();
    TvlMemoView *memo = nullptr;
    for (auto it = views.rbegin(); it != views.rend() && !memo; ++it)
        memo = dynamic_cast<TvlMemoView *>(*it);
    if (memo && Editors.HighlightEditor)
        Editors.HighlightEditor(*memo, [this] { m_host.AddUndoAction(UndoEdit); });
}

void TvlObjectCommands::AttachInspector(TvlInspForm *inspector, TPropEditor *memoEditor)
{
    m_inspector = inspector;
    if (memoEditor)
        m_memoEditor = memoEditor;
    if (!inspector)
        return;
    inspector->ClearProperties();
    const auto &names = vlInspectorRowNames();
    for (int row = 0; row < irRowCount; ++row)
        inspector->AddProperty(
            names[size_t(row)],
            std::make_unique<TProp>(&m_buffers[size_t(row)], row == irMemo ? memoEditor : nullptr, row == irMemo));
    inspector->SetOnModify([this](int row, QString &text) { InspectorModify(row, text); });
    m_inspected.clear();
    FillInspector();
}

void TvlObjectCommands::FillInspector()
{
    const std::vector<TvlView *> views = Selected();
    const auto texts = vlInspectorTexts(vlInspectorValues(views), m_host.Units(), !views.empty());
    std::copy(texts.begin(), texts.end(), m_buffers.begin());
    if (!m_inspector)
        return;
    m_inspector->SetObject(views.size() == 1 ? views.front() : nullptr);
    m_inspector->SetEmpty(views.empty());
    m_inspector->SetRowEnabled(irMemo, views.size() == 1);
    // Another selection starts again at the first row; the same one keeps
    // the row and shows the new values.
    if (views != m_inspected || m_inspector->Rows().CurrentRow() < 0) {
        m_inspected = views;
        m_inspector->ItemsChanged();
    } else
        m_inspector->Refresh();
}

void TvlObjectCommands::InspectorModify(int row, QString &value)
{
    const std::vector<TvlView *> views = Selected();
    TvlPage *page = m_host.Page();
    if (views.empty() || !page)
        return;
    if (row == irMemo) { // the memo editor was confirmed
        m_host.RedrawPage();
        m_host.ShowObjectTitle();
        return;
    }
    if (row == irName) {
        TvlView *view = views.size() == 1 ? views.front() : nullptr;
        TvlReport *report = m_host.Report();
        const bool used = report ? report->FindObject(value) != nullptr : page->FindObject(value) != nullptr;
        if (view && !value.trimmed().isEmpty() && !used) {
            m_host.AddUndoAction(UndoEdit);
            view->Name = value;
            m_host.RebuildPageTabs();
            m_host.ShowObjectTitle();
        }
        FillInspector();
        value = m_buffers[irName];
        return;
    }
    if (row < irLeft || row > irVisible)
        return;
    const TvlInspectorNumber number = vlEvaluateInspectorText(value, [this](const QString &text) {
        if (TvlReport *report = m_host.Report())
            return report->Calculate(text);
        TvlParser parser;
        return parser.Calculate(text);
    });
    if (!number.Valid || ((row == irWidth || row == irHeight) && number.Value < 0)) {
        report(number.Valid ? QStringLiteral("%1 objektu nemůže být záporná (%2).")
                                  .arg(row == irWidth ? QStringLiteral("Šířka") : QStringLiteral("Výška"), value)
                            : number.Error);
        FillInspector();
        value = m_buffers[size_t(row)];
        return;
    }
    m_host.AddUndoAction(UndoEdit);
    vlApplyInspectorNumber(row, number.Value, m_host.Units(), views, page->PrnInfo.PageWidth, page->PrnInfo.PageHeight);
    FillInspector();
    value = m_buffers[size_t(row)].isEmpty() ? number.Text : m_buffers[size_t(row)];
    computeGroupRect();
    m_host.RedrawPage();
    m_host.RepaintStatusPanel();
}

void TvlObjectCommands::AlignClick(int alignment)
{
    const std::vector<TvlView *> views = Selected();
    TvlPage *page = m_host.Page();
    if (!page || int(views.size()) < vlAlignmentMinimum(alignment))
        return;
    m_host.AddUndoAction(UndoEdit);
    const TvlView *reference = PrimaryView && PrimaryView->Selected ? PrimaryView : nullptr;
    vlAlignViews(alignment, views, reference, page->PrnInfo.PageWidth, page->PrnInfo.PageHeight);
    computeGroupRect();
    m_host.RedrawPage();
    m_host.UpdateStatus();
}

void TvlObjectCommands::ZB1Click()
{
    TvlPage *page = m_host.Page();
    if (!page || Selected().empty())
        return;
    m_host.AddUndoAction(UndoZOrder);
    vlBringToFront(page->Objects);
    arrangeBands();
    m_host.RedrawPage();
}

void TvlObjectCommands::ZB2Click()
{
    TvlPage *page = m_host.Page();
    if (!page || Selected().empty())
        return;
    m_host.AddUndoAction(UndoZOrder);
    vlSendToBack(page->Objects);
    arrangeBands();
    m_host.RedrawPage();
}

void TvlObjectCommands::GB3Click()
{
    const std::vector<TvlView *> views = Selected();
    if (views.empty())
        return;
    m_host.AddUndoAction(UndoEdit);
    vlAlignToGrid(views, m_host.GridSize());
    m_host.RedrawPage();
    m_host.UpdateStatus();
    computeGroupRect();
}

void TvlObjectCommands::SelAllBClick()
{
    TvlPage *page = m_host.Page();
    if (!page)
        return;
    for (const auto &view : page->Objects)
        view->Selected = true;
    SelectedCount = page->Count();
    if (SelectedCount == 1)
        PrimaryView = page->Object(0);
    computeGroupRect();
    m_host.RedrawPage();
    m_host.SelectionChanged();
}

void TvlObjectCommands::N5Click()
{
    if (Selected().empty())
        return;
    if (TvlDesignerPage *view = m_host.PageView())
        view->DeleteSelection();
}

void TvlObjectCommands::ShowObjectEditor()
{
    TvlView *view = TopSelected();
    if (!view)
        return;
    const TvlUndoStep recordUndo = [this] { m_host.AddUndoAction(UndoEdit); };
    bool changed = false;
    if (view->ObjectType == otMemo)
        EditMemoText();
    else if (auto *picture = dynamic_cast<TvlPictureView *>(view)) {
        changed = Editors.PictureEditor && Editors.PictureEditor(*picture, recordUndo);
    } else if (auto *band = dynamic_cast<TvlBandView *>(view)) {
        std::function<bool(TvlBandView &, const TvlUndoStep &)> editor;
        switch (band->GetBandType()) {
        case btMasterData:
        case btDetailData:
        case btSubDetailData:
            editor = Editors.BandSourceEditor;
            break;
        case btGroupHeader:
            editor = Editors.GroupEditor;
            break;
        case btCrossData:
            editor = Editors.CrossBandEditor;
            break;
        default:
            if (TvlDesignerPage *page = m_host.PageView())
                page->Editor().IgnoreNextDown = false;
            break;
        }
        changed = editor && editor(*band, recordUndo);
    } else if (auto *subReport = dynamic_cast<TvlSubReportView *>(view)) {
        m_host.SetCurPage(subReport->PageIndex);
        return;
    } else if (isAddIn(*view)) {
        const auto &addIns = vlAddIns();
        const auto info = std::find_if(addIns.begin(), addIns.end(), [view](const TvlAddInObjectInfo &entry) {
            return entry.ClassName == view->ClassName();
        });
        if (info != addIns.end() && info->EditorForm) {
            std::unique_ptr<TvlObjEditorForm> form = info->EditorForm(nullptr);
            form->ShowEditor(view);
            changed = true;
        } else
            EditMemoText();
    }
    if (changed)
        m_host.RedrawPage();
    m_host.ShowObjectTitle();
    m_host.UpdateStatus();
}

void TvlObjectCommands::EditMemoText()
{
    TvlView *view = TopSelected();
    if (!view || !Editors.MemoEditor)
        return;
    const QRegion before = m_host.PageView() ? m_host.PageView()->Editor().SelectedRegion() : QRegion();
    if (Editors.MemoEditor(*view))
        redrawSelection(before);
}

void TvlObjectCommands::InsertDBFields()
{
    TvlPage *page = m_host.Page();
    if (!page || !Editors.InsertFields)
        return;
    const std::optional<TvlInsertFieldsChoice> choice = Editors.InsertFields();
    if (!choice || choice->Fields.empty())
        return;
    vlClearSelection(page);
    const TvlObjectDefaults defaults = loadDefaults();
    TvlFieldsPlace place;
    place.LeftOffset = page->LeftOffset();
    place.TopOffset = page->TopOffset();
    place.PrintableWidth = page->RightEdge() - page->LeftOffset();
    place.PageWidth = page->PrnInfo.PageWidth;
    place.GridSize = m_host.GridSize();
    place.MemoSize = vlDefaultMemoSize(place.GridSize, defaults.FontSize);
    place.HasPageHeader = std::any_of(page->Objects.begin(), page->Objects.end(), [](const auto &view) {
        return view->ObjectType == otBand && static_cast<TvlBandView *>(view.get())->GetBandType() == btPageHeader;
    });
    place.TextWidth = [&defaults](const QString &text, bool bold) {
        return vlMemoTextWidth(text, defaults.FontName, defaults.FontSize, bold);
    };
    TvlReport *report = m_host.Report();
    const auto taken = [report, page](const QString &name) {
        return report ? report->FindObject(name) != nullptr : page->FindObject(name) != nullptr;
    };
    const std::vector<TvlView *> made = vlCreateFieldViews(*page, vlLayoutFields(*choice, place), defaults, taken);
    SelectedCount = int(made.size());
    PrimaryView = made.size() == 1 ? made.front() : nullptr;
    m_host.SelectionChanged();
    arrangeBands();
    computeGroupRect();
    m_host.RedrawPage();
    m_host.AddUndoAction(UndoInsert);
}
