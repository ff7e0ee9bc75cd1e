#include "app/catalogue/polozka.h"

#include "app/catalogue/catalogueui.h"
#include "app/catalogue/categorypicker.h"
#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "kit/comboedit.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ItemRules;

namespace {

QStringList integerItems(std::initializer_list<int> values)
{
    QStringList items;
    for (int value : values)
        items << QString::number(value);
    return items;
}

} // namespace

TForm_Polozka::TForm_Polozka(QWidget *parent)
    : TForm_Dialog(parent)
{
    buildControls();

    // Bound in component order: ControlsChange runs them so.
    BindChange(Edit_Oznaceni, [this](QObject *s) { Edit_OznaceniChange(s); });
    BindChange(Edit_Kod, [this](QObject *s) { Edit_KodChange(s); });
    BindChange(Edit_Polozka, [this](QObject *s) { Edit_PolozkaChange(s); });
    BindChange(Edit_Specifikace, [this](QObject *s) { Edit_SpecifikaceChange(s); });
    BindChange(IntegerComboBox_Zaruka, [this](QObject *s) { IntegerComboBox_ZarukaChange(s); });
    BindChange(ComboBox_DPH, [this](QObject *s) { ComboBox_DPHChange(s); });
    BindChange(ComboBox_Sklad, [this](QObject *s) { ComboBox_SkladChange(s); });
    BindChange(ComboEdit_Kategorie, [this](QObject *s) { ComboEdit_KategorieChange(s); });
    BindChange(ComboBox_Dodavatel, [this](QObject *s) { ComboBox_DodavatelChange(s); });
    BindChange(CurrencyEdit_NakupBezDPH, [this](QObject *s) { CurrencyEdit_NakupBezDPHChange(s); });
    BindChange(CurrencyEdit_Nakup, [this](QObject *s) { CurrencyEdit_NakupChange(s); });
    BindChange(IntegerComboBox_Rabat, [this](QObject *s) { IntegerComboBox_RabatChange(s); });
    BindChange(CurrencyEdit_Prodej, [this](QObject *s) { CurrencyEdit_ProdejChange(s); });
    BindChange(IntegerComboBox_Sleva, [this](QObject *s) { IntegerComboBox_SlevaChange(s); });
    BindChange(CurrencyEdit_Mnozstvi, [this](QObject *s) { CurrencyEdit_MnozstviChange(s); });
    BindChange(ComboBox_Jednotka, [this](QObject *s) { ComboBox_JednotkaChange(s); });
    BindChange(CurrencyEdit_Zasoba, [this](QObject *s) { CurrencyEdit_ZasobaChange(s); });
    BindChange(CurrencyEdit_Minimum, [this](QObject *s) { CurrencyEdit_MinimumChange(s); });
    connect(CheckBox_Nasobne, &QCheckBox::toggled, this, [this] { ControlsValide(); });

    connect(Button_Rabat, &QPushButton::clicked, this, &TForm_Polozka::Button_RabatClick);
    connect(ComboEdit_Kategorie, &TCustomComboEdit::OnButtonClick, this,
            &TForm_Polozka::ComboEdit_KategorieButtonClick);
    ComboEdit_Kategorie->installEventFilter(this);
    Edit_Kod->installEventFilter(this);

    disconnect(Button_Ok, &QPushButton::clicked, this, nullptr);
    connect(Button_Ok, &QPushButton::clicked, this, [this] {
        if (!stillCurrent())
            return;
        if (m_write && !m_write(Item())) {
            writeFailed();
            return;
        }
        Button_OkClick();
        done(mrOk);
    });
}

