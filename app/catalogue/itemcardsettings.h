#pragma once
// What the item card takes from the shop's settings: which fields are
// required and how long the mark and the code must be, the warranty and
// discount lists with their defaults and the default mark-up. The card reads
// them anew at every use, so a change of the settings counts at once; values
// typed into the card's warranty and discount boxes go back into the lists.
#include <QStringList>

struct ItemCardSettings
{
    bool markRequired = true;
    int markLength = 8; // 0: any non-empty mark
    bool codeRequired = false;
    int codeLength = 13;
    bool nameRequired = true;
    bool specificationRequired = false;
    bool purchaseRequired = true;
    bool saleRequired = true;
    bool quantityRequired = true;
    bool stockRequired = false;
    bool minimumRequired = false;
    QStringList warranties{"0", "6", "12", "24", "36"};
    QStringList discounts{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "25", "50", "100"};
    int defaultWarranty = 24;
    int defaultDiscount = 0;
    int defaultMargin = 20;
};

class ItemCardSettingsSource
{
public:
    virtual ~ItemCardSettingsSource() = default;
    virtual ItemCardSettings read() const = 0;
    // Appends a value the user typed to the list and saves the settings.
    virtual void addWarranty(int months) = 0;
    virtual void addDiscount(int percent) = 0;
};

// Settings kept in memory: the shop's defaults until the program registers
// its settings screen, and the tests' own.
class MemoryItemCardSettings : public ItemCardSettingsSource
{
public:
    ItemCardSettings values;
    ItemCardSettings read() const override { return values; }
    void addWarranty(int months) override;
    void addDiscount(int percent) override;
};

// The source in force; never null.
ItemCardSettingsSource &CardSettings();
// Registers a source (not owned); nullptr goes back to the built-in one.
// Returns the one set before.
ItemCardSettingsSource *SetCardSettings(ItemCardSettingsSource *source);
