#pragma once
// Database tests of the creation script: a throwaway database built by the
// script batch by batch, and a small libpq session with the calls the tests use.
#include "common/test_database.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <ostream>

// The script compiled into the program, cut into batches at its separator lines
// the way the connection class cuts it.
QStringList creationScriptBatches();

// One connection with helpers; a failed statement is reported through error().
class Session
{
public:
    explicit Session(PGconn *conn);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Runs the statement with text parameters ($1, $2 ...; a null QVariant is NULL).
    // Returns the first column of the first row, or a null QString when there is none.
    QString value(const QString &sql, const QVariantList &params = {});
    int integer(const QString &sql, const QVariantList &params = {});
    // Every row of the first column.
    QStringList column(const QString &sql, const QVariantList &params = {});
    // The last statement's error as "SQLSTATE message" ("" after success).
    const QString &error() const { return m_error; }
    QString sqlState() const { return m_error.left(5); }
    // Runs and expects success (the test fails otherwise).
    void exec(const QString &sql, const QVariantList &params = {});
    // Runs a batch of several statements (the simple protocol, as the connection does).
    void script(const QString &sql);
    int pid();
    // The SCRAM verifier of a password, as the program sends it.
    QString verifier(const QString &role, const QString &password);
    PGconn *handle() const { return m_conn; }

private:
    struct Result;
    std::unique_ptr<Result> run(const QString &sql, const QVariantList &params);
    void takeError(PGresult *res);
    PGconn *m_conn;
    QString m_error;
};

// A database made by the creation script. Roles made through roleName() and the
// database's group role are dropped with it.
class SchemaDatabase
{
public:
    SchemaDatabase();
    ~SchemaDatabase();

    const QString &name() const { return m_db->name(); }
    std::unique_ptr<Session> session() const;
    // A role name unique to this database.
    QString roleName(const QString &suffix);
    // Creates a login role with a password (for sessions of another user).
    void createLogin(const QString &role, const QString &password);
    std::unique_ptr<Session> sessionAs(const QString &role, const QString &password) const;

private:
    std::unique_ptr<TestDatabase> m_db;
    QStringList m_roles;
};

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
