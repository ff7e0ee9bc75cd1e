#include "app/sale/oznacenidokladu.h"

#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "app/sale/listgrid.h"
#include "app/sale/salerules.h"
#include "data/dm.h"
#include "kit/dbgridex.h"
#include "kit/dbgridmodel.h"
#include "kit/intedit.h"
#include "platform/db/datasource.h"
#include "platform/messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

const QString KeyOznaceni = QStringLiteral("ID_OZNACENI_DOKLAD");

const QString HintNetisteny = QStringLiteral("Pořadí netištěného dokladu musí být v rozsahu 1 až 99999999...");
const QString HintVytisteny = QStringLiteral("Pořadí vytištěného dokladu musí být v rozsahu 1 až 99999999...");
const QString HintZarovnani = QStringLiteral("Zarovnání pořadí musí být v rozsahu 1 až 8...");

template <typename Edit>
Edit *labelledEdit(QWidget *parent, QGridLayout *grid, const QString &name, const QString &caption, QLabel *&label)
{
    auto *edit = new Edit(parent);
    edit->setObjectName(name);
    label = new QLabel(caption, parent);
    label->setObjectName(
        QString(name).replace(QRegularExpression(QStringLiteral("^[A-Za-z]+_")), QStringLiteral("Label_")));
    label->setBuddy(edit);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

bool denyWithoutRight()
{
    if (DM && DM->HasRight(46))
        return false;
    ShowInformation(QStringLiteral("Funkce editace označení dokladů není dostupná..."),
                    QStringLiteral("Uživatel nemá oprávnění..."));
    return true;
}

} // namespace

TForm_OznaceniDokladuEditace::TForm_OznaceniDokladuEditace(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Editace označení dokladu"));
    auto *grid = new QGridLayout(Bevel);
    Edit_Oznaceni = labelledEdit<QLineEdit>(Bevel, grid, QStringLiteral("Edit_Oznaceni"),
                                            QStringLiteral("&Označení dokladu:"), Label_Oznaceni);
    Edit_Oznaceni->setMaxLength(16);
    SetHint(Edit_Oznaceni, QStringLiteral("Existující označení dokladu..."));
    Edit_Oddelovac = labelledEdit<QLineEdit>(Bevel, grid, QStringLiteral("Edit_Oddelovac"),
                                             QStringLiteral("O&ddělovač:"), Label_Oddelovac);
    Edit_Oddelovac->setMaxLength(1);
    IntegerEdit_PoradiNetisteny =
        labelledEdit<TIntegerEdit>(Bevel, grid, QStringLiteral("IntegerEdit_PoradiNetisteny"),
                                   QStringLiteral("Pořadí &netištěného dokladu:"), Label_PoradiNetisteny);
    SetHint(IntegerEdit_PoradiNetisteny, HintNetisteny);
    IntegerEdit_PoradiVytisteny =
        labelledEdit<TIntegerEdit>(Bevel, grid, QStringLiteral("IntegerEdit_PoradiVytisteny"),
                                   QStringLiteral("Pořadí &vytištěného dokladu:"), Label_PoradiVytisteny);
    SetHint(IntegerEdit_PoradiVytisteny, HintVytisteny);
    IntegerEdit_PoradiZarovnani =
        labelledEdit<TIntegerEdit>(Bevel, grid, QStringLiteral("IntegerEdit_PoradiZarovnani"),
                                   QStringLiteral("&Zarovnání pořadí:"), Label_PoradiZarovnani);
    SetHint(IntegerEdit_PoradiZarovnani, HintZarovnani);
    for (QLineEdit *edit :
         {Edit_Oznaceni, Edit_Oddelovac, static_cast<QLineEdit *>(IntegerEdit_PoradiNetisteny),
          static_cast<QLineEdit *>(IntegerEdit_PoradiVytisteny), static_cast<QLineEdit *>(IntegerEdit_PoradiZarovnani)})
        edit->setMinimumWidth(140);

    BindChange(Edit_Oznaceni, [this](QObject *) { Edit_OznaceniChange(); });
    BindChange(Edit_Oddelovac, [this](QObject *) { Edit_OddelovacChange(); });
    BindChange(IntegerEdit_PoradiNetisteny, [this](QObject *) { IntegerEdit_PoradiNetistenyChange(); });
    BindChange(IntegerEdit_PoradiVytisteny, [this](QObject *) { IntegerEdit_PoradiVytistenyChange(); });
    BindChange(IntegerEdit_PoradiZarovnani, [this](QObject *) { IntegerEdit_PoradiZarovnaniChange(); });
}

void TForm_OznaceniDokladuEditace::showEvent(QShowEvent *event)
{
    if (!loaded) {
        loaded = true;
        FormShow();
    }
    TForm_Dialog::showEvent(event);
}

void TForm_OznaceniDokladuEditace::FormShow()
{
    const Db::Dataset *list = DM ? DM->MSSQLADOQuery_OznaceniDoklad : nullptr;
    if (list && list->Active() && !list->IsEmpty()) {
        IdOznaceniDoklad = int(list->FieldByName(KeyOznaceni).AsInteger());
        if (!DM->ReadNumbering(IdOznaceniDoklad, Read)) {
            ShowWarning(QStringLiteral("Označení dokladu nelze editovat..."),
                        QStringLiteral("Načtení označení dokladu neproběhlo..."), DM->LastErrorText());
            QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        }
        Edit_Oznaceni->setText(Read.prefix);
        Edit_Oddelovac->setText(Read.separator);
        IntegerEdit_PoradiNetisteny->setValue(Read.nextUnprinted);
        IntegerEdit_PoradiVytisteny->setValue(Read.nextPrinted);
        IntegerEdit_PoradiZarovnani->setValue(Read.width);
    }
    // Nothing to store until something changes.
    Button_Ok->setEnabled(false);
}