void TForm_Polozka::buildControls()
{
    Image = new QLabel(Bevel);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(40, 40);
    Image->setAlignment(Qt::AlignCenter);

    Edit_Oznaceni = NewLineEdit(Bevel, QStringLiteral("Edit_Oznaceni"), 16);
    Edit_Kod = NewLineEdit(Bevel, QStringLiteral("Edit_Kod"), 16);
    Edit_Polozka = NewLineEdit(Bevel, QStringLiteral("Edit_Polozka"), 64);
    Edit_Specifikace = NewLineEdit(Bevel, QStringLiteral("Edit_Specifikace"), 64);
    SetHint(Edit_Specifikace, QStringLiteral("Nezadaná specifikace..."));

    IntegerComboBox_Zaruka = NewIntegerCombo(Bevel, QStringLiteral("IntegerComboBox_Zaruka"), 100);
    SetHint(IntegerComboBox_Zaruka, QStringLiteral("Záruka musí být v rozsahu 0 až 100..."));
    ComboBox_DPH = NewListCombo(Bevel, QStringLiteral("ComboBox_DPH"), QStringLiteral("Nezadaná DPH..."));
    ComboBox_Sklad = NewListCombo(Bevel, QStringLiteral("ComboBox_Sklad"), QStringLiteral("Nezadaný sklad..."));
    ComboEdit_Kategorie = NewCategoryEdit(Bevel, QStringLiteral("ComboEdit_Kategorie"));
    ComboBox_Dodavatel =
        NewListCombo(Bevel, QStringLiteral("ComboBox_Dodavatel"), QStringLiteral("Nezadaný dodavatel..."));

    CurrencyEdit_NakupBezDPH = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_NakupBezDPH"), 2);
    CurrencyEdit_NakupBezDPH->setStyleSheet(QStringLiteral("color: gray"));
    CurrencyEdit_Nakup = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Nakup"), 2);
    Label_Rabat = new QLabel(QStringLiteral("Rabat:"), Bevel);
    Label_Rabat->setObjectName(QStringLiteral("Label_Rabat"));
    IntegerComboBox_Rabat = NewIntegerCombo(Bevel, QStringLiteral("IntegerComboBox_Rabat"), 1000);
    IntegerComboBox_Rabat->setItems(integerItems({0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100, 200, 500}));
    Button_Rabat = new QPushButton(markupCaption(0), Bevel);
    Button_Rabat->setObjectName(QStringLiteral("Button_Rabat"));
    Button_Rabat->setAutoDefault(false);
    CurrencyEdit_Prodej = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Prodej"), 2);
    IntegerComboBox_Sleva = NewIntegerCombo(Bevel, QStringLiteral("IntegerComboBox_Sleva"), 100);
    SetHint(IntegerComboBox_Sleva, QStringLiteral("Sleva musí být v rozsahu 0 až 100..."));

    CurrencyEdit_Mnozstvi = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Mnozstvi"), 3);
    ComboBox_Jednotka =
        NewListCombo(Bevel, QStringLiteral("ComboBox_Jednotka"), QStringLiteral("Nezadaná jednotka..."));
    CurrencyEdit_Zasoba = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Zasoba"), 3);
    CurrencyEdit_Minimum = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Minimum"), 3);
    CheckBox_Nasobne = new QCheckBox(QStringLiteral("Násobně"), Bevel);
    CheckBox_Nasobne->setObjectName(QStringLiteral("CheckBox_Nasobne"));
    Label_ZasobaZasoba = new QLabel(Bevel);
    Label_ZasobaZasoba->setObjectName(QStringLiteral("Label_ZasobaZasoba"));
    Label_MinimumMinimum = new QLabel(Bevel);
    Label_MinimumMinimum->setObjectName(QStringLiteral("Label_MinimumMinimum"));

    grid = new QGridLayout(Bevel);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(2, 150);
    grid->setColumnMinimumWidth(6, 150);
    grid->addWidget(Image, 0, 0, 3, 1, Qt::AlignTop);
    int row = 0;
    const auto field = [this](int r, int c, const QString &caption, QWidget *w, int span = 1) {
        grid->addWidget(BuddyLabel(caption, w), r, c);
        grid->addWidget(w, r, c + 1, 1, span);
    };
    field(row, 1, QStringLiteral("Označ&ení:"), Edit_Oznaceni, 2);
    field(row++, 5, QStringLiteral("Kód:"), Edit_Kod, 2);
    field(row++, 1, QStringLiteral("P&oložka:"), Edit_Polozka, 6);
    field(row++, 1, QStringLiteral("S&pecifikace:"), Edit_Specifikace, 6);
    field(row, 1, QStringLiteral("Zá&ruka:"), IntegerComboBox_Zaruka);
    grid->addWidget(new QLabel(QStringLiteral("měsíců"), Bevel), row, 3);
    field(row, 5, QStringLiteral("&DPH:"), ComboBox_DPH);
    grid->addWidget(new QLabel(QStringLiteral("%"), Bevel), row++, 7);
    field(row, 1, QStringLiteral("&Sklad:"), ComboBox_Sklad, 2);
    field(row++, 5, QStringLiteral("Dodava&tel:"), ComboBox_Dodavatel, 2);
    field(row++, 1, QStringLiteral("&Kategorie:"), ComboEdit_Kategorie, 6);
    field(row, 1, QStringLiteral("Nákup &bez DPH:"), CurrencyEdit_NakupBezDPH, 2);
    field(row++, 5, QStringLiteral("&Nákup s DPH:"), CurrencyEdit_Nakup, 2);
    grid->addWidget(Label_Rabat, row, 1);
    grid->addWidget(IntegerComboBox_Rabat, row, 2);
    grid->addWidget(Button_Rabat, row, 3, 1, 2);
    field(row++, 5, QStringLiteral("Prode&j:"), CurrencyEdit_Prodej, 2);
    field(row, 1, QStringLiteral("S&leva:"), IntegerComboBox_Sleva);
    grid->addWidget(new QLabel(QStringLiteral("%"), Bevel), row++, 3);
    field(row, 1, QStringLiteral("Množst&ví:"), CurrencyEdit_Mnozstvi, 2);
    field(row++, 5, QStringLiteral("Jednotk&a:"), ComboBox_Jednotka, 2);
    field(row, 1, QStringLiteral("Minimální &zásoba:"), CurrencyEdit_Zasoba);
    grid->addWidget(Label_ZasobaZasoba, row++, 3);
    field(row, 1, QStringLiteral("&Minimum k prodeji:"), CurrencyEdit_Minimum);
    grid->addWidget(Label_MinimumMinimum, row, 3);
    grid->addWidget(CheckBox_Nasobne, row++, 5, 1, 2);
}

