// The search over a twin dataset: the twin lists the same rows with more
// columns and is filtered on the searched value; the list then walks to its
// first (or next) row whose key the filtered twin holds.
#include "data/mssqladoquery.h"
#include "platform/db/connection.h"

#include <QSet>

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
    // Whether the list's current row is one of them.
    bool contains(const Db::Field &listKey) const
    {
        if (listKey.IsNull())
            return false;
        return m_numbers ? m_integers.contains(listKey.AsInteger())
                         : m_texts.contains(listKey.AsString().toCaseFolded());
    }

private:
    bool m_numbers = false;
    QSet<qint64> m_integers;
    QSet<QString> m_texts;
};

} // namespace

// A search that cannot run (the twin does not open, a column is missing)
// finds nothing; its reason becomes the connection's last error, where the
// caller reads it.
bool TMSSQLADOQuery::searchFailed(const std::exception &error)
{
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
    if (auto *twin = qobject_cast<TMSSQLADOQuery *>(searchDataset); twin && twin->SearchPrepare)
        twin->SearchPrepare(*twin, fieldNames, value.toString());
    searchDataset->Open();
    return true;
}

bool TMSSQLADOQuery::FindFirstInField(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value,
                                      const Db::Field *field)
{
    if (!field)
        return false;
    try {
        if (!startSearch(searchDataset, keyFieldName, value, {field->FieldName()}))
            return false;
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
    try {
        if (!startSearch(searchDataset, keyFieldName, value, {}))
            return false;
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
    if (!m_searchDataset || !m_searchDataset->Active() || m_searchDataset->IsEmpty() || Eof())
        return false;
    try {
        return walkToMatch(false);
    } catch (const std::exception &error) {
        return searchFailed(error);
    }
}

bool TMSSQLADOQuery::walkToMatch(bool fromFirst)
{
    const Db::Field &key = FieldByName(m_searchKeyField);
    const TwinKeys keys(*m_searchDataset, m_searchKeyField, key);
    bool found = false;
    {
        Db::ControlsOff off(*this);
        if (fromFirst) {
            First();
            m_lastMatch = key.Value();
        } else {
            Next();
        }
        for (; !Eof(); Next()) {
            if (keys.contains(key)) {
                m_lastMatch = key.Value();
                found = true;
                break;
            }
        }
        if (!found)
            Locate(m_searchKeyField, m_lastMatch); // back to the previous match (or the first row)
    }
    return found && !Eof();
}
