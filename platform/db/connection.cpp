#include "platform/db/connection.h"

#include <QRegularExpression>

#include <algorithm>
#include <poll.h>

#include <utility>

namespace Db {

namespace {
const QString LostConnectionState = QStringLiteral("08006");
const QString LostConnectionText = QStringLiteral("Spojení s databázovým serverem bylo přerušeno: %1");
} // namespace

ServerAddress ServerAddress::parse(const QString &server)
{
    ServerAddress address;
    const QString text = server.trimmed();
    if (text.startsWith(u'[')) { // IPv6 literal: [::1]:5432
        const int close = text.indexOf(u']');
        address.host = text.mid(1, close - 1);
        if (close > 0 && text.mid(close + 1).startsWith(u':'))
            address.port = text.mid(close + 2);
        return address;
    }
    static const QRegularExpression withPort(QStringLiteral("^(.*):(\\d+)$"));
    const auto match = withPort.match(text);
    // A bare IPv6 address has several colons; only one colon can mean a port.
    if (match.hasMatch() && (match.captured(1).count(u':') == 0 || text.startsWith(u'/'))) {
        address.host = match.captured(1);
        address.port = match.captured(2);
    } else {
        address.host = text;
    }
    return address;
}

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

bool Connection::open(const QString &server, const QString &database, const QString &user, const QString &password)
{
    close();
    m_errors.clear();
    m_server = server;
    m_database = database;
    m_user = user;
    m_password = password;

    const ServerAddress address = ServerAddress::parse(server);
    QList<QByteArray> keys, values;
    auto add = [&](const char *key, const QString &value) {
        if (!value.isEmpty()) {
            keys << key;
            values << value.toUtf8();
        }
    };
    add("host", address.host);
    add("port", address.port);
    add("dbname", database);
    add("user", user);
    add("password", password);
    add("application_name", QString::fromLatin1(ApplicationName));
    add("connect_timeout", QStringLiteral("15"));
    add("client_encoding", QStringLiteral("UTF8"));
    std::vector<const char *> keyPtrs, valuePtrs;
    for (int i = 0; i < keys.size(); ++i) {
        keyPtrs.push_back(keys[i].constData());
        valuePtrs.push_back(values[i].constData());
    }
    keyPtrs.push_back(nullptr);
    valuePtrs.push_back(nullptr);

    // Other settings (PGHOST, PGPORT, ...) come from the environment.
    m_conn = PQconnectdbParams(keyPtrs.data(), valuePtrs.data(), 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        addError(QString::fromUtf8(PQerrorMessage(m_conn)).trimmed(), LostConnectionState);
        close();
        return false;
    }
    PQsetNoticeReceiver(m_conn, &Connection::noticeReceiver, this);
    ++m_sessionSerial;
    m_transactionSession = 0;
    m_heldSession = m_sessionSerial;
    return applySessionSettings();
}

// The text forms the datasets read (dates, intervals, reals as the shortest
// decimal that reads back as them, so a quantity shows as it was typed) do
// not depend on the server's configuration; every new session, reconnected
// ones included, gets them here.
bool Connection::applySessionSettings()
{
    exec(QStringLiteral("SET datestyle = 'ISO, YMD'; SET intervalstyle = 'postgres'; SET extra_float_digits = 1"));
    return m_errors.isEmpty();
}

void Connection::close()
{
    if (m_conn) {
        PQfinish(m_conn);
        m_conn = nullptr;
    }
}

bool Connection::isOpen() const
{
    return m_conn && PQstatus(m_conn) == CONNECTION_OK;
}

bool Connection::ensureConnected()
{
    if (!m_conn) {
        addError(QStringLiteral("Spojení s databázovým serverem není otevřeno."), LostConnectionState);
        return false;
    }
    if (PQstatus(m_conn) == CONNECTION_OK)
        return true;
    // The action that holds the lost session is over: none of its statements
    // may run in a new session, outside its transaction.
    if (sessionPinned()) {
        m_errors.append(lossError());
        return false;
    }
    // The server went away between statements: one attempt to reconnect.
    PQreset(m_conn);
    if (PQstatus(m_conn) == CONNECTION_OK) {
        ++m_sessionSerial;
        const bool settled = applySessionSettings();
        if (m_onSession)
            m_onSession(SessionEvent::Renewed);
        return settled;
    }
    addError(LostConnectionText.arg(QString::fromUtf8(PQerrorMessage(m_conn)).simplified()), LostConnectionState);
    m_loss = m_errors.last();
    return false;
}

ServerError Connection::lossError() const
{
    return m_loss.message.isEmpty() ? ServerError{LostConnectionText.arg(QStringLiteral("-")), LostConnectionState}
                                    : m_loss;
}

bool Connection::sessionPinned() const
{
    return (m_transactionSession != 0 && m_transactionSession == m_sessionSerial) ||
           (m_holds > 0 && m_heldSession == m_sessionSerial);
}

bool Connection::transactionLost() const
{
    return m_transactionSession != 0 && (m_transactionSession != m_sessionSerial || !isOpen());
}

bool Connection::heldSessionLost() const
{
    return transactionLost() ||
           (m_holds > 0 && m_heldSession <= m_sessionSerial && (m_heldSession != m_sessionSerial || !isOpen()));
}

void Connection::holdSession()
{
    // A session already found lost belongs to no action: the action's first
    // statement may open the next one.
    if (m_holds++ == 0)
        m_heldSession = m_conn && PQstatus(m_conn) != CONNECTION_OK ? m_sessionSerial + 1 : m_sessionSerial;
}

void Connection::releaseSession()
{
    if (m_holds > 0)
        --m_holds;
}

Result Connection::exec(const QString &sql)
{
    return exec(sql, {});
}

namespace {

// A statement's parameters as libpq takes them.
struct ParamArrays
{
    explicit ParamArrays(const QList<Param> &params)
    {
        values.reserve(size_t(params.size()));
        types.reserve(size_t(params.size()));
        for (const Param &p : params) {
            values.push_back(p.isNull ? nullptr : p.text.constData());
            types.push_back(p.type);
        }
    }
    int count() const { return int(values.size()); }
    std::vector<const char *> values;
    std::vector<Oid> types;
};

// The server no longer has the prepared statement (it was deallocated) or
// cannot run it as planned (a table it reads changed its columns).
bool isStalePrepared(const PGresult *result)
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    return state && (qstrcmp(state, "26000") == 0 || qstrcmp(state, "0A000") == 0);
}

} // namespace

