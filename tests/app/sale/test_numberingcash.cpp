// The numbering screens and the cash book screens over a real database.
#include "app/catalogue/screenshots.h"
#include "app/modal_helper.h"
#include "app/sale/oznacenidokladu.h"
#include "app/sale/pokladna.h"
#include "app/sale/sale_fixture.h"
#include "kit/dbgridex.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class Numbering : public SaleScreenTest
{
protected:
    void SetUp() override
    {
        SaleScreenTest::SetUp();
        dm->MSSQLADOQuery_OznaceniDoklad->RefreshQuery();
        ASSERT_TRUE(dm->MSSQLADOQuery_OznaceniDoklad->LocateText("OZNACENI_DOKLAD", "UCT"));
    }
    QString series(const QString &column)
    {
        return scalar(QStringLiteral("SELECT %1 FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD=1").arg(column));
    }
    // Clicks the check box of a column in the current row.
    void clickFlag(TForm_OznaceniDokladu &list, const QString &field)
    {
        TKxDBGridEx *grid = list.KxDBGridEx;
        const int col = grid->Columns().ColumnByFieldName(field)->Index() + grid->IndicatorOffset();
        const int row = dm->MSSQLADOQuery_OznaceniDoklad->RecNo() - 1 + grid->TitleOffset();
        const QPoint centre = TKxDBGridEx::CheckBoxRect(grid->DataCellRect(grid->CellRect(col, row))).center() -
                              grid->viewport()->geometry().topLeft();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
        settle();
    }
};

TEST_F(Numbering, EditingValidatesPrefixCountersAndWidth)
{
    TForm_OznaceniDokladuEditace dialog;
    dialog.show();
    settle();
    EXPECT_EQ(dialog.Edit_Oznaceni->text(), QStringLiteral("UCT"));
    EXPECT_FALSE(dialog.Button_Ok->isEnabled()); // nothing changed yet
    Shoot(&dialog, "oznaceni_dokladu_editace");

    dialog.Edit_Oznaceni->setText(QStringLiteral("FAK")); // another series' prefix
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    EXPECT_EQ(dialog.Edit_Oznaceni->property("Hint").toString(), QStringLiteral("Existující označení dokladu..."));
    dialog.Edit_Oznaceni->setText(QString()); // no prefix at all is fine
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());

    struct Case
    {
        TIntegerEdit *edit;
        QString value;
        bool valid;
    } cases[] = {
        {dialog.IntegerEdit_PoradiNetisteny, "0", false},
        {dialog.IntegerEdit_PoradiNetisteny, "99999999", true},
        {dialog.IntegerEdit_PoradiVytisteny, "100000000", false},
        {dialog.IntegerEdit_PoradiVytisteny, "1", true},
        {dialog.IntegerEdit_PoradiZarovnani, "9", false},
        {dialog.IntegerEdit_PoradiZarovnani, "0", false},
        {dialog.IntegerEdit_PoradiZarovnani, "8", true},
    };
    for (const Case &c : cases) {
        c.edit->setText(c.value);
        EXPECT_EQ(dialog.Button_Ok->isEnabled(), c.valid) << qPrintable(c.edit->objectName() + " " + c.value);
    }
}

TEST_F(Numbering, EditingNeedsRight46AndStoresTheSeries)
{
    TForm_OznaceniDokladu list;
    list.show();
    settle();
    EXPECT_FALSE(list.Button_Pridat->isEnabled());
    EXPECT_TRUE(list.Button_Editovat->isEnabled());
    EXPECT_FALSE(list.Button_Odebrat->isEnabled());

    WhenModal([](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_OznaceniDokladuEditace *>(modal);
        ASSERT_TRUE(dialog);
        dialog->Edit_Oznaceni->setText(QStringLiteral("UC"));
        dialog->Edit_Oddelovac->setText(QStringLiteral("/"));
        dialog->IntegerEdit_PoradiNetisteny->setText(QStringLiteral("41"));
        dialog->IntegerEdit_PoradiZarovnani->setText(QStringLiteral("5"));
        dialog->Button_Ok->click();
    });
    list.Button_Editovat->click();
    EXPECT_EQ(series("OZNACENI_DOKLAD"), QStringLiteral("UC"));
    EXPECT_EQ(series("PORADI_DOKLAD_NETISTENY"), QStringLiteral("41"));
    EXPECT_EQ(dm->MSSQLADOQuery_OznaceniDoklad->FieldByName("DOKLAD_NETISTENY").AsString().right(6),
              QStringLiteral("/00041"));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);

    withdrawRight(46);
    list.Button_Editovat->click(); // no dialog comes up
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Funkce editace označení dokladů není dostupná..."));
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("Uživatel nemá oprávnění..."));
}

