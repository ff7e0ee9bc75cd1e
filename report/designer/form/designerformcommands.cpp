// The designer's report commands: files, pages, options, the tool bar menu
// and help.
#include "platform/messages.h"
#include "platform/paths.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/form/designerform.h"
#include "report/designer/form/pagecommands.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/page/designerundo.h"
#include "report/vltoolbuttons.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QTabBar>
#include <QToolBar>
#include <QWhatsThis>

namespace {

const QString reportFilter = QStringLiteral("Vellum formulář") + QStringLiteral(" (*.vlf)|*.vlf");

void reportError(const QString &what, const QString &error)
{
    ShowWarning(QStringLiteral("Editor sestav"), what, error);
}

} // namespace

void TvlDesignerForm::Bind(const QStringList &names, const std::function<void()> &handler)
{
    for (const QString &name : names) {
        QObject *control = Control(name);
        if (auto *button = qobject_cast<TvlSpeedButton *>(control))
            connect(button, &TvlSpeedButton::OnClick, this, handler);
        else if (auto *action = qobject_cast<QAction *>(control))
            connect(action, &QAction::triggered, this, handler);
    }
}

void TvlDesignerForm::ConnectCommands()
{
    const QList<std::pair<QStringList, void (TvlDesignerForm::*)()>> commands = {
        {{"FileBtn1"}, &TvlDesignerForm::FileBtn1Click},
        {{"N23"}, &TvlDesignerForm::N23Click},
        {{"FileBtn2", "N19"}, &TvlDesignerForm::FileBtn2Click},
        {{"FileBtn3", "N20"}, &TvlDesignerForm::FileBtn3Click},
        {{"N17"}, &TvlDesignerForm::N20Click},
        {{"FileBtn4", "N39"}, &TvlDesignerForm::FileBtn4Click},
        {{"ExitB", "N10"}, &TvlDesignerForm::ExitBClick},
        {{"PgB1", "N29", "N41"}, &TvlDesignerForm::PgB1Click},
        {{"PgB2", "N30", "N43"}, &TvlDesignerForm::PgB2Click},
        {{"PgB3", "N25", "N44"}, &TvlDesignerForm::PgB3Click},
        {{"N8"}, &TvlDesignerForm::N8Click},
        {{"N42"}, &TvlDesignerForm::N42Click},
        {{"N14"}, &TvlDesignerForm::N14Click},
        {{"GB1"}, &TvlDesignerForm::GB1Click},
        {{"GB2"}, &TvlDesignerForm::GB2Click},
        {{"HelpBtn", "N35"}, &TvlDesignerForm::HelpBtnClick},
        {{"N22"}, &TvlDesignerForm::N22Click},
        {{"N34"}, &TvlDesignerForm::N34Click},
    };
    for (const auto &[names, handler] : commands)
        Bind(names, [this, handler = handler] { (this->*handler)(); });
    // Undo and the clipboard: the page's stacks and clipboard.
    const QList<std::pair<QStringList, std::function<void()>>> pageCommands = {
        {{"UndoB", "N46"}, [this] { m_undo->Undo(); }},
        {{"RedoB", "N48"}, [this] { m_undo->Redo(); }},
        {{"CutB", "N11", "N2"}, [this] { m_undo->CutBClick(); }},
        {{"CopyB", "N12", "N1"}, [this] { m_undo->CopyBClick(); }},
        {{"PstB", "N13", "N3"}, [this] { m_undo->PstBClick(m_pageView->PanelPos()); }},
    };
    for (const auto &[names, handler] : pageCommands)
        Bind(names, handler);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            SetCurPage(index);
    });
    connect(m_tabs, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &point) { m_popup2->popup(m_tabs->mapToGlobal(point)); });
}

// --- the save-changes question -------------------------------------------------------

TvlDesignerForm::SaveAnswer TvlDesignerForm::AskSaveChanges()
{
    if (!m_modified)
        return SaveAnswer::Go;
    const QString text = QStringLiteral("Uložit změny na ") + QFileInfo(m_fileName).fileName() + QLatin1Char('?');
    switch (m_dialogs->Ask(this, text, true)) {
    case TvlFormDialogs::Cancel:
        return SaveAnswer::Stop;
    case TvlFormDialogs::No:
        return SaveAnswer::Go;
    case TvlFormDialogs::Yes:
        break;
    }
    FileBtn3Click();
    // A save dialog left without saving keeps the work and the designer.
    return m_dialogConfirmed ? SaveAnswer::Go : SaveAnswer::Stop;
}

bool TvlDesignerForm::FormCloseQuery()
{
    // A prepared page must never be saved as the report's layout; the
    // engine asks about it when the designer has closed.
    if (m_editingPrepared)
        return true;
    return AskSaveChanges() == SaveAnswer::Go;
}

void TvlDesignerForm::ExitBClick()
{
    accept();
}

// --- files -----------------------------------------------------------------------------

