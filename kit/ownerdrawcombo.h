#pragma once
// A combo box whose items the derived class draws itself, one fixed height
// for all (the font's text height + 1, at least 9).
#include "kit/kxtypes.h"

#include <QComboBox>
#include <QStyledItemDelegate>

class TOwnerDrawComboBox : public QComboBox, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(TOwnerDrawComboStyle Style READ comboStyle WRITE setComboStyle)

public:
    enum TOwnerDrawComboStyle { csDropDown, csSimple, csDropDownList };
    Q_ENUM(TOwnerDrawComboStyle)

    explicit TOwnerDrawComboBox(QWidget *parent = nullptr);

    TOwnerDrawComboStyle comboStyle() const { return styleSetting; }
    void setComboStyle(TOwnerDrawComboStyle value);
    virtual int itemHeight() const;

    // Draws one item into its rectangle (list rows and the closed box alike).
    virtual void drawItem(QPainter &painter, const QRect &rect, int index, bool selected) const = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    virtual void styleChanged() {}

private:
    TOwnerDrawComboStyle styleSetting = csDropDownList;
};

// Hands the list's rows to the combo box's own drawing.
class TOwnerDrawDelegate : public QStyledItemDelegate
{
public:
    explicit TOwnerDrawDelegate(TOwnerDrawComboBox *combo);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TOwnerDrawComboBox *combo;
};
