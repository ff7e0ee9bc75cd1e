#include "kit/dbgrid.h"

#include "kit/dbgriddelegate.h"
#include "kit/dbgridfrozen.h"
#include "kit/dbgridheaders.h"
#include "kit/dbgridmodel.h"
#include "kit/gridglyphs.h"
#include "platform/db/dataset.h"

#include <QScrollBar>

// ---------------------------------------------------------------- cursor

class TKxDBGrid::Cursor : public TGridRowCursor
{
public:
    explicit Cursor(TKxDBGrid &grid)
        : m_grid(grid)
    {}
    int CurrentPosition() const override { return m_grid.m_model->CurrentPosition(); }
    QByteArray CurrentKey() const override { return m_grid.m_model->RowKey(CurrentPosition()); }
    int MoveBy(int distance) override { return m_grid.LinkActive() ? m_grid.DataSet()->MoveBy(distance) : 0; }

private:
    TKxDBGrid &m_grid;
};

TGridRowCursor &TKxDBGrid::RowCursor()
{
    return *m_cursor;
}

// ---------------------------------------------------------------- grid

TKxDBGrid::TKxDBGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new TKxDBGridModel(&m_columns, this))
    , m_titles(new TKxDBGridTitles(this))
    , m_indicator(new TKxDBGridIndicator(this))
    , m_delegate(new TKxDBGridDelegate(this))
    , m_frozen(nullptr)
    , m_cursor(std::make_unique<Cursor>(*this))
{
    setHorizontalHeader(m_titles);
    setVerticalHeader(m_indicator);
    setItemDelegate(m_delegate);
    m_model->SetFont(font());
    setModel(m_model);
    m_frozen = new TKxDBGridFrozen(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);

    m_color = palette().color(QPalette::Base);
    m_fixedColor = palette().color(QPalette::Button);
    m_titleFont = font();
    m_rowsHeight = fontMetrics().height() + 4;
    m_indicator->setDefaultSectionSize(m_rowsHeight);

    m_columns.OnChange = [this] { m_model->Relayout(); };
    m_model->OnReset = [this] { LayoutChanged(); };
    m_model->OnScrolled = [this] { followDataset(); };
    connect(m_titles, &QHeaderView::sectionMoved, this, &TKxDBGrid::sectionMoved);
    // Scrolled by the user to the top of a list read from its end: the page
    // before it.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (verticalScrollBar()->value() == verticalScrollBar()->minimum() && LinkActive() &&
                    DataSet()->CanFetchBefore())
                    DataSet()->FetchBefore();
            },
            Qt::QueuedConnection);
    });
    connect(m_titles, &QHeaderView::sectionResized, this, &TKxDBGrid::sectionResized);
    m_iniLink.OnLinkSave = [this](TIniLink *) { saveLayoutToLink(); };
    m_iniLink.OnLinkLoad = [this](TIniLink *) { loadLayoutFromLink(); };

    SetOptions(TDBGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                              dgConfirmDelete | dgCancelOnExit));
    LayoutChanged();
}

TKxDBGrid::~TKxDBGrid()
{
    m_columns.OnChange = nullptr;
    m_model->OnReset = nullptr;
    m_model->OnScrolled = nullptr;
    m_model->SetDataSource(nullptr);
}

Db::DataSource *TKxDBGrid::DataSource() const
{
    return m_model->GetDataSource();
}

void TKxDBGrid::SetDataSource(Db::DataSource *source)
{
    m_model->SetDataSource(source);
}

Db::Dataset *TKxDBGrid::DataSet() const
{
    return m_model->DataSet();
}

bool TKxDBGrid::LinkActive() const
{
    return m_model->Active();
}

TKxDBGrid::TDBGridOptions TKxDBGrid::Options() const
{
    TDBGridOptions result = m_options;
    result.setFlag(dgMultiSelect, MultiSelect());
    return result;
}

void TKxDBGrid::SetOptions(TDBGridOptions value)
{
    m_options = value;
    m_options.setFlag(dgMultiSelect, false);
    SetMultiSelect(value.testFlag(dgMultiSelect));
    applyOptions();
}