void TvlDesignerForm::FileBtn1Click()
{
    if (!m_report || AskSaveChanges() == SaveAnswer::Stop)
        return;
    ClearUndo();
    m_report->Pages.Clear();
    m_report->Pages.Add();
    SetCurPage(0);
    SetTitle(TvlReport::Untitled);
    m_modified = false;
}

void TvlDesignerForm::N23Click()
{
    if (!m_report || AskSaveChanges() == SaveAnswer::Stop)
        return;
    const QString name = vlChooseTemplate(TemplateDir, this);
    if (name.isEmpty())
        return;
    ClearUndo();
    QString error;
    if (!m_report->LoadTemplate(name, nullptr, nullptr, true, &error)) {
        reportError(QStringLiteral("Šablonu %1 nelze načíst.").arg(QFileInfo(name).fileName()), error);
        return;
    }
    if (m_report->Pages.Count() == 0)
        m_report->Pages.Add();
    SetTitle(TvlReport::Untitled);
    SetCurPage(0);
}

void TvlDesignerForm::FileBtn2Click()
{
    if (!m_report || AskSaveChanges() == SaveAnswer::Stop)
        return;
    const QString name = vlDialogAnswers().OpenFile(reportFilter, this, Paths::reportsFolder());
    if (name.isEmpty())
        return;
    ClearUndo();
    QString error;
    if (!m_report->LoadFromFile(name, &error)) {
        reportError(QStringLiteral("Sestavu %1 nelze otevřít.").arg(QFileInfo(name).fileName()), error);
        return;
    }
    if (m_report->Pages.Count() == 0)
        m_report->Pages.Add();
    SetTitle(name);
    m_modified = false;
    SetCurPage(0);
}

void TvlDesignerForm::FileBtn3Click()
{
    if (!m_report)
        return;
    if (m_fileName == TvlReport::Untitled || m_fileName.isEmpty()) {
        N20Click();
        return;
    }
    // A report last saved as XML stays XML: the binary layout would spoil
    // the file the user chose that kind for.
    QString error;
    const bool xml = QFileInfo(m_fileName).suffix().compare(QLatin1String("vl3"), Qt::CaseInsensitive) == 0;
    if (!(xml ? m_report->SaveToVL3File(m_fileName, &error) : m_report->SaveToFile(m_fileName, &error))) {
        m_dialogConfirmed = false;
        reportError(QStringLiteral("Sestavu nelze uložit do %1.").arg(m_fileName), error);
        return;
    }
    m_modified = false;
    m_dialogConfirmed = true;
}

void TvlDesignerForm::N20Click()
{
    m_dialogConfirmed = false;
    if (!m_report)
        return;
    const QString filter = QStringLiteral("Vellum formulář") + QStringLiteral(" (*.vlf)|*.vlf|") +
                           QStringLiteral("Vellum 3 formulář") + QStringLiteral(" (*.vl3)|*.vl3|") +
                           QStringLiteral("Vellum šablona") + QStringLiteral(" (*.vlt)|*.vlt");
    int filterIndex = 1;
    const QString chosen = m_dialogs->SaveFileName(this, filter, m_fileName, filterIndex);
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    QString error;
    switch (filterIndex) {
    case 2: {
        const QString name = base + QStringLiteral(".vl3");
        if (!m_report->SaveToVL3File(name, &error))
            return reportError(QStringLiteral("Sestavu nelze uložit do %1.").arg(name), error);
        SetTitle(name);
        m_dialogConfirmed = true;
        break;
    }
    case 3: {
        QString name = info.completeBaseName() + QStringLiteral(".vlt");
        if (!TemplateDir.isEmpty())
            name = QDir(TemplateDir).filePath(name);
        QStringList description;
        QImage icon;
        if (!vlAskTemplateDescription(description, icon, this))
            return;
        if (!m_report->SaveTemplate(name, description, icon, &error))
            return reportError(QStringLiteral("Šablonu nelze uložit do %1.").arg(name), error);
        m_dialogConfirmed = true;
        break;
    }
    default: {
        const QString name = base + QStringLiteral(".vlf");
        if (!m_report->SaveToFile(name, &error))
            return reportError(QStringLiteral("Sestavu nelze uložit do %1.").arg(name), error);
        SetTitle(name);
        m_dialogConfirmed = true;
        break;
    }
    }
}

void TvlDesignerForm::FileBtn4Click()
{
    if (!m_report || qobject_cast<TvlCompositeReport *>(m_report))
        return;
    QWidget *inspector = qobject_cast<QWidget *>(Control(QStringLiteral("Inspector")));
    const bool inspectorShown = inspector && inspector->isVisible();
    if (inspector)
        inspector->hide();
    QApplication::processEvents();
    const bool modal = m_report->ModalPreview;
    m_report->ModalPreview = true;
    m_report->ShowReport();
    m_report->ModalPreview = modal;
    if (inspector && inspectorShown)
        inspector->show();
    RedrawPage();
    SetCurPage(0);
}

