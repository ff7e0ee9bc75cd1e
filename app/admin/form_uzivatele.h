#pragma once
// The users screen: the program's users (the server's logins), the rights
// of the selected user ticked in their own list, adding and removing users,
// changing a password, and the window of who is connected right now.
#include "app/common/dialogbase.h"
#include "app/common/dialogedit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TKxDBGrid;
class TKxDBGridEx;
namespace Db {
class DataSource;
}

// "Nezadané heslo..." for a password of blanks only, "Hesla nejsou
// identická..." when the two differ in any character (blanks too); empty
// when the password is acceptable.
QString PasswordReason(const QString &password, const QString &other);

class TForm_Uzivatele : public TForm_DialogEdit
{
    Q_OBJECT
public:
    explicit TForm_Uzivatele(QWidget *parent = nullptr);
    ~TForm_Uzivatele() override;

    TKxDBGridEx *KxDBGridEx_Uzivatel;
    TKxDBGridEx *KxDBGridEx_Opravneni;
    Db::DataSource *DataSource_Uzivatel;
    Db::DataSource *DataSource_Opravneni;
    QPushButton *Button_Prihlaseni;

    void DataSourceDataChange() override;
    void Button_PridatClick();
    void Button_EditovatClick();
    void Button_OdebratClick();
    void Button_PrihlaseniClick();
    // Places the list on the logged-in user; the rights follow the list.
    void Position();
    // The same before the window shows, for its opener: throws the server's
    // refusal of either list.
    void OpenLists();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void followUser();
    void openRightsOf(qint64 id);
    qint64 rightsOwner = -1;
    bool openingLists = false; // the opener opens the rights itself
};

// Why the users screen cannot be opened or shown: the server refused a list.
void ShowUsersUnavailable(const QString &reason);

class TForm_Uzivatel : public TForm_Dialog
{
    Q_OBJECT
public:
    QLineEdit *Edit_Uzivatel;
    QLineEdit *Edit_Heslo;
    QLineEdit *Edit_Heslo_Potvrzeni;

    void Edit_UzivatelChange(QObject *Sender);
    void Edit_HesloChange(QObject *Sender);

protected:
    explicit TForm_Uzivatel(QWidget *parent);
    virtual bool nameTaken(const QString &) { return false; }
    QLineEdit *passwordEdit(const char *name);
    void addRow(const QString &caption, QWidget *control);
};

class TForm_UzivatelNovy : public TForm_Uzivatel
{
    Q_OBJECT
public:
    explicit TForm_UzivatelNovy(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override;
    void showEvent(QShowEvent *event) override;
};

class TForm_UzivatelEditace : public TForm_Uzivatel
{
    Q_OBJECT
public:
    explicit TForm_UzivatelEditace(QWidget *parent = nullptr);
    QLineEdit *Edit_Heslo_Puvodni;

protected:
    void showEvent(QShowEvent *event) override;
};

class TForm_PrihlaseniUzivatele : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_PrihlaseniUzivatele(QWidget *parent = nullptr);

    TKxDBGrid *KxDBGrid;
    Db::DataSource *DataSource;
    QLabel *Label_Pozn;
    QPushButton *Button_Zavrit;
};
