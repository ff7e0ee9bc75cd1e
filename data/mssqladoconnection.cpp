#include "data/mssqladoconnection.h"

#include "platform/inifile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString ServersSection = QStringLiteral("Servery");
constexpr int RememberedServers = 10;

bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.unicode() < 32;
}

QString trimBatch(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    return text.mid(begin, end - begin);
}

// A value of a libpq connection string: in single quotes, with quotes and
// backslashes escaped.
QString conninfoValue(const QString &value)
{
    QString escaped = value;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + escaped + u'\'';
}

} // namespace

TMSSQLADOConnection::TMSSQLADOConnection(QObject *parent)
    : QObject(parent)
{}

QString TMSSQLADOConnection::ProgramDatabaseName()
{
    const QString name = qEnvironmentVariable("TARMIL5_DATABASE");
    return name.isEmpty() ? QStringLiteral("tarmil5") : name;
}

QString TMSSQLADOConnection::ServerDatabaseName(const QString &database)
{
    return database.compare(QStringLiteral("master"), Qt::CaseInsensitive) == 0 ? QStringLiteral("postgres") : database;
}

bool TMSSQLADOConnection::ConnectDatabase(const QString &server, const QString &database, const QString &user,
                                          const QString &password)
{
    m_connection.close();
    if (!m_connection.open(server, ServerDatabaseName(database), user, password))
        return false;
    rememberServer(server);
    return true;
}

TDatabasePresence TMSSQLADOConnection::DatabasePresence(const QString &name)
{
    const Db::Result result =
        m_connection.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_database WHERE datname = $1)"),
                          {Db::Param::of(ServerDatabaseName(name))});
    if (!result.hasRows() || result.rowCount() != 1)
        return TDatabasePresence::Unknown;
    return result.cellText(0, 0) == u"t" ? TDatabasePresence::Exists : TDatabasePresence::Absent;
}

bool TMSSQLADOConnection::DatabaseExists(const QString &name)
{
    return DatabasePresence(name) == TDatabasePresence::Exists;
}

int TMSSQLADOConnection::FindSeparator(const QString &text)
{
    static const QString separators[] = {QStringLiteral(" GO"), QStringLiteral("\nGO")};
    qsizetype best = -1;
    for (const QString &separator : separators) {
        const qsizetype at = text.indexOf(separator);
        if (at >= 0 && (best < 0 || at < best))
            best = at;
    }
    return int(best + 1);
}

void TMSSQLADOConnection::SplitScript()
{
    QString text;
    for (const QString &line : m_script)
        text += line + QStringLiteral("\r\n");
    m_batches.clear();
    while (!text.isEmpty()) {
        const int p = FindSeparator(text);
        if (p > 0) {
            const QString batch = trimBatch(text.left(p - 1));
            if (!batch.isEmpty())
                m_batches << batch;
            text.remove(0, p + 2);
        } else {
            const QString batch = trimBatch(text);
            if (!batch.isEmpty())
                m_batches << batch;
            text.clear();
        }
    }
}

QString TMSSQLADOConnection::createStatement(const QString &database)
{
    return QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' "
                          "LOCALE_PROVIDER icu ICU_LOCALE 'cs-CZ' LOCALE 'C.UTF-8'")
        .arg(Db::Connection::quoteIdentifier(database));
}

bool TMSSQLADOConnection::openSide(Db::Connection &side, const QString &database)
{
    if (side.open(m_connection.server(), ServerDatabaseName(database), m_connection.user(), m_connection.password()))
        return true;
    m_connection.setErrors(side.errors());
    return false;
}

bool TMSSQLADOConnection::CreateDatabase(const QString &database)
{
    SplitScript();
    if (m_batches.isEmpty()) {
        m_connection.reportError(QStringLiteral("Skript pro vytvoření databáze je prázdný."));
        return false;
    }
    const QString quotedName = Db::Connection::quoteIdentifier(database);
    Db::Connection server;
    if (!openSide(server, QStringLiteral("postgres")))
        return false;
    const QString first = QString(m_batches.first()).replace(QStringLiteral("%DATABASE%"), quotedName);
    if (!server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedName)).succeeded() ||
        !server.exec(first).succeeded()) {
        m_connection.setErrors(server.errors());
        return false;
    }
    Db::Connection created;
    if (!openSide(created, database))
        return false;
    for (qsizetype i = 1; i < m_batches.size(); ++i) {
        if (!created.exec(m_batches[i]).succeeded()) {
            m_connection.setErrors(created.errors());
            return false;
        }
    }
    m_connection.setErrors({});
    return true;
}

