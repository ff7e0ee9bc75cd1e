// Catalogue operations on VAT rates, stores, contacts and units.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include <cmath>

namespace {
const QString KeyDph = QStringLiteral("ID_DPH"), KeySklad = QStringLiteral("ID_SKLAD"),
              KeyKontakt = QStringLiteral("ID_KONTAKT"), KeyJednotka = QStringLiteral("ID_JEDNOTKA");

TDMCall::Params contactParams(const TDMContact &c)
{
    return {{"@KONTAKT", c.KONTAKT},  {"@IC", c.IC},           {"@DIC", c.DIC},
            {"@ADRESA", c.ADRESA},    {"@TELEFON", c.TELEFON}, {"@MOBIL", c.MOBIL},
            {"@EMAIL", c.EMAIL},      {"@WWW", c.WWW},         {"@OSOBA", c.OSOBA},
            {"@POZNAMKA", c.POZNAMKA}};
}

// A rate with decimals keeps them in the caption (10.5 is not "10").
QString rateText(const Variant &rate)
{
    const double value = rate.toDouble();
    const Currency fixed = Currency::fromDouble(std::round(value * 100) / 100);
    return fixed.toString().replace(QLatin1Char('.'), QLatin1Char(','));
}
} // namespace

// ---- VAT
int TDM::VatIdByRate(Currency rate)
{
    return int(m_call->returnValue(DMProc::tab_dph_ID_DPH, {{"@DPH", rate}}).toInt());
}

QString TDM::VatRateText(int id, bool withCaption)
{
    const QString rate = rateText(m_call->returnValue(DMProc::tab_dph_func_DPH, {{"@ID_DPH", id}}));
    return withCaption ? QStringLiteral("Dph (%1 (ID: %2))").arg(rate).arg(id) : rate;
}

Currency TDM::DefaultVatRate()
{
    return Currency::fromDouble(m_call->returnValue(DMProc::tab_dph_func_VYCHOZI_DPH).toDouble());
}

QString TDM::VatRateList()
{
    return m_call->returnValue(DMProc::tab_dph_func_NACIST_SEZNAM_DPH).toString();
}

bool TDM::SetDefaultVat(int id)
{
    return listWrite(MSSQLADOQuery_Dph, KeyDph, [&] {
        return m_call->returnBool(DMProc::tab_dph_NASTAVENI_VYCHOZI_DPH, {{"@ID_DPH", id}});
    });
}

bool TDM::EditVat(int id, Currency rate)
{
    return listWrite(MSSQLADOQuery_Dph, KeyDph, [&] {
        return m_call->returnBool(DMProc::tab_dph_EDITOVAT_DPH, {{"@ID_DPH", id}, {"@DPH", rate}});
    });
}

// A document line keeps the rate's entry, not its value: an edit of the
// rate changes what every document using it shows and prints.
std::optional<bool> TDM::vatRateInDocuments(int id)
{
    const Db::Result used = connection().execPrepared(
        QStringLiteral("SELECT EXISTS (SELECT 1 FROM tab_historie WHERE ID_DPH = $1 AND ID_OPERACE BETWEEN 1 AND 6)"),
        {Db::Param::of(QString::number(id))});
    if (!used.hasRows())
        return std::nullopt;
    return used.cellText(0, 0) == QLatin1String("t");
}

// ---- stores
int TDM::StoreCount()
{
    return int(m_call->returnValue(DMProc::tab_sklad_POCET).toInt());
}

int TDM::StoreItemCount(int id)
{
    return int(m_call->returnValue(DMProc::tab_sklad_REFERENCE, {{"@ID_SKLAD", id}}).toInt());
}

bool TDM::StoreNameExists(const QString &name)
{
    return nameTaken(name, DMProc::tab_sklad_SKLAD_EXISTUJE, {{"@SKLAD", name}});
}

bool TDM::StoreNameExistsOther(int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_sklad_SKLAD_EXISTUJE_2, {{"@ID_SKLAD", id}, {"@SKLAD", name}});
}

int TDM::StoreIdByName(const QString &name)
{
    return int(m_call->returnValue(DMProc::tab_sklad_ID_SKLAD, {{"@SKLAD", name}}).toInt());
}

QString TDM::StoreName(int id)
{
    return m_call->returnValue(DMProc::tab_sklad_func_SKLAD, {{"@ID_SKLAD", id}}).toString();
}