void TForm_OznaceniDokladuEditace::Edit_OznaceniChange()
{
    const QString prefix = Edit_Oznaceni->text().trimmed();
    const bool taken = !prefix.isEmpty() && DM && DM->NumberingPrefixExistsOther(IdOznaceniDoklad, prefix);
    MarkInvalid(Edit_Oznaceni, taken ? QStringLiteral("Existující označení dokladu...") : QString());
    ControlsValide();
}

void TForm_OznaceniDokladuEditace::Edit_OddelovacChange()
{
    ControlsValide();
}

void TForm_OznaceniDokladuEditace::IntegerEdit_PoradiNetistenyChange()
{
    MarkInvalid(IntegerEdit_PoradiNetisteny, CounterProblem(IntegerEdit_PoradiNetisteny->value(), HintNetisteny));
    ControlsValide();
}

void TForm_OznaceniDokladuEditace::IntegerEdit_PoradiVytistenyChange()
{
    MarkInvalid(IntegerEdit_PoradiVytisteny, CounterProblem(IntegerEdit_PoradiVytisteny->value(), HintVytisteny));
    ControlsValide();
}

void TForm_OznaceniDokladuEditace::IntegerEdit_PoradiZarovnaniChange()
{
    MarkInvalid(IntegerEdit_PoradiZarovnani, WidthProblem(IntegerEdit_PoradiZarovnani->value(), HintZarovnani));
    ControlsValide();
}

TForm_OznaceniDokladu::TForm_OznaceniDokladu(QWidget *parent)
    : TForm_DialogEdit(parent)
{
    setWindowTitle(QStringLiteral(" Označení dokladů"));
    DataSource = new Db::DataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    KxDBGridEx = new TKxDBGridEx(Bevel);
    KxDBGridEx->setObjectName(QStringLiteral("KxDBGridEx"));
    KxDBGridEx->setMinimumSize(920, 160);
    SetupListGrid(KxDBGridEx, DataSource, DM ? DM->MSSQLADOQuery_OznaceniDoklad : nullptr, KeyOznaceni,
                  {{QStringLiteral("POPIS_DOKLAD"), QStringLiteral("Popis dokladu"), 130},
                   {QStringLiteral("OZNACENI_DOKLAD"), QStringLiteral("Označení"), 70},
                   {QStringLiteral("OZNACENI_ROK"), QStringLiteral("Rok"), 36},
                   {QStringLiteral("OZNACENI_MESIC"), QStringLiteral("Měs."), 36},
                   {QStringLiteral("OZNACENI_DEN"), QStringLiteral("Den"), 36},
                   {QStringLiteral("OZNACENI_ODDELOVAC"), QStringLiteral("Odděl."), 46},
                   {QStringLiteral("PORADI_DOKLAD_NETISTENY"), QStringLiteral("Poř. netištěný"), 90},
                   {QStringLiteral("PORADI_DOKLAD_VYTISTENY"), QStringLiteral("Poř. vytištěný"), 90},
                   {QStringLiteral("PORADI_ZAROVNANI"), QStringLiteral("Zarov."), 46},
                   {QStringLiteral("DOKLAD_NETISTENY"), QStringLiteral("Náhled netištěného"), 135},
                   {QStringLiteral("DOKLAD_VYTISTENY"), QStringLiteral("Náhled vytištěného"), 135}});
    auto *layout = new QVBoxLayout(Bevel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(KxDBGridEx);

    KxDBGridEx->OnClickCheckBox = [this](TKxDBGridEx *, Db::Field *field, bool &modify) {
        KxDBGridExClickCheckBox(field, modify);
    };
    SetDataSource(KxDBGridEx->GridModel(), KxDBGridEx->selectionModel());
    connect(Button_Editovat, &QPushButton::clicked, this, [this] { Button_EditovatClick(); });
    Button_Editovat->setDefault(true);
    DataSourceDataChange();
}

void TForm_OznaceniDokladu::DataSourceDataChange()
{
    AddEnabled = false;
    EditEnabled = true;
    RemoveEnabled = false;
    TForm_DialogEdit::DataSourceDataChange();
}

void TForm_OznaceniDokladu::Button_EditovatClick()
{
    if (denyWithoutRight())
        return;
    TMSSQLADOQuery *list = DM->MSSQLADOQuery_OznaceniDoklad;
    if (!list->Active() || list->IsEmpty())
        return;
    TForm_OznaceniDokladuEditace dialog(this);
    if (dialog.exec() != mrOk)
        return;
    if (!DM->EditNumbering(dialog.IdOznaceniDoklad, dialog.Edit_Oznaceni->text(), dialog.Edit_Oddelovac->text(),
                           dialog.IntegerEdit_PoradiNetisteny->value(), dialog.IntegerEdit_PoradiVytisteny->value(),
                           dialog.IntegerEdit_PoradiZarovnani->value(), &dialog.Read))
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                    QStringLiteral("Editace označení dokladu neproběhla..."), DM->LastErrorText());
}

void TForm_OznaceniDokladu::KxDBGridExClickCheckBox(Db::Field *Field, bool &Modify)
{
    Modify = false;
    const QString name = Field->FieldName().toUpper();
    if (name != QLatin1String("OZNACENI_ROK") && name != QLatin1String("OZNACENI_MESIC") &&
        name != QLatin1String("OZNACENI_DEN"))
        return;
    if (denyWithoutRight())
        return;
    // The flag is stored at once; the previews of the next numbers follow it.
    if (KxDBGridEx->PostFieldChange(Field, [Field] { Field->SetAsBoolean(!Field->AsBoolean()); }))
        DM->MSSQLADOQuery_OznaceniDoklad->RequeryLocate(KeyOznaceni);
}
