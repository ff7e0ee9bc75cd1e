// Locating, bookmarks and the client-side filter of Dataset.
#include "platform/db/dataset.h"

#include "platform/db/filterexpression.h"

namespace Db {

namespace {

// A typed reading of the searched text for an exact match; nothing when the
// text cannot be a value of the field's type (then no row matches).
struct ExactValue
{
    bool valid = false;
    qint64 integer = 0;
    Currency currency;
    double floating = 0;
    bool boolean = false;
    QString text;
};

ExactValue exactValue(FieldType type, const QString &value)
{
    ExactValue v;
    const QString t = value.trimmed();
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        v.integer = t.toLongLong(&v.valid);
        break;
    case FieldType::Currency:
        if (const auto c = Currency::parse(t)) {
            v.currency = *c;
            v.valid = true;
        }
        break;
    case FieldType::Float: {
        QString n = t;
        n.replace(u',', u'.');
        v.floating = n.toDouble(&v.valid);
        break;
    }
    case FieldType::Boolean: {
        const QString l = t.toLower();
        v.valid = !l.isEmpty();
        v.boolean = l == u"true" || l == u"1" || l == u"a" || l == u"ano" || l == u"t";
        break;
    }
    default:
        v.text = value;
        v.valid = true;
    }
    return v;
}

} // namespace

