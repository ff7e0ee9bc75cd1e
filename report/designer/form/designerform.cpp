#include "report/designer/form/designerform.h"

#include "platform/registry.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/form/coordinatespanel.h"
#include "report/designer/form/designerhelp.h"
#include "report/designer/form/floatwindow.h"
#include "report/designer/form/fontchoice.h"
#include "report/designer/form/pagecommands.h"
#include "report/designer/form/selectionstate.h"
#include "report/designer/objects/colorbuttons.h"
#include "report/designer/objects/objectcommands.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/page/designerundo.h"
#include "report/designer/properties/inspform.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlregistry.h"
#include "report/vltoolbuttons.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QWhatsThis>

TvlDesignerForm::TvlDesignerForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("vlDesignerForm"));
    setWindowTitle(m_titleBase);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    m_undo = std::make_unique<TvlDesignerUndo>(*this);
    CreateControls();
    CreateMenus();
    ConnectCommands();
    CreateObjectCommands();
    static_cast<TvlCoordinatesPanel *>(m_pbox)->Source = [this] {
        TvlCoordinatesPanel::Content c;
        c.Units = Units();
        if (ShowDragRectInStatus) {
            c.Shown = true;
            c.Rect = DragRect.Normalized().ToQRect();
        } else if (m_page && vlSelectedCount(m_page) == 1) {
            for (const auto &view : m_page->Objects)
                if (view->Selected) {
                    c.Shown = true;
                    c.Rect = QRect(view->Left, view->Top, view->Width, view->Height);
                    if (auto *picture = dynamic_cast<const TvlPictureView *>(view.get());
                        picture && !picture->Picture.IsEmpty())
                        c.Percent = vlPicturePercent(c.Rect.size(), picture->Picture.Size());
                }
        }
        if (m_pageView->Editor().GroupResizing())
            c.Percent = vlGroupPercent(QSize(DragRect.Width(), DragRect.Height()),
                                       QSize(DragRectStart.Width(), DragRectStart.Height()));
        return c;
    };
    // Every add-in object already registered gets its button; the tools
    // follow, the designer's own first.
    const QList<TvlAddInObjectInfo> &addIns = vlAddIns();
    for (int i = 0; i < addIns.size(); ++i)
        AddObjectButton(addIns[i].ButtonBmp, addIns[i].ButtonHint, int(i) + 10);
    for (const TvlToolsInfo &tool : vlDesignerTools())
        AddToolItem(tool.Caption, tool.ButtonBmp, tool.OnClick);
    LayoutToolsBar();
    qApp->installEventFilter(this);
    // Wide enough for the tool bars in their rows where the screen allows.
    int width = sizeHint().width();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width());
    resize(std::max(1000, width), 720);
}

TvlDesignerForm::~TvlDesignerForm()
{
    qApp->removeEventFilter(this);
}

void TvlDesignerForm::SetDialogs(TvlFormDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : &m_standardDialogs;
}

std::unique_ptr<Registry> TvlDesignerForm::OpenRegistry() const
{
    return std::make_unique<Registry>(m_registryFile);
}

bool TvlDesignerForm::IsControlEnabled(const QString &name) const
{
    QObject *control = Control(name);
    if (auto *widget = qobject_cast<QWidget *>(control))
        return widget->isEnabled();
    if (auto *action = qobject_cast<QAction *>(control))
        return action->isEnabled();
    return false;
}

void TvlDesignerForm::SetControlEnabled(const QString &name, bool enabled)
{
    QObject *control = Control(name);
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setEnabled(enabled);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setEnabled(enabled);
}

void TvlDesignerForm::SetButtonDown(const QString &name, bool down)
{
    if (auto *button = qobject_cast<TvlSpeedButton *>(Control(name))) {
        if (!down && button->Down() && !button->AllowAllUp()) {
            // A group button goes up only by another of its group going down.
            button->SetAllowAllUp(true);
            button->SetDown(false);
            button->SetAllowAllUp(false);
        } else {
            button->SetDown(down);
        }
    }
}

// --- showing and hiding -----------------------------------------------------------

