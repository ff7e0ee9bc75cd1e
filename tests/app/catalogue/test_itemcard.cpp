// The item card over a real database: defaults, validation with the shop's
// settings, price arithmetic, unit change, top-up and per-field rights.
#include "app/catalogue/categoryeditor.h"
#include "app/catalogue/polozka.h"
#include "app/common/formcontrols.h"
#include "app/modal_helper.h"
#include "app/settings/shopsettings.h"
#include "data/dm_fixture.h"
#include "kit/comboedit.h"
#include "kit/intedit.h"
#include "kit/numedit.h"
#include "platform/messages.h"
#include "screenshots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ItemCard : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        previous = SetShopSettings(&settings);
    }
    void TearDown() override
    {
        SetShopSettings(previous);
        DataModuleTest::TearDown();
    }
    template <class Form>
    std::unique_ptr<Form> open()
    {
        auto form = std::make_unique<Form>();
        form->show();
        return form;
    }
    static QString reason(QWidget *control) { return ShowHint(control) ? Hint(control) : QString(); }
    void revoke(int right)
    {
        sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=%1").arg(right));
    }
    // Opens the item list on the item with the mark.
    void selectItem(const QString &mark)
    {
        ASSERT_TRUE(dm->OpenItems());
        ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->Locate("OZNACENI", mark));
    }

    MemoryShopSettings settings;
    ShopSettings *previous = nullptr;
};

TEST_F(ItemCard, NewItemStartsWithTheShopsDefaults)
{
    newItem("00000001");
    newItem("00000002");
    newItem("00000004");
    auto form = open<TForm_PolozkaNova>();
    EXPECT_EQ(form->windowTitle(), " Nová položka");
    EXPECT_EQ(form->Edit_Oznaceni->text(), "00000003");
    EXPECT_EQ(form->IntegerComboBox_Zaruka->value(), 24);
    EXPECT_EQ(form->ComboBox_DPH->currentText(), "20");
    EXPECT_EQ(form->ComboBox_Sklad->currentText(), "Sklad-01");
    EXPECT_EQ(form->ComboEdit_Kategorie->text(), "?");
    EXPECT_EQ(form->ComboBox_Dodavatel->currentText(), "-");
    EXPECT_EQ(form->ComboBox_Jednotka->currentText(), "ks");
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Minimum->value(), 1);
    EXPECT_TRUE(form->CheckBox_Nasobne->isChecked());
    EXPECT_EQ(form->Label_MinimumMinimum->text(), "ks");
    EXPECT_EQ(form->IntegerComboBox_Rabat->value(), 20);
    EXPECT_EQ(form->Button_Rabat->text(), "Rabat 20%");
    // Every rule ran once: the empty name and the zero prices are marked.
    EXPECT_EQ(reason(form->Edit_Polozka), "Nezadaná položka...");
    EXPECT_EQ(reason(form->CurrencyEdit_Nakup), "Nulová nákupní cena...");
    EXPECT_EQ(reason(form->CurrencyEdit_Mnozstvi), "Nulové množství...");
    EXPECT_EQ(reason(form->Edit_Oznaceni), "");
    EXPECT_FALSE(form->Button_Ok->isEnabled());

    form->Edit_Polozka->setText("Šroubovák");
    form->CurrencyEdit_Nakup->setValue(100);
    form->CurrencyEdit_Prodej->setValue(150);
    form->CurrencyEdit_Mnozstvi->setValue(3);
    EXPECT_TRUE(form->Button_Ok->isEnabled());
    Shoot(form.get(), "polozka_nova");
    ASSERT_TRUE(dm->NewItem(form->Item())) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT POLOZKA || '|' || OZNACENI || '|' || PRODEJ FROM tab_polozka WHERE OZNACENI='00000003'"),
              "Šroubovák|00000003|150.0000");
}

