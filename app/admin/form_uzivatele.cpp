#include "app/admin/form_uzivatele.h"

#include "app/admin/admingrid.h"
#include "app/admin/sessionnote.h"
#include "app/common/formcontrols.h"
#include "app/common/gridsorting.h"
#include "app/common/modalresult.h"
#include "data/dm.h"
#include "kit/dbgridex.h"
#include "platform/db/datasource.h"
#include "platform/db/servererror.h"
#include "platform/messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

TMSSQLADOQuery *users()
{
    return DM->MSSQLADOQuery_Uzivatel;
}

bool hasUser()
{
    return users()->Active() && !users()->IsEmpty();
}

QString currentLogin()
{
    return hasUser() ? users()->FieldByName(QStringLiteral("LOGIN")).AsString() : QString();
}

qint64 currentUserId()
{
    return hasUser() ? users()->FieldByName(QStringLiteral("ID_UZIVATEL")).AsInteger() : 0;
}

void failed(const QString &what)
{
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), what, DM->LastErrorText());
}

} // namespace

QString PasswordReason(const QString &password, const QString &other)
{
    if (password.trimmed().isEmpty())
        return QStringLiteral("Nezadané heslo...");
    if (password != other)
        return QStringLiteral("Hesla nejsou identická...");
    return {};
}

// ---------------------------------------------------------------- the list

