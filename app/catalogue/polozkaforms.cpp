// The two forms of the item card: a new item with the shop's defaults and
// an edited item loaded from the item list's current row.
#include "app/catalogue/catalogueui.h"
#include "app/catalogue/polozka.h"
#include "app/common/formcontrols.h"
#include "kit/comboedit.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

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
    Edit_Oznaceni->setText(DM->SmallestFreeItemMark(DM->IdSklad, settings.markLength));
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
    TMSSQLADOQuery *row = DM->MSSQLADOQuery_Polozka;
    const auto field = [row](const char *name) -> Db::Field & { return row->FieldByName(QLatin1String(name)); };

    unitBringsDefaults = false; // the item keeps its own minimum and multiples flag
    itemId = int(field("ID_POLOZKA").AsInteger());
    storedQuantity = field("MNOZSTVI").AsFloat();
    Edit_Kod->setText(field("KOD").AsString());
    Edit_Polozka->setText(field("POLOZKA").AsString());
    Edit_Specifikace->setText(field("SPECIFIKACE").AsString());
    IntegerComboBox_Zaruka->setValue(int(field("ZARUKA").AsInteger()));
    ComboBox_DPH->setCurrentIndex(vatIndex(ListEntries(ComboBox_DPH), field("DPH").AsFloat()));
    selectText(ComboBox_Sklad, field("SKLAD").AsString());
    ComboEdit_Kategorie->setText(field("KATEGORIE").AsString());
    selectText(ComboBox_Dodavatel, field("DODAVATEL").AsString());
    CurrencyEdit_Nakup->setValue(field("NAKUP").AsCurrency().toDouble());
    CurrencyEdit_Prodej->setValue(field("PRODEJ").AsCurrency().toDouble());
    IntegerComboBox_Sleva->setValue(int(field("SLEVA").AsInteger()));
    CurrencyEdit_Mnozstvi->setValue(storedQuantity);
    selectText(ComboBox_Jednotka, field("JEDNOTKA").AsString());
    CurrencyEdit_Zasoba->setValue(field("ZASOBA").AsFloat());
    CurrencyEdit_Minimum->setValue(field("MINIMUM").AsFloat());
    CheckBox_Nasobne->setChecked(field("NASOBNE").AsBoolean());
    Edit_Oznaceni->setText(field("OZNACENI").AsString());
    CurrencyEdit_Doplnit->setEnabled(DM->HasRight(27));
    ControlsChange();
    unitBringsDefaults = true;
    Button_Ok->setEnabled(false);
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

namespace {

template <class Form>
bool showCard(QWidget *parent, TDMItem &item)
{
    Form form(parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    item = form.Item();
    return true;
}

} // namespace

bool ShowNewItemCard(QWidget *parent, TDMItem &item)
{
    return showCard<TForm_PolozkaNova>(parent, item);
}

bool ShowEditItemCard(QWidget *parent, TDMItem &item)
{
    return showCard<TForm_PolozkaEditace>(parent, item);
}