TEST_F(ItemCard, EveryRefusalFollowsTheSettings)
{
    newItem("00000001");
    auto form = open<TForm_PolozkaNova>();
    // Length first, then the store's uniqueness.
    form->Edit_Oznaceni->setText("12");
    EXPECT_EQ(reason(form->Edit_Oznaceni), "Označení položky musí být dlouhé 8 znaků...");
    form->Edit_Oznaceni->setText("00000001");
    EXPECT_EQ(reason(form->Edit_Oznaceni), "Označení položky již existuje...");
    settings.oznaceniDelka = 0;
    form->Edit_Oznaceni->setText("");
    EXPECT_EQ(reason(form->Edit_Oznaceni), "Nezadané označení...");
    settings.setRequired(ItemField::Oznaceni, false);
    form->Edit_Oznaceni->setText("00000001"); // a duplicate is fine when not required
    EXPECT_EQ(reason(form->Edit_Oznaceni), "");

    settings.setRequired(ItemField::Kod, true);
    settings.kodDelka = 8;
    form->Edit_Kod->setText("00000001");
    EXPECT_EQ(reason(form->Edit_Kod), "Kód již existuje...");
    form->Edit_Kod->setText("123");
    EXPECT_EQ(reason(form->Edit_Kod), "Kód položky musí být dlouhý 8 znaků...");

    form->Edit_Polozka->setText("Položka 00000001");
    EXPECT_EQ(reason(form->Edit_Polozka), "Existující položka...");
    // Another store has no such item: choosing it clears the mark.
    ASSERT_TRUE(dm->NewStore("Sklad-02", 1));
    form->ComboBox_Sklad->addItem("Sklad-02");
    form->ComboBox_Sklad->setCurrentText("Sklad-02");
    EXPECT_EQ(reason(form->Edit_Polozka), "");
    EXPECT_EQ(reason(form->Edit_Kod), "Kód položky musí být dlouhý 8 znaků...");

    settings.setRequired(ItemField::Specifikace, true);
    form->Edit_Specifikace->setText(" ");
    EXPECT_EQ(reason(form->Edit_Specifikace), "Nezadaná specifikace...");
    form->IntegerComboBox_Zaruka->setEditText("");
    EXPECT_EQ(reason(form->IntegerComboBox_Zaruka), "Záruka musí být v rozsahu 0 až 100...");
    form->ComboBox_Dodavatel->setCurrentIndex(-1);
    EXPECT_EQ(reason(form->ComboBox_Dodavatel), "Nezadaný dodavatel...");
    form->ComboEdit_Kategorie->setText("");
    EXPECT_EQ(reason(form->ComboEdit_Kategorie), "Nezadaná kategorie...");
    int child = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Nářadí", "-", child));
    form->ComboEdit_Kategorie->setText("?\\Nářadí\\Kleště");
    EXPECT_EQ(reason(form->ComboEdit_Kategorie), "Tato kategorie neexistuje...");
    form->ComboEdit_Kategorie->setText("?\\Nářadí");
    EXPECT_EQ(reason(form->ComboEdit_Kategorie), "");

    settings.setRequired(ItemField::Nakup, false);
    form->CurrencyEdit_Nakup->setValue(1);
    form->CurrencyEdit_Nakup->setValue(0);
    EXPECT_EQ(reason(form->CurrencyEdit_Nakup), "");
    form->CurrencyEdit_Nakup->setValue(-1);
    EXPECT_EQ(reason(form->CurrencyEdit_Nakup), "Záporná nákupní cena...");
    settings.setRequired(ItemField::Minimum, true);
    form->CurrencyEdit_Minimum->setValue(0);
    EXPECT_EQ(reason(form->CurrencyEdit_Minimum), "Nulové minimum...");
    EXPECT_FALSE(form->Button_Ok->isEnabled());
}

TEST_F(ItemCard, PricesFollowTheVatAndTheMarkupButton)
{
    auto form = open<TForm_PolozkaNova>();
    form->CurrencyEdit_NakupBezDPH->setValue(100);
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Nakup->value(), 120);
    form->CurrencyEdit_NakupBezDPH->setValue(0); // zero changes nothing
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Nakup->value(), 120);

    form->IntegerComboBox_Rabat->setValue(25);
    EXPECT_EQ(form->Button_Rabat->text(), "Rabat 25%");
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Prodej->value(), 0); // only the button sets it
    form->Button_Rabat->click();
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Prodej->value(), 150);

    // Without a VAT rate nothing is computed and no error appears.
    form->ComboBox_DPH->setCurrentIndex(-1);
    form->CurrencyEdit_NakupBezDPH->setValue(50);
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Nakup->value(), 120);
    EXPECT_EQ(reason(form->ComboBox_DPH), "Nezadaná DPH...");
    EXPECT_EQ(messages.count(MessageCall::Warning) + messages.count(MessageCall::Information), 0);
}

