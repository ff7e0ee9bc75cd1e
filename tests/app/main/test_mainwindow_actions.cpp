// The main window's actions over a real database: their refusals, the
// basket, selling, cancelling, removing items and the cash book.
#include "app/main/mainwindow_fixture.h"
#include "kit/dbgridmodel.h"
#include "kit/searchedit.h"

#include <QAction>
#include <QLabel>

namespace {
const QString kNoRight = QStringLiteral("Uživatel nemá oprávnění...");
const QString kCheckFilter = QStringLiteral("Zkontrolujte zda není aktivní filtr...");
} // namespace

class MainWindowActions : public MainWindowTest
{
protected:
    // An item in the basket sold as a cash receipt; returns the document's id.
    int sellOne(const QString &mark)
    {
        const int item = newItem(mark);
        EXPECT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
        int document = 0;
        EXPECT_TRUE(dm->SellBasket(1, false, dm->DefaultCustomerName(), 0, document));
        return document;
    }
    void markItems(TKxDBGrid *grid, const QList<int> &ids)
    {
        for (int position = 0; position < grid->GridModel()->rowCount(); ++position) {
            const TGridRowValues row = grid->RowValues(position);
            if (ids.contains(int(row.AsInteger(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA")))))
                grid->SelectedRows().Select(grid->GridModel()->RowKey(position), true);
        }
    }
    int itemCount() { return scalar("SELECT count(*) FROM tab_polozka").toInt(); }
    const MessageCall lastInformation() const { return messages.callsOf(MessageCall::Information).last(); }
};

TEST_F(MainWindowActions, DeniedRightsStopEveryGuardedAction)
{
    const int item = newItem("R1", Currency::fromInt(0));
    sellOne("R2");
    toItem(item);
    struct Guard
    {
        int right;
        void (TForm_Tarmil::*handler)();
        const char *heading;
    };
    const Guard guards[] = {
        {54, &TForm_Tarmil::Action_VybratSkladExecute, "Funkce vybrat sklad není dostupná..."},
        {1, &TForm_Tarmil::Action_FiltrExecute, "Funkce použít filtr není dostupná..."},
        {5, &TForm_Tarmil::Action_SQLExecute, "Funkce SQL scripty není dostupná..."},
        {6, &TForm_Tarmil::Action_Pokladna_HistorieExecute, "Funkce historie pokladny není dostupná..."},
        {7, &TForm_Tarmil::Action_Pokladna_Vklad_VyberExecute, "Funkce vklady a výběry pokladny není dostupná..."},
        {8, &TForm_Tarmil::Action_PolozkaNovaExecute, "Funkce zavedení nové položky není dostupná..."},
        {9, &TForm_Tarmil::Action_PolozkaEditaceExecute, "Funkce editace položky není dostupná..."},
        {28, &TForm_Tarmil::Action_PolozkaOdebratExecute, "Funkce odebrat položku není dostupná..."},
        {31, &TForm_Tarmil::Action_PolozkaTiskExecute, "Funkce tisk seznamu položek není dostupná..."},
        {40, &TForm_Tarmil::Action_DokladStornoExecute, "Funkce storno dokladu není dostupná..."},
        {41, &TForm_Tarmil::Action_DokladPrehledExecute, "Funkce tisk přehledu dokladů není dostupná..."},
        {43, &TForm_Tarmil::Action_ObchodExecute, "Funkce nastavení výchozích hodnot Tarmil není dostupná..."},
        {70, &TForm_Tarmil::Action_ZalohaExecute, "Funkce zálohování databáze není dostupná..."},
        {71, &TForm_Tarmil::Action_DatabazeExecute, "Funkce údržba databáze není dostupná..."},
    };
    for (const Guard &g : guards) {
        withoutRight(g.right);
        messages.calls.clear();
        window->shown.clear();
        (window.get()->*g.handler)();
        ASSERT_EQ(messages.calls.size(), 1) << g.heading;
        EXPECT_EQ(messages.calls[0].heading, QString::fromUtf8(g.heading));
        EXPECT_EQ(messages.calls[0].detail, kNoRight);
        EXPECT_FALSE(messages.calls[0].flag) << "stays until closed";
        EXPECT_TRUE(window->shown.isEmpty()) << g.heading;
        sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=true");
    }
    EXPECT_TRUE(screens.printed.isEmpty());

    // With every right the same actions go on to their screens.
    messages.calls.clear();
    window->Action_PolozkaNovaExecute();
    window->Action_PolozkaEditaceExecute();
    window->Action_Pokladna_Vklad_VyberExecute();
    EXPECT_EQ(window->shown, QStringList({"new item", "edit item", "cash"}));
    EXPECT_TRUE(messages.calls.isEmpty());
}

TEST_F(MainWindowActions, EmptyListsAreRefusedWithTheirOwnHeadings)
{
    struct Empty
    {
        void (TForm_Tarmil::*handler)();
        const char *heading;
    };
    const Empty empties[] = {
        {&TForm_Tarmil::Action_PolozkaEditaceExecute, "Na skladě není žádná položka k editování..."},
        {&TForm_Tarmil::Action_PolozkaOdebratExecute, "Na skladě není žádná položka k odebrání..."},
        {&TForm_Tarmil::Action_PolozkaTiskExecute, "Na skladě nejsou žádné položky k tisku..."},
        {&TForm_Tarmil::Action_ProdejPridatExecute, "V evidenci nejsou žádné položky..."},
        {&TForm_Tarmil::Action_DokladTiskExecute, "V evidenci nejsou žádné doklady..."},
        {&TForm_Tarmil::Action_DokladPokladniExecute, "V evidenci nejsou žádné doklady..."},
        {&TForm_Tarmil::Action_DokladStornoExecute, "V evidenci nejsou žádné doklady..."},
        {&TForm_Tarmil::Action_DokladPrehledExecute, "V evidenci nejsou žádné doklady..."},
    };
    for (const Empty &e : empties) {
        messages.calls.clear();
        (window.get()->*e.handler)();
        ASSERT_EQ(messages.calls.size(), 1) << e.heading;
        EXPECT_EQ(messages.calls[0].heading, QString::fromUtf8(e.heading));
        EXPECT_EQ(messages.calls[0].detail, kCheckFilter);
        EXPECT_TRUE(messages.calls[0].flag) << "closes itself";
    }
    // The basket's own actions simply do nothing on an empty basket.
    messages.calls.clear();
    window->Action_ProdejOdebratExecute();
    window->Action_ProdejProdatExecute();
    window->Action_ProdejEditovatExecute();
    window->Action_DokladParovyExecute();
    EXPECT_TRUE(messages.calls.isEmpty());
    EXPECT_TRUE(window->shown.isEmpty());
    EXPECT_TRUE(screens.printed.isEmpty());
}

TEST_F(MainWindowActions, EnterInASearchEditActsOnlyOnTheRowFound)
{
    newItem("A100");
    sellOne("B200");
    window->show();
    dm->MSSQLADOQuery_Polozka->LocateText("OZNACENI", "A100");

    window->SearchEdit_Oznaceni->setFocus();
    window->SearchEdit_Oznaceni->setText("A1");
    window->Action_ProdejPridatExecute();
    EXPECT_EQ(headings(), QStringList{"Hledané označení položky nenalezeno..."});
    EXPECT_EQ(lastInformation().detail, "Hledané označení: [A1]");
    EXPECT_TRUE(lastInformation().flag);
    EXPECT_EQ(window->SearchEdit_Oznaceni->selectedText(), "A1");
    EXPECT_EQ(basketQuantity(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger()), QString());

    messages.calls.clear();
    window->SearchEdit_Kod->setFocus();
    window->SearchEdit_Kod->setText("A10");
    window->Action_PolozkaEditaceExecute();
    EXPECT_EQ(headings(), QStringList{"Hledaný kód položky nenalezen..."});
    EXPECT_EQ(lastInformation().detail, "Hledaný kód: [A10]");
    EXPECT_TRUE(window->shown.isEmpty());

    messages.calls.clear();
    window->SearchEdit_Kod->setText("A100"); // the row found
    window->Action_PolozkaEditaceExecute();
    EXPECT_TRUE(messages.calls.isEmpty());
    EXPECT_EQ(window->shown, QStringList{"edit item"});

    // Documents: either number of the current document will do.
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    window->SearchEdit_Doklad->setFocus();
    for (const char *column : {"DOKLAD_NETISTENY", "DOKLAD_VYTISTENY"}) {
        window->SearchEdit_Doklad->setText(documents->FieldByName(column).AsString());
        messages.calls.clear();
        window->Action_DokladTiskExecute();
        EXPECT_TRUE(messages.calls.isEmpty()) << column;
    }
    EXPECT_EQ(screens.printed.size(), 2);
    window->SearchEdit_Doklad->setText("X");
    window->Action_DokladTiskExecute();
    EXPECT_EQ(headings(), QStringList{"Hledaný doklad nenalezen..."});
    EXPECT_EQ(lastInformation().detail, "Hledaný doklad: [X]");
    EXPECT_EQ(screens.printed.size(), 2);
}

TEST_F(MainWindowActions, AddingToTheBasketChecksPriceAndStock)
{
    const int item = newItem("P1", Currency::fromInt(2));
    sql("UPDATE tab_polozka SET NAKUP = PRODEJ");
    dm->RequeryItems();
    toItem(item);

    window->Action_ProdejPridatExecute();
    EXPECT_EQ(headings(), QStringList{"Prodejní cena položky je nulová, nebo je menší nebo rovna ceně nákupní..."});
    EXPECT_EQ(lastInformation().detail, "P1");
    EXPECT_FALSE(lastInformation().flag);
    EXPECT_EQ(basketQuantity(item), "1") << "informed, and added all the same";
    EXPECT_EQ(window->shown, QStringList{"line 0 1"}) << "the new line is offered for editing";

    messages.calls.clear();
    window->Action_ProdejPridatExecute();
    EXPECT_EQ(basketQuantity(item), "2") << "the minimum once more";

    messages.calls.clear();
    window->Action_ProdejPridatExecute();
    ASSERT_EQ(headings().size(), 2);
    EXPECT_EQ(headings()[1], "Této položky je na skladě pouze 2,00 ks ...");
    EXPECT_EQ(lastInformation().detail, "P1");
    EXPECT_TRUE(lastInformation().flag);
    EXPECT_EQ(basketQuantity(item), "2") << "stock does not cover basket plus minimum";
}

// The line's quantity is held against its own item's stock even while the
// item list shows another item.
TEST_F(MainWindowActions, EditingALineClampsToItsOwnItemsStock)
{
    const int large = newItem("L1", Currency::fromInt(10));
    const int small = newItem("S1", Currency::fromInt(3));
    ASSERT_TRUE(dm->AddOrEditBasketRow(small, 0, Currency::fromInt(1), false));
    toItem(large);
    window->lines.enqueue({5, 7.0});
    window->lines.enqueue({5, 2.0});

    window->Action_ProdejEditovatExecute();

    EXPECT_EQ(window->shown, QStringList({"line 0 1", "line 5 3"})) << "after the clamp the dialog comes back";
    ASSERT_EQ(headings(), QStringList{"Této položky je na skladě pouze 3,00 ks ..."});
    EXPECT_EQ(lastInformation().detail, "S1");
    EXPECT_FALSE(lastInformation().flag);
    EXPECT_EQ(basketQuantity(small), "2");
    EXPECT_EQ(scalar(QStringLiteral("SELECT SLEVA FROM tab_prodej WHERE ID_POLOZKA=%1").arg(small)), "5");
    EXPECT_EQ(basketQuantity(large), QString());
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger(), small)
        << "the item list follows the line for the dialog's rules";
}

TEST_F(MainWindowActions, SellingAsEachKindRefreshesTheListsAndPrints)
{
    window->preview = true;
    for (int kind = 0; kind < 3; ++kind) {
        const int item = newItem(QStringLiteral("K%1").arg(kind), Currency::fromInt(5));
        dm->RequeryItems();
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), false));
        TSaleChoice choice;
        choice.kind = kind;
        choice.customer = dm->DefaultCustomerName();
        choice.print = true;
        choice.copy = kind == 1;
        choice.cashVoucher = true;
        choice.note = QStringLiteral("pozn. %1").arg(kind);
        window->sales.enqueue(choice);
        screens.printed.clear();

        window->Action_ProdejProdatExecute();

        EXPECT_TRUE(dm->MSSQLADOQuery_Prodej->IsEmpty()) << kind;
        TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
        EXPECT_EQ(documents->RecordCount(), kind + 1);
        EXPECT_EQ(documents->FieldByName("ID_OPERACE").AsInteger(), kind + 1) << "the new document is current";
        toItem(item);
        EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("MNOZSTVI").AsInteger(), 3);
        QStringList expected{QStringLiteral("document %1 0 pozn. %2 %3 1").arg(kind + 1).arg(kind).arg(int(kind == 1))};
        if (kind == 0)
            expected << QStringLiteral("document 1 1 pozn. 0 0 1");
        EXPECT_EQ(screens.printed, expected);
    }
    EXPECT_TRUE(headings().isEmpty());
}

