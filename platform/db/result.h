#pragma once
// A statement's result as libpq returned it, shared by everyone who reads it
// (datasets and their clones keep it alive while they need it).
#include <QByteArray>
#include <QString>
#include <libpq-fe.h>

#include <memory>

namespace Db {

class Result
{
public:
    Result() = default;
    explicit Result(PGresult *result); // takes ownership

    bool isNull() const { return !m_result; }
    // A command or a query that the server completed.
    bool succeeded() const;
    bool hasRows() const;

    int rowCount() const { return m_result ? PQntuples(m_result.get()) : 0; }
    int columnCount() const { return m_result ? PQnfields(m_result.get()) : 0; }
    QString columnName(int column) const;
    Oid columnType(int column) const { return PQftype(m_result.get(), column); }
    int columnModifier(int column) const { return PQfmod(m_result.get(), column); }
    Oid columnTable(int column) const { return PQftable(m_result.get(), column); }
    int columnTableColumn(int column) const { return PQftablecol(m_result.get(), column); }

    bool cellIsNull(int row, int column) const { return PQgetisnull(m_result.get(), row, column); }
    const char *cellData(int row, int column) const { return PQgetvalue(m_result.get(), row, column); }
    int cellLength(int row, int column) const { return PQgetlength(m_result.get(), row, column); }
    QString cellText(int row, int column) const;

    // Rows changed by an INSERT, UPDATE or DELETE.
    int affectedRows() const;
    PGresult *handle() const { return m_result.get(); }

private:
    std::shared_ptr<PGresult> m_result;
};

} // namespace Db
