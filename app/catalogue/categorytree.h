#pragma once
// The category tree: a picker that loads each level only when it is
// expanded, and its editor with default, add, edit, in-place rename, remove
// and drag-and-drop copy or move. Both are made by CreateWithRoot, shown
// modally and freed by the caller, who reads SelectedId() after mrOk.
#include <QDialog>
#include <QTreeWidget>

#include <functional>

class QLabel;
class QMenu;
class QPushButton;

// A node: its text is the category's name, Data its ID; a node whose
// children exist but are not read yet holds one placeholder child "+".
class CategoryNode : public QTreeWidgetItem
{
public:
    explicit CategoryNode(int id, const QString &name);
    int Data() const;
    int ImageIndex() const;
    void SetImageIndex(int index);
    bool IsPlaceholder() const { return Data() == 0; }
    bool operator<(const QTreeWidgetItem &other) const override;
};

// The tree view with the drag hooks of the editor.
class CategoryTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CategoryTreeView(QWidget *parent = nullptr);
    std::function<bool(QTreeWidgetItem *target)> OnDragOver;
    std::function<void(QTreeWidgetItem *target, QPoint globalPos)> OnDragDrop;
    // A drop at a point of the viewport: it counts only on a node's text, its
    // icon or its indentation, not right of the text nor on an expand button.
    void DropAt(QPoint pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

class TForm_KategorieStrom : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_KategorieStrom(QWidget *parent = nullptr);

    CategoryTreeView *TreeView;
    QLabel *Label_StromKategorii;
    QMenu *PopupMenu_1;
    QAction *MenuItem_Obnovit;
    QAction *MenuItem_ObnovitNacistVse;
    QAction *MenuItem_NacistVse;
    QPushButton *Button_Zavrit;

    // Makes the window with the root node loaded one level deep.
    template <class Form>
    static Form *CreateWithRoot(QWidget *owner)
    {
        auto *form = new Form(owner);
        form->addRoot();
        return form;
    }

    bool HasSubcategories(QTreeWidgetItem *node) const;
    QTreeWidgetItem *LoadChildren(QTreeWidgetItem *node);
    // The category's node, loading and expanding its ancestors when it is not
    // loaded yet; null for an ID without a path.
    QTreeWidgetItem *FindNode(int id);
    // The first loaded node of the ID in tree order, or null.
    QTreeWidgetItem *LoadedNode(int id) const;
    // Expands a node one level, reading its children when they are not read.
    void ExpandNode(QTreeWidgetItem *node);
    void ExpandSubtree(QTreeWidgetItem *node);

    QTreeWidgetItem *Selected() const;
    int SelectedId() const;
    static int NodeId(const QTreeWidgetItem *node);

    void MenuItem_ObnovitClick();
    void MenuItem_ObnovitNacistVseClick();
    void MenuItem_NacistVseClick();
    // The mouse over a node: its name and ID in the label below the tree.
    void TreeViewMouseMove(QTreeWidgetItem *node);

protected:
    void showEvent(QShowEvent *event) override;
    void addRoot();
    CategoryNode *newNode(int id, int defaultId);
    void addPlaceholderIfNeeded(QTreeWidgetItem *node);

private:
    int lastHoveredId = 0; // by ID: reloading replaces the nodes
};
