// The unit, store, contact and VAT lists over a real database: enable flags,
// adding, editing and removing with rights, refusals and the check boxes.
#include "app/catalogue/codedialogs.h"
#include "app/catalogue/codelists.h"
#include "app/common/formcontrols.h"
#include "app/modal_helper.h"
#include "data/dm_fixture.h"
#include "kit/comboedit.h"
#include "kit/numedit.h"
#include "kit/realedit.h"
#include "screenshots.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

class CodeLists : public DataModuleTest
{
protected:
    void revoke(int right)
    {
        sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=%1").arg(right));
    }
    template <class Window>
    std::unique_ptr<Window> open(TMSSQLADOQuery *query)
    {
        query->RefreshQuery();
        auto window = std::make_unique<Window>();
        window->DataSourceDataChange();
        return window;
    }
    // Fills the next modal record dialog and presses "&Ok" (or cancels).
    template <class Dialog>
    void whenDialog(std::function<void(Dialog &)> fill, bool ok = true)
    {
        WhenModal([fill, ok](QDialog *d) {
            auto *dialog = dynamic_cast<Dialog *>(d);
            if (!dialog) {
                ADD_FAILURE() << "another window: " << qPrintable(d->objectName());
                d->reject();
                return;
            }
            fill(*dialog);
            if (ok && dialog->Button_Ok->isEnabled())
                dialog->Button_Ok->click();
            else
                dialog->reject();
        });
    }
    static Db::Field *field(TMSSQLADOQuery *query, const char *name)
    {
        return &query->FieldByName(QLatin1String(name));
    }
    QString last(MessageCall::Kind kind) const
    {
        const auto calls = messages.callsOf(kind);
        return calls.isEmpty() ? QString() : calls.last().heading;
    }
};

TEST_F(CodeLists, UnitsAddEditAndRemoveWithRights)
{
    auto list = open<TForm_Jednotky>(dm->MSSQLADOQuery_Jednotka);
    EXPECT_TRUE(list->Button_Pridat->isEnabled());
    EXPECT_TRUE(list->Button_Editovat->isEnabled());
    Shoot(list.get(), "jednotky");

    whenDialog<TForm_JednotkaNova>([](TForm_JednotkaNova &d) {
        EXPECT_EQ(d.Edit_Specifikace->text(), "-");
        EXPECT_FALSE(d.Button_Ok->isEnabled());
        d.Edit_Jednotka->setText("ks");
        EXPECT_EQ(Hint(d.Edit_Jednotka), "Existující jednotka...");
        d.Edit_Jednotka->setText("bal");
        EXPECT_FALSE(d.Button_Ok->isEnabled()); // the minimum is still 0
        d.CurrencyEdit_Minimum->setValue(0.5);
        Shoot(&d, "jednotka_nova");
    });
    list->Button_PridatClick();
    ASSERT_NE(dm->UnitIdByName("bal"), 0);
    EXPECT_EQ(scalar("SELECT MINIMUM FROM tab_jednotka WHERE JEDNOTKA='bal'").toDouble(), 0.5);
    EXPECT_EQ(list->CurrentText("JEDNOTKA"), "bal"); // the list stands on the new row

    whenDialog<TForm_JednotkaEditace>([](TForm_JednotkaEditace &d) {
        EXPECT_EQ(d.Edit_Jednotka->text(), "bal");
        EXPECT_FALSE(d.Button_Ok->isEnabled());
        d.Edit_Specifikace->setText("balení");
    });
    list->Button_EditovatClick();
    EXPECT_EQ(scalar("SELECT SPECIFIKACE FROM tab_jednotka WHERE JEDNOTKA='bal'"), "balení");

    messages.answer(true);
    list->Button_OdebratClick();
    EXPECT_EQ(dm->UnitIdByName("bal"), 0);
    ASSERT_EQ(messages.count(MessageCall::Question), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Question).last().heading, "Opravdu chcete odebrat tuto jednotku ?");

    revoke(51);
    list->Button_PridatClick(); // no dialog comes up
    EXPECT_EQ(last(MessageCall::Information), "Funkce přidat jednotku není dostupná...");
    EXPECT_EQ(messages.calls.last().detail, "Uživatel nemá oprávnění...");
}

