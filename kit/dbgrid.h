#pragma once
// The data-aware grid every list of the program stands on: a table view of a
// data source's dataset with title buttons that report clicks and show the
// sort marker the form chooses, cell colouring events, rows marked by their
// keys, the indicator column, the wheel moving the record, and the column
// layout kept in the form storage's INI file. With dgEditing a cell's text
// can be edited in place and is written back through the dataset; the grid
// never sorts, appends or deletes: the screens do that through the data
// module's procedures.
#include "kit/dbgridcolumns.h"
#include "kit/formplacement.h"
#include "kit/gridmarks.h"
#include "kit/gridrowvalues.h"
#include "kit/kxtypes.h"

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <functional>

namespace Db {
class DataSource;
class Dataset;
class Field;
} // namespace Db

class TKxDBGridModel;
class TKxDBGridTitles;
class TKxDBGridIndicator;
class TKxDBGridDelegate;
class TKxDBGridFrozen;

class TKxDBGrid : public QTableView, public TKxLoadable
{
    Q_OBJECT
public:
    enum TDBGridOption {
        dgEditing = 0x1,
        dgAlwaysShowEditor = 0x2,
        dgTitles = 0x4,
        dgIndicator = 0x8,
        dgColumnResize = 0x10,
        dgColLines = 0x20,
        dgRowLines = 0x40,
        dgTabs = 0x80,
        dgRowSelect = 0x100,
        dgAlwaysShowSelection = 0x200,
        dgConfirmDelete = 0x400,
        dgCancelOnExit = 0x800,
        dgMultiSelect = 0x1000
    };
    Q_DECLARE_FLAGS(TDBGridOptions, TDBGridOption)
    Q_FLAG(TDBGridOptions)
    enum TSortMarker { smNone, smDown, smUp };
    Q_ENUM(TSortMarker)

private:
    Q_PROPERTY(TDBGridOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(bool TitleButtons READ TitleButtons WRITE SetTitleButtons)
    Q_PROPERTY(bool ShowGlyphs READ ShowGlyphs WRITE SetShowGlyphs)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool ClearSelection READ ClearSelection WRITE SetClearSelection)
    Q_PROPERTY(bool AutoAppend READ AutoAppend WRITE SetAutoAppend)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int RowsHeight READ RowsHeight WRITE SetRowsHeight)
    Q_PROPERTY(int Height READ height WRITE setHeight)