void TvlDesignerForm::ShowModal(TvlReport &report)
{
    FormShow(report);
    exec();
    FormHide();
}

void TvlDesignerForm::FormShow(TvlReport &report)
{
    m_report = &report;
    if (report.Pages.Count() == 0)
        report.Pages.Add();
    for (const char *name : {"FileBtn1", "N23", "OB3", "OB5"})
        SetControlEnabled(QString::fromLatin1(name), true);
    const bool composite = qobject_cast<TvlCompositeReport *>(&report) != nullptr;
    SetControlEnabled(QStringLiteral("FileBtn4"), !composite);
    SetControlEnabled(QStringLiteral("N39"), !composite);
    ClearUndo();
    m_modified = false;
    vlResetSelectionGlobals();
    FillFontBox();
    SetCurPage(0);
    SetTitle(report.FileName);
    ClearSelection();
    m_pageView->ResetMouseState();
    EnableControls();
    SetButtonDown(QStringLiteral("OB1"), true);
    PaintColorButtons(nullptr);
    HideDropDowns();
    m_memoEditor->Report = &report;
    UpdateStatus();
    RestoreState();
    PlacePage();
}

void TvlDesignerForm::FormHide()
{
    m_editingPrepared = false;
    ClearUndo();
    SaveState();
    m_inspector->hide();
    // The float windows come back with the next showing, as they were saved.
    for (QWidget *window : std::as_const(m_floats))
        window->hide();
    HideDropDowns();
    if (m_report)
        m_report->FileName = m_fileName;
}

void TvlDesignerForm::done(int result)
{
    if (!FormCloseQuery())
        return;
    QDialog::done(result);
}

void TvlDesignerForm::FillFontBox()
{
    // Names as layouts keep them: without the foundry Qt adds to a family
    // that more than one foundry makes ("C059 [UKWN]").
    QStringList families;
    m_fontName->clear();
    for (const QString &family : QFontDatabase::families()) {
        const QString name = vlFontFamilyName(family);
        if (families.contains(name))
            continue;
        families << name;
        m_fontName->addItem(name, QFontDatabase::isScalable(family) ? 4 : 0);
    }
    DefaultFontName = vlChooseDefaultFontName(families);
    DefaultFontSize = 10;
    m_fontName->setCurrentIndex(m_fontName->findText(DefaultFontName));
    m_fontSize->setEditText(QStringLiteral("10"));
}

void TvlDesignerForm::PlacePage()
{
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
    if (!m_page)
        return;
    m_pageView->PlacePage(m_scroll->viewport()->width());
    // The spacers: the scroll box reaches one pixel beyond the page.
    const QRect page = m_pageView->geometry();
    m_pageBox->resize(std::max(page.right() + 11, m_scroll->viewport()->width()),
                      std::max(page.bottom() + 11, m_scroll->viewport()->height()));
    m_pageView->Draw();
}

void TvlDesignerForm::ClearUndo()
{
    m_undo->ClearUndoBuffer();
    m_undo->ClearRedoBuffer();
}

// --- pages, title, settings ---------------------------------------------------------

void TvlDesignerForm::SetCurPage(int index)
{
    if (!m_report || m_report->Pages.Count() == 0)
        return;
    index = std::clamp(index, 0, m_report->Pages.Count() - 1);
    m_curPage = index;
    m_page = m_report->Pages[index];
    PlacePage();
    RebuildPageTabs();
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(index);
    ResetSelectionUI();
    m_pageView->ArrangeBands();
    m_pageView->Draw();
}

void TvlDesignerForm::RebuildPageTabs()
{
    if (!m_report)
        return;
    const QStringList texts = vlPageTabTexts(*m_report);
    const QSignalBlocker block(m_tabs);
    if (m_tabs->count() != texts.size()) {
        while (m_tabs->count() > 0)
            m_tabs->removeTab(0);
        for (const QString &text : texts)
            m_tabs->addTab(text);
    } else {
        for (int i = 0; i < texts.size(); ++i)
            if (m_tabs->tabText(i) != texts[i])
                m_tabs->setTabText(i, texts[i]);
    }
    // Tabs added while the designer is hidden leave the bar at no height
    // until its layout learns of them.
    m_tabs->updateGeometry();
}