TEST_F(MainWindowActions, SellingNeedsTheRightOfTheKind)
{
    const int item = newItem("K1");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    const char *denials[] = {"Funkce prodej za hotové není dostupná...",
                             "Funkce prodej na fakturu/dodací list není dostupná...",
                             "Funkce prodej na dodací list není dostupná..."};
    for (int kind = 0; kind < 3; ++kind) {
        withoutRight(32 + kind);
        TSaleChoice choice;
        choice.kind = kind;
        window->sales.enqueue(choice);
        messages.calls.clear();
        window->Action_ProdejProdatExecute();
        EXPECT_EQ(headings(), QStringList{QString::fromUtf8(denials[kind])});
        EXPECT_FALSE(dm->MSSQLADOQuery_Prodej->IsEmpty());
    }
    EXPECT_EQ(dm->DocumentCount(), 0);
    window->Action_ProdejProdatExecute(); // cancelled dialog: nothing
    EXPECT_EQ(dm->DocumentCount(), 0);
}

TEST_F(MainWindowActions, ADocumentIsCancelledOnceAndPairsWithItsCancellation)
{
    const int document = sellOne("C1");
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", document));
    const QString detail = QStringLiteral("Doklad (%1 / %2)")
                               .arg(documents->FieldByName("DOKLAD_NETISTENY").AsString(),
                                    documents->FieldByName("DOKLAD_VYTISTENY").AsString());

    messages.calls.clear();
    messages.answer(false);
    window->Action_DokladStornoExecute();
    ASSERT_EQ(messages.calls.size(), 1);
    EXPECT_EQ(messages.calls[0].heading, "Opravdu chcete vystornovat tento doklad ?");
    EXPECT_EQ(messages.calls[0].detail, detail);
    EXPECT_FALSE(messages.calls[0].flag) << "\"Ne\" has the focus";
    EXPECT_EQ(dm->DocumentCount(), 1);

    messages.answer(true);
    window->Action_DokladStornoExecute();
    EXPECT_EQ(dm->DocumentCount(), 2);
    const int cancellation = int(documents->FieldByName("ID_DOKLAD").AsInteger());
    EXPECT_NE(cancellation, document);
    EXPECT_EQ(screens.printed, QStringList{"document 4 0  0 1"}) << "the cancellation is printed with preview";

    // Neither the cancelled document nor the cancellation can be cancelled.
    for (int id : {document, cancellation}) {
        ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", id));
        messages.calls.clear();
        window->Action_DokladStornoExecute();
        EXPECT_EQ(headings(), QStringList{"Tento doklad nelze vystornovat..."});
        EXPECT_EQ(lastInformation().detail, "Doklad již byl vystornován, stornovací doklad nelze vystornovat...");
        EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), id) << "the list keeps its row";
    }
    EXPECT_EQ(dm->DocumentCount(), 2);

    // The paired document, there and back.
    window->Action_DokladParovyExecute();
    EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), document);
    window->Action_DokladParovyExecute();
    EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), cancellation);
    const int plain = sellOne("C2");
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", plain));
    window->Action_DokladParovyExecute();
    EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), plain) << "never cancelled: stays";
}

