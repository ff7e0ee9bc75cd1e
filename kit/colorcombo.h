#pragma once
// Picks a colour from a fixed table, a swatch beside each name. Colours are
// the stored colour values: 0x00BBGGRR, system colours 0x80000000 + index,
// clNone 0x1FFFFFFF and clDefault 0x20000000.
#include "kit/ownerdrawcombo.h"
#include "platform/colors.h"

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
    Q_PROPERTY(int ColorValue READ colorValue WRITE setColorValue NOTIFY OnChange USER true)

public:
    enum TColorComboOption { coIncludeDefault = 1, coIncludeNone = 2, coIncludeOther = 4 };
    Q_DECLARE_FLAGS(TColorComboOptions, TColorComboOption)
    Q_FLAG(TColorComboOptions)

    explicit TColorComboBox(QWidget *parent = nullptr);

    TColor colorValue() const;
    void setColorValue(TColor value);
    bool allColors() const { return allColorsFlag; }
    void setAllColors(bool value);
    TColorComboOptions options() const { return optionSet; }
    void setOptions(TColorComboOptions value);
    bool displayNames() const { return displayNamesFlag; }
    void setDisplayNames(bool value);
    QStringList colorNames() const { return names; }
    void setColorNames(const QStringList &value);

    // The colour an item holds.
    TColor itemColor(int index) const;
    bool isOtherItem(int index) const;

    // The 46 colours of the table, and their default names.
    static const QList<TColor> &colorTable();
    static const QStringList &defaultColorNames();
    // The screen colour of a swatch; system colours follow the palette.
    static QColor swatchColor(TColor color, const QPalette &palette);
    // Black when any channel is 193 or more, else white for a selected item
    // and the colour itself for another.
    static QColor swatchFrameColor(const QColor &color, bool selected);

    void drawItem(QPainter &painter, const QRect &rect, int index, bool selected) const override;

signals:
    void OnChange();

protected:
    // Asks for the "other" colour; nothing when the dialog was cancelled.
    virtual std::optional<TColor> chooseOtherColor(TColor initial);
    void styleChanged() override { rebuild(); }

private:
    void rebuild();
    // Selects the item of the colour (or the "other" entry, or the text).
    void selectColor(TColor value);
    void itemActivated(int index);
    void notifyChange();

    TColor stored = clBlack;
    TColor otherColor = clBlack;
    bool allColorsFlag = false;
    TColorComboOptions optionSet;
    bool displayNamesFlag = true;
    QStringList names;
    QStringList customColors;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TColorComboBox::TColorComboOptions)
