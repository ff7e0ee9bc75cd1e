#pragma once
// The category button of the item card and the store dialog: the category
// tree editor opens on the category of the edit's path; "&Ok" there puts the
// chosen category's path into the edit.
class QWidget;
class TComboEdit;

void PickCategoryInto(QWidget *parent, TComboEdit *edit);

// The read-only picker opened on the category of the ID; on "&Ok" the ID
// becomes the chosen category's and true is returned.
bool PickCategoryId(QWidget *parent, int &id);

// The tree editor on its root, for the category administration.
void ShowCategoryEditor(QWidget *parent);
