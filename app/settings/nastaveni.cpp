#include "app/settings/nastaveni.h"

#include "app/settings/settingsstorage.h"
#include "app/settings/valuelistgroup.h"
#include "app/start/appglobals.h"
#include "kit/colorcombo.h"
#include "kit/formstorage.h"
#include "kit/intedit.h"
#include "kit/printercombo.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

TForm_Nastaveni *Form_Nastaveni = nullptr;

void TPageControl::setActivePage(QWidget *page)
{
    if (page && indexOf(page) >= 0)
        setCurrentWidget(page);
}

namespace {

template <class T>
T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit *lineEdit(const QString &name, QWidget *parent)
{
    return named(new QLineEdit(parent), name);
}

QCheckBox *checkBox(const QString &name, const QString &text, bool checked, QWidget *parent)
{
    auto *box = named(new QCheckBox(text, parent), name);
    box->setChecked(checked);
    return box;
}

TIntegerEdit *integerEdit(const QString &name, int max, int value, QWidget *parent)
{
    auto *edit = named(new TIntegerEdit(parent), name);
    edit->setMax(max);
    edit->setMin(0);
    edit->setValue(value);
    edit->setMaximumWidth(64);
    return edit;
}

TIntegerComboBox *integerCombo(const QString &name, const QStringList &items, int max, int value, QWidget *parent)
{
    auto *combo = named(new TIntegerComboBox(parent), name);
    combo->setMax(max);
    combo->setMin(0);
    combo->setItems(items);
    combo->setValue(value);
    combo->setMaximumWidth(80);
    return combo;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    return named(new QPushButton(text, parent), name);
}

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setBuddy(buddy);
    return result;
}

QStringList numbers(const QList<int> &values)
{
    QStringList result;
    for (int value : values)
        result << QString::number(value);
    return result;
}

} // namespace

TForm_Nastaveni::TForm_Nastaveni(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Nastaveni"));
    setWindowTitle(QStringLiteral("Nastavení obchodu"));

    PageControl = named(new TPageControl(Bevel), QStringLiteral("PageControl"));
    TabSheet_Vychozi = buildDefaultsTab();
    TabSheet_Polozka = buildItemTab();
    TabSheet_Tisk = buildPrintTab();
    PageControl->addTab(TabSheet_Vychozi, QStringLiteral("Výchozí hodnoty"));
    PageControl->addTab(TabSheet_Polozka, QStringLiteral("Údaje o položce"));
    PageControl->addTab(TabSheet_Tisk, QStringLiteral("Tisk dokladů"));
    auto *layout = new QVBoxLayout(Bevel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl);

    openFile = [](const QString &path) {
        if (!QFileInfo::exists(path))
            return 2;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? 0 : 31;
    };
    connect(CheckBox_VS, &QCheckBox::toggled, this, [this] { CheckBox_VSClick(); });
    connect(Button_Hlavicka, &QPushButton::clicked, this, [this] {
        OpenTemplate(QStringLiteral("Hlavicka.rtf"), QStringLiteral("Nelze otevřít hlavičku dokladu..."));
    });
    // The original gave no heading here; the user is told what failed.
    connect(Button_Informace, &QPushButton::clicked, this, [this] {
        OpenTemplate(QStringLiteral("Informace.rtf"), QStringLiteral("Nelze otevřít informace dokladu..."));
    });
    connect(Button_Logo, &QPushButton::clicked, this,
            [this] { OpenTemplate(QStringLiteral("Logo.bmp"), QStringLiteral("Nelze otevřít logo dokladu...")); });
    connect(Button_Podpis, &QPushButton::clicked, this,
            [this] { OpenTemplate(QStringLiteral("Podpis.bmp"), QStringLiteral("Nelze otevřít podpis dokladu...")); });
    setupStorage();
}

TForm_Nastaveni::~TForm_Nastaveni()
{
    if (&Settings() == this)
        SetShopSettings(nullptr);
}

