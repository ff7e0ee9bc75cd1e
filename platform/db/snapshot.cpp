#include "platform/db/snapshot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace Db {

namespace {
// Type oids of the server's built-in types (pg_type.dat).
enum : Oid {
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    BpcharOid = 1042,
    VarcharOid = 1043,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestampTzOid = 1184,
    NumericOid = 1700,
};

int digits(const char *p, int n)
{
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}
} // namespace

FieldType FieldTypeOf(Oid typeOid)
{
    switch (typeOid) {
    case Int2Oid:
    case Int4Oid:
    case OidOid:
        return FieldType::Integer;
    case Int8Oid:
        return FieldType::LargeInt;
    case NumericOid:
        return FieldType::Currency;
    case Float4Oid:
    case Float8Oid:
        return FieldType::Float;
    case BoolOid:
        return FieldType::Boolean;
    case DateOid:
    case TimeOid:
    case TimestampOid:
    case TimestampTzOid:
        return FieldType::DateTime;
    case ByteaOid:
        return FieldType::Bytes;
    default:
        return FieldType::String;
    }
}

Snapshot::Snapshot(Result result)
    : m_result(std::move(result))
{
    m_rowCount = m_resultRows = m_result.rowCount();
    const int columns = m_result.columnCount();
    m_columns.resize(size_t(columns));
    for (int c = 0; c < columns; ++c) {
        ColumnInfo &info = m_columns[size_t(c)];
        info.rawName = PQfname(m_result.handle(), c);
        info.name = QString::fromUtf8(info.rawName);
        info.typeOid = m_result.columnType(c);
        info.type = FieldTypeOf(info.typeOid);
        const int modifier = m_result.columnModifier(c);
        if ((info.typeOid == VarcharOid || info.typeOid == BpcharOid) && modifier > 4)
            info.size = modifier - 4;
        info.table = m_result.columnTable(c);
        info.tableColumn = m_result.columnTableColumn(c);
    }
}

Snapshot::Snapshot(Result result, const Snapshot &like)
    : m_result(std::move(result))
    , m_columns(like.m_columns)
{
    m_rowCount = m_resultRows = m_result.rowCount();
}

int Snapshot::columnIndex(const QString &name) const
{
    for (size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(c);
    }
    return -1;
}

const CellText *Snapshot::overlay(int row, int c) const
{
    if (m_overlay.empty())
        return nullptr;
    const auto it = m_overlay.find({row, c});
    return it == m_overlay.end() ? nullptr : &it->second;
}

bool Snapshot::resultCell(int row, int c, const char *&data, int &length) const
{
    if (m_spliced) {
        const int source = m_rows[size_t(row)];
        if (source < 0) {
            const OwnedRow &owned = (*m_owned)[size_t(-1 - source)];
            const auto [start, size] = owned.cells[size_t(c)];
            if (size < 0)
                return false;
            data = owned.text.constData() + start;
            length = size;
            return true;
        }
        row = source;
    }
    const Result *result = &m_result;
    if (!m_pages.empty() && row >= m_pageStarts.front()) {
        const size_t page =
            size_t(std::upper_bound(m_pageStarts.begin(), m_pageStarts.end(), row) - m_pageStarts.begin() - 1);
        result = &m_pages[page];
        row -= m_pageStarts[page];
    }
    if (result->cellIsNull(row, c))
        return false;
    data = result->cellData(row, c);
    length = result->cellLength(row, c);
    return true;
}

std::shared_ptr<Snapshot> Snapshot::withRows(Result more) const
{
    const int added = more.rowCount();
    auto copy = withPage(std::move(more));
    if (m_spliced) {
        for (int row = m_resultRows; row < m_resultRows + added; ++row)
            copy->m_rows.push_back(row);
    }
    return copy;
}

