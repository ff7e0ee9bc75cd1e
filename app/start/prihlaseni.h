#pragma once
// The login dialog: user, password and server, with the list of servers used
// before. Its storage (section "Prihlaseni") keeps the user name, the server
// and the list check box, never the password; start-up restores it before the
// first pass and saves it only after a successful login.
#include "app/common/dialogbase.h"

#include <QComboBox>
#include <QStringList>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class TFormStorage;

// A combo box whose text the form storage keeps under "Text".
class TTextComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ currentText WRITE setEditText NOTIFY TextChanged USER true)
public:
    explicit TTextComboBox(QWidget *parent = nullptr)
        : QComboBox(parent)
    {
        connect(this, &QComboBox::currentTextChanged, this, &TTextComboBox::TextChanged);
    }
signals:
    void TextChanged(const QString &text);
};

class TForm_Prihlaseni : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Prihlaseni(QWidget *parent = nullptr);

    QGroupBox *GroupBox;
    QLineEdit *Edit_Uzivatel;
    QLineEdit *Edit_Heslo;
    TTextComboBox *ComboBox_Server;
    QCheckBox *CheckBox_Server;
    TFormStorage *FormStorage;

    // Where the server list comes from: the data module's connection unless
    // a test sets its own. Returns false when the list could not be made.
    std::function<bool(QStringList &)> ListServers;

    void FormActivate();
    void Edit_UzivatelChange(QObject *Sender);
    void ComboBox_ServerChange(QObject *Sender);
    void Edit_HesloChange(QObject *Sender);
    void CheckBox_ServerClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TForm_Prihlaseni *Form_Prihlaseni;
