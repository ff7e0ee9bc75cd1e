#include "platform/db/result.h"

namespace Db {

Result::Result(PGresult *result)
{
    if (result)
        m_result.reset(result, PQclear);
}

bool Result::succeeded() const
{
    if (!m_result)
        return false;
    const auto status = PQresultStatus(m_result.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool Result::hasRows() const
{
    return m_result && PQresultStatus(m_result.get()) == PGRES_TUPLES_OK;
}

QString Result::columnName(int column) const
{
    return QString::fromUtf8(PQfname(m_result.get(), column));
}

QString Result::cellText(int row, int column) const
{
    return QString::fromUtf8(cellData(row, column), cellLength(row, column));
}

int Result::affectedRows() const
{
    if (!m_result)
        return 0;
    return QByteArray(PQcmdTuples(m_result.get())).toInt();
}

} // namespace Db
