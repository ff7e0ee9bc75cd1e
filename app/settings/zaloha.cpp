#include "app/settings/zaloha.h"

#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "app/settings/settingsstorage.h"
#include "app/start/appglobals.h"
#include "data/dm.h"
#include "kit/folderdialog.h"
#include "kit/formstorage.h"
#include "kit/kxutils.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Zaloha *Form_Zaloha = nullptr;

TForm_Zaloha::TForm_Zaloha(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Zaloha"));
    setWindowTitle(QStringLiteral(" Zálohování"));

    GroupBox_Adresar_Zalohy = new QGroupBox(QStringLiteral("Adresář zálohy"), Bevel);
    GroupBox_Adresar_Zalohy->setObjectName(QStringLiteral("GroupBox_Adresar_Zalohy"));
    CheckBox_Zaloha = new QCheckBox(QStringLiteral("Zálohovat při &ukončení programu"), GroupBox_Adresar_Zalohy);
    CheckBox_Zaloha->setObjectName(QStringLiteral("CheckBox_Zaloha"));
    Edit_Zaloha = new QLineEdit(GroupBox_Adresar_Zalohy);
    Edit_Zaloha->setObjectName(QStringLiteral("Edit_Zaloha"));
    Edit_Zaloha->setMinimumWidth(300);
    SetHint(Edit_Zaloha, QStringLiteral("Není zadaná existující cesta adresáře..."));
    Button_Zaloha = new QPushButton(QStringLiteral("&Procházet..."), GroupBox_Adresar_Zalohy);
    Button_Zaloha->setObjectName(QStringLiteral("Button_Zaloha"));
    auto *group = new QGridLayout(GroupBox_Adresar_Zalohy);
    group->addWidget(CheckBox_Zaloha, 0, 0, 1, 2);
    group->addWidget(Edit_Zaloha, 1, 0);
    group->addWidget(Button_Zaloha, 1, 1);

    Button_Zaloha_Nyni = new QPushButton(QStringLiteral("Provést zálohu &nyní..."), Bevel);
    Button_Zaloha_Nyni->setObjectName(QStringLiteral("Button_Zaloha_Nyni"));
    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(GroupBox_Adresar_Zalohy);
    layout->addWidget(Button_Zaloha_Nyni, 0, Qt::AlignLeft);

    FolderDialog = new TFolderDialog(this);
    FolderDialog->setObjectName(QStringLiteral("FolderDialog"));

    FormStorage = NewSettingsStorage(this, QStringLiteral("Zalohovani"),
                                     {QStringLiteral("CheckBox_Zaloha.Checked"), QStringLiteral("Edit_Zaloha.Text")});

    chooseBackupFile = [this](const QString &folder, const QString &proposed) {
        QFileDialog dialog(this, QStringLiteral("Záloha databáze"), folder);
        dialog.setNameFilter(QStringLiteral("Zaloha dabáze (*.bak)"));
        // A name typed without a suffix gets ".bak".
        dialog.setDefaultSuffix(QStringLiteral("bak"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };

    connect(CheckBox_Zaloha, &QCheckBox::toggled, this, [this] { CheckBox_ZalohaClick(); });
    BindChange(Edit_Zaloha, [this](QObject *s) { Edit_ZalohaChange(s); });
    connect(Button_Zaloha, &QPushButton::clicked, this, [this] { Button_ZalohaClick(); });
    connect(Button_Zaloha_Nyni, &QPushButton::clicked, this, [this] { Button_Zaloha_NyniClick(); });
    BindGroupDefaultButton(GroupBox_Adresar_Zalohy);
    FocusClientFirst(this, {Button_Ok, Button_Storno});
}

void TForm_Zaloha::showEvent(QShowEvent *event)
{
    TForm_Dialog::showEvent(event);
    CheckBox_ZalohaClick();
}

void TForm_Zaloha::reject()
{
    FormStorage->FormPlacementRestore();
    TForm_Dialog::reject();
}

void TForm_Zaloha::CheckBox_ZalohaClick()
{
    Edit_Zaloha->setEnabled(CheckBox_Zaloha->isChecked());
    Button_Zaloha->setEnabled(CheckBox_Zaloha->isChecked());
    Edit_ZalohaChange(CheckBox_Zaloha);
}

void TForm_Zaloha::Edit_ZalohaChange(QObject *)
{
    SetShowHint(Edit_Zaloha, CheckBox_Zaloha->isChecked() && !DirectoryExists(Edit_Zaloha->text()));
    ControlsValide();
}

void TForm_Zaloha::Button_ZalohaClick()
{
    FolderDialog->setFolder(Edit_Zaloha->text());
    if (FolderDialog->Execute())
        Edit_Zaloha->setText(FolderDialog->folder());
}

void TForm_Zaloha::Button_Zaloha_NyniClick()
{
    const QString file = chooseBackupFile(PathZaloha, TDM::BackupFileName(LoginServer, TDM::DatabaseName()));
    if (!file.isEmpty())
        BackupDatabaseTo(file);
    // The window closes as cancelled, but keeps what was typed: only
    // "S&torno" puts the stored values back.
    done(mrCancel);
}

bool BackupDatabaseTo(const QString &file)
{
    if (DM && DM->BackupAndVerify(file)) {
        ShowInformation(QStringLiteral("Záloha databáze proběhla v pořádku..."),
                        QStringLiteral("Soubor: %1").arg(QDir::toNativeSeparators(file)));
        return true;
    }
    ShowWarning(QStringLiteral("Záloha databáze neproběhla..."), QStringLiteral("Záloha nebyla uložena..."),
                DM ? DM->LastErrorText() : QString());
    return false;
}
