#pragma once
// Small pieces the catalogue's dialogs share: their controls made with the
// settings the forms give them, list filling from the data module's CR lists,
// and the marks of drop-down lists and category paths.
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TComboEdit;
class TCurrencyEdit;
class TIntegerComboBox;

QLineEdit *NewLineEdit(QWidget *parent, const QString &name, int maxLength);
// A drop-down list whose hint names what is missing while nothing is chosen.
QComboBox *NewListCombo(QWidget *parent, const QString &name, const QString &hint);
TIntegerComboBox *NewIntegerCombo(QWidget *parent, const QString &name, int max);
// Money with two decimals (",0.00 "), amounts with three (",0.###").
TCurrencyEdit *NewAmountEdit(QWidget *parent, const QString &name, int decimals);
// A category path with the ellipsis button that opens the category tree.
TComboEdit *NewCategoryEdit(QWidget *parent, const QString &name);
// A caption whose mnemonic focuses the control.
QLabel *BuddyLabel(const QString &caption, QWidget *control);

// Items := the names of a list joined by CR; nothing is selected afterwards.
void FillList(QComboBox *combo, const QString &crList);
// The texts of a combo box's items.
QStringList ListEntries(const QComboBox *combo);
// Marks a drop-down list while nothing is selected, with its form hint.
void MarkUnselected(QComboBox *combo, const QString &hint);
// "Nezadaná kategorie..." for an empty path, "Tato kategorie neexistuje..."
// for a path that does not lead to a category; empty when it does.
QString CategoryPathReason(const QString &path);
