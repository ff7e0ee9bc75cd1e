#pragma once
// One session with the database server over libpq: opening by server name,
// statements with text parameters, transactions and savepoints, and the
// errors and notices of the last statement. Nothing here throws; failures
// are reported by results and kept in errors().
#include "platform/db/result.h"
#include "platform/db/servererror.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace Db {

// A statement parameter in text form; a null parameter is SQL NULL.
struct Param
{
    QByteArray text;
    bool isNull = true;
    Oid type = 0; // 0: the server infers it from the statement

    static Param null() { return {}; }
    static Param of(const QString &value, Oid type = 0) { return {value.toUtf8(), false, type}; }
    bool operator==(const Param &) const = default;
};

// One statement of several sent together (Connection::execPipeline).
struct Statement
{
    QString sql;
    QList<Param> params;
};

// How statements sent together stand to each other and to a transaction.
enum class PipelineMode {
    // Together one step: the first that fails ends the rest, and nothing of
    // them stays (inside the caller's transaction they run under a savepoint).
    Reads,
    // Each a step of its own, under a savepoint, in the caller's transaction
    // or in one of their own that commits what went through: the first that
    // fails is undone and the rest are not run; the work before it stays.
    Writes,
};

// The server field of the login: a host name or address with an optional
// ":port", or a socket folder (optionally with ":port"). Empty: libpq defaults.
struct ServerAddress
{
    QString host;
    QString port;
    static ServerAddress parse(const QString &server);
};

class Connection
{
public:
    static constexpr const char *ApplicationName = "Tarmil";

    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Closes an open session first. False with the reason in errors().
    bool open(const QString &server, const QString &database, const QString &user, const QString &password);
    void close();
    bool isOpen() const;

    const QString &server() const { return m_server; }
    const QString &database() const { return m_database; }
    const QString &user() const { return m_user; }
    // Kept for re-connecting and for the backup tools' environment.
    const QString &password() const { return m_password; }

    // One statement, or several separated by ";" (then without parameters).
    // Clears the errors and notices of the previous statement.
    Result exec(const QString &sql);
    Result exec(const QString &sql, const QList<Param> &params);
    // One statement prepared once per server session: its first run prepares
    // it (one more round trip), later runs only execute it, so the server
    // does not parse and plan it again. A statement the server forgot or can
    // no longer run as planned (its tables changed) is prepared anew.
    Result execPrepared(const QString &sql, const QList<Param> &params);
    // A prepared statement to send right after the next prepared one, in its
    // round trip. Its result is kept for a run of the same statement with the
    // same parameters that comes next, which then costs no round trip: it
    // reads what it would have read then, as nothing ran in between. Any
    // other statement drops it.
    void sendWithNext(const QString &sql, const QList<Param> &params);
    // Prepared statements sent in one round trip (pipeline mode) and their
    // results in order: a statement not run (after one that failed) has a
    // null result; the failure's reason is in errors(). A failure in the
    // writes' mode costs one more round trip, to undo the failed statement.
    QList<Result> execPipeline(const QList<Statement> &statements, PipelineMode mode);
    // Sends nothing with the next statement (the one meant to lead ran none).
    void sendNothingWithNext() { m_follower.reset(); }
    // Runs the statements in order and stops at the first that fails.
    bool execScript(const QStringList &statements);

    // These keep the errors of the statement before them unless they fail.
    // A transaction begun here belongs to its session: once the session is
    // lost, no statement runs (none renews the session) until commit() or
    // rollback() ends the transaction. commit() then fails with the loss as
    // its reason; rollback() has nothing left to undo.
    bool beginTransaction();
    bool commit();
    bool rollback();
    // Also true for a transaction whose session was lost and not yet ended.
    bool inTransaction() const;
    // A transaction begun here whose session was lost: its work is gone.
    bool transactionLost() const;
    // Transactions begun here that ended undone (rolled back, or lost with
    // their session) since the connection was made.
    quint64 undoneTransactions() const { return m_undone; }
    // Whether the session an action holds (a transaction, or holdSession())
    // was lost: its statements are refused until the action ends.
    bool heldSessionLost() const;
    // An action of several statements in their own transactions holds its
    // session: once the session is lost, its later statements are refused
    // rather than run on a new one, until the last hold is released.
    void holdSession();
    void releaseSession();
    bool savepoint(const QString &name);
    bool rollbackToSavepoint(const QString &name);
    bool releaseSavepoint(const QString &name);

    const QList<ServerError> &errors() const { return m_errors; }
    void clearErrors() { m_errors.clear(); }
    // "%s [%d]" of the first error, or an empty string.
    QString lastErrorText() const;
    const QStringList &notices() const { return m_notices; }
    // The notices of the last statement that the server sent as warnings:
    // work it was asked for and skipped (a table only its owner may vacuum).
    const QList<ServerError> &warnings() const { return m_warnings; }
    // Replaces the errors by ones found elsewhere (a second session, a tool).
    void setErrors(const QList<ServerError> &errors) { m_errors = errors; }
    void reportError(const QString &message, const QString &sqlState = QString())
    {
        m_errors = {ServerError{message, sqlState}};
    }
    void reportError(const ServerError &error) { m_errors = {error}; }

    // Quotes a name for SQL text ("a""b"), as the server would.
    static QString quoteIdentifier(const QString &name);
    static QString quoteLiteral(const QString &text);
    // An array of texts as a parameter's value ({"a","b\"c"}).
    static QString arrayLiteral(const QStringList &texts);