bool Connection::begin(const QString &sql)
{
    collectNotifications(); // those that came with a pipeline's results
    m_errors.clear();
    m_notices.clear();
    m_warnings.clear();
    if (m_statementHook)
        m_statementHook(sql);
    return ensureConnected();
}

Result Connection::finish(PGresult *raw)
{
    collectNotifications();
    Result result(raw);
    if (!result.succeeded())
        collectError(raw);
    return result;
}

Result Connection::exec(const QString &sql, const QList<Param> &params)
{
    m_follower.reset();
    m_kept.reset();
    if (!begin(sql))
        return Result();
    const QByteArray text = sql.toUtf8();
    ++m_roundTrips;
    if (params.isEmpty())
        return finish(PQexec(m_conn, text.constData()));
    const ParamArrays arrays(params);
    if (m_waitHook) {
        if (!PQsendQueryParams(m_conn, text.constData(), arrays.count(), arrays.types.data(), arrays.values.data(),
                               nullptr, nullptr, 0))
            return finish(nullptr);
        return finish(awaitResult());
    }
    return finish(PQexecParams(m_conn, text.constData(), arrays.count(), arrays.types.data(), arrays.values.data(),
                               nullptr, nullptr, 0));
}

// The last result of the statement sent, the wait hook asked meanwhile.
PGresult *Connection::awaitResult()
{
    bool cancelled = false;
    while (PQisBusy(m_conn)) {
        pollfd socket{PQsocket(m_conn), POLLIN, 0};
        ::poll(&socket, 1, 50);
        if (!PQconsumeInput(m_conn))
            break;
        if (!cancelled && !m_waitHook()) {
            cancelled = true;
            if (PGcancel *cancel = PQgetCancel(m_conn)) {
                char error[256];
                PQcancel(cancel, error, int(sizeof error));
                PQfreeCancel(cancel);
            }
        }
    }
    PGresult *last = nullptr;
    while (PGresult *next = PQgetResult(m_conn)) {
        PQclear(last);
        last = next;
    }
    return last;
}

