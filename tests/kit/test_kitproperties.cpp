// The settings files name the kit controls' properties and enumeration values;
// these names must stay as they are.
#include "kit/colorcombo.h"
#include "kit/comboedit.h"
#include "kit/folderdialog.h"
#include "kit/intedit.h"
#include "kit/numedit.h"
#include "kit/printercombo.h"
#include "kit/propsstorage.h"
#include "kit/realedit.h"
#include "kit/searchedit.h"
#include "kit/splitter.h"

#include <QMetaProperty>
#include <gtest/gtest.h>

namespace {

QMetaProperty property(const QObject &object, const char *name)
{
    const QMetaObject *meta = object.metaObject();
    return meta->property(meta->indexOfProperty(name));
}

QString enumText(const QObject &object, const char *name)
{
    const QMetaProperty p = property(object, name);
    const QVariant value = p.read(&object);
    return p.isFlagType() ? QString::fromLatin1(p.enumerator().valueToKeys(value.toInt()))
                          : QString::fromLatin1(p.enumerator().valueToKey(value.toInt()));
}

} // namespace

TEST(KitProperties, EnumerationsReadAndWriteByTheirOriginalNames)
{
    TCurrencyEdit money;
    EXPECT_EQ(enumText(money, "Alignment"), "taRightJustify");
    EXPECT_EQ(enumText(money, "GlyphKind"), "gkDropDown");
    TSearchEdit search;
    EXPECT_EQ(enumText(search, "SearchEditStyle"), "sesAll");
    TKxSplitter splitter;
    EXPECT_EQ(enumText(splitter, "Align"), "alNone");
    TPrinterComboBox printers;
    EXPECT_EQ(enumText(printers, "IconSize"), "tiSmallIcon");
    TColorComboBox colours;
    EXPECT_EQ(enumText(colours, "Style"), "csDropDownList");
    colours.setOptions(TColorComboBox::coIncludeNone | TColorComboBox::coIncludeOther);
    EXPECT_EQ(enumText(colours, "Options"), "coIncludeNone|coIncludeOther");
    TFolderDialog folder;
    EXPECT_EQ(enumText(folder, "RootFolder"), "foDesktopExpanded");
    EXPECT_EQ(enumText(folder, "Flags"), "ShowPath|NewDialogStyle|ShowShared");

    const QMetaProperty alignment = property(money, "Alignment");
    bool ok = false;
    const int centre = alignment.enumerator().keyToValue("taCenter", &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(alignment.write(&money, centre));
    EXPECT_EQ(money.alignmentValue(), Kx::taCenter);
}

TEST(KitProperties, TheUserPropertyAnnouncesChangesThroughOnChange)
{
    // Forms connect their change handlers to the user property's signal.
    TComboEdit combo;
    TCurrencyEdit money;
    TIntegerEdit integer;
    TIntegerComboBox integerCombo;
    TRealEdit real;
    TColorComboBox colour;
    TPrinterComboBox printer;
    for (QObject *control :
         std::initializer_list<QObject *>{&combo, &money, &integer, &integerCombo, &real, &colour, &printer}) {
        const QMetaProperty user = control->metaObject()->userProperty();
        ASSERT_TRUE(user.isValid()) << control->metaObject()->className();
        EXPECT_EQ(user.notifySignal().name(), "OnChange") << control->metaObject()->className();
    }
}

TEST(KitProperties, StorageRoundTripOfTheSettingsControls)
{
    TCurrencyEdit price;
    price.setObjectName("CurrencyEdit_Cena");
    price.setValue(12.5);
    TIntegerEdit days;
    days.setValue(30);
    TColorComboBox colour;
    colour.setColorValue(clRed);
    EXPECT_EQ(TPropsStorage::PropertyText(&price, property(price, "Value")), "12.5");
    EXPECT_EQ(TPropsStorage::PropertyText(&days, property(days, "Text")), "30");
    EXPECT_EQ(TPropsStorage::PropertyText(&colour, property(colour, "ColorValue")), "255");
    EXPECT_FALSE(property(days, "Value").isStored()) << "the integer edits store their text";
    EXPECT_LT(property(days, "Max").propertyIndex(), property(days, "Min").propertyIndex()) << "Max is read before Min";
    TPrinterComboBox printers;
    EXPECT_LT(property(printers, "PrinterIndex").propertyIndex(), property(printers, "PrinterName").propertyIndex())
        << "the name, read last, corrects a position that moved";
}