// ---------------------------------------------------------------- show

void TForm_Polozka::showEvent(QShowEvent *event)
{
    if (!shownOnce) {
        shownOnce = true;
        FormShow();
    }
    TForm_Dialog::showEvent(event);
}

void TForm_Polozka::FormShow()
{
    const ItemCardSettings settings = ReadItemCardSettings();
    IntegerComboBox_Zaruka->setItems(settings.warranties);
    FillList(ComboBox_DPH, DM->VatRateList());
    FillList(ComboBox_Sklad, DM->StoreList());
    FillList(ComboBox_Dodavatel, DM->ContactList());
    IntegerComboBox_Sleva->setItems(settings.discounts);
    FillList(ComboBox_Jednotka, DM->UnitList());
    IntegerComboBox_Rabat->setValue(settings.defaultMargin);

    const std::pair<int, QWidget *> rights[] = {
        {10, Edit_Oznaceni},          {11, Edit_Kod},           {12, Edit_Polozka},        {13, Edit_Specifikace},
        {14, IntegerComboBox_Zaruka}, {15, ComboBox_DPH},       {16, ComboBox_Sklad},      {17, ComboEdit_Kategorie},
        {18, ComboBox_Dodavatel},     {19, CurrencyEdit_Nakup}, {20, CurrencyEdit_Prodej}, {21, IntegerComboBox_Sleva},
        {22, CurrencyEdit_Mnozstvi},  {23, ComboBox_Jednotka},  {24, CurrencyEdit_Zasoba}, {25, CurrencyEdit_Minimum},
        {26, CheckBox_Nasobne}};
    for (const auto &[right, control] : rights)
        control->setEnabled(DM->HasRight(right));
}

void TForm_Polozka::selectText(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
}

int TForm_Polozka::chosenStoreId() const
{
    return ComboBox_Sklad->currentIndex() < 0 ? 0 : DM->StoreIdByName(ComboBox_Sklad->currentText());
}

void TForm_Polozka::showUnitName(const QString &name)
{
    Label_ZasobaZasoba->setText(name);
    Label_MinimumMinimum->setText(name);
}

// ---------------------------------------------------------------- validation

void TForm_Polozka::Edit_OznaceniChange(QObject *)
{
    const ItemCardSettings settings = ReadItemCardSettings();
    QString reason;
    if (settings.markRequired)
        reason = existingReason(UniqueField::Mark, Edit_Oznaceni->text());
    const QString own = markReason(Edit_Oznaceni->text(), settings);
    MarkInvalid(Edit_Oznaceni, own.isEmpty() ? reason : own);
    ControlsValide();
}