// The statement's name in this session, prepared on its first run (one round
// trip). False when the server refused it; its result then goes to `failure`.
bool Connection::prepare(const QString &sql, const QList<Param> &params, QByteArray &name, Result *failure)
{
    if (m_preparedSerial != m_sessionSerial) {
        m_prepared.clear();
        m_preparedSerial = m_sessionSerial;
    }
    name = m_prepared.value(sql);
    if (!name.isEmpty())
        return true;
    // Lists filtered by what users type give ever new texts: the session's
    // statements are dropped together now and then, never inside a
    // transaction (the statement about to run may belong to it).
    if (m_prepared.size() >= MaxPreparedStatements && !inTransaction()) {
        ++m_roundTrips;
        PQclear(PQexec(m_conn, "DEALLOCATE ALL"));
        m_prepared.clear();
    }
    name = "tarmil_" + QByteArray::number(++m_preparedCount);
    const ParamArrays arrays(params);
    ++m_roundTrips;
    PGresult *raw = PQprepare(m_conn, name.constData(), sql.toUtf8().constData(), arrays.count(), arrays.types.data());
    if (PQresultStatus(raw) != PGRES_COMMAND_OK) {
        if (failure)
            *failure = finish(raw);
        else
            PQclear(raw);
        return false;
    }
    PQclear(raw);
    m_prepared.insert(sql, name);
    return true;
}

Result Connection::execPrepared(const QString &sql, const QList<Param> &params)
{
    std::optional<Follower> follower = std::exchange(m_follower, std::nullopt);
    const std::optional<Follower> kept = std::exchange(m_kept, std::nullopt);
    if (!begin(sql))
        return Result();
    if (kept && kept->sql == sql && kept->params == params)
        return kept->result;
    // Inside a transaction a failed read would end the caller's transaction.
    if (inTransaction())
        follower.reset();
    const ParamArrays arrays(params);
    for (bool retried = false;;) {
        QByteArray name;
        Result failure;
        if (!prepare(sql, params, name, &failure))
            return failure;
        QByteArray followerName;
        if (follower && !prepare(follower->sql, follower->params, followerName, nullptr))
            follower.reset();
        ++m_roundTrips;
        bool undone = false;
        PGresult *raw =
            follower
                ? execWithFollower(name, params, followerName, *std::exchange(follower, std::nullopt), undone)
                : PQexecPrepared(m_conn, name.constData(), arrays.count(), arrays.values.data(), nullptr, nullptr, 0);
        if (undone)
            continue; // the statement runs again alone
        // Once, and only in a transaction of its own (a failed statement ends
        // the caller's).
        if (retried || !isStalePrepared(raw) || inTransaction())
            return finish(raw);
        PQclear(raw);
        m_kept.reset(); // read before the statement ran again
        m_prepared.remove(sql);
        retried = true;
    }
}

// In a pipeline: a statement's first result (the rest are none in practice).
PGresult *Connection::takePipelined()
{
    PGresult *first = PQgetResult(m_conn);
    if (first) {
        while (PGresult *more = PQgetResult(m_conn))
            PQclear(more);
    }
    return first;
}

// Both statements in one round trip and one implicit transaction, so the
// server answers once, at the sync after both. The follower only reads what
// the first statement left; when it fails (its plan went stale, say) the
// transaction takes the first statement's work with it, and `undone` says the
// first must run again alone. A failed first statement stops the follower and
// rolls back as it would alone. The follower's result is kept when it
// succeeded; the first statement's result is returned.
PGresult *Connection::execWithFollower(const QByteArray &name, const QList<Param> &params,
                                       const QByteArray &followerName, Follower follower, bool &undone)
{
    const ParamArrays arrays(params), followerArrays(follower.params);
    if (PQenterPipelineMode(m_conn) != 1)
        return PQexecPrepared(m_conn, name.constData(), arrays.count(), arrays.values.data(), nullptr, nullptr, 0);
    const bool sent =
        PQsendQueryPrepared(m_conn, name.constData(), arrays.count(), arrays.values.data(), nullptr, nullptr, 0) &&
        PQsendQueryPrepared(m_conn, followerName.constData(), followerArrays.count(), followerArrays.values.data(),
                            nullptr, nullptr, 0) &&
        PQpipelineSync(m_conn);
    PGresult *leader = sent ? takePipelined() : nullptr;
    Result followed(leader ? takePipelined() : nullptr);
    PGresult *sync = followed.handle() ? PQgetResult(m_conn) : nullptr;
    const bool synced = PQresultStatus(sync) == PGRES_PIPELINE_SYNC;
    PQclear(sync);
    PQexitPipelineMode(m_conn);
    const bool leaderDone =
        leader && (PQresultStatus(leader) == PGRES_COMMAND_OK || PQresultStatus(leader) == PGRES_TUPLES_OK);
    if (synced && leaderDone && !followed.succeeded()) {
        if (isStalePrepared(followed.handle()))
            m_prepared.remove(follower.sql);
        PQclear(leader);
        undone = true;
        return nullptr;
    }
    if (synced && followed.succeeded()) {
        follower.result = followed;
        m_kept = std::move(follower);
    }
    return leader; // null when nothing came: the connection's error stands
}

