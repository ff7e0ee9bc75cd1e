// The main window's catalogue actions open the catalogue's screens.
#include "app/catalogue/categoryeditor.h"
#include "app/catalogue/codelists.h"
#include "app/catalogue/polozka.h"
#include "app/main/mainwindow_fixture.h"
#include "app/modal_helper.h"
#include "kit/numedit.h"
#include "screenshots.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using CatalogueActions = MainWindowTest;

template <class Window>
void expectModal(QStringList &seen)
{
    WhenModal([&seen](QDialog *dialog) {
        seen << dialog->objectName();
        EXPECT_TRUE(dynamic_cast<Window *>(dialog)) << qPrintable(dialog->objectName());
        dialog->reject();
    });
}

TEST_F(CatalogueActions, ListsAndTheTreeOpenFromTheirActions)
{
    QStringList seen;
    expectModal<TForm_Jednotky>(seen);
    window->Action_Jednotky->trigger();
    expectModal<TForm_Sklady>(seen);
    window->Action_Sklady->trigger();
    expectModal<TForm_Kontakty>(seen);
    window->Action_Kontakty->trigger();
    expectModal<TForm_Dph>(seen);
    window->Action_Dph->trigger();
    expectModal<TForm_KategorieStromEditace>(seen);
    window->Action_Kategorie->trigger();
    EXPECT_EQ(seen,
              (QStringList{"Form_Jednotky", "Form_Sklady", "Form_Kontakty", "Form_Dph", "Form_KategorieStromEditace"}));
    // Each list's query is closed again afterwards.
    EXPECT_FALSE(dm->MSSQLADOQuery_Jednotka->Active());
    EXPECT_FALSE(dm->MSSQLADOQuery_Kontakt->Active());
}

TEST_F(CatalogueActions, TheItemCardHandsItsValuesToTheWindow)
{
    WhenModal([](QDialog *dialog) {
        auto *card = dynamic_cast<TForm_PolozkaNova *>(dialog);
        ASSERT_TRUE(card);
        card->Edit_Polozka->setText("Kladivo");
        card->CurrencyEdit_Nakup->setValue(80);
        card->CurrencyEdit_Prodej->setValue(120);
        card->CurrencyEdit_Mnozstvi->setValue(2);
        Shoot(card, "polozka_nova_z_hlavniho_okna");
        card->Button_Ok->click();
    });
    TDMItem item;
    ASSERT_TRUE(window->TForm_Tarmil::ShowNewItemDialog([&item](const TDMItem &written) {
        item = written;
        return true;
    }));
    EXPECT_EQ(item.POLOZKA, "Kladivo");
    EXPECT_EQ(item.OZNACENI, "00000001");
    EXPECT_EQ(item.PRODEJ, Currency::fromInt(120));
    EXPECT_EQ(item.JEDNOTKA, "ks");

    int category = 1;
    WhenModal([](QDialog *dialog) {
        auto *picker = dynamic_cast<TForm_KategorieStrom *>(dialog);
        ASSERT_TRUE(picker);
        EXPECT_FALSE(dynamic_cast<TForm_KategorieStromEditace *>(dialog)); // the read-only picker
        picker->Button_Zavrit->click();
    });
    EXPECT_TRUE(window->TForm_Tarmil::ShowCategoryDialog(category));
    EXPECT_EQ(category, 1);
}

} // namespace
