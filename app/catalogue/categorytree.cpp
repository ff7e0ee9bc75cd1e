#include "app/catalogue/categorytree.h"

#include "app/catalogue/categoryrules.h"
#include "app/common/modalresult.h"
#include "app/common/screenplacement.h"
#include "data/dm.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDragMoveEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int IdRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;

QIcon nodeIcon(int index)
{
    // 0 an ordinary category, 1 the default one.
    QStyle *style = QApplication::style();
    return style->standardIcon(index == 1 ? QStyle::SP_DirHomeIcon : QStyle::SP_DirIcon);
}

} // namespace

// ---------------------------------------------------------------- node

CategoryNode::CategoryNode(int id, const QString &name)
{
    setText(0, name);
    setData(0, IdRole, id);
    SetImageIndex(0);
}

int CategoryNode::Data() const
{
    return data(0, IdRole).toInt();
}

int CategoryNode::ImageIndex() const
{
    return data(0, ImageRole).toInt();
}

void CategoryNode::SetImageIndex(int index)
{
    setData(0, ImageRole, index);
    setIcon(0, nodeIcon(index));
}

bool CategoryNode::operator<(const QTreeWidgetItem &other) const
{
    return CategoryRules::NameLess(text(0), other.text(0));
}

// ---------------------------------------------------------------- view

CategoryTreeView::CategoryTreeView(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TreeView"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
}

void CategoryTreeView::mousePressEvent(QMouseEvent *event)
{
    // A right-button press selects the node under the mouse.
    if (event->button() == Qt::RightButton)
        if (QTreeWidgetItem *node = itemAt(event->position().toPoint()))
            setCurrentItem(node);
    QTreeWidget::mousePressEvent(event);
}

void CategoryTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this && OnDragOver)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CategoryTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeWidgetItem *target = itemAt(event->position().toPoint());
    if (event->source() == this && OnDragOver && OnDragOver(target))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CategoryTreeView::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::IgnoreAction);
    event->accept(); // the view itself never moves anything
    if (event->source() == this)
        DropAt(event->position().toPoint());
}

void CategoryTreeView::DropAt(QPoint pos)
{
    QTreeWidgetItem *node = itemAt(pos);
    if (!node || !OnDragDrop)
        return;
    const QModelIndex index = indexFromItem(node);
    const QRect cell = visualRect(index);
    bool counts;
    if (pos.x() >= cell.left()) {
        // The cell runs to the view's edge; the node's own part is as wide
        // as its icon and text need.
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = cell;
        counts = pos.x() < cell.left() + itemDelegateForIndex(index)->sizeHint(option, index).width();
    } else {
        // Left of the cell lies the indentation; its last step holds the
        // expand button of a node that has children.
        counts = node->childCount() == 0 || pos.x() < cell.left() - indentation();
    }
    if (counts)
        OnDragDrop(node, viewport()->mapToGlobal(pos));
}

// ---------------------------------------------------------------- picker

TForm_KategorieStrom::TForm_KategorieStrom(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_KategorieStrom"));
    setWindowTitle(QStringLiteral(" Strom kategorií"));
    TreeView = new CategoryTreeView(this);
    TreeView->setMinimumSize(360, 380);
    Label_StromKategorii = new QLabel(this);
    Label_StromKategorii->setObjectName(QStringLiteral("Label_StromKategorii"));
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    Button_Zavrit->setMinimumWidth(88);
    // The caller takes the selected category after mrOk.
    connect(Button_Zavrit, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(TreeView, &QTreeWidget::itemDoubleClicked, this, [this] { done(mrOk); });

    PopupMenu_1 = new QMenu(this);
    PopupMenu_1->setObjectName(QStringLiteral("PopupMenu_1"));
    MenuItem_Obnovit = PopupMenu_1->addAction(QStringLiteral("Obnovit"), this, [this] { MenuItem_ObnovitClick(); });
    MenuItem_ObnovitNacistVse = PopupMenu_1->addAction(QStringLiteral("Obnovit a načíst vše"), this,
                                                       [this] { MenuItem_ObnovitNacistVseClick(); });
    MenuItem_NacistVse =
        PopupMenu_1->addAction(QStringLiteral("Načíst vše"), this, [this] { MenuItem_NacistVseClick(); });
    connect(TreeView, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (Selected())
            PopupMenu_1->popup(TreeView->viewport()->mapToGlobal(pos));
    });
    connect(TreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) { ExpandNode(node); });
    connect(TreeView, &QTreeWidget::itemEntered, this, [this](QTreeWidgetItem *node) { TreeViewMouseMove(node); });

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label_StromKategorii, 1);
    bottom->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(TreeView, 1);
    layout->addLayout(bottom);
}

