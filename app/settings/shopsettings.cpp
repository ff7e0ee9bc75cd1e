#include "app/settings/shopsettings.h"

namespace {

ShopSettings *registered = nullptr;

MemoryShopSettings &initialSettings()
{
    static MemoryShopSettings settings;
    return settings;
}

void appendOnce(QList<int> &list, int value)
{
    if (!list.contains(value))
        list.append(value);
}

} // namespace

ShopSettings &Settings()
{
    return registered ? *registered : initialSettings();
}

ShopSettings *SetShopSettings(ShopSettings *settings)
{
    ShopSettings *previous = registered;
    registered = settings;
    return previous;
}

QList<int> InitialWarrantyList()
{
    return {0, 6, 12, 24, 36};
}

QList<int> InitialDiscountList()
{
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 50, 100};
}

MemoryShopSettings::MemoryShopSettings()
    : zaruky(InitialWarrantyList())
    , slevy(InitialDiscountList())
{
    for (ItemField field :
         {ItemField::Oznaceni, ItemField::Polozka, ItemField::Nakup, ItemField::Prodej, ItemField::Mnozstvi})
        setRequired(field, true);
    for (ItemField field : {ItemField::Polozka, ItemField::Nakup, ItemField::Prodej, ItemField::Mnozstvi})
        setFlagged(field, true);
}

bool MemoryShopSettings::isRequired(ItemField field) const
{
    return required[int(field)];
}

bool MemoryShopSettings::isFlagged(ItemField field) const
{
    return flagged[int(field)];
}

int MemoryShopSettings::printerIndex(DocumentPrinter kind) const
{
    return printerIndexes[int(kind)];
}

QString MemoryShopSettings::printerName(DocumentPrinter kind) const
{
    return printerNames[int(kind)];
}

void MemoryShopSettings::addWarranty(int months)
{
    appendOnce(zaruky, months);
}

void MemoryShopSettings::addDiscount(int percent)
{
    appendOnce(slevy, percent);
}

void MemoryShopSettings::setRequired(ItemField field, bool value)
{
    required[int(field)] = value;
}

void MemoryShopSettings::setFlagged(ItemField field, bool value)
{
    flagged[int(field)] = value;
}

void MemoryShopSettings::setPrinter(DocumentPrinter kind, int index, const QString &name)
{
    printerIndexes[int(kind)] = index;
    printerNames[int(kind)] = name;
}