QString TMSSQLADOConnection::toolConnection(const QString &database) const
{
    const Db::ServerAddress address = Db::ServerAddress::parse(m_connection.server());
    QStringList parts{QStringLiteral("dbname=") + conninfoValue(ServerDatabaseName(database)),
                      QStringLiteral("application_name=") +
                          conninfoValue(QString::fromLatin1(Db::Connection::ApplicationName))};
    if (!address.host.isEmpty())
        parts << QStringLiteral("host=") + conninfoValue(address.host);
    if (!address.port.isEmpty())
        parts << QStringLiteral("port=") + conninfoValue(address.port);
    if (!m_connection.user().isEmpty())
        parts << QStringLiteral("user=") + conninfoValue(m_connection.user());
    return parts.join(u' ');
}

bool TMSSQLADOConnection::runTool(const QString &program, const QStringList &arguments, QByteArray *output)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        m_connection.reportError(QStringLiteral("Program %1 nebyl nalezen.").arg(program));
        return false;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The password reaches the tool in its environment, never on its command line.
    if (!m_connection.password().isEmpty())
        environment.insert(QStringLiteral("PGPASSWORD"), m_connection.password());
    environment.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("15"));
    process.setProcessEnvironment(environment);
    process.start(path, arguments);
    if (!process.waitForStarted()) {
        m_connection.reportError(QStringLiteral("Program %1 nelze spustit.").arg(program));
        return false;
    }
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (output)
        *output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QString message = QString::fromUtf8(process.readAllStandardError()).trimmed();
        if (message.isEmpty())
            message = QStringLiteral("Program %1 skončil s chybou %2.").arg(program).arg(process.exitCode());
        m_connection.reportError(message);
        return false;
    }
    m_connection.setErrors({});
    return true;
}

bool TMSSQLADOConnection::BackupDatabase(const QString &database, const QString &file)
{
    return runTool(QStringLiteral("pg_dump"),
                   {QStringLiteral("--format=custom"), QStringLiteral("--file=") + QFileInfo(file).absoluteFilePath(),
                    QStringLiteral("--dbname=") + toolConnection(database)});
}

bool TMSSQLADOConnection::VerifyBackup(const QString &file)
{
    QByteArray contents;
    if (!runTool(QStringLiteral("pg_restore"), {QStringLiteral("--list"), QFileInfo(file).absoluteFilePath()},
                 &contents))
        return false;
    if (contents.trimmed().isEmpty()) {
        m_connection.reportError(QStringLiteral("Soubor %1 neobsahuje zálohu databáze.").arg(file));
        return false;
    }
    return true;
}

// A new database lets every role of the server log in, and a backup holds
// what is in the database, not who may log in to it: as the creation script
// leaves it, only the shop's group role (named like the shop's database) and
// the owner may.
bool TMSSQLADOConnection::shopRolesOnly(Db::Connection &server, const QString &database, const QString &group)
{
    const QString quoted = Db::Connection::quoteIdentifier(database);
    if (!server.exec(QStringLiteral("REVOKE CONNECT, TEMPORARY ON DATABASE %1 FROM PUBLIC").arg(quoted)).succeeded())
        return false;
    const Db::Result role =
        server.exec(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = $1"), {Db::Param::of(group)});
    if (!role.succeeded())
        return false;
    return role.rowCount() == 0 || server
                                       .exec(QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE %1 TO %2")
                                                 .arg(quoted, Db::Connection::quoteIdentifier(group)))
                                       .succeeded();
}

bool TMSSQLADOConnection::RestoreDatabase(const QString &database, const QString &file)
{
    if (!VerifyBackup(file))
        return false;
    Db::Connection server;
    if (!openSide(server, QStringLiteral("postgres")))
        return false;
    const QString target = ServerDatabaseName(database);
    const QString staging = target.left(40) + QStringLiteral("_obnova_%1").arg(QCoreApplication::applicationPid());
    const QString quotedTarget = Db::Connection::quoteIdentifier(target);
    const QString quotedStaging = Db::Connection::quoteIdentifier(staging);
    auto failOn = [&](Db::Connection &session) {
        const QList<Db::ServerError> errors = session.errors();
        server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedStaging));
        m_connection.setErrors(errors);
        return false;
    };
    if (!server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedStaging)).succeeded() ||
        !server.exec(createStatement(staging)).succeeded())
        return failOn(server);
    if (!runTool(QStringLiteral("pg_restore"),
                 {QStringLiteral("--no-owner"), QStringLiteral("--exit-on-error"),
                  QStringLiteral("--single-transaction"), QStringLiteral("--dbname=") + toolConnection(staging),
                  QFileInfo(file).absoluteFilePath()})) {
        const QList<Db::ServerError> errors = m_connection.errors();
        server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedStaging));
        m_connection.setErrors(errors);
        return false;
    }
    if (!shopRolesOnly(server, staging, target))
        return failOn(server);
    // Nor does it hold the settings made on the database: the creation script
    // has the server compile no statement to machine code.
    if (!server.exec(QStringLiteral("ALTER DATABASE %1 SET jit = off").arg(quotedStaging)).succeeded())
        return failOn(server);
    // Only now is the old database given up for the restored one.
    if (!server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedTarget)).succeeded() ||
        !server.exec(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(quotedStaging, quotedTarget)).succeeded())
        return failOn(server);
    if (m_connection.database() == target) // our own session was ended by the drop
        m_connection.open(m_connection.server(), target, m_connection.user(), m_connection.password());
    m_connection.setErrors({});
    return true;
}

