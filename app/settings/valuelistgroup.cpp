#include "app/settings/valuelistgroup.h"

#include "app/common/formcontrols.h"
#include "kit/intedit.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

ValueListGroup::ValueListGroup(QGroupBox *group, QListWidget *list, TIntegerEdit *entry, TIntegerEdit *defaultEdit,
                               QPushButton *add, QPushButton *remove, QPushButton *makeDefault)
    : QObject(group)
    , list(list)
    , entry(entry)
    , defaultEdit(defaultEdit)
    , addButton(add)
    , removeButton(remove)
    , defaultButton(makeDefault)
{
    connect(addButton, &QPushButton::clicked, this, &ValueListGroup::Add);
    connect(removeButton, &QPushButton::clicked, this, &ValueListGroup::Remove);
    connect(defaultButton, &QPushButton::clicked, this, &ValueListGroup::MakeDefault);
    connect(entry, &TIntegerEdit::textChanged, this, &ValueListGroup::EntryChange);
    // Enter in the entry adds its value while the focus is inside the group.
    BindGroupDefaultButton(group);
    EntryChange();
    updateButtons();
}

void ValueListGroup::setValues(const QList<int> &values)
{
    list->clear();
    for (int value : values)
        list->addItem(QString::number(value));
    updateButtons();
}

QList<int> ValueListGroup::values() const
{
    QList<int> result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text().toInt();
    return result;
}

int ValueListGroup::defaultValue() const
{
    return defaultEdit->text().trimmed().toInt();
}

void ValueListGroup::append(int value)
{
    if (indexOf(QString::number(value)) >= 0)
        return;
    list->addItem(QString::number(value));
    updateButtons();
}

int ValueListGroup::indexOf(const QString &text) const
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text)
            return i;
    return -1;
}

void ValueListGroup::EntryChange()
{
    addButton->setEnabled(!entry->text().isEmpty());
}

void ValueListGroup::Add()
{
    if (!entry->text().trimmed().isEmpty()) {
        const QString text = QString::number(entry->value());
        if (indexOf(text) < 0) {
            list->addItem(text);
            list->setCurrentRow(list->count() - 1);
            if (list->count() == 1)
                defaultEdit->setText(text);
            entry->clear();
            updateButtons();
        }
    }
    entry->setFocus();
}

void ValueListGroup::Remove()
{
    const int row = list->currentRow();
    if (row >= 0) {
        delete list->takeItem(row);
        if (list->count() > 0) {
            list->setCurrentRow(qMin(row, list->count() - 1));
            if (indexOf(defaultEdit->text().trimmed()) < 0)
                defaultEdit->setText(list->currentItem()->text());
        } else {
            defaultEdit->clear();
        }
    }
    entry->clear();
    updateButtons();
}

void ValueListGroup::MakeDefault()
{
    if (QListWidgetItem *item = list->currentItem())
        defaultEdit->setText(item->text());
}

void ValueListGroup::updateButtons()
{
    removeButton->setEnabled(list->count() > 0);
    defaultButton->setEnabled(removeButton->isEnabled());
}
