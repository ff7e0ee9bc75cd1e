#pragma once
// Picks a colour from a fixed table, a swatch beside each name. Colours are
// the stored colour values: 0x00BBGGRR, system colours 0x80000000 + index,
// clNone 0x1FFFFFFF and clDefault 0x20000000.
#include "kit/ownerdrawcombo.h"

#include <QColor>
#include <QStringList>

#include <optional>

class TColorComboBox : public TOwnerDrawComboBox
{
    Q_OBJECT
    Q_PROPERTY(bool AllColors READ allColors WRITE setAllColors)
    Q_PROPERTY(TColorComboOptions Options READ options WRITE setOptions)
    Q_PROPERTY(bool DisplayNames READ displayNames WRITE setDisplayNames)
    Q_PROPERTY(QStringList ColorNames READ colorNames WRITE setColorNames)
    Q_PROPERTY(int ColorValue READ colorValue WRITE setColorValue)

public:
    enum TColorComboOption { coIncludeDefault = 1, coIncludeNone = 2, coIncludeOther = 4 };
    Q_DECLARE_FLAGS(TColorComboOptions, TColorComboOption)
    Q_FLAG(TColorComboOptions)

    static constexpr qint32 clBlack = 0x000000;
    static constexpr qint32 clRed = 0x0000FF;
    static constexpr qint32 clNone = 0x1FFFFFFF;
    static constexpr qint32 clDefault = 0x20000000;

    explicit TColorComboBox(QWidget *parent = nullptr);

    qint32 colorValue() const;
    void setColorValue(qint32 value);
    bool allColors() const { return allColorsFlag; }
    void setAllColors(bool value);
    TColorComboOptions options() const { return optionSet; }
    void setOptions(TColorComboOptions value);
    bool displayNames() const { return displayNamesFlag; }
    void setDisplayNames(bool value);
    QStringList colorNames() const { return names; }
    void setColorNames(const QStringList &value);

    // The colour an item holds.
    qint32 itemColor(int index) const;
    bool isOtherItem(int index) const;

    // The 46 colours of the table, and their default names.
    static const QList<qint32> &colorTable();
    static const QStringList &defaultColorNames();
    // The colour's identifier ("clRed", "clBtnFace"), or "$00BBGGRR".
    static QString colorIdent(qint32 color);
    // The screen colour of a stored colour value; system colours follow the palette.
    static QColor toQColor(qint32 color, const QPalette &palette);
    // Black when any channel is 193 or more, else white for a selected item
    // and the colour itself for another.
    static QColor swatchFrameColor(const QColor &color, bool selected);

    void drawItem(QPainter &painter, const QRect &rect, int index, bool selected) const override;

signals:
    void OnChange();

protected:
    // Asks for the "other" colour; nothing when the dialog was cancelled.
    virtual std::optional<qint32> chooseOtherColor(qint32 initial);
    void styleChanged() override { rebuild(); }

private:
    void rebuild();
    // Selects the item of the colour (or the "other" entry, or the text).
    void selectColor(qint32 value);
    void itemActivated(int index);
    void notifyChange();

    qint32 stored = clBlack;
    qint32 otherColor = clBlack;
    bool allColorsFlag = false;
    TColorComboOptions optionSet;
    bool displayNamesFlag = true;
    QStringList names;
    QStringList customColors;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TColorComboBox::TColorComboOptions)