// --- pages -------------------------------------------------------------------------------

void TvlDesignerForm::PgB1Click()
{
    if (!m_report)
        return;
    ClearSelection();
    const int previous = m_curPage;
    m_page = m_report->Pages.Add();
    m_curPage = m_report->Pages.Count() - 1;
    PgB3Click();
    if (!m_dialogConfirmed) {
        m_report->Pages.Delete(m_report->Pages.Count() - 1);
        SetCurPage(previous);
        return;
    }
    m_modified = true;
    SetCurPage(m_report->Pages.Count() - 1);
}

void TvlDesignerForm::PgB2Click()
{
    if (!m_report || m_dialogs->Ask(this, QStringLiteral("Odebrat tuto stranu?"), false) != TvlFormDialogs::Yes)
        return;
    if (m_curPage < m_report->Pages.Count()) {
        m_modified = true;
        ClearSelection();
        vlDeletePage(*m_report, m_curPage);
        SetCurPage(0);
    }
    ClearUndo();
}

void TvlDesignerForm::PgB3Click()
{
    m_dialogConfirmed = false;
    if (!m_page || !vlEditPageOptions(*m_page, this))
        return;
    m_modified = true;
    m_dialogConfirmed = true;
    SetCurPage(m_curPage);
}

// --- options -------------------------------------------------------------------------------

void TvlDesignerForm::N8Click()
{
    if (!m_report)
        return;
    QString error;
    if (vlEditReportOptions(*m_report, this, &error)) {
        m_modified = true;
        if (!error.isEmpty())
            reportError(QStringLiteral("Tiskárnu sestavy nelze změnit."), error);
    }
    SetCurPage(m_curPage);
}

void TvlDesignerForm::N42Click()
{
    if (m_report && ShowVariablesEditor(*m_report, this))
        m_modified = true;
}

void TvlDesignerForm::N14Click()
{
    TvlDesignerSetup options;
    options.ShowGrid = ShowGrid();
    options.GridAlign = GridAlign();
    options.GridSize = GridSize();
    options.MoveContents = MoveContents();
    options.Units = Units();
    options.GrayButtons = GrayButtons();
    options.EditAfterInsert = EditAfterInsert();
    options.ShowBandTitles = m_showBandTitles;
    if (!vlEditDesignerOptions(options, this))
        return;
    SetShowGrid(options.ShowGrid);
    SetGridAlign(options.GridAlign);
    SetGridSize(options.GridSize == 4 ? 4 : options.GridSize == 8 ? 8 : 18);
    m_settings.MoveContents = options.MoveContents;
    SetUnits(options.Units);
    SetGrayButtons(options.GrayButtons);
    m_settings.EditAfterInsert = options.EditAfterInsert;
    m_showBandTitles = options.ShowBandTitles;
    RedrawPage();
}

void TvlDesignerForm::GB1Click()
{
    if (auto *button = qobject_cast<TvlSpeedButton *>(Control(QStringLiteral("GB1"))))
        SetShowGrid(button->Down());
}

void TvlDesignerForm::GB2Click()
{
    if (auto *button = qobject_cast<TvlSpeedButton *>(Control(QStringLiteral("GB2"))))
        SetGridAlign(button->Down());
}

// --- tool bars and help ----------------------------------------------------------------------

void TvlDesignerForm::Pan2Click(int tag)
{
    if (tag == 5) {
        if (auto *inspector = qobject_cast<QWidget *>(Control(QStringLiteral("Inspector"))))
            inspector->setVisible(inspector->isHidden());
        return;
    }
    if (QToolBar *bar = BarOfTag(tag))
        SetBarShown(bar, !BarShown(bar));
}

void TvlDesignerForm::HelpBtnClick()
{
    m_helpMode = true;
    SetButtonDown(QStringLiteral("HelpBtn"), true);
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void TvlDesignerForm::N22Click()
{
    m_lastHelpText = QStringLiteral(
        "Editor sestav navrhuje tiskové sestavy: na strany se vkládají pásy (bandy) a do nich texty, obrázky, "
        "čáry a podsestavy. Nástroj nápovědy (Shift+F1) a následné klepnutí na ovládací prvek vysvětlí, k čemu "
        "prvek slouží.");
    if (isVisible())
        QWhatsThis::showText(mapToGlobal(QPoint(width() / 2, height() / 3)), m_lastHelpText, this);
}

void TvlDesignerForm::N34Click()
{
    m_dialogs->About(this);
}

bool TvlDesignerForm::EditBoxHasFocus() const
{
    QWidget *focus = QApplication::focusWidget();
    for (const QString &name : {QStringLiteral("C2"), QStringLiteral("C3"), QStringLiteral("E1")})
        if (auto *box = qobject_cast<QWidget *>(Control(name));
            box && focus && (focus == box || box->isAncestorOf(focus)))
            return true;
    return false;
}
