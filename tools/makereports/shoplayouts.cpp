#include "shoplayouts.h"

QList<ShopLayout> ShopLayouts()
{
    return {{QStringLiteral("Prehled_Polozky_A4.vlf"), BuildItemOverview},
            {QStringLiteral("Prehled_Dokladu_A4.vlf"), BuildDocumentOverview},
            {QStringLiteral("Uctenka_A4.vlf"), BuildReceiptA4},
            {QStringLiteral("Uctenka_A5.vlf"), BuildReceiptA5},
            {QStringLiteral("Uctenka_Svitek.vlf"), BuildReceiptRoll},
            {QStringLiteral("Prijmovy_Doklad_A4.vlf"), BuildCashVoucher},
            {QStringLiteral("Faktura_A4.vlf"), BuildInvoice},
            {QStringLiteral("Dodaci_List_A4.vlf"), BuildDeliveryNote},
            {QStringLiteral("Storno_A4.vlf"), BuildCancellation}};
}
