#include "schema_session.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The separators of the connection class, in its order; matching respects case.
int findSeparator(const QString &text)
{
    int best = -1;
    for (const QString &sep : {QStringLiteral(" GO"), QStringLiteral("\nGO")}) {
        const int p = text.indexOf(sep);
        if (p >= 0 && (best < 0 || p < best))
            best = p;
    }
    return best;
}

QString trimmed(const QString &text)
{
    int from = 0, to = text.size();
    while (from < to && text.at(from).unicode() <= ' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= ' ')
        --to;
    return text.mid(from, to - from);
}

PGconn *connectAs(const QString &database, const QString &user, const QString &password)
{
    const QByteArray db = database.toUtf8(), u = user.toUtf8(), pw = password.toUtf8();
    std::vector<const char *> keys{"dbname", "application_name"};
    std::vector<const char *> values{db.constData(), "Tarmil"};
    if (!user.isEmpty()) {
        keys.insert(keys.end(), {"user", "password"});
        values.insert(values.end(), {u.constData(), pw.constData()});
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 1);
}

} // namespace

QStringList creationScriptBatches()
{
    QFile file(QStringLiteral(":/sql/create_database.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    QStringList batches;
    while (!text.isEmpty()) {
        const int p = findSeparator(text);
        const QString batch = trimmed(p < 0 ? text : text.left(p));
        if (!batch.isEmpty())
            batches << batch;
        text = p < 0 ? QString() : text.mid(p + 3);
    }
    return batches;
}

struct Session::Result
{
    PGresult *res = nullptr;
    ~Result() { PQclear(res); }
};

Session::Session(PGconn *conn)
    : m_conn(conn)
{
    if (PQstatus(conn) != CONNECTION_OK)
        ADD_FAILURE() << "connection failed: " << PQerrorMessage(conn);
}

void Session::logPlans(bool analyze)
{
    script(QStringLiteral("LOAD 'auto_explain'; SET auto_explain.log_min_duration = 0;"
                          " SET auto_explain.log_nested_statements = on; SET auto_explain.log_level = notice;"
                          " SET auto_explain.log_analyze = %1; SET client_min_messages = notice")
               .arg(analyze ? "on" : "off"));
    EXPECT_EQ(error(), "");
    PQsetNoticeReceiver(
        m_conn,
        [](void *session, const PGresult *res) {
            static_cast<Session *>(session)->m_plans += QString::fromUtf8(PQresultErrorMessage(res));
        },
        this);
}

Session::~Session()
{
    PQfinish(m_conn);
}

std::unique_ptr<Session::Result> Session::run(const QString &sql, const QVariantList &params)
{
    QList<QByteArray> texts;
    std::vector<const char *> values;
    for (const QVariant &p : params) {
        texts << (p.isNull() ? QByteArray() : p.toString().toUtf8());
        values.push_back(p.isNull() ? nullptr : texts.last().constData());
    }
    auto result = std::make_unique<Result>();
    result->res =
        PQexecParams(m_conn, sql.toUtf8().constData(), int(values.size()), nullptr, values.data(), nullptr, nullptr, 0);
    takeError(result->res);
    return result;
}

QString Session::value(const QString &sql, const QVariantList &params)
{
    const auto r = run(sql, params);
    if (!m_error.isEmpty() || PQntuples(r->res) == 0 || PQgetisnull(r->res, 0, 0))
        return QString();
    return QString::fromUtf8(PQgetvalue(r->res, 0, 0));
}

int Session::integer(const QString &sql, const QVariantList &params)
{
    const QString v = value(sql, params);
    EXPECT_EQ(m_error, "") << qPrintable(sql);
    return v.toInt();
}

QStringList Session::column(const QString &sql, const QVariantList &params)
{
    const auto r = run(sql, params);
    QStringList rows;
    for (int i = 0; m_error.isEmpty() && i < PQntuples(r->res); ++i)
        rows << QString::fromUtf8(PQgetvalue(r->res, i, 0));
    return rows;
}

void Session::exec(const QString &sql, const QVariantList &params)
{
    run(sql, params);
    EXPECT_EQ(m_error, "") << qPrintable(sql);
}

QString Session::verifier(const QString &role, const QString &password)
{
    char *v = PQencryptPasswordConn(m_conn, password.toUtf8().constData(), role.toUtf8().constData(), "scram-sha-256");
    const QString text = QString::fromUtf8(v);
    PQfreemem(v);
    return text;
}

void Session::script(const QString &sql)
{
    Result r;
    r.res = PQexec(m_conn, sql.toUtf8().constData());
    takeError(r.res);
}

void Session::takeError(PGresult *res)
{
    const auto status = PQresultStatus(res);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
        m_error.clear();
        m_detail.clear();
    } else {
        m_error = QString::fromUtf8(PQresultErrorField(res, PG_DIAG_SQLSTATE)) + ' ' +
                  QString::fromUtf8(PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY));
        m_detail = QString::fromUtf8(PQresultErrorField(res, PG_DIAG_MESSAGE_DETAIL));
    }
}

int Session::pid()
{
    return PQbackendPID(m_conn);
}

SchemaDatabase::SchemaDatabase()
    : m_db(std::make_unique<TestDatabase>())
{
    const QStringList batches = creationScriptBatches();
    EXPECT_GT(batches.size(), 2);
    Session s(m_db->connect());
    for (int i = 1; i < batches.size(); ++i) { // the first creates the database itself
        s.script(batches.at(i));
        if (!s.error().isEmpty()) {
            ADD_FAILURE() << "batch " << i << ": " << qPrintable(s.error()) << "\n"
                          << qPrintable(batches.at(i).left(300));
            break;
        }
    }
}

SchemaDatabase::~SchemaDatabase()
{
    const QString group = name();
    m_db.reset(); // the database goes first: roles cannot go while it holds their grants
    Session s(connectAs(QStringLiteral("postgres"), QString(), QString()));
    for (const QString &role : m_roles + QStringList{group})
        s.value(QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(QString(role).replace('"', "\"\"")));
}

std::unique_ptr<Session> SchemaDatabase::session() const
{
    return std::make_unique<Session>(m_db->connect());
}

QString SchemaDatabase::roleName(const QString &suffix)
{
    m_roles << name() + '_' + suffix;
    return m_roles.last();
}

bool SchemaDatabase::loginWorks(const QString &role, const QString &password) const
{
    PGconn *conn = connectAs(name(), role, password);
    const bool ok = PQstatus(conn) == CONNECTION_OK;
    PQfinish(conn);
    return ok;
}

std::unique_ptr<Session> SchemaDatabase::sessionAs(const QString &role, const QString &password) const
{
    return std::make_unique<Session>(connectAs(name(), role, password));
}
