#include "kit/ownerdrawcombo.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStylePainter>

TOwnerDrawComboBox::TOwnerDrawComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setItemDelegate(new TOwnerDrawDelegate(this));
}

void TOwnerDrawComboBox::setComboStyle(TOwnerDrawComboStyle value)
{
    styleSetting = value;
    // Qt has no list that stays open under the edit: csSimple edits like csDropDown.
    setEditable(value != csDropDownList);
    styleChanged();
    update();
}

int TOwnerDrawComboBox::itemHeight() const
{
    return qMax(9, fontMetrics().height() + 1);
}

void TOwnerDrawComboBox::paintEvent(QPaintEvent *event)
{
    if (isEditable()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        drawItem(painter, field, currentIndex(), hasFocus());
}

void TOwnerDrawComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        view()->doItemsLayout();
}

TOwnerDrawDelegate::TOwnerDrawDelegate(TOwnerDrawComboBox *combo)
    : QStyledItemDelegate(combo)
    , combo(combo)
{}

void TOwnerDrawDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    combo->drawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
    painter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), combo->itemHeight());
}