TEST_F(MainWindowActions, TheCashVoucherIsOnlyForCashReceipts)
{
    const int item = newItem("V1");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    int invoice = 0;
    ASSERT_TRUE(dm->SellBasket(2, false, dm->DefaultCustomerName(), 0, invoice));
    window->Action_DokladPokladniExecute();
    EXPECT_EQ(headings(), QStringList{"Funkce tisk přijmového pokladního dokladu není dostupná..."});
    EXPECT_EQ(lastInformation().detail, "Funkce je dostupná pouze pro účteneky za hotové...");
    EXPECT_TRUE(screens.printed.isEmpty());
    sellOne("V2");
    window->Action_DokladPokladniExecute();
    window->Action_DokladPrehledExecute();
    EXPECT_EQ(screens.printed, QStringList({"document 1 1  0 1", "documents"}));
}

// Every item that goes is tested for stock, not only the current one.
TEST_F(MainWindowActions, RemovingASelectionTestsTheStockOfEveryItem)
{
    const int empty1 = newItem("E1", Currency::fromInt(0));
    const int stocked = newItem("E2", Currency::fromInt(4));
    const int empty2 = newItem("E3", Currency::fromInt(0));
    withoutRight(29);
    TKxDBGrid *grid = window->KxDBGrid_Polozka;
    markItems(grid, {empty1, stocked, empty2});
    toItem(empty1); // the current row has no stock
    ASSERT_EQ(grid->SelectedRows().Count(), 3);

    window->Action_PolozkaOdebratExecute();
    EXPECT_EQ(headings(), QStringList{"Tuto položku nelze odebrat..."});
    EXPECT_EQ(lastInformation().detail, "E2 má nenulové množství...");
    EXPECT_EQ(itemCount(), 3) << "nothing is removed";

    // Without stock in the selection the question counts the rows; "Ne" keeps them.
    grid->SelectedRows().Clear();
    markItems(grid, {empty1, empty2});
    messages.calls.clear();
    messages.answer(false);
    window->Action_PolozkaOdebratExecute();
    ASSERT_EQ(messages.count(MessageCall::Question), 1);
    EXPECT_EQ(messages.calls[0].heading, "Opravdu chcete odebrat položku(y) ?");
    EXPECT_EQ(messages.calls[0].detail, "Celkem položek: 2");
    EXPECT_EQ(itemCount(), 3);

    messages.answer(true);
    window->Action_PolozkaOdebratExecute();
    EXPECT_EQ(itemCount(), 1);
    EXPECT_EQ(grid->SelectedRows().Count(), 0);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 1);

    // One item, the current one, asked about by its mark; right 29 lets stock go.
    sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=true");
    toItem(stocked);
    messages.calls.clear();
    messages.answer(true);
    window->Action_PolozkaOdebratExecute();
    EXPECT_EQ(messages.calls[0].detail, "E2");
    EXPECT_EQ(itemCount(), 0);
}

