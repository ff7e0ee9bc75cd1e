#include "app/catalogue/itemcardsettings.h"

namespace {

ItemCardSettingsSource *registered = nullptr;

void appendOnce(QStringList &list, int value)
{
    const QString text = QString::number(value);
    if (!list.contains(text))
        list.append(text);
}

} // namespace

void MemoryItemCardSettings::addWarranty(int months)
{
    appendOnce(values.warranties, months);
}

void MemoryItemCardSettings::addDiscount(int percent)
{
    appendOnce(values.discounts, percent);
}

ItemCardSettingsSource &CardSettings()
{
    static MemoryItemCardSettings builtIn;
    return registered ? *registered : builtIn;
}

ItemCardSettingsSource *SetCardSettings(ItemCardSettingsSource *source)
{
    ItemCardSettingsSource *previous = registered;
    registered = source;
    return previous;
}
