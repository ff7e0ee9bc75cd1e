#include "app/admin/sqlconsolerun.h"

#include "data/dm.h"
#include "platform/db/servererror.h"

namespace {
const QString kDone = QStringLiteral("SQL příkaz úspěšně dokončen...");
const QString kFailed = QStringLiteral("SQL příkaz obsahuje chybu, SQL příkaz nebyl proveden...");
} // namespace

SqlStatementKind ClassifyStatement(const QString &text)
{
    const QString upper = text.toUpper();
    if (upper.startsWith(u"SELECT"))
        return SqlStatementKind::Query;
    for (const char *word : {"UPDATE", "INSERT", "DELETE"})
        if (upper.startsWith(QLatin1String(word)))
            return SqlStatementKind::RowCount;
    return SqlStatementKind::Other;
}

QStringList SqlConsoleRun::failure()
{
    QStringList lines{kFailed, QString()};
    for (const Db::ServerError &error : m_dm.MSSQLADOConnection->Connection().errors())
        lines << error.line();
    if (lines.size() == 2)
        lines << m_dm.LastErrorText();
    return lines;
}

QStringList SqlConsoleRun::Run(const QString &text)
{
    QStringList lines;
    TMSSQLADOQuery *query = m_dm.MSSQLADOQuery_SQL;
    Db::Connection &connection = m_dm.MSSQLADOConnection->Connection();
    try {
        switch (ClassifyStatement(text)) {
        case SqlStatementKind::Query:
            query->Close();
            query->setPlainSql(text);
            query->Open();
            lines << kDone << QString() << QStringLiteral("Počet záznamů: %1").arg(query->RecordCount());
            break;
        case SqlStatementKind::RowCount:
            if (m_dm.ExecuteSQL(text))
                lines << kDone << QString()
                      << QStringLiteral("Počet dotčených záznamů: %1").arg(m_dm.MSSQLADOCommand->RowsAffected());
            else
                lines << failure();
            break;
        case SqlStatementKind::Other:
            if (m_dm.ExecuteSQL(text))
                lines << kDone;
            else
                lines << failure();
            break;
        }
    } catch (const Db::DatabaseError &error) {
        lines << kFailed << QString() << error.text();
    }
    // The program's connection never stays inside a transaction the console
    // opened (a BEGIN without COMMIT, or a failure inside one).
    if (connection.inTransaction()) {
        connection.rollback();
        lines << QString()
              << QStringLiteral("Příkaz ponechal otevřenou transakci, transakce byla odvolána (ROLLBACK).");
    }
    return lines;
}