TEST_F(MainWindowActions, StockAddedElsewhereCountsBeforeARemoval)
{
    const int item = newItem("E1", Currency::fromInt(0));
    sql("UPDATE tab_polozka SET MNOZSTVI = 5"); // another till; the list still shows 0
    withoutRight(29);
    toItem(item);
    window->Action_PolozkaOdebratExecute();
    EXPECT_EQ(headings(), QStringList{"Tuto položku nelze odebrat..."});
    EXPECT_EQ(itemCount(), 1);
}

TEST_F(MainWindowActions, CashDepositAndWithdrawal)
{
    window->cashAmounts.enqueue(Currency::fromInt(500));
    window->cashAmounts.enqueue(Currency::fromInt(-120));
    window->Action_Pokladna_Vklad_VyberExecute();
    window->Action_Pokladna_Vklad_VyberExecute();
    EXPECT_EQ(dm->CashBalance(), Currency::fromInt(380));
    EXPECT_TRUE(window->Label_Pokladna_->text().startsWith("380")) << qPrintable(window->Label_Pokladna_->text());
    window->Action_Pokladna_Vklad_VyberExecute(); // cancelled
    EXPECT_EQ(dm->CashBalance(), Currency::fromInt(380));
    EXPECT_TRUE(headings().isEmpty());
}

