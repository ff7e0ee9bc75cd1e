#include "common/test_database.h"

#include <QAtomicInt>
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

namespace {

PGconn *connectTo(const QString &database)
{
    const QByteArray db = database.toUtf8();
    const char *keys[] = {"dbname", "application_name", nullptr};
    const char *values[] = {db.constData(), "Tarmil", nullptr};
    return PQconnectdbParams(keys, values, 1); // the rest comes from PG* variables
}

QString run(PGconn *conn, const QString &sql)
{
    if (PQstatus(conn) != CONNECTION_OK)
        return QString::fromUtf8(PQerrorMessage(conn));
    PGresult *res = PQexec(conn, sql.toUtf8().constData());
    QString error;
    const auto status = PQresultStatus(res);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        error = QString::fromUtf8(PQresultErrorMessage(res));
    PQclear(res);
    return error;
}

} // namespace

TestDatabase::TestDatabase()
{
    static QAtomicInt counter;
    m_name = QStringLiteral("t5test_%1_%2_%3")
                 .arg(QCoreApplication::applicationPid())
                 .arg(counter.fetchAndAddRelaxed(1))
                 .arg(QRandomGenerator::global()->bounded(1000000));
    PGconn *conn = connectTo(QStringLiteral("postgres"));
    const QString error = run(conn, QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' "
                                                   "LOCALE_PROVIDER icu ICU_LOCALE 'cs-CZ' LOCALE 'C.UTF-8'")
                                        .arg(m_name));
    PQfinish(conn);
    if (!error.isEmpty())
        qFatal("Cannot create test database %s: %s", qPrintable(m_name), qPrintable(error));
}

TestDatabase::~TestDatabase()
{
    PGconn *conn = connectTo(QStringLiteral("postgres"));
    run(conn, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    PQfinish(conn);
}

PGconn *TestDatabase::connect() const
{
    return connectTo(m_name);
}

QString TestDatabase::exec(const QString &sql) const
{
    PGconn *conn = connect();
    const QString error = run(conn, sql);
    PQfinish(conn);
    return error;
}

QString TestDatabase::host()
{
    return qEnvironmentVariable("PGHOST");
}
int TestDatabase::port()
{
    return qEnvironmentVariableIntValue("PGPORT");
}
QString TestDatabase::user()
{
    return qEnvironmentVariable("PGUSER");
}
QString TestDatabase::password()
{
    return qEnvironmentVariable("PGPASSWORD");
}
