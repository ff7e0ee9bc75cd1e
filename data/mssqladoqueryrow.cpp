// Bringing a list up to date by the rows a write changed: reading them by
// their keys and putting them in their places among the rows already read.
#include "data/mssqladoquery.h"

#include "data/rowkeytests.h"

#include "platform/db/connection.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstring>

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

namespace {
// Reading the rows of some keys costs a plan, a look-up for each key and a
// search for its place, and a pass over the rows listed; reading the whole
// list costs each row listed, about a third of what a key costs. Past a
// quarter of the list the whole costs less.
bool wholeReadCostsLess(int keys, int listed)
{
    return keys > 64 && keys * 4 > listed;
}

// The keys as an array's text: each quoted, so any key's text stands whole.
QByteArray keyArray(const QList<Variant> &keys)
{
    QByteArray text = "{";
    for (const Variant &key : keys) {
        if (text.size() > 1)
            text += ',';
        text += '"' + key.toString().toUtf8().replace('\\', "\\\\").replace('"', "\\\"") + '"';
    }
    return text + '}';
}
} // namespace

// The statement reading the rows of the keys, and its parameters: the list's
// own with the keys in its parameter :KLICE; false when the list has none.
bool TMSSQLADOQuery::rowRead(const QList<Variant> &keys, QString &sql, QList<Db::Param> &params)
{
    if (!m_rowsByKeys || !GetConnection() || !FindParam(QLatin1String(RowKeysParameter)))
        return false;
    // The statement follows the list's text, which changes with its sort
    // order and filter. The rows' order among the others is this side's work.
    if (m_rowStatementOf != SQL()) {
        m_rowStatementOf = SQL();
        m_rowStatement = m_rowStatementOne = Db::TranslatedSql();
        // Only a text made from the template, whose marks state every test
        // of the keys, tells the reads of rows what to ask.
        const QString filled = fillPlaceholders(FormatSQLText());
        const StatedRowKeys whole = StateRowKeyTests(filled, RowKeysRead::WholeList);
        if (whole.marks == 0 || whole.keysNamedAside || whole.text != SQL())
            return false;
        auto statement = [&](RowKeysRead read) {
            QString text = StateRowKeyTests(filled, read).text;
            const qsizetype order = text.lastIndexOf(QStringLiteral("ORDER BY"), -1, Qt::CaseInsensitive);
            if (order > 0)
                text.truncate(order);
            return Db::TranslateParameters(text);
        };
        m_rowStatement = statement(RowKeysRead::Keys);
        m_rowStatementOne = statement(RowKeysRead::OneKey);
    }
    if (m_rowStatement.sql.isEmpty())
        return false;
    const Db::TranslatedSql &statement = keys.size() == 1 && !plannedEachRun() ? m_rowStatementOne : m_rowStatement;
    for (const QString &name : statement.names) {
        if (name.compare(QLatin1String(RowKeysParameter), Qt::CaseInsensitive) == 0) {
            params << Db::Param{keyArray(keys), false, 0};
            continue;
        }
        const Db::Parameter *p = FindParam(name);
        params << (p && !p->IsNull() ? Db::Param{*p->Text(), false, 0} : Db::Param::null());
    }
    sql = statement.sql;
    return true;
}

// A list planned for each run's values has its rows read so too: a plan
// made for any keys would read the whole store for a few of them.
Db::Result TMSSQLADOQuery::readRows(const QList<Variant> &keys)
{
    QString sql;
    QList<Db::Param> params;
    if (!rowRead(keys, sql, params))
        return Db::Result();
    return plannedEachRun() ? GetConnection()->exec(sql, params) : GetConnection()->execPrepared(sql, params);
}

