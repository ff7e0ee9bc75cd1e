// The search over a twin dataset: the twin lists the same rows with more
// columns and is filtered on the searched value; the list then walks to its
// first (or next) row whose key the filtered twin holds.
#include "data/mssqladoquery.h"
#include "platform/db/connection.h"
#include "platform/messages.h"

#include <QElapsedTimer>

#include <QSet>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The searched value as a quoted literal of the filter language, so an
// apostrophe is searched for rather than ending the text.
QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\'', QStringLiteral("''"));
    return u'\'' + escaped + u'\'';
}

// The value is searched for as it was typed: its own wildcards and
// backslashes are escaped.
QString likeCondition(const QString &fieldName, const QString &value)
{
    QString literal;
    for (const QChar c : value) {
        if (c == u'%' || c == u'*' || c == u'\\')
            literal += u'\\';
        literal += c;
    }
    return fieldName + QStringLiteral(" LIKE ") + quoted(u'%' + literal + u'%');
}

bool isNumber(const QString &text)
{
    bool ok = false;
    QString(text.trimmed()).replace(u',', u'.').toDouble(&ok);
    return ok;
}

bool isIntegral(const Db::Field &field)
{
    return field.DataType() == Db::FieldType::Integer || field.DataType() == Db::FieldType::LargeInt;
}

// The keys the filtered twin lists, as text without regard to case; integer
// keys (whose texts are their numbers) as numbers, compared without a text
// made for each row of the list.
class TwinKeys
{
public:
    TwinKeys(Db::Dataset &twin, const QString &keyFieldName, const Db::Field &listKey)
    {
        const Db::Field &key = twin.FieldByName(keyFieldName);
        m_numbers = isIntegral(key) && isIntegral(listKey);
        for (int pos = 0; pos < twin.RecordCount(); ++pos) {
            const int row = twin.snapshotRow(pos);
            if (key.IsNullAt(row))
                continue;
            if (m_numbers)
                m_integers.insert(twin.snapshot()->integer(row, key.Index()));
            else
                m_texts.insert(key.StringAt(row).toCaseFolded());
        }
    }
    // Whether a row of the list's rows read is one of them.
    bool contains(const Db::Dataset &list, const Db::Field &listKey, int row) const
    {
        if (listKey.IsNullAt(row))
            return false;
        return m_numbers ? m_integers.contains(list.snapshot()->integer(row, listKey.Index()))
                         : m_texts.contains(listKey.StringAt(row).toCaseFolded());
    }

    // The first of the list's rows read, from `position` on, whose key is one
    // of them, found in the list's column of keys where its rows are all
    // shown and their integer keys each once: -1 when none; nothing when the
    // rows are to be looked through one by one.
    std::optional<int> indexedPosition(const Db::Dataset &list, const Db::Field &listKey, int position) const
    {
        if (!m_numbers || list.RecordCount() != list.snapshot()->rowCount())
            return std::nullopt;
        const auto rows =
            list.snapshot()->rowsOfKeys(listKey.Index(), std::vector<qint64>(m_integers.begin(), m_integers.end()));
        if (!rows)
            return std::nullopt;
        int first = -1;
        for (const int row : *rows) {
            if (row == -2)
                return std::nullopt;
            if (row >= position && (first == -1 || row < first))
                first = row;
        }
        return first;
    }

    // The keys, when they are integers.
    std::optional<std::vector<qint64>> integers() const
    {
        if (!m_numbers)
            return std::nullopt;
        return std::vector<qint64>(m_integers.begin(), m_integers.end());
    }

private:
    bool m_numbers = false;
    QSet<qint64> m_integers;
    QSet<QString> m_texts;
};

// Whether the twin finds on the server (and lists each match once).
bool decides(const Db::Dataset *twin)
{
    const auto *query = qobject_cast<const TMSSQLADOQuery *>(twin);
    return query && query->SearchDecides;
}

} // namespace

// A search that cannot run (the twin does not open, a column is missing)
// finds nothing; its reason becomes the connection's last error, where the
// caller reads it.
bool TMSSQLADOQuery::searchFailed(const std::exception &error)
{
    m_searchFailed = true;
    Db::Connection *connection = GetConnection();
    if (!connection && m_searchDataset)
        connection = m_searchDataset->GetConnection();
    if (connection) {
        if (const auto *server = dynamic_cast<const Db::DatabaseError *>(&error))
            connection->reportError(server->error().message, server->error().sqlState);
        else
            connection->reportError(QString::fromUtf8(error.what()));
    }
    return false;
}

// A search is one action: a session lost under it ends it, with the loss as
// its reason, and none of its later statements runs on a renewed session.
void TMSSQLADOQuery::holdSearchSession(std::optional<Db::SessionHold> &hold, Db::Dataset *searchDataset)
{
    Db::Connection *connection = GetConnection();
    if (!connection && searchDataset)
        connection = searchDataset->GetConnection();
    if (connection)
        hold.emplace(*connection);
}

