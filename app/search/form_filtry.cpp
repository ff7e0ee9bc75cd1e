#include "app/search/form_filtry.h"

#include "app/common/formcontrols.h"
#include "app/common/gridsorting.h"
#include "app/search/form_filtr.h"
#include "data/dm.h"
#include "kit/dbgridex.h"
#include "platform/db/datasource.h"
#include "platform/messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Said as every other function's missing right is: information, no self-close.
bool refused(TDM &dm, int right, const QString &heading)
{
    if (dm.HasRight(right))
        return false;
    ShowInformation(heading, QStringLiteral("Uživatel nemá oprávnění..."), false);
    return true;
}

QString filterCondition(TMSSQLADOQuery *target)
{
    const TFormatParameter *parameter = target->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"));
    return parameter ? parameter->Value() : QString();
}

} // namespace

TForm_Filtry::TForm_Filtry(TDM &dm, TMSSQLADOQuery *target, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_target(target)
{
    setObjectName(QStringLiteral("Form_Filtry"));
    setWindowTitle(QStringLiteral(" Filtry"));
    GroupBox_Filtr = new QGroupBox(QStringLiteral("Filtr"), this);
    GroupBox_Filtr->setObjectName(QStringLiteral("GroupBox_Filtr"));
    dm.MSSQLADOQuery_Filtr->RefreshQuery();
    DataSource = new Db::DataSource(this);
    DataSource->SetDataSet(dm.MSSQLADOQuery_Filtr);
    KxDBGridEx = new TKxDBGridEx(GroupBox_Filtr);
    KxDBGridEx->setObjectName(QStringLiteral("KxDBGridEx"));
    KxDBGridEx->Columns().Add(QStringLiteral("FILTR"), QStringLiteral("Filtr"), 460);
    KxDBGridEx->SetDataSource(DataSource);
    KxDBGridEx->setMinimumSize(500, 260);
    BindTitleSorting(KxDBGridEx, dm.MSSQLADOQuery_Filtr, QStringLiteral("ID_FILTR"));

    Button_Pridat = NewPushButton(GroupBox_Filtr, "Button_Pridat", QStringLiteral("&Přidat..."));
    Button_Editovat = NewPushButton(GroupBox_Filtr, "Button_Editovat", QStringLiteral("&Editovat..."));
    Button_Odebrat = NewPushButton(GroupBox_Filtr, "Button_Odebrat", QStringLiteral("O&debrat"));
    Button_Ok = NewPushButton(this, "Button_Ok", QStringLiteral("&Ok"));
    Button_Ok->setDefault(true);
    Button_Storno = NewPushButton(this, "Button_Storno", QStringLiteral("S&torno"));

    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(Button_Pridat);
    listButtons->addWidget(Button_Editovat);
    listButtons->addWidget(Button_Odebrat);
    listButtons->addStretch();
    auto *group = new QHBoxLayout(GroupBox_Filtr);
    group->addWidget(KxDBGridEx, 1);
    group->addLayout(listButtons);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Ok);
    buttons->addWidget(Button_Storno);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox_Filtr, 1);
    layout->addLayout(buttons);
    setTabOrder(KxDBGridEx, Button_Pridat);
    setTabOrder(Button_Pridat, Button_Editovat);
    setTabOrder(Button_Editovat, Button_Odebrat);
    setTabOrder(Button_Odebrat, Button_Ok);
    setTabOrder(Button_Ok, Button_Storno);

    connect(Button_Pridat, &QPushButton::clicked, this, &TForm_Filtry::Button_PridatClick);
    connect(Button_Editovat, &QPushButton::clicked, this, &TForm_Filtry::Button_EditovatClick);
    connect(Button_Odebrat, &QPushButton::clicked, this, &TForm_Filtry::Button_OdebratClick);
    connect(Button_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(DataSource, &Db::DataSource::dataChange, this, [this] { DataSourceDataChange(); });
    DataSourceDataChange();
}

int TForm_Filtry::CurrentFilterId() const
{
    TMSSQLADOQuery *filters = m_dm.MSSQLADOQuery_Filtr;
    if (!filters->Active() || filters->IsEmpty())
        return 0;
    return int(filters->FieldByName(QStringLiteral("ID_FILTR")).AsInteger());
}