TEST_F(CodeLists, AUnitInUseIsNotRemovedAndAnEmptyListOnlyAdds)
{
    newItem("00000001");
    auto list = open<TForm_Jednotky>(dm->MSSQLADOQuery_Jednotka);
    ASSERT_TRUE(dm->MSSQLADOQuery_Jednotka->Locate("JEDNOTKA", "ks"));
    list->Button_OdebratClick();
    EXPECT_EQ(last(MessageCall::Information), "Jednotku nelze odebrat...");
    EXPECT_EQ(messages.calls.last().detail, "Jednotka \"ks\" má referenci u 1 nebo více skladových položek...");
    EXPECT_EQ(messages.count(MessageCall::Question), 0);
    EXPECT_NE(dm->UnitIdByName("ks"), 0);

    sql("DELETE FROM tab_polozka; DELETE FROM tab_jednotka");
    dm->MSSQLADOQuery_Jednotka->RefreshQuery();
    list->DataSourceDataChange();
    EXPECT_TRUE(list->Button_Pridat->isEnabled());
    EXPECT_FALSE(list->Button_Editovat->isEnabled());
    EXPECT_FALSE(list->Button_Odebrat->isEnabled());
}

TEST_F(CodeLists, CheckBoxesGoThroughTheirProceduresAndRights)
{
    auto list = open<TForm_Jednotky>(dm->MSSQLADOQuery_Jednotka);
    TMSSQLADOQuery *units = dm->MSSQLADOQuery_Jednotka;
    ASSERT_TRUE(units->Locate("JEDNOTKA", "kg"));
    bool modify = true;
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(units, "STATE_VYCHOZI"), modify = false);
    EXPECT_FALSE(modify); // never the grid's own toggle
    EXPECT_EQ(dm->DefaultUnitName(), "kg");
    EXPECT_EQ(list->CurrentText("JEDNOTKA"), "kg");
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(units, "STATE_VYCHOZI"), modify = false);
    EXPECT_EQ(dm->DefaultUnitName(), "kg"); // already the default: stays, no message
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);

    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(units, "NASOBNE"), modify = false);
    EXPECT_TRUE(modify);

    revoke(49);
    revoke(50);
    ASSERT_TRUE(units->Locate("JEDNOTKA", "m"));
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(units, "STATE_VYCHOZI"), modify = false);
    EXPECT_EQ(dm->DefaultUnitName(), "kg");
    EXPECT_EQ(last(MessageCall::Information), "Funkce nastavit výchozí jednotku není dostupná...");
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(units, "NASOBNE"), modify = false);
    EXPECT_FALSE(modify);
    EXPECT_EQ(last(MessageCall::Information), "Funkce editovat jednotku není dostupná...");

    // Titles sort by their column and show the order.
    list->KxDBGridExTitleBtnClick(list->KxDBGridEx, 0, field(units, "SPECIFIKACE"));
    EXPECT_EQ(units->SortState(field(units, "SPECIFIKACE")), 1);
    EXPECT_EQ(units->SortState(field(units, "JEDNOTKA")), 0);
    list->KxDBGridExTitleBtnClick(list->KxDBGridEx, 0, field(units, "SPECIFIKACE"));
    EXPECT_EQ(units->SortState(field(units, "SPECIFIKACE")), 2);
    TKxCellFont font;
    QColor background;
    TKxDBGrid::TSortMarker marker = TKxDBGrid::smNone;
    list->KxDBGridExGetBtnParams(list->KxDBGridEx, field(units, "SPECIFIKACE"), font, background, marker, false);
    EXPECT_EQ(marker, TKxDBGrid::smUp);
    EXPECT_EQ(background, QColor(0xCA, 0xC5, 0xB9));
    EXPECT_EQ(list->CurrentText("JEDNOTKA"), "m");
}

