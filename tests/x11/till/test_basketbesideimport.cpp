// Another till replaces the store's items by an import while this till's
// basket holds some of them: the till's refresh names the lines that left
// the basket, and shows the basket the server holds.
#include "app/common/messagewindows.h"
#include "till_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>

TEST_F(TillTest, TheLinesOfItemsAnotherTillsImportReplacedAreNamed)
{
    const int saw = newItem(QStringLiteral("PILA"));
    const int hammer = newItem(QStringLiteral("KLADIVO"));
    sql(QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); SELECT tab_prodej_PRODAT(3, false, '-', 0)")
            .arg(saw));
    dm->RefreshAll();
    showWindow(1);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        X11::OnGui([&] {
            ASSERT_TRUE(dm->AddOrEditBasketRow(saw, 0, Currency::fromInt(2), true));
            ASSERT_TRUE(dm->AddOrEditBasketRow(hammer, 0, Currency::fromInt(1), true));
        });
        sql(QStringLiteral("BEGIN; SELECT tab_polozka_ODEBRAT_POLOZKY(1);"
                           " SELECT tab_polozka_NOVA_POLOZKA('PILA', 'PILA', 'Pila nová', '-', 24, 'Sklad-01', '?',"
                           " '-', 20, 50, 100, 0, 100, 0, 'ks', 1, true); COMMIT"));
        X11::OnGui([&] { window->KxDBGrid_PolozkaProdej->setFocus(); });
        ASSERT_TRUE(X11::WaitUntil([&] { return window->KxDBGrid_PolozkaProdej->hasFocus(); }));
        X11::Input().Key("F5");
        auto *warning = static_cast<TFormWarning *>(X11::WaitForModal("TFormWarning"));
        ASSERT_TRUE(warning) << "no warning";
        const auto [heading, lines] = X11::OnGui(
            [&] { return std::pair(warning->LabelWarning->text(), warning->MemoDescription->toPlainText()); });
        X11::Screenshot(QStringLiteral("basket-lines-gone"));
        EXPECT_EQ(heading, QStringLiteral("Položky košíku již nejsou v katalogu..."));
        EXPECT_TRUE(lines.endsWith(QStringLiteral("KLADIVO Položka KLADIVO × 1 ks\nPILA Položka PILA × 2 ks")))
            << qPrintable(lines);
        X11::Input().Key("Return");
        EXPECT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
        EXPECT_EQ(X11::OnGui([&] { return window->KxDBGrid_Prodej->model()->rowCount(); }), 0);
        EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_prodej")), QStringLiteral("0"));
    });
}
