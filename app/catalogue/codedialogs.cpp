#include "app/catalogue/codedialogs.h"

#include "app/catalogue/catalogueui.h"
#include "app/catalogue/categorypicker.h"
#include "app/catalogue/codelistrules.h"
#include "app/common/formcontrols.h"
#include "kit/comboedit.h"
#include "kit/numedit.h"
#include "kit/realedit.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace CodeListRules;

namespace {

QFormLayout *formOf(QWidget *bevel)
{
    auto *form = new QFormLayout(bevel);
    form->setContentsMargins(10, 10, 10, 10);
    return form;
}

void addRow(QFormLayout *form, const QString &caption, QWidget *control)
{
    form->addRow(BuddyLabel(caption, control), control);
}

// A text column of the current row of a list.
QString column(TMSSQLADOQuery *query, const char *name)
{
    return query->FieldByName(QLatin1String(name)).AsString();
}

int currentId(TMSSQLADOQuery *query, const char *key)
{
    return query->Active() && !query->IsEmpty() ? int(query->FieldByName(QLatin1String(key)).AsInteger()) : 0;
}

} // namespace

// ---------------------------------------------------------------- unit

TForm_Jednotka::TForm_Jednotka(QWidget *parent)
    : TForm_Dialog(parent)
{
    Edit_Jednotka = NewLineEdit(Bevel, QStringLiteral("Edit_Jednotka"), 16);
    Edit_Specifikace = NewLineEdit(Bevel, QStringLiteral("Edit_Specifikace"), 32);
    Edit_Specifikace->setMinimumWidth(220);
    CurrencyEdit_Minimum = NewAmountEdit(Bevel, QStringLiteral("CurrencyEdit_Minimum"), 3);
    SetHint(CurrencyEdit_Minimum, QStringLiteral("Nezadané minimum"));
    QFormLayout *form = formOf(Bevel);
    addRow(form, QStringLiteral("&Jednotka:"), Edit_Jednotka);
    addRow(form, QStringLiteral("&Specifikace:"), Edit_Specifikace);
    addRow(form, QStringLiteral("&Minimum:"), CurrencyEdit_Minimum);
    BindChange(Edit_Jednotka, [this](QObject *s) { Edit_JednotkaChange(s); });
    BindChange(CurrencyEdit_Minimum, [this](QObject *s) { CurrencyEdit_MinimumChange(s); });
    ConnectChange(Edit_Specifikace, [this] { ControlsValide(); });
}

void TForm_Jednotka::Edit_JednotkaChange(QObject *)
{
    const QString name = Edit_Jednotka->text();
    MarkInvalid(Edit_Jednotka,
                NameReason(name, QStringLiteral("Nezadaná jednotka..."), !name.trimmed().isEmpty() && nameTaken(name),
                           QStringLiteral("Existující jednotka...")));
    ControlsValide();
}

void TForm_Jednotka::CurrencyEdit_MinimumChange(QObject *)
{
    MarkInvalid(CurrencyEdit_Minimum, UnitMinimumReason(CurrencyEdit_Minimum->value()));
    ControlsValide();
}

TForm_JednotkaNova::TForm_JednotkaNova(QWidget *parent)
    : TForm_Jednotka(parent)
{
    setObjectName(QStringLiteral("Form_JednotkaNova"));
    setWindowTitle(QStringLiteral(" Nová jednotka"));
    Edit_Specifikace->setText(QStringLiteral("-"));
}

void TForm_JednotkaNova::showEvent(QShowEvent *event)
{
    TForm_Jednotka::showEvent(event);
    ControlsChange();
}

TForm_JednotkaEditace::TForm_JednotkaEditace(QWidget *parent)
    : TForm_Jednotka(parent)
{
    setObjectName(QStringLiteral("Form_JednotkaEditace"));
    setWindowTitle(QStringLiteral(" Editace jednotky"));
    TMSSQLADOQuery *row = DM->MSSQLADOQuery_Jednotka;
    ownId = currentId(row, "ID_JEDNOTKA");
    if (ownId != 0) {
        Edit_Jednotka->setText(column(row, "JEDNOTKA"));
        Edit_Specifikace->setText(column(row, "SPECIFIKACE"));
        CurrencyEdit_Minimum->setValue(row->FieldByName(QStringLiteral("MINIMUM")).AsFloat());
    }
}

