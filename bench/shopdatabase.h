#pragma once
// The shop's database made for a benchmark from the creation script on the
// test command's server (the PG* variables), and dropped again with its
// group role. Any failure ends the program: a benchmark of failures measures
// nothing.
#include <QFile>
#include <QString>
#include <QStringList>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

inline PGconn *BenchConnect(const QString &database)
{
    const QByteArray db = database.toUtf8();
    const char *keys[] = {"dbname", "application_name", nullptr};
    const char *values[] = {db.constData(), "Tarmil", nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    if (PQstatus(conn) != CONNECTION_OK) {
        std::fprintf(stderr, "%s", PQerrorMessage(conn));
        std::exit(1);
    }
    return conn;
}

inline void BenchRun(PGconn *conn, const QString &sql)
{
    PGresult *res = PQexec(conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(res);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s\n%s\n", PQresultErrorMessage(res), qPrintable(sql.left(200)));
        std::exit(1);
    }
    PQclear(res);
}

// The creation script: its first batch on the maintenance database, the rest
// on the new one. Returns a connection to the new database.
inline PGconn *CreateShopDatabase(const QString &database)
{
    QFile file(QStringLiteral(":/sql/create_database.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the creation script is missing\n");
        std::exit(1);
    }
    const QStringList batches = QString::fromUtf8(file.readAll()).split(QStringLiteral("\nGO\n"));
    PGconn *postgres = BenchConnect(QStringLiteral("postgres"));
    BenchRun(postgres, QString(batches.first()).replace(QStringLiteral("%DATABASE%"), '"' + database + '"'));
    PQfinish(postgres);
    PGconn *conn = BenchConnect(database);
    for (int i = 1; i < batches.size(); ++i)
        if (!batches.at(i).trimmed().isEmpty())
            BenchRun(conn, batches.at(i));
    return conn;
}

inline void DropShopDatabase(const QString &database)
{
    PGconn *postgres = BenchConnect(QStringLiteral("postgres"));
    BenchRun(postgres, QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(database));
    BenchRun(postgres, QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(database));
    PQfinish(postgres);
}