// "[Žádný filtr]" can be neither edited nor removed.
void TForm_Filtry::DataSourceDataChange()
{
    const int id = CurrentFilterId();
    Button_Editovat->setEnabled(id != 0 && id != NoFilterId);
    Button_Odebrat->setEnabled(id != 0 && id != NoFilterId && m_dm.FilterCount() != 0);
    Button_Ok->setEnabled(id != 0);
}

void TForm_Filtry::Button_PridatClick()
{
    if (refused(m_dm, 2, QStringLiteral("Funkce přidat filtr není dostupná...")))
        return;
    TForm_FiltrNovy form(m_dm, this);
    form.SetTargetList(m_target);
    if (form.exec() != QDialog::Accepted)
        return;
    int newId = 0;
    if (!m_dm.NewFilter(form.Edit_Filtr->text(), form.Memo_Script->toPlainText(), newId))
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                    QStringLiteral("Zavedení nového filtru neproběhlo..."), m_dm.LastErrorText());
    DataSourceDataChange();
}

void TForm_Filtry::Button_EditovatClick()
{
    const int id = CurrentFilterId();
    if (id == 0 || id == NoFilterId)
        return;
    if (refused(m_dm, 3, QStringLiteral("Funkce editovat filtr není dostupná...")))
        return;
    TForm_FiltrEditace form(m_dm, id, this);
    form.SetTargetList(m_target);
    if (form.exec() != QDialog::Accepted)
        return;
    if (!m_dm.EditFilter(id, form.Edit_Filtr->text(), form.Memo_Script->toPlainText()))
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Editace filtru neproběhla..."),
                    m_dm.LastErrorText());
    DataSourceDataChange();
}

void TForm_Filtry::Button_OdebratClick()
{
    const int id = CurrentFilterId();
    if (id == 0 || id == NoFilterId)
        return;
    if (refused(m_dm, 4, QStringLiteral("Funkce odebrat filtr není dostupná...")))
        return;
    if (!ShowQuestion(QStringLiteral("Opravdu chcete odebrat tento filtr ?"), m_dm.FilterCaption(id, true), false))
        return;
    if (!m_dm.RemoveFilter(id))
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Odebrání filtru neproběhlo..."),
                    m_dm.LastErrorText());
    DataSourceDataChange();
}

bool ApplyListFilter(TMSSQLADOQuery *target, const QString &condition)
{
    TFormatParameter *parameter = target->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"));
    if (!parameter)
        return false;
    const QString previous = parameter->Value();
    parameter->SetFormatParameterValue(condition);
    target->Close();
    try {
        target->RefreshQuery();
        return true;
    } catch (const Db::DatabaseError &error) {
        parameter->SetFormatParameterValue(previous);
        target->Close();
        try {
            target->RefreshQuery();
        } catch (const Db::DatabaseError &) {
        }
        const QString hint = DM ? DM->AmbiguousColumnHint(target, error.error()) : QString();
        ShowWarning(QStringLiteral("Filtr nelze použít..."),
                    QStringLiteral("Seznam podmínku filtru nepřijal, zůstává předchozí filtr."),
                    hint.isEmpty() ? error.text() : hint + QLatin1Char('\n') + error.text());
        return false;
    }
}

void ChooseListFilter(QWidget *parent, TDM &dm, TMSSQLADOQuery *target)
{
    if (refused(dm, 1, QStringLiteral("Funkce použít filtr není dostupná...")))
        return;
    int id = 0;
    {
        TForm_Filtry form(dm, target, parent);
        dm.MSSQLADOQuery_Filtr->Locate(QStringLiteral("SCRIPT"), Variant(filterCondition(target)));
        form.DataSourceDataChange();
        if (form.exec() == QDialog::Accepted)
            id = form.CurrentFilterId();
    }
    // The filter list is open only while the chooser is.
    dm.MSSQLADOQuery_Filtr->Close();
    if (id != 0)
        ApplyListFilter(target, dm.FilterScript(id));
}