void TForm_JednotkaEditace::showEvent(QShowEvent *event)
{
    TForm_Jednotka::showEvent(event);
    Button_Ok->setEnabled(false);
}

// ---------------------------------------------------------------- store

TForm_Sklad::TForm_Sklad(QWidget *parent)
    : TForm_Dialog(parent)
{
    Edit_Sklad = NewLineEdit(Bevel, QStringLiteral("Edit_Sklad"), 32);
    ComboEdit_Kategorie = NewCategoryEdit(Bevel, QStringLiteral("ComboEdit_Kategorie"));
    ComboEdit_Kategorie->setMinimumWidth(280);
    QFormLayout *form = formOf(Bevel);
    addRow(form, QStringLiteral("&Sklad:"), Edit_Sklad);
    addRow(form, QStringLiteral("Výchozí &kategorie:"), ComboEdit_Kategorie);
    BindChange(Edit_Sklad, [this](QObject *s) { Edit_SkladChange(s); });
    BindChange(ComboEdit_Kategorie, [this](QObject *s) { ComboEdit_KategorieChange(s); });
    connect(ComboEdit_Kategorie, &TCustomComboEdit::OnButtonClick, this, &TForm_Sklad::ComboEdit_KategorieButtonClick);
    ComboEdit_Kategorie->installEventFilter(this);
}

void TForm_Sklad::Edit_SkladChange(QObject *)
{
    const QString name = Edit_Sklad->text();
    MarkInvalid(Edit_Sklad,
                NameReason(name, QStringLiteral("Nezadaný sklad..."), !name.trimmed().isEmpty() && nameTaken(name),
                           QStringLiteral("Existující sklad...")));
    ControlsValide();
}

void TForm_Sklad::ComboEdit_KategorieChange(QObject *)
{
    MarkInvalid(ComboEdit_Kategorie, CategoryPathReason(ComboEdit_Kategorie->text()));
    ControlsValide();
}

void TForm_Sklad::ComboEdit_KategorieButtonClick()
{
    PickCategoryInto(this, ComboEdit_Kategorie);
}

bool TForm_Sklad::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ComboEdit_Kategorie && event->type() == QEvent::MouseButtonDblClick) {
        ComboEdit_KategorieButtonClick();
        return true;
    }
    return TForm_Dialog::eventFilter(watched, event);
}

TForm_SkladNovy::TForm_SkladNovy(QWidget *parent)
    : TForm_Sklad(parent)
{
    setObjectName(QStringLiteral("Form_SkladNovy"));
    setWindowTitle(QStringLiteral(" Nový sklad"));
}

void TForm_SkladNovy::showEvent(QShowEvent *event)
{
    TForm_Sklad::showEvent(event);
    ControlsChange();
}

TForm_SkladEditace::TForm_SkladEditace(QWidget *parent)
    : TForm_Sklad(parent)
{
    setObjectName(QStringLiteral("Form_SkladEditace"));
    setWindowTitle(QStringLiteral(" Editace skladu"));
    TMSSQLADOQuery *row = DM->MSSQLADOQuery_Sklad;
    ownId = currentId(row, "ID_SKLAD");
    if (ownId != 0) {
        Edit_Sklad->setText(column(row, "SKLAD"));
        ComboEdit_Kategorie->setText(
            DM->CategoryPathName(int(row->FieldByName(QStringLiteral("ID_KATEGORIE")).AsInteger())));
    }
}

// ---------------------------------------------------------------- contact

TForm_Kontakt::TForm_Kontakt(QWidget *parent)
    : TForm_Dialog(parent)
{
    struct Field
    {
        QLineEdit *&edit;
        const char *name;
        const char *caption;
        int length;
    };
    const Field fields[] = {{Edit_Kontakt, "Edit_Kontakt", "&Kontakt:", 64},
                            {Edit_IC, "Edit_IC", "&IČ:", 8},
                            {Edit_DIC, "Edit_DIC", "&DIČ:", 12},
                            {Edit_Adresa, "Edit_Adresa", "&Adresa:", 64},
                            {Edit_Telefon, "Edit_Telefon", "&Telefon:", 128},
                            {Edit_Mobil, "Edit_Mobil", "&Mobil:", 128},
                            {Edit_Email, "Edit_Email", "&Email:", 128},
                            {Edit_www, "Edit_www", "&www:", 128},
                            {Edit_Osoba, "Edit_Osoba", "O&soba:", 256},
                            {Edit_Poznamka, "Edit_Poznamka", "&Poznámka:", 256}};
    QFormLayout *form = formOf(Bevel);
    for (const Field &field : fields) {
        field.edit = NewLineEdit(Bevel, QLatin1String(field.name), field.length);
        field.edit->setMinimumWidth(320);
        addRow(form, QString::fromUtf8(field.caption), field.edit);
        if (field.edit != Edit_Kontakt)
            ConnectChange(field.edit, [this] { ControlsValide(); });
    }
    BindChange(Edit_Kontakt, [this](QObject *s) { Edit_KontaktChange(s); });
}

