#include "app/admin/form_sestavy.h"

#include "app/admin/admingrid.h"
#include "app/admin/reportfile.h"
#include "app/common/formcontrols.h"
#include "app/common/gridsorting.h"
#include "app/common/modalresult.h"
#include "app/print/nahled.h"
#include "data/dm.h"
#include "kit/dbgridex.h"
#include "platform/db/datasource.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNoRight = QStringLiteral("Uživatel nemá oprávnění...");

TMSSQLADOQuery *list()
{
    return DM->MSSQLADOQuery_Sestava;
}

bool hasRows()
{
    return list()->Active() && !list()->IsEmpty();
}

QString current(const char *field)
{
    return hasRows() ? list()->FieldByName(QLatin1String(field)).AsString() : QString();
}

int currentId()
{
    return hasRows() ? int(list()->FieldByName(QStringLiteral("ID_SESTAVA")).AsInteger()) : 0;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel *buddy(const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

} // namespace

// ---------------------------------------------------------------- the list

TForm_Sestavy::TForm_Sestavy(QWidget *parent)
    : TForm_DialogEdit(parent)
{
    setObjectName(QStringLiteral("Form_Sestavy"));
    setWindowTitle(QStringLiteral(" Sestavy"));
    DataSource = new Db::DataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    DataSource->SetDataSet(list());

    KxDBGridEx = new TKxDBGridEx(Bevel);
    SetUpListGrid(KxDBGridEx, "KxDBGridEx", DataSource,
                  {{"SESTAVA", QStringLiteral("Sestava"), 220}, {"SOUBOR", QStringLiteral("Soubor"), 260}});
    BindTitleSorting(KxDBGridEx, list(), QStringLiteral("ID_SESTAVA"));
    KxDBGridEx->OnDblClick = [this](TKxDBGrid *) {
        if (Button_Editovat->isEnabled())
            Button_EditovatClick();
    };
    auto *layout = new QVBoxLayout(Bevel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(KxDBGridEx);

    Button_EditovatSestavu = new QPushButton(QStringLiteral("Upravit sestavu..."), GroupBox);
    Button_EditovatSestavu->setObjectName(QStringLiteral("Button_EditovatSestavu"));
    if (auto *box = qobject_cast<QBoxLayout *>(GroupBox->layout()))
        box->insertWidget(box->indexOf(Button_Odebrat) + 1, Button_EditovatSestavu);
    else
        GroupBox->layout()->addWidget(Button_EditovatSestavu);
    setTabOrder(Button_Odebrat, Button_EditovatSestavu);
    setTabOrder(Button_EditovatSestavu, Button_Zavrit);

    connect(DataSource, &Db::DataSource::dataChange, this, [this] { DataSourceDataChange(); });
    connect(DataSource, &Db::DataSource::activeChange, this, [this] { DataSourceDataChange(); });
    connect(Button_Editovat, &QPushButton::clicked, this, [this] { Button_EditovatClick(); });
    connect(Button_EditovatSestavu, &QPushButton::clicked, this, [this] { Button_EditovatSestavuClick(); });
}

void TForm_Sestavy::DataSourceDataChange()
{
    // Entries are neither added nor removed here; an empty list has nothing to edit.
    AddEnabled = RemoveEnabled = false;
    EditEnabled = hasRows();
    Button_EditovatSestavu->setEnabled(EditEnabled);
    TForm_DialogEdit::DataSourceDataChange();
}

void TForm_Sestavy::Button_EditovatClick()
{
    if (!DM->HasRight(44)) {
        ShowInformation(QStringLiteral("Funkce editace sestavy není dostupná..."), kNoRight);
        return;
    }
    const int id = currentId();
    if (id == 0)
        return;
    TForm_SestavaEditace dialog(this);
    if (dialog.exec() != mrOk)
        return;
    if (!DM->EditReportDefinition(id, dialog.Edit_Sestava->text().trimmed(), dialog.Edit_Soubor->text().trimmed()))
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Editace sestavy neproběhla..."),
                    DM->LastErrorText());
}

void TForm_Sestavy::Button_EditovatSestavuClick()
{
    if (!DM->HasRight(45)) {
        ShowInformation(QStringLiteral("Funkce úpravy sestavy není dostupná..."), kNoRight);
        return;
    }
    if (!hasRows())
        return;
    // A file found nowhere opens the designer on an empty report; saving
    // happens inside the designer.
    TForm_Nahled preview(m_doklad, m_dokladDetail, m_polozka, this);
    preview.LoadReport(current("SOUBOR"));
    preview.DesignReport();
}

void TForm_Sestavy::SetDataSources(Db::DataSource *doklad, Db::DataSource *dokladDetail, Db::DataSource *polozka)
{
    m_doklad = doklad;
    m_dokladDetail = dokladDetail;
    m_polozka = polozka;
}

// ---------------------------------------------------------------- one entry

TForm_Sestava::TForm_Sestava(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Sestava"));
    Edit_Sestava = lineEdit(Bevel, "Edit_Sestava", 32);
    Edit_Soubor = lineEdit(Bevel, "Edit_Soubor", 256);
    Edit_Soubor->setMinimumWidth(320);
    Button_Prochazet = new QPushButton(QStringLiteral("Procházet..."), Bevel);
    Button_Prochazet->setObjectName(QStringLiteral("Button_Prochazet"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(Edit_Soubor, 1);
    fileRow->addWidget(Button_Prochazet);
    auto *form = new QFormLayout(Bevel);
    form->setContentsMargins(10, 10, 10, 10);
    form->addRow(buddy(QStringLiteral("Ses&tava:"), Edit_Sestava), Edit_Sestava);
    form->addRow(buddy(QStringLiteral("&Soubor:"), Edit_Soubor), fileRow);
    BindChange(Edit_Sestava, [this](QObject *s) { Edit_SestavaChange(s); });
    BindChange(Edit_Soubor, [this](QObject *s) { Edit_SouborChange(s); });
    connect(Button_Prochazet, &QPushButton::clicked, this, [this] { Button_ProchazetClick(); });
    setTabOrder(Edit_Sestava, Edit_Soubor);
    setTabOrder(Edit_Soubor, Button_Prochazet);
    FocusClientFirst(this, {Button_Ok, Button_Storno});
    Button_Ok->setEnabled(false);
}

void TForm_Sestava::Edit_SestavaChange(QObject *)
{
    const QString name = Edit_Sestava->text().trimmed();
    QString reason;
    if (name.isEmpty())
        reason = QStringLiteral("Nezadaný název tiskové sestavy...");
    else if (DM->ReportNameExistsOther(ownId, name))
        reason = QStringLiteral("Existující sestava...");
    MarkInvalid(Edit_Sestava, reason);
    ControlsValide();
}

void TForm_Sestava::Edit_SouborChange(QObject *)
{
    const QString file = Edit_Soubor->text().trimmed();
    QString reason;
    if (file.isEmpty())
        reason = QStringLiteral("Nezadaný soubor tiskové sestavy...");
    else if (ReportFilePath(file).isEmpty())
        reason = QStringLiteral("Soubor tiskové sestavy neexistuje...");
    MarkInvalid(Edit_Soubor, reason);
    ControlsValide();
}

void TForm_Sestava::Button_ProchazetClick()
{
    QFileDialog OpenDialog(this, QStringLiteral("Procházet"), Paths::reportsFolder(),
                           QStringLiteral("Tisková sestava (*.vlf)"));
    OpenDialog.setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog.setFileMode(QFileDialog::ExistingFile);
    OpenDialog.setDefaultSuffix(QStringLiteral("vlf"));
    OpenDialog.setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog.selectFile(Edit_Soubor->text().trimmed());
    if (OpenDialog.exec() == QDialog::Accepted && !OpenDialog.selectedFiles().isEmpty())
        Edit_Soubor->setText(OpenDialog.selectedFiles().first());
}

TForm_SestavaEditace::TForm_SestavaEditace(QWidget *parent)
    : TForm_Sestava(parent)
{
    setObjectName(QStringLiteral("Form_SestavaEditace"));
    setWindowTitle(QStringLiteral(" Editace sestavy"));
    ownId = currentId();
    Edit_Sestava->setText(current("SESTAVA"));
    Edit_Soubor->setText(current("SOUBOR"));
}

void TForm_SestavaEditace::showEvent(QShowEvent *event)
{
    TForm_Sestava::showEvent(event);
    Button_Ok->setEnabled(false);
}
