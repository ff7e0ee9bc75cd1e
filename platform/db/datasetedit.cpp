// Editing a row of a Dataset and writing the changed columns back.
#include "platform/db/dataset.h"

#include "platform/db/connection.h"

#include <map>

namespace Db {

namespace {

struct TableColumns
{
    QString qualifiedName;        // "schema"."table"
    std::map<int, QString> names; // attribute number -> column name
    std::vector<int> key;         // primary key attribute numbers
};

TableColumns describeTable(Connection &connection, Oid table)
{
    static const QString sql =
        QStringLiteral("SELECT n.nspname, c.relname, a.attnum, a.attname, "
                       "       COALESCE(a.attnum = ANY (pk.conkey), false) "
                       "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                       "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
                       "LEFT JOIN pg_constraint pk ON pk.conrelid = c.oid AND pk.contype = 'p' "
                       "WHERE c.oid = $1 ORDER BY a.attnum");
    const Result result = connection.exec(sql, {Param::of(QString::number(table))});
    if (!result.succeeded())
        throw DatabaseError(connection.errors().value(0));
    TableColumns table_;
    for (int r = 0; r < result.rowCount(); ++r) {
        if (table_.qualifiedName.isEmpty())
            table_.qualifiedName = Connection::quoteIdentifier(result.cellText(r, 0)) + u'.' +
                                   Connection::quoteIdentifier(result.cellText(r, 1));
        const int attnum = result.cellText(r, 2).toInt();
        table_.names[attnum] = result.cellText(r, 3);
        if (result.cellText(r, 4) == u"t")
            table_.key.push_back(attnum);
    }
    return table_;
}

DatabaseError refusal(const QString &fieldName, const QString &reason)
{
    return DatabaseError(QStringLiteral("Hodnotu pole „%1“ nelze uložit: %2").arg(fieldName, reason));
}

} // namespace

const CellText *Dataset::pendingValue(int column) const
{
    if (m_pending.empty() || m_evaluatingRow >= 0)
        return nullptr;
    const auto it = m_pending.find(column);
    return it == m_pending.end() ? nullptr : &it->second;
}

void Dataset::Edit()
{
    if (m_state == DataSetState::Edit)
        return;
    if (!Active() || currentRow() < 0)
        throw DatabaseError(QStringLiteral("Není vybrán žádný řádek k úpravě."));
    m_pending.clear();
    m_state = DataSetState::Edit;
    emit stateChange();
}

void Dataset::setPendingValue(Field *field, const CellText &text)
{
    if (m_state != DataSetState::Edit)
        throw DatabaseError(QStringLiteral("Řádek není upravován."));
    if (field->ReadOnly || !field->IsBound())
        throw refusal(field->FieldName(), QStringLiteral("pole je jen pro čtení."));
    m_pending[field->Index()] = text;
    emit dataChange(field);
    notify(DataEvent::RecordChanged, field);
}

void Dataset::Cancel()
{
    if (m_state != DataSetState::Edit)
        return;
    m_pending.clear();
    m_state = DataSetState::Browse;
    emit stateChange();
    notify(DataEvent::RecordChanged);
}

void Dataset::Post()
{
    if (m_state != DataSetState::Edit)
        return;
    writeBack(); // throws and stays in editing when refused
    const int row = currentRow();
    for (const auto &[column, text] : m_pending)
        m_snapshot->overwrite(row, column, text);
    m_pending.clear();
    m_state = DataSetState::Browse;
    emit stateChange();
    notify(DataEvent::RecordChanged);
}

void Dataset::writeBack()
{
    if (m_pending.empty())
        return;
    if (!m_connection)
        throw DatabaseError(QStringLiteral("Dotaz není připojen k databázi."));
    const int row = currentRow();
    // One UPDATE per base table, keyed by the table's primary key columns,
    // which must be among the result's columns.
    std::map<Oid, std::vector<int>> byTable;
    for (const auto &[column, text] : m_pending) {
        const ColumnInfo &info = m_snapshot->column(column);
        if (info.table == 0)
            throw refusal(info.name, QStringLiteral("sloupec není sloupcem tabulky."));
        byTable[info.table].push_back(column);
    }
    for (const auto &[table, columns] : byTable) {
        const TableColumns described = describeTable(*m_connection, table);
        if (described.key.empty())
            throw refusal(m_snapshot->column(columns.front()).name, QStringLiteral("tabulka nemá primární klíč."));
        QStringList assignments, conditions;
        QList<Param> params;
        for (int column : columns) {
            const CellText &text = m_pending.at(column);
            params << (text ? Param{*text, false, 0} : Param::null());
            assignments << QStringLiteral("%1 = $%2")
                               .arg(Connection::quoteIdentifier(
                                   described.names.at(m_snapshot->column(column).tableColumn)))
                               .arg(params.size());
        }
        for (int attnum : described.key) {
            int keyColumn = -1;
            for (int c = 0; c < m_snapshot->columnCount(); ++c) {
                if (m_snapshot->column(c).table == table && m_snapshot->column(c).tableColumn == attnum)
                    keyColumn = c;
            }
            if (keyColumn < 0 || m_snapshot->isNull(row, keyColumn))
                throw refusal(m_snapshot->column(columns.front()).name,
                              QStringLiteral("klíč tabulky není ve výsledku dotazu."));
            params << Param{m_snapshot->rawText(row, keyColumn), false, 0};
            conditions << QStringLiteral("%1 = $%2")
                              .arg(Connection::quoteIdentifier(described.names.at(attnum)))
                              .arg(params.size());
        }
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                .arg(described.qualifiedName, assignments.join(QStringLiteral(", ")),
                                     conditions.join(QStringLiteral(" AND ")));
        const Result result = m_connection->exec(sql, params);
        if (!result.succeeded())
            throw DatabaseError(m_connection->errors().value(0));
        if (result.affectedRows() != 1)
            throw refusal(m_snapshot->column(columns.front()).name, QStringLiteral("řádek již v databázi není."));
    }
}

} // namespace Db
