#pragma once
// Database tests of the creation script: a throwaway database built by the
// script batch by batch, and a small libpq session with the calls the tests use.
#include "common/shop_rules.h"
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
    // The last error's detail lines ("" when it had none).
    const QString &detail() const { return m_detail; }
    // Runs and expects success (the test fails otherwise).
    void exec(const QString &sql, const QVariantList &params = {});
    // Runs a batch of several statements (the simple protocol, as the connection does).
    void script(const QString &sql);
    int pid();
    // The SCRAM verifier of a password, as the program sends it.
    QString verifier(const QString &role, const QString &password);
    PGconn *handle() const { return m_conn; }
    // From now on the server's plan of every statement, also of those inside
    // procedures (with the rows each step read when `analyze`), is kept in
    // plans(); clearPlans() starts anew.
    void logPlans(bool analyze = false);
    const QString &plans() const { return m_plans; }
    void clearPlans() { m_plans.clear(); }

private:
    struct Result;
    std::unique_ptr<Result> run(const QString &sql, const QVariantList &params);
    void takeError(PGresult *res);
    PGconn *m_conn;
    QString m_error;
    QString m_detail;
    QString m_plans;
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
    std::unique_ptr<Session> sessionAs(const QString &role, const QString &password) const;
    bool loginWorks(const QString &role, const QString &password) const;

private:
    std::unique_ptr<TestDatabase> m_db;
    QStringList m_roles;
};

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

#include <gtest/gtest.h>

// A test with its own database and one session on it.
class DatabaseTest : public ::testing::Test
{
protected:
    SchemaDatabase db;
    std::unique_ptr<Session> s = db.session();
    // The rules the data keeps after the test (checked as it ends).
    ShopRules shopRules;

    void TearDown() override
    {
        const QStringList breaches = ShopRuleBreaches(db.name(), shopRules);
        EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches.join(u'\n'));
    }

    // The integer result of a procedure or function called with parameters
    // (a bare name, or a call written out with $1, $2 ...).
    int call(const QString &function, const QVariantList &params = {})
    {
        const QString v = text(function, params);
        EXPECT_EQ(s->error(), "") << qPrintable(function);
        return v.toInt();
    }
    // A new item of the first store through the procedure the item card uses.
    int newItem(const QString &label, const QString &quantity = "10", const QString &price = "100",
                const QString &categoryPath = "?", const QString &store = "Sklad-01")
    {
        return call(newItemCall(), {label, quantity, price, categoryPath, store});
    }
    // That call: label $1 (its code too, and in its name), quantity $2, price
    // $3, category path $4, store $5, and further named arguments.
    static QString newItemCall(const QString &more = "")
    {
        return "tab_polozka_NOVA_POLOZKA(p_oznaceni => $1::varchar, p_kod => $1::varchar,"
               " p_polozka => ('Položka ' || $1)::varchar,"
               " p_specifikace => '-', p_zaruka => 24, p_sklad => $5, p_kategorie => $4,"
               " p_dodavatel => '-', p_dph => 20, p_nakup => $3::numeric / 2, p_prodej => $3,"
               " p_sleva => 0, p_mnozstvi => $2, p_zasoba => 0, p_jednotka => 'ks',"
               " p_minimum => 1, p_nasobne => true" +
               more + ")";
    }
    // The text result of a function; a bare name gets $1, $2 ... for the parameters.
    QString text(const QString &function, const QVariantList &params = {})
    {
        if (function.contains('('))
            return s->value("SELECT " + function, params);
        QStringList placeholders;
        for (int i = 1; i <= params.size(); ++i)
            placeholders << QStringLiteral("$%1").arg(i);
        return s->value(QStringLiteral("SELECT %1(%2)").arg(function, placeholders.join(", ")), params);
    }
};
