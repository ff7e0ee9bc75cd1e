// The data module's connection, the database's lifecycle and maintenance,
// opening and re-querying the main window's lists, and transactions.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include "platform/db/connection.h"
#include "platform/formattext.h"
#include "platform/messages.h"

#include <QDateTime>

bool TDM::ConnectServer(const QString &server, const QString &user, const QString &password)
{
    return MSSQLADOConnection->ConnectDatabase(server, QStringLiteral("master"), user, password);
}

bool TDM::DatabaseExists()
{
    return MSSQLADOConnection->DatabaseExists(DatabaseName());
}

TDatabasePresence TDM::DatabasePresence()
{
    return MSSQLADOConnection->DatabasePresence(DatabaseName());
}

bool TDM::CreateDatabase()
{
    WaitWindow wait(QStringLiteral("Probíhá vytváření databáze..."));
    return MSSQLADOConnection->CreateDatabase(DatabaseName());
}

// The server has no default database to switch: the session is opened again
// on the database with the same login.
bool TDM::SelectDatabase(const QString &database)
{
    try {
        const Db::Connection &c = connection();
        const QString server = c.server(), user = c.user(), password = c.password();
        if (!MSSQLADOConnection->ConnectDatabase(server, database, user, password))
            return false;
        IdSklad = DefaultStoreId();
        return true;
    } catch (const std::exception &e) {
        connection().reportError(QString::fromUtf8(e.what()));
        return false;
    }
}

bool TDM::OpenBasket()
{
    const bool opened = openList(MSSQLADOQuery_Prodej);
    listenForBasketChanges();
    return opened;
}

bool TDM::OpenItems()
{
    if (!openList(MSSQLADOQuery_PolozkaHistorie))
        return false;
    try {
        MSSQLADOQuery_Polozka->ParamByName(QStringLiteral("ID_SKLAD")).SetAsInteger(IdSklad);
        MSSQLADOQuery_Polozka->ParamByName(QStringLiteral("PATH_ID_KATEGORIE")).SetAsString(QStringLiteral("1%"));
    } catch (const Db::DatabaseError &error) {
        connection().reportError(error.error());
        return false;
    }
    return openList(MSSQLADOQuery_Polozka);
}

bool TDM::OpenDocuments()
{
    return openList(MSSQLADOQuery_DokladDetail) && openList(MSSQLADOQuery_Doklad);
}

bool TDM::OpenAllQueries()
{
    return OpenBasket() && OpenItems() && OpenDocuments();
}

void TDM::SetCategoryPath(const QString &path)
{
    MSSQLADOQuery_Polozka->ParamByName(QStringLiteral("ID_SKLAD")).SetAsInteger(IdSklad);
    MSSQLADOQuery_Polozka->ParamByName(QStringLiteral("PATH_ID_KATEGORIE")).SetAsString(path + QLatin1Char('%'));
    MSSQLADOQuery_Polozka->RequeryQuery();
}

void TDM::RequeryItems()
{
    MSSQLADOQuery_Polozka->RequeryLocate(QStringLiteral("ID_POLOZKA"));
}

void TDM::RequeryBasket()
{
    MSSQLADOQuery_Prodej->RequeryLocate(QStringLiteral("ID_POLOZKA"));
    listenForBasketChanges(); // in the session the list was read in
}

void TDM::RequeryDocuments()
{
    MSSQLADOQuery_Doklad->RequeryLocate(QStringLiteral("ID_DOKLAD"));
}

void TDM::RefreshAll()
{
    QStringList lost;
    {
        WaitWindow wait(QStringLiteral("Refresh databáze..."));
        RequeryItems();
        lost = requeryBasketNamingLost();
        RequeryDocuments();
    }
    warnLostBasketLines(lost);
}

QString TDM::BackupFileName(const QString &server, const QString &database)
{
    return BackupFileNameAt(server, database, QDateTime::currentDateTime());
}

// The server's name becomes part of a file name: besides "\" of a named
// instance, the "/" of a socket folder and the ":" before a port would make
// folders or be refused, so they become "_" as well.
QString TDM::BackupFileNameAt(const QString &server, const QString &database, const QDateTime &when)
{
    QString name = server;
    for (const QChar c : {QLatin1Char('\\'), QLatin1Char('/'), QLatin1Char(':')})
        name.replace(c, QLatin1Char('_'));
    const QDate d = when.date();
    const QTime t = when.time();
    return Format(QStringLiteral("%.4d-%.2d-%.2d_%.2d-%.2d-%.2d_%s_%s.bak"),
                  {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), name, database});
}

bool TDM::BackupAndVerify(const QString &file)
{
    WaitWindow wait(QStringLiteral("Probíhá zálohování databáze..."));
    return MSSQLADOConnection->BackupDatabase(DatabaseName(), file) && MSSQLADOConnection->VerifyBackup(file);
}

bool TDM::RestoreFromFile(const QString &file)
{
    WaitWindow wait(QStringLiteral("Probíhá obnova databáze..."));
    return MSSQLADOConnection->RestoreDatabase(DatabaseName(), file);
}

bool TDM::TruncateTransactionLog()
{
    WaitWindow wait(QStringLiteral("Zkrácení transakčního logu..."));
    return MSSQLADOConnection->TruncateLog(DatabaseName());
}

bool TDM::ReindexAllTables()
{
    WaitWindow wait(QStringLiteral("Probíhá reindexace databáze..."));
    return MSSQLADOConnection->ReindexDatabase();
}