TEST_F(ItemCard, AUnitChosenByTheUserBringsItsMinimum)
{
    auto form = open<TForm_PolozkaNova>();
    form->ComboBox_Jednotka->setCurrentText("kg");
    EXPECT_NEAR(form->CurrencyEdit_Minimum->value(), 0.001, 1e-9);
    EXPECT_FALSE(form->CheckBox_Nasobne->isChecked());
    EXPECT_EQ(form->Label_ZasobaZasoba->text(), "kg");
    EXPECT_EQ(form->Label_MinimumMinimum->text(), "kg");
}

TEST_F(ItemCard, AnEditedItemKeepsItsOwnMinimumAndTopsUpFromTheStoredQuantity)
{
    newItem("00000001", Currency::fromInt(5));
    newItem("00000002");
    sql("UPDATE tab_polozka SET MINIMUM = 5, NASOBNE = false WHERE OZNACENI = '00000001'");
    selectItem("00000001");
    auto form = open<TForm_PolozkaEditace>();
    EXPECT_EQ(form->windowTitle(), " Editace položky");
    EXPECT_EQ(form->Edit_Oznaceni->text(), "00000001");
    EXPECT_EQ(form->Edit_Polozka->text(), "Položka 00000001");
    EXPECT_EQ(form->ComboBox_DPH->currentText(), "20");
    EXPECT_EQ(form->ComboBox_Jednotka->currentText(), "ks");
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Minimum->value(), 5);
    EXPECT_FALSE(form->CheckBox_Nasobne->isChecked());
    EXPECT_EQ(form->Label_DoplnitJednotka->text(), "ks");
    // Its own name is not a duplicate; "&Ok" waits for a change.
    EXPECT_EQ(reason(form->Edit_Polozka), "");
    EXPECT_FALSE(form->Button_Ok->isEnabled());

    EXPECT_TRUE(form->CurrencyEdit_Doplnit->isEnabled());
    form->CurrencyEdit_Doplnit->setValue(3);
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Mnozstvi->value(), 8);
    form->CurrencyEdit_Doplnit->setValue(4);
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Mnozstvi->value(), 9);
    EXPECT_TRUE(form->Button_Ok->isEnabled());

    form->Edit_Polozka->setText("Položka 00000002");
    EXPECT_EQ(reason(form->Edit_Polozka), "Existující položka...");
    Shoot(form.get(), "polozka_editace");
    form->Edit_Polozka->setText("Položka 00000001");

    // Only now, chosen by the user, the unit's own values replace the item's.
    form->ComboBox_Jednotka->setCurrentText("m");
    EXPECT_NEAR(form->CurrencyEdit_Minimum->value(), 0.1, 1e-6);
    ASSERT_TRUE(dm->EditItem(int(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger()), form->Item()))
        << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT MNOZSTVI FROM tab_polozka WHERE OZNACENI='00000001'").toDouble(), 9);
}

TEST_F(ItemCard, RightsDisableTheirFields)
{
    newItem("00000001");
    revoke(12);
    revoke(19);
    revoke(27);
    selectItem("00000001");
    auto form = open<TForm_PolozkaEditace>();
    EXPECT_FALSE(form->Edit_Polozka->isEnabled());
    EXPECT_FALSE(form->CurrencyEdit_Nakup->isEnabled());
    EXPECT_FALSE(form->CurrencyEdit_Doplnit->isEnabled());
    EXPECT_TRUE(form->Edit_Kod->isEnabled());
    EXPECT_TRUE(form->CurrencyEdit_Prodej->isEnabled());
    EXPECT_TRUE(form->CurrencyEdit_NakupBezDPH->isEnabled()); // carries no right
    EXPECT_TRUE(form->IntegerComboBox_Rabat->isEnabled());
}

