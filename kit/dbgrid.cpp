#include "kit/dbgrid.h"

#include "kit/dbgriddelegate.h"
#include "kit/dbgridfrozen.h"
#include "kit/dbgridheaders.h"
#include "kit/dbgridmodel.h"
#include "kit/gridglyphs.h"
#include "platform/db/dataset.h"

// ---------------------------------------------------------------- cursor

class TKxDBGrid::Cursor : public TGridRowCursor
{
public:
    explicit Cursor(TKxDBGrid &grid)
        : grid_(grid)
    {}
    int CurrentPosition() const override { return grid_.model_->CurrentPosition(); }
    QByteArray CurrentKey() const override { return grid_.model_->RowKey(CurrentPosition()); }
    int MoveBy(int distance) override { return grid_.LinkActive() ? grid_.DataSet()->MoveBy(distance) : 0; }

private:
    TKxDBGrid &grid_;
};

TGridRowCursor &TKxDBGrid::RowCursor()
{
    return *cursor_;
}

// ---------------------------------------------------------------- grid

TKxDBGrid::TKxDBGrid(QWidget *parent)
    : QTableView(parent)
    , model_(new TKxDBGridModel(&columns_, this))
    , titles_(new TKxDBGridTitles(this))
    , indicator_(new TKxDBGridIndicator(this))
    , delegate_(new TKxDBGridDelegate(this))
    , frozen_(nullptr)
    , cursor_(std::make_unique<Cursor>(*this))
{
    setHorizontalHeader(titles_);
    setVerticalHeader(indicator_);
    setItemDelegate(delegate_);
    model_->SetFont(font());
    setModel(model_);
    frozen_ = new TKxDBGridFrozen(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);

    color_ = palette().color(QPalette::Base);
    fixedColor_ = palette().color(QPalette::Button);
    titleFont_ = font();
    rowsHeight_ = fontMetrics().height() + 4;
    indicator_->setDefaultSectionSize(rowsHeight_);

    columns_.OnChange = [this] { model_->Relayout(); };
    model_->OnReset = [this] { LayoutChanged(); };
    model_->OnScrolled = [this] { followDataset(); };
    connect(titles_, &QHeaderView::sectionMoved, this, &TKxDBGrid::sectionMoved);
    connect(titles_, &QHeaderView::sectionResized, this, &TKxDBGrid::sectionResized);
    iniLink_.OnLinkSave = [this](TIniLink *) { saveLayoutToLink(); };
    iniLink_.OnLinkLoad = [this](TIniLink *) { loadLayoutFromLink(); };

    SetOptions(TDBGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                              dgConfirmDelete | dgCancelOnExit));
    LayoutChanged();
}

TKxDBGrid::~TKxDBGrid()
{
    columns_.OnChange = nullptr;
    model_->OnReset = nullptr;
    model_->OnScrolled = nullptr;
    model_->SetDataSource(nullptr);
}

Db::DataSource *TKxDBGrid::DataSource() const
{
    return model_->GetDataSource();
}

void TKxDBGrid::SetDataSource(Db::DataSource *source)
{
    model_->SetDataSource(source);
}

Db::Dataset *TKxDBGrid::DataSet() const
{
    return model_->DataSet();
}

bool TKxDBGrid::LinkActive() const
{
    return model_->Active();
}

TKxDBGrid::TDBGridOptions TKxDBGrid::Options() const
{
    TDBGridOptions result = options_;
    result.setFlag(dgMultiSelect, MultiSelect());
    return result;
}

void TKxDBGrid::SetOptions(TDBGridOptions value)
{
    options_ = value;
    options_.setFlag(dgMultiSelect, false);
    SetMultiSelect(value.testFlag(dgMultiSelect));
    applyOptions();
}

