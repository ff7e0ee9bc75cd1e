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
    Q_PROPERTY(int Height READ height WRITE SetHeight)

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
    TDBGridColumns &Columns() { return columns_; }
    TKxDBGridModel *GridModel() const { return model_; }
    // A column's field while the dataset is open, else null.
    Db::Field *ColumnField(const TColumn *column) const { return LinkActive() ? column->Field() : nullptr; }

    TDBGridOptions Options() const;
    void SetOptions(TDBGridOptions value);
    bool TitleButtons() const { return titleButtons_; }
    void SetTitleButtons(bool value);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value)
    {
        defaultDrawing_ = value;
        viewport()->update();
    }
    bool MultiSelect() const { return selection_.MultiSelect(); }
    void SetMultiSelect(bool value);
    bool ClearSelection() const { return selection_.ClearSelection; }
    void SetClearSelection(bool value) { selection_.ClearSelection = value; }
    // The lists have nothing to append to: kept for the forms' settings.
    bool AutoAppend() const { return autoAppend_; }
    void SetAutoAppend(bool value) { autoAppend_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // Frozen left columns: they stay in place while the others scroll, and
    // the current column never enters them. While the dataset is open at
    // most all columns but one freeze; the count is applied anew whenever
    // the columns are laid out again.
    int FixedCols() const;
    void SetFixedCols(int value);
    int RowsHeight() const { return rowsHeight_; }
    void SetRowsHeight(int value);
    void SetHeight(int value);
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(QColor value)
    {
        fixedColor_ = value;
        update();
    }
    QColor Color() const { return color_; }
    void SetColor(QColor value)
    {
        color_ = value;
        viewport()->update();
    }
    QFont TitleFont() const { return titleFont_; }
    void SetTitleFont(const QFont &font);

    TFormPlacement *IniStorage() const { return iniLink_.Placement(); }
    void SetIniStorage(TFormPlacement *value) { iniLink_.SetPlacement(value); }

    // The marked rows, by key; SelectedRows().Count() tells how many.
    TGridBookmarks &SelectedRows() { return selection_.Marks(); }
    TGridSelection &Selection() { return selection_; }
    bool RowMarked(int position) const;
    // Positions of the marked rows in the list (walks the list: for actions,
    // not for painting).
    std::vector<int> MarkedPositions() const;
    // The values of the row at a position, for colouring events and screens.
    TGridRowValues RowValues(int position) const;
    // The row whose cell is being painted, while a colouring event runs.
    const TGridRowValues &PaintingRow() const { return paintingRow_; }

    // The grid cell under a point of the grid: column 0 is the indicator when
    // it is shown, row 0 the titles when they are shown; -1 outside the cells.
    void GridCellAtMouse(QPoint point, int &Col, int &Row) const;
    // The grid column of a column of the list and back.
    int IndicatorOffset() const { return options_.testFlag(dgIndicator) ? 1 : 0; }
    int TitleOffset() const { return options_.testFlag(dgTitles) ? 1 : 0; }
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
    QLineEdit *InplaceEditor() const { return editor_; }
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
    QColor LastCellBackground() const { return lastBackground_; }

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
        selection_.ClearSelections();
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

    TDBGridColumns columns_;
    TKxDBGridModel *model_;
    TKxDBGridTitles *titles_;
    TKxDBGridIndicator *indicator_;
    TKxDBGridDelegate *delegate_;
    TKxDBGridFrozen *frozen_;
    std::unique_ptr<Cursor> cursor_;
    TGridSelection selection_;
    TIniLink iniLink_;

    TDBGridOptions options_;
    bool titleButtons_ = false;
    bool showGlyphs_ = true;
    bool defaultDrawing_ = true;
    bool autoAppend_ = true;
    bool readOnly_ = false;
    int fixedCols_ = 0;
    int frozenCols_ = 0; // frozen now: 0 while the dataset is closed
    int rowsHeight_ = 0;
    int titleRowHeight_ = 0;
    QColor color_;
    QColor fixedColor_;
    QFont titleFont_;
    bool following_ = false;
    bool movingSections_ = false;
    int wheelRest_ = 0;
    TGridRowValues paintingRow_{nullptr, -1};
    QColor lastBackground_;
    QPointer<QLineEdit> editor_;
    int editPosition_ = -1;
    Db::Field *editField_ = nullptr;
    bool lendingKey_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TKxDBGrid::TDBGridOptions)

// Dataset helpers of the grids.
// The section a dataset's fields are stored under: its form's default
// section when a form owns it, else its own name.
QString DataSetDefaultSection(const Db::Dataset *DataSet);
// True when the dataset is closed or has no rows.
bool DataSetIsEmpty(const Db::Dataset *DataSet);