// Another till sells while the list, and then the dialog, is open here.
TEST_F(Numbering, SalesElsewhereAreNeverNumberedTwice)
{
    const int item = newItem("1", Currency::fromInt(10));
    const QString sale = QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); "
                                        "SELECT tab_prodej_PRODAT(1, false, '-', 0)")
                             .arg(item);
    TForm_OznaceniDokladu list;
    list.show();
    settle();
    sql(sale); // the list still shows 1
    bool refused = false;
    WhenModal([&](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_OznaceniDokladuEditace *>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->IntegerEdit_PoradiNetisteny->value(), 2); // read fresh
        dialog->Edit_Oznaceni->setText(QStringLiteral("PK"));
        sql(sale);
        dialog->Button_Ok->click();
    });
    list.Button_Editovat->click();
    EXPECT_EQ(series("OZNACENI_DOKLAD || '|' || PORADI_DOKLAD_NETISTENY"), QStringLiteral("PK|3"));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);

    // A counter the user changed is refused when a sale moved it meanwhile.
    WhenModal([&](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_OznaceniDokladuEditace *>(modal);
        ASSERT_TRUE(dialog);
        dialog->Edit_Oznaceni->setText(QStringLiteral("PQ"));
        dialog->IntegerEdit_PoradiNetisteny->setText(QStringLiteral("2"));
        sql(sale);
        dialog->Button_Ok->click();
        refused = true;
    });
    list.Button_Editovat->click();
    ASSERT_TRUE(refused);
    EXPECT_EQ(series("OZNACENI_DOKLAD || '|' || PORADI_DOKLAD_NETISTENY"), QStringLiteral("PK|4"));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("Editace označení dokladu neproběhla..."));
    EXPECT_EQ(messages.calls.last().description,
              QStringLiteral("Pořadí netištěného dokladu se mezitím změnilo na 4 (jiná pokladna vydala doklad): nic "
                             "nebylo zapsáno. [50000]"));
    EXPECT_EQ(scalar("SELECT count(DISTINCT DOKLAD_NETISTENY) || '/' || count(*) FROM tab_doklad d "
                     "JOIN tab_historie h ON h.ID_DOKLAD = d.ID_DOKLAD"),
              QStringLiteral("3/3"));
}

TEST_F(Numbering, FlagsToggleInTheListOnlyWithRight46)
{
    TForm_OznaceniDokladu list;
    list.resize(1000, 300);
    list.show();
    settle();
    const QString before = series("OZNACENI_ROK");
    const QString preview = dm->MSSQLADOQuery_OznaceniDoklad->FieldByName("DOKLAD_NETISTENY").AsString();
    clickFlag(list, "OZNACENI_ROK");
    EXPECT_NE(series("OZNACENI_ROK"), before);
    EXPECT_NE(dm->MSSQLADOQuery_OznaceniDoklad->FieldByName("DOKLAD_NETISTENY").AsString(), preview);
    EXPECT_EQ(dm->MSSQLADOQuery_OznaceniDoklad->FieldByName("OZNACENI_DOKLAD").AsString(), "UCT");

    withdrawRight(46);
    const QString after = series("OZNACENI_MESIC");
    clickFlag(list, "OZNACENI_MESIC");
    EXPECT_EQ(series("OZNACENI_MESIC"), after);
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Funkce editace označení dokladů není dostupná..."));
}

class CashBook : public SaleScreenTest
{
protected:
    // The amount as the dialog hands it over, recorded as the main window does.
    void deposit(double amount)
    {
        TForm_PokladnaVkladVyber dialog;
        dialog.show();
        settle();
        EXPECT_FALSE(dialog.Button_Ok->isEnabled()); // zero to begin with
        dialog.CurrencyEdit_VkladVyber->setValue(amount);
        ASSERT_TRUE(dialog.Button_Ok->isEnabled());
        dialog.Button_Ok->click();
        ASSERT_EQ(dialog.result(), int(QDialog::Accepted));
        ASSERT_TRUE(dm->CashDepositWithdrawal(Currency::fromDouble(dialog.CurrencyEdit_VkladVyber->value())));
    }
};

TEST_F(CashBook, ZeroIsNoAmount)
{
    TForm_PokladnaVkladVyber dialog;
    dialog.show();
    settle();
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    EXPECT_EQ(dialog.CurrencyEdit_VkladVyber->property("Hint").toString(),
              QStringLiteral("Nezadaná hodnata vkladu/výběru..."));
    dialog.CurrencyEdit_VkladVyber->setText(QStringLiteral("-0,001")); // nothing in whole hundredths
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    dialog.CurrencyEdit_VkladVyber->setText(QStringLiteral("12,5"));
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());
}

TEST_F(CashBook, DepositAndWithdrawalReachLabelAndHistory)
{
    deposit(1000);
    EXPECT_EQ(screens.labels.value(TSummaryLabel::Pokladna), QStringLiteral(u"1\u00a0000,00 Kč"));
    deposit(-150);
    EXPECT_EQ(screens.labels.value(TSummaryLabel::Pokladna), QStringLiteral("850,00 Kč"));
    EXPECT_EQ(scalar("SELECT POHYB FROM tab_pokladna ORDER BY ID_POKLADNA DESC LIMIT 1"), "-150.0000");

    TMSSQLADOQuery *cash = dm->MSSQLADOQuery_Pokladna;
    cash->RefreshQuery();
    TForm_PokladnaHistorie history;
    history.show();
    settle();
    ASSERT_EQ(cash->RecordCount(), 2);
    ASSERT_TRUE(cash->LocateText("POHYB", "-150"));
    EXPECT_EQ(cash->FieldByName("STAV").AsCurrency(), Currency::fromInt(850));
    // Sorting by the balance and back through the title button.
    Db::Field *balance = cash->FindField("STAV");
    history.KxDBGrid->OnTitleBtnClick(history.KxDBGrid, 6, balance);
    EXPECT_EQ(cash->SortState(balance), 1);
    cash->First();
    EXPECT_EQ(cash->FieldByName("STAV").AsCurrency(), Currency::fromInt(850));
    history.KxDBGrid->OnTitleBtnClick(history.KxDBGrid, 6, balance);
    EXPECT_EQ(cash->SortState(balance), 2);
    cash->First();
    EXPECT_EQ(cash->FieldByName("STAV").AsCurrency(), Currency::fromInt(1000));
}
