#include "data/dm_fixture.h"

#include "kit/formstorage.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <libpq-fe.h>

namespace {

class RecordingPreview : public TDMPreview
{
public:
    explicit RecordingPreview(QStringList &log)
        : m_log(log)
    {}
    void PrintDocument(int operation, int voucher, const QString &note, bool secondCopy, bool preview) override
    {
        m_log << QStringLiteral("document %1 %2 %3 %4 %5")
                     .arg(operation)
                     .arg(voucher)
                     .arg(note)
                     .arg(int(secondCopy))
                     .arg(int(preview));
    }
    void ShowItemOverview() override { m_log << QStringLiteral("items"); }
    void ShowDocumentOverview() override { m_log << QStringLiteral("documents"); }

private:
    QStringList &m_log;
};

QString runOn(const QString &database, const QString &statement, bool *ok = nullptr)
{
    const QByteArray db = database.toUtf8();
    const char *keys[] = {"dbname", nullptr};
    const char *values[] = {db.constData(), nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    QString value;
    bool success = PQstatus(conn) == CONNECTION_OK;
    if (success) {
        PGresult *res = PQexec(conn, statement.toUtf8().constData());
        const auto status = PQresultStatus(res);
        success = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (!success)
            value = QString::fromUtf8(PQresultErrorMessage(res));
        else if (PQntuples(res) > 0 && !PQgetisnull(res, 0, 0))
            value = QString::fromUtf8(PQgetvalue(res, 0, 0));
        PQclear(res);
    } else {
        value = QString::fromUtf8(PQerrorMessage(conn));
    }
    PQfinish(conn);
    if (ok)
        *ok = success;
    return value;
}

} // namespace

std::unique_ptr<TDMPreview> RecordingScreens::CreatePreview()
{
    return std::make_unique<RecordingPreview>(printed);
}

void DataModuleTest::SetUp()
{
    static QAtomicInt counter;
    database = QStringLiteral("t5dm_%1_%2_%3")
                   .arg(QCoreApplication::applicationPid())
                   .arg(counter.fetchAndAddRelaxed(1))
                   .arg(QRandomGenerator::global()->bounded(1000000));
    qputenv("TARMIL5_DATABASE", database.toUtf8());
    ASSERT_TRUE(home.isValid());
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    server = qEnvironmentVariable("TARMIL5_TEST_SERVER");
    dm = std::make_unique<TDM>();
    dm->FormStorage->FormPlacementRestore(); // as the start-up does, before the login
    ASSERT_TRUE(dm->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")))
        << qPrintable(dm->LastErrorText());
    ASSERT_EQ(dm->DatabasePresence(), TDatabasePresence::Absent);
    if (!creationScriptFile.isEmpty()) {
        QFile script(creationScriptFile);
        ASSERT_TRUE(script.open(QIODevice::ReadOnly)) << qPrintable(creationScriptFile);
        dm->MSSQLADOConnection->SetCreateDatabaseScript(QString::fromUtf8(script.readAll()).split(u'\n'));
    }
    ASSERT_TRUE(dm->CreateDatabase()) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->SelectDatabase(TDM::DatabaseName())) << qPrintable(dm->LastErrorText());
    m_created = true;
}

void DataModuleTest::TearDown()
{
    if (m_created) {
        const QStringList breaches = ShopRuleBreaches(database, shopRules);
        EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches.join(u'\n'));
    }
    dm.reset();
    runOn(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(database));
    for (const QString &role : roles + QStringList{database})
        runOn(QStringLiteral("postgres"), QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(role));
    qunsetenv("TARMIL5_DATABASE");
    qunsetenv("TARMIL5_HOME");
}

QString DataModuleTest::sql(const QString &statement)
{
    bool ok = false;
    const QString error = runOn(database, statement, &ok);
    EXPECT_TRUE(ok) << qPrintable(statement) << ": " << qPrintable(error);
    return ok ? QString() : error;
}

QString DataModuleTest::scalar(const QString &query)
{
    bool ok = false;
    const QString value = runOn(database, query, &ok);
    EXPECT_TRUE(ok) << qPrintable(query) << ": " << qPrintable(value);
    return value;
}

int DataModuleTest::modulePid() const
{
    return PQbackendPID(dm->MSSQLADOConnection->Connection().handle());
}

void DataModuleTest::endModuleSession()
{
    const int pid = modulePid();
    sql(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid));
    QElapsedTimer waited;
    waited.start();
    while (scalar(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE pid=%1").arg(pid)) != "0" &&
           waited.elapsed() < 5000)
        QThread::msleep(20);
}

std::unique_ptr<TDM> DataModuleTest::till() const
{
    auto other = std::make_unique<TDM>();
    EXPECT_TRUE(other->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) &&
                other->SelectDatabase(TDM::DatabaseName()))
        << qPrintable(other->LastErrorText());
    return other;
}

QString DataModuleTest::lockWaits(int count)
{
    QStringList waits;
    QElapsedTimer timer;
    timer.start();
    do {
        waits = scalar("SELECT string_agg(wait_event || ' ' || coalesce(substring(lower(query) from 'tab_[a-z_]+'), "
                       "query), '|' ORDER BY 1) FROM pg_stat_activity WHERE datname = current_database() "
                       "AND wait_event_type = 'Lock'")
                    .split(u'|', Qt::SkipEmptyParts);
        if (waits.size() < count)
            QThread::msleep(20);
    } while (waits.size() < count && timer.elapsed() < 20000);
    return waits.join(u'|');
}

int DataModuleTest::newItem(const QString &mark, Currency quantity, Currency price, const QString &category)
{
    EXPECT_TRUE(dm->NewItem(itemOf(mark, quantity, price, category))) << qPrintable(dm->LastErrorText());
    return scalar(QStringLiteral("SELECT max(ID_POLOZKA) FROM tab_polozka")).toInt();
}

TDMItem DataModuleTest::itemOf(const QString &mark, Currency quantity, Currency price, const QString &category)
{
    TDMItem item;
    item.OZNACENI = item.KOD = mark;
    item.POLOZKA = QStringLiteral("Položka ") + mark;
    item.SPECIFIKACE = QStringLiteral("-");
    item.DPH = Currency::fromInt(20);
    item.SKLAD = QStringLiteral("Sklad-01");
    item.KATEGORIE = category;
    item.DODAVATEL = QStringLiteral("-");
    item.NAKUP = price / 2;
    item.PRODEJ = price;
    item.MNOZSTVI = quantity;
    item.JEDNOTKA = QStringLiteral("ks");
    item.MINIMUM = Currency::fromInt(1);
    return item;
}

qint64 DataModuleTest::currentKey(TMSSQLADOQuery *list, const QString &key)
{
    if (!list->Active() || list->IsEmpty())
        return -1;
    return list->FieldByName(key).AsInteger();
}

QList<qint64> DataModuleTest::keys(TMSSQLADOQuery *list, const QString &key)
{
    QList<qint64> result;
    Db::Dataset clone;
    clone.Clone(*list);
    for (clone.First(); !clone.Eof(); clone.Next())
        result << clone.FieldByName(key).AsInteger();
    return result;
}

QString DataModuleTest::roleName(const QString &suffix)
{
    roles << database + QLatin1Char('_') + suffix;
    return roles.last();
}