bool TMSSQLADOQuery::startSearch(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value,
                                 const QStringList &fieldNames)
{
    if (!searchDataset || value.isEmpty() || value.toString().isEmpty())
        return false;
    m_searchDataset = searchDataset;
    m_searchKeyField = keyFieldName;
    searchDataset->Close();
    searchDataset->SetFiltered(false);
    searchDataset->SetFilter(QString());
    if (!searchDataset->ControlsDisabled())
        searchDataset->DisableControls(); // nobody watches the twin
    m_twinWhole = false;
    m_searchFailed = false;
    auto *twin = qobject_cast<TMSSQLADOQuery *>(searchDataset);
    if (twin && twin->SearchPrepare)
        twin->SearchPrepare(*twin, fieldNames, value.toString());
    if (!decides(searchDataset))
        searchDataset->Open();
    return true;
}

namespace {

// A statement of the search that runs longer than a second shows the
// progress window, whose "Přerušit" cancels it on the server.
class SearchWait
{
public:
    explicit SearchWait(Db::Connection *connection)
        : m_connection(connection)
    {
        if (!m_connection)
            return;
        m_timer.start();
        m_connection->setWaitHook([this] {
            if (!m_shown && m_timer.elapsed() >= 1000) {
                m_shown = true;
                ShowProgress(caption());
            }
            return !m_shown || (Messages().stepProgress(caption(), 0) && !Messages().progressInterrupted());
        });
    }
    ~SearchWait()
    {
        if (m_connection)
            m_connection->setWaitHook({});
        if (m_shown)
            HideProgress();
    }
    SearchWait(const SearchWait &) = delete;
    SearchWait &operator=(const SearchWait &) = delete;

private:
    static QString caption() { return QStringLiteral("Hledání..."); }
    Db::Connection *m_connection;
    QElapsedTimer m_timer;
    bool m_shown = false;
};

} // namespace

// The deciding twin opened for the rows of these keys, or for all.
void TMSSQLADOQuery::openTwin(const std::optional<QByteArray> &keys)
{
    m_searchDataset->Close();
    if (Db::Parameter *p = m_searchDataset->FindParam(QLatin1String(SearchKeysParameter))) {
        p->Clear();
        if (keys)
            p->SetText(*keys);
    }
    const SearchWait wait(m_searchDataset->GetConnection());
    m_searchDataset->Open();
    m_twinWhole = !keys;
}

// The rows from the current one on asked of the deciding twin first: a value
// on most rows is found among them at once, where the whole list's matches
// would be read through the index of all of them.
bool TMSSQLADOQuery::matchAhead(const Db::Field &key)
{
    if (!decides(m_searchDataset) || m_twinWhole)
        return false;
    const int position = RecNo() - 1;
    const int end = std::min(RecordCount(), position + 64);
    if (position >= end)
        return false;
    QByteArray keys = "{";
    for (int pos = position; pos < end; ++pos) {
        const int row = snapshotRow(pos);
        if (key.IsNullAt(row))
            continue;
        if (keys.size() > 1)
            keys += ',';
        keys += QByteArray::number(snapshot()->integer(row, key.Index()));
    }
    openTwin(keys + '}');
    if (m_searchDataset->IsEmpty())
        return false;
    const TwinKeys found(*m_searchDataset, m_searchKeyField, key);
    for (int pos = position; pos < end; ++pos) {
        if (found.contains(*this, key, snapshotRow(pos))) {
            SetRecNo(pos + 1);
            return true;
        }
    }
    return false;
}

bool TMSSQLADOQuery::FindFirstInField(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value,
                                      const Db::Field *field)
{
    if (!field)
        return false;
    std::optional<Db::SessionHold> hold;
    holdSearchSession(hold, searchDataset);
    try {
        if (!startSearch(searchDataset, keyFieldName, value, {field->FieldName()}))
            return false;
        if (decides(searchDataset))
            return walkToMatch(true);
        const QString text = value.toString();
        QString filter;
        if (field->DataType() == Db::FieldType::String)
            filter = likeCondition(field->FieldName(), text);
        else if (field->DataType() != Db::FieldType::Boolean)
            filter = field->FieldName() + QStringLiteral(" = ") + quoted(text);
        return filterAndWalk(filter);
    } catch (const std::exception &error) {
        return searchFailed(error);
    }
}

bool TMSSQLADOQuery::FindFirstInFields(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value)
{
    std::optional<Db::SessionHold> hold;
    holdSearchSession(hold, searchDataset);
    try {
        if (!startSearch(searchDataset, keyFieldName, value, {}))
            return false;
        if (decides(searchDataset))
            return walkToMatch(true);
        const QString text = value.toString();
        // One condition per column, each tried on its own: a condition the
        // column cannot take is left out again.
        QString filter;
        for (const Db::Field *field : searchDataset->Fields()) {
            if (!field->IsBound())
                continue;
            QString condition;
            if (field->DataType() == Db::FieldType::String)
                condition = likeCondition(field->FieldName(), text);
            else if (field->DataType() != Db::FieldType::Boolean && isNumber(text))
                condition = field->FieldName() + QStringLiteral(" = ") + quoted(text);
            if (condition.isEmpty())
                continue;
            const QString candidate = filter.isEmpty() ? condition : filter + QStringLiteral(" OR ") + condition;
            try {
                searchDataset->SetFilter(candidate);
                searchDataset->SetFiltered(true);
                searchDataset->SetFiltered(false);
                filter = candidate;
            } catch (const Db::DatabaseError &) {
                // Not a failure of the search: the column is left out.
                searchDataset->SetFiltered(false);
            }
        }
        return filterAndWalk(filter);
    } catch (const std::exception &error) {
        return searchFailed(error);
    }
}

