#pragma once
// The category tree editor: the picker with a default category, adding,
// editing, renaming in place, removing, and copying or moving a category by
// dragging it onto another. Every change is written to the database at once
// and the tree changes only when the database took it.
#include "app/catalogue/categorytree.h"

class TForm_KategorieStromEditace : public TForm_KategorieStrom
{
    Q_OBJECT
public:
    explicit TForm_KategorieStromEditace(QWidget *parent = nullptr);
    ~TForm_KategorieStromEditace() override;

    QAction *MenuItem_Vychozi;
    QAction *MenuItem_Pridat;
    QAction *MenuItem_Editovat;
    QAction *MenuItem_Prejmenovat;
    QAction *MenuItem_Odebrat;
    QMenu *PopupMenu_2;
    QAction *MenuItem_Kopirovat;
    QAction *MenuItem_Presunout;
    QAction *MenuItem_Storno;

    void MenuItem_VychoziClick();
    void MenuItem_PridatClick();
    void MenuItem_EditovatClick();
    void MenuItem_PrejmenovatClick();
    void MenuItem_OdebratClick();
    // The end of an in-place edit with the text the user left.
    void TreeViewEdited(QTreeWidgetItem *node, const QString &oldText);
    // Whether the selected node may be dropped on the target.
    bool TreeViewDragOver(QTreeWidgetItem *target);
    // A drop: checks, the right, then the copy/move menu at the point.
    void TreeViewDragDrop(QTreeWidgetItem *target, QPoint globalPos);
    void MenuItem_KopirovatClick();
    void MenuItem_PresunoutClick();

    QTreeWidgetItem *DragNode() const { return dragNode; }
    QTreeWidgetItem *DropTarget() const { return dropTarget; }

private:
    bool allowed(int right, const QString &denial);
    void failed(const QString &what);
    void textChanged(QTreeWidgetItem *node);

    QTreeWidgetItem *dragNode = nullptr;
    QTreeWidgetItem *dropTarget = nullptr;
    bool settingText = false;
    // The node being renamed in place and its text before.
    QTreeWidgetItem *renameNode = nullptr;
    QString renameOld;
};

// The editor that is open now (the category dialogs take its selected node).
extern TForm_KategorieStromEditace *Form_KategorieStromEditace;
