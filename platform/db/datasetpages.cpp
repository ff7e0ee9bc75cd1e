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
    readGuarded([&] { readRows(all); }, m_moreRows);
}

void Dataset::readGuarded(const std::function<void()> &read, bool &more)
{
    try {
        read();
    } catch (const DatabaseError &error) {
        // The rows read stay listed; the user is told why the rest is missing.
        more = false;
        ShowWarning(QStringLiteral("Další řádky seznamu se nepodařilo načíst."), error.text());
    }
}

std::vector<Result> Dataset::readParts(const std::vector<PageOrder::Part> &parts,
                                       const std::function<QString(const QString &)> &statement, bool all, int &count)
{
    // Read whole before any is shown: a part that fails leaves the list as it was.
    std::vector<Result> read;
    count = 0;
    for (const PageOrder::Part &part : parts) {
        Result result = runStatement(statement(part.condition), part.values, all ? 0 : m_pageRows - count);
        if (!result.succeeded())
            throw DatabaseError(m_connection->errors().value(0));
        if (result.rowCount() == 0)
            continue;
        if (!m_snapshot->sameColumns(result)) { // the table was changed meanwhile: a re-query shows it
            count = 0;
            return {};
        }
        count += result.rowCount();
        read.push_back(std::move(result));
        if (!all && count >= m_pageRows)
            break;
    }
    return read;
}

void Dataset::readRows(bool all)
{
    if (!CanFetchMore() || !m_connection || !m_snapshot || !m_pageOrder || m_snapshot->rowCount() == 0)
        return;
    QList<Param> bound;
    const std::vector<PageOrder::Part> parts =
        m_pageOrder->after(*m_snapshot, m_snapshot->rowCount() - 1, boundParams(bound) + 1);
    int count = 0;
    std::vector<Result> read = readParts(
        parts, [this](const QString &condition) { return m_pageOrder->statement(m_translatedSql, condition); }, all,
        count);
    m_moreRows = !all && count >= m_pageRows;
    if (read.empty())
        return;
    for (Result &rows : read)
        m_snapshot = m_snapshot->withRows(std::move(rows));
    rebuildVisibleRows();
    if (m_pos < 0 && visibleCount() > 0)
        goFirstQuietly();
    notify(DataEvent::DataSetChanged);
}

bool Dataset::readAllRows() const
{
    if (!CanFetchMore() && !CanFetchBefore())
        return false;
    // Reading the rest does not change what the rows are, only how many of
    // them are here: it may happen on a look-up as well as on a move.
    auto *self = const_cast<Dataset *>(this);
    if (CanFetchBefore())
        self->fetchBefore(true);
    if (CanFetchMore())
        self->fetchRows(true);
    return true;
}

void Dataset::FetchBefore()
{
    fetchBefore(false);
}

void Dataset::fetchBefore(bool all)
{
    readGuarded([&] { readRowsBefore(all); }, m_moreBefore);
}

void Dataset::readRowsBefore(bool all)
{
    if (!CanFetchBefore() || !m_connection || !m_snapshot || !m_pageOrder || m_snapshot->rowCount() == 0)
        return;
    const std::optional<QString> backwardsText = PageOrder::reversedText(m_translatedSql);
    if (!backwardsText)
        return;
    const PageOrder backwards = m_pageOrder->reversed();
    QList<Param> bound;
    const std::vector<PageOrder::Part> parts = backwards.after(*m_snapshot, 0, boundParams(bound) + 1);
    int count = 0;
    std::vector<Result> read = readParts(
        parts, [&](const QString &condition) { return backwards.statement(*backwardsText, condition); }, all, count);
    m_moreBefore = !all && count >= m_pageRows;
    if (read.empty())
        return;
    for (Result &rows : read)
        m_snapshot = m_snapshot->withRowsBefore(std::move(rows));
    rebuildVisibleRows();
    // The cursor stays on its row, now further down.
    if (m_pos >= 0 && !m_filterActive)
        m_pos += count;
    else if (m_pos < 0 && visibleCount() > 0)
        goFirstQuietly();
    notify(DataEvent::DataSetChanged);
}

bool Dataset::readLastPage()
{
    if (!CanFetchMore() || !m_pageOrder || m_filterActive || m_filtered || !m_connection || !m_snapshot)
        return false;
    const std::optional<QString> backwardsText = PageOrder::reversedText(m_translatedSql);
    if (!backwardsText)
        return false;
    Result result = runStatement(*backwardsText, {}, m_pageRows);
    if (!result.succeeded()) {
        ShowWarning(QStringLiteral("Další řádky seznamu se nepodařilo načíst."),
                    m_connection->errors().value(0).line());
        m_moreRows = false;
        return true;
    }
    if (!m_snapshot->sameColumns(result))
        return false;
    m_moreBefore = result.rowCount() >= m_pageRows;
    m_moreRows = false;
    install(Snapshot::backwards(std::move(result)));
    goFirstQuietly();
    notify(DataEvent::DataSetChanged);
    return true;
}

void Dataset::readFirstPage()
{
    try {
        execute(true);
    } catch (const DatabaseError &error) {
        ShowWarning(QStringLiteral("Další řádky seznamu se nepodařilo načíst."), error.text());
        return;
    }
    goFirstQuietly();
    notify(DataEvent::DataSetChanged);
}

} // namespace Db