bool TMSSQLADOQuery::filterAndWalk(const QString &filter)
{
    if (filter.isEmpty())
        return false;
    m_searchDataset->SetFilter(filter);
    m_searchDataset->SetFiltered(true);
    if (m_searchDataset->IsEmpty())
        return false;
    return walkToMatch(true);
}

bool TMSSQLADOQuery::FindNextMatch()
{
    m_searchFailed = false;
    if (!m_searchDataset || !m_searchDataset->Active() || Eof())
        return false;
    if (m_searchDataset->IsEmpty() && (!decides(m_searchDataset) || m_twinWhole))
        return false;
    std::optional<Db::SessionHold> hold;
    holdSearchSession(hold, m_searchDataset);
    try {
        return walkToMatch(false);
    } catch (const std::exception &error) {
        return searchFailed(error);
    }
}

// Where the first row of a few found keys stands in the list from `position`
// on (-1: none of them there): each row read by its key and looked for where
// the list's order puts it, a few rows looked at rather than the key of every
// row held (a long list's first search would read the whole key column).
// Nothing when a row is not where its order puts it, or is not read: the
// caller looks through the rows.
std::optional<int> TMSSQLADOQuery::orderedPosition(const std::vector<qint64> &keys, const Db::Field &key, int position)
{
    const std::optional<Db::RowOrder> order = rowOrder();
    const Db::SnapshotPtr rows = snapshot();
    if (keys.empty() || keys.size() > 8 || !order || !CanSpliceRows() || RecordCount() != rows->rowCount())
        return std::nullopt;
    const Db::Result read = readRows(QList<Variant>(keys.begin(), keys.end()));
    if (!read.hasRows() || read.rowCount() != int(keys.size()) || !rows->sameColumns(read))
        return std::nullopt;
    const Db::Snapshot found(read, *rows);
    int first = -1;
    for (int row = 0; row < found.rowCount(); ++row) {
        int low = 0, high = rows->rowCount(), at = -1;
        while (low < high && at < 0) {
            const int middle = low + (high - low) / 2;
            const int compared = order->compare(found, row, *rows, middle);
            if (compared == 0)
                at = middle;
            else if (compared < 0)
                high = middle;
            else
                low = middle + 1;
        }
        if (at < 0 || rows->isNull(at, key.Index()) ||
            rows->integer(at, key.Index()) != found.integer(row, key.Index()))
            return std::nullopt;
        if (at >= position && (first < 0 || at < first))
            first = at;
    }
    return first;
}

bool TMSSQLADOQuery::walkToMatch(bool fromFirst)
{
    const Db::Field &key = FieldByName(m_searchKeyField);
    const Variant before = key.Value();
    bool found = false;
    {
        Db::ControlsOff off(*this);
        if (fromFirst) {
            First();
            m_lastMatch = key.Value();
        } else {
            Next();
        }
        if (!Eof() && matchAhead(key)) {
            m_lastMatch = key.Value();
            return true;
        }
        if (decides(m_searchDataset) && !m_twinWhole) {
            openTwin(std::nullopt);
            // Nothing holds the value: the list stays where it stood.
            if (fromFirst && m_searchDataset->IsEmpty()) {
                Locate(m_searchKeyField, before);
                return false;
            }
        }
        const TwinKeys keys(*m_searchDataset, m_searchKeyField, key);
        // A key column the list already holds answers at once; else a few
        // rows read by their keys, where making the column would read a long
        // list's every row.
        std::optional<int> placed;
        if (const std::optional<std::vector<qint64>> found = keys.integers();
            found && decides(m_searchDataset) && !snapshot()->hasKeyColumn(key.Index()))
            placed = orderedPosition(*found, key, RecNo() - 1);
        // The rows read are looked through where they lie and the cursor goes
        // only to the match: a step of the cursor per row costs a large shop
        // more than the rest of the search. Past them Next reads the rest of
        // a list read in pages, as it did at each step.
        while (!Eof()) {
            const int count = RecordCount();
            int position = RecNo() - 1;
            if (placed)
                position = *std::exchange(placed, std::nullopt) < 0 ? count : *placed;
            else if (const std::optional<int> indexed = keys.indexedPosition(*this, key, position))
                position = *indexed < 0 ? count : *indexed;
            else
                while (position < count && !keys.contains(*this, key, snapshotRow(position)))
                    ++position;
            if (position < count) {
                SetRecNo(position + 1);
                m_lastMatch = key.Value();
                found = true;
                break;
            }
            SetRecNo(count);
            Next();
        }
        if (!found)
            Locate(m_searchKeyField, m_lastMatch); // back to the previous match (or the first row)
    }
    return found && !Eof();
}
