// Actions on the item list: store and category choice, new, edit, removal,
// import and the item overview.
#include "app/main/tarmilform.h"

#include "app/main/notebook.h"
#include "kit/comboedit.h"
#include "platform/formattext.h"
#include "platform/messages.h"

#include <QAction>

namespace {
const QString kTransactionFailed = QStringLiteral("Transakce skončila s chybou...");
}

void TForm_Tarmil::ReportWriteFailure(const QString &what)
{
    ShowWarning(kTransactionFailed, what, DM->LastErrorText());
}

TKxDBGrid *TForm_Tarmil::ItemGrid() const
{
    return Notebook->PageIndex() == 1 ? KxDBGrid_PolozkaProdej : KxDBGrid_Polozka;
}

void TForm_Tarmil::Action_VybratSkladExecute()
{
    const QString heading = QStringLiteral("Funkce vybrat sklad není dostupná...");
    if (!CheckRight(54, heading))
        return;
    TMSSQLADOQuery *basket = DM->MSSQLADOQuery_Prodej;
    if (basket->Active() && !basket->IsEmpty()) {
        ShowInformation(heading, QStringLiteral("Funkce prodej není dokončena..."), false);
        return;
    }
    QString store;
    if (!ShowStoreDialog(store))
        return;
    KxDBGrid_Polozka->SelectedRows().Clear();
    DM->IdSklad = DM->StoreIdByName(store);
    applyCategoryPath(DM->CategoryIdByPath(ComboEdit_Kategorie->text()));
    setWindowTitle(Format(QStringLiteral("%s - %s - [%s] [%s]"), {ApplicationTitle(), Notebook->ActivePage(),
                                                                  DM->StoreCaption(DM->IdSklad, true), LoginUzivatel}));
}

void TForm_Tarmil::Action_VybratKategoriiExecute()
{
    int category = DM->CategoryIdByPath(ComboEdit_Kategorie->text());
    if (!ShowCategoryDialog(category))
        return;
    ComboEdit_Kategorie->setText(DM->CategoryPathName(category));
    applyCategoryPath(category);
    ComboEdit_Kategorie->setFocus();
    focusNextChild();
}

void TForm_Tarmil::Action_PolozkaNovaExecute()
{
    if (!CheckRight(8, QStringLiteral("Funkce zavedení nové položky není dostupná...")))
        return;
    // Written from the card, which stays open while the write is refused.
    ShowNewItemDialog([this](const TDMItem &item) {
        if (DM->NewItem(item))
            return true;
        ReportWriteFailure(QStringLiteral("Zavedení nové položky neproběhlo..."));
        return false;
    });
}

void TForm_Tarmil::Action_PolozkaEditaceExecute()
{
    TMSSQLADOQuery *items = DM->MSSQLADOQuery_Polozka;
    if (!CheckNotEmpty(items, QStringLiteral("Na skladě není žádná položka k editování...")) || !CheckItemSearch() ||
        !CheckRight(9, QStringLiteral("Funkce editace položky není dostupná...")))
        return;
    const int id = IntegerOf(items, QStringLiteral("ID_POLOZKA"));
    ShowEditItemDialog(id, [this, id](const TDMItem &item, const TDMItemOrigin &origin) {
        if (DM->EditItem(id, item, origin))
            return true;
        ReportWriteFailure(QStringLiteral("Editace položky neproběhla..."));
        return false;
    });
}

std::vector<Db::Bookmark> TForm_Tarmil::selectedItemRows()
{
    std::vector<Db::Bookmark> rows;
    TKxDBGrid *grid = ItemGrid();
    const std::vector<int> positions = grid->ChosenPositions();
    if (positions.empty())
        return rows;
    TMSSQLADOQuery *items = DM->MSSQLADOQuery_Polozka;
    const Db::Bookmark current = items->GetBookmark();
    Db::ControlsOff still(*items);
    for (int position : positions) {
        items->SetRecNo(position + 1);
        rows.push_back(items->GetBookmark());
    }
    items->GotoBookmark(current);
    return rows;
}

void TForm_Tarmil::Action_PolozkaOdebratExecute()
{
    TMSSQLADOQuery *items = DM->MSSQLADOQuery_Polozka;
    if (!CheckNotEmpty(items, QStringLiteral("Na skladě není žádná položka k odebrání...")))
        return;
    // Every item that goes is tested for stock, not only the current one: a
    // selection must not take items with stock past the missing right.
    TKxDBGrid *grid = ItemGrid();
    const std::vector<int> positions = grid->ChosenPositions();
    std::vector<std::pair<int, double>> removed; // id, quantity
    if (positions.empty()) {
        removed.emplace_back(IntegerOf(items, QStringLiteral("ID_POLOZKA")),
                             NumberOf(items, QStringLiteral("MNOZSTVI")));
    } else {
        for (int position : positions) {
            const TGridRowValues row = grid->RowValues(position);
            Db::Field *key = items->FindField(QStringLiteral("ID_POLOZKA"));
            removed.emplace_back(key ? int(row.AsInteger(*key)) : 0, row.AsFloat(QStringLiteral("MNOZSTVI")));
        }
    }
    for (const auto &[id, shown] : removed) {
        // The stock as the server holds it now: another till may have stocked
        // an item the list still shows empty.
        TDMItem now;
        TDMItemOrigin origin;
        const double quantity = DM->ReadItem(id, now, origin) ? origin.MNOZSTVI.toDouble() : shown;
        if (quantity != 0.0 && !DM->HasRight(29)) {
            ShowInformation(QStringLiteral("Tuto položku nelze odebrat..."),
                            Format(QStringLiteral("%s má nenulové množství..."), {DM->ItemMark(id)}), true);
            return;
        }
    }
    if (!CheckRight(28, QStringLiteral("Funkce odebrat položku není dostupná...")))
        return;
    const int current = IntegerOf(items, QStringLiteral("ID_POLOZKA"));
    QString detail = positions.empty() ? DM->ItemMark(current)
                                       : Format(QStringLiteral("Celkem položek: %d"), {int(positions.size())});
    // One chosen item is named, so that the user sees which one goes.
    if (removed.size() == 1 && !positions.empty())
        detail += QStringLiteral(" (%1)").arg(DM->ItemMark(removed.front().first));
    if (!ShowQuestion(QStringLiteral("Opravdu chcete odebrat položku(y) ?"), detail, false))
        return;
    const bool ok = DM->RemoveSelectedItems(current, selectedItemRows());
    grid->SelectedRows().Clear();
    grid->viewport()->update();
    if (!ok)
        ReportWriteFailure(QStringLiteral("Odebrání položky neproběhlo..."));
}

void TForm_Tarmil::Action_PolozkaTiskExecute()
{
    if (!CheckNotEmpty(DM->MSSQLADOQuery_Polozka, QStringLiteral("Na skladě nejsou žádné položky k tisku...")) ||
        !CheckRight(31, QStringLiteral("Funkce tisk seznamu položek není dostupná...")))
        return;
    DM->PrintItemOverview();
}
