#include "app/catalogue/categoryeditor.h"

#include "app/catalogue/categoryrules.h"
#include "app/catalogue/kategorie.h"
#include "app/common/modalresult.h"
#include "app/common/rightdenial.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <QLineEdit>
#include <QMenu>

#include <memory>

TForm_KategorieStromEditace *Form_KategorieStromEditace = nullptr;

namespace {

const QString NoRight = QStringLiteral("Uživatel nemá oprávnění...");
const QString Failed = QStringLiteral("Transakce skončila s chybou...");

} // namespace

TForm_KategorieStromEditace::TForm_KategorieStromEditace(QWidget *parent)
    : TForm_KategorieStrom(parent)
{
    setObjectName(QStringLiteral("Form_KategorieStromEditace"));
    Form_KategorieStromEditace = this;

    PopupMenu_1->addSeparator();
    MenuItem_Vychozi = PopupMenu_1->addAction(QStringLiteral("Výchozí"), this, [this] { MenuItem_VychoziClick(); });
    MenuItem_Pridat = PopupMenu_1->addAction(QStringLiteral("Přidat..."), this, [this] { MenuItem_PridatClick(); });
    MenuItem_Editovat =
        PopupMenu_1->addAction(QStringLiteral("Editovat..."), this, [this] { MenuItem_EditovatClick(); });
    MenuItem_Prejmenovat =
        PopupMenu_1->addAction(QStringLiteral("Přejmenovat"), this, [this] { MenuItem_PrejmenovatClick(); });
    MenuItem_Odebrat = PopupMenu_1->addAction(QStringLiteral("Odebrat..."), this, [this] { MenuItem_OdebratClick(); });

    PopupMenu_2 = new QMenu(this);
    PopupMenu_2->setObjectName(QStringLiteral("PopupMenu_2"));
    MenuItem_Kopirovat =
        PopupMenu_2->addAction(QStringLiteral("Kopírovat"), this, [this] { MenuItem_KopirovatClick(); });
    MenuItem_Presunout =
        PopupMenu_2->addAction(QStringLiteral("Přesunout"), this, [this] { MenuItem_PresunoutClick(); });
    PopupMenu_2->addSeparator();
    MenuItem_Storno = PopupMenu_2->addAction(QStringLiteral("Storno"));

    TreeView->setDragEnabled(true);
    TreeView->setAcceptDrops(true);
    TreeView->setDropIndicatorShown(true);
    TreeView->setDragDropMode(QAbstractItemView::DragDrop);
    TreeView->setEditTriggers(QAbstractItemView::EditKeyPressed);
    TreeView->OnDragOver = [this](QTreeWidgetItem *target) { return TreeViewDragOver(target); };
    TreeView->OnDragDrop = [this](QTreeWidgetItem *target, QPoint pos) { TreeViewDragDrop(target, pos); };
    connect(TreeView, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *node) { textChanged(node); });
}

TForm_KategorieStromEditace::~TForm_KategorieStromEditace()
{
    if (Form_KategorieStromEditace == this)
        Form_KategorieStromEditace = nullptr;
}

bool TForm_KategorieStromEditace::allowed(int right, const QString &denial)
{
    return CheckUserRight(right, denial);
}

void TForm_KategorieStromEditace::failed(const QString &what)
{
    ShowWarning(Failed, what, DM->LastErrorText());
}

// ---------------------------------------------------------------- menu

void TForm_KategorieStromEditace::MenuItem_VychoziClick()
{
    QTreeWidgetItem *node = Selected();
    if (!node || !allowed(59, QStringLiteral("Funkce nastavit výchozí kategorii není dostupná...")))
        return;
    const int oldDefault = DM->DefaultCategoryId();
    if (oldDefault == NodeId(node))
        return; // already the default: nothing to change
    if (!DM->SetDefaultCategory(NodeId(node))) {
        failed(QStringLiteral("Nastavení výchozí kategorie neproběhlo..."));
        return;
    }
    const int id = NodeId(node);
    if (QTreeWidgetItem *old = FindNode(oldDefault))
        static_cast<CategoryNode *>(old)->SetImageIndex(0);
    if (QTreeWidgetItem *now = LoadedNode(id))
        static_cast<CategoryNode *>(now)->SetImageIndex(1);
}

void TForm_KategorieStromEditace::MenuItem_PridatClick()
{
    QTreeWidgetItem *parentNode = Selected();
    if (!parentNode)
        return;
    auto dialog = std::make_unique<TForm_KategorieNova>(this);
    if (!allowed(61, QStringLiteral("Funkce přidat kategorii není dostupná...")) || dialog->exec() != mrOk)
        return;
    const int parentId = NodeId(parentNode);
    int newId = 0;
    if (!DM->NewCategory(parentId, dialog->Edit_Kategorie->text(), dialog->Edit_Specifikace->text(), newId)) {
        failed(QStringLiteral("Zavedení nové kategorie neproběhlo..."));
        return;
    }
    parentNode = LoadedNode(parentId);
    if (parentNode->childCount() > 0 && NodeId(parentNode->child(0)) == 0)
        LoadChildren(parentNode); // not read yet: read with the new one
    if (!LoadedNode(newId)) {
        auto *child = new CategoryNode(newId, dialog->Edit_Kategorie->text());
        parentNode->addChild(child);
    }
    parentNode->setExpanded(true);
    TreeView->setCurrentItem(LoadedNode(newId));
}

