#pragma once
// How a list read in pages goes on after the last row it read: the order of
// its statement, read from the text, and the conditions that choose the rows
// after a row in that order. Going on from the row's own values, rather than
// skipping as many rows as were read (OFFSET), neither repeats nor skips a
// row when another session writes rows between two pages.
#include "platform/db/connection.h"
#include "platform/db/snapshot.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace Db {

class PageOrder
{
public:
    struct Term
    {
        QString column;
        bool descending = false;
        QString expression; // as the text names it ("table.name")
    };
    // Rows after a row: a condition on the order's columns, its values
    // numbered as statement parameters.
    struct Part
    {
        QString condition;
        QList<Param> values;
    };

    // The order of the text's last ORDER BY: terms "name" or "table.name",
    // each ASC or DESC, the last of them a key, so that no two rows tie.
    // Either the statement's own order (the text ends with it), or that of
    // the derived table its outer level reads from (the text ends with it and
    // ") AS name"): a condition on that table's columns then chooses the rows
    // while the server can still use an index for the order. Each term names
    // a column of the result that reads as the value it is ordered by.
    // Nothing when the text ends otherwise.
    static std::optional<PageOrder> read(const QString &sql);
    // The same statement in the opposite order (each term's direction
    // turned, NULL with it): its first rows are the list's last, the last
    // first. Nothing when the text's order cannot be read.
    static std::optional<QString> reversedText(const QString &sql);
    // The order of that statement, for the rows before a row of the list.
    PageOrder reversed() const;

    const std::vector<Term> &terms() const { return m_terms; }
    // Whether each term is a column of the rows.
    bool fits(const Snapshot &rows) const;
    // The list's statement (`sql`) reading only the rows a condition chooses,
    // in its order.
    QString statement(const QString &sql, const QString &condition) const;
    // The rows after the row, as parts to be read one after another, each in
    // the order; the parameters are numbered from `firstParam`. NULL comes
    // after every value in an ascending term and before it in a descending
    // one, as the server orders it: the rows past NULL, or past the values,
    // of the first term are a part of their own, so that each part is a range
    // of that term.
    std::vector<Part> after(const Snapshot &rows, int row, int firstParam) const;

private:
    PageOrder() = default;
    QString reference(const Term &term) const;
    // Where the terms of the last ORDER BY stand in the text.
    qsizetype m_termsBegin = 0;
    qsizetype m_termsEnd = 0;

    std::vector<Term> m_terms;
    // The derived table the conditions name; empty: the statement's own order.
    QString m_table;
};

} // namespace Db
