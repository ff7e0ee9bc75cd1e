#include "app/print/reportvariables.h"

#include "app/print/printdata.h"
#include "app/settings/shopsettings.h"
#include "platform/formatdate.h"

#include <QHash>

namespace {

// The second line of the program credit.
const QString kCreditLine = QStringLiteral("prodej a sklad pro malé obchody");

} // namespace

std::optional<QString> TReportVariables::Value(const QString &name) const
{
    const QString key = name.toUpper();
    static const QHash<QString, QString> customer = {
        {QStringLiteral("ODBERATEL_NAZEV"), QStringLiteral("ODBERATEL")},
        {QStringLiteral("ODBERATEL_ADRESA"), QStringLiteral("ADRESA")},
        {QStringLiteral("ODBERATEL_IC"), QStringLiteral("IC")},
        {QStringLiteral("ODBERATEL_DIC"), QStringLiteral("DIC")},
        {QStringLiteral("ODBERATEL_TELEFON"), QStringLiteral("TELEFON")},
        {QStringLiteral("ODBERATEL_EMAIL"), QStringLiteral("EMAIL")},
    };
    if (const auto column = customer.constFind(key); column != customer.constEnd())
        return data.DocumentField(*column);

    using Getter = QString (ShopSettings::*)() const;
    static const QHash<QString, Getter> fromSettings = {
        {QStringLiteral("DODAVATEL_NAZEV"), &ShopSettings::companyName},
        {QStringLiteral("DODAVATEL_ADRESA"), &ShopSettings::companyAddress},
        {QStringLiteral("DODAVATEL_IC"), &ShopSettings::companyIc},
        {QStringLiteral("DODAVATEL_DIC"), &ShopSettings::companyDic},
        {QStringLiteral("DODAVATEL_TELEFON"), &ShopSettings::companyPhone},
        {QStringLiteral("DODAVATEL_EMAIL"), &ShopSettings::companyEmail},
        {QStringLiteral("BANKA_UCET"), &ShopSettings::bankAccount},
        {QStringLiteral("BANKA_KS"), &ShopSettings::constantSymbol},
        {QStringLiteral("BANKA_VS"), &ShopSettings::variableSymbol},
    };
    if (const auto getter = fromSettings.constFind(key); getter != fromSettings.constEnd())
        return (settings.*(*getter))();
    if (key == QLatin1String("BANKA_SPLATNOST"))
        return DateToStr(DateTimeConv::fromQDate(today.addDays(settings.dueDays())));
    // The two rates the layouts name are the VAT ids 2 and 3.
    if (key.startsWith(QLatin1String("DPH1_")) || key.startsWith(QLatin1String("DPH2_"))) {
        const int vatId = key[3] == u'1' ? 2 : 3;
        if (key.endsWith(QLatin1String("_DPH")))
            return VatRateCaption(data, vatId);
        if (key.endsWith(QLatin1String("_ZAKLAD")))
            return PriceWithoutVatCaption(data, vatId);
    }
    if (key == QLatin1String("POZNAMKA"))
        return settings.documentNote() + note;
    if (key == QLatin1String("VYTISTENO"))
        return QStringLiteral("software ") + appTitle + u'\n' + kCreditLine;
    return std::nullopt;
}