std::shared_ptr<Snapshot> Snapshot::withPage(Result page) const
{
    auto copy = std::make_shared<Snapshot>(*this);
    const int added = page.rowCount();
    if (added == 0)
        return copy;
    copy->m_pageStarts.push_back(m_resultRows);
    copy->m_pages.push_back(std::move(page));
    copy->m_resultRows = m_resultRows + added;
    copy->m_rowCount = m_rowCount + added;
    // Worked out again for all the rows when asked for.
    copy->m_sums.clear();
    copy->m_keyColumns.clear();
    return copy;
}

std::shared_ptr<Snapshot> Snapshot::backwards(Result rows)
{
    auto snapshot = std::make_shared<Snapshot>(std::move(rows));
    snapshot->m_spliced = true;
    snapshot->m_rows.resize(size_t(snapshot->m_rowCount));
    for (int row = 0; row < snapshot->m_rowCount; ++row)
        snapshot->m_rows[size_t(row)] = snapshot->m_rowCount - 1 - row;
    return snapshot;
}

std::shared_ptr<Snapshot> Snapshot::withRowsBefore(Result before) const
{
    const int added = before.rowCount();
    auto copy = withPage(std::move(before));
    if (added == 0)
        return copy;
    std::vector<int> rows;
    rows.reserve(size_t(added + m_rowCount));
    for (int k = added - 1; k >= 0; --k)
        rows.push_back(m_resultRows + k);
    for (int row = 0; row < m_rowCount; ++row)
        rows.push_back(m_spliced ? m_rows[size_t(row)] : row);
    copy->m_spliced = true;
    copy->m_rows = std::move(rows);
    // The rows written back moved down with their rows.
    copy->m_overlay.clear();
    for (const auto &[cell, text] : m_overlay)
        copy->m_overlay[{cell.first + added, cell.second}] = text;
    return copy;
}

bool Snapshot::cell(int row, int c, const char *&data, int &length) const
{
    if (const CellText *written = overlay(row, c)) {
        if (!*written)
            return false;
        data = (*written)->constData();
        length = int((*written)->size());
        return true;
    }
    return resultCell(row, c, data, length);
}

bool Snapshot::isNull(int row, int c) const
{
    const char *data;
    int length;
    return !cell(row, c, data, length);
}

Currency Snapshot::columnSum(int c) const
{
    const auto known = m_sums.find(c);
    if (known != m_sums.end())
        return known->second;
    Currency sum;
    for (int row = 0; row < m_rowCount; ++row)
        sum += currency(row, c); // an overflow throws, and nothing is kept
    m_sums[c] = sum;
    return sum;
}

bool Snapshot::sameColumns(const Result &added) const
{
    if (added.columnCount() != columnCount())
        return false;
    for (int c = 0; c < columnCount(); ++c) {
        if (added.columnType(c) != m_columns[size_t(c)].typeOid ||
            qstrcmp(m_columns[size_t(c)].rawName, PQfname(added.handle(), c)) != 0)
            return false;
    }
    return true;
}

std::shared_ptr<Snapshot> Snapshot::spliced(int removed, const Result &added, int at) const
{
    std::vector<int> out;
    if (removed >= 0 && removed < m_rowCount)
        out.push_back(removed);
    std::vector<std::pair<int, int>> in;
    if (added.rowCount() > 0)
        in.emplace_back(std::max(at, 0), 0);
    return spliced(out, added, in);
}

int Snapshot::own(const Result &added, int from)
{
    if (!m_owned)
        m_owned = std::make_shared<OwnedRows>();
    OwnedRow row;
    row.cells.resize(size_t(columnCount()), {0, -1});
    int total = 0;
    for (int c = 0; c < columnCount(); ++c)
        total += added.cellIsNull(from, c) ? 0 : added.cellLength(from, c);
    row.text.reserve(total);
    for (int c = 0; c < columnCount(); ++c) {
        if (added.cellIsNull(from, c))
            continue;
        row.cells[size_t(c)] = {int(row.text.size()), added.cellLength(from, c)};
        row.text.append(added.cellData(from, c), added.cellLength(from, c));
    }
    m_owned->push_back(std::move(row));
    return -int(m_owned->size());
}

