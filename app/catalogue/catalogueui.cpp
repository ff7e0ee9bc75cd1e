#include "app/catalogue/catalogueui.h"

#include "app/common/formcontrols.h"
#include "data/dm.h"
#include "kit/comboedit.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

QLineEdit *NewLineEdit(QWidget *parent, const QString &name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

QComboBox *NewListCombo(QWidget *parent, const QString &name, const QString &hint)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    SetHint(combo, hint);
    return combo;
}

TIntegerComboBox *NewIntegerCombo(QWidget *parent, const QString &name, int max)
{
    auto *combo = new TIntegerComboBox(parent);
    combo->setObjectName(name);
    combo->setMax(max);
    combo->setMin(0);
    combo->setValue(0);
    combo->setMinimumWidth(70);
    return combo;
}

TCurrencyEdit *NewAmountEdit(QWidget *parent, const QString &name, int decimals)
{
    auto *edit = new TCurrencyEdit(parent);
    edit->setObjectName(name);
    edit->setDecimalPlaces(decimals);
    edit->setDisplayFormat(decimals == 2 ? QStringLiteral(",0.00 ") : QStringLiteral(",0.###"));
    edit->setMinimumWidth(100);
    return edit;
}

TComboEdit *NewCategoryEdit(QWidget *parent, const QString &name)
{
    auto *edit = new TComboEdit(parent);
    edit->setObjectName(name);
    edit->setGlyphKind(TCustomComboEdit::gkEllipsis);
    edit->setButtonWidth(16);
    edit->setMaxLength(4000);
    return edit;
}

QLabel *BuddyLabel(const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

void FillList(QComboBox *combo, const QString &crList)
{
    combo->clear();
    combo->addItems(crList.split(QLatin1Char('\r'), Qt::SkipEmptyParts));
    combo->setCurrentIndex(-1);
}

QStringList ListEntries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

void MarkUnselected(QComboBox *combo, const QString &hint)
{
    MarkInvalid(combo, combo->currentIndex() < 0 ? hint : QString());
}

QString CategoryPathReason(const QString &path)
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("Nezadaná kategorie...");
    if (DM->FindCategoryByPath(path) == 0)
        return QStringLiteral("Tato kategorie neexistuje...");
    return {};
}
