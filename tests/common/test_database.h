#pragma once
// A throwaway database on the server that scripts/test started (PG* variables).
// Each instance creates a database with a unique name and drops it when destroyed.
#include <QString>
#include <libpq-fe.h>

class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    const QString &name() const { return m_name; }
    // A new libpq connection to the database; the caller closes it with PQfinish.
    PGconn *connect() const;
    // Runs SQL on a fresh connection; returns the error text or an empty string.
    QString exec(const QString &sql) const;

    static QString host();
    static int port();
    static QString user();
    static QString password();

private:
    QString m_name;
};
