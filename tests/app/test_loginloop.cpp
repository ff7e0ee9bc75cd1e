#include "app/settings/databaze.h"
#include "app/start/appglobals.h"
#include "app/start/loginloop.h"
#include "app/start/prihlaseni.h"
#include "app/start/startup.h"
#include "app/start/startuplog.h"
#include "common/scripted_messages.h"
#include "data/dm.h"
#include "modal_helper.h"
#include "platform/inifile.h"
#include "platform/paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QQueue>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <optional>

namespace {

void runOnServer(const QString &statement)
{
    const char *keys[] = {"dbname", nullptr};
    const char *values[] = {"postgres", nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    PQclear(PQexec(conn, statement.toUtf8().constData()));
    PQfinish(conn);
}

QString testServer()
{
    return qEnvironmentVariable("TARMIL5_TEST_SERVER");
}

QString testUser()
{
    return qEnvironmentVariable("PGUSER");
}

// Each test has its own program folder and database name; the database is
// made (or not) by the login loop itself.
class LoginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("TARMIL5_HOME", home.path().toUtf8());
        database = QStringLiteral("t5login_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->bounded(100000000));
        qputenv("TARMIL5_DATABASE", database.toUtf8());
        SetAppGlobals();
    }
    void TearDown() override
    {
        delete Form_Databaze;
        Form_Databaze = nullptr;
        delete Form_Prihlaseni;
        Form_Prihlaseni = nullptr;
        delete DM;
        InitializationFree();
        runOnServer(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(database));
        runOnServer(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(database));
        for (const QString &role :
             {database + QStringLiteral("_prodavac"), database + QStringLiteral("_slepy"), database})
            runOnServer(QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(role));
        qunsetenv("TARMIL5_DATABASE");
        qunsetenv("TARMIL5_HOME");
    }

    // One run of the loop as the start-up makes it; each entry of passwords
    // is one showing of the dialog, nullopt cancels it.
    bool login(QList<std::optional<QString>> passwords, const QStringList &arguments = {},
               const QString &user = testUser())
    {
        InitializationCreate();
        if (!DM)
            new TDM;
        if (!Form_Prihlaseni)
            Form_Prihlaseni = new TForm_Prihlaseni;
        LoginLoop loop(Form_Prihlaseni, arguments);
        loop.showDialog = [&passwords, user, this](TForm_Prihlaseni *dialog) {
            ++dialogShown;
            if (passwords.isEmpty() || !passwords.first())
                return false;
            dialog->Edit_Uzivatel->setText(user);
            dialog->ComboBox_Server->setEditText(testServer());
            dialog->Edit_Heslo->setText(*passwords.takeFirst());
            return true;
        };
        loop.chooseRestoreFile = [this](const QString &folder) {
            restoreFolder = folder;
            return QString();
        };
        const bool result = loop.run();
        memo = Form_Inicializace->Memo->toPlainText().split(QLatin1Char('\n'));
        InitializationFree();
        return result;
    }

    QStringList passSteps(bool create) const
    {
        QStringList lines{
            QStringLiteral("Přihlašování k serveru: [%1] uživatel: [%2]...").arg(testServer(), testUser()),
            QStringLiteral("Ok"), QStringLiteral("Start nastavení databáze..."), QStringLiteral("Ok")};
        if (create)
            lines << QStringLiteral("Vytváření databáze: [%1]...").arg(database) << QStringLiteral("Ok");
        return lines;
    }
    QStringList openSteps() const
    {
        return {QStringLiteral("Připojování k databázi: [%1]...").arg(database),
                QStringLiteral("Ok"),
                QStringLiteral("Reindexace databáze..."),
                QStringLiteral("Ok"),
                QStringLiteral("Zkrácení transakčního logu..."),
                QStringLiteral("Ok"),
                QStringLiteral("Zkrácení databáze..."),
                QStringLiteral("Ok"),
                QStringLiteral("Otevírání databáze: [%1]...").arg(database),
                QStringLiteral("Ok")};
    }

    static QString password() { return qEnvironmentVariable("PGPASSWORD"); }

    QTemporaryDir home;
    ScriptedMessages messages;
    QString database;
    QStringList memo;
    QString restoreFolder;
    int dialogShown = 0;
};

} // namespace

