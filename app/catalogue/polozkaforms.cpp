// The two forms of the item card: a new item with the shop's defaults and
// an edited item loaded from the item list's current row.
#include "app/catalogue/catalogueui.h"
#include "app/catalogue/polozka.h"
#include "app/common/formcontrols.h"
#include "kit/comboedit.h"
#include "kit/intedit.h"
#include "kit/numedit.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ItemRules;

namespace {

QPixmap &glyph(bool editing)
{
    static QPixmap glyphs[2];
    return glyphs[editing ? 1 : 0];
}

} // namespace

void SetItemCardGlyphs(const QPixmap &newItem, const QPixmap &editItem)
{
    glyph(false) = newItem;
    glyph(true) = editItem;
}

// ---------------------------------------------------------------- new item

TForm_PolozkaNova::TForm_PolozkaNova(QWidget *parent)
    : TForm_Polozka(parent)
{
    setObjectName(QStringLiteral("Form_PolozkaNova"));
    setWindowTitle(QStringLiteral(" Nová položka"));
}

void TForm_PolozkaNova::FormShow()
{
    TForm_Polozka::FormShow();
    Image->setPixmap(glyph(false));
    const ItemCardSettings settings = ReadItemCardSettings();
    proposedMark = DM->SmallestFreeItemMark(DM->IdSklad, settings.markLength);
    Edit_Oznaceni->setText(proposedMark);
    IntegerComboBox_Zaruka->setValue(settings.defaultWarranty);
    ComboBox_DPH->setCurrentIndex(vatIndex(ListEntries(ComboBox_DPH), DM->DefaultVatRate().toDouble()));
    selectText(ComboBox_Sklad, DM->StoreName(DM->IdSklad));
    ComboEdit_Kategorie->setText(DM->CategoryPathName(DM->StoreRootCategoryId(DM->IdSklad)));
    selectText(ComboBox_Dodavatel, DM->DefaultSupplierName());
    IntegerComboBox_Sleva->setValue(settings.defaultDiscount);
    selectText(ComboBox_Jednotka, DM->DefaultUnitName());
    ControlsChange();
}

QString TForm_PolozkaNova::existingReason(UniqueField field, const QString &text)
{
    const int store = chosenStoreId();
    switch (field) {
    case UniqueField::Mark:
        return DM->ItemMarkExists(store, text) ? existsReason(field, false) : QString();
    case UniqueField::Code:
        return DM->ItemCodeExists(store, text) ? existsReason(field, false) : QString();
    case UniqueField::Name:
        break;
    }
    return DM->ItemNameExists(store, text) ? existsReason(field, false) : QString();
}

// Two tills proposing at once get one label; the one that writes second gets
// the next free label of the chosen store, while a label the user typed stays
// marked as taken.
void TForm_PolozkaNova::writeFailed()
{
    const int store = chosenStoreId();
    if (!proposedMark.isEmpty() && Edit_Oznaceni->text() == proposedMark && store != 0 &&
        DM->ItemMarkExists(store, proposedMark)) {
        proposedMark = DM->SmallestFreeItemMark(store, ReadItemCardSettings().markLength);
        Edit_Oznaceni->setText(proposedMark);
    }
    TForm_Polozka::writeFailed();
}

// ---------------------------------------------------------------- edited item

TForm_PolozkaEditace::TForm_PolozkaEditace(QWidget *parent)
    : TForm_Polozka(parent)
{
    setObjectName(QStringLiteral("Form_PolozkaEditace"));
    setWindowTitle(QStringLiteral(" Editace položky"));

    GroupBox_Doplnit = new QGroupBox(QStringLiteral("Doplnit o množství"), Bevel);
    GroupBox_Doplnit->setObjectName(QStringLiteral("GroupBox_Doplnit"));
    CurrencyEdit_Doplnit = NewAmountEdit(GroupBox_Doplnit, QStringLiteral("CurrencyEdit_Doplnit"), 3);
    CurrencyEdit_Doplnit->setMaxValue(999999);
    CurrencyEdit_Doplnit->setMinValue(-999999);
    CurrencyEdit_Doplnit->setToolTip(QStringLiteral("Záporné množství..."));
    Label_DoplnitJednotka = new QLabel(GroupBox_Doplnit);
    Label_DoplnitJednotka->setObjectName(QStringLiteral("Label_DoplnitJednotka"));
    auto *box = new QHBoxLayout(GroupBox_Doplnit);
    box->addWidget(CurrencyEdit_Doplnit);
    box->addWidget(Label_DoplnitJednotka);
    box->addStretch();
    grid->addWidget(GroupBox_Doplnit, grid->rowCount(), 1, 1, 4);

    // Not part of ControlsChange: the top-up only recomputes the quantity.
    ConnectChange(CurrencyEdit_Doplnit, [this] { CurrencyEdit_DoplnitChange(CurrencyEdit_Doplnit); });
}