QWidget *TForm_Nastaveni::buildDefaultsTab()
{
    auto *page = named(new QWidget, QStringLiteral("TabSheet_Vychozi"));

    auto *firma = new QGroupBox(QStringLiteral("Údaje o firmě"), page);
    auto *firmaForm = new QFormLayout(firma);
    const auto companyEdit = [&](const QString &name, const QString &caption) {
        QLineEdit *edit = lineEdit(name, firma);
        firmaForm->addRow(label(caption, edit, firma), edit);
        return edit;
    };
    Edit_Nazev = companyEdit(QStringLiteral("Edit_Nazev"), QStringLiteral("Název"));
    Edit_Adresa = companyEdit(QStringLiteral("Edit_Adresa"), QStringLiteral("Adresa"));
    Edit_IC = companyEdit(QStringLiteral("Edit_IC"), QStringLiteral("IČ"));
    Edit_DIC = companyEdit(QStringLiteral("Edit_DIC"), QStringLiteral("DIČ"));
    Edit_Telefon = companyEdit(QStringLiteral("Edit_Telefon"), QStringLiteral("Telefon"));
    Edit_Email = companyEdit(QStringLiteral("Edit_Email"), QStringLiteral("Email"));
    Edit_Nazev->setMinimumWidth(260);

    auto *banka = new QGroupBox(QStringLiteral("Bankovní spojení"), page);
    auto *bankaForm = new QFormLayout(banka);
    Edit_Ucet = lineEdit(QStringLiteral("Edit_Ucet"), banka);
    Edit_KS = lineEdit(QStringLiteral("Edit_KS"), banka);
    CheckBox_VS =
        checkBox(QStringLiteral("CheckBox_VS"), QStringLiteral("Variabilní symbol dle čísla faktury"), true, banka);
    Edit_VS = lineEdit(QStringLiteral("Edit_VS"), banka);
    bankaForm->addRow(label(QStringLiteral("Číslo účtu"), Edit_Ucet, banka), Edit_Ucet);
    bankaForm->addRow(label(QStringLiteral("Konstantní symbol"), Edit_KS, banka), Edit_KS);
    bankaForm->addRow(CheckBox_VS);
    bankaForm->addRow(label(QStringLiteral("Variabilní symbol"), Edit_VS, banka), Edit_VS);

    auto *splatnost = new QGroupBox(QStringLiteral("Splatnost faktur"), page);
    IntegerComboBox_Splatnost =
        integerCombo(QStringLiteral("IntegerComboBox_Splatnost"),
                     {QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")}, 9999, 30, splatnost);
    auto *splatnostRow = new QHBoxLayout(splatnost);
    splatnostRow->addWidget(label(QStringLiteral("S&platnost faktur "), IntegerComboBox_Splatnost, splatnost));
    splatnostRow->addWidget(IntegerComboBox_Splatnost);
    splatnostRow->addWidget(new QLabel(QStringLiteral("dní"), splatnost));
    splatnostRow->addStretch();

    const auto listGroup = [&](const QString &prefix, const QString &caption, const QStringList &buttonTexts, int max,
                               int defaultValue, QGroupBox *&group, QListWidget *&list, TIntegerEdit *&entry,
                               TIntegerEdit *&defaultEdit, QPushButton *&add, QPushButton *&remove,
                               QPushButton *&makeDefault) {
        group = named(new QGroupBox(caption, page), QStringLiteral("GroupBox_") + prefix);
        // The add button comes first: it is the group's default button.
        add = button(QStringLiteral("Button_%1_Pridat").arg(prefix), buttonTexts[0], group);
        remove = button(QStringLiteral("Button_%1_Odebrat").arg(prefix), buttonTexts[1], group);
        makeDefault = button(QStringLiteral("Button_%1_Vychozi").arg(prefix), buttonTexts[2], group);
        list = named(new QListWidget(group), QStringLiteral("ListBox_") + prefix);
        list->setFixedWidth(64);
        entry = integerEdit(QStringLiteral("IntegerEdit_") + prefix, max, 0, group);
        entry->clear();
        defaultEdit = integerEdit(QStringLiteral("IntegerEdit_%1_Vychozi").arg(prefix), max, defaultValue, group);
        defaultEdit->setEnabled(false);
        auto *grid = new QGridLayout(group);
        grid->addWidget(list, 0, 0, 5, 1);
        grid->addWidget(entry, 0, 1);
        grid->addWidget(add, 1, 1);
        grid->addWidget(remove, 2, 1);
        grid->addWidget(makeDefault, 3, 1);
        auto *defaultRow = new QHBoxLayout;
        defaultRow->addWidget(new QLabel(QStringLiteral("Výchozí"), group));
        defaultRow->addWidget(defaultEdit);
        grid->addLayout(defaultRow, 4, 1);
        return new ValueListGroup(group, list, entry, defaultEdit, add, remove, makeDefault);
    };
    Zaruky = listGroup(QStringLiteral("Zaruka"), QStringLiteral("Záruční doby"),
                       {QStringLiteral("&Přidat"), QStringLiteral("O&debrat"), QStringLiteral("&Výchozí")}, 999, 24,
                       GroupBox_Zaruka, ListBox_Zaruka, IntegerEdit_Zaruka, IntegerEdit_Zaruka_Vychozi,
                       Button_Zaruka_Pridat, Button_Zaruka_Odebrat, Button_Zaruka_Vychozi);
    Slevy = listGroup(QStringLiteral("Sleva"), QStringLiteral("Slevy"),
                      {QStringLiteral("Přidat"), QStringLiteral("Odebrat"), QStringLiteral("Výchozí")}, 100, 0,
                      GroupBox_Sleva, ListBox_Sleva, IntegerEdit_Sleva, IntegerEdit_Sleva_Vychozi, Button_Sleva_Pridat,
                      Button_Sleva_Odebrat, Button_Sleva_Vychozi);
    Zaruky->setValues(InitialWarrantyList());
    Slevy->setValues(InitialDiscountList());

    auto *left = new QVBoxLayout;
    left->addWidget(firma);
    left->addWidget(banka);
    left->addWidget(splatnost);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(GroupBox_Zaruka);
    right->addWidget(GroupBox_Sleva);
    right->addStretch();
    auto *columns = new QHBoxLayout(page);
    columns->addLayout(left, 1);
    columns->addLayout(right);
    return page;
}

QWidget *TForm_Nastaveni::buildItemTab()
{
    auto *page = named(new QWidget, QStringLiteral("TabSheet_Polozka"));

    auto *povinne = new QGroupBox(QStringLiteral("Povinné a unikátní údaje položky"), page);
    auto *povinneGrid = new QGridLayout(povinne);
    CheckBox_Oznaceni_Povinne =
        checkBox(QStringLiteral("CheckBox_Oznaceni_Povinne"), QStringLiteral("Označení, počet znaků"), true, povinne);
    IntegerEdit_Oznaceni = integerEdit(QStringLiteral("IntegerEdit_Oznaceni"), 16, 8, povinne);
    CheckBox_Kod_Povinne =
        checkBox(QStringLiteral("CheckBox_Kod_Povinne"), QStringLiteral("Kód, počet znaků"), false, povinne);
    IntegerEdit_Kod = integerEdit(QStringLiteral("IntegerEdit_Kod"), 16, 13, povinne);
    povinneGrid->addWidget(CheckBox_Oznaceni_Povinne, 0, 0);
    povinneGrid->addWidget(IntegerEdit_Oznaceni, 0, 1);
    povinneGrid->addWidget(CheckBox_Kod_Povinne, 1, 0);
    povinneGrid->addWidget(IntegerEdit_Kod, 1, 1);
    int row = 2;
    const auto required = [&](const QString &name, const QString &text, bool checked) {
        QCheckBox *box = checkBox(name, text, checked, povinne);
        povinneGrid->addWidget(box, row++, 0, 1, 2);
        return box;
    };
    CheckBox_Polozka_Povinne = required(QStringLiteral("CheckBox_Polozka_Povinne"), QStringLiteral("Položka"), true);
    CheckBox_Specifikace_Povinne =
        required(QStringLiteral("CheckBox_Specifikace_Povinne"), QStringLiteral("Specifikace"), false);
    CheckBox_Nakup_Povinne = required(QStringLiteral("CheckBox_Nakup_Povinne"), QStringLiteral("Nákup [Kč]"), true);
    CheckBox_Prodej_Povinne = required(QStringLiteral("CheckBox_Prodej_Povinne"), QStringLiteral("Prodej [Kč]"), true);
    CheckBox_Mnozstvi_Povinne =
        required(QStringLiteral("CheckBox_Mnozstvi_Povinne"), QStringLiteral("Množství []"), true);
    CheckBox_Zasoba_Povinne = required(QStringLiteral("CheckBox_Zasoba_Povinne"), QStringLiteral("Zásoba []"), false);
    CheckBox_Minimum_Povinne =
        required(QStringLiteral("CheckBox_Minimum_Povinne"), QStringLiteral("Minimum []"), false);
    povinneGrid->setRowStretch(row, 1);

    auto *nezadane = new QGroupBox(QStringLiteral("Nezadané či problémové údaje položky"), page);
    auto *nezadaneBox = new QVBoxLayout(nezadane);
    const auto flag = [&](const QString &name, const QString &text, bool checked) {
        QCheckBox *box = checkBox(name, text, checked, nezadane);
        nezadaneBox->addWidget(box);
        return box;
    };
    CheckBox_Polozka_Nezadane = flag(QStringLiteral("CheckBox_Polozka_Nezadane"), QStringLiteral("Položka"), true);
    CheckBox_Kod_Nezadane = flag(QStringLiteral("CheckBox_Kod_Nezadane"), QStringLiteral("Kód"), false);
    CheckBox_Specifikace_Nezadane =
        flag(QStringLiteral("CheckBox_Specifikace_Nezadane"), QStringLiteral("Specifikace"), false);
    CheckBox_Zaruka_Nezadane = flag(QStringLiteral("CheckBox_Zaruka_Nezadane"), QStringLiteral("Záruka [m]"), false);
    CheckBox_Nakup_Nezadane = flag(QStringLiteral("CheckBox_Nakup_Nezadane"), QStringLiteral("Nákup [Kč]"), true);
    CheckBox_Prodej_Nezadane = flag(QStringLiteral("CheckBox_Prodej_Nezadane"), QStringLiteral("Prodej [Kč]"), true);
    CheckBox_Mnozstvi_Nezadane =
        flag(QStringLiteral("CheckBox_Mnozstvi_Nezadane"), QStringLiteral("Množství []"), true);
    CheckBox_Zasoba_Nezadane = flag(QStringLiteral("CheckBox_Zasoba_Nezadane"), QStringLiteral("Zásoba []"), false);
    CheckBox_Minimum_Nezadane = flag(QStringLiteral("CheckBox_Minimum_Nezadane"), QStringLiteral("Minimum []"), false);
    CheckBox_Nedostatecna_Zasoba_Nezadane =
        flag(QStringLiteral("CheckBox_Nedostatecna_Zasoba_Nezadane"), QStringLiteral("Nedostatečná zásoba []"), false);
    ColorComboBox_Nezadane = named(new TColorComboBox(nezadane), QStringLiteral("ColorComboBox_Nezadane"));
    ColorComboBox_Nezadane->setDisplayNames(false);
    ColorComboBox_Nezadane->setColorValue(clRed);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(label(QStringLiteral("Označené barvou"), ColorComboBox_Nezadane, nezadane));
    colourRow->addWidget(ColorComboBox_Nezadane);
    colourRow->addStretch();
    nezadaneBox->addLayout(colourRow);
    nezadaneBox->addStretch();

    auto *rabat = new QGroupBox(QStringLiteral("Výchozí rabat"), page);
    IntegerComboBox_Rabat =
        integerCombo(QStringLiteral("IntegerComboBox_Rabat"),
                     numbers({0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100, 200, 500}), 1000, 20, rabat);
    auto *rabatRow = new QHBoxLayout(rabat);
    rabatRow->addWidget(label(QStringLiteral("Výchozí rabat:"), IntegerComboBox_Rabat, rabat));
    rabatRow->addWidget(IntegerComboBox_Rabat);
    rabatRow->addWidget(new QLabel(QStringLiteral("%"), rabat));
    rabatRow->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(povinne);
    left->addWidget(rabat);
    auto *columns = new QHBoxLayout(page);
    columns->addLayout(left);
    columns->addWidget(nezadane);
    return page;
}

QWidget *TForm_Nastaveni::buildPrintTab()
{
    auto *page = named(new QWidget, QStringLiteral("TabSheet_Tisk"));
    CheckBox_Nahled = checkBox(QStringLiteral("CheckBox_Nahled"),
                               QStringLiteral("Při prodeji před tiskem dokladu nejdříve zobrazit náhled"), true, page);

    const auto printer = [&](const QString &name, QWidget *parent) {
        auto *combo = named(new TPrinterComboBox(parent), name);
        combo->setMinimumWidth(280);
        return combo;
    };
    auto *uctenky = new QGroupBox(QStringLiteral("Účtenky za hotové"), page);
    RadioButton_A4 = named(new QRadioButton(QStringLiteral("Formát A&4"), uctenky), QStringLiteral("RadioButton_A4"));
    RadioButton_A5 = named(new QRadioButton(QStringLiteral("Formát A&5"), uctenky), QStringLiteral("RadioButton_A5"));
    RadioButton_Svitek = named(new QRadioButton(QStringLiteral("&Svitek (pokladní tiskárna)"), uctenky),
                               QStringLiteral("RadioButton_Svitek"));
    RadioButton_A5->setChecked(true);
    PrinterComboBox_UctenkaA4 = printer(QStringLiteral("PrinterComboBox_UctenkaA4"), uctenky);
    PrinterComboBox_UctenkaA5 = printer(QStringLiteral("PrinterComboBox_UctenkaA5"), uctenky);
    PrinterComboBox_UctenkaSvitek = printer(QStringLiteral("PrinterComboBox_UctenkaSvitek"), uctenky);
    auto *uctenkyGrid = new QGridLayout(uctenky);
    uctenkyGrid->addWidget(RadioButton_A4, 0, 0);
    uctenkyGrid->addWidget(PrinterComboBox_UctenkaA4, 0, 1);
    uctenkyGrid->addWidget(RadioButton_A5, 1, 0);
    uctenkyGrid->addWidget(PrinterComboBox_UctenkaA5, 1, 1);
    uctenkyGrid->addWidget(RadioButton_Svitek, 2, 0);
    uctenkyGrid->addWidget(PrinterComboBox_UctenkaSvitek, 2, 1);
    uctenkyGrid->setColumnStretch(1, 1);

    auto *column = new QVBoxLayout(page);
    column->addWidget(CheckBox_Nahled);
    column->addWidget(uctenky);
    const auto printerGroup = [&](const QString &caption, const QString &name) {
        auto *group = new QGroupBox(caption, page);
        TPrinterComboBox *combo = printer(name, group);
        (new QHBoxLayout(group))->addWidget(combo);
        column->addWidget(group);
        return combo;
    };
    PrinterComboBox_Faktura = printerGroup(QStringLiteral("Faktury"), QStringLiteral("PrinterComboBox_Faktura"));
    PrinterComboBox_DodaciList =
        printerGroup(QStringLiteral("Dodací listy"), QStringLiteral("PrinterComboBox_DodaciList"));
    PrinterComboBox_Storno = printerGroup(QStringLiteral("Storno doklady"), QStringLiteral("PrinterComboBox_Storno"));
    PrinterComboBox_PrijmovyDoklad =
        printerGroup(QStringLiteral("Pokladní příjmový doklad"), QStringLiteral("PrinterComboBox_PrijmovyDoklad"));

    auto *poznamka = new QGroupBox(QStringLiteral("Poznámka tištěných dokladů"), page);
    Edit_Poznamka = lineEdit(QStringLiteral("Edit_Poznamka"), poznamka);
    (new QHBoxLayout(poznamka))->addWidget(Edit_Poznamka);
    column->addWidget(poznamka);

    Button_Hlavicka = button(QStringLiteral("Button_Hlavicka"), QStringLiteral("Hlavička dokladu..."), page);
    Button_Informace = button(QStringLiteral("Button_Informace"), QStringLiteral("Informace dokladu..."), page);
    Button_Logo = button(QStringLiteral("Button_Logo"), QStringLiteral("Logo dokladu..."), page);
    Button_Podpis = button(QStringLiteral("Button_Podpis"), QStringLiteral("Podpis dokladu..."), page);
    auto *templates = new QHBoxLayout;
    for (QPushButton *b : {Button_Hlavicka, Button_Informace, Button_Logo, Button_Podpis})
        templates->addWidget(b);
    templates->addStretch();
    column->addLayout(templates);
    column->addStretch();
    return page;
}

void TForm_Nastaveni::setupStorage()
{
    QStringList props{QStringLiteral("PageControl.ActivePage")};
    for (const char *edit :
         {"Edit_Nazev", "Edit_Adresa", "Edit_IC", "Edit_DIC", "Edit_Telefon", "Edit_Email", "Edit_Ucet", "Edit_KS",
          "Edit_VS", "Edit_Poznamka", "IntegerComboBox_Splatnost", "IntegerEdit_Zaruka_Vychozi",
          "IntegerEdit_Sleva_Vychozi", "IntegerEdit_Oznaceni", "IntegerEdit_Kod", "IntegerComboBox_Rabat"})
        props << QLatin1String(edit) + QLatin1String(".Text");
    for (QCheckBox *box : findChildren<QCheckBox *>())
        props << box->objectName() + QLatin1String(".Checked");
    for (QRadioButton *radio : {RadioButton_A4, RadioButton_A5, RadioButton_Svitek})
        props << radio->objectName() + QLatin1String(".Checked");
    props << QStringLiteral("ColorComboBox_Nezadane.ColorValue");
    // The name finds the chosen printer again when the printer list changed.
    for (TPrinterComboBox *combo : findChildren<TPrinterComboBox *>())
        props << combo->objectName() + QLatin1String(".PrinterIndex")
              << combo->objectName() + QLatin1String(".PrinterName");
    FormStorage = NewSettingsStorage(this, QStringLiteral("Nastaveni"), props);
}

void TForm_Nastaveni::showEvent(QShowEvent *event)
{
    TForm_Dialog::showEvent(event);
    CheckBox_VSClick();
}

void TForm_Nastaveni::reject()
{
    FormStorage->FormPlacementRestore();
    TForm_Dialog::reject();
}

void TForm_Nastaveni::CheckBox_VSClick()
{
    Edit_VS->setEnabled(!CheckBox_VS->isChecked());
}

void TForm_Nastaveni::OpenTemplate(const QString &fileName, const QString &heading)
{
    const QString path = CombinePath(fileName, AppPath);
    const int error = openFile(path);
    if (error == 0)
        return;
    // The shell's numbers told the user nothing: the reason is said in words.
    QString reason;
    if (error == 2)
        reason = QStringLiteral("Soubor %1 neexistuje.").arg(path);
    else if (error == 31)
        reason = QStringLiteral("Pro soubor %1 není v systému nastaven žádný program, který by ho otevřel.").arg(path);
    else
        reason = QStringLiteral("Soubor %1 nelze otevřít (chyba %2).").arg(path).arg(error);
    ShowWarning(heading, QString(), reason);
}
