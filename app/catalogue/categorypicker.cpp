#include "app/catalogue/categorypicker.h"

#include "app/catalogue/categoryeditor.h"
#include "app/common/modalresult.h"
#include "data/dm.h"
#include "kit/comboedit.h"

#include <memory>

void PickCategoryInto(QWidget *parent, TComboEdit *edit)
{
    std::unique_ptr<TForm_KategorieStromEditace> tree(
        TForm_KategorieStrom::CreateWithRoot<TForm_KategorieStromEditace>(parent));
    const int current = DM->CategoryIdByPath(edit->text());
    if (current != 0)
        if (QTreeWidgetItem *node = tree->FindNode(current))
            tree->TreeView->setCurrentItem(node);
    const QString text = edit->text();
    if (tree->exec() == mrOk && tree->SelectedId() != 0)
        edit->setText(DM->CategoryPathName(tree->SelectedId()));
    else
        edit->setText(text);
}

bool PickCategoryId(QWidget *parent, int &id)
{
    std::unique_ptr<TForm_KategorieStrom> tree(TForm_KategorieStrom::CreateWithRoot<TForm_KategorieStrom>(parent));
    if (id != 0)
        if (QTreeWidgetItem *node = tree->FindNode(id))
            tree->TreeView->setCurrentItem(node);
    if (tree->exec() != mrOk || tree->SelectedId() == 0)
        return false;
    id = tree->SelectedId();
    return true;
}

void ShowCategoryEditor(QWidget *parent)
{
    std::unique_ptr<TForm_KategorieStromEditace> tree(
        TForm_KategorieStrom::CreateWithRoot<TForm_KategorieStromEditace>(parent));
    tree->exec();
}
