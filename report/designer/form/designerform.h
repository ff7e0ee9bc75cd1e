#pragma once
// The report designer: one window editing the report the engine hands it.
// A dialog around a main window whose six tool bars sit on the tool bar
// areas; the page tabs and the design page fill the middle, the status bar
// shows units, position and size, and the selected object's title.
#include "report/designer/form/designersettings.h"
#include "report/designer/form/formdialogs.h"
#include "report/vlreport.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QScrollArea;
class QTabBar;
class QToolBar;
class TvlSpeedButton;
class TvlDesignerPagePlaceholder;

// The font of new memos: "Arial", else "Arial Cyr", else the first by name.
QString vlDefaultFontName(const QStringList &fonts);

class TvlDesignerForm : public QDialog, public TvlReportDesigner
{
    Q_OBJECT

public:
    explicit TvlDesignerForm(QWidget *parent = nullptr);
    ~TvlDesignerForm() override;

    // TvlReportDesigner
    void ShowModal(TvlReport &report) override;
    void AddObjectButton(const QImage &bitmap, const QString &hint, int tag) override;
    void AddToolItem(const QString &caption, const QImage &bitmap, const std::function<void()> &onClick) override;
    void BeforeObjectChange() override;
    void AfterObjectChange() override;
    void RedrawPage() override;
    TvlPage *Page() const override { return m_page; }
    void SetPage(TvlPage *page) override { m_page = page; }
    bool Modified() const override { return m_modified; }
    void SetModified(bool modified) override { m_modified = modified; }

    // The two halves of the modal show: what showing and hiding do.
    void FormShow(TvlReport &report);
    void FormHide();
    // The save-changes question of closing; false keeps the designer open.
    bool FormCloseQuery();

    TvlReport *Report() const { return m_report; }
    int CurPage() const { return m_curPage; }
    void SetCurPage(int index);
    void RebuildPageTabs();
    QString FileName() const { return m_fileName; }
    void SetTitle(const QString &name);
    int GridSize() const { return m_settings.GridSize; }
    void SetGridSize(int value);
    bool ShowGrid() const { return m_settings.ShowGrid; }
    void SetShowGrid(bool value);
    bool GridAlign() const { return m_settings.GridAlign; }
    void SetGridAlign(bool value);
    int Units() const { return m_settings.Units; }
    void SetUnits(int value);
    bool GrayButtons() const { return m_settings.GrayButtons; }
    void SetGrayButtons(bool value);
    bool EditAfterInsert() const { return m_settings.EditAfterInsert; }
    bool MoveContents() const { return m_settings.MoveContents; }
    bool ShowBandTitles() const { return m_showBandTitles; }
    bool DialogConfirmed() const { return m_dialogConfirmed; }

    // Selection and the controls that follow it.
    int SelectionState() const;
    void EnableControls();
    void SelectionChanged();
    void UpdateStatus();
    void ShowObjectTitle();
    void ClearSelection();
    void ResetSelectionUI();
    TvlPage *CurPageObjects() const { return m_page; }
    int TopSelectedIndex() const;
    // Whether the designer's clipboard holds objects; until the clipboard is
    // part of the designer it is always empty.
    std::function<bool()> ClipboardEmpty = [] { return true; };

    // Report commands.
    void FileBtn1Click(); // new empty report
    void N23Click();      // new from a template
    void FileBtn2Click(); // open
    void FileBtn3Click(); // save
    void N20Click();      // save as
    void FileBtn4Click(); // preview
    void ExitBClick();
    void PgB1Click(); // add page
    void PgB2Click(); // delete page
    void PgB3Click(); // page options
    void N8Click();   // report options
    void N42Click();  // variables
    void N14Click();  // designer options
    void GB1Click();
    void GB2Click();
    void Pan2Click(int tag); // shows or hides a tool bar (tags 0-6)
    void HelpBtnClick();
    void N22Click(); // help contents
    void N34Click(); // about
    void InsertDBFields();

    // Whether the keyboard is typing into one of the bars' boxes (font
    // name and size, frame width): their keys act on the text then, never on
    // the selected objects.
    bool TextHasFocus() const;

    void SaveState();
    void RestoreState();

    // Tests answer the dialogs and keep the registry in a file of their own.
    void SetDialogs(TvlFormDialogs *dialogs);
    void SetRegistryFile(const QString &fileName) { m_registryFile = fileName; }
    void SetTemplateDir(const QString &dir) { m_templateDir = dir; }
    QString TemplateDir() const { return m_templateDir; }

    // A control by its component name: buttons, boxes, menu items, bars.
    QObject *Control(const QString &name) const { return m_controls.value(name); }
    bool IsControlEnabled(const QString &name) const;
    QMainWindow *Window() const { return m_window; }
    QList<QToolBar *> ToolBars() const { return m_bars; }
    QTabBar *Tabs() const { return m_tabs; }
    QMenu *ToolBarMenu() const { return m_toolBarMenu; }
    // The three status panels' texts.
    QString StatusText(int panel) const;

    // Context help: the topic shown for a control, as the help mode does.
    void ShowContextHelp(QWidget *control);
    QString LastHelpText() const { return m_lastHelpText; }

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class SaveAnswer { Go, Stop };
    // The save-changes question; closing tells whether a cancelled save
    // dialog should still stop the command.
    SaveAnswer AskSaveChanges();
    void CreateControls();
    void CreateMenus();
    QToolBar *AddBar(const QString &name, const QString &caption, Qt::ToolBarArea area);
    TvlSpeedButton *AddButton(QToolBar *bar, const QString &name, const QString &hint, int tag, int group = 0,
                              bool allowAllUp = false);
    QAction *AddItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut = {},
                     const QString &glyphOf = {});
    void Register(const QString &name, QObject *control);
    void SetControlEnabled(const QString &name, bool enabled);
    void SetButtonDown(const QString &name, bool down);
    void ConnectCommands();
    void FillFontBox();
    void PlacePage();
    void ClearUndo();
    std::unique_ptr<Registry> OpenRegistry() const;
    QToolBar *BarOfTag(int tag) const;
    void LayoutToolsBar();

    TvlReport *m_report = nullptr;
    TvlPage *m_page = nullptr;
    bool m_modified = false;
    int m_curPage = 0;
    TvlDesignerSettings m_settings;
    bool m_showBandTitles = true;
    bool m_dialogConfirmed = false;
    bool m_helpMode = false;
    QString m_fileName;
    QString m_templateDir;
    QString m_registryFile;
    QString m_lastHelpText;
    const QString m_titleBase = QStringLiteral("Editor sestav");

    TvlStandardFormDialogs m_standardDialogs;
    TvlFormDialogs *m_dialogs = &m_standardDialogs;

    QMainWindow *m_window = nullptr;
    QList<QToolBar *> m_bars;
    QHash<QString, QObject *> m_controls;
    QTabBar *m_tabs = nullptr;
    QScrollArea *m_scroll = nullptr;
    TvlDesignerPagePlaceholder *m_pageView = nullptr;
    QMenu *m_toolBarMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_popup2 = nullptr;
    QLabel *m_unitsPanel = nullptr;
    QWidget *m_pbox = nullptr;
    QLabel *m_titlePanel = nullptr;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QLineEdit *m_frameWidth = nullptr;
};
