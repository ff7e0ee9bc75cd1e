#pragma once
// The program's main window: three pages over the data module's lists
// (items, sale, documents), the status panel the data module writes, the
// search panels, the main menu, the pop-up menu shared by the six grids and
// the action list the menus, buttons, double clicks and drops run.
//
// The window is built in tarmilform.cpp, its grids in tarmilgrids.cpp, menus
// and actions in tarmilmenu.cpp, page switching, searching, dragging and
// closing in tarmilnavigation.cpp. The actions' handlers live in the
// actions_*.cpp files (their checks and flows) and in screens_*.cpp (one
// file per area whose screens the actions open); see actions_common.cpp.
#include "app/main/flagrules.h"
#include "data/dm.h"
#include "data/dmscreens.h"
#include "kit/dbgrid.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class TComboEdit;
class TFormStorage;
class TForm_HledatDoklad;
class TForm_HledatPolozku;
class TKxSplitter;
class TNotebook;
class TSearchEdit;
class TForm_Tarmil;
namespace Db {
class DataSource;
}

// What the sale dialog hands back.
struct TSaleChoice
{
    int kind = 0; // 0 "Účtenka za hotové", 1 "Faktura/Dodací list", 2 "Dodací list"
    QString customer;
    int discount = 0;
    bool print = true;
    bool copy = false;
    bool cashVoucher = false;
    QString note;
};

// Tells the main window when it becomes active again after another window
// of the program (a dialog, a message) was shown over it, and only then:
// switching to another application and back is no activation.
class ProgramWindowWatch : public QObject
{
    Q_OBJECT
public:
    explicit ProgramWindowWatch(TForm_Tarmil *form);
    ~ProgramWindowWatch() override;
    // The windows shown so far don't count (the window's first show).
    void Forget() { m_otherShown = false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void comeBack();
    TForm_Tarmil *m_form;
    bool m_otherShown = false;
};

class TForm_Tarmil : public QMainWindow, public TDMScreens
{
    Q_OBJECT
public:
    explicit TForm_Tarmil(QWidget *parent = nullptr);
    ~TForm_Tarmil() override;

    // Binds the data sources to the data module's lists and makes them the
    // masters of its detail lists. The window is made before the data
    // module; this runs when the module exists (at the latest on show).
    void ConnectDataModule();

    // ---- components
    TNotebook *Notebook;
    TKxDBGrid *KxDBGrid_Polozka, *KxDBGrid_PolozkaHistorie, *KxDBGrid_PolozkaProdej, *KxDBGrid_Prodej, *KxDBGrid_Doklad,
        *KxDBGrid_ProdejHistorie;
    Db::DataSource *DataSource_Polozka, *DataSource_PolozkaHistorie, *DataSource_Prodej, *DataSource_Doklad,
        *DataSource_DokladDetail;
    TKxSplitter *KxSplitter_Polozka, *KxSplitter_Prodej, *KxSplitter_Doklad;
    QPushButton *Button_PolozkaNova, *Button_PolozkaEditace, *Button_PolozkaOdebrat, *Button_Import,
        *Button_PolozkaTisk, *Button_ProdejPridat, *Button_ProdejOdebrat, *Button_ProdejProdat, *Button_DokladTisk,
        *Button_DokladStorno, *Button_DokladStatistiky, *Button_DokladPrehled;
    QWidget *Panel_Status;
    QLabel *Label_Pokladna_, *Label_Sklad_, *Label_Doklady_, *Label_Zisk_, *Label_Prodeje_, *Label_Prodej_Status_;
    QWidget *Panel_PolozkaHledat;
    TSearchEdit *SearchEdit_Oznaceni, *SearchEdit_Kod;
    TComboEdit *ComboEdit_Kategorie;
    QWidget *Panel_DokladHledat;
    TSearchEdit *SearchEdit_Doklad;
    QCheckBox *CheckBox_Doklad;
    QMenu *PopupMenu;
    TFormStorage *FormStorage;

    // ---- the action list
    QList<QAction *> ActionList;
    QAction *Action_VybratSklad, *Action_Hledat, *Action_VybratKategorii, *Action_Filtr, *Action_Obnovit, *Action_SQL,
        *Action_Pokladna_Historie, *Action_Pokladna_Vklad_Vyber, *Action_PolozkaNova, *Action_PolozkaEditace,
        *Action_PolozkaOdebrat, *Action_Import, *Action_PolozkaTisk, *Action_ProdejPridat, *Action_ProdejEditovat,
        *Action_ProdejOdebrat, *Action_ProdejProdat, *Action_DokladTisk, *Action_DokladPokladni, *Action_DokladStorno,
        *Action_DokladParovy, *Action_DokladPrehled, *Action_DokladStatistiky, *Action_Obchod, *Action_Sestavy,
        *Action_OznaceniDokladu, *Action_Dph, *Action_Jednotky, *Action_Sklady, *Action_Kategorie, *Action_Kontakty,
        *Action_Uzivatele, *Action_Zaloha, *Action_Databaze, *Action_OProgramu;
    // Menu items of their own: "Konec", the three page menus' keys, the
    // pop-up menu's items.
    QAction *MenuItem_Konec, *MenuItem_Polozky, *MenuItem_Prodej, *MenuItem_Doklady;
    QMenu *Menu_Polozky, *Menu_Prodej, *Menu_Doklady;
    QMenu *PopupItem_Sloupce;
    QAction *PopupItem_VsechnySloupce, *PopupItem_RowSelect, *PopupItem_RowLines, *PopupItem_ColLines,
        *PopupItem_MultiSelect, *PopupItem_Export;

