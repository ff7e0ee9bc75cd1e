#pragma once
// A settings list of whole numbers with its entry box, its default value and
// the buttons that add, remove and choose the default (warranty periods,
// discounts). The list's texts are the numbers in decimal.
#include <QList>
#include <QObject>

class QGroupBox;
class QListWidget;
class QPushButton;
class TIntegerEdit;

class ValueListGroup : public QObject
{
    Q_OBJECT
public:
    ValueListGroup(QGroupBox *group, QListWidget *list, TIntegerEdit *entry, TIntegerEdit *defaultEdit,
                   QPushButton *add, QPushButton *remove, QPushButton *makeDefault);

    void setValues(const QList<int> &values);
    QList<int> values() const;
    // The default value; 0 while the default box is empty.
    int defaultValue() const;
    // Appends a value not yet in the list (typed on another screen).
    void append(int value);

    // The buttons' and the entry's handlers.
    void Add();
    void Remove();
    void MakeDefault();
    void EntryChange();

private:
    void updateButtons();
    int indexOf(const QString &text) const;

    QListWidget *list;
    TIntegerEdit *entry;
    TIntegerEdit *defaultEdit;
    QPushButton *addButton, *removeButton, *defaultButton;
};
