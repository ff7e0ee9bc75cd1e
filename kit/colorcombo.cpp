#include "kit/colorcombo.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int kStandardCount = 16;
constexpr int kAllCount = 44;
constexpr qint32 kSystem = qint32(0x80000000u);

const char *const kIdents[] = {
    "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray",
    "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite",
    "clScrollBar", "clBackground", "clActiveCaption", "clInactiveCaption", "clMenu", "clWindow",
    "clWindowFrame", "clMenuText", "clWindowText", "clCaptionText", "clActiveBorder",
    "clInactiveBorder", "clAppWorkSpace", "clHighlight", "clHighlightText", "clBtnFace",
    "clBtnShadow", "clGrayText", "clBtnText", "clInactiveCaptionText", "clBtnHighlight",
    "cl3DDkShadow", "cl3DLight", "clInfoText", "clInfoBk"};

// Palette stand-ins for the 25 system colours, by index.
QColor systemColor(int index, const QPalette &p)
{
    using R = QPalette::ColorRole;
    static const R roles[25] = {R::Button, R::Dark, R::Highlight, R::Mid, R::Window, R::Base,
                                R::Shadow, R::WindowText, R::Text, R::HighlightedText,
                                R::Button, R::Button, R::Dark, R::Highlight,
                                R::HighlightedText, R::Button, R::Dark, R::Text,
                                R::ButtonText, R::Light, R::Light, R::Shadow, R::Midlight,
                                R::ToolTipText, R::ToolTipBase};
    if (index == 17)
        return p.color(QPalette::Disabled, QPalette::Text); // gray text
    return index >= 0 && index < 25 ? p.color(roles[index]) : QColor(Qt::black);
}

} // namespace

TColorComboBox::TColorComboBox(QWidget *parent)
    : TOwnerDrawComboBox(parent)
    , names(defaultColorNames())
{
    connect(this, qOverload<int>(&QComboBox::activated), this, &TColorComboBox::itemActivated);
    rebuild();
}

const QList<qint32> &TColorComboBox::colorTable()
{
    static const QList<qint32> table = [] {
        QList<qint32> t = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                           0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                           0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        for (int i = 0; i <= 0x18; ++i)
            t << (kSystem | i);
        t << 0xA6CAF0 << 0xC0DCC0 << 0xFFFBF0 << clNone << clDefault;
        return t;
    }();
    return table;
}

const QStringList &TColorComboBox::defaultColorNames()
{
    static const QStringList list = {
        "Černá", "Vínová", "Zelená", "Olivová", "Tmavě modrá", "Fialová", "Tyrkysová", "Šedá",
        "Světle šedá", "Červená", "Světle zelená", "Žlutá", "Modrá", "Purpurová", "Azurová",
        "Bílá", "Posuvník", "Pozadí plochy", "Záhlaví aktivního okna",
        "Záhlaví neaktivního okna", "Nabídka", "Okno", "Rámeček okna", "Text nabídky",
        "Text v okně", "Text záhlaví", "Okraj aktivního okna", "Okraj neaktivního okna",
        "Pracovní plocha aplikace", "Vybraná položka", "Text vybrané položky", "Tlačítko",
        "Stín tlačítka", "Neaktivní text", "Text tlačítka", "Text záhlaví neaktivního okna",
        "Zvýraznění tlačítka", "Tmavý stín prostorových prvků", "Světlé prostorové prvky",
        "Text bublinové nápovědy", "Bublinová nápověda", "Krémová", "Mentolová", "Nebeská",
        "Žádná", "Výchozí"};
    return list;
}

QString TColorComboBox::colorIdent(qint32 color)
{
    const int position = int(colorTable().indexOf(color));
    if (position >= 0 && position < int(std::size(kIdents)))
        return QString::fromLatin1(kIdents[position]);
    switch (color) {
    case 0xC0DCC0: return QStringLiteral("clMoneyGreen");
    case clNone: return QStringLiteral("clNone");
    case clDefault: return QStringLiteral("clDefault");
    default: break;
    }
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

QColor TColorComboBox::toQColor(qint32 color, const QPalette &palette)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color == clDefault)
        return palette.color(QPalette::Base);
    if (color & kSystem)
        return systemColor(color & 0xFF, palette);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
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
    const QList<qint32> &table = colorTable();
    const int count = allColorsFlag ? kAllCount : kStandardCount;
    for (int position = 0; position < table.size(); ++position) {
        const qint32 color = table[position];
        if (color == clDefault ? !optionSet.testFlag(coIncludeDefault)
            : color == clNone  ? !optionSet.testFlag(coIncludeNone)
                               : position >= count)
            continue;
        QString name = position < names.size() ? names[position] : QString();
        if (name.isEmpty())
            name = color == clDefault ? QStringLiteral("Default") : colorIdent(color).mid(2);
        addItem(name, color);
    }
    if (optionSet.testFlag(coIncludeOther))
        addItem(QStringLiteral("Jiná..."), otherColor);
    selectColor(stored); // the stored value applies to the new list
}

qint32 TColorComboBox::itemColor(int index) const
{
    return itemData(index).toInt();
}

bool TColorComboBox::isOtherItem(int index) const
{
    return optionSet.testFlag(coIncludeOther) && index == count() - 1 && index >= 0;
}

qint32 TColorComboBox::colorValue() const
{
    if (!isEditable() || currentIndex() >= 0)
        return stored;
    const QString text = currentText();
    const int byName = findText(text, Qt::MatchFixedString);
    if (byName >= 0)
        return itemColor(byName);
    bool ok = false;
    const qint32 number = text.toInt(&ok);
    return ok ? number : stored;
}

void TColorComboBox::setColorValue(qint32 value)
{
    if (currentIndex() >= 0 && value == stored)
        return;
    const bool changed = value != stored;
    selectColor(value);
    if (changed)
        notifyChange();
}

void TColorComboBox::selectColor(qint32 value)
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
            setEditText(colorIdent(value).mid(2));
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
        if (const std::optional<qint32> chosen = chooseOtherColor(otherColor)) {
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

std::optional<qint32> TColorComboBox::chooseOtherColor(qint32 initial)
{
    QColorDialog dialog(toQColor(initial, palette()), this);
    for (int i = 0; i < customColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(customColors[i]));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    customColors.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        customColors << QColorDialog::customColor(i).name();
    const QColor c = dialog.selectedColor();
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
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
    const QColor color = toQColor(itemColor(index), pal);
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