TEST_F(CodeLists, StoresKeepTheirNamesApartAndKeepStoresWithItems)
{
    ASSERT_TRUE(dm->NewStore("Sklad-02", 1));
    newItem("00000001");
    auto list = open<TForm_Sklady>(dm->MSSQLADOQuery_Sklad);
    Shoot(list.get(), "sklady");
    ASSERT_TRUE(dm->MSSQLADOQuery_Sklad->Locate("SKLAD", "Sklad-02"));
    whenDialog<TForm_SkladEditace>([](TForm_SkladEditace &d) {
        EXPECT_EQ(d.ComboEdit_Kategorie->text(), "?");
        d.Edit_Sklad->setText("Sklad-01");
        EXPECT_EQ(Hint(d.Edit_Sklad), "Existující sklad...");
        EXPECT_FALSE(d.Button_Ok->isEnabled());
        d.Edit_Sklad->setText("Sklad-02"); // its own name
        EXPECT_FALSE(ShowHint(d.Edit_Sklad));
        d.ComboEdit_Kategorie->setText("?\\Nic");
        EXPECT_EQ(Hint(d.ComboEdit_Kategorie), "Tato kategorie neexistuje...");
        d.ComboEdit_Kategorie->setText("?");
        d.Edit_Sklad->setText("Prodejna");
        Shoot(&d, "sklad_editace");
    });
    list->Button_EditovatClick();
    EXPECT_NE(dm->StoreIdByName("Prodejna"), 0);

    ASSERT_TRUE(dm->MSSQLADOQuery_Sklad->Locate("SKLAD", "Sklad-01"));
    list->Button_OdebratClick();
    EXPECT_EQ(last(MessageCall::Information), "Sklad nelze odebrat...");
    EXPECT_EQ(messages.calls.last().detail, "Sklad \"Sklad-01\" obsahuje 1 nebo více skladových položek...");

    whenDialog<TForm_SkladNovy>([](TForm_SkladNovy &d) {
        EXPECT_EQ(Hint(d.Edit_Sklad), "Nezadaný sklad...");
        d.Edit_Sklad->setText("Sklad-03");
        d.ComboEdit_Kategorie->setText("?");
    });
    list->Button_PridatClick();
    EXPECT_EQ(list->CurrentText("SKLAD"), "Sklad-03");
    bool modify = false;
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(dm->MSSQLADOQuery_Sklad, "STATE_VYCHOZI"), modify);
    EXPECT_EQ(dm->DefaultStoreId(), dm->StoreIdByName("Sklad-03"));

    revoke(57);
    list->Button_EditovatClick();
    EXPECT_EQ(last(MessageCall::Information), "Funkce editovat sklad není dostupná...");
}

TEST_F(CodeLists, ContactsAddAndRefuseRemovingASupplierInUse)
{
    newItem("00000001");
    auto list = open<TForm_Kontakty>(dm->MSSQLADOQuery_Kontakt);
    whenDialog<TForm_KontaktNovy>([](TForm_KontaktNovy &d) {
        EXPECT_EQ(Hint(d.Edit_Kontakt), "Nezadaný kontakt...");
        d.Edit_Kontakt->setText("-");
        EXPECT_EQ(Hint(d.Edit_Kontakt), "Existující kontakt...");
        d.Edit_Kontakt->setText("Železářství Novák");
        d.Edit_IC->setText("12345678");
        d.Edit_www->setText("novak.cz");
        Shoot(&d, "kontakt_novy");
    });
    list->Button_PridatClick();
    EXPECT_EQ(scalar("SELECT IC || ' ' || WWW FROM tab_kontakt WHERE KONTAKT='Železářství Novák'"),
              "12345678 novak.cz");

    ASSERT_TRUE(dm->MSSQLADOQuery_Kontakt->Locate("KONTAKT", "-"));
    list->Button_OdebratClick();
    EXPECT_EQ(last(MessageCall::Information), "Kontakt nelze odebrat...");
    EXPECT_EQ(messages.calls.last().detail, "Kontakt \"-\" má referenci u 1 nebo více skladových položek...");

    ASSERT_TRUE(dm->MSSQLADOQuery_Kontakt->Locate("KONTAKT", "Železářství Novák"));
    bool modify = false;
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(dm->MSSQLADOQuery_Kontakt, "STATE_ODBERATEL"), modify);
    EXPECT_EQ(dm->DefaultCustomerName(), "Železářství Novák");
    EXPECT_EQ(dm->DefaultSupplierName(), "-");

    whenDialog<TForm_KontaktEditace>([](TForm_KontaktEditace &d) {
        EXPECT_EQ(d.Edit_IC->text(), "12345678");
        d.Edit_Kontakt->setText("-");
        EXPECT_EQ(Hint(d.Edit_Kontakt), "Existující kontakt...");
        d.Edit_Kontakt->setText("Železářství Novák"); // its own name
        d.Edit_Osoba->setText("Jan Novák");
    });
    list->Button_EditovatClick();
    EXPECT_EQ(scalar("SELECT OSOBA FROM tab_kontakt WHERE KONTAKT='Železářství Novák'"), "Jan Novák");

    revoke(69);
    list->Button_OdebratClick();
    EXPECT_EQ(last(MessageCall::Information), "Funkce odebrat kontakt není dostupná...");
    Shoot(list.get(), "kontakty");
}