void TvlDesignerForm::SetTitle(const QString &name)
{
    m_fileName = name;
    setWindowTitle(m_titleBase + QStringLiteral(" - ") + QFileInfo(name).fileName());
}

void TvlDesignerForm::SetGridSize(int value)
{
    if (value != 4 && value != 8 && value != 18)
        value = 4;
    if (value == m_settings.GridSize)
        return;
    m_settings.GridSize = value;
    RedrawPage();
}

void TvlDesignerForm::SetShowGrid(bool value)
{
    SetButtonDown(QStringLiteral("GB1"), value);
    if (value == m_settings.ShowGrid)
        return;
    m_settings.ShowGrid = value;
    RedrawPage();
}

void TvlDesignerForm::SetGridAlign(bool value)
{
    m_settings.GridAlign = value;
    SetButtonDown(QStringLiteral("GB2"), value);
}

void TvlDesignerForm::SetUnits(int value)
{
    m_settings.Units = std::clamp(value, 0, 2);
    static const char *names[] = {"Pixely", "MM", "Palce"};
    m_unitsPanel->setText(QString::fromLatin1(names[m_settings.Units]));
    UpdateStatus();
}

void TvlDesignerForm::SetGrayButtons(bool value)
{
    m_settings.GrayButtons = value;
    for (QToolBar *bar : std::as_const(m_bars))
        for (TvlSpeedButton *button : bar->findChildren<TvlSpeedButton *>())
            button->SetGrayedInactive(value);
}

void TvlDesignerForm::SaveState()
{
    std::unique_ptr<Registry> registry = OpenRegistry();
    m_settings.Save(*registry, objectName());
    vlSaveToolbarPositions(*registry, *m_window, m_bars, BarPlaces());
    vlSaveFormPosition(*registry, *m_inspector);
}

void TvlDesignerForm::RestoreState()
{
    std::unique_ptr<Registry> registry = OpenRegistry();
    TvlDesignerSettings settings;
    settings.Restore(*registry, objectName());
    m_settings.MoveContents = settings.MoveContents;
    m_settings.EditAfterInsert = settings.EditAfterInsert;
    SetGridSize(settings.GridSize);
    m_settings.ShowGrid = !settings.ShowGrid;
    SetShowGrid(settings.ShowGrid);
    SetGridAlign(settings.GridAlign);
    SetUnits(settings.Units);
    SetGrayButtons(settings.GrayButtons);
    vlRestoreToolbarPositions(*registry, *m_window, m_bars, BarPlaces());
    vlRestoreFormPosition(*registry, *m_inspector);
    LayoutToolsBar();
}

// --- the engine's calls -------------------------------------------------------------

void TvlDesignerForm::BeforeObjectChange()
{
    AddUndoAction(UndoEdit);
}

void TvlDesignerForm::AfterObjectChange()
{
    RedrawPage();
}

void TvlDesignerForm::RedrawPage()
{
    if (m_pageView)
        m_pageView->Draw();
}

void TvlDesignerForm::AddUndoAction(int kind)
{
    m_undo->AddUndoAction(kind);
    m_modified = true;
}

void TvlDesignerForm::EnableUndoControls(bool canUndo, bool canRedo)
{
    SetControlEnabled(QStringLiteral("UndoB"), canUndo);
    SetControlEnabled(QStringLiteral("N46"), canUndo);
    SetControlEnabled(QStringLiteral("RedoB"), canRedo);
    SetControlEnabled(QStringLiteral("N48"), canRedo);
}

void TvlDesignerForm::RepaintStatusPanel()
{
    m_pbox->update();
}

int TvlDesignerForm::ObjectTool() const
{
    auto *bar = qobject_cast<QToolBar *>(Control(QStringLiteral("Panel4")));
    for (TvlSpeedButton *button : bar->findChildren<TvlSpeedButton *>())
        if (button->Down())
            return button->property("Tag").toInt();
    return toolSelect;
}