void TKxDBGrid::applyOptions()
{
    titles_->setVisible(options_.testFlag(dgTitles));
    indicator_->setVisible(options_.testFlag(dgIndicator));
    setSelectionBehavior(options_.testFlag(dgRowSelect) ? SelectRows : SelectItems);
    titles_->setSectionResizeMode(options_.testFlag(dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    titles_->setSectionsMovable(options_.testFlag(dgColumnResize));
    setTabKeyNavigation(options_.testFlag(dgTabs));
    followDataset();
    viewport()->update();
    titles_->viewport()->update();
    indicatorUpdate();
}

void TKxDBGrid::SetTitleButtons(bool value)
{
    if (value == titleButtons_)
        return;
    titleButtons_ = value;
    applyOptions();
}

void TKxDBGrid::SetShowGlyphs(bool value)
{
    if (value == showGlyphs_)
        return;
    showGlyphs_ = value;
    viewport()->update();
}

void TKxDBGrid::SetMultiSelect(bool value)
{
    selection_.SetMultiSelect(value);
    viewport()->update();
    indicatorUpdate();
}

void TKxDBGrid::SetRowsHeight(int value)
{
    if (value == rowsHeight_ || value <= 0)
        return;
    rowsHeight_ = value;
    titleRowHeight_ = value + 2;
    LayoutChanged();
}

void TKxDBGrid::SetHeight(int value)
{
    if (minimumHeight() == maximumHeight())
        setFixedHeight(value);
    else
        resize(width(), value);
}

void TKxDBGrid::SetTitleFont(const QFont &font)
{
    titleFont_ = font;
    titles_->viewport()->update();
}

int TKxDBGrid::TitleRowHeight() const
{
    return titleRowHeight_ > 0 ? titleRowHeight_ : QFontMetrics(titleFont_).height() + 6;
}

void TKxDBGrid::LayoutChanged()
{
    model_->SetFont(font());
    indicator_->setDefaultSectionSize(rowsHeight_);
    titles_->setFixedHeight(TitleRowHeight());
    applyColumns();
    applyFrozen();
    followDataset();
}

void TKxDBGrid::applyColumns()
{
    movingSections_ = true;
    for (int i = 0; i < columns_.Count(); ++i) {
        titles_->resizeSection(i, columns_[i]->Width);
        setColumnHidden(i, !columns_[i]->Visible);
    }
    movingSections_ = false;
}

void TKxDBGrid::sectionResized(int logical, int, int newSize)
{
    if (movingSections_ || logical < 0 || logical >= columns_.Count() || newSize <= 0)
        return;
    columns_[logical]->Width = newSize;
    frozen_->Update(frozenCols_);
    keepRightOfFrozen();
}

void TKxDBGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    if (movingSections_)
        return;
    // The list of columns holds the order; the header shows it as it is.
    movingSections_ = true;
    titles_->moveSection(newVisual, oldVisual);
    movingSections_ = false;
    columns_.Move(oldVisual, newVisual);
}

int TKxDBGrid::firstVisibleColumn() const
{
    for (int i = 0; i < columns_.Count(); ++i)
        if (columns_[i]->Visible)
            return i;
    return 0;
}

void TKxDBGrid::followDataset()
{
    const int position = model_->CurrentPosition();
    if (position < 0 || columns_.Count() == 0) {
        indicatorUpdate();
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : firstEditableColumn();
    if (column >= columns_.Count() || column < frozenCols_ || !columns_[column]->Visible)
        column = firstEditableColumn();
    const QModelIndex index = model_->index(position, column);
    const bool near = nearView(position);
    if (index != currentIndex() || !selectionModel()->isSelected(index))
        setCurrentCell(index);
    if (isVisible())
        scrollTo(index, near ? EnsureVisible : PositionAtCenter);
    indicatorUpdate();
}

bool TKxDBGrid::nearView(int position) const
{
    // A step off the visible rows scrolls by a row; a jump (locating a
    // record) brings the record to the middle.
    const int top = rowAt(0);
    int bottom = rowAt(viewport()->height() - 1);
    if (bottom < 0)
        bottom = model_->rowCount() - 1;
    return top < 0 || (position >= top - 1 && position <= bottom + 1);
}

void TKxDBGrid::moveToPosition(int position)
{
    if (!LinkActive() || position < 0 || position == model_->CurrentPosition())
        return;
    DataSet()->SetRecNo(position + 1);
}

void TKxDBGrid::setCurrentCell(const QModelIndex &index)
{
    following_ = true;
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (options_.testFlag(dgRowSelect))
        flags |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(index, flags);
    following_ = false;
}

void TKxDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!following_ && current.isValid())
        moveToPosition(current.row());
    keepRightOfFrozen();
    indicatorUpdate();
    if (options_.testFlag(dgRowSelect))
        viewport()->update();
}

void TKxDBGrid::indicatorUpdate()
{
    indicator_->viewport()->update();
}

void TKxDBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    titles_->StopTitleTracking();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TKxDBGrid::focusOutEvent(QFocusEvent *event)
{
    // A window that takes the focus cancels a title press.
    titles_->StopTitleTracking();
    QTableView::focusOutEvent(event);
}

bool TKxDBGrid::RowMarked(int position) const
{
    if (!MultiSelect() || selection_.Marks().IsEmpty() || !LinkActive())
        return false;
    return selection_.Marks().Contains(model_->RowKey(position));
}

std::vector<int> TKxDBGrid::MarkedPositions() const
{
    std::vector<int> positions;
    if (selection_.Marks().IsEmpty())
        return positions;
    for (int position = 0; position < model_->rowCount(); ++position)
        if (RowMarked(position))
            positions.push_back(position);
    return positions;
}

TGridRowValues TKxDBGrid::RowValues(int position) const
{
    return TGridRowValues(DataSet(), model_->SnapshotRow(position));
}

void TKxDBGrid::GridCellAtMouse(QPoint point, int &Col, int &Row) const
{
    Col = -1;
    Row = -1;
    const QRect view = viewport()->geometry();
    if (options_.testFlag(dgIndicator) && indicator_->geometry().contains(point)) {
        Col = 0;
    } else if (point.x() >= view.left() && point.x() <= view.right()) {
        const int column = columnAt(point.x() - view.left());
        if (column >= 0)
            Col = column + IndicatorOffset();
    }
    if (options_.testFlag(dgTitles) && titles_->geometry().contains(point)) {
        Row = 0;
    } else if (point.y() >= view.top() && point.y() <= view.bottom()) {
        const int row = rowAt(point.y() - view.top());
        if (row >= 0)
            Row = row + TitleOffset();
    }
    if (Col < 0 || Row < 0)
        Col = Row = -1;
}

QRect TKxDBGrid::CellRect(int gridCol, int gridRow) const
{
    const QModelIndex index = model_->index(gridRow - TitleOffset(), gridCol - IndicatorOffset());
    if (!index.isValid())
        return {};
    return visualRect(index).translated(viewport()->geometry().topLeft());
}

// ---------------------------------------------------------------- events the forms answer

void TKxDBGrid::DoTitleBtnClick(int ACol, Db::Field *Field)
{
    if (OnTitleBtnClick)
        OnTitleBtnClick(this, ACol, Field);
}

void TKxDBGrid::DoCheckButton(int ACol, int, bool &Enabled)
{
    if (ACol < 0 || ACol >= columns_.Count()) {
        Enabled = false;
        return;
    }
    if (OnCheckButton)
        OnCheckButton(this, ACol, columns_[ACol]->Field(), Enabled);
}

void TKxDBGrid::DoGetCellParams(Db::Field *Field, TKxCellFont &AFont, QColor &Background, bool Highlight)
{
    if (OnGetCellParams) {
        OnGetCellParams(this, Field, AFont, Background, Highlight);
    } else if (OnGetCellProps) {
        if (Highlight) {
            QColor ignored = Background;
            const QColor color = AFont.Color;
            OnGetCellProps(this, Field, AFont, ignored);
            AFont.Color = color;
        } else {
            OnGetCellProps(this, Field, AFont, Background);
        }
    }
}

TKxDBGrid::TSortMarker TKxDBGrid::GetBtnParams(Db::Field *Field, TKxCellFont &AFont, QColor &Background, bool IsDown)
{
    TSortMarker marker = smNone;
    if (OnGetBtnParams)
        OnGetBtnParams(this, Field, AFont, Background, marker, IsDown);
    return marker;
}

int TKxDBGrid::FieldGlyphIndex(const Db::Field *Field) const
{
    if (!showGlyphs_ || !Field)
        return -1;
    return Field->DataType() == Db::FieldType::Bytes ? ggBlob : -1;
}

// ---------------------------------------------------------------- dataset helpers

QString DataSetDefaultSection(const Db::Dataset *DataSet)
{
    if (!DataSet)
        return QString();
    QObject *owner = DataSet->parent();
    if (owner && owner->isWidgetType() && static_cast<QWidget *>(owner)->isWindow())
        return PlacementDefaultSection(owner);
    return DataSet->objectName();
}

bool DataSetIsEmpty(const Db::Dataset *DataSet)
{
    return !DataSet || !DataSet->Active() || DataSet->IsEmpty();
}