TEST_F(ItemCard, TypedWarrantyAndDiscountJoinTheSettingsLists)
{
    auto form = open<TForm_PolozkaNova>();
    form->IntegerComboBox_Zaruka->setEditText("36");
    form->IntegerComboBox_Sleva->setEditText("7");
    form->Button_OkClick();
    form->IntegerComboBox_Zaruka->setEditText("48");
    form->Button_OkClick();
    EXPECT_EQ(settings.zaruky, (QList<int>{0, 6, 12, 24, 36, 48}));
    EXPECT_EQ(settings.slevy.count(7), 1);
    EXPECT_EQ(settings.saveCount, 2);
}

// Another till sells and changes the item while the card is open here.
TEST_F(ItemCard, ChangesMadeElsewhereAreShownInsteadOfWrittenOver)
{
    const int id = newItem("00000001", Currency::fromInt(15));
    selectItem("00000001");
    auto form = open<TForm_PolozkaEditace>();
    sql(QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 3, true); SELECT tab_prodej_PRODAT(1, false, '-', 0);"
                       "UPDATE tab_polozka SET PRODEJ = 130, ZARUKA = 36")
            .arg(id));
    form->Edit_Polozka->setText("Kladivo");
    form->CurrencyEdit_Doplnit->setValue(2);
    form->Button_Ok->click();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).first();
    EXPECT_EQ(warning.heading, "Položku mezitím změnila jiná pokladna...");
    EXPECT_TRUE(warning.description.startsWith("Jinou pokladnou změněno: Záruka, Prodej."))
        << qPrintable(warning.description);
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Prodej->value(), 130);
    EXPECT_EQ(form->IntegerComboBox_Zaruka->value(), 36);
    EXPECT_EQ(form->Edit_Polozka->text(), "Kladivo"); // the user's own change stays
    EXPECT_DOUBLE_EQ(form->CurrencyEdit_Mnozstvi->value(), 14);
    Shoot(form.get(), "polozka_editace_zmenena_jinde");

    // Confirmed again, another sale of 1 meanwhile still counts.
    sql(QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); SELECT tab_prodej_PRODAT(1, false, '-', 0)")
            .arg(id));
    form->Button_Ok->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.count(MessageCall::Warning), 1);
    ASSERT_TRUE(dm->EditItem(id, form->Item(), form->Origin())) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT POLOZKA || '|' || PRODEJ || '|' || ZARUKA || '|' || MNOZSTVI FROM tab_polozka"),
              "Kladivo|130.0000|36|13");
}

// Two tills proposed one label: the card that writes second is refused with
// the card's message and stays open, nothing typed lost, with the next free
// label; a name another till took meanwhile is marked as taken.
TEST_F(ItemCard, AValueAnotherTillTookMeanwhileKeepsTheCardOpen)
{
    newItem("00000001");
    auto form = open<TForm_PolozkaNova>();
    int writes = 0;
    form->setWrite([&](const TDMItem &item) {
        ++writes;
        if (dm->NewItem(item))
            return true;
        ShowWarning("Transakce skončila s chybou...", "Zavedení nové položky neproběhlo...", dm->LastErrorText());
        return false;
    });
    EXPECT_EQ(form->Edit_Oznaceni->text(), "00000002");
    form->Edit_Polozka->setText("Kladivo");
    form->CurrencyEdit_Nakup->setValue(80);
    form->CurrencyEdit_Prodej->setValue(120);
    form->CurrencyEdit_Mnozstvi->setValue(2);
    auto otherTill = [this](const QString &label, const QString &name) {
        sql(QStringLiteral("SELECT tab_polozka_NOVA_POLOZKA('%1', '%1', '%2', '-', 24, 'Sklad-01', '?', '-', 20, 50,"
                           " 100, 0, 10, 0, 'ks', 1, true)")
                .arg(label, name));
    };
    otherTill("00000002", "Pila");
    form->Button_Ok->click();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().description, "Označení položky již existuje... [50000]");
    EXPECT_EQ(form->Edit_Oznaceni->text(), "00000003");
    EXPECT_EQ(reason(form->Edit_Oznaceni), "");
    EXPECT_EQ(form->Edit_Polozka->text(), "Kladivo");
    EXPECT_TRUE(form->Button_Ok->isEnabled());
    Shoot(form.get(), "polozka_nova_oznaceni_obsazeno");

    otherTill("00000009", "KLADIVO");
    form->Button_Ok->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().description, "Existující položka... [50000]");
    EXPECT_EQ(reason(form->Edit_Polozka), "Existující položka...");
    EXPECT_EQ(form->Edit_Oznaceni->text(), "00000003"); // a label of its own stays
    EXPECT_FALSE(form->Button_Ok->isEnabled());
    form->Edit_Polozka->setText("Kladivo 2");
    form->Button_Ok->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(scalar("SELECT OZNACENI FROM tab_polozka WHERE POLOZKA = 'Kladivo 2'"), "00000003");
}

