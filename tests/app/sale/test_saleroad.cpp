// The whole road of a sale as the user walks it, through the main window's
// actions and the real screens over a real database: two items into the
// basket, one line changed, sold as a cash receipt with its cash voucher,
// then cancelled.
#include "app/main/tarmilform.h"
#include "app/modal_helper.h"
#include "app/sale/oznacenidokladu.h"
#include "app/sale/pokladna.h"
#include "app/sale/prodat.h"
#include "app/sale/sale_fixture.h"
#include "app/sale/slevamnozstvi.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

// The main window with its own screens; only the preview is recorded.
class RoadTarmil : public TForm_Tarmil
{
public:
    explicit RoadTarmil(RecordingScreens &screens)
        : m_screens(screens)
    {}
    std::unique_ptr<TDMPreview> CreatePreview() override { return m_screens.CreatePreview(); }

private:
    RecordingScreens &m_screens;
};

// Answers the next line dialog: quantity and discount (negative: keep).
void answerLine(double quantity, int discount)
{
    WhenModal([quantity, discount](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_Sleva_Mnozstvi *>(modal);
        ASSERT_TRUE(dialog);
        if (quantity >= 0)
            dialog->CurrencyEdit_Mnozstvi->setValue(quantity);
        if (discount >= 0)
            dialog->IntegerComboBox_Sleva->setValue(discount);
        ASSERT_TRUE(dialog->Button_Ok->isEnabled());
        dialog->Button_Ok->click();
    });
}

} // namespace

class SaleRoad : public SaleScreenTest
{
protected:
    void SetUp() override
    {
        SaleScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        LoginUzivatel = QStringLiteral("tester");
        LoginServer = server;
        window = std::make_unique<RoadTarmil>(screens);
    }
    void TearDown() override
    {
        window.reset();
        SaleScreenTest::TearDown();
    }
    void addToBasket(int item)
    {
        ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->LocateInteger("ID_POLOZKA", item));
        answerLine(-1, -1);
        window->Action_ProdejPridatExecute();
    }
    std::string rows(const QString &query)
    {
        return scalar("SELECT string_agg(r, ';') FROM (" + query + ") AS t(r)").toStdString();
    }

    std::unique_ptr<RoadTarmil> window;
};

TEST_F(SaleRoad, SellAsCashReceiptWithVoucherThenCancel)
{
    const int hammer = newItem("K001", Currency::fromInt(10), Currency::fromInt(100));
    const int nails = newItem("K002", Currency::fromInt(10), Currency::fromInt(50));
    addToBasket(hammer);
    addToBasket(nails);
    ASSERT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 2);
    ASSERT_TRUE(dm->MSSQLADOQuery_Prodej->LocateInteger("ID_POLOZKA", nails));
    answerLine(3, 10);
    window->Action_ProdejEditovatExecute();
    EXPECT_EQ(dm->BasketQuantity(nails), Currency::fromInt(3));

    WhenModal([](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_Prodat *>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->ComboBox_Doklad->currentIndex(), 0);
        dialog->CheckBox_Doklad->setChecked(true);
        dialog->Edit_Poznamka->setText(QStringLiteral("Děkujeme"));
        dialog->Button_Ok->click();
    });
    window->Action_ProdejProdatExecute();
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);

    const QString document = scalar("SELECT max(ID_DOKLAD) FROM tab_doklad");
    ASSERT_FALSE(document.isEmpty());
    EXPECT_TRUE(dm->MSSQLADOQuery_Prodej->IsEmpty());
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName("ID_DOKLAD").AsString(), document);
    EXPECT_EQ(screens.printed, QStringList({"document 1 0 Děkujeme 0 0", "document 1 1 Děkujeme 0 0"}));
    // Stock left the shelves, the lines are a cash receipt's, the till took 100 + (3 x 50 less 10 %).
    EXPECT_EQ(rows("SELECT OZNACENI || '=' || MNOZSTVI FROM tab_polozka ORDER BY OZNACENI"), "K001=9;K002=7");
    EXPECT_EQ(rows("SELECT OZNACENI || ':' || ID_OPERACE || ':' || MNOZSTVI || ':' || SLEVA FROM tab_historie "
                   "WHERE ID_DOKLAD = " +
                   document + " ORDER BY OZNACENI"),
              "K001:1:1:0;K002:1:3:10");
    EXPECT_EQ(rows("SELECT ID_OPERACE || ':' || POHYB || ':' || STAV FROM tab_pokladna ORDER BY ID_POKLADNA"),
              "1:235.0000:235.0000");
    EXPECT_EQ(window->Label_Pokladna_->text(), QStringLiteral("235,00 Kč"));

    messages.answer(true);
    window->Action_DokladStornoExecute();
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    EXPECT_EQ(rows("SELECT OZNACENI || '=' || MNOZSTVI FROM tab_polozka ORDER BY OZNACENI"), "K001=10;K002=10");
    EXPECT_EQ(rows("SELECT ID_OPERACE || ':' || MNOZSTVI || ':' || STATE_STAV FROM tab_historie "
                   "WHERE ID_OPERACE BETWEEN 1 AND 6 ORDER BY ID_OPERACE, OZNACENI"),
              "1:1:false;1:3:false;4:-1:true;4:-3:true");
    EXPECT_EQ(rows("SELECT ID_OPERACE || ':' || POHYB || ':' || STAV FROM tab_pokladna ORDER BY ID_POKLADNA"),
              "1:235.0000:235.0000;4:-235.0000:0.0000");
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_doklad"), "2");
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName("ID_OPERACE").AsInteger(), 4);
    EXPECT_FALSE(dm->CanCancelDocument(document.toInt()));
    EXPECT_EQ(window->Label_Pokladna_->text(), QStringLiteral("0,00 Kč"));
}

