#pragma once
// The report designer: one window editing the report the engine hands it.
// A dialog around a main window whose six tool bars sit on the tool bar
// areas; the page tabs and the design page fill the middle, the status bar
// shows units, position and size, and the selected object's title.
#include "report/designer/form/designersettings.h"
#include "report/designer/form/formdialogs.h"
#include "report/designer/page/designerhost.h"
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
class TvlView;
class TvlDesignerPage;
class TvlDesignerUndo;
class TvlObjectCommands;
class TvlEditorForm;
class TvlInspForm;
class TColorSelector;
class TvlColorButtons;
class TvlLineStylePanel;
class TvlFloatWindow;

class TvlDesignerForm : public QDialog, public TvlReportDesigner, public TvlDesignerHost
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
    // The engine hands a page before the show only to edit a prepared page;
    // then the engine itself asks whether to keep the changes.
    void SetPage(TvlPage *page) override
    {
        m_page = page;
        m_editingPrepared = !isVisible();
    }
    bool Modified() const override { return m_modified; }
    void SetModified(bool modified) override { m_modified = modified; }

    // TvlDesignerHost
    TvlDesignerPage *PageView() const override { return m_pageView; }
    void RepaintStatusPanel() override;
    int ObjectTool() const override;
    void SetObjectTool(int tag) override;
    void ShowObjectEditor() override;
    void EditMemoText() override;
    void PageOptions() override { PgB3Click(); }
    bool ChooseBandType(int &bandType) override;
    void ShowContextMenu(const QPoint &globalPos) override;
    bool EditBoxHasFocus() const override;
    void ApplyFrameWidthText(const QString &text) override;
    void FrameAllEdges() override;
    void FrameNoEdges() override;
    void AddUndoAction(int kind) override;
    void EnableUndoControls(bool canUndo, bool canRedo) override;
    TvlDesignerUndo &Undo() override { return *m_undo; }

    // The two halves of the modal show: what showing and hiding do.
    void FormShow(TvlReport &report);
    void FormHide();
    // The save-changes question of closing; false keeps the designer open.
    bool FormCloseQuery();

    TvlReport *Report() const override { return m_report; }
    int CurPage() const override { return m_curPage; }
    void SetCurPage(int index) override;
    void RebuildPageTabs() override;
    QString FileName() const { return m_fileName; }
    void SetTitle(const QString &name);
    int GridSize() const override { return m_settings.GridSize; }
    void SetGridSize(int value);
    bool ShowGrid() const override { return m_settings.ShowGrid; }
    void SetShowGrid(bool value) override;
    bool GridAlign() const override { return m_settings.GridAlign; }
    void SetGridAlign(bool value) override;
    int Units() const override { return m_settings.Units; }
    void SetUnits(int value);
    bool GrayButtons() const { return m_settings.GrayButtons; }
    void SetGrayButtons(bool value);
    bool EditAfterInsert() const override { return m_settings.EditAfterInsert; }
    bool MoveContents() const override { return m_settings.MoveContents; }
    bool ShowBandTitles() const override { return m_showBandTitles; }
    bool DialogConfirmed() const { return m_dialogConfirmed; }

    // Selection and the controls that follow it.
    int SelectionState() const;
    void EnableControls() override;
    void SelectionChanged() override;
    void UpdateStatus() override;
    void ShowObjectTitle() override;
    void ClearSelection();
    void ResetSelectionUI() override;
    TvlPage *CurPageObjects() const { return m_page; }
    int TopSelectedIndex() const;

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

    void SaveState();
    void RestoreState();

    // Tests answer the dialogs and keep the registry in a file of their own.
    void SetDialogs(TvlFormDialogs *dialogs);
    void SetRegistryFile(const QString &fileName) { m_registryFile = fileName; }

    // A control by its component name: buttons, boxes, menu items, bars.
    QObject *Control(const QString &name) const { return m_controls.value(name); }
    bool IsControlEnabled(const QString &name) const;
    QMainWindow *Window() const { return m_window; }
    QList<QToolBar *> ToolBars() const { return m_bars; }
    QTabBar *Tabs() const { return m_tabs; }
    QMenu *ToolBarMenu() const { return m_toolBarMenu; }
    // Tool bars float in windows of their own and dock at an area again; a
    // bar's visibility is its float window's while it floats.
    TvlFloatWindow *FloatWindowOf(QToolBar *bar) const;
    void FloatBar(QToolBar *bar, QPoint topLeft);
    void DockBar(QToolBar *bar, int area);
    bool BarShown(QToolBar *bar) const;
    void SetBarShown(QToolBar *bar, bool shown);
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
    // The save-changes question: Stop for Cancel, and for Yes when nothing
    // was saved (a cancelled or failed save), closing included.
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
    // Clicks of the named buttons and menu items run the handler.
    void Bind(const QStringList &names, const std::function<void()> &handler);
    void CreatePopup();
    void CreateObjectCommands();
    // The colour buttons in the object's colours (black without one).
    void PaintColorButtons(const TvlView *view);
    void HideDropDowns();
    void Popup1Popup();
    void RunMenuOption(int index);
    void FillFontBox();
    void PlacePage();
    void ClearUndo();
    std::unique_ptr<Registry> OpenRegistry() const;
    QToolBar *BarOfTag(int tag) const;
    // A float window moved with the cursor over a dock docks its bar there.
    void DockAtCursor(QToolBar *bar, QPoint cursor);
    // Tears a bar dragged along its dock past the dock's start off into a
    // float window; true when the event was used.
    bool BarDragEvent(QToolBar *bar, QEvent *event);
    TvlBarPlaces BarPlaces();
    void LayoutToolsBar();

    TvlReport *m_report = nullptr;
    TvlPage *m_page = nullptr;
    bool m_modified = false;
    bool m_editingPrepared = false; // a prepared page, not the layout, is shown
    int m_curPage = 0;
    TvlDesignerSettings m_settings;
    bool m_showBandTitles = true;
    bool m_dialogConfirmed = false;
    bool m_helpMode = false;
    QString m_fileName;
    QString m_registryFile;
    QString m_lastHelpText;
    const QString m_titleBase = QStringLiteral("Editor sestav");

    TvlStandardFormDialogs m_standardDialogs;
    TvlFormDialogs *m_dialogs = &m_standardDialogs;

    QMainWindow *m_window = nullptr;
    QList<QToolBar *> m_bars;
    QHash<QToolBar *, TvlFloatWindow *> m_floats;
    struct BarDrag
    {
        QPointer<QToolBar> Bar; // pressed on its grip
        QPoint Press;
        int Start = 0; // its place along the dock at the press
    } m_barDrag;
    QHash<QString, QObject *> m_controls;
    QTabBar *m_tabs = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_pageBox = nullptr; // the page and the spacers beyond it
    TvlDesignerPage *m_pageView = nullptr;
    std::unique_ptr<TvlDesignerUndo> m_undo;
    QMenu *m_popup1 = nullptr;
    std::unique_ptr<TvlObjectCommands> m_objects;
    std::unique_ptr<TvlEditorForm> m_memoEditor;
    TvlInspForm *m_inspector = nullptr;
    TColorSelector *m_colorSelector = nullptr;
    std::unique_ptr<TvlColorButtons> m_colorButtons;
    TvlLineStylePanel *m_linePanel = nullptr;
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