TEST_F(ItemCard, AStoredWarrantyAboveTheBoxStaysUntilTheUserTypes)
{
    newItem("00000001");
    sql("UPDATE tab_polozka SET ZARUKA = 150");
    selectItem("00000001");
    auto form = open<TForm_PolozkaEditace>();
    EXPECT_EQ(form->IntegerComboBox_Zaruka->currentText(), "150");
    EXPECT_EQ(reason(form->IntegerComboBox_Zaruka), "");
    form->CurrencyEdit_Prodej->setValue(110);
    EXPECT_EQ(form->Item().ZARUKA, 150);
    form->IntegerComboBox_Zaruka->setEditText("120");
    EXPECT_EQ(reason(form->IntegerComboBox_Zaruka), "Záruka musí být v rozsahu 0 až 100...");
    EXPECT_FALSE(form->Button_Ok->isEnabled());
    form->IntegerComboBox_Zaruka->setEditText("150");
    EXPECT_TRUE(form->Button_Ok->isEnabled());
    form->Button_Ok->click();
    EXPECT_EQ(form->Item().ZARUKA, 150);
    EXPECT_EQ(settings.zaruky.count(150), 0); // kept, not typed: not offered in the list
    ASSERT_TRUE(dm->EditItem(int(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger()), form->Item(),
                             form->Origin()));
    EXPECT_EQ(scalar("SELECT ZARUKA || '|' || PRODEJ FROM tab_polozka"), "150|110.0000");

    auto fresh = open<TForm_PolozkaNova>();
    fresh->IntegerComboBox_Zaruka->setEditText("150");
    EXPECT_EQ(reason(fresh->IntegerComboBox_Zaruka), "Záruka musí být v rozsahu 0 až 100...");
}

TEST_F(ItemCard, TheCategoryButtonPicksFromTheTree)
{
    int tools = 0, pliers = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Nářadí", "-", tools));
    ASSERT_TRUE(dm->NewCategory(tools, "Kleště", "-", pliers));
    auto form = open<TForm_PolozkaNova>();
    form->ComboEdit_Kategorie->setText("?\\Nářadí\\Kleště");
    int shownOn = 0;
    WhenModal([&](QDialog *d) {
        auto *tree = dynamic_cast<TForm_KategorieStromEditace *>(d);
        ASSERT_TRUE(tree);
        shownOn = tree->SelectedId(); // opened on the edit's category
        tree->TreeView->setCurrentItem(tree->LoadedNode(tools));
        tree->Button_Zavrit->click();
    });
    form->ComboEdit_KategorieButtonClick();
    EXPECT_EQ(shownOn, pliers);
    EXPECT_EQ(form->ComboEdit_Kategorie->text(), "?\\Nářadí");
    EXPECT_EQ(Form_KategorieStromEditace, nullptr);

    WhenModal([](QDialog *d) { d->reject(); }); // cancelled: the text stays
    form->ComboEdit_KategorieButtonClick();
    EXPECT_EQ(form->ComboEdit_Kategorie->text(), "?\\Nářadí");
}

TEST_F(ItemCard, EnterInTheCodeMovesOnInsteadOfClosing)
{
    auto form = open<TForm_PolozkaNova>();
    form->activateWindow();
    form->Edit_Kod->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(form->Button_Ok->isDefault());
    QTest::keyClick(form->Edit_Kod, Qt::Key_Return);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->Edit_Polozka->hasFocus());
    EXPECT_TRUE(form->Button_Ok->isDefault());
}

} // namespace