std::optional<Currency> Snapshot::addedCurrency(const Result &added, int row, int c) const
{
    try {
        return added.cellIsNull(row, c)
                   ? Currency()
                   : Decode::currency(m_columns[size_t(c)].type, added.cellData(row, c), added.cellLength(row, c));
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

std::shared_ptr<Snapshot> Snapshot::spliced(const std::vector<int> &removed, const Result &added,
                                            const std::vector<std::pair<int, int>> &inserted) const
{
    if (!m_overlay.empty() || (!inserted.empty() && !sameColumns(added)))
        return nullptr;
    auto copy = std::make_shared<Snapshot>(*this);
    copy->m_spliced = true;
    std::vector<int> rows;
    rows.reserve(size_t(m_rowCount) + inserted.size());
    // The copies of key columns go along, each changed by the rows exchanged;
    // one that a new row has no integer key for is worked out again.
    std::map<int, std::vector<qint64>> keys;
    for (const auto &[c, column] : m_keyColumns)
        keys[c].reserve(rows.capacity());
    // Sums go along too, less the rows taken out and plus those put in; one
    // that overflows is worked out again when asked for.
    std::map<int, std::optional<Currency>> sums(m_sums.begin(), m_sums.end());
    auto change = [&sums](int c, const auto &value, bool add) {
        std::optional<Currency> &sum = sums[c];
        if (!sum)
            return;
        try {
            const std::optional<Currency> v = value();
            sum = v ? std::optional<Currency>(add ? *sum + *v : *sum - *v) : std::nullopt;
        } catch (const std::exception &) {
            sum.reset();
        }
    };
    size_t in = 0;
    auto putIn = [&](int place, bool all) {
        for (; in < inserted.size() && (all || inserted[in].first <= place); ++in) {
            const int from = inserted[in].second;
            rows.push_back(copy->own(added, from));
            for (auto &[c, column] : keys) {
                const std::optional<qint64> key =
                    added.cellIsNull(from, c)
                        ? std::nullopt
                        : TextForm::parseInteger(added.cellData(from, c), added.cellLength(from, c));
                column.push_back(key.value_or(0));
                if (!key)
                    copy->m_keyColumns.erase(c);
            }
            for (const auto &[c, sum] : m_sums)
                change(
                    c, [&, c = c] { return addedCurrency(added, from, c); }, true);
        }
    };
    // The rows kept go over in runs, from one row taken out or put in to the
    // next: a long list changed by a row costs a copy, not a step per row.
    size_t out = 0;
    int left = 0;
    for (int row = 0; row < m_rowCount;) {
        putIn(left, false);
        const int nextOut = out < removed.size() ? removed[out] : m_rowCount;
        const int nextIn = in < inserted.size() ? inserted[in].first : std::numeric_limits<int>::max();
        const int run = std::min(nextOut - row, nextIn - left);
        if (m_spliced)
            rows.insert(rows.end(), m_rows.begin() + row, m_rows.begin() + row + run);
        else
            for (int kept = row; kept < row + run; ++kept)
                rows.push_back(kept);
        for (auto &[c, column] : keys) {
            const std::vector<qint64> &from = m_keyColumns.at(c);
            column.insert(column.end(), from.begin() + row, from.begin() + row + run);
        }
        row += run;
        left += run;
        if (row == nextOut && row < m_rowCount) {
            ++out;
            for (const auto &[c, sum] : m_sums)
                change(
                    c, [&, c = c] { return std::optional<Currency>(currency(row, c)); }, false);
            ++row;
        }
    }
    putIn(left, true);
    copy->m_rows = std::move(rows);
    copy->m_rowCount = int(copy->m_rows.size());
    for (auto it = copy->m_keyColumns.begin(); it != copy->m_keyColumns.end(); ++it)
        it->second = std::move(keys[it->first]);
    copy->m_sums.clear();
    for (const auto &[c, sum] : sums)
        if (sum)
            copy->m_sums[c] = *sum;
    return copy;
}

QByteArray Snapshot::rawText(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? QByteArray(data, length) : QByteArray();
}

qint64 Snapshot::integer(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? Decode::integer(m_columns[size_t(c)].type, data, length) : 0;
}

Currency Snapshot::currency(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? Decode::currency(m_columns[size_t(c)].type, data, length) : Currency();
}

double Snapshot::floating(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? Decode::floating(m_columns[size_t(c)].type, data, length) : 0.0;
}

bool Snapshot::boolean(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) && Decode::boolean(m_columns[size_t(c)].type, data, length);
}

TDateTime Snapshot::dateTime(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? TextForm::parseDateTime(data, length).value_or(0.0) : 0.0;
}

QString Snapshot::string(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? QString::fromUtf8(data, length) : QString();
}

QByteArray Snapshot::bytes(int row, int c) const
{
    const char *data;
    int length;
    return cell(row, c, data, length) ? Decode::bytes(data, length) : QByteArray();
}

Variant Snapshot::value(int row, int c) const
{
    if (isNull(row, c))
        return Variant::null();
    switch (m_columns[size_t(c)].type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return Variant(integer(row, c));
    case FieldType::Currency:
        return Variant(currency(row, c));
    case FieldType::Float:
        return Variant(floating(row, c));
    case FieldType::Boolean:
        return Variant(boolean(row, c));
    case FieldType::DateTime:
        return Variant::fromDateTime(dateTime(row, c));
    default:
        return Variant(string(row, c));
    }
}

namespace Decode {

qint64 integer(FieldType type, const char *data, int length)
{
    if (type == FieldType::Integer || type == FieldType::LargeInt)
        return TextForm::parseInteger(data, length).value_or(0);
    if (type == FieldType::Boolean)
        return length > 0 && data[0] == 't' ? 1 : 0;
    return qint64(std::llround(floating(type, data, length)));
}

Currency currency(FieldType type, const char *data, int length)
{
    if (type == FieldType::Float)
        return Currency::fromDouble(TextForm::parseDouble(data, length).value_or(0.0));
    if (type == FieldType::Boolean)
        return Currency::fromInt(boolean(type, data, length) ? 1 : 0);
    return TextForm::parseCurrency(data, length).value_or(Currency());
}

double floating(FieldType type, const char *data, int length)
{
    if (type == FieldType::DateTime)
        return TextForm::parseDateTime(data, length).value_or(0.0);
    if (type == FieldType::Boolean)
        return boolean(type, data, length) ? 1.0 : 0.0;
    return TextForm::parseDouble(data, length).value_or(0.0);
}

bool boolean(FieldType type, const char *data, int length)
{
    if (length == 0)
        return false;
    if (type == FieldType::Boolean)
        return data[0] == 't';
    return TextForm::parseDouble(data, length).value_or(0.0) != 0.0;
}

QByteArray bytes(const char *data, int length)
{
    if (length >= 2 && data[0] == '\\' && data[1] == 'x')
        return QByteArray::fromHex(QByteArray::fromRawData(data + 2, length - 2));
    return QByteArray(data, length);
}

} // namespace Decode

void Snapshot::overwrite(int row, int c, const CellText &text)
{
    m_overlay[{row, c}] = text;
    m_writtenColumns.insert(c);
    m_indexes.erase(c);
    m_sums.erase(c);
}

std::optional<int> Snapshot::indexedRow(int c, qint64 value) const
{
    const FieldType type = m_columns[size_t(c)].type;
    if ((type != FieldType::Integer && type != FieldType::LargeInt) || m_writtenColumns.count(c))
        return std::nullopt;
    auto it = m_indexes.find(c);
    if (it == m_indexes.end()) {
        std::unordered_map<qint64, int> index;
        index.reserve(size_t(m_rowCount));
        for (int row = m_rowCount - 1; row >= 0; --row) { // the first row wins
            if (!isNull(row, c))
                index[integer(row, c)] = row;
        }
        it = m_indexes.emplace(c, std::move(index)).first;
    }
    const auto found = it->second.find(value);
    return found == it->second.end() ? -1 : found->second;
}

const std::vector<qint64> *Snapshot::keyColumn(int c) const
{
    const FieldType type = m_columns[size_t(c)].type;
    if ((type != FieldType::Integer && type != FieldType::LargeInt) || m_writtenColumns.count(c))
        return nullptr;
    auto it = m_keyColumns.find(c);
    if (it == m_keyColumns.end()) {
        // Read where the results hold it, row after row: a long list's first
        // search makes this copy, and a look through the cells one at a time
        // (their page, their place among spliced rows) costs it several times
        // the reading. A written column has none, so no cell is written back.
        std::vector<qint64> read;
        if (!resultIntegers(c, read))
            return nullptr;
        std::vector<qint64> keys;
        if (!m_spliced) {
            keys = std::move(read);
        } else {
            keys.reserve(size_t(m_rowCount));
            for (int row = 0; row < m_rowCount; ++row) {
                const int source = m_rows[size_t(row)];
                if (source >= 0) {
                    keys.push_back(read[size_t(source)]);
                    continue;
                }
                const char *data;
                int length;
                const std::optional<qint64> value =
                    resultCell(row, c, data, length) ? TextForm::parseInteger(data, length) : std::nullopt;
                if (!value)
                    return nullptr;
                keys.push_back(*value);
            }
        }
        it = m_keyColumns.emplace(c, std::move(keys)).first;
    }
    return &it->second;
}

// Every integer of the column in the results' rows (of every page, listed or
// not), in the order read; false at a null or another text.
bool Snapshot::resultIntegers(int c, std::vector<qint64> &values) const
{
    values.resize(size_t(m_resultRows));
    size_t at = 0;
    auto read = [&](const Result &result) {
        for (int row = 0, rows = result.rowCount(); row < rows; ++row) {
            // The text ends in a zero; a null reads as an empty text, which
            // is no integer. Up to 18 digits cannot overflow.
            const char *p = result.cellData(row, c);
            const bool negative = *p == '-';
            p += negative;
            qint64 value = 0;
            int digits = 0;
            for (; *p >= '0' && *p <= '9' && digits <= 18; ++p, ++digits)
                value = value * 10 + (*p - '0');
            if (*p || digits == 0 || digits > 18 || at >= values.size())
                return false;
            values[at++] = negative ? -value : value;
        }
        return true;
    };
    if (!read(m_result))
        return false;
    for (const Result &page : m_pages)
        if (!read(page))
            return false;
    return at == values.size();
}

std::optional<int> Snapshot::rowOfKey(int c, qint64 value) const
{
    const std::vector<qint64> *keys = keyColumn(c);
    if (!keys)
        return std::nullopt;
    const auto first = std::find(keys->begin(), keys->end(), value);
    if (first == keys->end())
        return -1;
    return std::find(first + 1, keys->end(), value) != keys->end() ? -2 : int(first - keys->begin());
}

std::optional<std::vector<int>> Snapshot::rowsOfKeys(int c, const std::vector<qint64> &values) const
{
    const std::vector<qint64> *keys = keyColumn(c);
    if (!keys)
        return std::nullopt;
    // A few keys (a write's rows) are compared with each row as they stand,
    // without a table of them.
    if (values.size() <= 4) {
        std::vector<int> rows(values.size(), -1);
        for (size_t row = 0; row < keys->size(); ++row)
            for (size_t i = 0; i < values.size(); ++i)
                if ((*keys)[row] == values[i])
                    rows[i] = rows[i] == -1 ? int(row) : -2;
        return rows;
    }
    std::unordered_map<qint64, int> rowOf;
    for (qint64 value : values)
        rowOf.emplace(value, -1);
    for (size_t row = 0; row < keys->size(); ++row) {
        const auto it = rowOf.find((*keys)[row]);
        if (it != rowOf.end())
            it->second = it->second == -1 ? int(row) : -2;
    }
    std::vector<int> rows;
    rows.reserve(values.size());
    for (qint64 value : values)
        rows.push_back(rowOf[value]);
    return rows;
}

namespace TextForm {

std::optional<qint64> parseInteger(const char *data, int length)
{
    qint64 value = 0;
    const auto [end, error] = std::from_chars(data, data + length, value);
    if (error != std::errc() || end != data + length)
        return std::nullopt;
    return value;
}

std::optional<Currency> parseCurrency(const char *data, int length)
{
    // The server writes numerics as [-]digits[.digits]; up to four decimals
    // convert exactly here, anything longer rounds through Currency::parse.
    const char *p = data, *end = data + length;
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    qint64 units = 0;
    int integerDigits = 0;
    // Fourteen digits always fit once scaled; longer amounts take the
    // checked path, which refuses what the money range cannot hold.
    while (p < end && *p >= '0' && *p <= '9' && integerDigits < 14) {
        units = units * 10 + (*p++ - '0');
        ++integerDigits;
    }
    qint64 fraction = 0;
    int decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && *p >= '0' && *p <= '9' && decimals < 4) {
            fraction = fraction * 10 + (*p++ - '0');
            ++decimals;
        }
    }
    if (p != end || integerDigits == 0) // longer, NaN or odd: the careful way
        return Currency::parse(QString::fromLatin1(data, length));
    for (int i = decimals; i < 4; ++i)
        fraction *= 10;
    const qint64 raw = units * Currency::Scale + fraction;
    return Currency::fromRaw(negative ? -raw : raw);
}

