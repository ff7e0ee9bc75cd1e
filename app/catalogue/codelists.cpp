#include "app/catalogue/codelists.h"

#include "app/catalogue/codedialogs.h"
#include "app/catalogue/codelistrules.h"
#include "data/dm.h"
#include "kit/comboedit.h"
#include "kit/numedit.h"
#include "kit/realedit.h"
#include "platform/db/field.h"
#include "platform/messages.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

bool isField(const Db::Field *field, const char *name)
{
    return field && field->FieldName().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

template <class Dialog>
std::unique_ptr<TForm_Dialog> make(QWidget *parent)
{
    return std::make_unique<Dialog>(parent);
}

} // namespace

// ---------------------------------------------------------------- units

TForm_Jednotky::TForm_Jednotky(QWidget *parent)
    : CodeListWindow(parent, QStringLiteral("Form_Jednotky"), QStringLiteral(" Jednotky"), DM->MSSQLADOQuery_Jednotka,
                     QStringLiteral("ID_JEDNOTKA"),
                     {{"JEDNOTKA", QStringLiteral("Jednotka"), 90},
                      {"STATE_VYCHOZI", QStringLiteral("Výchozí"), 60},
                      {"SPECIFIKACE", QStringLiteral("Specifikace"), 200},
                      {"MINIMUM", QStringLiteral("Minimum"), 80},
                      {"NASOBNE", QStringLiteral("Násobně"), 60}})
{}

void TForm_Jednotky::DataSourceDataChange()
{
    AddEnabled = true;
    EditEnabled = RemoveEnabled = DM->UnitCount() != 0;
    CodeListWindow::DataSourceDataChange();
}

void TForm_Jednotky::Button_PridatClick()
{
    runDialog(
        make<TForm_JednotkaNova>(this), 51, QStringLiteral("Funkce přidat jednotku není dostupná..."),
        [](TForm_Dialog &d) {
            auto &unit = static_cast<TForm_Jednotka &>(d);
            return DM->NewUnit(unit.Edit_Jednotka->text(), unit.Edit_Specifikace->text(),
                               Currency::fromDouble(unit.CurrencyEdit_Minimum->value()));
        },
        QStringLiteral("Zavedení nové jednotky neproběhlo..."));
}

void TForm_Jednotky::Button_EditovatClick()
{
    const int id = CurrentId();
    runDialog(
        make<TForm_JednotkaEditace>(this), 52, QStringLiteral("Funkce editovat jednotku není dostupná..."),
        [id](TForm_Dialog &d) {
            auto &unit = static_cast<TForm_Jednotka &>(d);
            return DM->EditUnit(id, unit.Edit_Jednotka->text(), unit.Edit_Specifikace->text(),
                                Currency::fromDouble(unit.CurrencyEdit_Minimum->value()));
        },
        QStringLiteral("Editace jednotky neproběhla..."));
}

void TForm_Jednotky::Button_OdebratClick()
{
    const int id = CurrentId();
    runRemove(
        53, QStringLiteral("Funkce odebrat jednotku není dostupná..."), [id] { return DM->UnitReferenced(id); },
        QStringLiteral("Jednotku nelze odebrat..."),
        QStringLiteral("Jednotka \"%1\" má referenci u 1 nebo více skladových položek...").arg(CurrentText("JEDNOTKA")),
        QStringLiteral("Opravdu chcete odebrat tuto jednotku ?"), [id] { return DM->UnitCaption(id, true); },
        [id] { return DM->RemoveUnit(id); }, QStringLiteral("Odebrání jednotky neproběhlo..."));
}

void TForm_Jednotky::KxDBGridExClickCheckBox(TKxDBGridEx *, Db::Field *Field, bool &Modify)
{
    const int id = CurrentId();
    if (isField(Field, "STATE_VYCHOZI"))
        setDefault(Field, 49, QStringLiteral("Funkce nastavit výchozí jednotku není dostupná..."),
                   [id] { return DM->SetDefaultUnit(id); });
    else if (isField(Field, "NASOBNE"))
        Modify = allowed(50, QStringLiteral("Funkce editovat jednotku není dostupná..."));
}

// ---------------------------------------------------------------- stores

TForm_Sklady::TForm_Sklady(QWidget *parent)
    : CodeListWindow(parent, QStringLiteral("Form_Sklady"), QStringLiteral(" Sklady"), DM->MSSQLADOQuery_Sklad,
                     QStringLiteral("ID_SKLAD"),
                     {{"SKLAD", QStringLiteral("Sklad"), 160},
                      {"KATEGORIE", QStringLiteral("Výchozí kategorie"), 220},
                      {"STATE_VYCHOZI", QStringLiteral("Výchozí"), 60}})
{}

