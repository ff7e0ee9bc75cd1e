#pragma once
// The procedures and functions the data module calls, by the names the
// creation script gives them: each is written once, here. DMProc::<name> is
// the name as text; DMProc::All() lists them all, so a test can find each in
// a new database and a misspelt name fails there.
#include <QString>
#include <QStringList>

// clang-format off
#define TARMIL_DM_PROCEDURES(X) \
    X(tab_doklad_LZE_STORNOVAT) \
    X(tab_doklad_POCET) \
    X(tab_doklad_STORNO) \
    X(tab_dph_EDITOVAT_DPH) \
    X(tab_dph_ID_DPH) \
    X(tab_dph_NASTAVENI_VYCHOZI_DPH) \
    X(tab_dph_func_DPH) \
    X(tab_dph_func_NACIST_SEZNAM_DPH) \
    X(tab_dph_func_VYCHOZI_DPH) \
    X(tab_filtr_EDITOVAT_FILTR) \
    X(tab_filtr_FILTR_EXISTUJE) \
    X(tab_filtr_FILTR_EXISTUJE_2) \
    X(tab_filtr_NOVY_FILTR) \
    X(tab_filtr_ODEBRAT_FILTR) \
    X(tab_filtr_POCET) \
    X(tab_filtr_func_FILTR) \
    X(tab_filtr_func_SCRIPT) \
    X(tab_historie_POCET) \
    X(tab_jednotka_EDITOVAT_JEDNOTKU) \
    X(tab_jednotka_ID_JEDNOTKA) \
    X(tab_jednotka_JEDNOTKA_EXISTUJE) \
    X(tab_jednotka_JEDNOTKA_EXISTUJE_2) \
    X(tab_jednotka_NASOBNE) \
    X(tab_jednotka_NASTAVENI_VYCHOZI_JEDNOTKY) \
    X(tab_jednotka_NOVA_JEDNOTKA) \
    X(tab_jednotka_ODEBRAT_JEDNOTKU) \
    X(tab_jednotka_POCET) \
    X(tab_jednotka_REFERENCE) \
    X(tab_jednotka_func_JEDNOTKA) \
    X(tab_jednotka_func_MINIMUM) \
    X(tab_jednotka_func_NACIST_SEZNAM_JEDNOTEK) \
    X(tab_jednotka_func_VYCHOZI_JEDNOTKA) \
    X(tab_kategorie_EDITOVAT_KATEGORII) \
    X(tab_kategorie_ID_KATEGORIE) \
    X(tab_kategorie_ID_KATEGORIE_EXISTUJE) \
    X(tab_kategorie_KATEGORIE_EXISTUJE) \
    X(tab_kategorie_KATEGORIE_EXISTUJE_2) \
    X(tab_kategorie_KATEGORIE_EXISTUJE_3) \
    X(tab_kategorie_KOPIROVAT_KATEGORII) \
    X(tab_kategorie_NACIST_DLE_ID_KATEGORIE) \
    X(tab_kategorie_NASTAVENI_VYCHOZI_ID_KATEGORIE) \
    X(tab_kategorie_NOVA_KATEGORIE) \
    X(tab_kategorie_ODEBRAT_KATEGORII) \
    X(tab_kategorie_POCET) \
    X(tab_kategorie_POCET_2) \
    X(tab_kategorie_PREJMENOVAT_KATEGORII) \
    X(tab_kategorie_PRESUNOUT_KATEGORII) \
    X(tab_kategorie_VYCHOZI_ID_KATEGORIE) \
    X(tab_kategorie_func_KATEGORIE) \
    X(tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII) \
    X(tab_kategorie_func_PATH_ID_KATEGORIE) \
    X(tab_kategorie_func_PATH_KATEGORIE) \
    X(tab_kontakt_EDITOVAT_KONTAKT) \
    X(tab_kontakt_ID_KONTAKT) \
    X(tab_kontakt_KONTAKT_EXISTUJE) \
    X(tab_kontakt_KONTAKT_EXISTUJE_2) \
    X(tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_DODAVATEL) \
    X(tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_ODBERATEL) \
    X(tab_kontakt_NOVY_KONTAKT) \
    X(tab_kontakt_ODEBRAT_KONTAKT) \
    X(tab_kontakt_POCET) \
    X(tab_kontakt_REFERENCE) \
    X(tab_kontakt_func_KONTAKT) \
    X(tab_kontakt_func_NACIST_SEZNAM_KONTAKTU) \
    X(tab_kontakt_func_VYCHOZI_DODAVATEL) \
    X(tab_kontakt_func_VYCHOZI_ODBERATEL) \
    X(tab_oznaceni_doklad_EDITOVAT_OZNACENI) \
    X(tab_oznaceni_doklad_NACIST_DLE_ID_OZNACENI_DOKLAD) \
    X(tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE_2) \
    X(tab_pokladna_POHYB) \
    X(tab_pokladna_func_STAV) \
    X(tab_polozka_EDITOVAT_POLOZKU) \
    X(tab_polozka_IMPORT_POLOZKY) \
    X(tab_polozka_KOD_EXISTUJE) \
    X(tab_polozka_KOD_EXISTUJE_2) \
    X(tab_polozka_NACIST_POLOZKU) \
    X(tab_polozka_NOVA_POLOZKA) \
    X(tab_polozka_ODEBRAT_POLOZKU) \
    X(tab_polozka_ODEBRAT_POLOZKY) \
    X(tab_polozka_OZNACENI_EXISTUJE) \
    X(tab_polozka_OZNACENI_EXISTUJE_2) \
    X(tab_polozka_POCET) \
    X(tab_polozka_POLOZKA_EXISTUJE) \
    X(tab_polozka_POLOZKA_EXISTUJE_2) \
    X(tab_polozka_func_CEKAT_NA_SKLADY) \
    X(tab_polozka_func_IMPORT_EXISTUJE) \
    X(tab_polozka_func_IMPORT_STATISTIKA) \
    X(tab_polozka_func_OZNACENI) \
    X(tab_polozka_func_OZNACENI_NEJMENSI_VOLNE) \
    X(tab_polozka_func_ZAMKNOUT) \
    X(tab_polozka_func_ZAMKNOUT_SKLAD) \
    X(tab_prodej_ODEBRAT) \
    X(tab_prodej_PRIDAT_EDITOVAT) \
    X(tab_prodej_PRODAT) \
    X(tab_prodej_func_MNOZSTVI) \
    X(tab_sestava_EDITOVAT_SESTAVU) \
    X(tab_sestava_SESTAVA_EXISTUJE_2) \
    X(tab_sklad_EDITOVAT_SKLAD) \
    X(tab_sklad_ID_KATEGORIE) \
    X(tab_sklad_ID_SKLAD) \
    X(tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU) \
    X(tab_sklad_NOVY_SKLAD) \
    X(tab_sklad_ODEBRAT_SKLAD) \
    X(tab_sklad_POCET) \
    X(tab_sklad_REFERENCE) \
    X(tab_sklad_SKLAD_EXISTUJE) \
    X(tab_sklad_SKLAD_EXISTUJE_2) \
    X(tab_sklad_VYCHOZI_ID_SKLAD) \
    X(tab_sklad_func_NACIST_SEZNAM_SKLADU) \
    X(tab_sklad_func_SKLAD) \
    X(tab_uzivatel_opravneni_OPRAVNENI) \
    X(uzivatel_COUNT) \
    X(uzivatel_HESLO_UZIVATEL) \
    X(uzivatel_NOVY_UZIVATEL) \
    X(uzivatel_ODEBRAT_UZIVATELE) \
    X(uzivatel_func_AKTIVNI_LOGIN) \
    X(uzivatel_func_USER) \
    X(uzivatel_func_USER_EXIST)
// clang-format on

namespace DMProc {
#define TARMIL_DM_PROCEDURE_NAME(name) inline const QString name = QStringLiteral(#name);
TARMIL_DM_PROCEDURES(TARMIL_DM_PROCEDURE_NAME)
#undef TARMIL_DM_PROCEDURE_NAME

inline const QStringList &All()
{
#define TARMIL_DM_PROCEDURE_ITEM(name) name,
    static const QStringList names{TARMIL_DM_PROCEDURES(TARMIL_DM_PROCEDURE_ITEM)};
#undef TARMIL_DM_PROCEDURE_ITEM
    return names;
}
} // namespace DMProc
