#include "app/start/loginloop.h"

#include "app/settings/databaze.h"
#include "app/start/appglobals.h"
#include "app/start/prihlaseni.h"
#include "app/start/startuplog.h"
#include "data/dm.h"
#include "kit/formstorage.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>

LoginLoop::LoginLoop(TForm_Prihlaseni *dialog, const QStringList &arguments)
    : dialog(dialog)
    , arguments(arguments)
{
    showDialog = [](TForm_Prihlaseni *form) { return form->exec() == QDialog::Accepted; };
    chooseRestoreFile = [](const QString &folder) {
        if (!Form_Inicializace)
            return QString();
        QFileDialog *open = Form_Inicializace->OpenDialog;
        open->setDirectory(folder);
        if (open->exec() != QDialog::Accepted || open->selectedFiles().isEmpty())
            return QString();
        return open->selectedFiles().constFirst();
    };
}

// Only the arguments count, never the program's own path: a folder named
// "/CREATE" must not recreate the database. Still case-sensitive.
bool LoginLoop::hasSwitch(const QString &name) const
{
    return arguments.contains(name, Qt::CaseSensitive);
}

bool LoginLoop::run()
{
    for (;;) {
        if (!showDialog(dialog))
            return false;
        if (runPass() == Pass::Succeeded)
            return true;
    }
}

LoginLoop::Pass LoginLoop::fail(const QString &heading, const QString &detail)
{
    const QString error = DM->LastErrorText();
    InitializationLog(QStringLiteral("Error: ") + error);
    ShowWarning(heading, detail, error);
    return Pass::Failed;
}

LoginLoop::Pass LoginLoop::runPass()
{
    LoginUzivatel = dialog->Edit_Uzivatel->text();
    LoginHeslo = dialog->Edit_Heslo->text();
    LoginServer = dialog->ComboBox_Server->currentText();
    const QString database = TDM::DatabaseName();

    InitializationLog(QStringLiteral("Přihlašování k serveru: [%1] uživatel: [%2]...").arg(LoginServer, LoginUzivatel));
    if (!DM->ConnectServer(LoginServer, LoginUzivatel, LoginHeslo))
        return fail(QStringLiteral("Chyba přihlašování k SQL serveru..."),
                    QStringLiteral("SQL server není dostupný, uživatel neexistuje, špatně zadané heslo..."));
    InitializationLogOk();

    InitializationLog(QStringLiteral("Start nastavení databáze..."));
    // The latest pass's form is the one the program keeps.
    delete Form_Databaze;
    Form_Databaze = new TForm_Databaze;
    Form_Databaze->FormStorage->FormPlacementRestore();
    InitializationLogOk();

    Pass result = Pass::Succeeded;
    if (!restore(result) || !createDatabase(result))
        return result;

    InitializationLog(QStringLiteral("Připojování k databázi: [%1]...").arg(database));
    if (!DM->SelectDatabase(database))
        return fail(QStringLiteral("Chyba při připojování k databázi..."), QStringLiteral("Databáze není dostupná..."));
    InitializationLogOk();

    maintain(
        QStringLiteral("/REINDEX"), Form_Databaze->CheckBox_Reindexace->isChecked(),
        QStringLiteral("Reindexace databáze..."), [] { return DM->ReindexAllTables(); },
        QStringLiteral("Chyba při reindexaci databáze..."), QStringLiteral("Reindexace databáze nebyla provedena..."));
    maintain(
        QStringLiteral("/TRANSLOG"), Form_Databaze->CheckBox_Transakcni_Log->isChecked(),
        QStringLiteral("Zkrácení transakčního logu..."), [] { return DM->TruncateTransactionLog(); },
        QStringLiteral("Chyba při zkracování transakčního logu..."),
        QStringLiteral("Zkrácení transakčního logu nebylo provedeno..."));
    maintain(
        QStringLiteral("/SHRINK"), Form_Databaze->CheckBox_Zkraceni->isChecked(),
        QStringLiteral("Zkrácení databáze..."), [] { return DM->ShrinkTarmilDatabase(); },
        QStringLiteral("Chyba při zkracování databáze..."), QStringLiteral("Zkrácení databáze nebylo provedeno..."));

    InitializationLog(QStringLiteral("Otevírání databáze: [%1]...").arg(database));
    if (!DM->OpenAllQueries())
        return fail(QStringLiteral("Chyba při otevírání databáze..."), QStringLiteral("Databáze nebyla otevřena..."));
    InitializationLogOk();
    return Pass::Succeeded;
}

// False when the pass ends (result says how).
bool LoginLoop::restore(Pass &result)
{
    if (!hasSwitch(QStringLiteral("/RESTORE")))
        return true;
    InitializationLog(QStringLiteral("Obnova databáze: [%1]...").arg(TDM::DatabaseName()));
    const QString file = chooseRestoreFile(PathZaloha);
    if (file.isEmpty() ||
        !ShowQuestion(QStringLiteral("Opravdu chcete obnovit databázi ?"),
                      QStringLiteral("Původní databáze bude přepsána databází ze zálohy..."), false)) {
        InitializationLog(QStringLiteral("Zrušeno"));
        return true;
    }
    InitializationLogOk();
    InitializationLog(QStringLiteral("Obnovování databáze ze zálohy: [%1]...").arg(file));
    if (!DM->RestoreFromFile(file)) {
        result =
            fail(QStringLiteral("Chyba při obnovování databáze..."), QStringLiteral("Databáze nebyla obnovena..."));
        return false;
    }
    InitializationLogOk();
    return true;
}

// A database whose existence could not be told is never created over: the
// creation would drop it.
bool LoginLoop::createDatabase(Pass &result)
{
    const TDatabasePresence presence = DM->DatabasePresence();
    if (presence == TDatabasePresence::Unknown) {
        result =
            fail(QStringLiteral("Chyba při připojování k databázi..."), QStringLiteral("Databáze není dostupná..."));
        return false;
    }
    if (!hasSwitch(QStringLiteral("/CREATE")) && presence == TDatabasePresence::Exists)
        return true;
    if (presence == TDatabasePresence::Exists &&
        !ShowQuestion(QStringLiteral("Opravdu chcete vytvořit novou databázi ?"),
                      QStringLiteral("Existuje-li původní databáze, bude přepsána novou databází a všechna data budou "
                                     "vymazána..."),
                      false))
        return true;
    InitializationLog(QStringLiteral("Vytváření databáze: [%1]...").arg(TDM::DatabaseName()));
    if (!DM->CreateDatabase()) {
        result =
            fail(QStringLiteral("Chyba při vytváření databáze..."), QStringLiteral("Databáze nebyla vytvořena..."));
        return false;
    }
    InitializationLogOk();
    return true;
}

void LoginLoop::maintain(const QString &name, bool checked, const QString &logLine,
                         const std::function<bool()> &operation, const QString &heading, const QString &detail)
{
    if (!hasSwitch(name) && !checked)
        return;
    InitializationLog(logLine);
    if (operation()) {
        // Work left because it would wait on another till is no error, but
        // not done either: the log says why, the cashier is not stopped.
        const QString left = DM->MSSQLADOConnection->maintenanceLeft();
        if (left.isEmpty())
            InitializationLogOk();
        else
            InitializationLog(QStringLiteral("Neprovedeno: ") + left);
        return;
    }
    // Maintenance fails softly: the warning, then the next step.
    fail(heading, detail);
}