TEST_F(CodeLists, TheFirstVatRateIsFixedAndRatesStayWithinAHundred)
{
    auto list = open<TForm_Dph>(dm->MSSQLADOQuery_Dph);
    EXPECT_FALSE(list->Button_Pridat->isVisible());
    ASSERT_TRUE(dm->MSSQLADOQuery_Dph->Locate("ID_DPH", 1));
    list->DataSourceDataChange();
    EXPECT_FALSE(list->Button_Editovat->isEnabled());
    ASSERT_TRUE(dm->MSSQLADOQuery_Dph->Locate("ID_DPH", 2));
    list->DataSourceDataChange();
    EXPECT_TRUE(list->Button_Editovat->isEnabled());

    whenDialog<TForm_DphEditace>([](TForm_DphEditace &d) {
        EXPECT_DOUBLE_EQ(d.RealEdit_Dph->value(), 10);
        EXPECT_FALSE(d.Button_Ok->isEnabled());
        d.RealEdit_Dph->setText("100,01");
        EXPECT_FALSE(d.Button_Ok->isEnabled());
        d.RealEdit_Dph->setText("100");
        EXPECT_TRUE(d.Button_Ok->isEnabled());
        d.RealEdit_Dph->setText("12,5");
        Shoot(&d, "dph_editace");
    });
    list->Button_EditovatClick();
    EXPECT_EQ(scalar("SELECT DPH FROM tab_dph WHERE ID_DPH=2").toDouble(), 12.5);

    bool modify = false;
    list->KxDBGridExClickCheckBox(list->KxDBGridEx, field(dm->MSSQLADOQuery_Dph, "STATE_VYCHOZI"), modify);
    EXPECT_DOUBLE_EQ(dm->DefaultVatRate().toDouble(), 12.5);
    revoke(48);
    list->Button_EditovatClick();
    EXPECT_EQ(last(MessageCall::Information), "Funkce editace DPH není dostupná...");
    Shoot(list.get(), "dph");
}

} // namespace

// A document line keeps the rate's entry: a rate that issued documents use is
// changed only when the user agrees to their showing the new one.
TEST_F(CodeLists, ARateThatDocumentsUseIsChangedOnlyAfterTheQuestion)
{
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    const int item = newItem(QStringLiteral("V1")); // at 20 %: the rate of id 3
    auto list = open<TForm_Dph>(dm->MSSQLADOQuery_Dph);
    auto edit = [&](int id, const QString &rate) {
        ASSERT_TRUE(dm->MSSQLADOQuery_Dph->Locate("ID_DPH", id));
        whenDialog<TForm_DphEditace>([rate](TForm_DphEditace &d) { d.RealEdit_Dph->setText(rate); });
        list->Button_EditovatClick();
    };
    edit(3, "21"); // no document yet: no question
    EXPECT_EQ(messages.count(MessageCall::Question), 0);
    EXPECT_EQ(scalar("SELECT DPH FROM tab_dph WHERE ID_DPH=3").toDouble(), 21);

    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true));
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, document)) << qPrintable(dm->LastErrorText());
    messages.answer(false);
    edit(3, "22");
    ASSERT_EQ(messages.count(MessageCall::Question), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Question)[0].heading,
              QStringLiteral("Změnit sazbu DPH i na vystavených dokladech ?"));
    EXPECT_EQ(scalar("SELECT DPH FROM tab_dph WHERE ID_DPH=3").toDouble(), 21);
    messages.answer(true);
    edit(3, "22");
    EXPECT_EQ(scalar("SELECT DPH FROM tab_dph WHERE ID_DPH=3").toDouble(), 22);
    edit(2, "15"); // a rate no document uses
    EXPECT_EQ(messages.count(MessageCall::Question), 2);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}