void TForm_PolozkaEditace::FormShow()
{
    TForm_Polozka::FormShow();
    Image->setPixmap(glyph(true));
    itemId = int(DM->MSSQLADOQuery_Polozka->FieldByName(QStringLiteral("ID_POLOZKA")).AsInteger());
    CurrencyEdit_Doplnit->setEnabled(DM->HasRight(27));
    if (!DM->ReadItem(itemId, read, origin)) {
        ShowWarning(QStringLiteral("Položku nelze editovat..."), QStringLiteral("Načtení položky neproběhlo..."),
                    DM->LastErrorText());
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
    storedQuantity = origin.MNOZSTVI.toDouble();
    CurrencyEdit_Mnozstvi->setValue(storedQuantity);
    loadValues(read, ItemChanges::all());
    Button_Ok->setEnabled(false);
}

// The values are loaded as the server holds them, then every rule runs; the
// item keeps its own minimum and multiples flag whatever its unit would bring.
void TForm_PolozkaEditace::loadValues(const TDMItem &item, const QList<ItemChanges::Value> &values)
{
    using V = ItemChanges::Value;
    unitBringsDefaults = false;
    for (V value : values) {
        switch (value) {
        case V::Oznaceni:
            Edit_Oznaceni->setText(item.OZNACENI);
            break;
        case V::Kod:
            Edit_Kod->setText(item.KOD);
            break;
        case V::Polozka:
            Edit_Polozka->setText(item.POLOZKA);
            break;
        case V::Specifikace:
            Edit_Specifikace->setText(item.SPECIFIKACE);
            break;
        case V::Zaruka:
            keptWarranty = item.ZARUKA;
            IntegerComboBox_Zaruka->setValue(item.ZARUKA);
            break;
        case V::Dph:
            ComboBox_DPH->setCurrentIndex(vatIndex(ListEntries(ComboBox_DPH), item.DPH.toDouble()));
            break;
        case V::Sklad:
            selectText(ComboBox_Sklad, item.SKLAD);
            break;
        case V::Kategorie:
            ComboEdit_Kategorie->setText(item.KATEGORIE);
            break;
        case V::Dodavatel:
            selectText(ComboBox_Dodavatel, item.DODAVATEL);
            break;
        case V::Nakup:
            CurrencyEdit_Nakup->setValue(item.NAKUP.toDouble());
            break;
        case V::Prodej:
            CurrencyEdit_Prodej->setValue(item.PRODEJ.toDouble());
            break;
        case V::Sleva:
            IntegerComboBox_Sleva->setValue(item.SLEVA);
            break;
        case V::Jednotka:
            selectText(ComboBox_Jednotka, item.JEDNOTKA);
            break;
        case V::Zasoba:
            CurrencyEdit_Zasoba->setValue(item.ZASOBA.toDouble());
            break;
        case V::Minimum:
            CurrencyEdit_Minimum->setValue(item.MINIMUM.toDouble());
            break;
        case V::Nasobne:
            CheckBox_Nasobne->setChecked(item.NASOBNE);
            break;
        }
    }
    ControlsChange();
    unitBringsDefaults = true;
}

// Sales by other tills only move the stock, which the write moves by the
// user's change; any other change made meanwhile is shown instead of being
// written over, and the user confirms again.
bool TForm_PolozkaEditace::stillCurrent()
{
    TDMItem now;
    TDMItemOrigin nowOrigin;
    if (!DM->ReadItem(itemId, now, nowOrigin)) {
        ShowWarning(QStringLiteral("Položku nelze uložit..."), QStringLiteral("Načtení položky neproběhlo..."),
                    DM->LastErrorText());
        return false;
    }
    if (nowOrigin.version == origin.version)
        return true;
    const QList<ItemChanges::Value> changed = ItemChanges::changed(read, now);
    const double change = CurrencyEdit_Mnozstvi->value() - storedQuantity;
    loadValues(now, changed);
    storedQuantity = nowOrigin.MNOZSTVI.toDouble();
    CurrencyEdit_Mnozstvi->setValue(storedQuantity + change);
    read = now;
    origin = nowOrigin;
    ShowWarning(QStringLiteral("Položku mezitím změnila jiná pokladna..."),
                QStringLiteral("Karta nyní ukazuje uložené hodnoty, nic nebylo zapsáno..."),
                changed.isEmpty() ? QStringLiteral("Položka byla mezitím odebrána nebo přesunuta.")
                                  : QStringLiteral("Jinou pokladnou změněno: %1. Ostatní vaše úpravy zůstaly, "
                                                   "zkontrolujte je a potvrďte znovu.")
                                        .arg(ItemChanges::captions(changed)));
    return false;
}

void TForm_PolozkaEditace::showUnitName(const QString &name)
{
    TForm_Polozka::showUnitName(name);
    Label_DoplnitJednotka->setText(name);
}

void TForm_PolozkaEditace::CurrencyEdit_DoplnitChange(QObject *)
{
    CurrencyEdit_Mnozstvi->setValue(toppedUp(storedQuantity, CurrencyEdit_Doplnit->value()));
}

QString TForm_PolozkaEditace::existingReason(UniqueField field, const QString &text)
{
    const int store = chosenStoreId();
    bool exists = false;
    switch (field) {
    case UniqueField::Mark:
        exists = DM->ItemMarkExistsOther(store, itemId, text);
        break;
    case UniqueField::Code:
        exists = DM->ItemCodeExistsOther(store, itemId, text);
        break;
    case UniqueField::Name:
        exists = DM->ItemNameExistsOther(store, itemId, text);
        break;
    }
    return exists ? existsReason(field, true) : QString();
}

bool ShowNewItemCard(QWidget *parent, const TForm_Polozka::Write &write)
{
    TForm_PolozkaNova form(parent);
    form.setWrite(write);
    return form.exec() == QDialog::Accepted;
}

bool ShowEditItemCard(QWidget *parent, const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write)
{
    TForm_PolozkaEditace form(parent);
    form.setWrite([&form, &write](const TDMItem &item) { return write(item, form.Origin()); });
    return form.exec() == QDialog::Accepted;
}