// A figure the server does not give (here its function is gone) ends in the
// action's message, with the label and the basket as they were: the cash
// balance on a change of page, the quantity in the basket on adding an item.
TEST_F(MainWindowActions, FiguresTheServerDoesNotGiveEndInAMessage)
{
    const int item = newItem("N1");
    toItem(item);
    window->NotebookPageChanged();
    const QString label = window->Label_Pokladna_->text();
    sql("DROP FUNCTION tab_pokladna_func_STAV; DROP FUNCTION tab_prodej_func_MNOZSTVI");
    window->NotebookPageChanged();
    EXPECT_EQ(window->Label_Pokladna_->text(), label);
    window->Action_ProdejPridatExecute();
    const QList<MessageCall> warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].detail, QStringLiteral("Výběr položky neproběhl..."));
    EXPECT_FALSE(warnings[0].description.isEmpty());
    EXPECT_EQ(basketQuantity(item), QString());
}

TEST_F(MainWindowActions, ChoosingAStoreIsRefusedWhileTheBasketHoldsRows)
{
    const int item = newItem("S1");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    window->stores.enqueue(dm->StoreName(1));
    window->Action_VybratSkladExecute();
    EXPECT_EQ(headings(), QStringList{"Funkce vybrat sklad není dostupná..."});
    EXPECT_EQ(lastInformation().detail, "Funkce prodej není dokončena...");
    EXPECT_TRUE(window->shown.isEmpty());

    ASSERT_TRUE(dm->RemoveBasketRow(item));
    window->Action_VybratSkladExecute();
    EXPECT_EQ(window->shown, QStringList{"store"});
    EXPECT_EQ(dm->IdSklad, 1);
    EXPECT_TRUE(window->windowTitle().contains("[Sklad (")) << qPrintable(window->windowTitle());
}