void TForm_Sklady::DataSourceDataChange()
{
    AddEnabled = true;
    EditEnabled = RemoveEnabled = DM->StoreCount() != 0;
    CodeListWindow::DataSourceDataChange();
}

namespace {

bool writeStore(TForm_Dialog &d, int id)
{
    auto &store = static_cast<TForm_Sklad &>(d);
    const int category = DM->CategoryIdByPath(store.ComboEdit_Kategorie->text());
    return id == 0 ? DM->NewStore(store.Edit_Sklad->text(), category)
                   : DM->EditStore(id, store.Edit_Sklad->text(), category);
}

} // namespace

void TForm_Sklady::Button_PridatClick()
{
    runDialog(
        make<TForm_SkladNovy>(this), 56, QStringLiteral("Funkce přidat sklad není dostupná..."),
        [](TForm_Dialog &d) { return writeStore(d, 0); }, QStringLiteral("Zavedení nového skladu neproběhlo..."));
}

void TForm_Sklady::Button_EditovatClick()
{
    const int id = CurrentId();
    runDialog(
        make<TForm_SkladEditace>(this), 57, QStringLiteral("Funkce editovat sklad není dostupná..."),
        [id](TForm_Dialog &d) { return writeStore(d, id); }, QStringLiteral("Editace skladu neproběhla..."));
}

void TForm_Sklady::Button_OdebratClick()
{
    const int id = CurrentId();
    runRemove(
        58, QStringLiteral("Funkce odebrat sklad není dostupná..."), [id] { return DM->StoreItemCount(id) != 0; },
        QStringLiteral("Sklad nelze odebrat..."),
        QStringLiteral("Sklad \"%1\" obsahuje 1 nebo více skladových položek...").arg(CurrentText("SKLAD")),
        QStringLiteral("Opravdu chcete odebrat tento sklad ?"), [id] { return DM->StoreCaption(id, true); },
        [id] { return DM->RemoveStore(id); }, QStringLiteral("Odebrání skladu neproběhlo..."));
}

void TForm_Sklady::KxDBGridExClickCheckBox(TKxDBGridEx *, Db::Field *Field, bool &)
{
    const int id = CurrentId();
    if (isField(Field, "STATE_VYCHOZI"))
        setDefault(Field, 55, QStringLiteral("Funkce nastavit výchozí sklad není dostupná..."),
                   [id] { return DM->SetDefaultStore(id); });
}

// ---------------------------------------------------------------- contacts

TForm_Kontakty::TForm_Kontakty(QWidget *parent)
    : CodeListWindow(parent, QStringLiteral("Form_Kontakty"), QStringLiteral(" Kontakty"), DM->MSSQLADOQuery_Kontakt,
                     QStringLiteral("ID_KONTAKT"),
                     {{"KONTAKT", QStringLiteral("Kontakt"), 150},
                      {"STATE_DODAVATEL", QStringLiteral("Dodavatel"), 75},
                      {"STATE_ODBERATEL", QStringLiteral("Odběratel"), 75},
                      {"IC", QStringLiteral("IČ"), 70},
                      {"DIC", QStringLiteral("DIČ"), 90},
                      {"ADRESA", QStringLiteral("Adresa"), 150},
                      {"TELEFON", QStringLiteral("Telefon"), 90},
                      {"MOBIL", QStringLiteral("Mobil"), 90},
                      {"EMAIL", QStringLiteral("Email"), 120},
                      {"OSOBA", QStringLiteral("Osoba"), 100},
                      {"POZNAMKA", QStringLiteral("Poznámka"), 150}})
{}

void TForm_Kontakty::DataSourceDataChange()
{
    AddEnabled = true;
    EditEnabled = RemoveEnabled = DM->ContactCount() != 0;
    CodeListWindow::DataSourceDataChange();
}

void TForm_Kontakty::Button_PridatClick()
{
    runDialog(
        make<TForm_KontaktNovy>(this), 67, QStringLiteral("Funkce přidat kontakt není dostupná..."),
        [](TForm_Dialog &d) { return DM->NewContact(static_cast<TForm_Kontakt &>(d).Contact()); },
        QStringLiteral("Zavedení nového kontaktu neproběhlo..."));
}

void TForm_Kontakty::Button_EditovatClick()
{
    const int id = CurrentId();
    runDialog(
        make<TForm_KontaktEditace>(this), 68, QStringLiteral("Funkce editavat kontakt není dostupná..."),
        [id](TForm_Dialog &d) { return DM->EditContact(id, static_cast<TForm_Kontakt &>(d).Contact()); },
        QStringLiteral("Editace kontaktu neproběhla..."));
}

