#pragma once
// A throwaway database for a benchmark on the test command's server (the PG*
// variables, or TARMIL5_TEST_SERVER): made with a name of its own, opened,
// and dropped again when the object goes.
#include "platform/db/connection.h"

#include <QCoreApplication>

#include <cstdio>

class BenchDatabase
{
public:
    // prefix names the database ("t5bench" + "_" + the process id).
    explicit BenchDatabase(const QString &prefix)
        : m_server(qEnvironmentVariable("TARMIL5_TEST_SERVER"))
    {
        Db::Connection server;
        if (!openServer(server)) {
            std::fprintf(stderr, "no server: %s\n", qPrintable(server.lastErrorText()));
            return;
        }
        m_database = QStringLiteral("%1_%2").arg(prefix).arg(QCoreApplication::applicationPid());
        server.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(m_database));
        m_open =
            connection.open(m_server, m_database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"));
    }
    ~BenchDatabase()
    {
        connection.close();
        Db::Connection server;
        if (!m_database.isEmpty() && openServer(server))
            server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
    }
    BenchDatabase(const BenchDatabase &) = delete;
    BenchDatabase &operator=(const BenchDatabase &) = delete;

    bool IsOpen() const { return m_open; }
    // Runs the set-up SQL; false when the database or the SQL failed.
    bool Fill(const QString &sql) { return m_open && connection.exec(sql).succeeded(); }

    Db::Connection connection;

private:
    bool openServer(Db::Connection &server) const
    {
        return server.open(m_server, QStringLiteral("postgres"), qEnvironmentVariable("PGUSER"),
                           qEnvironmentVariable("PGPASSWORD"));
    }

    QString m_server, m_database;
    bool m_open = false;
};
