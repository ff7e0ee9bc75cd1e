// Moving about the main window: pages and their remembered focus, the
// caption, the focus-dependent keys, the search edits, typing in a grid,
// dragging rows between items and basket, and closing.
#include "app/main/tarmilform.h"

#include "app/main/notebook.h"
#include "app/search/form_hledat.h"
#include "app/settings/zaloha.h"
#include "kit/comboedit.h"
#include "kit/formstorage.h"
#include "kit/searchedit.h"
#include "kit/splitter.h"
#include "platform/cp1250.h"
#include "platform/db/datasource.h"
#include "platform/formattext.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace {
const QString kRowMime = QStringLiteral("application/x-tarmil-grid-row");
}

// ---------------------------------------------------------------- show, activation, pages

void TForm_Tarmil::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_windowWatch->Forget();
    FormShow();
    FormActivate();
}

void TForm_Tarmil::FormShow()
{
    ConnectDataModule();
    PlaceSaleButtons();
    if (listsOpen())
        ComboEdit_Kategorie->setText(DM->CategoryName(1));
}

void TForm_Tarmil::FormActivate()
{
    NotebookPageChanged();
}

void TForm_Tarmil::NotebookPageChanged()
{
    if (listsOpen())
        DM->UpdateCashLabel();
    UpdateCaption();
    const int page = Notebook->PageIndex();
    Panel_PolozkaHledat->setVisible(page == 0 || page == 1);
    Panel_DokladHledat->setVisible(page == 2);
    focusStoredControl();
}

void TForm_Tarmil::UpdateCaption()
{
    const QString page = Notebook->ActivePage();
    // The lists, not the session: one found lost is opened again by the read.
    if (!DM || !DM->MSSQLADOQuery_Polozka->Active()) {
        m_storeName.clear();
    } else {
        // A read the server did not answer keeps the name shown.
        const QString store = DM->CurrentStoreName();
        if (!store.isEmpty() || DM->LastErrorText().isEmpty())
            m_storeName = store;
    }
    setWindowTitle(Format(QStringLiteral("%s - %s      Sklad: %s      Uživatel: %s"),
                          {ApplicationTitle(), page, m_storeName, LoginUzivatel}));
    // The program's title in the task list.
    qApp->setProperty("Title", Format(QStringLiteral("Tarmil - %s"), {page}));
}

void TForm_Tarmil::sessionRenewed()
{
    UpdateCaption();
}

QString TForm_Tarmil::StoredActiveControl(int page) const
{
    TStoredValue *value = FormStorage->StoredValueAt(page);
    return value ? value->Value.toString() : QString();
}

void TForm_Tarmil::StoreActiveControl()
{
    TStoredValue *value = FormStorage->StoredValueAt(Notebook->PageIndex());
    if (!value)
        return;
    QWidget *focused = focusWidget();
    value->Value = focused ? focused->objectName() : QString();
    value->Save();
}