// A missing database is created without a question; a wrong password is
// reported with the server's text and the dialog comes back.
TEST_F(LoginTest, WrongPasswordThenSuccessCreatesTheMissingDatabase)
{
    ASSERT_TRUE(login({QStringLiteral("spatne-heslo"), password()}));
    EXPECT_EQ(dialogShown, 2);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).constFirst();
    EXPECT_EQ(warning.heading, QStringLiteral("Chyba přihlašování k SQL serveru..."));
    EXPECT_EQ(warning.detail, QStringLiteral("SQL server není dostupný, uživatel neexistuje, špatně zadané heslo..."));
    EXPECT_FALSE(warning.description.isEmpty());
    EXPECT_EQ(messages.count(MessageCall::Question), 0);

    QStringList expected{QStringLiteral("Přihlašování k serveru: [%1] uživatel: [%2]...").arg(testServer(), testUser()),
                         QStringLiteral("Error: ") + warning.description};
    expected << passSteps(true) << openSteps();
    EXPECT_EQ(memo, expected);
    EXPECT_TRUE(DM->MSSQLADOQuery_Polozka->Active());
    EXPECT_EQ(LoginServer, testServer());
    EXPECT_EQ(LoginHeslo, password());
}

TEST_F(LoginTest, CancelEndsWithoutConnecting)
{
    EXPECT_FALSE(login({std::nullopt}));
    EXPECT_EQ(memo, QStringList({QString()}));
    EXPECT_EQ(Form_Databaze, nullptr);
}

// An existing database is never recreated unasked: "/CREATE" asks, and "Ne"
// goes on to the existing data. A restore cancelled in the file dialog only
// logs "Zrušeno". Switches count only as whole arguments, in capitals.
TEST_F(LoginTest, CreateAnsweredNoAndRestoreCancelledKeepTheData)
{
    ASSERT_TRUE(login({password()}));
    TDMContact contact;
    contact.KONTAKT = QStringLiteral("Zákazník Test");
    ASSERT_TRUE(DM->NewContact(contact)) << qPrintable(DM->LastErrorText());
    const int contacts = DM->ContactCount();

    messages.answer(false);
    ASSERT_TRUE(
        login({password()}, {QStringLiteral("/RESTORE"), QStringLiteral("/CREATE"), QStringLiteral("/shrink")}));
    ASSERT_EQ(messages.count(MessageCall::Question), 1);
    const MessageCall question = messages.callsOf(MessageCall::Question).constFirst();
    EXPECT_EQ(question.heading, QStringLiteral("Opravdu chcete vytvořit novou databázi ?"));
    EXPECT_FALSE(question.flag);
    EXPECT_EQ(restoreFolder, PathZaloha);
    QStringList expected = passSteps(false);
    expected << QStringLiteral("Obnova databáze: [%1]...").arg(database) << QStringLiteral("Zrušeno") << openSteps();
    EXPECT_EQ(memo, expected);
    EXPECT_EQ(DM->ContactCount(), contacts);

    // The program's path may hold a switch's text: only arguments count.
    ASSERT_TRUE(login({password()}, {QStringLiteral("/home/CREATE"), QStringLiteral("--x=/CREATE")}));
    EXPECT_EQ(messages.count(MessageCall::Question), 1);
    EXPECT_EQ(DM->ContactCount(), contacts);
}

