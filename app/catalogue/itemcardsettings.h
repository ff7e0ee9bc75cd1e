#pragma once
// What the item card takes from the shop's settings: which fields are
// required and how long the mark and the code must be, the warranty and
// discount lists with their defaults and the default mark-up. The card reads
// them anew at every use, so a change of the settings counts at once.
#include <QStringList>
#include <optional>

struct ItemCardSettings
{
    bool markRequired = true;
    int markLength = 8; // 0: any non-empty mark
    bool codeRequired = false;
    int codeLength = 13;
    bool nameRequired = true;
    bool specifikaceRequired = false;
    bool purchaseRequired = true;
    bool saleRequired = true;
    bool quantityRequired = true;
    bool stockRequired = false;
    bool minimumRequired = false;
    QStringList warranties;
    QStringList discounts;
    int defaultWarranty = 24;
    int defaultDiscount = 0;
    int defaultMargin = 20;
};

// The shop's settings as they stand now.
ItemCardSettings ReadItemCardSettings();
// Values typed on the card that the settings' lists lack join them, and the
// settings are saved. A warranty the card only kept as stored is not offered.
void KeepTypedValues(std::optional<int> warranty, int discount);
