#include "app/catalogue/itemcardsettings.h"

#include "app/catalogue/itemrules.h"
#include "app/settings/shopsettings.h"

namespace {

QStringList texts(const QList<int> &values)
{
    QStringList list;
    for (int value : values)
        list << QString::number(value);
    return list;
}

} // namespace

ItemCardSettings ReadItemCardSettings()
{
    const ShopSettings &shop = Settings();
    ItemCardSettings s;
    s.markRequired = shop.isRequired(ItemField::Oznaceni);
    s.markLength = shop.oznaceniLength();
    s.codeRequired = shop.isRequired(ItemField::Kod);
    s.codeLength = shop.kodLength();
    s.nameRequired = shop.isRequired(ItemField::Polozka);
    s.specifikaceRequired = shop.isRequired(ItemField::Specifikace);
    s.purchaseRequired = shop.isRequired(ItemField::Nakup);
    s.saleRequired = shop.isRequired(ItemField::Prodej);
    s.quantityRequired = shop.isRequired(ItemField::Mnozstvi);
    s.stockRequired = shop.isRequired(ItemField::Zasoba);
    s.minimumRequired = shop.isRequired(ItemField::Minimum);
    s.warranties = texts(shop.warrantyList());
    s.discounts = texts(shop.discountList());
    s.defaultWarranty = shop.defaultWarranty();
    s.defaultDiscount = shop.defaultDiscount();
    s.defaultMargin = shop.defaultMargin();
    return s;
}

void KeepTypedValues(std::optional<int> warranty, int discount)
{
    ShopSettings &shop = Settings();
    if (warranty && ItemRules::isNewListValue(texts(shop.warrantyList()), QString::number(*warranty)))
        shop.addWarranty(*warranty);
    if (ItemRules::isNewListValue(texts(shop.discountList()), QString::number(discount)))
        shop.addDiscount(discount);
    shop.save();
}