namespace {
const char *const PipelineSavepoint = "tarmil_pipeline";
const char *const RowSavepoint = "tarmil_row";

bool sendControl(PGconn *conn, const QByteArray &sql)
{
    return PQsendQueryParams(conn, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
}
} // namespace

// The statements, framed as the mode asks: own transaction, a savepoint for
// the whole (reads in the caller's transaction) or one for each (writes).
void Connection::sendPipelined(const QList<Statement> &statements, const std::vector<QByteArray> &names,
                               PipelineMode mode, bool own, bool guarded)
{
    const bool each = mode == PipelineMode::Writes;
    if (own)
        sendControl(m_conn, "BEGIN");
    if (guarded)
        sendControl(m_conn, QByteArray("SAVEPOINT ") + PipelineSavepoint);
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (each)
            sendControl(m_conn, QByteArray("SAVEPOINT ") + RowSavepoint);
        const ParamArrays arrays(statements[i].params);
        PQsendQueryPrepared(m_conn, names[size_t(i)].constData(), arrays.count(), arrays.values.data(), nullptr,
                            nullptr, 0);
        if (each)
            sendControl(m_conn, QByteArray("RELEASE SAVEPOINT ") + RowSavepoint);
    }
    if (guarded)
        sendControl(m_conn, QByteArray("RELEASE SAVEPOINT ") + PipelineSavepoint);
    if (own)
        sendControl(m_conn, "COMMIT");
    PQpipelineSync(m_conn);
}

QList<Result> Connection::execPipeline(const QList<Statement> &statements, PipelineMode mode)
{
    m_follower.reset();
    m_kept.reset();
    QList<Result> results(statements.size());
    QStringList texts;
    for (const Statement &statement : statements)
        texts << statement.sql;
    if (statements.isEmpty() || !begin(texts.join(u'\n')))
        return results;
    std::vector<QByteArray> names(size_t(statements.size()));
    // A statement prepared late may drop the session's earlier ones (see
    // prepare()); then they are all prepared again, which drops none.
    for (bool allKept = false; !allKept;) {
        for (qsizetype i = 0; i < statements.size(); ++i) {
            if (!prepare(statements[i].sql, statements[i].params, names[size_t(i)], &results[i]))
                return results;
        }
        allKept = true;
        for (qsizetype i = 0; i < statements.size(); ++i)
            allKept = allKept && m_prepared.value(statements[i].sql) == names[size_t(i)];
    }
    const bool own = mode == PipelineMode::Writes && !inTransaction();
    const bool guarded = mode == PipelineMode::Reads && inTransaction();
    const bool each = mode == PipelineMode::Writes;
    if (PQenterPipelineMode(m_conn) != 1) {
        addError(QString::fromUtf8(PQerrorMessage(m_conn)).trimmed(), LostConnectionState);
        return results;
    }
    ++m_roundTrips;
    sendPipelined(statements, names, mode, own, guarded);
    // Every command sent gives one result (an aborted one after a failure),
    // then the sync its own.
    bool failed = false;
    bool failedInStatement = false;
    auto take = [&]() {
        Result result(takePipelined());
        const bool ok = result.succeeded();
        if (!ok && !failed) {
            failed = true;
            collectError(result.handle());
        }
        return ok;
    };
    if (own)
        take();
    if (guarded)
        take();
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (each)
            take();
        const bool before = failed;
        Result result(takePipelined());
        if (!result.succeeded() && !failed) {
            failed = failedInStatement = true;
            collectError(result.handle());
            if (isStalePrepared(result.handle()))
                m_prepared.remove(statements[i].sql);
        }
        if (!before)
            results[i] = result;
        if (each)
            take();
    }
    if (guarded)
        take();
    if (own)
        take();
    PQclear(PQgetResult(m_conn)); // the sync
    PQexitPipelineMode(m_conn);
    // Work of a transaction of their own that did not commit (the session
    // was lost before the end, say) did not stay: none of it ran.
    auto uncommitted = [&] {
        std::fill(results.begin(), results.end(), Result());
        return results;
    };
    if (!failed)
        return results;
    if (PQtransactionStatus(m_conn) != PQTRANS_INERROR)
        return own && (!failedInStatement || PQstatus(m_conn) != CONNECTION_OK) ? uncommitted() : results;
    // The failed statement is undone; the work before it stays.
    if (each && failedInStatement) {
        const bool undone = execControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + QLatin1String(RowSavepoint)) &&
                            execControl(QStringLiteral("RELEASE SAVEPOINT ") + QLatin1String(RowSavepoint));
        if (own && !(undone && execControl(QStringLiteral("COMMIT"))))
            return uncommitted();
    } else if (guarded) {
        execControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + QLatin1String(PipelineSavepoint));
        execControl(QStringLiteral("RELEASE SAVEPOINT ") + QLatin1String(PipelineSavepoint));
    } else if (own) {
        execControl(QStringLiteral("ROLLBACK"));
        return uncommitted();
    }
    return results;
}