QString TDM::StoreCaption(int id, bool withCaption)
{
    return caption(QStringLiteral("Sklad (%s (ID: %d))"), DMProc::tab_sklad_func_SKLAD, QStringLiteral("@ID_SKLAD"), id,
                   withCaption);
}

int TDM::StoreRootCategoryId(int id)
{
    return int(m_call->returnValue(DMProc::tab_sklad_ID_KATEGORIE, {{"@ID_SKLAD", id}}).toInt());
}

int TDM::DefaultStoreId()
{
    return int(m_call->returnValue(DMProc::tab_sklad_VYCHOZI_ID_SKLAD).toInt());
}

QString TDM::StoreList()
{
    return m_call->returnValue(DMProc::tab_sklad_func_NACIST_SEZNAM_SKLADU).toString();
}

bool TDM::SetDefaultStore(int id)
{
    return listWrite(MSSQLADOQuery_Sklad, KeySklad, [&] {
        return m_call->returnBool(DMProc::tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU, {{"@ID_SKLAD", id}});
    });
}

bool TDM::NewStore(const QString &name, int categoryId)
{
    return listInsert(MSSQLADOQuery_Sklad, KeySklad, [&](int &id) {
        return m_call->returnId(DMProc::tab_sklad_NOVY_SKLAD, {{"@SKLAD", name}, {"@ID_KATEGORIE", categoryId}}, id);
    });
}

bool TDM::EditStore(int id, const QString &name, int categoryId)
{
    return listWrite(MSSQLADOQuery_Sklad, KeySklad, [&] {
        return m_call->returnBool(DMProc::tab_sklad_EDITOVAT_SKLAD,
                                  {{"@ID_SKLAD", id}, {"@SKLAD", name}, {"@ID_KATEGORIE", categoryId}});
    });
}

bool TDM::RemoveStore(int id)
{
    return listWrite(MSSQLADOQuery_Sklad, KeySklad, [&] {
        return m_call->returnBool(DMProc::tab_sklad_ODEBRAT_SKLAD, {{"@ID_SKLAD", id}});
    });
}

// ---- contacts
int TDM::ContactCount()
{
    return int(m_call->returnValue(DMProc::tab_kontakt_POCET).toInt());
}

bool TDM::ContactReferenced(int id)
{
    return m_call->returnValue(DMProc::tab_kontakt_REFERENCE, {{"@ID_KONTAKT", id}}).toBool();
}

bool TDM::ContactNameExists(const QString &name)
{
    return nameTaken(name, DMProc::tab_kontakt_KONTAKT_EXISTUJE, {{"@KONTAKT", name}});
}

bool TDM::ContactNameExistsOther(int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_kontakt_KONTAKT_EXISTUJE_2, {{"@ID_KONTAKT", id}, {"@KONTAKT", name}});
}

int TDM::ContactIdByName(const QString &name)
{
    return int(m_call->returnValue(DMProc::tab_kontakt_ID_KONTAKT, {{"@KONTAKT", name}}).toInt());
}

QString TDM::ContactCaption(int id, bool withCaption)
{
    return caption(QStringLiteral("Kontakt (%s (ID: %d))"), DMProc::tab_kontakt_func_KONTAKT,
                   QStringLiteral("@ID_KONTAKT"), id, withCaption);
}

QString TDM::DefaultSupplierName()
{
    return m_call->returnValue(DMProc::tab_kontakt_func_VYCHOZI_DODAVATEL).toString();
}

QString TDM::DefaultCustomerName()
{
    return m_call->returnValue(DMProc::tab_kontakt_func_VYCHOZI_ODBERATEL).toString();
}

QString TDM::ContactList()
{
    return m_call->returnValue(DMProc::tab_kontakt_func_NACIST_SEZNAM_KONTAKTU).toString();
}

bool TDM::SetDefaultSupplier(int id)
{
    return listWrite(MSSQLADOQuery_Kontakt, KeyKontakt, [&] {
        return m_call->returnBool(DMProc::tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_DODAVATEL, {{"@ID_KONTAKT", id}});
    });
}

bool TDM::SetDefaultCustomer(int id)
{
    return listWrite(MSSQLADOQuery_Kontakt, KeyKontakt, [&] {
        return m_call->returnBool(DMProc::tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_ODBERATEL, {{"@ID_KONTAKT", id}});
    });
}

bool TDM::NewContact(const TDMContact &contact)
{
    return listInsert(MSSQLADOQuery_Kontakt, KeyKontakt, [&](int &id) {
        return m_call->returnId(DMProc::tab_kontakt_NOVY_KONTAKT, contactParams(contact), id);
    });
}