void TForm_Polozka::Edit_KodChange(QObject *)
{
    const ItemCardSettings settings = ReadItemCardSettings();
    QString reason;
    if (settings.codeRequired)
        reason = existingReason(UniqueField::Code, Edit_Kod->text());
    const QString own = codeReason(Edit_Kod->text(), settings);
    MarkInvalid(Edit_Kod, own.isEmpty() ? reason : own);
    ControlsValide();
}

void TForm_Polozka::Edit_PolozkaChange(QObject *)
{
    const ItemCardSettings settings = ReadItemCardSettings();
    QString reason;
    if (settings.nameRequired)
        reason = existingReason(UniqueField::Name, Edit_Polozka->text());
    const QString own = nameReason(Edit_Polozka->text(), settings);
    MarkInvalid(Edit_Polozka, own.isEmpty() ? reason : own);
    ControlsValide();
}

void TForm_Polozka::Edit_SpecifikaceChange(QObject *)
{
    MarkInvalid(Edit_Specifikace, specifikaceReason(Edit_Specifikace->text(), ReadItemCardSettings(),
                                                    QStringLiteral("Nezadaná specifikace...")));
    ControlsValide();
}

void TForm_Polozka::IntegerComboBox_ZarukaChange(QObject *)
{
    MarkInvalid(IntegerComboBox_Zaruka, warrantyReason(IntegerComboBox_Zaruka->currentText(), keptWarranty));
    ControlsValide();
}

void TForm_Polozka::ComboBox_DPHChange(QObject *)
{
    MarkUnselected(ComboBox_DPH, QStringLiteral("Nezadaná DPH..."));
    ControlsValide();
}

void TForm_Polozka::ComboBox_SkladChange(QObject *)
{
    MarkUnselected(ComboBox_Sklad, QStringLiteral("Nezadaný sklad..."));
    // The uniqueness tests depend on the store.
    Edit_OznaceniChange(Edit_Oznaceni);
    Edit_KodChange(Edit_Kod);
    Edit_PolozkaChange(Edit_Polozka);
}

void TForm_Polozka::ComboEdit_KategorieChange(QObject *)
{
    MarkInvalid(ComboEdit_Kategorie, CategoryPathReason(ComboEdit_Kategorie->text()));
    ControlsValide();
}

void TForm_Polozka::ComboBox_DodavatelChange(QObject *)
{
    MarkUnselected(ComboBox_Dodavatel, QStringLiteral("Nezadaný dodavatel..."));
    ControlsValide();
}

void TForm_Polozka::CurrencyEdit_NakupBezDPHChange(QObject *)
{
    if (const auto price = purchaseWithVat(CurrencyEdit_NakupBezDPH->value(), ComboBox_DPH->currentText()))
        CurrencyEdit_Nakup->setValue(*price);
    ControlsValide();
}

void TForm_Polozka::CurrencyEdit_NakupChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Nakup, purchaseReason(CurrencyEdit_Nakup->value(), ReadItemCardSettings()));
    ControlsValide();
}

void TForm_Polozka::IntegerComboBox_RabatChange(QObject *)
{
    Button_Rabat->setText(markupCaption(IntegerComboBox_Rabat->value()));
}

void TForm_Polozka::Button_RabatClick()
{
    CurrencyEdit_Prodej->setValue(markedUpPrice(IntegerComboBox_Rabat->value(), CurrencyEdit_Nakup->value()));
}

void TForm_Polozka::CurrencyEdit_ProdejChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Prodej, saleReason(CurrencyEdit_Prodej->value(), ReadItemCardSettings()));
    ControlsValide();
}

void TForm_Polozka::IntegerComboBox_SlevaChange(QObject *)
{
    MarkInvalid(IntegerComboBox_Sleva, blankReason(IntegerComboBox_Sleva->currentText(),
                                                   QStringLiteral("Sleva musí být v rozsahu 0 až 100...")));
    ControlsValide();
}

void TForm_Polozka::CurrencyEdit_MnozstviChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Mnozstvi, quantityReason(CurrencyEdit_Mnozstvi->value(), ReadItemCardSettings()));
    ControlsValide();
}