public:
    using TCheckTitleBtnEvent = std::function<void(TKxDBGrid *Sender, int ACol, Db::Field *Field, bool &Enabled)>;
    using TTitleClickEvent = std::function<void(TKxDBGrid *Sender, int ACol, Db::Field *Field)>;
    using TGetBtnParamsEvent = std::function<void(TKxDBGrid *Sender, Db::Field *Field, TKxCellFont &AFont,
                                                  QColor &Background, TSortMarker &SortMarker, bool IsDown)>;
    using TGetCellParamsEvent = std::function<void(TKxDBGrid *Sender, Db::Field *Field, TKxCellFont &AFont,
                                                   QColor &Background, bool Highlight)>;
    using TGetCellPropsEvent =
        std::function<void(TKxDBGrid *Sender, Db::Field *Field, TKxCellFont &AFont, QColor &Background)>;
    using TKeyEvent = std::function<void(TKxDBGrid *Sender, int &Key, Qt::KeyboardModifiers Shift)>;
    using TKeyPressEvent = std::function<void(TKxDBGrid *Sender, QChar &Key)>;
    using TWheelEvent =
        std::function<void(TKxDBGrid *Sender, Qt::KeyboardModifiers Shift, QPoint MousePos, bool &Handled)>;
    using TNotifyEvent = std::function<void(TKxDBGrid *Sender)>;
    using TDBEditShowEvent = std::function<void(TKxDBGrid *Sender, Db::Field *Field, bool &AllowEdit)>;
    // X and Y in the grid's own coordinates, as GridCellAtMouse takes them.
    using TMouseEvent =
        std::function<void(TKxDBGrid *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos)>;

    explicit TKxDBGrid(QWidget *parent = nullptr);
    ~TKxDBGrid() override;

    Db::DataSource *DataSource() const;
    void SetDataSource(Db::DataSource *source);
    Db::Dataset *DataSet() const;
    bool LinkActive() const;
    TDBGridColumns &Columns() { return m_columns; }
    TKxDBGridModel *GridModel() const { return m_model; }
    // A column's field while the dataset is open, else null.
    Db::Field *ColumnField(const TColumn *column) const { return LinkActive() ? column->Field() : nullptr; }

    TDBGridOptions Options() const;
    void SetOptions(TDBGridOptions value);
    bool TitleButtons() const { return m_titleButtons; }
    void SetTitleButtons(bool value);
    bool ShowGlyphs() const { return m_showGlyphs; }
    void SetShowGlyphs(bool value);
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool value)
    {
        m_defaultDrawing = value;
        viewport()->update();
    }
    bool MultiSelect() const { return m_selection.MultiSelect(); }
    void SetMultiSelect(bool value);
    bool ClearSelection() const { return m_selection.ClearSelection; }
    void SetClearSelection(bool value) { m_selection.ClearSelection = value; }
    // The lists have nothing to append to: kept for the forms' settings.
    bool AutoAppend() const { return m_autoAppend; }
    void SetAutoAppend(bool value) { m_autoAppend = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // Frozen left columns: they stay in place while the others scroll, and
    // the current column never enters them. While the dataset is open at
    // most all columns but one freeze; the count is applied anew whenever
    // the columns are laid out again.
    int FixedCols() const;
    void SetFixedCols(int value);
    int RowsHeight() const { return m_rowsHeight; }
    void SetRowsHeight(int value);
    void setHeight(int value);
    QColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(QColor value)
    {
        m_fixedColor = value;
        update();
    }
    QColor Color() const { return m_color; }
    void SetColor(QColor value)
    {
        m_color = value;
        viewport()->update();
    }
    QFont TitleFont() const { return m_titleFont; }
    void SetTitleFont(const QFont &font);

    TFormPlacement *IniStorage() const { return m_iniLink.Placement(); }
    void SetIniStorage(TFormPlacement *value) { m_iniLink.SetPlacement(value); }

    // The marked rows, by key; SelectedRows().Count() tells how many.
    TGridBookmarks &SelectedRows() { return m_selection.Marks(); }
    TGridSelection &Selection() { return m_selection; }
    bool RowMarked(int position) const;
    // Positions of the marked rows in the list (walks the list: for actions,
    // not for painting).
    std::vector<int> MarkedPositions() const;
    // The marked rows as the list's actions take them: none when the only
    // mark is the one a plain click left.
    std::vector<int> ChosenPositions() const;
    // The values of the row at a position, for colouring events and screens.
    TGridRowValues RowValues(int position) const;
    // The row whose cell is being painted, while a colouring event runs.
    const TGridRowValues &PaintingRow() const { return m_paintingRow; }

    // The grid cell under a point of the grid: column 0 is the indicator when
    // it is shown, row 0 the titles when they are shown; -1 outside the cells.
    void GridCellAtMouse(QPoint point, int &Col, int &Row) const;
    // The grid column of a column of the list and back.
    int IndicatorOffset() const { return m_options.testFlag(dgIndicator) ? 1 : 0; }
    int TitleOffset() const { return m_options.testFlag(dgTitles) ? 1 : 0; }
    QRect CellRect(int gridCol, int gridRow) const;

    // Column layout in a profile section (customised columns, else the
    // dataset's fields).
    void SaveGridLayout(TPlacementProfile *IniFile, const QString &Section);
    void RestoreGridLayout(TPlacementProfile *IniFile, const QString &Section);
    // The section the layout goes to through the form storage.
    QString LayoutSection() const;

    TCheckTitleBtnEvent OnCheckButton;
    TTitleClickEvent OnTitleBtnClick;
    TGetBtnParamsEvent OnGetBtnParams;
    TGetCellParamsEvent OnGetCellParams;
    TGetCellPropsEvent OnGetCellProps;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TWheelEvent OnMouseWheelDown;
    TWheelEvent OnMouseWheelUp;
    TNotifyEvent OnTopLeftChanged;
    TNotifyEvent OnDblClick;
    // The in-place editor's text changed.
    TNotifyEvent OnEditChange;
    // Asked before the in-place editor opens on a field.
    TDBEditShowEvent OnShowEditor;

    // In-place editing: the editor opens on the current cell when the
    // dataset has a row, the grid is not read-only, dgEditing is on, the
    // field is written back to a table and OnShowEditor allows it.
    bool ShowEditor();
    // Writes the open editor's text and closes it; false when the database
    // refused the change (the editor closes all the same, the row stays).
    bool PostEditor();
    void CancelEditor();
    QLineEdit *InplaceEditor() const { return m_editor; }
    bool EditingAllowed() const;
    // Writes a change of a field of the current row: a change the database
    // refuses is cancelled and reported; false then.
    bool PostFieldChange(Db::Field *Field, const std::function<void()> &write);
    // A press on the data area, after the current row moved to the row pressed
    // (the main window starts dragging a row from here).
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    // Overridable steps the grid calls.
    virtual void DoTitleBtnClick(int ACol, Db::Field *Field);
    virtual void DoCheckButton(int ACol, int ARow, bool &Enabled);
    virtual void DoGetCellParams(Db::Field *Field, TKxCellFont &AFont, QColor &Background, bool Highlight);
    // Fires OnEditChange.
    virtual void EditChanged();
    // Whether a field is edited as text in place (not a glyph field).
    virtual bool CanEditInPlace(const Db::Field *Field) const;
    // The sort marker and background the form gives a column's field.
    TSortMarker GetBtnParams(Db::Field *Field, TKxCellFont &AFont, QColor &Background, bool IsDown);
    // -1 unless the field is drawn as a glyph (binary contents).
    int FieldGlyphIndex(const Db::Field *Field) const;

    // Paints one data cell; descendants add to it.
    virtual void DrawColumnCell(QPainter &painter, const QRect &rect, int position, TColumn *column, bool selected);
    // A cell's rectangle less its grid lines.
    QRect DataCellRect(const QRect &rect) const;
    // The background the last painted cell got.
    QColor LastCellBackground() const { return m_lastBackground; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // After the rows or columns were replaced.
    virtual void LayoutChanged();
    // Height of the title row: the title font's, or the rows' height + 2 once that is set.
    virtual int TitleRowHeight() const;
    int firstVisibleColumn() const;
    // The first shown column right of the frozen ones (the first shown one
    // when none is right of them).
    int firstEditableColumn() const;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void drawFocusRect(QPainter &painter, const QRect &rect, QColor color) const;

    TGridRowCursor &RowCursor();
    bool HighlightCell(int position, int column, bool selected) const;

private:
    friend class TKxDBGridTitles;
    friend class TKxDBGridIndicator;
    friend class TKxDBGridFrozen;
    friend class TKxDBGridDelegate;
    class Cursor;

    void applyOptions();
    void applyColumns();
    void applyFrozen();
    // Keeps the current column right of the frozen ones.
    void keepRightOfFrozen();
    void toFirstEditableColumn();
    // A press on a row's indicator (or its frozen cells): that row becomes
    // current, Ctrl toggles its mark.
    void pressRowHeader(int row, Qt::KeyboardModifiers modifiers);
    void followDataset();
    void moveToPosition(int position);
    // Makes a cell current without moving the dataset.
    void setCurrentCell(const QModelIndex &index);
    bool nearView(int position) const;
    void clearSelections()
    {
        m_selection.ClearSelections();
        viewport()->update();
        indicatorUpdate();
    }
    void indicatorUpdate();
    bool handleKey(QKeyEvent *event);
    void sectionMoved(int logical, int oldVisual, int newVisual);
    void sectionResized(int logical, int oldSize, int newSize);
    void editorCreated(QLineEdit *editor, const QModelIndex &index);
    bool postEditorText(const QString &text);
    // A key typed while the editor is open, or that opens it.
    bool editorKey(QKeyEvent *event);
    void typeIntoEditor(QKeyEvent *event, QChar c);
    void saveLayoutToLink();
    void loadLayoutFromLink();
    void saveColumns(TPlacementProfile *ini, const QString &section);
    void restoreColumns(TPlacementProfile *ini, const QString &section);
    void saveFields(TPlacementProfile *ini, const QString &section);
    void restoreFields(TPlacementProfile *ini, const QString &section);
    // A default column's width in average characters, as fields keep it.
    int charactersOf(const TColumn *column) const;

    TDBGridColumns m_columns;
    TKxDBGridModel *m_model;
    TKxDBGridTitles *m_titles;
    TKxDBGridIndicator *m_indicator;
    TKxDBGridDelegate *m_delegate;
    TKxDBGridFrozen *m_frozen;
    std::unique_ptr<Cursor> m_cursor;
    TGridSelection m_selection;
    TIniLink m_iniLink;

    TDBGridOptions m_options;
    bool m_titleButtons = false;
    bool m_showGlyphs = true;
    bool m_defaultDrawing = true;
    bool m_autoAppend = true;
    bool m_readOnly = false;
    int m_fixedCols = 0;
    int m_frozenCols = 0; // frozen now: 0 while the dataset is closed
    int m_rowsHeight = 0;
    int m_titleRowHeight = 0;
    QColor m_color;
    QColor m_fixedColor;
    QFont m_titleFont;
    bool m_following = false;
    bool m_pressing = false; // a press in the rows moves the dataset: its marks follow it
    bool m_movingSections = false;
    int m_wheelRest = 0;
    TGridRowValues m_paintingRow{nullptr, -1};
    QColor m_lastBackground;
    QPointer<QLineEdit> m_editor;
    int m_editPosition = -1;
    Db::Field *m_editField = nullptr;
    bool m_lendingKey = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TKxDBGrid::TDBGridOptions)

// Dataset helpers of the grids.
// The section a dataset's fields are stored under: its form's default
// section when a form owns it, else its own name.
QString DataSetDefaultSection(const Db::Dataset *DataSet);
// True when the dataset is closed or has no rows.
bool DataSetIsEmpty(const Db::Dataset *DataSet);
