#pragma once
// The backup window: whether the database is backed up when the program
// ends and into which folder (section "Zalohovani"), and a backup made now.
#include "app/common/dialogbase.h"

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TFolderDialog;
class TFormStorage;

class TForm_Zaloha : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Zaloha(QWidget *parent = nullptr);

    QGroupBox *GroupBox_Adresar_Zalohy;
    QCheckBox *CheckBox_Zaloha;
    QLineEdit *Edit_Zaloha;
    QPushButton *Button_Zaloha;
    QPushButton *Button_Zaloha_Nyni;
    TFolderDialog *FolderDialog;
    TFormStorage *FormStorage;

    // Asks where to save the backup, proposing a file in the given folder;
    // an empty text when cancelled. Tests script it.
    std::function<QString(const QString &folder, const QString &proposed)> chooseBackupFile;

    void CheckBox_ZalohaClick();
    void Edit_ZalohaChange(QObject *Sender);
    void Button_ZalohaClick();
    void Button_Zaloha_NyniClick();

protected:
    void showEvent(QShowEvent *event) override;
    // "S&torno" and the close box put the stored values back.
    void reject() override;
};

extern TForm_Zaloha *Form_Zaloha;

// Backs the database up into the file and verifies the copy, then tells the
// user how it went (the file's name, or the server's error lines). True when
// the backup was made and verified.
bool BackupDatabaseTo(const QString &file);