void TMSSQLADOQuery::prefetchRow(const Variant &key)
{
    QString sql;
    QList<Db::Param> params;
    if (CanSpliceRows() && !plannedEachRun() && rowRead({key}, sql, params))
        GetConnection()->sendWithNext(sql, params);
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

// The same for each of the keys; integer keys in one look at the column.
std::vector<int> TMSSQLADOQuery::keyRows(const Db::Snapshot &rows, int keyColumn, const QList<Variant> &keys)
{
    std::vector<qint64> values;
    for (const Variant &key : keys) {
        const QByteArray text = key.toString().toUtf8();
        const std::optional<qint64> value = Db::TextForm::parseInteger(text.constData(), int(text.size()));
        if (!value)
            break;
        values.push_back(*value);
    }
    if (values.size() == size_t(keys.size()))
        if (std::optional<std::vector<int>> found = rows.rowsOfKeys(keyColumn, values))
            return std::move(*found);
    std::vector<int> found;
    for (const Variant &key : keys)
        found.push_back(keyRow(rows, keyColumn, key.toString().toUtf8()));
    return found;
}

// The places of the rows read among the rows left once `removed` (ascending)
// are out, as (place, row read) by place and in the order: before the first
// row that sorts after each. False when a row ties with another, listed or
// read (the server's order of equal rows is its own).
bool TMSSQLADOQuery::placeRows(const Db::RowOrder &order, const Db::Snapshot &rows, const std::vector<int> &removed,
                               const Db::Snapshot &added, std::vector<std::pair<int, int>> &inserted) const
{
    std::vector<int> left;
    left.reserve(size_t(rows.rowCount()));
    for (int row = 0, out = 0; row < rows.rowCount(); ++row) {
        if (out < int(removed.size()) && removed[size_t(out)] == row)
            ++out;
        else
            left.push_back(row);
    }
    inserted.clear();
    for (int row = 0; row < added.rowCount(); ++row) {
        size_t low = 0, high = left.size();
        while (low < high) {
            const size_t middle = (low + high) / 2;
            const int compared = order.compare(added, row, rows, left[middle]);
            if (compared == 0)
                return false;
            if (compared < 0)
                high = middle;
            else
                low = middle + 1;
        }
        inserted.emplace_back(int(low), row);
    }
    auto before = [&](const std::pair<int, int> &a, const std::pair<int, int> &b) {
        return a.first != b.first ? a.first < b.first : order.compare(added, a.second, added, b.second) < 0;
    };
    std::sort(inserted.begin(), inserted.end(), before);
    for (size_t i = 1; i < inserted.size(); ++i)
        if (!before(inserted[i - 1], inserted[i]))
            return false;
    return true;
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
    QList<Variant> wanted; // each key once
    QSet<QString> seen;
    for (const Variant &key : keys) {
        const QString text = key.isEmpty() ? QString() : key.toString();
        if (text.isEmpty())
            return false;
        if (!seen.contains(text)) {
            seen.insert(text);
            wanted << key;
        }
    }
    const std::optional<Db::RowOrder> order = rowOrder();
    const Db::SnapshotPtr rows = snapshot();
    if (!order || wholeReadCostsLess(int(wanted.size()), rows->rowCount()))
        return false;
    // The rows must stand in the order this side reads from the text; checked
    // once for the rows of each re-query, spliced rows keep it.
    if (m_orderedRows.lock() != rows) {
        if (!order->holds(*rows))
            return false;
        m_orderedRows = rows;
    }
    const Db::Result read = readRows(wanted);
    if (!read.hasRows() || (read.rowCount() > 0 && !rows->sameColumns(read)))
        return false;
    const int keyColumn = keyField->Index();
    const Db::Snapshot added(read, *rows);
    // Each row read is of one of the keys, and of none that another row has.
    QSet<QByteArray> readKeys;
    for (int row = 0; row < added.rowCount(); ++row) {
        const QByteArray key = added.rawText(row, keyColumn);
        if (!seen.contains(QString::fromUtf8(key)) || readKeys.contains(key))
            return false;
        readKeys.insert(key);
    }
    std::vector<int> removed;
    for (int row : keyRows(*rows, keyColumn, wanted)) {
        if (row == -2)
            return false;
        if (row >= 0)
            removed.push_back(row);
    }
    std::sort(removed.begin(), removed.end());
    std::vector<std::pair<int, int>> inserted;
    if (!placeRows(*order, *rows, removed, added, inserted))
        return false;
    const Db::SnapshotPtr next = rows->spliced(removed, read, inserted);
    if (!next)
        return false;
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