void TKxDBGrid::applyOptions()
{
    m_titles->setVisible(m_options.testFlag(dgTitles));
    m_indicator->setVisible(m_options.testFlag(dgIndicator));
    setSelectionBehavior(m_options.testFlag(dgRowSelect) ? SelectRows : SelectItems);
    m_titles->setSectionResizeMode(m_options.testFlag(dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    m_titles->setSectionsMovable(m_options.testFlag(dgColumnResize));
    setTabKeyNavigation(m_options.testFlag(dgTabs));
    followDataset();
    viewport()->update();
    m_titles->viewport()->update();
    indicatorUpdate();
}

void TKxDBGrid::SetTitleButtons(bool value)
{
    if (value == m_titleButtons)
        return;
    m_titleButtons = value;
    applyOptions();
}

void TKxDBGrid::SetShowGlyphs(bool value)
{
    if (value == m_showGlyphs)
        return;
    m_showGlyphs = value;
    viewport()->update();
}

void TKxDBGrid::SetMultiSelect(bool value)
{
    m_selection.SetMultiSelect(value);
    viewport()->update();
    indicatorUpdate();
}

void TKxDBGrid::SetRowsHeight(int value)
{
    if (value == m_rowsHeight || value <= 0)
        return;
    m_rowsHeight = value;
    m_titleRowHeight = value + 2;
    LayoutChanged();
}

void TKxDBGrid::setHeight(int value)
{
    if (minimumHeight() == maximumHeight())
        setFixedHeight(value);
    else
        resize(width(), value);
}

void TKxDBGrid::SetTitleFont(const QFont &font)
{
    m_titleFont = font;
    m_titles->viewport()->update();
}

int TKxDBGrid::TitleRowHeight() const
{
    return m_titleRowHeight > 0 ? m_titleRowHeight : QFontMetrics(m_titleFont).height() + 6;
}

void TKxDBGrid::LayoutChanged()
{
    m_model->SetFont(font());
    m_indicator->setDefaultSectionSize(m_rowsHeight);
    m_titles->setFixedHeight(TitleRowHeight());
    applyColumns();
    applyFrozen();
    followDataset();
}

void TKxDBGrid::applyColumns()
{
    m_movingSections = true;
    for (int i = 0; i < m_columns.Count(); ++i) {
        m_titles->resizeSection(i, m_columns[i]->Width);
        setColumnHidden(i, !m_columns[i]->Visible);
    }
    m_movingSections = false;
}

void TKxDBGrid::sectionResized(int logical, int, int newSize)
{
    if (m_movingSections || logical < 0 || logical >= m_columns.Count() || newSize <= 0)
        return;
    m_columns[logical]->Width = newSize;
    m_frozen->Update(m_frozenCols);
    keepRightOfFrozen();
}

void TKxDBGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    if (m_movingSections)
        return;
    // The list of columns holds the order; the header shows it as it is.
    m_movingSections = true;
    m_titles->moveSection(newVisual, oldVisual);
    m_movingSections = false;
    m_columns.Move(oldVisual, newVisual);
}

int TKxDBGrid::firstVisibleColumn() const
{
    for (int i = 0; i < m_columns.Count(); ++i)
        if (m_columns[i]->Visible)
            return i;
    return 0;
}

void TKxDBGrid::followDataset()
{
    const int position = m_model->CurrentPosition();
    if (position < 0 || m_columns.Count() == 0) {
        indicatorUpdate();
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : firstEditableColumn();
    if (column >= m_columns.Count() || column < m_frozenCols || !m_columns[column]->Visible)
        column = firstEditableColumn();
    const QModelIndex index = m_model->index(position, column);
    if (!m_pressing && LinkActive() && m_selection.currentRowMoved(m_model->RowKey(position)))
        viewport()->update();
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
        bottom = m_model->rowCount() - 1;
    return top < 0 || (position >= top - 1 && position <= bottom + 1);
}

void TKxDBGrid::moveToPosition(int position)
{
    if (!LinkActive() || position < 0 || position == m_model->CurrentPosition())
        return;
    DataSet()->SetRecNo(position + 1);
}

void TKxDBGrid::setCurrentCell(const QModelIndex &index)
{
    m_following = true;
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (m_options.testFlag(dgRowSelect))
        flags |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(index, flags);
    m_following = false;
}

void TKxDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_following && current.isValid())
        moveToPosition(current.row());
    keepRightOfFrozen();
    indicatorUpdate();
    if (m_options.testFlag(dgRowSelect))
        viewport()->update();
}

void TKxDBGrid::indicatorUpdate()
{
    m_indicator->viewport()->update();
}

void TKxDBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    m_titles->StopTitleTracking();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TKxDBGrid::focusOutEvent(QFocusEvent *event)
{
    // A window that takes the focus cancels a title press.
    m_titles->StopTitleTracking();
    QTableView::focusOutEvent(event);
}

bool TKxDBGrid::RowMarked(int position) const
{
    if (!MultiSelect() || m_selection.Marks().IsEmpty() || !LinkActive())
        return false;
    return m_selection.Marks().Contains(m_model->RowKey(position));
}

std::vector<int> TKxDBGrid::MarkedPositions() const
{
    std::vector<int> positions;
    if (m_selection.Marks().IsEmpty())
        return positions;
    for (int position = 0; position < m_model->rowCount(); ++position)
        if (RowMarked(position))
            positions.push_back(position);
    return positions;
}

std::vector<int> TKxDBGrid::ChosenPositions() const
{
    return m_selection.Marks().OnlyClickMark() ? std::vector<int>() : MarkedPositions();
}

TGridRowValues TKxDBGrid::RowValues(int position) const
{
    return TGridRowValues(DataSet(), m_model->SnapshotRow(position));
}

void TKxDBGrid::GridCellAtMouse(QPoint point, int &Col, int &Row) const
{
    Col = -1;
    Row = -1;
    const QRect view = viewport()->geometry();
    if (m_options.testFlag(dgIndicator) && m_indicator->geometry().contains(point)) {
        Col = 0;
    } else if (point.x() >= view.left() && point.x() <= view.right()) {
        const int column = columnAt(point.x() - view.left());
        if (column >= 0)
            Col = column + IndicatorOffset();
    }
    if (m_options.testFlag(dgTitles) && m_titles->geometry().contains(point)) {
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
    const QModelIndex index = m_model->index(gridRow - TitleOffset(), gridCol - IndicatorOffset());
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
    if (ACol < 0 || ACol >= m_columns.Count()) {
        Enabled = false;
        return;
    }
    if (OnCheckButton)
        OnCheckButton(this, ACol, m_columns[ACol]->Field(), Enabled);
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
    if (!m_showGlyphs || !Field)
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