// A line of an item no longer in the catalogue (a basket older than its
// removal) cannot be sold: the sale offers to take it out, and stops.
TEST_F(SaleRoad, ALineOfAnItemOutOfTheCatalogueIsOfferedForRemoval)
{
    const int removed = newItem("K001");
    const int kept = newItem("K002");
    addToBasket(removed);
    addToBasket(kept);
    sql(QStringLiteral("ALTER TABLE tab_polozka DISABLE TRIGGER trigger_KOSIK_NEPLATNE;"
                       " UPDATE tab_polozka SET STATE_PLATNOST = false WHERE ID_POLOZKA = %1;"
                       " ALTER TABLE tab_polozka ENABLE TRIGGER trigger_KOSIK_NEPLATNE")
            .arg(removed));
    dm->RequeryBasket();
    messages.answer(true);
    window->Action_ProdejProdatExecute();
    const QList<MessageCall> questions = messages.callsOf(MessageCall::Question);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0].heading, "Odebrat z košíku položky, které již nejsou v katalogu ?");
    EXPECT_EQ(questions[0].detail, "K001 Položka K001 × 1 ks");
    EXPECT_EQ(scalar("SELECT string_agg(ID_POLOZKA::text, ',') FROM tab_prodej"), QString::number(kept));
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_doklad"), "0");
}

TEST_F(SaleRoad, AQuantityAboveTheStockIsClampedAndAskedAgain)
{
    const int item = itemWithMinimum("K001", "1", false, 5);
    int shown = 0;
    std::function<void(QDialog *)> answer = [&](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_Sleva_Mnozstvi *>(modal);
        ASSERT_TRUE(dialog);
        ++shown;
        if (shown == 1) {
            dialog->CurrencyEdit_Mnozstvi->setValue(8);
            dialog->IntegerComboBox_Sleva->setValue(10);
            WhenModal(answer);
            dialog->Button_Ok->click();
        } else {
            EXPECT_EQ(dialog->CurrencyEdit_Mnozstvi->value(), 5.0); // clamped to the stock
            EXPECT_EQ(dialog->IntegerComboBox_Sleva->value(), 10);
            dialog->Button_Storno->click();
        }
    };
    ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->LocateInteger("ID_POLOZKA", item));
    WhenModal(answer);
    window->Action_ProdejPridatExecute();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dm->BasketQuantity(item), Currency::fromInt(5));
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral(u"Této položky je na skladě pouze 5,00 ks ..."));
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("K001"));
}

TEST_F(SaleRoad, NumberingAndCashHistoryOpenOverTheirListsAndCloseThem)
{
    WhenModal([this](QDialog *modal) {
        auto *list = qobject_cast<TForm_OznaceniDokladu *>(modal);
        ASSERT_TRUE(list);
        EXPECT_EQ(dm->MSSQLADOQuery_OznaceniDoklad->RecordCount(), 3);
        list->Button_Zavrit->click();
    });
    window->Action_OznaceniDokladuExecute();
    EXPECT_FALSE(dm->MSSQLADOQuery_OznaceniDoklad->Active());

    WhenModal([](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_PokladnaVkladVyber *>(modal);
        ASSERT_TRUE(dialog);
        dialog->CurrencyEdit_VkladVyber->setValue(-150);
        dialog->Button_Ok->click();
    });
    window->Action_Pokladna_Vklad_VyberExecute();
    EXPECT_EQ(window->Label_Pokladna_->text(), QStringLiteral("-150,00 Kč"));

    WhenModal([this](QDialog *modal) {
        auto *history = qobject_cast<TForm_PokladnaHistorie *>(modal);
        ASSERT_TRUE(history);
        EXPECT_EQ(dm->MSSQLADOQuery_Pokladna->FieldByName("POHYB").AsCurrency(), Currency::fromInt(-150));
        // The shared pop-up menu lists the history's own columns.
        QTimer::singleShot(50, [this] {
            EXPECT_EQ(window->PopupGrid(),
                      qobject_cast<TForm_PokladnaHistorie *>(QApplication::activeModalWidget())->KxDBGrid);
            window->PopupMenu->close();
        });
        emit history->KxDBGrid->customContextMenuRequested(QPoint(10, 30));
        history->Button_Zavrit->click();
    });
    window->Action_Pokladna_HistorieExecute();
    EXPECT_FALSE(dm->MSSQLADOQuery_Pokladna->Active());
}
