#include "kit/dbgridfrozen.h"

#include "kit/dbgrid.h"
#include "kit/dbgriddelegate.h"
#include "kit/dbgridheaders.h"
#include "kit/dbgridmodel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

TKxDBGridFrozen::TKxDBGridFrozen(TKxDBGrid *grid)
    : QTableView(grid)
    , grid_(grid)
    , titles_(new TKxDBGridTitles(grid))
{
    setObjectName(QStringLiteral("FrozenColumns"));
    setHorizontalHeader(titles_);
    titles_->setSectionsMovable(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // A delegate of its own: editors open in the grid only.
    setItemDelegate(new TKxDBGridDelegate(grid));
    setModel(grid->model());
    setSelectionModel(grid->selectionModel());
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAutoScroll(false); // the grid scrolls, this view follows it
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(titles_, &QHeaderView::sectionResized, this, &TKxDBGridFrozen::titleResized);
    hide();
}

void TKxDBGridFrozen::Update(int count)
{
    count_ = count;
    if (count <= 0 || !grid_->model()) {
        hide();
        return;
    }
    updating_ = true;
    QHeaderView *gridTitles = grid_->horizontalHeader();
    const auto options = grid_->Options();
    titles_->setVisible(gridTitles->isVisible());
    titles_->setFixedHeight(gridTitles->height());
    titles_->setSectionResizeMode(options.testFlag(TKxDBGrid::dgColumnResize) ? QHeaderView::Interactive
                                                                              : QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(grid_->verticalHeader()->defaultSectionSize());
    setPalette(grid_->palette());
    setFont(grid_->font());
    const int columns = grid_->model()->columnCount();
    for (int i = 0; i < columns; ++i) {
        const bool shown = i < count && !grid_->isColumnHidden(i);
        setColumnHidden(i, !shown);
        if (shown)
            titles_->resizeSection(i, gridTitles->sectionSize(i));
    }
    updating_ = false;

    const QRect view = grid_->viewport()->geometry();
    const int top = gridTitles->isVisible() ? gridTitles->geometry().top() : view.top();
    setGeometry(view.left(), top, std::min(FrozenWidth() + 1, view.width()), view.bottom() + 1 - top);
    verticalScrollBar()->setValue(grid_->verticalScrollBar()->value());
    show();
    raise();
    viewport()->update();
    titles_->viewport()->update();
}

int TKxDBGridFrozen::FrozenWidth() const
{
    int width = 0;
    for (int i = 0; i < count_ && i < grid_->model()->columnCount(); ++i)
        if (!grid_->isColumnHidden(i))
            width += grid_->horizontalHeader()->sectionSize(i);
    return width;
}

void TKxDBGridFrozen::titleResized(int logical, int, int newSize)
{
    // Sizing a frozen column sizes it in the grid, which lays this view anew.
    if (!updating_ && newSize > 0)
        grid_->horizontalHeader()->resizeSection(logical, newSize);
}

void TKxDBGridFrozen::mousePressEvent(QMouseEvent *event)
{
    grid_->setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const int row = rowAt(point.y());
    if (row >= 0 && event->button() == Qt::LeftButton && grid_->LinkActive())
        grid_->pressRowHeader(row, event->modifiers());
    if (grid_->OnMouseDown)
        grid_->OnMouseDown(grid_, event->button(), event->modifiers(), viewport()->mapTo(grid_, point));
}

void TKxDBGridFrozen::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void TKxDBGridFrozen::mouseReleaseEvent(QMouseEvent *event)
{
    if (grid_->OnMouseUp)
        grid_->OnMouseUp(grid_, event->button(), event->modifiers(),
                         viewport()->mapTo(grid_, event->position().toPoint()));
}

void TKxDBGridFrozen::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() && grid_->OnDblClick)
        grid_->OnDblClick(grid_);
    event->accept();
}

void TKxDBGridFrozen::wheelEvent(QWheelEvent *event)
{
    grid_->wheelEvent(event);
}

void TKxDBGridFrozen::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    // The edge the scrolled columns slide under.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::WindowText));
    const int x = FrozenWidth();
    painter.drawLine(x, 0, x, viewport()->height());
}

// ---------------------------------------------------------------- the grid's frozen columns

int TKxDBGrid::FixedCols() const
{
    return LinkActive() ? frozenCols_ : fixedCols_;
}

void TKxDBGrid::SetFixedCols(int value)
{
    int count = std::max(0, value);
    if (LinkActive() && !isLoading() && columns_.Count() > 1) {
        count = std::min(count, columns_.Count() - 1);
        frozenCols_ = count;
    }
    fixedCols_ = count;
    frozen_->Update(frozenCols_);
    keepRightOfFrozen();
}

void TKxDBGrid::applyFrozen()
{
    frozenCols_ = 0;
    SetFixedCols(fixedCols_);
}

int TKxDBGrid::firstEditableColumn() const
{
    for (int i = frozenCols_; i < columns_.Count(); ++i)
        if (columns_[i]->Visible)
            return i;
    return firstVisibleColumn();
}

void TKxDBGrid::keepRightOfFrozen()
{
    const QModelIndex current = currentIndex();
    if (!LinkActive() || frozenCols_ == 0 || !current.isValid())
        return;
    const int first = firstEditableColumn();
    if (current.column() >= first && current.column() < columns_.Count())
        return;
    setCurrentCell(model_->index(current.row(), first));
}

void TKxDBGrid::toFirstEditableColumn()
{
    const QModelIndex index = model_->index(model_->CurrentPosition(), firstEditableColumn());
    setCurrentCell(index);
    scrollTo(index);
}

void TKxDBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (frozen_)
        frozen_->Update(frozenCols_);
}

QModelIndex TKxDBGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableView::moveCursor(cursorAction, modifiers);
    if (frozenCols_ == 0 || !index.isValid() || index.column() >= frozenCols_)
        return index;
    // Frozen columns are no tab stops: the cursor stays right of them.
    return model_->index(index.row(), firstEditableColumn());
}

void TKxDBGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (frozenCols_ == 0 || !index.isValid() || index.column() < frozenCols_)
        return;
    // A cell must not hide under the frozen columns.
    const int hidden = frozen_->FrozenWidth() - visualRect(index).left();
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TKxDBGrid::pressRowHeader(int row, Qt::KeyboardModifiers modifiers)
{
    moveToPosition(row);
    if (MultiSelect())
        selection_.ClickRow(model_->RowKey(row), modifiers.testFlag(Qt::ControlModifier));
    indicatorUpdate();
    viewport()->update();
    frozen_->viewport()->update();
}