TForm_Uzivatele::TForm_Uzivatele(QWidget *parent)
    : TForm_DialogEdit(parent)
{
    setObjectName(QStringLiteral("Form_Uzivatele"));
    setWindowTitle(QStringLiteral(" Uživatelé"));
    DataSource_Uzivatel = new Db::DataSource(this);
    DataSource_Uzivatel->setObjectName(QStringLiteral("DataSource_Uzivatel"));
    DataSource_Uzivatel->SetDataSet(users());
    DataSource_Opravneni = new Db::DataSource(this);
    DataSource_Opravneni->setObjectName(QStringLiteral("DataSource_Opravneni"));
    DataSource_Opravneni->SetDataSet(DM->MSSQLADOQuery_Opravneni);

    auto *group = new QGroupBox(QStringLiteral("Uživatelé a jejich práva"), Bevel);
    group->setObjectName(QStringLiteral("GroupBox_Uzivatele"));
    KxDBGridEx_Uzivatel = new TKxDBGridEx(group);
    SetUpListGrid(KxDBGridEx_Uzivatel, "KxDBGridEx_Uzivatel", DataSource_Uzivatel,
                  {{"LOGIN", QStringLiteral("Uživatel"), 130}, {"SKUPINA", QStringLiteral("Skupina"), 150}});
    BindTitleSorting(KxDBGridEx_Uzivatel, users(), QStringLiteral("ID_UZIVATEL"));
    KxDBGridEx_Opravneni = new TKxDBGridEx(group);
    SetUpListGrid(KxDBGridEx_Opravneni, "KxDBGridEx_Opravneni", DataSource_Opravneni,
                  {{"ID_OPRAVNENI", QStringLiteral("Číslo"), 50},
                   {"POPIS", QStringLiteral("Popis"), 300},
                   {"STATE_OPRAVNENI", QStringLiteral("Oprávnění"), 70}});
    BindTitleSorting(KxDBGridEx_Opravneni, DM->MSSQLADOQuery_Opravneni, QStringLiteral("ID_OPRAVNENI"));
    // The server decides whether this login may change rights.
    KxDBGridEx_Opravneni->OnClickCheckBox = [](TKxDBGridEx *, Db::Field *, bool &Modify) { Modify = true; };
    auto *grids = new QHBoxLayout(group);
    grids->addWidget(KxDBGridEx_Uzivatel, 1);
    grids->addWidget(KxDBGridEx_Opravneni, 2);
    auto *layout = new QVBoxLayout(Bevel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(group);

    Button_Prihlaseni = new QPushButton(QStringLiteral("Přihlášení..."), GroupBox);
    Button_Prihlaseni->setObjectName(QStringLiteral("Button_Prihlaseni"));
    if (auto *box = qobject_cast<QBoxLayout *>(GroupBox->layout()))
        box->insertWidget(box->indexOf(Button_Odebrat) + 1, Button_Prihlaseni);
    setTabOrder(Button_Odebrat, Button_Prihlaseni);
    setTabOrder(Button_Prihlaseni, Button_Zavrit);

    connect(DataSource_Uzivatel, &Db::DataSource::dataChange, this, [this] {
        followUser();
        DataSourceDataChange();
    });
    connect(DataSource_Uzivatel, &Db::DataSource::activeChange, this, [this] {
        followUser();
        DataSourceDataChange();
    });
    connect(Button_Pridat, &QPushButton::clicked, this, [this] { Button_PridatClick(); });
    connect(Button_Editovat, &QPushButton::clicked, this, [this] { Button_EditovatClick(); });
    connect(Button_Odebrat, &QPushButton::clicked, this, [this] { Button_OdebratClick(); });
    connect(Button_Prihlaseni, &QPushButton::clicked, this, [this] { Button_PrihlaseniClick(); });
}

// The lists outlive the window: a list closing after it must not make the
// rights follow into a window that is going.
TForm_Uzivatele::~TForm_Uzivatele()
{
    DataSource_Uzivatel->disconnect(this);
}

void TForm_Uzivatele::followUser()
{
    const qint64 id = currentUserId();
    if (id == rightsOwner || openingLists)
        return;
    try {
        openRightsOf(id);
    } catch (const Db::DatabaseError &error) {
        rightsOwner = id; // said once, not again at every repaint
        ShowUsersUnavailable(error.text());
    }
}

void TForm_Uzivatele::openRightsOf(qint64 id)
{
    TMSSQLADOQuery *rights = DM->MSSQLADOQuery_Opravneni;
    rights->ParamByName(QStringLiteral("ID_UZIVATEL")).SetAsInteger(id);
    rights->RefreshQuery();
    rightsOwner = id;
}

void TForm_Uzivatele::OpenLists()
{
    {
        const QScopedValueRollback<bool> opening(openingLists, true);
        users()->RefreshQuery();
        if (hasUser())
            users()->LocateText(QStringLiteral("LOGIN"), LoginUzivatel);
    }
    openRightsOf(currentUserId());
}

void ShowUsersUnavailable(const QString &reason)
{
    ShowWarning(QStringLiteral("Funkce správa uživatelů není dostupná..."),
                QStringLiteral("Uživatel nemá oprávnění..."), reason);
}

void TForm_Uzivatele::Position()
{
    if (hasUser())
        users()->LocateText(QStringLiteral("LOGIN"), LoginUzivatel);
    followUser();
    DataSourceDataChange();
}

void TForm_Uzivatele::showEvent(QShowEvent *event)
{
    TForm_DialogEdit::showEvent(event);
    Position();
}

void TForm_Uzivatele::DataSourceDataChange()
{
    AddEnabled = true;
    EditEnabled = RemoveEnabled = DM->UserCount() != 0 && hasUser();
    TForm_DialogEdit::DataSourceDataChange();
}

void TForm_Uzivatele::Button_PridatClick()
{
    TForm_UzivatelNovy dialog(this);
    if (dialog.exec() == mrOk && !DM->NewUser(dialog.Edit_Uzivatel->text().trimmed(), dialog.Edit_Heslo->text()))
        failed(QStringLiteral("Zavedení nového uživatele neproběhlo..."));
}

void TForm_Uzivatele::Button_EditovatClick()
{
    if (!hasUser())
        return;
    const QString login = currentLogin();
    TForm_UzivatelEditace dialog(this);
    if (dialog.exec() == mrOk &&
        !DM->ChangeUserPassword(login, dialog.Edit_Heslo_Puvodni->text(), dialog.Edit_Heslo->text()))
        failed(QStringLiteral("Editace uživatele neproběhla..."));
}

void TForm_Uzivatele::Button_OdebratClick()
{
    if (!hasUser())
        return;
    const QString login = currentLogin();
    if (login == LoginUzivatel) {
        ShowInformation(QStringLiteral("Uživatele nelze odebrat..."),
                        QStringLiteral("Uživatel \"%1\" je právě příhlášený...").arg(login));
        return;
    }
    if (ShowQuestion(QStringLiteral("Opravdu chcete odebrat tohoto uživatele ?"),
                     DM->UserCaption(int(currentUserId()), true), false) &&
        !DM->RemoveUser(login))
        failed(QStringLiteral("Odebrání uživatele neproběhlo..."));
}

void TForm_Uzivatele::Button_PrihlaseniClick()
{
    TMSSQLADOQuery *sessions = DM->MSSQLADOQuery_PrihlaseniUzivatele;
    try {
        sessions->RefreshQuery();
    } catch (const Db::DatabaseError &error) {
        ShowWarning(QStringLiteral("Seznam nelze otevřít..."), QStringLiteral("Přihlášení uživatelé"), error.text());
        return;
    }
    TForm_PrihlaseniUzivatele window(this);
    window.exec();
    sessions->Close();
}

// ---------------------------------------------------------------- one user

TForm_Uzivatel::TForm_Uzivatel(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Uzivatel"));
    Edit_Uzivatel = new QLineEdit(Bevel);
    Edit_Uzivatel->setObjectName(QStringLiteral("Edit_Uzivatel"));
    Edit_Uzivatel->setMaxLength(32);
    Edit_Uzivatel->setMinimumWidth(200);
    Edit_Heslo = passwordEdit("Edit_Heslo");
    Edit_Heslo_Potvrzeni = passwordEdit("Edit_Heslo_Potvrzeni");
    auto *form = new QFormLayout(Bevel);
    form->setContentsMargins(10, 10, 10, 10);
    addRow(QStringLiteral("&Uživatel:"), Edit_Uzivatel);
    addRow(QStringLiteral("&Heslo:"), Edit_Heslo);
    addRow(QStringLiteral("&Potvrzení hesla:"), Edit_Heslo_Potvrzeni);
    BindChange(Edit_Uzivatel, [this](QObject *s) { Edit_UzivatelChange(s); });
    BindChange(Edit_Heslo, [this](QObject *s) { Edit_HesloChange(s); });
    BindChange(Edit_Heslo_Potvrzeni, [this](QObject *s) { Edit_HesloChange(s); });
    Button_Ok->setEnabled(false);
}

QLineEdit *TForm_Uzivatel::passwordEdit(const char *name)
{
    auto *edit = new QLineEdit(Bevel);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(32);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

void TForm_Uzivatel::addRow(const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption, Bevel);
    label->setBuddy(control);
    static_cast<QFormLayout *>(Bevel->layout())->addRow(label, control);
}

void TForm_Uzivatel::Edit_UzivatelChange(QObject *)
{
    const QString name = Edit_Uzivatel->text().trimmed();
    QString reason;
    if (name.isEmpty())
        reason = QStringLiteral("Nezadaný uživatel...");
    else if (nameTaken(name))
        reason = QStringLiteral("Existující uživatel...");
    MarkInvalid(Edit_Uzivatel, reason);
    ControlsValide();
}

void TForm_Uzivatel::Edit_HesloChange(QObject *)
{
    MarkInvalid(Edit_Heslo, PasswordReason(Edit_Heslo->text(), Edit_Heslo_Potvrzeni->text()));
    MarkInvalid(Edit_Heslo_Potvrzeni, PasswordReason(Edit_Heslo_Potvrzeni->text(), Edit_Heslo->text()));
    ControlsValide();
}

TForm_UzivatelNovy::TForm_UzivatelNovy(QWidget *parent)
    : TForm_Uzivatel(parent)
{
    setObjectName(QStringLiteral("Form_UzivatelNovy"));
    setWindowTitle(QStringLiteral(" Nový uživatel"));
    FocusClientFirst(this, {Button_Ok, Button_Storno});
}

bool TForm_UzivatelNovy::nameTaken(const QString &name)
{
    return DM->UserExists(name);
}

void TForm_UzivatelNovy::showEvent(QShowEvent *event)
{
    TForm_Uzivatel::showEvent(event);
    ControlsChange();
}

TForm_UzivatelEditace::TForm_UzivatelEditace(QWidget *parent)
    : TForm_Uzivatel(parent)
{
    setObjectName(QStringLiteral("Form_UzivatelEditace"));
    setWindowTitle(QStringLiteral(" Editace uživatele"));
    Edit_Uzivatel->setText(currentLogin());
    Edit_Uzivatel->setEnabled(false);
    Edit_Heslo_Puvodni = passwordEdit("Edit_Heslo_Puvodni");
    auto *form = static_cast<QFormLayout *>(Bevel->layout());
    auto *label = new QLabel(QStringLiteral("Pů&vodní heslo:"), Bevel);
    label->setBuddy(Edit_Heslo_Puvodni);
    form->insertRow(1, label, Edit_Heslo_Puvodni);
    // Only one's own password needs the old one; the owner sets another's.
    Edit_Heslo_Puvodni->setEnabled(currentLogin() == LoginUzivatel);
    setTabOrder(Edit_Heslo_Puvodni, Edit_Heslo);
    setTabOrder(Edit_Heslo, Edit_Heslo_Potvrzeni);
    FocusClientFirst(this, {Button_Ok, Button_Storno});
}

void TForm_UzivatelEditace::showEvent(QShowEvent *event)
{
    TForm_Uzivatel::showEvent(event);
    Button_Ok->setEnabled(false);
}

// ---------------------------------------------------------------- sessions

TForm_PrihlaseniUzivatele::TForm_PrihlaseniUzivatele(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_PrihlaseniUzivatele"));
    setWindowTitle(QStringLiteral(" Přihlášení uživatelé"));
    DataSource = new Db::DataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    DataSource->SetDataSet(DM->MSSQLADOQuery_PrihlaseniUzivatele);
    KxDBGrid = new TKxDBGrid(this);
    SetUpListGrid(KxDBGrid, "KxDBGrid", DataSource,
                  // The user's login name: the session number told the shop nothing.
                  {{"UZIVATEL", QStringLiteral("Uživatel"), 100},
                   {"PRIHLASEN", QStringLiteral("Čas přihlášení"), 130},
                   {"POSLEDNI_OPERACE", QStringLiteral("Čas poslední operace"), 140},
                   {"OTEVRENE_TRANSAKCE", QStringLiteral("Otevřené transakce"), 135},
                   {"STANICE", QStringLiteral("Stanice"), 110},
                   {"MAC_ADRESA", QStringLiteral("MAC adresa"), 110}});
    BindTitleSorting(KxDBGrid, DM->MSSQLADOQuery_PrihlaseniUzivatele, QStringLiteral("ID"));
    TDMSessionViewers viewers;
    DM->SessionViewers(viewers);
    Label_Pozn = new QLabel(AllSessionsNote(viewers), this);
    Label_Pozn->setObjectName(QStringLiteral("Label_Pozn"));
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label_Pozn, 1);
    bottom->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(KxDBGrid, 1);
    layout->addLayout(bottom);
}
