// Reading a long list in pages (Dataset::setPageRows).
#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/messages.h"

namespace Db {

void Dataset::FetchMore()
{
    fetchRows(false);
}

void Dataset::FetchAll()
{
    fetchRows(true);
}

void Dataset::fetchRows(bool all)
{
    try {
        readRows(all);
    } catch (const DatabaseError &error) {
        // The rows read stay listed; the user is told why the rest is missing.
        m_moreRows = false;
        ShowWarning(QStringLiteral("Další řádky seznamu se nepodařilo načíst."), error.text());
    }
}

void Dataset::readRows(bool all)
{
    if (!CanFetchMore() || !m_connection || !m_snapshot)
        return;
    const Param offset{QByteArray::number(m_snapshot->rowCount()), false, 0};
    Result result =
        all ? run(QStringLiteral("OFFSET %1"), {offset})
            : run(QStringLiteral("LIMIT %1 OFFSET %2"), {Param{QByteArray::number(m_pageRows), false, 0}, offset});
    if (!result.succeeded())
        throw DatabaseError(m_connection->errors().value(0));
    m_moreRows = !all && result.rowCount() >= m_pageRows;
    if (result.rowCount() == 0)
        return;
    if (!m_snapshot->sameColumns(result)) { // the table was changed meanwhile: a re-query shows it
        m_moreRows = false;
        return;
    }
    m_snapshot = m_snapshot->withRows(std::move(result));
    rebuildVisibleRows();
    if (m_pos < 0 && visibleCount() > 0)
        goFirstQuietly();
    notify(DataEvent::DataSetChanged);
}

bool Dataset::readAllRows() const
{
    if (!CanFetchMore())
        return false;
    // Reading the rest does not change what the rows are, only how many of
    // them are here: it may happen on a look-up as well as on a move.
    const_cast<Dataset *>(this)->fetchRows(true);
    return true;
}

} // namespace Db