void TForm_Tarmil::focusStoredControl()
{
    const QString name = StoredActiveControl(Notebook->PageIndex());
    if (name.isEmpty())
        return;
    auto *control = findChild<QWidget *>(name);
    if (control && control->isVisibleTo(this) && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
        control->setFocus(Qt::OtherFocusReason);
}

void TForm_Tarmil::MenuItem_PageClick(int page)
{
    StoreActiveControl();
    Notebook->SetPageIndex(page);
}

void TForm_Tarmil::MenuItem_KonecClick()
{
    close();
}

void TForm_Tarmil::PlaceSaleButtons()
{
    QWidget *panel = Button_ProdejPridat->parentWidget();
    const int top = KxSplitter_Prodej->mapTo(Notebook->widget(1), QPoint(0, 0)).y() -
                    panel->mapTo(Notebook->widget(1), QPoint(0, 0)).y();
    Button_ProdejPridat->move(4, top - 50);
    Button_ProdejOdebrat->move(4, top + 20);
    Button_ProdejProdat->move(4, top + 74);
}

// ---------------------------------------------------------------- grids

TKxDBGrid *TForm_Tarmil::gridOf(QObject *object) const
{
    for (TKxDBGrid *grid : m_grids)
        if (object == grid || object == grid->viewport())
            return grid;
    return nullptr;
}

void TForm_Tarmil::KxDBGridKeyPress(TKxDBGrid *, QChar &key)
{
    // Every character the shop's 8-bit code page holds starts a search.
    const std::optional<unsigned char> byte = Cp1250::fromUnicode(key.unicode());
    if (!byte || *byte < 32)
        return;
    const QChar typed = key;
    key = QChar(); // the grid does nothing more with it
    if (m_typingInto)
        m_typingInto->SetSearchText(QString(typed));
    else
        ShowSearchDialog(Notebook->PageIndex() == 2, typed);
}

void TForm_Tarmil::KxDBGridEnter(TKxDBGrid *grid)
{
    // The history grids lend their keys to nothing.
    clearShortcutPair();
    if (grid == KxDBGrid_Polozka)
        setShortcutPair(Action_PolozkaEditace, Action_PolozkaOdebrat);
    else if (grid == KxDBGrid_PolozkaProdej || grid == KxDBGrid_Prodej)
        setShortcutPair(Action_ProdejPridat, Action_ProdejOdebrat);
    else if (grid == KxDBGrid_Doklad)
        setShortcutPair(Action_DokladTisk, Action_DokladStorno);
}

void TForm_Tarmil::KxDBGridExit(TKxDBGrid *)
{
    clearShortcutPair();
}

void TForm_Tarmil::KxDBGridDblClick(TKxDBGrid *grid)
{
    QAction *action = nullptr;
    if (grid == KxDBGrid_Polozka)
        action = Action_PolozkaEditace;
    else if (grid == KxDBGrid_PolozkaProdej)
        action = Action_ProdejPridat;
    else if (grid == KxDBGrid_Prodej)
        action = Action_ProdejEditovat;
    else if (grid == KxDBGrid_Doklad)
        action = Action_DokladTisk;
    if (action && action->isEnabled())
        action->trigger();
}

// ---------------------------------------------------------------- search edits

void TForm_Tarmil::SearchEditEnter(TSearchEdit *edit)
{
    if (edit == SearchEdit_Doklad)
        setShortcutPair(Action_DokladTisk, nullptr);
    else
        setShortcutPair(Notebook->PageIndex() == 1 ? Action_ProdejPridat : Action_PolozkaEditace, nullptr);
}

void TForm_Tarmil::SearchEditExit(TSearchEdit *)
{
    clearShortcutPair();
}

void TForm_Tarmil::SearchEdit_OznaceniChange()
{
    if (DM && DM->MSSQLADOQuery_Polozka->Active())
        DM->MSSQLADOQuery_Polozka->LocateText(QStringLiteral("OZNACENI"), SearchEdit_Oznaceni->text());
}

void TForm_Tarmil::SearchEdit_KodChange()
{
    if (DM && DM->MSSQLADOQuery_Polozka->Active())
        DM->MSSQLADOQuery_Polozka->LocateText(QStringLiteral("KOD"), SearchEdit_Kod->text());
}

void TForm_Tarmil::SearchEdit_DokladChange()
{
    if (!DM || !DM->MSSQLADOQuery_Doklad->Active())
        return;
    const QString column =
        CheckBox_Doklad->isChecked() ? QStringLiteral("DOKLAD_VYTISTENY") : QStringLiteral("DOKLAD_NETISTENY");
    DM->MSSQLADOQuery_Doklad->LocateText(column, SearchEdit_Doklad->text());
}

void TForm_Tarmil::DataSource_PolozkaDataChange()
{
    TMSSQLADOQuery *items = DM ? DM->MSSQLADOQuery_Polozka : nullptr;
    if (!items || !items->Active())
        return;
    const bool rows = !items->IsEmpty();
    const std::pair<TSearchEdit *, const char *> mirrors[] = {{SearchEdit_Oznaceni, "OZNACENI"},
                                                              {SearchEdit_Kod, "KOD"}};
    for (const auto &[edit, column] : mirrors) {
        // Only what the user is typing stays; a box that merely has the
        // focus still shows the row.
        if (edit->hasFocus() && edit->isModified())
            continue;
        edit->setText(rows ? TextOf(items, QString::fromLatin1(column)) : QString());
        edit->selectAll();
    }
    // The basket follows the item when it holds it.
    TMSSQLADOQuery *basket = DM->MSSQLADOQuery_Prodej;
    if (rows && basket->Active() && !basket->IsEmpty())
        basket->LocateInteger(QStringLiteral("ID_POLOZKA"), IntegerOf(items, QStringLiteral("ID_POLOZKA")));
}

void TForm_Tarmil::DataSource_DokladDataChange()
{
    TMSSQLADOQuery *documents = DM ? DM->MSSQLADOQuery_Doklad : nullptr;
    if (!documents || !documents->Active() || (SearchEdit_Doklad->hasFocus() && SearchEdit_Doklad->isModified()))
        return;
    const QString column =
        CheckBox_Doklad->isChecked() ? QStringLiteral("DOKLAD_VYTISTENY") : QStringLiteral("DOKLAD_NETISTENY");
    SearchEdit_Doklad->setText(documents->IsEmpty() ? QString() : TextOf(documents, column));
    SearchEdit_Doklad->selectAll();
}

void TForm_Tarmil::ComboEdit_KategorieEnter()
{
    ComboEdit_Kategorie->selectAll();
}

void TForm_Tarmil::ComboEdit_KategorieChange()
{
    const bool exists = listsOpen() && DM->FindCategoryByPath(ComboEdit_Kategorie->text()) > 0;
    ComboEdit_Kategorie->setProperty("ShowHint", !exists);
    QPalette palette = ComboEdit_Kategorie->palette();
    palette.setColor(QPalette::Base, exists ? QApplication::palette().color(QPalette::Base) : QColor(0xCA, 0xC5, 0xB9));
    ComboEdit_Kategorie->setPalette(palette);
    ComboEdit_Kategorie->setToolTip(exists ? QString() : ComboEdit_Kategorie->property("Hint").toString());
}

void TForm_Tarmil::ComboEdit_KategorieKeyEnter()
{
    if (ComboEdit_Kategorie->property("ShowHint").toBool() || !DM)
        return;
    applyCategoryPath(DM->CategoryIdByPath(ComboEdit_Kategorie->text()));
    focusNextChild();
}

void TForm_Tarmil::applyCategoryPath(int categoryId)
{
    KxDBGrid_Polozka->SelectedRows().Clear();
    KxDBGrid_Polozka->viewport()->update();
    DM->SetCategoryPath(DM->CategoryIdPath(categoryId));
}

// ---------------------------------------------------------------- drag and drop

void TForm_Tarmil::startDrag(TKxDBGrid *grid)
{
    auto *data = new QMimeData;
    data->setData(kRowMime, grid->objectName().toUtf8());
    auto *drag = new QDrag(grid);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

void TForm_Tarmil::GridDragDrop(TKxDBGrid *target, TKxDBGrid *source)
{
    if (target == source)
        return;
    if (target == KxDBGrid_Prodej && source == KxDBGrid_PolozkaProdej)
        Action_ProdejPridat->trigger();
    else if (target == KxDBGrid_PolozkaProdej && source == KxDBGrid_Prodej)
        Action_ProdejOdebrat->trigger();
}

// The keypad's plus sells from wherever the focus is. Where the platform's
// key mapping does not match it to the action's shortcut, the key reaches
// the focused control: it is taken here instead of being typed.
bool TForm_Tarmil::keypadPlus(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Plus || !key->modifiers().testFlag(Qt::KeypadModifier))
        return false;
    if (Action_ProdejProdat->isEnabled())
        Action_ProdejProdat->trigger();
    return true;
}

void TForm_Tarmil::keyPressEvent(QKeyEvent *event)
{
    if (!keypadPlus(event))
        QMainWindow::keyPressEvent(event);
}

bool TForm_Tarmil::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ComboEdit_Kategorie || qobject_cast<TSearchEdit *>(watched) || gridOf(watched)) &&
        keypadPlus(event))
        return true;
    if (TKxDBGrid *grid = gridOf(watched)) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (watched == grid)
                KxDBGridEnter(grid);
            break;
        case QEvent::FocusOut:
            if (watched == grid)
                KxDBGridExit(grid);
            break;
        case QEvent::MouseMove: {
            // Dragging starts only past the drag distance, so clicks, double
            // clicks and marking rows stay what they are.
            auto *mouse = static_cast<QMouseEvent *>(event);
            const bool sale = grid == KxDBGrid_PolozkaProdej || grid == KxDBGrid_Prodej;
            if (sale && m_pressGrid == grid && mouse->buttons().testFlag(Qt::LeftButton) &&
                (mouse->position().toPoint() + grid->viewport()->geometry().topLeft() - m_pressPoint)
                        .manhattanLength() >= QApplication::startDragDistance()) {
                m_pressGrid = nullptr;
                startDrag(grid);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            m_pressGrid = nullptr;
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (drag->mimeData()->hasFormat(kRowMime)) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!drop->mimeData()->hasFormat(kRowMime))
                break;
            drop->acceptProposedAction();
            const QString name = QString::fromUtf8(drop->mimeData()->data(kRowMime));
            for (TKxDBGrid *source : m_grids)
                if (source->objectName() == name)
                    GridDragDrop(grid, source);
            return true;
        }
        default:
            break;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (auto *edit = qobject_cast<TSearchEdit *>(watched)) {
        if (event->type() == QEvent::FocusIn)
            SearchEditEnter(edit);
        else if (event->type() == QEvent::FocusOut)
            SearchEditExit(edit);
    } else if (watched == ComboEdit_Kategorie) {
        if (event->type() == QEvent::FocusIn) {
            ComboEdit_KategorieEnter();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ComboEdit_KategorieKeyEnter();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            Action_VybratKategorii->trigger();
            return true;
        }
    } else if (watched == KxSplitter_Prodej && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        PlaceSaleButtons();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- closing

void TForm_Tarmil::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        FormClose();
    }
    QMainWindow::closeEvent(event);
}