    PGconn *handle() const { return m_conn; }

    // Statements sent to the server since the object was made: each is one
    // round trip (what a caller's way to the server costs, counted).
    quint64 roundTrips() const { return m_roundTrips; }
    // Grows with every new server session (opening, reconnecting), so what
    // was learnt from one session's catalog is not used in another.
    quint64 sessionSerial() const { return m_sessionSerial; }
    // What befell the server session: a statement found it gone (Lost), or
    // the next one replaced it by a new session before it ran (Renewed).
    // What belonged to the old session (the basket's rows, its prepared
    // statements, an open transaction) is gone either way. The handler is
    // called in the middle of a statement and must send nothing.
    enum class SessionEvent { Lost, Renewed };
    void setSessionHandler(std::function<void(SessionEvent)> handler) { m_onSession = std::move(handler); }
    // Notifications on the channels the session listens to (LISTEN), as the
    // server delivers them with the results of the session's statements:
    // the handler gets each channel's name, in the middle of a statement, and
    // must send nothing.
    void setNotificationHandler(std::function<void(const QString &)> handler) { m_onNotification = std::move(handler); }
    // The server's process id of the session (0 when none is open).
    int backendPid() const;
    // Where set, called about every 50 ms while a statement with parameters
    // runs: false asks the server to cancel the statement, which then fails
    // with the server's text. The caller keeps its window alive in it.
    void setWaitHook(std::function<bool()> hook) { m_waitHook = std::move(hook); }
    // The error that ended the last lost session (empty before any loss).
    const ServerError &lastLoss() const { return m_loss; }
    // Tests: called before each round trip with its statements' text, when
    // it may still end the session.
    void setStatementHook(std::function<void(const QString &sql)> hook) { m_statementHook = std::move(hook); }

private:
    struct Follower
    {
        QString sql;
        QList<Param> params;
        Result result;
    };

    bool ensureConnected();
    bool prepare(const QString &sql, const QList<Param> &params, QByteArray &name, Result *failure);
    PGresult *takePipelined();
    void sendPipelined(const QList<Statement> &statements, const std::vector<QByteArray> &names, PipelineMode mode,
                       bool own, bool guarded);
    PGresult *execWithFollower(const QByteArray &name, const QList<Param> &params, const QByteArray &followerName,
                               Follower follower, bool &undone);
    bool begin(const QString &sql);
    bool sessionPinned() const;
    // The loss that ended the session, as the statements after it report it.
    ServerError lossError() const;
    Result finish(PGresult *raw);
    bool applySessionSettings();
    bool execControl(const QString &sql);
    void collectError(PGresult *result);
    void collectNotifications();
    void addError(const QString &message, const QString &sqlState);
    static void noticeReceiver(void *self, const PGresult *result);

    PGconn *m_conn = nullptr;
    QString m_server, m_database, m_user, m_password;
    QList<ServerError> m_errors;
    QStringList m_notices;
    QList<ServerError> m_warnings;
    quint64 m_roundTrips = 0;
    quint64 m_sessionSerial = 0;
    std::function<void(SessionEvent)> m_onSession;
    std::function<void(const QString &)> m_onNotification;
    std::function<bool()> m_waitHook;
    PGresult *awaitResult();
    std::function<void(const QString &)> m_statementHook;
    // The session of the data module's open transaction (0: none), and of
    // the actions that hold theirs; the error that ended the last session.
    quint64 m_transactionSession = 0;
    quint64 m_undone = 0;
    int m_holds = 0;
    quint64 m_heldSession = 0;
    ServerError m_loss;
    // The statements prepared in the session m_preparedSerial, by their text.
    static constexpr int MaxPreparedStatements = 256;
    QHash<QString, QByteArray> m_prepared;
    quint64 m_preparedSerial = 0;
    quint64 m_preparedCount = 0;
    std::optional<Follower> m_follower; // to send with the next prepared statement
    std::optional<Follower> m_kept;     // its result, for the statement after
};

// A transaction for a scope: begun when made unless the session is already in
// one (the scope is then a step of the caller's transaction, which commits or
// rolls back the whole). commit() ends it; a scope left without a commit,
// also by an exception, rolls it back.
class Transaction
{
public:
    explicit Transaction(Connection &connection)
        : m_connection(connection)
        , m_own(!connection.inTransaction())
    {
        if (m_own)
            m_begun = m_connection.beginTransaction();
    }
    ~Transaction()
    {
        if (m_own && m_begun && m_connection.inTransaction())
            m_connection.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Whether the scope has a transaction: its own that began, or the caller's.
    bool active() const { return !m_own || m_begun; }
    // Whether the transaction is the scope's own (false inside the caller's).
    bool own() const { return m_own; }
    // Commits the scope's own transaction; says whether it went through.
    // Inside the caller's transaction there is nothing to commit yet: true.
    bool commit()
    {
        if (!m_own)
            return true;
        if (!m_begun || !m_connection.inTransaction())
            return false;
        m_begun = false;
        return m_connection.commit();
    }

private:
    Connection &m_connection;
    bool m_own;
    bool m_begun = false;
};

// Holds the session for an action's scope (see Connection::holdSession).
class SessionHold
{
public:
    explicit SessionHold(Connection &connection)
        : m_connection(connection)
    {
        m_connection.holdSession();
    }
    ~SessionHold() { m_connection.releaseSession(); }
    SessionHold(const SessionHold &) = delete;
    SessionHold &operator=(const SessionHold &) = delete;

private:
    Connection &m_connection;
};

} // namespace Db
