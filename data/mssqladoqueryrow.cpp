// Bringing a list up to date by one row: reading the row by its key and
// putting it in its place among the rows already read.
#include "data/mssqladoquery.h"

#include "platform/db/connection.h"

#include <QRegularExpression>

#include <cstring>

void TMSSQLADOQuery::SetRowRead(const QString &scope, const QString &condition)
{
    m_rowScope = scope;
    m_rowCondition = condition;
    m_rowStatementOf.clear();
}

// The terms after the text's last ORDER BY, each a column of the list:
// "table.COLUMN" for a field of that origin, or the name of a result column.
// Read once for each text and field list.
std::optional<Db::RowOrder> TMSSQLADOQuery::rowOrder()
{
    if (m_rowOrderOf == SQL() && m_rowOrderFields == FieldsStamp())
        return m_rowOrder;
    m_rowOrderOf = SQL();
    m_rowOrderFields = FieldsStamp();
    m_rowOrder = readRowOrder();
    return m_rowOrder;
}

std::optional<Db::RowOrder> TMSSQLADOQuery::readRowOrder() const
{
    const qsizetype at = SQL().lastIndexOf(QStringLiteral("ORDER BY"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    static const QRegularExpression term(QStringLiteral("^(?:(\\w+)\\.)?(\\w+)(?:\\s+(ASC|DESC))?$"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
    std::vector<Db::RowOrder::Term> terms;
    for (const QString &text : SQL().mid(at + 8).split(u',')) {
        const QRegularExpressionMatch match = term.match(text.trimmed());
        if (!match.hasMatch())
            return std::nullopt;
        const QString origin = match.captured(1), name = match.captured(2);
        const Db::Field *field = FindField(name);
        if (!field || !field->IsBound() ||
            (!origin.isEmpty() && field->Origin.compare(origin, Qt::CaseInsensitive) != 0))
            return std::nullopt;
        terms.push_back({field->Index(), match.captured(3).compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0});
    }
    return Db::RowOrder(std::move(terms));
}

// The statement reading the key's row, and its parameters; false when the
// list has none.
bool TMSSQLADOQuery::rowRead(const Variant &key, QString &sql, QList<Db::Param> &params)
{
    if (m_rowScope.isEmpty() || !GetConnection())
        return false;
    // The statement follows the list's text, which changes with its sort
    // order and filter.
    if (m_rowStatementOf != SQL()) {
        m_rowStatementOf = SQL();
        QString text = SQL();
        text.replace(m_rowScope, m_rowScope + QStringLiteral(" AND ") + m_rowCondition);
        // One row by its key: its order among the others is this side's work.
        const qsizetype order = text.lastIndexOf(QStringLiteral("ORDER BY"), -1, Qt::CaseInsensitive);
        if (order > 0)
            text.truncate(order);
        m_rowStatement = text == SQL() ? Db::TranslatedSql() : Db::TranslateParameters(text);
    }
    if (m_rowStatement.sql.isEmpty())
        return false;
    for (const QString &name : m_rowStatement.names) {
        if (name.compare(QStringLiteral("KLIC"), Qt::CaseInsensitive) == 0) {
            params << Db::Param::of(key.toString());
            continue;
        }
        const Db::Parameter *p = FindParam(name);
        params << (p && !p->IsNull() ? Db::Param{*p->Text(), false, 0} : Db::Param::null());
    }
    sql = m_rowStatement.sql;
    return true;
}

Db::Result TMSSQLADOQuery::readRow(const Variant &key)
{
    QString sql;
    QList<Db::Param> params;
    return rowRead(key, sql, params) ? GetConnection()->execPrepared(sql, params) : Db::Result();
}

void TMSSQLADOQuery::prefetchRow(const Variant &key)
{
    QString sql;
    QList<Db::Param> params;
    if (CanSpliceRows() && rowRead(key, sql, params))
        GetConnection()->sendWithNext(sql, params);
}

// The row's place among the rows left once `removed` is out: before the first
// row that sorts after it. -1 when it ties with a row (the server's order of
// equal rows is its own).
int TMSSQLADOQuery::placeRow(const Db::RowOrder &order, const Db::Snapshot &rows, int removed,
                             const Db::Snapshot &row) const
{
    const int count = rows.rowCount() - (removed >= 0 ? 1 : 0);
    auto physical = [removed](int i) { return removed >= 0 && i >= removed ? i + 1 : i; };
    int low = 0, high = count;
    while (low < high) {
        const int middle = (low + high) / 2;
        const int order_ = order.compare(row, 0, rows, physical(middle));
        if (order_ == 0)
            return -1;
        if (order_ < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// Where the key's row stands (-1: nowhere, -2: listed twice, so no key): in
// the rows' copy of an integer key column, else by a look at every row.
int TMSSQLADOQuery::keyRow(const Db::Snapshot &rows, int keyColumn, const QByteArray &keyText)
{
    const std::optional<qint64> keyValue = Db::TextForm::parseInteger(keyText.constData(), int(keyText.size()));
    if (const std::optional<int> row = keyValue ? rows.rowOfKey(keyColumn, *keyValue) : std::nullopt)
        return *row;
    int found = -1;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const char *data;
        int length;
        if (!rows.cell(row, keyColumn, data, length) || length != keyText.size() ||
            std::memcmp(data, keyText.constData(), size_t(length)) != 0)
            continue;
        if (found >= 0)
            return -2;
        found = row;
    }
    return found;
}

// The rows of the keys as they stand now, one result each (no row: gone from
// the list); empty when a read failed.
std::vector<Db::Result> TMSSQLADOQuery::readRows(const QList<Variant> &keys)
{
    if (keys.size() == 1)
        return {readRow(keys.front())};
    QList<Db::Statement> statements;
    for (const Variant &key : keys) {
        Db::Statement statement;
        if (!rowRead(key, statement.sql, statement.params))
            return {};
        statements << statement;
    }
    const QList<Db::Result> results = GetConnection()->execPipeline(statements, Db::PipelineMode::Reads);
    return std::vector<Db::Result>(results.begin(), results.end());
}

bool TMSSQLADOQuery::RefreshRow(const QString &keyFieldName, const Variant &key, bool moveToRow)
{
    return RefreshRows(keyFieldName, {key}, moveToRow ? key : Variant());
}

bool TMSSQLADOQuery::RefreshRows(const QString &keyFieldName, const QList<Variant> &keys, const Variant &moveTo,
                                 bool orEarlier)
{
    const Db::Field *keyField = FindField(keyFieldName);
    if (!CanSpliceRows() || !keyField || !keyField->IsBound() || keys.isEmpty())
        return false;
    for (const Variant &key : keys)
        if (key.isEmpty() || key.toString().isEmpty())
            return false;
    const std::optional<Db::RowOrder> order = rowOrder();
    const Db::SnapshotPtr rows = snapshot();
    if (!order)
        return false;
    // The rows must stand in the order this side reads from the text; checked
    // once for the rows of each re-query, spliced rows keep it.
    if (m_orderedRows.lock() != rows) {
        if (!order->holds(*rows))
            return false;
        m_orderedRows = rows;
    }
    const std::vector<Db::Result> reads = readRows(keys);
    if (reads.size() != size_t(keys.size()))
        return false;
    const int keyColumn = keyField->Index();
    Db::SnapshotPtr next = rows;
    for (qsizetype k = 0; k < keys.size(); ++k) {
        const Db::Result &read = reads[size_t(k)];
        if (!read.hasRows() || read.rowCount() > 1 || (read.rowCount() == 1 && !rows->sameColumns(read)))
            return false;
        const int removed = keyRow(*next, keyColumn, keys[k].toString().toUtf8());
        if (removed == -2)
            return false;
        int at = -1;
        if (read.rowCount() == 1) {
            at = placeRow(*order, *next, removed, Db::Snapshot(read, *rows));
            if (at < 0)
                return false;
        }
        next = next->spliced(removed, read, at);
        if (!next)
            return false;
    }
    showSplicedRows(next, positionAfter(*rows, *next, keyColumn, moveTo, orEarlier));
    m_orderedRows = next;
    if (OnRefreshQuery)
        OnRefreshQuery(this);
    return true;
}

// The row the cursor goes to, as a re-query followed by LocateOrRestore
// (moveTo) or RestorePosition leaves it: the key's row when listed, else the
// row the cursor was on or (orEarlier) the nearest one before it that is
// still listed, else the first row (-1).
int TMSSQLADOQuery::positionAfter(const Db::Snapshot &before, const Db::Snapshot &after, int keyColumn,
                                  const Variant &moveTo, bool orEarlier) const
{
    if (!moveTo.isEmpty() && !moveTo.toString().isEmpty()) {
        const int row = keyRow(after, keyColumn, moveTo.toString().toUtf8());
        if (row >= 0)
            return row;
    }
    for (int row = currentRow(); row >= 0; --row) {
        const int now = keyRow(after, keyColumn, before.rawText(row, keyColumn));
        if (now >= 0)
            return now;
        if (!orEarlier)
            break;
    }
    return -1;
}
