#pragma once
// The data module's one connection: logging in, the creation script run
// batch by batch, and the maintenance commands (backup, verify and restore
// through the server's dump tools, reindex, log truncation, shrinking,
// sizes, version). Failures are reported by the results; the reason is
// LastErrorText().
#include "platform/db/connection.h"

#include <QObject>
#include <QStringList>

#include <functional>

enum class TDatabasePresence { Exists, Absent, Unknown };

class TMSSQLADOConnection : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList CreateDatabaseScript READ CreateDatabaseScript WRITE SetCreateDatabaseScript)
public:
    explicit TMSSQLADOConnection(QObject *parent = nullptr);

    Db::Connection &Connection() { return m_connection; }
    bool Connected() const { return m_connection.isOpen(); }

    // The program's database: "tarmil5", or TARMIL5_DATABASE when set.
    static QString ProgramDatabaseName();
    // "master" of the login stands for the server's maintenance database.
    static QString ServerDatabaseName(const QString &database);

    bool ConnectDatabase(const QString &server, const QString &database, const QString &user, const QString &password);
    // True only when the server said the database is there.
    bool DatabaseExists(const QString &name);
    // Tells a real absence from a server that could not be asked; only
    // Absent may lead to creating the database.
    TDatabasePresence DatabasePresence(const QString &name);

    const QStringList &CreateDatabaseScript() const { return m_script; }
    void SetCreateDatabaseScript(const QStringList &lines) { m_script = lines; }
    // 1-based position of the earliest separator (" GO" or LF "GO"), or 0.
    static int FindSeparator(const QString &text);
    void SplitScript();
    const QStringList &Batches() const { return m_batches; }
    // Drops a database of that name, runs the first batch (CREATE DATABASE,
    // "%DATABASE%" standing for the name) on the server and the others on
    // the new database.
    bool CreateDatabase(const QString &database = ProgramDatabaseName());

    // The maintenance steps of the start-up: each does its work without
    // holding up another session, only where there is some, and is false
    // with the server's text when the server refused it or skipped a part.
    // Work that would wait on another till (one that maintains, or holds a
    // transaction) is left for a later start: the step is true, and
    // maintenanceLeft() says what was left and why.
    bool TruncateLog(const QString &database);
    bool ReindexDatabase();
    bool ShrinkDatabase(const QString &database);
    const QString &maintenanceLeft() const { return m_left; }
    // The advisory lock that the till maintaining the database holds.
    static constexpr qint64 MaintainerLockKey = 0x7461726d696c35; // "tarmil5"
    bool BackupDatabase(const QString &database, const QString &file);
    bool VerifyBackup(const QString &file);
    // Restores into a new database first and replaces the old one only when
    // that succeeded, so a bad file never costs the existing data.
    bool RestoreDatabase(const QString &database, const QString &file);

    qint64 DatabaseSizeKB();
    qint64 DatabaseUsedKB();
    QString ServerVersion();
    QString LastErrorText() const { return m_connection.lastErrorText(); }

    // The local server, then the servers connected to before (newest first).
    bool ListSQLServers(QStringList &list);

private:
    // A second session on the same server, for work on another database.
    bool openSide(Db::Connection &side, const QString &database);
    bool runOn(const QString &database, const QString &sql);
    // Work on a database: in the connection's own session when it is there.
    bool onDatabase(const QString &database, const std::function<bool(Db::Connection &)> &work);
    // A maintenance step on a database, done only by the till that maintains.
    bool maintain(const QString &database, const std::function<bool(Db::Connection &)> &work);
    bool finishStep(Db::Connection &session, const QList<Db::ServerError> &refused, const QStringList &left);
    bool runTool(const QString &program, const QStringList &arguments, QByteArray *output = nullptr);
    QString toolConnection(const QString &database) const;
    void rememberServer(const QString &server);
    static QString createStatement(const QString &database);
    static bool shopRolesOnly(Db::Connection &server, const QString &database, const QString &group);

    Db::Connection m_connection;
    QStringList m_script;
    QStringList m_batches;
    QString m_left;
};
