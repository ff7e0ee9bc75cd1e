#include "kit/colorcombo.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int kStandardCount = 16;
constexpr int kAllCount = 44;
} // namespace

TColorComboBox::TColorComboBox(QWidget *parent)
    : TOwnerDrawComboBox(parent)
    , names(defaultColorNames())
{
    connect(this, qOverload<int>(&QComboBox::activated), this, &TColorComboBox::itemActivated);
    rebuild();
}

const QList<TColor> &TColorComboBox::colorTable()
{
    static const QList<TColor> table = [] {
        QList<TColor> t = {clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                           clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
        for (TColor system = clScrollBar; system <= clInfoBk; ++system)
            t << system;
        // Three extra colours as the table has them, then the special values.
        t << 0xA6CAF0 << clMoneyGreen << 0xFFFBF0 << clNone << clDefault;
        return t;
    }();
    return table;
}

const QStringList &TColorComboBox::defaultColorNames()
{
    static const QStringList list = {"Černá",
                                     "Vínová",
                                     "Zelená",
                                     "Olivová",
                                     "Tmavě modrá",
                                     "Fialová",
                                     "Tyrkysová",
                                     "Šedá",
                                     "Světle šedá",
                                     "Červená",
                                     "Světle zelená",
                                     "Žlutá",
                                     "Modrá",
                                     "Purpurová",
                                     "Azurová",
                                     "Bílá",
                                     "Posuvník",
                                     "Pozadí plochy",
                                     "Záhlaví aktivního okna",
                                     "Záhlaví neaktivního okna",
                                     "Nabídka",
                                     "Okno",
                                     "Rámeček okna",
                                     "Text nabídky",
                                     "Text v okně",
                                     "Text záhlaví",
                                     "Okraj aktivního okna",
                                     "Okraj neaktivního okna",
                                     "Pracovní plocha aplikace",
                                     "Vybraná položka",
                                     "Text vybrané položky",
                                     "Tlačítko",
                                     "Stín tlačítka",
                                     "Neaktivní text",
                                     "Text tlačítka",
                                     "Text záhlaví neaktivního okna",
                                     "Zvýraznění tlačítka",
                                     "Tmavý stín prostorových prvků",
                                     "Světlé prostorové prvky",
                                     "Text bublinové nápovědy",
                                     "Bublinová nápověda",
                                     "Krémová",
                                     "Mentolová",
                                     "Nebeská",
                                     "Žádná",
                                     "Výchozí"};
    return list;
}

QColor TColorComboBox::swatchColor(TColor color, const QPalette &palette)
{
    const QColor result = Colors::toQColor(color, palette);
    return result.isValid() ? result : palette.color(QPalette::Base); // clDefault
}

QColor TColorComboBox::swatchFrameColor(const QColor &color, bool selected)
{
    if (color.red() >= 193 || color.green() >= 193 || color.blue() >= 193)
        return Qt::black;
    return selected ? QColor(Qt::white) : color;
}

void TColorComboBox::rebuild()
{
    const QSignalBlocker quiet(this);
    clear();
    const QList<TColor> &table = colorTable();
    const int count = allColorsFlag ? kAllCount : kStandardCount;
    for (int position = 0; position < table.size(); ++position) {
        const TColor color = table[position];
        if (color == clDefault ? !optionSet.testFlag(coIncludeDefault)
            : color == clNone  ? !optionSet.testFlag(coIncludeNone)
                               : position >= count)
            continue;
        QString name = position < names.size() ? names[position] : QString();
        if (name.isEmpty())
            name = color == clDefault ? QStringLiteral("Default") : Colors::toString(color).mid(2);
        addItem(name, color);
    }
    if (optionSet.testFlag(coIncludeOther))
        addItem(QStringLiteral("Jiná..."), otherColor);
    selectColor(stored); // the stored value applies to the new list
}

TColor TColorComboBox::itemColor(int index) const
{
    return itemData(index).toInt();
}

bool TColorComboBox::isOtherItem(int index) const
{
    return optionSet.testFlag(coIncludeOther) && index == count() - 1 && index >= 0;
}

TColor TColorComboBox::colorValue() const
{
    if (!isEditable() || currentIndex() >= 0)
        return stored;
    const QString text = currentText();
    const int byName = findText(text, Qt::MatchFixedString);
    if (byName >= 0)
        return itemColor(byName);
    bool ok = false;
    const TColor number = text.toInt(&ok);
    return ok ? number : stored;
}

void TColorComboBox::setColorValue(TColor value)
{
    if (currentIndex() >= 0 && value == stored)
        return;
    const bool changed = value != stored;
    selectColor(value);
    if (changed)
        notifyChange();
}

void TColorComboBox::selectColor(TColor value)
{
    stored = value;
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i)
        if (!isOtherItem(i) && itemColor(i) == value)
            found = i;
    {
        const QSignalBlocker quiet(this);
        if (found >= 0) {
            setCurrentIndex(found);
        } else if (!isEditable()) {
            if (optionSet.testFlag(coIncludeOther)) {
                otherColor = value;
                setItemData(count() - 1, value);
                setCurrentIndex(count() - 1);
            } else {
                setCurrentIndex(-1);
            }
        } else {
            setCurrentIndex(-1);
            setEditText(Colors::toString(value).mid(2));
        }
    }
    update();
}

void TColorComboBox::notifyChange()
{
    if (!isLoading())
        emit OnChange();
}

void TColorComboBox::itemActivated(int index)
{
    if (isOtherItem(index)) {
        if (const std::optional<TColor> chosen = chooseOtherColor(otherColor)) {
            otherColor = *chosen;
            setItemData(index, otherColor);
            const bool changed = otherColor != stored;
            selectColor(otherColor);
            if (changed)
                notifyChange();
        } else {
            selectColor(stored); // back to the colour chosen before
        }
        return;
    }
    if (index >= 0)
        setColorValue(itemColor(index));
}

std::optional<TColor> TColorComboBox::chooseOtherColor(TColor initial)
{
    QColorDialog dialog(swatchColor(initial, palette()), this);
    for (int i = 0; i < customColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(customColors[i]));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    customColors.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        customColors << QColorDialog::customColor(i).name();
    return Colors::fromQColor(dialog.selectedColor());
}

void TColorComboBox::setAllColors(bool value)
{
    if (allColorsFlag == value)
        return;
    allColorsFlag = value;
    rebuild();
}

void TColorComboBox::setOptions(TColorComboOptions value)
{
    if (optionSet == value)
        return;
    optionSet = value;
    rebuild();
}

void TColorComboBox::setDisplayNames(bool value)
{
    displayNamesFlag = value;
    update();
    view()->viewport()->update();
}

void TColorComboBox::setColorNames(const QStringList &value)
{
    names = value;
    rebuild();
}

void TColorComboBox::drawItem(QPainter &painter, const QRect &rect, int index, bool selected) const
{
    const QPalette &pal = palette();
    painter.fillRect(rect, pal.color(selected ? QPalette::Highlight : QPalette::Base));
    const QColor color = swatchColor(itemColor(index), pal);
    const int right = displayNamesFlag ? rect.left() + 24 : rect.right() - 3;
    const QRect swatch(QPoint(rect.left() + 2, rect.top() + 2), QPoint(right, rect.bottom() - 2));
    painter.setPen(swatchFrameColor(color, selected));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.fillRect(swatch.adjusted(1, 1, -1, -1), color);
    if (displayNamesFlag) {
        painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(QRect(rect.left() + 28, rect.top(), rect.width() - 28, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
    }
}
