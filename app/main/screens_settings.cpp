// Screens of settings and maintenance opened by the main window, and the
// settings' values the window reads. See actions_common.cpp for how a screen
// is wired in.
#include "app/main/tarmilform.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingSettingsScreens() const
{
    return {Action_Obchod, Action_Zaloha, Action_Databaze, Action_OProgramu};
}

void TForm_Tarmil::Action_ObchodExecute()
{
    if (!CheckRight(43, QStringLiteral("Funkce nastavení výchozích hodnot Tarmil není dostupná...")))
        return;
    // the settings screen (Form_Nastaveni) opens here
}

void TForm_Tarmil::Action_ZalohaExecute()
{
    if (!CheckRight(70, QStringLiteral("Funkce zálohování databáze není dostupná...")))
        return;
    // the backup screen (Form_Zaloha) opens here
}

void TForm_Tarmil::Action_DatabazeExecute()
{
    if (!CheckRight(71, QStringLiteral("Funkce údržba databáze není dostupná...")))
        return;
    // the maintenance screen (Form_Databaze) opens here
}

void TForm_Tarmil::Action_OProgramuExecute()
{
    // the about screen opens here
}

bool TForm_Tarmil::BackupOnExit(QString &) const
{
    return false; // the backup screen's "Zálohovat při ukončení programu" and folder are read here
}

TFlagSettings TForm_Tarmil::FlagSettings() const
{
    return TFlagSettings(); // the settings screen's flag check boxes and colour are read here
}

bool TForm_Tarmil::PreviewBeforePrint() const
{
    return false; // the settings screen's preview check box is read here
}

void TForm_Tarmil::WriteLogLine(const QString &)
{
    // the start-up log's line is written here
}

QString TForm_Tarmil::ApplicationTitle() const
{
    return QStringLiteral("Tarmil 5.0"); // the program's full title is read here
}
