// Actions on the basket: adding an item, editing a line, removing it, selling.
#include "app/main/tarmilform.h"

#include "platform/formattext.h"
#include "platform/messages.h"

namespace {

QString stockHeading(Currency stock, const QString &unit)
{
    return Format(QStringLiteral("Této položky je na skladě pouze %0.2f %s ..."), {stock.toDouble(), unit});
}

Currency currencyOf(TMSSQLADOQuery *list, const QString &column)
{
    Db::Field *field = list->FindField(column);
    return field && list->Active() && !list->IsEmpty() ? field->AsCurrency() : Currency();
}

} // namespace

void TForm_Tarmil::Action_ProdejPridatExecute()
{
    TMSSQLADOQuery *items = DM->MSSQLADOQuery_Polozka;
    if (!CheckNotEmpty(items, QStringLiteral("V evidenci nejsou žádné položky...")) || !CheckItemSearch())
        return;
    const int id = IntegerOf(items, QStringLiteral("ID_POLOZKA"));
    const QString mark = TextOf(items, QStringLiteral("OZNACENI"));
    // A price at or below the purchase price is only pointed out.
    if (currencyOf(items, QStringLiteral("PRODEJ")) <= currencyOf(items, QStringLiteral("NAKUP")))
        ShowInformation(QStringLiteral("Prodejní cena položky je nulová, nebo je menší nebo rovna ceně nákupní..."),
                        mark, false);
    const Currency minimum = currencyOf(items, QStringLiteral("MINIMUM"));
    const Currency stock = currencyOf(items, QStringLiteral("MNOZSTVI"));
    const std::optional<Currency> inBasket = DM->BasketQuantity(id);
    if (!inBasket) {
        ReportWriteFailure(QStringLiteral("Výběr položky neproběhl..."));
        return;
    }
    if (stock < *inBasket + minimum) {
        ShowInformation(stockHeading(stock, TextOf(items, QStringLiteral("JEDNOTKA"))), mark, true);
        return;
    }
    if (!DM->AddOrEditBasketRow(id, IntegerOf(items, QStringLiteral("SLEVA")), minimum, false)) {
        ReportWriteFailure(QStringLiteral("Výběr položky neproběhl..."));
        return;
    }
    editBasketRow();
}

void TForm_Tarmil::Action_ProdejEditovatExecute()
{
    editBasketRow();
}

// The line's quantity is held against the stock of the line's own item (the
// basket row carries it), whichever item the item list shows; the item list
// is moved to that item for the dialog's quantity rules.
void TForm_Tarmil::editBasketRow()
{
    TMSSQLADOQuery *basket = DM->MSSQLADOQuery_Prodej;
    for (;;) {
        if (!basket->Active() || basket->IsEmpty())
            return;
        const int id = IntegerOf(basket, QStringLiteral("ID_POLOZKA"));
        DM->MSSQLADOQuery_Polozka->LocateInteger(QStringLiteral("ID_POLOZKA"), id);
        int discount = IntegerOf(basket, QStringLiteral("SLEVA"));
        double entered = NumberOf(basket, QStringLiteral("MNOZSTVI"));
        if (!ShowDiscountQuantityDialog(discount, entered))
            return;
        const Currency stock = currencyOf(basket, QStringLiteral("MNOZSTVI_SKLAD"));
        Currency quantity = Currency::fromDouble(entered);
        const bool clamped = quantity > stock;
        if (clamped) {
            quantity = stock;
            ShowInformation(stockHeading(stock, TextOf(basket, QStringLiteral("JEDNOTKA"))),
                            TextOf(basket, QStringLiteral("OZNACENI")), false);
        }
        if (!DM->AddOrEditBasketRow(id, discount, quantity, true)) {
            ReportWriteFailure(QStringLiteral("Editace vybrané položky neproběhla..."));
            return;
        }
        if (!clamped)
            return;
    }
}

void TForm_Tarmil::Action_ProdejOdebratExecute()
{
    TMSSQLADOQuery *basket = DM->MSSQLADOQuery_Prodej;
    if (!basket->Active() || basket->IsEmpty())
        return;
    if (!DM->RemoveBasketRow(IntegerOf(basket, QStringLiteral("ID_POLOZKA"))))
        ReportWriteFailure(QStringLiteral("Odebrání vybrané položky neproběhlo..."));
}

void TForm_Tarmil::Action_ProdejProdatExecute()
{
    TMSSQLADOQuery *basket = DM->MSSQLADOQuery_Prodej;
    if (!basket->Active() || basket->IsEmpty())
        return;
    // A line of an item removed from the catalogue (replaced by an import,
    // say) cannot be sold: the cashier is offered to take such lines out and
    // then sees the basket before selling.
    if (const auto gone = DM->BasketLinesOutOfCatalogue(); !gone.isEmpty()) {
        QStringList lines;
        for (const auto &line : gone)
            lines << line.second;
        if (!ShowQuestion(QStringLiteral("Odebrat z košíku položky, které již nejsou v katalogu ?"),
                          lines.join(QLatin1Char('\n')), true))
            return;
        for (const auto &line : gone)
            if (!DM->RemoveBasketRow(line.first)) {
                ReportWriteFailure(QStringLiteral("Odebrání vybrané položky neproběhlo..."));
                return;
            }
        return;
    }
    TSaleChoice choice;
    if (!ShowSaleDialog(choice))
        return;
    sellBasket(choice);
}

void TForm_Tarmil::sellBasket(const TSaleChoice &choice)
{
    struct Kind
    {
        int right;
        const char *denial;
    };
    static const Kind kinds[] = {{32, "Funkce prodej za hotové není dostupná..."},
                                 {33, "Funkce prodej na fakturu/dodací list není dostupná..."},
                                 {34, "Funkce prodej na dodací list není dostupná..."}};
    if (choice.kind < 0 || choice.kind > 2)
        return;
    const bool preview = PreviewBeforePrint();
    if (!CheckRight(kinds[choice.kind].right, QString::fromUtf8(kinds[choice.kind].denial)))
        return;
    int document = 0;
    if (!DM->SellBasket(choice.kind + 1, choice.print, choice.customer, choice.discount, document))
        return; // the data module told the user
    DM->PrintDocumentById(document, 0, preview, choice.print, choice.copy, choice.note);
    if (choice.kind == 0 && choice.cashVoucher)
        DM->PrintDocumentById(document, 1, preview, choice.print, false, choice.note);
}