    // ---- handlers of the frame
    void FormShow();
    void FormActivate();
    void NotebookPageChanged();
    void MenuItem_PageClick(int page);
    void MenuItem_KonecClick();
    void PlaceSaleButtons();
    void KxDBGridTitleBtnClick(TKxDBGrid *grid, Db::Field *field);
    void KxDBGridGetBtnParams(TKxDBGrid *grid, Db::Field *field, TKxDBGrid::TSortMarker &marker, QColor &background);
    void KxDBGridPolozkaGetCellParams(TKxDBGrid *grid, Db::Field *field, TKxCellFont &font, QColor &background,
                                      bool highlight);
    void KxDBGridDokladGetCellParams(TKxDBGrid *grid, Db::Field *field, TKxCellFont &font, QColor &background,
                                     bool highlight);
    void KxDBGridKeyPress(TKxDBGrid *grid, QChar &key);
    void KxDBGridEnter(TKxDBGrid *grid);
    void KxDBGridExit(TKxDBGrid *grid);
    void KxDBGridDblClick(TKxDBGrid *grid);
    void PopupMenuPopup();
    void SearchEditEnter(TSearchEdit *edit);
    void SearchEditExit(TSearchEdit *edit);
    void SearchEdit_OznaceniChange();
    void SearchEdit_KodChange();
    void SearchEdit_DokladChange();
    void DataSource_PolozkaDataChange();
    void DataSource_DokladDataChange();
    void ComboEdit_KategorieChange();
    void ComboEdit_KategorieEnter();
    void ComboEdit_KategorieKeyEnter();
    // A row of one grid dropped on another: items on the basket add, basket
    // rows on the items remove; anything else does nothing.
    void GridDragDrop(TKxDBGrid *target, TKxDBGrid *source);
    // The closing sequence; the window closes after it whatever happens.
    void FormClose();

    // ---- the 35 actions
    void Action_VybratSkladExecute();
    void Action_HledatExecute();
    void Action_VybratKategoriiExecute();
    void Action_FiltrExecute();
    void Action_ObnovitExecute();
    void Action_SQLExecute();
    void Action_Pokladna_HistorieExecute();
    void Action_Pokladna_Vklad_VyberExecute();
    void Action_PolozkaNovaExecute();
    void Action_PolozkaEditaceExecute();
    void Action_PolozkaOdebratExecute();
    void Action_ImportExecute();
    void Action_PolozkaTiskExecute();
    void Action_ProdejPridatExecute();
    void Action_ProdejEditovatExecute();
    void Action_ProdejOdebratExecute();
    void Action_ProdejProdatExecute();
    void Action_DokladTiskExecute();
    void Action_DokladPokladniExecute();
    void Action_DokladStornoExecute();
    void Action_DokladParovyExecute();
    void Action_DokladPrehledExecute();
    void Action_DokladStatistikyExecute();
    void Action_ObchodExecute();
    void Action_SestavyExecute();
    void Action_OznaceniDokladuExecute();
    void Action_DphExecute();
    void Action_JednotkyExecute();
    void Action_SkladyExecute();
    void Action_KategorieExecute();
    void Action_KontaktyExecute();
    void Action_UzivateleExecute();
    void Action_ZalohaExecute();
    void Action_DatabazeExecute();
    void Action_OProgramuExecute();

    // ---- what the data module writes and prints through
    void SetSummaryLabel(TSummaryLabel label, const QString &text) override;
    std::unique_ptr<TDMPreview> CreatePreview() override;
    void sessionRenewed() override;

    // ---- screens the actions open (screens_*.cpp); tests replace them.
    // The sale dialog; false when cancelled.
    virtual bool ShowSaleDialog(TSaleChoice &choice);
    // The discount and quantity dialog for the current basket row; false when cancelled.
    virtual bool ShowDiscountQuantityDialog(int &discount, double &quantity);
    // The cash deposit or withdrawal dialog: the amount as entered (negative
    // for a withdrawal); false when cancelled.
    virtual bool ShowCashDialog(Currency &amount);
    // The item card for a new item or the current one: it writes the item on
    // "&Ok" through the write given and stays open while that fails (the
    // write tells why); false when cancelled.
    virtual bool ShowNewItemDialog(const std::function<bool(const TDMItem &)> &write);
    // The edit's write also gets what the card read.
    virtual bool ShowEditItemDialog(int itemId,
                                    const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write);
    // The store choice; false when cancelled.
    virtual bool ShowStoreDialog(QString &storeName);
    // The category picker opened on a category; false when cancelled.
    virtual bool ShowCategoryDialog(int &categoryId);
    // The import dialog: whether the existing items go; false when cancelled.
    virtual bool ShowImportDialog(bool &removeExisting);
    // Imports the items of the sheet the import dialog chose.
    virtual void ImportFromExcel(bool removeExisting);
    // The item or document search dialog with a typed character, or none.
    virtual void ShowSearchDialog(bool documents, std::optional<QChar> typed);
    // The grid export dialog and the export.
    virtual void ShowExportDialog(TKxDBGrid *grid);
    // The backup on exit: whether it is asked for and into which folder.
    virtual bool BackupOnExit(QString &folder) const;
    // The settings' flag rules and sale preview.
    virtual TFlagSettings FlagSettings() const;
    virtual bool PreviewBeforePrint() const;
    // The start-up log's line.
    virtual void WriteLogLine(const QString &line);
    // The program's full title.
    virtual QString ApplicationTitle() const;

