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
    , m_grid(grid)
    , m_titles(new TKxDBGridTitles(grid))
{
    setObjectName(QStringLiteral("FrozenColumns"));
    setHorizontalHeader(m_titles);
    m_titles->setSectionsMovable(false);
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
    connect(m_titles, &QHeaderView::sectionResized, this, &TKxDBGridFrozen::titleResized);
    hide();
}

void TKxDBGridFrozen::Update(int count)
{
    m_count = count;
    if (count <= 0 || !m_grid->model()) {
        hide();
        return;
    }
    m_updating = true;
    QHeaderView *gridTitles = m_grid->horizontalHeader();
    const auto options = m_grid->Options();
    m_titles->setVisible(gridTitles->isVisible());
    m_titles->setFixedHeight(gridTitles->height());
    m_titles->setSectionResizeMode(options.testFlag(TKxDBGrid::dgColumnResize) ? QHeaderView::Interactive
                                                                               : QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(m_grid->verticalHeader()->defaultSectionSize());
    setPalette(m_grid->palette());
    setFont(m_grid->font());
    const int columns = m_grid->model()->columnCount();
    for (int i = 0; i < columns; ++i) {
        const bool shown = i < count && !m_grid->isColumnHidden(i);
        setColumnHidden(i, !shown);
        if (shown)
            m_titles->resizeSection(i, gridTitles->sectionSize(i));
    }
    m_updating = false;

    const QRect view = m_grid->viewport()->geometry();
    const int top = gridTitles->isVisible() ? gridTitles->geometry().top() : view.top();
    setGeometry(view.left(), top, std::min(FrozenWidth() + 1, view.width()), view.bottom() + 1 - top);
    verticalScrollBar()->setValue(m_grid->verticalScrollBar()->value());
    show();
    raise();
    viewport()->update();
    m_titles->viewport()->update();
}

int TKxDBGridFrozen::FrozenWidth() const
{
    int width = 0;
    for (int i = 0; i < m_count && i < m_grid->model()->columnCount(); ++i)
        if (!m_grid->isColumnHidden(i))
            width += m_grid->horizontalHeader()->sectionSize(i);
    return width;
}

void TKxDBGridFrozen::titleResized(int logical, int, int newSize)
{
    // Sizing a frozen column sizes it in the grid, which lays this view anew.
    if (!m_updating && newSize > 0)
        m_grid->horizontalHeader()->resizeSection(logical, newSize);
}

void TKxDBGridFrozen::mousePressEvent(QMouseEvent *event)
{
    m_grid->setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const int row = rowAt(point.y());
    if (row >= 0 && event->button() == Qt::LeftButton && m_grid->LinkActive())
        m_grid->pressRowHeader(row, event->modifiers());
    if (m_grid->OnMouseDown)
        m_grid->OnMouseDown(m_grid, event->button(), event->modifiers(), viewport()->mapTo(m_grid, point));
}

void TKxDBGridFrozen::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void TKxDBGridFrozen::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_grid->OnMouseUp)
        m_grid->OnMouseUp(m_grid, event->button(), event->modifiers(),
                          viewport()->mapTo(m_grid, event->position().toPoint()));
}

void TKxDBGridFrozen::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() && m_grid->OnDblClick)
        m_grid->OnDblClick(m_grid);
    event->accept();
}

void TKxDBGridFrozen::wheelEvent(QWheelEvent *event)
{
    m_grid->wheelEvent(event);
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
    return LinkActive() ? m_frozenCols : m_fixedCols;
}

void TKxDBGrid::SetFixedCols(int value)
{
    int count = std::max(0, value);
    if (LinkActive() && !isLoading() && m_columns.Count() > 1) {
        count = std::min(count, m_columns.Count() - 1);
        m_frozenCols = count;
    }
    m_fixedCols = count;
    m_frozen->Update(m_frozenCols);
    keepRightOfFrozen();
}

void TKxDBGrid::applyFrozen()
{
    m_frozenCols = 0;
    SetFixedCols(m_fixedCols);
}

int TKxDBGrid::firstEditableColumn() const
{
    for (int i = m_frozenCols; i < m_columns.Count(); ++i)
        if (m_columns[i]->Visible)
            return i;
    return firstVisibleColumn();
}

void TKxDBGrid::keepRightOfFrozen()
{
    const QModelIndex current = currentIndex();
    if (!LinkActive() || m_frozenCols == 0 || !current.isValid())
        return;
    const int first = firstEditableColumn();
    if (current.column() >= first && current.column() < m_columns.Count())
        return;
    setCurrentCell(m_model->index(current.row(), first));
}

void TKxDBGrid::toFirstEditableColumn()
{
    const QModelIndex index = m_model->index(m_model->CurrentPosition(), firstEditableColumn());
    setCurrentCell(index);
    scrollTo(index);
}

void TKxDBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_frozen)
        m_frozen->Update(m_frozenCols);
}

QModelIndex TKxDBGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableView::moveCursor(cursorAction, modifiers);
    if (m_frozenCols == 0 || !index.isValid() || index.column() >= m_frozenCols)
        return index;
    // Frozen columns are no tab stops: the cursor stays right of them.
    return m_model->index(index.row(), firstEditableColumn());
}

void TKxDBGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (m_frozenCols == 0 || !index.isValid() || index.column() < m_frozenCols)
        return;
    // A cell must not hide under the frozen columns.
    const int hidden = m_frozen->FrozenWidth() - visualRect(index).left();
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TKxDBGrid::pressRowHeader(int row, Qt::KeyboardModifiers modifiers)
{
    moveToPosition(row);
    if (MultiSelect())
        m_selection.ClickRow(m_model->RowKey(row), modifiers.testFlag(Qt::ControlModifier));
    indicatorUpdate();
    viewport()->update();
    m_frozen->viewport()->update();
}