// A maintenance step that fails warns with the server's text and the start
// goes on to open the database. A user who does not own the database, with
// an index to rebuild and a table to vacuum, is refused the rebuild and the
// checkpoint, and the server skips the table it may not vacuum: each step
// says so, none says "Ok". The owner's next start does the work. Earlier
// passes' maintenance forms are freed.
TEST_F(LoginTest, FailingMaintenanceStillOpensTheDatabase)
{
    ASSERT_TRUE(login({password()}));
    const QString clerk = database + QStringLiteral("_prodavac");
    ASSERT_TRUE(DM->NewUser(clerk, QStringLiteral("Heslo-123"))) << qPrintable(DM->LastErrorText());
    Db::Connection &owner = DM->MSSQLADOConnection->Connection();
    for (const char *sql :
         {"CREATE TABLE zatez (id integer PRIMARY KEY, x integer)",
          "INSERT INTO zatez SELECT i, i FROM generate_series(1, 100000) i", "DELETE FROM zatez WHERE id % 10 <> 0",
          "VACUUM zatez", "UPDATE zatez SET x = 0 WHERE id <= 1000", "SELECT pg_stat_force_next_flush()"})
        ASSERT_TRUE(owner.exec(QString::fromLatin1(sql)).succeeded()) << qPrintable(owner.lastErrorText());
    auto indexPages = [&] {
        return DM->MSSQLADOConnection->Connection()
            .exec(QStringLiteral("SELECT pg_relation_size('zatez_pkey') / 8192"))
            .cellText(0, 0)
            .toInt();
    };
    const int bloated = indexPages();

    ASSERT_TRUE(login({QStringLiteral("spatne"), QStringLiteral("Heslo-123")}, {}, clerk));
    const QList<MessageCall> warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 4);
    const QStringList steps{QStringLiteral("Reindexace databáze..."), QStringLiteral("Zkrácení transakčního logu..."),
                            QStringLiteral("Zkrácení databáze...")};
    const QStringList headings{QStringLiteral("Chyba při reindexaci databáze..."),
                               QStringLiteral("Chyba při zkracování transakčního logu..."),
                               QStringLiteral("Chyba při zkracování databáze...")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(warnings[i + 1].heading, headings[i]);
        const qsizetype line = memo.indexOf(steps[i]);
        ASSERT_GE(line, 0);
        EXPECT_EQ(memo.value(line + 1), QStringLiteral("Error: ") + warnings[i + 1].description);
    }
    EXPECT_EQ(warnings[1].detail, QStringLiteral("Reindexace databáze nebyla provedena..."));
    EXPECT_TRUE(warnings[3].description.contains(QStringLiteral("zatez"))) << qPrintable(warnings[3].description);
    EXPECT_EQ(memo.last(), QStringLiteral("Ok"));
    EXPECT_EQ(memo[memo.size() - 2], QStringLiteral("Otevírání databáze: [%1]...").arg(database));
    EXPECT_TRUE(DM->MSSQLADOQuery_Polozka->Active());

    int maintenanceForms = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        maintenanceForms += qobject_cast<TForm_Databaze *>(widget) != nullptr;
    EXPECT_EQ(maintenanceForms, 1);

    messages.calls.clear();
    ASSERT_TRUE(login({password()}));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    EXPECT_LT(indexPages(), bloated / 2);
}

// When the server cannot say whether the database exists, nothing is
// created over it: the pass ends with the server's message and the dialog
// comes back. Here the login's own name lookup is made to fail.
TEST_F(LoginTest, DatabaseWhoseExistenceCannotBeToldIsNotCreated)
{
    const QString blind = database + QStringLiteral("_slepy");
    runOnServer(QStringLiteral("CREATE ROLE \"%1\" LOGIN CREATEDB PASSWORD 'Heslo-123'").arg(blind));
    runOnServer(QStringLiteral("CREATE SCHEMA \"%1\"").arg(database));
    runOnServer(QStringLiteral("CREATE FUNCTION \"%1\".katalog() RETURNS SETOF name LANGUAGE plpgsql AS "
                               "$$BEGIN RAISE EXCEPTION 'katalog nedostupný'; END$$")
                    .arg(database));
    runOnServer(QStringLiteral("CREATE VIEW \"%1\".pg_database AS SELECT \"%1\".katalog() AS datname").arg(database));
    runOnServer(QStringLiteral("GRANT USAGE ON SCHEMA \"%1\" TO PUBLIC; GRANT SELECT ON \"%1\".pg_database TO PUBLIC")
                    .arg(database));
    runOnServer(QStringLiteral("ALTER ROLE \"%1\" SET search_path = \"%2\", pg_catalog").arg(blind, database));

    EXPECT_FALSE(login({QStringLiteral("Heslo-123"), std::nullopt}, {}, blind));
    EXPECT_EQ(dialogShown, 2);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).constFirst();
    EXPECT_EQ(warning.heading, QStringLiteral("Chyba při připojování k databázi..."));
    EXPECT_TRUE(warning.description.contains(QStringLiteral("katalog nedostupný"))) << qPrintable(warning.description);
    EXPECT_FALSE(memo.contains(QStringLiteral("Vytváření databáze: [%1]...").arg(database)));
    EXPECT_EQ(memo.last(), QStringLiteral("Error: ") + warning.description);
}

