// Screens of the catalogue opened by the main window: the item card, the
// category picker and tree, and the lists of VAT rates, units, stores and
// contacts. See actions_common.cpp for how a screen is wired in.
#include "app/catalogue/categorypicker.h"
#include "app/catalogue/codelists.h"
#include "app/catalogue/polozka.h"
#include "app/main/tarmilform.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingCatalogueScreens() const
{
    return {};
}

namespace {

// The card shows the glyph of the button that opened it.
void cardGlyphs(QAction *newItem, QAction *editItem)
{
    SetItemCardGlyphs(newItem->icon().pixmap(32, 32), editItem->icon().pixmap(32, 32));
}

} // namespace

bool TForm_Tarmil::ShowNewItemDialog(const std::function<bool(const TDMItem &)> &write)
{
    cardGlyphs(Action_PolozkaNova, Action_PolozkaEditace);
    return ShowNewItemCard(this, write);
}

bool TForm_Tarmil::ShowEditItemDialog(int, const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write)
{
    cardGlyphs(Action_PolozkaNova, Action_PolozkaEditace);
    return ShowEditItemCard(this, write);
}

bool TForm_Tarmil::ShowCategoryDialog(int &categoryId)
{
    return PickCategoryId(this, categoryId);
}

void TForm_Tarmil::Action_DphExecute()
{
    ShowVatRates(this);
    DM->RefreshAll();
}

void TForm_Tarmil::Action_JednotkyExecute()
{
    ShowUnits(this);
    DM->RefreshAll();
}

void TForm_Tarmil::Action_SkladyExecute()
{
    ShowStores(this);
}

void TForm_Tarmil::Action_KategorieExecute()
{
    ShowCategoryEditor(this);
    DM->RefreshAll();
}

void TForm_Tarmil::Action_KontaktyExecute()
{
    ShowContacts(this);
    DM->RefreshAll();
}