void TForm_Kontakty::Button_OdebratClick()
{
    const int id = CurrentId();
    runRemove(
        69, QStringLiteral("Funkce odebrat kontakt není dostupná..."), [id] { return DM->ContactReferenced(id); },
        QStringLiteral("Kontakt nelze odebrat..."),
        QStringLiteral("Kontakt \"%1\" má referenci u 1 nebo více skladových položek...").arg(CurrentText("KONTAKT")),
        QStringLiteral("Opravdu chcete odebrat tento kontakt?"), [id] { return DM->ContactCaption(id, true); },
        [id] { return DM->RemoveContact(id); }, QStringLiteral("Odebrání kontaktu neproběhlo..."));
}

void TForm_Kontakty::KxDBGridExClickCheckBox(TKxDBGridEx *, Db::Field *Field, bool &)
{
    const int id = CurrentId();
    if (isField(Field, "STATE_DODAVATEL"))
        setDefault(Field, 65, QStringLiteral("Funkce nastavit výchozího dodavatele není dostupná..."),
                   [id] { return DM->SetDefaultSupplier(id); });
    else if (isField(Field, "STATE_ODBERATEL"))
        setDefault(Field, 66, QStringLiteral("Funkce nastavit výchozího odberatele není dostupná..."),
                   [id] { return DM->SetDefaultCustomer(id); });
}

// ---------------------------------------------------------------- VAT

TForm_Dph::TForm_Dph(QWidget *parent)
    : CodeListWindow(parent, QStringLiteral("Form_Dph"), QStringLiteral(" DPH"), DM->MSSQLADOQuery_Dph,
                     QStringLiteral("ID_DPH"),
                     {{"POPIS_DPH", QStringLiteral("Popis"), 150},
                      {"DPH", QStringLiteral("DPH"), 70},
                      {"STATE_VYCHOZI", QStringLiteral("Výchozí"), 60}})
{
    Button_Pridat->hide();
    Button_Odebrat->hide();
}

void TForm_Dph::DataSourceDataChange()
{
    EditEnabled = CodeListRules::VatEditable(CurrentId());
    CodeListWindow::DataSourceDataChange();
}

void TForm_Dph::Button_EditovatClick()
{
    const int id = CurrentId();
    if (!CodeListRules::VatEditable(id))
        return;
    runDialog(
        make<TForm_DphEditace>(this), 48, QStringLiteral("Funkce editace DPH není dostupná..."),
        [this, id](TForm_Dialog &d) {
            const Currency rate = Currency::fromDouble(static_cast<TForm_DphEditace &>(d).RealEdit_Dph->value());
            if (!confirmRateChange(id, rate))
                return true; // nothing written, nothing failed
            return DM->EditVat(id, rate);
        },
        QStringLiteral("Editace DPH neproběhla..."));
}

// The documents at the rate show and reprint the new one: the user is asked
// first. A question the server did not answer leaves the write to say why.
bool TForm_Dph::confirmRateChange(int id, Currency rate)
{
    const Currency shown = Currency::fromDouble(DM->MSSQLADOQuery_Dph->FieldByName(QStringLiteral("DPH")).AsFloat());
    if (shown == rate || !DM->vatRateInDocuments(id).value_or(false))
        return true;
    return ShowQuestion(QStringLiteral("Změnit sazbu DPH i na vystavených dokladech ?"),
                        QStringLiteral("Sazbu používají již vystavené doklady, jejich přehled i nový tisk ukáže "
                                       "novou sazbu..."),
                        false);
}

void TForm_Dph::KxDBGridExClickCheckBox(TKxDBGridEx *, Db::Field *Field, bool &)
{
    const int id = CurrentId();
    if (isField(Field, "STATE_VYCHOZI"))
        setDefault(Field, 47, QStringLiteral("Funkce nastavit výchozí DPH není dostupná..."),
                   [id] { return DM->SetDefaultVat(id); });
}

// ---------------------------------------------------------------- actions

namespace {

template <class Window>
void showList(QWidget *parent, TMSSQLADOQuery *query)
{
    Window window(parent);
    ShowCodeList(&window, query);
}

} // namespace

void ShowUnits(QWidget *parent)
{
    showList<TForm_Jednotky>(parent, DM->MSSQLADOQuery_Jednotka);
}

void ShowStores(QWidget *parent)
{
    showList<TForm_Sklady>(parent, DM->MSSQLADOQuery_Sklad);
}

void ShowContacts(QWidget *parent)
{
    showList<TForm_Kontakty>(parent, DM->MSSQLADOQuery_Kontakt);
}

void ShowVatRates(QWidget *parent)
{
    showList<TForm_Dph>(parent, DM->MSSQLADOQuery_Dph);
}