bool TDM::EditContact(int id, const TDMContact &contact)
{
    TDMCall::Params params = contactParams(contact);
    params.insert(params.begin(), {"@ID_KONTAKT", id});
    return listWrite(MSSQLADOQuery_Kontakt, KeyKontakt,
                     [&] { return m_call->returnBool(DMProc::tab_kontakt_EDITOVAT_KONTAKT, params); });
}

bool TDM::RemoveContact(int id)
{
    return listWrite(MSSQLADOQuery_Kontakt, KeyKontakt, [&] {
        return m_call->returnBool(DMProc::tab_kontakt_ODEBRAT_KONTAKT, {{"@ID_KONTAKT", id}});
    });
}

// ---- units
int TDM::UnitCount()
{
    return int(m_call->returnValue(DMProc::tab_jednotka_POCET).toInt());
}

bool TDM::UnitReferenced(int id)
{
    return m_call->returnValue(DMProc::tab_jednotka_REFERENCE, {{"@ID_JEDNOTKA", id}}).toBool();
}

bool TDM::UnitNameExists(const QString &name)
{
    return nameTaken(name, DMProc::tab_jednotka_JEDNOTKA_EXISTUJE, {{"@JEDNOTKA", name}});
}

bool TDM::UnitNameExistsOther(int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_jednotka_JEDNOTKA_EXISTUJE_2, {{"@ID_JEDNOTKA", id}, {"@JEDNOTKA", name}});
}

int TDM::UnitIdByName(const QString &name)
{
    return int(m_call->returnValue(DMProc::tab_jednotka_ID_JEDNOTKA, {{"@JEDNOTKA", name}}).toInt());
}

QString TDM::UnitCaption(int id, bool withCaption)
{
    return caption(QStringLiteral("Jednotka (%s (ID: %d))"), DMProc::tab_jednotka_func_JEDNOTKA,
                   QStringLiteral("@ID_JEDNOTKA"), id, withCaption);
}

// The column is single precision: the value is rounded at seven decimals
// first, so a stored 0.1 comes back as exactly 0.1000.
Currency TDM::UnitMinimum(int id)
{
    const double value = m_call->returnValue(DMProc::tab_jednotka_func_MINIMUM, {{"@ID_JEDNOTKA", id}}).toDouble();
    return Currency::fromDouble(std::round(value * 10000000.0) / 10000000.0);
}

bool TDM::UnitMultiplesOnly(int id)
{
    return m_call->returnValue(DMProc::tab_jednotka_NASOBNE, {{"@ID_JEDNOTKA", id}}).toBool();
}

QString TDM::DefaultUnitName()
{
    return m_call->returnValue(DMProc::tab_jednotka_func_VYCHOZI_JEDNOTKA).toString();
}

QString TDM::UnitList()
{
    return m_call->returnValue(DMProc::tab_jednotka_func_NACIST_SEZNAM_JEDNOTEK).toString();
}

bool TDM::SetDefaultUnit(int id)
{
    return listWrite(MSSQLADOQuery_Jednotka, KeyJednotka, [&] {
        return m_call->returnBool(DMProc::tab_jednotka_NASTAVENI_VYCHOZI_JEDNOTKY, {{"@ID_JEDNOTKA", id}});
    });
}

bool TDM::NewUnit(const QString &name, const QString &specifikace, Currency minimum)
{
    return listInsert(MSSQLADOQuery_Jednotka, KeyJednotka, [&](int &id) {
        return m_call->returnId(DMProc::tab_jednotka_NOVA_JEDNOTKA,
                                {{"@JEDNOTKA", name}, {"@SPECIFIKACE", specifikace}, {"@MINIMUM", minimum}}, id);
    });
}

bool TDM::EditUnit(int id, const QString &name, const QString &specifikace, Currency minimum)
{
    return listWrite(MSSQLADOQuery_Jednotka, KeyJednotka, [&] {
        return m_call->returnBool(
            DMProc::tab_jednotka_EDITOVAT_JEDNOTKU,
            {{"@ID_JEDNOTKA", id}, {"@JEDNOTKA", name}, {"@SPECIFIKACE", specifikace}, {"@MINIMUM", minimum}});
    });
}

bool TDM::RemoveUnit(int id)
{
    return listWrite(MSSQLADOQuery_Jednotka, KeyJednotka, [&] {
        return m_call->returnBool(DMProc::tab_jednotka_ODEBRAT_JEDNOTKU, {{"@ID_JEDNOTKA", id}});
    });
}