int Dataset::findRow(const Field &field, const QString &value, LocateOptions options) const
{
    if (!m_snapshot || !field.IsBound())
        return -1;
    const Db::Snapshot &snap = *m_snapshot;
    const int c = field.Index();
    const int count = visibleCount();
    const FieldType type = field.DataType();
    const bool textual = options != LocateOptions() || type == FieldType::String || type == FieldType::DateTime ||
                         type == FieldType::Bytes;
    if (textual) {
        const Qt::CaseSensitivity cs = options.testFlag(loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const bool partial = options.testFlag(loPartialKey);
        for (int pos = 0; pos < count; ++pos) {
            const int row = snapshotRow(pos);
            if (snap.isNull(row, c))
                continue;
            const QString text = field.StringAt(row);
            if (partial ? text.startsWith(value, cs) : text.compare(value, cs) == 0)
                return pos;
        }
        return -1;
    }
    const ExactValue wanted = exactValue(type, value);
    if (!wanted.valid)
        return -1;
    if (!m_filterActive && (type == FieldType::Integer || type == FieldType::LargeInt)) {
        // Keys are looked up often (row keeping after every write): by index.
        if (const std::optional<int> row = snap.indexedRow(c, wanted.integer))
            return *row;
    }
    for (int pos = 0; pos < count; ++pos) {
        const int row = snapshotRow(pos);
        if (snap.isNull(row, c))
            continue;
        bool same = false;
        switch (type) {
        case FieldType::Integer:
        case FieldType::LargeInt:
            same = snap.integer(row, c) == wanted.integer;
            break;
        case FieldType::Currency:
            same = snap.currency(row, c) == wanted.currency;
            break;
        case FieldType::Float:
            same = snap.floating(row, c) == wanted.floating;
            break;
        case FieldType::Boolean:
            same = snap.boolean(row, c) == wanted.boolean;
            break;
        default:
            break;
        }
        if (same)
            return pos;
    }
    return -1;
}

bool Dataset::Locate(const QString &fieldName, const Variant &value, LocateOptions options)
{
    const Field *field = FindField(fieldName);
    if (!field)
        throw DatabaseError(QStringLiteral("Pole „%1“ nebylo nalezeno.").arg(fieldName));
    if (value.isEmpty())
        return false;
    int pos = findRow(*field, value.toString(), options);
    // Not among the rows read so far: among all of them.
    if (pos < 0 && readAllRows())
        pos = findRow(*field, value.toString(), options);
    if (pos < 0)
        return false;
    moveTo(pos, true);
    m_bof = m_eof = false;
    return true;
}

std::vector<CellText> Dataset::rowKey(const SnapshotPtr &snapshot, int row) const
{
    std::vector<CellText> key;
    if (!snapshot || row < 0)
        return key;
    auto cellText = [&](int c) -> CellText {
        if (snapshot->isNull(row, c))
            return std::nullopt;
        return snapshot->rawText(row, c);
    };
    const QStringList names = KeyFields.split(u';', Qt::SkipEmptyParts);
    if (names.isEmpty()) {
        for (int c = 0; c < snapshot->columnCount(); ++c)
            key.push_back(cellText(c));
    } else {
        for (const QString &name : names) {
            const int c = snapshot->columnIndex(name.trimmed());
            key.push_back(c >= 0 ? cellText(c) : CellText());
        }
    }
    return key;
}

Bookmark Dataset::GetBookmark() const
{
    const int row = currentRow();
    return Bookmark{m_snapshot, row, rowKey(m_snapshot, row)};
}

namespace {
int findPosition(const Dataset &dataset, const std::function<bool(int)> &matches)
{
    for (int pos = 0; pos < dataset.RecordCount(); ++pos) {
        if (matches(dataset.snapshotRow(pos)))
            return pos;
    }
    return -1;
}
} // namespace

bool Dataset::BookmarkValid(const Bookmark &bookmark) const
{
    if (!bookmark.IsValid() || !m_snapshot)
        return false;
    if (bookmark.snapshot == m_snapshot)
        return findPosition(*this, [&](int row) { return row == bookmark.row; }) >= 0;
    auto byKey = [&](int row) { return rowKey(m_snapshot, row) == bookmark.key; };
    return findPosition(*this, byKey) >= 0 || (readAllRows() && findPosition(*this, byKey) >= 0);
}

bool Dataset::GotoBookmark(const Bookmark &bookmark)
{
    if (!bookmark.IsValid() || !m_snapshot)
        return false;
    int pos;
    if (bookmark.snapshot == m_snapshot) {
        pos = m_filterActive ? findPosition(*this, [&](int row) { return row == bookmark.row; })
                             : (bookmark.row < m_snapshot->rowCount() ? bookmark.row : -1);
    } else {
        auto byKey = [&](int row) { return rowKey(m_snapshot, row) == bookmark.key; };
        pos = findPosition(*this, byKey);
        if (pos < 0 && readAllRows())
            pos = findPosition(*this, byKey);
    }
    if (pos < 0)
        return false;
    moveTo(pos, true);
    m_bof = m_eof = false;
    return true;
}

void Dataset::SetFilter(const QString &text)
{
    if (m_filtered && Active()) {
        std::unique_ptr<FilterExpression> parsed;
        if (!text.trimmed().isEmpty())
            parsed = FilterExpression::Parse(text, *this);
        m_filterText = text;
        m_filterExpression = std::move(parsed);
        rebuildVisibleRows();
        goFirstQuietly();
        notify(DataEvent::DataSetChanged);
    } else {
        m_filterText = text;
        m_filterExpression.reset();
    }
}

void Dataset::SetFiltered(bool filtered)
{
    if (filtered == m_filtered)
        return;
    if (filtered && Active() && !m_filterText.trimmed().isEmpty())
        m_filterExpression = FilterExpression::Parse(m_filterText, *this); // throws: stays unfiltered
    m_filtered = filtered;
    if (!filtered)
        m_filterExpression.reset();
    if (!Active())
        return;
    rebuildVisibleRows();
    goFirstQuietly();
    notify(DataEvent::DataSetChanged);
}

void Dataset::setFilterPredicate(std::function<bool(const Dataset &)> predicate)
{
    m_filterPredicate = std::move(predicate);
    if (m_filtered && Active()) {
        rebuildVisibleRows();
        goFirstQuietly();
        notify(DataEvent::DataSetChanged);
    }
}

bool Dataset::rowMatchesFilter(int row) const
{
    if (m_filterExpression && !m_filterExpression->Matches(row))
        return false;
    if (m_filterPredicate) {
        auto *self = const_cast<Dataset *>(this);
        self->m_evaluatingRow = row;
        const bool passed = m_filterPredicate(*this);
        self->m_evaluatingRow = -1;
        return passed;
    }
    return true;
}

void Dataset::rebuildVisibleRows()
{
    // A filter chooses among all the rows.
    if (m_filtered && m_snapshot && (m_filterExpression || m_filterPredicate))
        readAllRows();
    m_visible.clear();
    m_filterActive = m_filtered && m_snapshot && (m_filterExpression || m_filterPredicate);
    if (!m_filterActive)
        return;
    for (int row = 0; row < m_snapshot->rowCount(); ++row) {
        if (rowMatchesFilter(row))
            m_visible.push_back(row);
    }
    if (m_pos >= int(m_visible.size()))
        m_pos = int(m_visible.size()) - 1;
}

} // namespace Db