void TForm_Kontakt::Edit_KontaktChange(QObject *)
{
    const QString name = Edit_Kontakt->text();
    MarkInvalid(Edit_Kontakt,
                NameReason(name, QStringLiteral("Nezadaný kontakt..."), !name.trimmed().isEmpty() && nameTaken(name),
                           QStringLiteral("Existující kontakt...")));
    ControlsValide();
}

TDMContact TForm_Kontakt::Contact() const
{
    return {Edit_Kontakt->text(), Edit_IC->text(),    Edit_DIC->text(), Edit_Adresa->text(), Edit_Telefon->text(),
            Edit_Mobil->text(),   Edit_Email->text(), Edit_www->text(), Edit_Osoba->text(),  Edit_Poznamka->text()};
}

TForm_KontaktNovy::TForm_KontaktNovy(QWidget *parent)
    : TForm_Kontakt(parent)
{
    setObjectName(QStringLiteral("Form_KontaktNovy"));
    setWindowTitle(QStringLiteral(" Nový kontakt"));
}

void TForm_KontaktNovy::showEvent(QShowEvent *event)
{
    TForm_Kontakt::showEvent(event);
    ControlsChange();
}

TForm_KontaktEditace::TForm_KontaktEditace(QWidget *parent)
    : TForm_Kontakt(parent)
{
    setObjectName(QStringLiteral("Form_KontaktEditace"));
    setWindowTitle(QStringLiteral(" Editace kontaktu"));
    TMSSQLADOQuery *row = DM->MSSQLADOQuery_Kontakt;
    ownId = currentId(row, "ID_KONTAKT");
    if (ownId == 0)
        return;
    const std::pair<QLineEdit *, const char *> fields[] = {{Edit_Kontakt, "KONTAKT"}, {Edit_IC, "IC"},
                                                           {Edit_DIC, "DIC"},         {Edit_Adresa, "ADRESA"},
                                                           {Edit_Telefon, "TELEFON"}, {Edit_Mobil, "MOBIL"},
                                                           {Edit_Email, "EMAIL"},     {Edit_www, "WWW"},
                                                           {Edit_Osoba, "OSOBA"},     {Edit_Poznamka, "POZNAMKA"}};
    for (const auto &[edit, name] : fields)
        edit->setText(column(row, name));
}

// ---------------------------------------------------------------- VAT

TForm_DphEditace::TForm_DphEditace(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_DphEditace"));
    setWindowTitle(QStringLiteral(" Editace DPH"));
    RealEdit_Dph = new TRealEdit(Bevel);
    RealEdit_Dph->setObjectName(QStringLiteral("RealEdit_Dph"));
    RealEdit_Dph->setDecimalPlaces(2);
    auto *row = new QHBoxLayout;
    row->addWidget(RealEdit_Dph);
    row->addWidget(new QLabel(QStringLiteral("%"), Bevel));
    QFormLayout *form = formOf(Bevel);
    form->addRow(BuddyLabel(QStringLiteral("&DPH:"), RealEdit_Dph), row);
    BindChange(RealEdit_Dph, [this](QObject *s) { RealEdit_DphChange(s); });
    if (DM->MSSQLADOQuery_Dph->Active() && !DM->MSSQLADOQuery_Dph->IsEmpty())
        RealEdit_Dph->setValue(DM->MSSQLADOQuery_Dph->FieldByName(QStringLiteral("DPH")).AsFloat());
}

void TForm_DphEditace::RealEdit_DphChange(QObject *)
{
    MarkInvalid(RealEdit_Dph, VatRateReason(RealEdit_Dph->value()));
    ControlsValide();
}

void TForm_DphEditace::showEvent(QShowEvent *event)
{
    TForm_Dialog::showEvent(event);
    Button_Ok->setEnabled(false);
}
