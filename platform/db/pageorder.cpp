#include "platform/db/pageorder.h"

#include <QRegularExpression>

#include <functional>

namespace Db {

namespace {

constexpr auto Options = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

// The name a statement with an order of its own is read through.
const QString OwnOrderTable = QStringLiteral("page_rows");

} // namespace

std::optional<PageOrder> PageOrder::read(const QString &sql)
{
    static const QRegularExpression orderBy(QStringLiteral("\\bORDER\\s+BY\\b"), Options);
    qsizetype end = -1;
    for (auto matches = orderBy.globalMatch(sql); matches.hasNext();)
        end = matches.next().capturedEnd();
    if (end < 0)
        return std::nullopt;
    static const QRegularExpression ending(QStringLiteral("^(.*?)(?:\\)\\s*(?:AS\\s+)?(\\w+))?\\s*$"),
                                           Options | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression termShape(QStringLiteral("^((?:\\w+\\.)?(\\w+))(?:\\s+(ASC|DESC))?$"), Options);
    const QRegularExpressionMatch match = ending.match(QStringView(sql).mid(end));
    if (!match.hasMatch())
        return std::nullopt;
    PageOrder order;
    order.m_table = match.captured(2);
    order.m_termsBegin = end + match.capturedStart(1);
    order.m_termsEnd = end + match.capturedEnd(1);
    for (const QString &text : match.captured(1).split(u',')) {
        const QRegularExpressionMatch term = termShape.match(text.trimmed());
        if (!term.hasMatch())
            return std::nullopt;
        order.m_terms.push_back(
            {term.captured(2), term.captured(3).compare(u"DESC", Qt::CaseInsensitive) == 0, term.captured(1)});
    }
    return order;
}

std::optional<QString> PageOrder::reversedText(const QString &sql)
{
    const std::optional<PageOrder> order = read(sql);
    if (!order)
        return std::nullopt;
    QStringList terms;
    for (const Term &term : order->m_terms)
        terms << term.expression + (term.descending ? QString() : QStringLiteral(" DESC"));
    return sql.left(order->m_termsBegin) + u' ' + terms.join(QStringLiteral(", ")) + u' ' + sql.mid(order->m_termsEnd);
}

PageOrder PageOrder::reversed() const
{
    PageOrder order = *this;
    for (Term &term : order.m_terms)
        term.descending = !term.descending;
    return order;
}

bool PageOrder::fits(const Snapshot &rows) const
{
    for (const Term &term : m_terms) {
        if (rows.columnIndex(term.column) < 0)
            return false;
    }
    return true;
}

QString PageOrder::reference(const Term &term) const
{
    return (m_table.isEmpty() ? OwnOrderTable : m_table) + u'.' + term.column;
}

QString PageOrder::statement(const QString &sql, const QString &condition) const
{
    if (!m_table.isEmpty())
        return sql + QStringLiteral("\nWHERE ") + condition;
    // The order is the statement's own: it is read as a table, and the
    // condition and the order are on that table's columns.
    QStringList order;
    for (const Term &term : m_terms)
        order << reference(term) + (term.descending ? QStringLiteral(" DESC") : QString());
    return QStringLiteral("SELECT * FROM (\n%1\n) AS %2\nWHERE %3\nORDER BY %4")
        .arg(sql, OwnOrderTable, condition, order.join(QStringLiteral(", ")));
}

std::vector<PageOrder::Part> PageOrder::after(const Snapshot &rows, int row, int firstParam) const
{
    Part range;
    std::vector<int> numbers(m_terms.size(), 0);
    auto isNull = [&](size_t i) { return rows.isNull(row, rows.columnIndex(m_terms[i].column)); };
    auto value = [&](size_t i) {
        if (numbers[i] == 0) {
            range.values << Param{rows.rawText(row, rows.columnIndex(m_terms[i].column)), false, 0};
            numbers[i] = firstParam + int(range.values.size()) - 1;
        }
        return u'$' + QString::number(numbers[i]);
    };
    // The rows equal to this one in the terms before the i-th that come
    // after it; empty when none can.
    std::function<QString(size_t)> later = [&](size_t i) -> QString {
        if (i >= m_terms.size())
            return {};
        const Term &term = m_terms[i];
        const QString column = reference(term);
        QStringList either;
        QString equal;
        if (isNull(i)) {
            if (term.descending)
                either << column + QStringLiteral(" IS NOT NULL");
            equal = column + QStringLiteral(" IS NULL");
        } else {
            const QString v = value(i);
            either << (term.descending ? QStringLiteral("%1 < %2") : QStringLiteral("(%1 > %2 OR %1 IS NULL)"))
                          .arg(column, v);
            equal = QStringLiteral("%1 = %2").arg(column, v);
        }
        const QString deeper = later(i + 1);
        if (!deeper.isEmpty())
            either << equal + QStringLiteral(" AND ") + deeper;
        return either.isEmpty() ? QString() : u'(' + either.join(QStringLiteral(" OR ")) + u')';
    };

    std::vector<Part> parts;
    const Term &lead = m_terms.front();
    const QString column = reference(lead);
    const QString rest = later(1);
    if (!isNull(0)) {
        // The first term bounds the range, so the server may read it from
        // an index on that column.
        const QString v = value(0);
        const QString beyond = lead.descending ? QStringLiteral("<") : QStringLiteral(">");
        const QString past = QStringLiteral("%1 %2 %3").arg(column, beyond, v);
        range.condition =
            rest.isEmpty() ? past : QStringLiteral("%1 %2= %3 AND (%4 OR %5)").arg(column, beyond, v, past, rest);
        parts.push_back(range);
        if (!lead.descending)
            parts.push_back({column + QStringLiteral(" IS NULL"), {}});
    } else {
        if (!rest.isEmpty()) {
            range.condition = column + QStringLiteral(" IS NULL AND ") + rest;
            parts.push_back(range);
        }
        if (lead.descending)
            parts.push_back({column + QStringLiteral(" IS NOT NULL"), {}});
    }
    return parts;
}

} // namespace Db