void TForm_KategorieStrom::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only now the layout has given the window its size.
    CenterOnMainScreen(this);
}

void TForm_KategorieStrom::addRoot()
{
    CategoryNode *root = newNode(1, DM->DefaultCategoryId());
    TreeView->addTopLevelItem(root);
    TreeView->setCurrentItem(root);
    addPlaceholderIfNeeded(root);
    ExpandNode(root);
}

CategoryNode *TForm_KategorieStrom::newNode(int id, int defaultId)
{
    auto *node = new CategoryNode(id, DM->CategoryName(id));
    node->SetImageIndex(id == defaultId ? 1 : 0);
    return node;
}

void TForm_KategorieStrom::addPlaceholderIfNeeded(QTreeWidgetItem *node)
{
    if (HasSubcategories(node))
        node->addChild(new CategoryNode(0, QStringLiteral("+")));
}

bool TForm_KategorieStrom::HasSubcategories(QTreeWidgetItem *node) const
{
    return DM->SubcategoryCount(NodeId(node)) != 0;
}

QTreeWidgetItem *TForm_KategorieStrom::LoadChildren(QTreeWidgetItem *node)
{
    const QStringList ids = DM->SubcategoryIdList(NodeId(node)).split(QLatin1Char('\r'), Qt::SkipEmptyParts);
    const int defaultId = DM->DefaultCategoryId();
    qDeleteAll(node->takeChildren());
    for (const QString &text : ids) {
        const int id = text.trimmed().toInt();
        if (id <= 0)
            continue;
        CategoryNode *child = newNode(id, defaultId);
        node->addChild(child);
        addPlaceholderIfNeeded(child);
    }
    return node;
}

void TForm_KategorieStrom::ExpandNode(QTreeWidgetItem *node)
{
    if (!node)
        return;
    if (node->childCount() > 0 && static_cast<CategoryNode *>(node->child(0))->IsPlaceholder())
        LoadChildren(node);
    if (!node->isExpanded())
        node->setExpanded(true);
}

void TForm_KategorieStrom::ExpandSubtree(QTreeWidgetItem *node)
{
    ExpandNode(node);
    for (int i = 0; i < node->childCount(); ++i)
        ExpandSubtree(node->child(i));
}

QTreeWidgetItem *TForm_KategorieStrom::LoadedNode(int id) const
{
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it)
        if (NodeId(*it) == id)
            return *it;
    return nullptr;
}

QTreeWidgetItem *TForm_KategorieStrom::FindNode(int id)
{
    if (QTreeWidgetItem *node = LoadedNode(id))
        return node;
    QTreeWidgetItem *last = nullptr;
    for (int step : CategoryRules::ParseIdPath(DM->CategoryIdPath(id))) {
        QTreeWidgetItem *node = LoadedNode(step);
        if (!node)
            break;
        LoadChildren(node);
        node->setExpanded(true);
        last = node;
    }
    return last && NodeId(last) == id ? last : nullptr;
}

QTreeWidgetItem *TForm_KategorieStrom::Selected() const
{
    return TreeView->currentItem();
}

int TForm_KategorieStrom::SelectedId() const
{
    return NodeId(Selected());
}

int TForm_KategorieStrom::NodeId(const QTreeWidgetItem *node)
{
    return node ? node->data(0, IdRole).toInt() : 0;
}

void TForm_KategorieStrom::TreeViewMouseMove(QTreeWidgetItem *node)
{
    const int id = NodeId(node);
    if (!node || id == 0 || id == lastHoveredId)
        return;
    lastHoveredId = id;
    Label_StromKategorii->setText(QStringLiteral("%1 - (%2)").arg(node->text(0)).arg(id));
}

void TForm_KategorieStrom::MenuItem_ObnovitClick()
{
    if (QTreeWidgetItem *node = Selected()) {
        LoadChildren(node);
        ExpandNode(node);
    }
}

void TForm_KategorieStrom::MenuItem_ObnovitNacistVseClick()
{
    if (QTreeWidgetItem *node = Selected()) {
        LoadChildren(node);
        ExpandSubtree(node);
    }
}

void TForm_KategorieStrom::MenuItem_NacistVseClick()
{
    if (QTreeWidgetItem *node = Selected())
        ExpandSubtree(node);
}
