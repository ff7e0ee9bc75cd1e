#include "data/mssqladocommand.h"

#include "platform/db/snapshot.h"

TMSSQLADOCommand::TMSSQLADOCommand(QObject *parent)
    : QObject(parent)
{}

bool TMSSQLADOCommand::ExecuteCommand()
{
    if (!m_connection)
        return false;
    const Db::Result result = m_connection->exec(m_text);
    m_rowsAffected = result.affectedRows();
    return result.succeeded();
}

bool TMSSQLADOCommand::ExecuteScalarResult(Variant &value)
{
    if (!m_connection)
        return false;
    Db::Result result = m_connection->exec(m_text);
    if (!result.hasRows() || result.rowCount() == 0 || result.columnCount() == 0) {
        if (result.succeeded()) // a command without rows: nothing to copy
            m_connection->reportError(QStringLiteral("Příkaz nevrátil žádný řádek."));
        return false;
    }
    value = Db::Snapshot(std::move(result)).value(0, 0);
    return true;
}