bool TDM::ShrinkTarmilDatabase()
{
    WaitWindow wait(QStringLiteral("Zkrácení databáze..."));
    return MSSQLADOConnection->ShrinkDatabase(DatabaseName());
}

bool TDM::BeginTransaction()
{
    return connection().beginTransaction();
}

bool TDM::EndTransaction(bool commit)
{
    if (!connection().inTransaction())
        return false;
    if (commit)
        return connection().commit();
    connection().rollback();
    return false;
}

bool TDM::ActionSessionLost() const
{
    return connection().heldSessionLost();
}

Db::SessionHold TDM::HoldSession()
{
    return Db::SessionHold(connection());
}

quint64 TDM::UndoneTransactions() const
{
    // Also asked while the module is being made (its parts post events).
    return MSSQLADOConnection ? connection().undoneTransactions() : 0;
}

void TDM::noteWritten(const QString &what)
{
    if (!connection().inTransaction())
        m_written << what;
}

void TDM::RereadAfterError()
{
    for (const auto &requery : {&TDM::RequeryItems, &TDM::RequeryBasket, &TDM::RequeryDocuments}) {
        try {
            (this->*requery)();
        } catch (const std::exception &) {
            // The list keeps its rows; the next action that reads it says why.
        }
    }
    UpdateCashLabel();
}

bool TDM::RollbackOpenTransaction()
{
    if (!connection().inTransaction())
        return false;
    connection().rollback();
    return true;
}

// One write in a transaction of its own: committed when the call succeeded,
// rolled back otherwise (also when the commit itself fails, or the call
// throws). Inside a transaction the caller began, the call is a step of it:
// the caller commits or rolls back the whole (a refused call undoes only
// itself through its savepoint). When the transaction cannot begin, nothing
// is written and the server's reason stays the connection's.
bool TDM::transactionWrite(const std::function<bool()> &call)
{
    return queuedWrite([&] {
        Db::Transaction transaction(connection());
        if (!transaction.active())
            return false;
        return call() && transaction.commit();
    });
}

// The stores a write was refused for, as the server names them in the
// refusal's detail ("Sklady (ID): 3, 5"); empty when it names none.
static QStringList refusedStores(const Db::ServerError &refusal)
{
    static const QString Prefix = QStringLiteral("Sklady (ID):");
    QStringList stores;
    if (!refusal.detail.startsWith(Prefix))
        return stores;
    for (const QString &id : refusal.detail.mid(Prefix.size()).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int store = id.trimmed().toInt(&ok);
        if (ok)
            stores << QString::number(store);
    }
    return stores;
}

// The writer waits outside its transaction, holding nothing another till
// may wait for: writers and replace-all imports queue, never deadlock. It
// waits for the stores it was refused for, not for every store another till
// replaces; a refusal naming none (a wait that already gave up) is final.
bool TDM::queuedWrite(const std::function<bool()> &write)
{
    constexpr int Attempts = 3;
    for (int attempt = 1;; ++attempt) {
        if (write())
            return true;
        const Db::ServerError refusal = connection().errors().value(0);
        if (!refusal.lockNotAvailable() || attempt == Attempts || connection().inTransaction() ||
            !m_call->takes(DMProc::tab_polozka_func_CEKAT_NA_SKLADY))
            return false;
        TDMCall::Params params;
        if (m_call->takes(DMProc::tab_polozka_func_CEKAT_NA_SKLADY, QStringLiteral("@SKLADY"))) {
            const QStringList stores = refusedStores(refusal);
            if (stores.isEmpty())
                return false;
            params.push_back({"@SKLADY", Db::Connection::arrayLiteral(stores)});
        }
        WaitWindow wait(
            QStringLiteral("Jiná pokladna nahrazuje položky skladu importem, zápis počká na jeho konec..."));
        if (m_call->tryReturnValue(DMProc::tab_polozka_func_CEKAT_NA_SKLADY, params).isNull())
            return false;
    }
}

bool TDM::holdStoreAlone(int storeId)
{
    if (!m_call->takes(DMProc::tab_polozka_func_ZAMKNOUT_SKLAD))
        return true;
    const TDMCall::Params tryOnly{{"@ID_SKLAD", storeId}, {"@VYHRADNE", true}, {"@CEKAT", false}};
    const Variant held = m_call->tryReturnValue(DMProc::tab_polozka_func_ZAMKNOUT_SKLAD, tryOnly);
    if (held.isNull())
        return false;
    if (held.toBool())
        return true;
    WaitWindow wait(QStringLiteral("Jiná pokladna nahrazuje položky skladu importem, import počká na jeho konec..."));
    return m_call->returnBool(DMProc::tab_polozka_func_ZAMKNOUT_SKLAD,
                              {{"@ID_SKLAD", storeId}, {"@VYHRADNE", true}, {"@CEKAT", true}});
}

// A transaction holding one procedure call, in its one round trip: outside a
// transaction the server runs the call as a transaction of its own, committed
// when it went through and rolled back whole when the server refused it. The
// procedures so called raise an error for every failure, so a call the server
// committed always returns the new document's id. Inside a transaction
// already begun, a step of it as any other.
bool TDM::soleCallTransaction(const std::function<bool()> &call)
{
    if (connection().inTransaction())
        return transactionWrite(call);
    return queuedWrite(call);
}
