#pragma once
// Tests of the data module against the test server: each test gets its own
// database, made through the module's own creation path under a name unique
// to the test (TARMIL5_DATABASE), and dropped with its group role and the
// users the test made.
#include "common/scripted_messages.h"
#include "common/shop_rules.h"
#include "data/dm.h"
#include "data/dmscreens.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The main window's labels and the preview screen, recorded.
class RecordingScreens : public TDMScreens
{
public:
    RecordingScreens()
        : m_previous(SetDataModuleScreens(this))
    {}
    ~RecordingScreens() override { SetDataModuleScreens(m_previous); }

    void SetSummaryLabel(TSummaryLabel label, const QString &text) override { labels[label] = text; }
    std::unique_ptr<TDMPreview> CreatePreview() override;

    QMap<TSummaryLabel, QString> labels;
    QStringList printed; // "document <operation> <voucher> <note> <copy> <preview>", "items", "documents"

private:
    TDMScreens *m_previous;
};

class DataModuleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL on the test's database through a session of its own.
    QString sql(const QString &statement);
    // A value read through a session of its own.
    QString scalar(const QString &query);
    // The module's server session, and its end as a server restart or a
    // lost network ends it (the module notices at its next statement).
    int modulePid() const;
    void endModuleSession();
    // Another till: a data module of its own, logged in to the test's database.
    std::unique_ptr<TDM> till() const;
    // Once `count` sessions of the test's database wait on a lock (20 s at
    // most), each as its lock's kind and the function it runs, sorted and
    // joined by "|": a writer waiting outside its transaction runs the wait's
    // own function.
    QString lockWaits(int count);
    // A new item of the current store through the module.
    int newItem(const QString &mark, Currency quantity = Currency::fromInt(10), Currency price = Currency::fromInt(100),
                const QString &category = QStringLiteral("?"));
    // Such an item's values.
    static TDMItem itemOf(const QString &mark, Currency quantity = Currency::fromInt(10),
                          Currency price = Currency::fromInt(100), const QString &category = QStringLiteral("?"));
    // The current row's key of a list, or -1 when it has none.
    static qint64 currentKey(TMSSQLADOQuery *list, const QString &key);
    static QList<qint64> keys(TMSSQLADOQuery *list, const QString &key);
    // A role name the test may create; dropped after the test.
    QString roleName(const QString &suffix);

    // The creation script the test's database is made by, when not the
    // program's own (a fixture's constructor sets it: a database an earlier
    // version made).
    QString creationScriptFile;

    // The rules the data keeps after the test (checked as it ends).
    ShopRules shopRules;

    QTemporaryDir home; // the settings file of the test (TARMIL5_HOME)
    ScriptedMessages messages;
    RecordingScreens screens;
    std::unique_ptr<TDM> dm;
    QString database;
    QString server;
    QStringList roles;

private:
    bool m_created = false;
};