    // ---- checks the actions share (actions_common.cpp)
    // Shows the denial and returns false without the right.
    bool CheckRight(int right, const QString &heading);
    // Shows the empty-list notice and returns false when the list has no rows.
    bool CheckNotEmpty(TMSSQLADOQuery *list, const QString &heading);
    // The item and document search edits' mismatch checks.
    bool CheckItemSearch();
    bool CheckDocumentSearch();
    // The current row's integer, text and number of a list's column.
    static int IntegerOf(TMSSQLADOQuery *list, const QString &column);
    static QString TextOf(TMSSQLADOQuery *list, const QString &column);
    static double NumberOf(TMSSQLADOQuery *list, const QString &column);
    // Actions whose screens are not built yet: shown disabled. Each area's
    // screens file lists its own.
    QList<QAction *> PendingScreens() const;
    QList<QAction *> PendingSaleScreens() const;
    QList<QAction *> PendingCatalogueScreens() const;
    QList<QAction *> PendingSearchScreens() const;
    QList<QAction *> PendingAdminScreens() const;
    QList<QAction *> PendingSettingsScreens() const;
    QList<QAction *> PendingSpreadsheetScreens() const;
    QList<QAction *> PendingPrintingScreens() const;
    // Shows a failed write: the heading of every transaction, what did not
    // happen, the server's text.
    void ReportWriteFailure(const QString &what);
    // The item grid of the page shown (the sale page's, else the items page's).
    TKxDBGrid *ItemGrid() const;
    // The grid that opened the pop-up menu last.
    TKxDBGrid *PopupGrid() const { return m_popupGrid; }
    // The page whose focus the stored value names, by page.
    QString StoredActiveControl(int page) const;
    void StoreActiveControl();
    // Sets the window's caption for the current page and store.
    void UpdateCaption();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool keypadPlus(QEvent *event);
    void createPages();
    void createItemsPage(QWidget *page);
    void createSalePage(QWidget *page);
    void createDocumentsPage(QWidget *page);
    void createSearchPanels(QWidget *parent);
    void createStatusPanel(QWidget *parent);
    void createGrids();
    void setupGrid(TKxDBGrid *grid, TMSSQLADOQuery *query, const QString &key);
    void createActions();
    void createMenus();
    void createGridPopupMenu();
    void createStorage();
    void bindButton(QPushButton *button, QAction *action);
    QPushButton *actionButton(QWidget *parent, const QString &name, const QString &caption, QAction *action);
    void gridPage(QWidget *page, TKxDBGrid *upper, TKxSplitter *&splitter, const QString &splitterName,
                  const QString &labelName, const QString &caption, TKxDBGrid *lower,
                  const QList<QPushButton *> &buttons);
    void setShortcutPair(QAction *enter, QAction *del);
    void clearShortcutPair();
    void focusStoredControl();
    void startDrag(TKxDBGrid *grid);
    // The basket edit loop for the basket's current row.
    void editBasketRow();
    void sellBasket(const TSaleChoice &choice);
    void applyCategoryPath(int categoryId);
    std::vector<Db::Bookmark> selectedItemRows();
    // The data module's lists are open (after the login).
    bool listsOpen() const;
    TKxDBGrid *gridOf(QObject *object) const;

    QList<TKxDBGrid *> m_grids;
    QPointer<TKxDBGrid> m_popupGrid;
    // The search dialogs live as long as the window, so "next" and the found
    // texts last between openings.
    TForm_HledatPolozku *m_itemSearch = nullptr;
    TForm_HledatDoklad *m_documentSearch = nullptr;
    // The search dialog about to open from a key typed into a grid.
    class TForm_Hledat *m_typingInto = nullptr;
    // The workbook the import dialog chose.
    QString m_importFile;
    QList<QAction *> m_enterDelActions;
    QPoint m_pressPoint;
    QPointer<TKxDBGrid> m_pressGrid;
    bool m_shown = false;
    bool m_connected = false;
    bool m_closing = false;
    QString m_storeName; // the title's store as last read
    class ProgramWindowWatch *m_windowWatch = nullptr;
};