// While another till maintains, each step is left to it: the log says so
// in place of "Ok", and the cashier gets no warning.
TEST_F(LoginTest, MaintenanceLeftToAnotherTillIsLoggedAsNotDone)
{
    ASSERT_TRUE(login({password()}));
    Db::Connection other;
    ASSERT_TRUE(other.open(testServer(), database, testUser(), password()));
    ASSERT_TRUE(other.exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(TMSSQLADOConnection::MaintainerLockKey))
                    .succeeded());
    ASSERT_TRUE(login({password()}));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    for (const QString &step :
         {QStringLiteral("Reindexace databáze..."), QStringLiteral("Zkrácení transakčního logu..."),
          QStringLiteral("Zkrácení databáze...")}) {
        const qsizetype line = memo.indexOf(step);
        ASSERT_GE(line, 0) << qPrintable(step);
        EXPECT_EQ(memo.value(line + 1), QStringLiteral("Neprovedeno: Údržbu databáze právě provádí jiná pokladna."));
    }
    EXPECT_EQ(memo.last(), QStringLiteral("Ok"));
    other.close();
}

// Maintenance chosen off in the maintenance form is skipped at the next start.
TEST_F(LoginTest, MaintenanceCheckBoxesAreReadAtEachPass)
{
    {
        IniFile ini(Paths::iniFilePath());
        ini.writeString(QStringLiteral("Database"), QStringLiteral("CheckBox_Reindexace_Checked"),
                        QStringLiteral("False"));
        ini.writeString(QStringLiteral("Database"), QStringLiteral("CheckBox_Zkraceni_Checked"),
                        QStringLiteral("False"));
    }
    ASSERT_TRUE(login({password()}, {QStringLiteral("/SHRINK")}));
    EXPECT_FALSE(memo.contains(QStringLiteral("Reindexace databáze...")));
    EXPECT_TRUE(memo.contains(QStringLiteral("Zkrácení transakčního logu...")));
    EXPECT_TRUE(memo.contains(QStringLiteral("Zkrácení databáze...")));
}

// The whole program: the login dialog is answered as a user would; the
// section "Prihlaseni" is written only after a successful login and holds
// the user, the server and the list check box, never the password.
TEST_F(LoginTest, ProgramStoresTheLoginOnlyAfterSuccess)
{
    const auto section = [] {
        IniFile ini(Paths::iniFilePath());
        return ini.keys(QStringLiteral("Prihlaseni"));
    };
    WhenModal([](QDialog *dialog) { dialog->reject(); });
    StartupOptions options;
    EXPECT_EQ(RunTarmil(options), 0);
    EXPECT_TRUE(section().isEmpty());

    WhenModal([this](QDialog *dialog) {
        auto *login = qobject_cast<TForm_Prihlaseni *>(dialog);
        ASSERT_NE(login, nullptr);
        login->Edit_Uzivatel->setText(testUser());
        login->ComboBox_Server->setEditText(testServer());
        login->Edit_Heslo->setText(password());
        login->Button_Ok->click();
    });
    // Once the main window is up, the user closes it.
    std::function<void()> closeMain = [&closeMain] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("Form_Tarmil") && widget->isVisible()) {
                widget->close();
                return;
            }
        QTimer::singleShot(20, qApp, closeMain);
    };
    QTimer::singleShot(20, qApp, closeMain);
    EXPECT_EQ(RunTarmil(options), 0);
    QStringList keys = section();
    keys.removeAll(QStringLiteral("FormVersion"));
    keys.sort(Qt::CaseInsensitive);
    EXPECT_EQ(keys, QStringList({QStringLiteral("CheckBox_Server_Checked"), QStringLiteral("ComboBox_Server_Text"),
                                 QStringLiteral("Edit_Uzivatel_Text")}));
    IniFile ini(Paths::iniFilePath());
    EXPECT_EQ(ini.readString(QStringLiteral("Prihlaseni"), QStringLiteral("Edit_Uzivatel_Text")), testUser());
    EXPECT_FALSE(QString::fromUtf8([] {
                     QFile file(Paths::iniFilePath());
                     file.open(QIODevice::ReadOnly);
                     return file.readAll();
                 }())
                     .contains(password()));
}