void TForm_Polozka::ComboBox_JednotkaChange(QObject *)
{
    MarkUnselected(ComboBox_Jednotka, QStringLiteral("Nezadaná jednotka..."));
    const QString unit = ComboBox_Jednotka->currentIndex() < 0 ? QString() : ComboBox_Jednotka->currentText();
    showUnitName(unit);
    if (unitBringsDefaults && !unit.isEmpty()) {
        const int id = DM->UnitIdByName(unit);
        CurrencyEdit_Minimum->setValue(DM->UnitMinimum(id).toDouble());
        CheckBox_Nasobne->setChecked(DM->UnitMultiplesOnly(id));
    }
    ControlsValide();
}

void TForm_Polozka::CurrencyEdit_ZasobaChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Zasoba, stockReason(CurrencyEdit_Zasoba->value(), ReadItemCardSettings()));
    ControlsValide();
}

void TForm_Polozka::CurrencyEdit_MinimumChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Minimum, minimumReason(CurrencyEdit_Minimum->value(), ReadItemCardSettings()));
    ControlsValide();
}

void TForm_Polozka::writeFailed()
{
    Edit_OznaceniChange(Edit_Oznaceni);
    Edit_KodChange(Edit_Kod);
    Edit_PolozkaChange(Edit_Polozka);
}

// ---------------------------------------------------------------- actions

void TForm_Polozka::ComboEdit_KategorieButtonClick()
{
    PickCategoryInto(this, ComboEdit_Kategorie);
}

void TForm_Polozka::Button_OkClick()
{
    const int warranty = warrantyValue();
    KeepTypedValues(warranty == keptWarranty ? std::nullopt : std::optional<int>(warranty),
                    IntegerComboBox_Sleva->value());
}

// A stored warranty above the box's range is read as it is while the user
// leaves it (the box itself would cut it to its maximum).
int TForm_Polozka::warrantyValue() const
{
    if (keptWarranty && IntegerComboBox_Zaruka->currentText().trimmed() == QString::number(*keptWarranty))
        return *keptWarranty;
    return IntegerComboBox_Zaruka->value();
}

bool TForm_Polozka::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit_Kod) {
        // A scanner ends the code with Enter: it moves on instead of closing.
        if (event->type() == QEvent::FocusIn)
            Button_Ok->setDefault(false);
        else if (event->type() == QEvent::FocusOut)
            Button_Ok->setDefault(true);
        else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Edit_Polozka->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    } else if (watched == ComboEdit_Kategorie && event->type() == QEvent::MouseButtonDblClick &&
               ComboEdit_Kategorie->isEnabled()) {
        ComboEdit_KategorieButtonClick();
        return true;
    }
    return TForm_Dialog::eventFilter(watched, event);
}

TDMItem TForm_Polozka::Item() const
{
    TDMItem item;
    item.OZNACENI = Edit_Oznaceni->text();
    item.KOD = Edit_Kod->text();
    item.POLOZKA = Edit_Polozka->text();
    item.SPECIFIKACE = Edit_Specifikace->text();
    item.ZARUKA = warrantyValue();
    item.DPH = Currency::fromDouble(vatRate(ComboBox_DPH->currentText()).value_or(0));
    item.SKLAD = ComboBox_Sklad->currentText();
    item.KATEGORIE = ComboEdit_Kategorie->text();
    item.DODAVATEL = ComboBox_Dodavatel->currentText();
    item.NAKUP = Currency::fromDouble(CurrencyEdit_Nakup->value());
    item.PRODEJ = Currency::fromDouble(CurrencyEdit_Prodej->value());
    item.SLEVA = IntegerComboBox_Sleva->value();
    item.MNOZSTVI = Currency::fromDouble(CurrencyEdit_Mnozstvi->value());
    item.ZASOBA = Currency::fromDouble(CurrencyEdit_Zasoba->value());
    item.JEDNOTKA = ComboBox_Jednotka->currentText();
    item.MINIMUM = Currency::fromDouble(CurrencyEdit_Minimum->value());
    item.NASOBNE = CheckBox_Nasobne->isChecked();
    const ItemCardSettings settings = ReadItemCardSettings();
    item.OZNACENI_POVINNE = settings.markRequired;
    item.KOD_POVINNE = settings.codeRequired;
    item.POLOZKA_POVINNE = settings.nameRequired;
    return item;
}