void TForm_KategorieStromEditace::MenuItem_EditovatClick()
{
    QTreeWidgetItem *node = Selected();
    if (!node)
        return;
    auto dialog = std::make_unique<TForm_KategorieEditace>(this);
    if (!allowed(62, QStringLiteral("Funkce editovat kategorii není dostupná...")) || dialog->exec() != mrOk)
        return;
    const QString name = dialog->Edit_Kategorie->text();
    if (!DM->EditCategory(NodeId(node), name, dialog->Edit_Specifikace->text())) {
        failed(QStringLiteral("Editace kategorie neproběhlo..."));
        return;
    }
    settingText = true;
    node->setText(0, name);
    settingText = false;
}

void TForm_KategorieStromEditace::MenuItem_PrejmenovatClick()
{
    QTreeWidgetItem *node = Selected();
    if (!node)
        return;
    settingText = true;
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    settingText = false;
    renameNode = node;
    renameOld = node->text(0);
    TreeView->editItem(node, 0);
}

void TForm_KategorieStromEditace::textChanged(QTreeWidgetItem *node)
{
    if (settingText || node != renameNode || node->text(0) == renameOld)
        return;
    renameNode = nullptr;
    settingText = true;
    node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    settingText = false;
    TreeViewEdited(node, renameOld);
}

void TForm_KategorieStromEditace::TreeViewEdited(QTreeWidgetItem *node, const QString &oldText)
{
    const QString newText = node->text(0);
    const auto putBack = [&] {
        settingText = true;
        node->setText(0, oldText);
        settingText = false;
    };
    const int id = NodeId(node);
    if (node->parent() && DM->CategoryNameExistsOther(NodeId(node->parent()), id, newText)) {
        putBack();
        ShowInformation(QStringLiteral("Kategorie již existuje..."),
                        QStringLiteral("Přejmenování kategorie neproběhlo..."));
    } else if (!DM->HasRight(63)) {
        putBack();
        ShowInformation(QStringLiteral("Funkce přejmenovat kategorii není dostupná..."), NoRight);
    } else if (!DM->RenameCategory(id, newText)) {
        putBack();
        failed(QStringLiteral("Přejmenování kategorie neproběhlo..."));
    }
}

void TForm_KategorieStromEditace::MenuItem_OdebratClick()
{
    QTreeWidgetItem *node = Selected();
    if (!node || !allowed(64, QStringLiteral("Funkce odebrat kategorii není dostupná...")))
        return;
    if (!node->parent()) {
        ShowInformation(QStringLiteral("Kategorii nelze odebrat..."),
                        QStringLiteral("Kategorie \"%1\" je kořenová...").arg(node->text(0)));
        return;
    }
    if (!ShowQuestion(QStringLiteral("Opravdu chcete odebrat tuto kategorii a její podkategorie?"), node->text(0),
                      false))
        return;
    const int parentId = NodeId(node->parent());
    if (!DM->RemoveCategory(NodeId(node))) {
        failed(QStringLiteral("Odebrání kategorie neproběhlo..."));
        return;
    }
    delete node;
    TreeView->setCurrentItem(FindNode(parentId));
}

// ---------------------------------------------------------------- drag and drop

bool TForm_KategorieStromEditace::TreeViewDragOver(QTreeWidgetItem *target)
{
    QTreeWidgetItem *dragged = Selected();
    if (!dragged || !target)
        return false;
    const int draggedId = NodeId(dragged);
    const int targetId = NodeId(target);
    if (targetId == 0 || targetId == draggedId || target == dragged->parent())
        return false;
    return CategoryRules::DropAccepted(draggedId, NodeId(dragged->parent()), targetId,
                                       DM->CategoryNameExists(targetId, dragged->text(0)));
}

void TForm_KategorieStromEditace::TreeViewDragDrop(QTreeWidgetItem *target, QPoint globalPos)
{
    if (!TreeViewDragOver(target))
        return;
    if (!allowed(60, QStringLiteral("Funkce kopírování nebo přesun kategorie není dostupná...")))
        return;
    dragNode = Selected();
    dropTarget = target;
    QList<int> ancestry;
    for (QTreeWidgetItem *up = target; up; up = up->parent())
        ancestry.prepend(NodeId(up));
    MenuItem_Presunout->setEnabled(!CategoryRules::InsideSubtree(ancestry, NodeId(dragNode)));
    PopupMenu_2->popup(globalPos);
}

void TForm_KategorieStromEditace::MenuItem_KopirovatClick()
{
    if (!dragNode || !dropTarget)
        return;
    const int targetId = NodeId(dropTarget);
    if (!DM->CopyCategory(NodeId(dragNode), targetId)) {
        failed(QStringLiteral("Kopírování kategorie neproběhlo..."));
        return;
    }
    QTreeWidgetItem *target = LoadedNode(targetId);
    LoadChildren(target);
    ExpandNode(target);
}

void TForm_KategorieStromEditace::MenuItem_PresunoutClick()
{
    if (!dragNode || !dropTarget || !MenuItem_Presunout->isEnabled())
        return;
    const int draggedId = NodeId(dragNode);
    const int targetId = NodeId(dropTarget);
    if (!DM->MoveCategory(draggedId, targetId)) {
        failed(QStringLiteral("Přesunutí kategorie neproběhlo..."));
        return;
    }
    QTreeWidgetItem *moved = dragNode;
    QTreeWidgetItem *target = dropTarget;
    const bool targetRead = !(target->childCount() > 0 && NodeId(target->child(0)) == 0);
    if (QTreeWidgetItem *from = moved->parent())
        from->removeChild(moved);
    else
        TreeView->takeTopLevelItem(TreeView->indexOfTopLevelItem(moved));
    if (targetRead) {
        target->addChild(moved);
    } else {
        delete moved;
        LoadChildren(target);
    }
    dragNode = nullptr;
    ExpandNode(target);
    TreeView->setCurrentItem(LoadedNode(draggedId));
}