void TvlDesignerForm::SetObjectTool(int tag)
{
    auto *bar = qobject_cast<QToolBar *>(Control(QStringLiteral("Panel4")));
    for (TvlSpeedButton *button : bar->findChildren<TvlSpeedButton *>())
        if (button->property("Tag").toInt() == tag)
            button->SetDown(true);
}

// --- selection ------------------------------------------------------------------------

int TvlDesignerForm::SelectionState() const
{
    return vlSelectionState(m_page, ClipboardList.empty());
}

void TvlDesignerForm::EnableControls()
{
    const QHash<QString, bool> enabled = vlEnabledControls(SelectionState());
    for (auto it = enabled.constBegin(); it != enabled.constEnd(); ++it)
        SetControlEnabled(it.key(), it.value());
    if (!m_fontName->isEnabled()) {
        m_fontName->setCurrentIndex(-1);
        m_fontSize->setEditText(QString());
    }
    m_window->statusBar()->update();
    m_pbox->update();
}

void TvlDesignerForm::SelectionChanged()
{
    UpdatingControls = true;
    HideDropDowns();
    EnableControls();
    TvlView *one = nullptr;
    const int count = vlSelectedCount(m_page);
    if (count == 1)
        for (const auto &view : m_page->Objects)
            if (view->Selected)
                one = view.get();
    const QSignalBlocker blockName(m_fontName), blockSize(m_fontSize), blockWidth(m_frameWidth);
    if (one && one->ObjectType != otBand) {
        SetButtonDown(QStringLiteral("FrB1"), one->FrameTyp & frTop);
        SetButtonDown(QStringLiteral("FrB2"), one->FrameTyp & frLeft);
        SetButtonDown(QStringLiteral("FrB3"), one->FrameTyp & frBottom);
        SetButtonDown(QStringLiteral("FrB4"), one->FrameTyp & frRight);
        m_frameWidth->setText(vlFrameWidthText(one->FrameWidth));
        PaintColorButtons(one);
        if (one->ObjectType == otMemo) {
            auto *memo = static_cast<TvlMemoView *>(one);
            if (m_fontName->currentText() != memo->FontName) {
                // A font this system lacks is still the memo's font: it is listed
                // so the box shows it rather than nothing.
                int index = m_fontName->findText(memo->FontName);
                if (index < 0 && !memo->FontName.isEmpty()) {
                    m_fontName->addItem(memo->FontName, 0);
                    index = m_fontName->count() - 1;
                }
                m_fontName->setCurrentIndex(index);
            }
            if (m_fontSize->currentText() != QString::number(memo->FontSize))
                m_fontSize->setEditText(QString::number(memo->FontSize));
            SetButtonDown(QStringLiteral("FnB1"), memo->FontStyle.testFlag(fsBold));
            SetButtonDown(QStringLiteral("FnB2"), memo->FontStyle.testFlag(fsItalic));
            SetButtonDown(QStringLiteral("FnB3"), memo->FontStyle.testFlag(fsUnderline));
            SetButtonDown(QStringLiteral("AlB4"), memo->Adjust & 4);
            const int vertical = memo->Adjust & 24;
            SetButtonDown(vertical == 8    ? QStringLiteral("AlB5")
                          : vertical == 16 ? QStringLiteral("AlB7")
                                           : QStringLiteral("AlB6"),
                          true);
            static const char *horizontal[] = {"AlB1", "AlB2", "AlB3", "AlB8"};
            SetButtonDown(QString::fromLatin1(horizontal[memo->Adjust & 3]), true);
        }
    } else if (count > 1) {
        for (const char *name : {"FrB1", "FrB2", "FrB3", "FrB4", "FnB1", "FnB2", "FnB3", "AlB4"})
            SetButtonDown(QString::fromLatin1(name), false);
        m_frameWidth->setText(QStringLiteral("1"));
        TvlColorButtons::Paint(qobject_cast<TvlSpeedButton *>(Control(QStringLiteral("ClB1"))), ccFill, 0);
        m_fontName->setCurrentIndex(-1);
        m_fontSize->setEditText(QString());
        SetButtonDown(QStringLiteral("AlB1"), true);
        SetButtonDown(QStringLiteral("AlB5"), false);
    }
    UpdatingControls = false;
    UpdateStatus();
    ShowObjectTitle();
    if (QWidget *focus = focusWidget(); focus && focus != m_pageView)
        m_pageView->setFocus();
}

