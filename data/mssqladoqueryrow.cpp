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

bool TMSSQLADOQuery::RefreshRow(const QString &keyFieldName, const Variant &key, bool moveToRow)
{
    const Db::Field *keyField = FindField(keyFieldName);
    if (!CanSpliceRows() || !keyField || !keyField->IsBound() || key.isEmpty() || key.toString().isEmpty())
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
    const Db::Result read = readRow(key);
    if (!read.hasRows() || read.rowCount() > 1 || (read.rowCount() == 1 && !rows->sameColumns(read)))
        return false;
    // Where the key's row stands now (a key listed twice is no key): in the
    // rows' copy of an integer key column, else by a look at every row.
    const QByteArray keyText = key.toString().toUtf8();
    const int keyColumn = keyField->Index();
    const std::optional<qint64> keyValue = Db::TextForm::parseInteger(keyText.constData(), int(keyText.size()));
    const std::optional<int> keyRow = keyValue ? rows->rowOfKey(keyColumn, *keyValue) : std::nullopt;
    if (keyRow == -2)
        return false;
    int removed = keyRow.value_or(-1);
    for (int row = 0; !keyRow && row < rows->rowCount(); ++row) {
        const char *data;
        int length;
        if (!rows->cell(row, keyColumn, data, length) || length != keyText.size() ||
            std::memcmp(data, keyText.constData(), size_t(length)) != 0)
            continue;
        if (removed >= 0)
            return false;
        removed = row;
    }
    const bool added = read.rowCount() == 1;
    int at = -1;
    if (added) {
        const Db::Snapshot row(read, *rows);
        at = placeRow(*order, *rows, removed, row);
        if (at < 0)
            return false;
    }
    const Db::SnapshotPtr next = rows->spliced(removed, read, at);
    if (!next)
        return false;
    // The cursor, as RestorePosition or LocateOrRestore would set it.
    const int current = currentRow();
    int position = -1;
    if (added && (moveToRow || current == removed)) {
        position = at;
    } else if (current >= 0 && current == removed) {
        position = removed - 1; // the row before it, or the first row
    } else if (current >= 0) {
        position = current - (removed >= 0 && current > removed ? 1 : 0);
        if (added && at <= position)
            ++position;
    }
    showSplicedRows(next, position);
    m_orderedRows = next;
    if (OnRefreshQuery)
        OnRefreshQuery(this);
    return true;
}