void Connection::sendWithNext(const QString &sql, const QList<Param> &params)
{
    m_follower = Follower{sql, params, Result()};
}

bool Connection::execScript(const QStringList &statements)
{
    for (const QString &statement : statements) {
        if (!exec(statement).succeeded())
            return false;
    }
    return true;
}

void Connection::collectError(PGresult *result)
{
    const bool lost = PQstatus(m_conn) != CONNECTION_OK;
    const char *primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char *detail = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL) : nullptr;
    QString message = primary ? QString::fromUtf8(primary) : QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
    if (message.isEmpty())
        message = QStringLiteral("Neznámá chyba databázového serveru.");
    // The server's own words on why (often in English) follow the till's.
    if (lost)
        message = LostConnectionText.arg(message.simplified());
    m_errors.append(ServerError{message, state ? QString::fromLatin1(state) : LostConnectionState,
                                detail ? QString::fromUtf8(detail) : QString()});
    if (!lost)
        return;
    m_loss = m_errors.last();
    if (m_onSession)
        m_onSession(SessionEvent::Lost);
}

void Connection::collectNotifications()
{
    if (!m_conn)
        return;
    while (PGnotify *notification = PQnotifies(m_conn)) {
        const QString channel = QString::fromUtf8(notification->relname);
        PQfreemem(notification);
        if (m_onNotification)
            m_onNotification(channel);
    }
}

int Connection::backendPid() const
{
    return isOpen() ? PQbackendPID(m_conn) : 0;
}

void Connection::addError(const QString &message, const QString &sqlState)
{
    m_errors.append(ServerError{message, sqlState});
}

void Connection::noticeReceiver(void *self, const PGresult *result)
{
    auto *connection = static_cast<Connection *>(self);
    const char *primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const QString text = QString::fromUtf8(primary ? primary : PQresultErrorMessage(result));
    connection->m_notices.append(text);
    const char *severity = PQresultErrorField(result, PG_DIAG_SEVERITY_NONLOCALIZED);
    if (severity && qstrcmp(severity, "WARNING") == 0)
        connection->m_warnings.append(
            ServerError(text, QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE))));
}

bool Connection::execControl(const QString &sql)
{
    // Transaction control keeps the errors of the statement before it, so a
    // roll-back after a failed call does not wipe the reason for it.
    const QList<ServerError> before = m_errors;
    if (!exec(sql).succeeded())
        return false;
    m_errors = before;
    return true;
}

bool Connection::beginTransaction()
{
    const bool begun = execControl(QStringLiteral("BEGIN"));
    if (begun)
        m_transactionSession = m_sessionSerial;
    return begun;
}

bool Connection::commit()
{
    if (transactionLost()) {
        m_transactionSession = 0;
        ++m_undone;
        m_errors = {lossError()};
        return false;
    }
    m_transactionSession = 0;
    return execControl(QStringLiteral("COMMIT"));
}

bool Connection::rollback()
{
    // The server undid a lost session's transaction as the session ended.
    ++m_undone;
    if (transactionLost()) {
        m_transactionSession = 0;
        return true;
    }
    m_transactionSession = 0;
    return execControl(QStringLiteral("ROLLBACK"));
}

bool Connection::inTransaction() const
{
    if (transactionLost())
        return true;
    if (!m_conn)
        return false;
    const auto status = PQtransactionStatus(m_conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

bool Connection::savepoint(const QString &name)
{
    return execControl(QStringLiteral("SAVEPOINT ") + quoteIdentifier(name));
}

bool Connection::rollbackToSavepoint(const QString &name)
{
    return execControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + quoteIdentifier(name));
}

bool Connection::releaseSavepoint(const QString &name)
{
    return execControl(QStringLiteral("RELEASE SAVEPOINT ") + quoteIdentifier(name));
}

QString Connection::lastErrorText() const
{
    return m_errors.isEmpty() ? QString() : m_errors.first().line();
}

QString Connection::quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString Connection::quoteLiteral(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString Connection::arrayLiteral(const QStringList &texts)
{
    QString literal(u'{');
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QString element = texts[i];
        element.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        literal += (i ? QStringLiteral(",\"") : QStringLiteral("\"")) + element + u'"';
    }
    return literal + u'}';
}

} // namespace Db