qint64 TMSSQLADOConnection::DatabaseSizeKB()
{
    const Db::Result r = m_connection.exec(QStringLiteral("SELECT pg_database_size(current_database()) / 1024"));
    return r.hasRows() && r.rowCount() > 0 && !r.cellIsNull(0, 0) ? r.cellText(0, 0).toLongLong() : 0;
}

qint64 TMSSQLADOConnection::DatabaseUsedKB()
{
    const Db::Result r = m_connection.exec(
        QStringLiteral("SELECT (COALESCE(sum(pg_total_relation_size(oid)), 0) / 1024)::bigint FROM pg_class "
                       "WHERE relkind IN ('r', 'm') AND NOT relisshared"));
    return r.hasRows() && r.rowCount() > 0 && !r.cellIsNull(0, 0) ? r.cellText(0, 0).toLongLong() : 0;
}

QString TMSSQLADOConnection::ServerVersion()
{
    const Db::Result r = m_connection.exec(QStringLiteral("SELECT version()"));
    return r.hasRows() && r.rowCount() > 0 ? r.cellText(0, 0) : QString();
}

bool TMSSQLADOConnection::ListSQLServers(QStringList &list)
{
    list.clear();
    QString local = qEnvironmentVariable("PGHOST");
    if (local.isEmpty())
        local = QStringLiteral("localhost");
    if (!qEnvironmentVariable("PGPORT").isEmpty())
        local += u':' + qEnvironmentVariable("PGPORT");
    list << local;
    IniFile ini(Paths::iniFilePath());
    const int count = ini.readInteger(ServersSection, QStringLiteral("Count"), 0);
    for (int i = 0; i < count; ++i) {
        const QString server = ini.readString(ServersSection, QStringLiteral("Item%1").arg(i)).trimmed();
        if (!server.isEmpty() && !list.contains(server, Qt::CaseInsensitive))
            list << server;
    }
    return true;
}

void TMSSQLADOConnection::rememberServer(const QString &server)
{
    const QString name = server.trimmed();
    if (name.isEmpty())
        return;
    IniFile ini(Paths::iniFilePath());
    QStringList servers{name};
    const int count = ini.readInteger(ServersSection, QStringLiteral("Count"), 0);
    for (int i = 0; i < count && servers.size() < RememberedServers; ++i) {
        const QString other = ini.readString(ServersSection, QStringLiteral("Item%1").arg(i)).trimmed();
        if (!other.isEmpty() && !servers.contains(other, Qt::CaseInsensitive))
            servers << other;
    }
    ini.beginUpdate();
    ini.eraseSection(ServersSection);
    ini.writeInteger(ServersSection, QStringLiteral("Count"), int(servers.size()));
    for (int i = 0; i < servers.size(); ++i)
        ini.writeString(ServersSection, QStringLiteral("Item%1").arg(i), servers[i]);
    ini.endUpdate();
}