void TForm_Tarmil::FormClose()
{
    StoreActiveControl();
    if (DM)
        DM->FormStorage->FormPlacementSave();
    QString folder;
    if (DM && BackupOnExit(folder)) {
        BackupDatabaseTo(QDir(folder).filePath(TDM::BackupFileName(LoginServer, TDM::DatabaseName())));
    }
    WriteLogLine(QStringLiteral("Ukončení programu ") + ApplicationTitle() + QStringLiteral("..."));
    WriteLogLine(QStringLiteral("Ok"));
}

// ---------------------------------------------------------------- activation

ProgramWindowWatch::ProgramWindowWatch(TForm_Tarmil *form)
    : QObject(form)
    , m_form(form)
{
    qApp->installEventFilter(this);
}

ProgramWindowWatch::~ProgramWindowWatch()
{
    qApp->removeEventFilter(this);
}

bool ProgramWindowWatch::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->isWindow())
        return false;
    if (widget == m_form) {
        if (type == QEvent::WindowActivate)
            comeBack();
        return false;
    }
    const Qt::WindowType kind = widget->windowType();
    if (kind != Qt::Dialog && kind != Qt::Window && kind != Qt::Sheet)
        return false; // menus, tool tips, pop-ups
    if (type == QEvent::Show) {
        m_otherShown = true;
    } else if (type == QEvent::Hide && m_otherShown) {
        // The platform may not activate the main window again by itself.
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activeWindow() == m_form || !QApplication::activeWindow())
                comeBack();
        });
    }
    return false;
}

void ProgramWindowWatch::comeBack()
{
    if (!m_otherShown || !m_form->isVisible() || QApplication::activeModalWidget())
        return;
    m_otherShown = false;
    m_form->FormActivate();
}
