// Keyboard, mouse and wheel of the data-aware grid.
#include "kit/dbgrid.h"

#include "kit/dbgridheaders.h"
#include "kit/dbgridmodel.h"
#include "platform/db/dataset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

void TKxDBGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0) {
            event->accept();
            return;
        }
    }
    if (!LinkActive()) {
        event->ignore();
        return;
    }
    if (editorKey(event) || handleKey(event))
        return;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !event->modifiers().testFlag(Qt::ControlModifier)) {
        // Characters go to the form's handler first; what it leaves opens
        // the editor when the cell may be edited.
        QChar c = text.at(0);
        if (OnKeyPress)
            OnKeyPress(this, c);
        if (!c.isNull())
            typeIntoEditor(event, c);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TKxDBGrid::handleKey(QKeyEvent *event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool rowSelect = m_options.testFlag(dgRowSelect);
    const bool frozen = m_frozenCols > 0;
    if (ctrl) {
        switch (key) {
        case Qt::Key_Left:
            if (!frozen)
                return false;
            toFirstEditableColumn();
            event->accept();
            return true;
        case Qt::Key_End:
            // The view goes to its last row: a list read in pages reads its
            // last page for it, from the end.
            if (DataSet()->CanFetchMore())
                DataSet()->Last();
            clearSelections();
            return false;
        case Qt::Key_Home:
            // And its first page again, when it was read from the end.
            // The view leaves the end first, where it would ask for the next page.
            if (DataSet()->CanFetchBefore()) {
                scrollToTop();
                DataSet()->First();
            }
            clearSelections();
            return false;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
            clearSelections();
            return false;
        case Qt::Key_Delete:
            // Rows are removed by the screens' own commands, which go through
            // the database procedures; the grid never deletes behind them.
            event->accept();
            return true;
        default:
            return false;
        }
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (DataSet()->State() != Db::DataSetState::Browse)
            return false;
        m_selection.MoveWithSelection(RowCursor(), key == Qt::Key_Up ? -1 : 1, shift);
        viewport()->update();
        indicatorUpdate();
        event->accept();
        return true;
    case Qt::Key_Left:
        if (frozen && !rowSelect && currentIndex().column() <= firstEditableColumn()) {
            event->accept();
            return true;
        }
        [[fallthrough]];
    case Qt::Key_Right:
        if (rowSelect)
            clearSelections();
        return false;
    case Qt::Key_Home:
        if (frozen && !rowSelect && m_columns.Count() > 1) {
            toFirstEditableColumn();
            event->accept();
            return true;
        }
        [[fallthrough]];
    case Qt::Key_End:
        if (!rowSelect && m_columns.Count() > 1)
            return false;
        clearSelections();
        key == Qt::Key_Home ? DataSet()->First() : DataSet()->Last();
        event->accept();
        return true;
    case Qt::Key_Escape:
        clearSelections();
        event->ignore(); // the dialog's cancel button still answers Esc
        return true;
    case Qt::Key_PageUp:
        // Paging up past the rows read reads the page before them.
        if (DataSet()->CanFetchBefore() &&
            DataSet()->RecNo() <= viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()))
            DataSet()->FetchBefore();
        clearSelections();
        return false;
    case Qt::Key_PageDown:
        clearSelections();
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (!m_options.testFlag(dgTabs) || event->modifiers().testFlag(Qt::AltModifier))
            return false;
        // Walking past the last column (or before the first) changes the
        // record, which ends the selection.
        const int before = m_model->CurrentPosition();
        QTableView::keyPressEvent(event);
        if (m_model->CurrentPosition() != before)
            clearSelections();
        return true;
    }
    case Qt::Key_Insert:
        if (m_options.testFlag(dgEditing) && !m_readOnly)
            clearSelections();
        event->accept();
        return true;
    default:
        return false;
    }
}

void TKxDBGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const QPoint gridPos = event->position().toPoint() + viewport()->geometry().topLeft();
    if (event->button() != Qt::LeftButton) {
        // Other buttons leave the row where it is (the right one opens the form's menu).
        setFocus(Qt::MouseFocusReason);
        event->accept();
        if (OnMouseDown)
            OnMouseDown(this, event->button(), event->modifiers(), gridPos);
        return;
    }
    // An open editor is written before the press moves anywhere.
    if (state() == EditingState && !PostEditor())
        return;
    const bool onCurrent = index.isValid() && index == currentIndex() && event->modifiers() == Qt::NoModifier;
    // The view's own Ctrl and Shift handling would change its selection:
    // marks are the grid's business.
    QMouseEvent plain(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                      event->button(), event->buttons(), Qt::NoModifier);
    m_pressing = true;
    QTableView::mousePressEvent(&plain);
    m_pressing = false;
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), gridPos);
    if (index.isValid() && MultiSelect() && LinkActive()) {
        m_selection.ClickRow(m_model->RowKey(index.row()), event->modifiers().testFlag(Qt::ControlModifier));
        viewport()->update();
        indicatorUpdate();
    }
    // A click on the current cell opens its editor.
    if (onCurrent && !m_options.testFlag(dgRowSelect))
        ShowEditor();
}

void TKxDBGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (!event->buttons().testFlag(Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // Dragging moves the current row along.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        moveToPosition(index.row());
}

void TKxDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(),
                  event->position().toPoint() + viewport()->geometry().topLeft());
}

void TKxDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() && OnDblClick)
        OnDblClick(this);
    event->accept();
}

void TKxDBGrid::wheelEvent(QWheelEvent *event)
{
    event->accept();
    if (state() == EditingState && !PostEditor())
        return;
    m_wheelRest += event->angleDelta().y();
    while (std::abs(m_wheelRest) >= QWheelEvent::DefaultDeltasPerStep) {
        const bool down = m_wheelRest < 0;
        m_wheelRest += down ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        bool handled = false;
        const TWheelEvent &handler = down ? OnMouseWheelDown : OnMouseWheelUp;
        if (handler)
            handler(this, event->modifiers(), event->position().toPoint(), handled);
        if (!handled && LinkActive())
            DataSet()->MoveBy(down ? 1 : -1);
    }
}