std::optional<double> parseDouble(const char *data, int length)
{
    double value = 0;
    const auto [end, error] = std::from_chars(data, data + length, value);
    if (error == std::errc() && end == data + length)
        return value;
    const QByteArray text(data, length);
    if (text == "Infinity")
        return HUGE_VAL;
    if (text == "-Infinity")
        return -HUGE_VAL;
    return std::nullopt;
}

std::optional<TDateTime> parseDateTime(const char *data, int length)
{
    // "2024-03-05", "2024-03-05 14:07:09.123", "14:07:09", zones ignored.
    double day = 0;
    const char *p = data, *end = data + length;
    if (length >= 10 && data[4] == '-' && data[7] == '-') {
        const int y = digits(data, 4), m = digits(data + 5, 2), d = digits(data + 8, 2);
        if (y < 0 || m < 0 || d < 0)
            return std::nullopt;
        day = DateTimeConv::encodeDate(y, m, d);
        p += 10;
        if (p < end && (*p == ' ' || *p == 'T'))
            ++p;
    }
    if (end - p >= 8 && p[2] == ':' && p[5] == ':') {
        const int h = digits(p, 2), mi = digits(p + 3, 2), s = digits(p + 6, 2);
        if (h < 0 || mi < 0 || s < 0)
            return std::nullopt;
        int ms = 0;
        p += 8;
        if (p < end && *p == '.') {
            ++p;
            int scale = 100;
            while (p < end && *p >= '0' && *p <= '9') {
                ms += (*p++ - '0') * scale;
                scale /= 10;
            }
        }
        const double time = DateTimeConv::encodeTime(h, mi, s, ms);
        day = day < 0 ? day - time : day + time;
    } else if (p == data) {
        return std::nullopt;
    }
    return day;
}

QByteArray ofCurrency(Currency value)
{
    return value.toString().toLatin1();
}

QByteArray ofDouble(double value)
{
    return QByteArray::number(value, 'g', 17);
}

QByteArray ofDateTime(TDateTime value)
{
    return DateTimeConv::toQDateTime(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
}

QByteArray ofBoolean(bool value)
{
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

} // namespace TextForm

} // namespace Db