void TvlDesignerForm::UpdateStatus()
{
    m_objects->FillInspector();
    m_window->statusBar()->update();
    m_pbox->update();
}

void TvlDesignerForm::ShowObjectTitle()
{
    QString title;
    if (vlSelectedCount(m_page) == 1)
        for (const auto &view : m_page->Objects)
            if (view->Selected) {
                if (view->ObjectType == otBand)
                    title = view->Name + QStringLiteral(": ") +
                            vlBandName(static_cast<TvlBandView *>(view.get())->GetBandType());
                else if (!view->Memo.isEmpty())
                    title = view->Name + QStringLiteral(": ") + view->Memo.constFirst();
            }
    m_titlePanel->setText(title);
}

void TvlDesignerForm::ClearSelection()
{
    vlClearSelection(m_page);
}

void TvlDesignerForm::ResetSelectionUI()
{
    ClearSelection();
    EnableControls();
    UpdateStatus();
    ShowObjectTitle();
}

int TvlDesignerForm::TopSelectedIndex() const
{
    return vlTopSelectedIndex(m_page);
}

QString TvlDesignerForm::StatusText(int panel) const
{
    switch (panel) {
    case 0:
        return m_unitsPanel->text();
    case 1:
        return static_cast<TvlCoordinatesPanel *>(m_pbox)->Texts().join(QLatin1Char(' ')).trimmed();
    default:
        return m_titlePanel->text();
    }
}

// --- keys of the edit boxes and the help mode -----------------------------------------

namespace {

bool isTextEditingKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier)
        return event->key() == Qt::Key_Delete;
    if (modifiers != Qt::ControlModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Z:
    case Qt::Key_Y:
    case Qt::Key_X:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_A:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TvlDesignerForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_scroll && watched == m_scroll->viewport())
        PlacePage();
    // A hint shown as a status message would hide the three status panels;
    // hints show as tool tips.
    if (event->type() == QEvent::StatusTip && watched == m_window)
        return true;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
        event->type() == QEvent::MouseButtonRelease)
        if (auto *bar = qobject_cast<QToolBar *>(watched); bar && m_bars.contains(bar) && BarDragEvent(bar, event))
            return true;
    if (m_helpMode && event->type() == QEvent::MouseButtonPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == this || isAncestorOf(widget) || widget->window() == this)) {
            m_helpMode = false;
            SetButtonDown(QStringLiteral("HelpBtn"), false);
            QApplication::restoreOverrideCursor();
            if (widget != Control(QStringLiteral("HelpBtn")))
                ShowContextHelp(widget);
            return true;
        }
    }
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    QWidget *modal = QApplication::activeModalWidget();
    if (key && isVisible() && (!modal || modal == this)) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            if (EditBoxHasFocus()) {
                // The keys that edit a box's text are its own; the menus' other
                // keys (save, open, preview, help) still act.
                if (event->type() == QEvent::ShortcutOverride && isTextEditingKey(static_cast<QKeyEvent *>(event)))
                    event->accept();
                return false;
            }
            if (event->type() == QEvent::KeyPress && m_pageView->FormKeyDown(static_cast<QKeyEvent *>(event)))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TvlDesignerForm::ShowContextHelp(QWidget *control)
{
    QWidget *tagged = control;
    while (tagged && !tagged->property("Tag").isValid() && tagged != this)
        tagged = tagged->parentWidget();
    if (!tagged || tagged == this)
        return;
    const bool objectsBar = tagged->parentWidget() == Control(QStringLiteral("Panel4"));
    const int context = vlHelpContext(tagged->property("Tag").toInt(), objectsBar);
    m_lastHelpText = vlHelpText(context, tagged->toolTip());
    if (isVisible())
        QWhatsThis::showText(tagged->mapToGlobal(QPoint(tagged->width() / 2, tagged->height())), m_lastHelpText,
                             tagged);
}
