#include "app/start/prihlaseni.h"

#include "app/common/formcontrols.h"
#include "app/settings/settingsstorage.h"
#include "app/start/startuplog.h"
#include "data/dm.h"
#include "kit/formstorage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Prihlaseni *Form_Prihlaseni = nullptr;

namespace {

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TForm_Prihlaseni::TForm_Prihlaseni(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Prihlaseni"));
    setWindowTitle(QStringLiteral(" Přihlášení"));

    GroupBox = new QGroupBox(QStringLiteral("Přihlášení uživatele"), Bevel);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    Edit_Uzivatel = new QLineEdit(GroupBox);
    Edit_Uzivatel->setObjectName(QStringLiteral("Edit_Uzivatel"));
    Edit_Uzivatel->setMaxLength(128);
    SetHint(Edit_Uzivatel, QStringLiteral("Nezadané uživatelské jméno..."));
    Edit_Heslo = new QLineEdit(GroupBox);
    Edit_Heslo->setObjectName(QStringLiteral("Edit_Heslo"));
    Edit_Heslo->setMaxLength(128);
    Edit_Heslo->setEchoMode(QLineEdit::Password);
    ComboBox_Server = new TTextComboBox(GroupBox);
    ComboBox_Server->setObjectName(QStringLiteral("ComboBox_Server"));
    ComboBox_Server->setEditable(true);
    ComboBox_Server->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_Server->lineEdit()->setMaxLength(128);
    ComboBox_Server->setMinimumWidth(240);
    SetHint(ComboBox_Server, QStringLiteral("Nezadaný SQL server..."));
    // Until the user has logged in once, the server the program was started
    // for (or the local one) is offered.
    const QString server = qEnvironmentVariable("TARMIL5_SERVER");
    ComboBox_Server->setEditText(server.isEmpty() ? QStringLiteral("localhost") : server);

    auto *fields = new QFormLayout(GroupBox);
    fields->addRow(buddyLabel(QStringLiteral("&Uživatel:"), Edit_Uzivatel, GroupBox), Edit_Uzivatel);
    fields->addRow(buddyLabel(QStringLiteral("&Heslo:"), Edit_Heslo, GroupBox), Edit_Heslo);
    fields->addRow(buddyLabel(QStringLiteral("SQL &Server:"), ComboBox_Server, GroupBox), ComboBox_Server);

    CheckBox_Server = new QCheckBox(QStringLiteral("&Načíst seznam instancí SQL serverů"), Bevel);
    CheckBox_Server->setObjectName(QStringLiteral("CheckBox_Server"));

    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(GroupBox);
    layout->addWidget(CheckBox_Server);

    FormStorage = NewSettingsStorage(this, QStringLiteral("Prihlaseni"),
                                     {QStringLiteral("Edit_Uzivatel.Text"), QStringLiteral("ComboBox_Server.Text"),
                                      QStringLiteral("CheckBox_Server.Checked")});
    // Restored and saved by the start-up only.
    FormStorage->SetActive(false);

    ListServers = [](QStringList &list) { return DM && DM->MSSQLADOConnection->ListSQLServers(list); };

    BindChange(Edit_Uzivatel, [this](QObject *s) { Edit_UzivatelChange(s); });
    BindChange(Edit_Heslo, [this](QObject *s) { Edit_HesloChange(s); });
    BindChange(ComboBox_Server, [this](QObject *s) { ComboBox_ServerChange(s); });
    // Also when the storage restores the box as checked: the list is there
    // before the dialog is shown.
    connect(CheckBox_Server, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked)
            CheckBox_ServerClick();
    });
    setTabOrder(Edit_Uzivatel, Edit_Heslo);
    setTabOrder(Edit_Heslo, ComboBox_Server);
    setTabOrder(ComboBox_Server, CheckBox_Server);
    setTabOrder(CheckBox_Server, Button_Ok);
    setTabOrder(Button_Ok, Button_Storno);
}

void TForm_Prihlaseni::showEvent(QShowEvent *event)
{
    TForm_Dialog::showEvent(event);
    FormActivate();
}

// Every return to the dialog asks for the password again.
void TForm_Prihlaseni::FormActivate()
{
    if (!Edit_Uzivatel->text().trimmed().isEmpty())
        Edit_Heslo->setFocus();
    else
        Edit_Uzivatel->setFocus();
    Edit_Heslo->clear();
    ControlsChange();
}

void TForm_Prihlaseni::Edit_UzivatelChange(QObject *)
{
    SetShowHint(Edit_Uzivatel, Edit_Uzivatel->text().trimmed().isEmpty());
    ControlsValide();
}

void TForm_Prihlaseni::ComboBox_ServerChange(QObject *)
{
    SetShowHint(ComboBox_Server, ComboBox_Server->currentText().trimmed().isEmpty());
    ControlsValide();
}

void TForm_Prihlaseni::Edit_HesloChange(QObject *)
{
    ControlsValide();
}

void TForm_Prihlaseni::CheckBox_ServerClick()
{
    InitializationLog(QStringLiteral("Načítání seznamu instancí SQL serverů..."));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString text = ComboBox_Server->currentText();
    QStringList list;
    const bool ok = ListServers && ListServers(list);
    ComboBox_Server->clear();
    ComboBox_Server->addItems(list);
    ComboBox_Server->setEditText(text);
    if (ok)
        InitializationLogOk();
    else
        InitializationLogError();
    QGuiApplication::restoreOverrideCursor();
    if (isVisible())
        ComboBox_Server->setFocus();
}
