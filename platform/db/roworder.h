#pragma once
// A list's sort order as the server applies it, so that one row can be put
// in its place among rows already read without asking the server. Each term
// is a column of the result, ascending or descending. Numbers compare by
// value; texts by the Czech collation the program creates its database with,
// and texts that collation calls equal by their bytes, as the server breaks
// such ties; NULL comes after every value ascending and before it descending.
#include "platform/db/snapshot.h"

#include <vector>

namespace Db {

class RowOrder
{
public:
    struct Term
    {
        int column = -1;
        bool descending = false;
    };

    explicit RowOrder(std::vector<Term> terms)
        : m_terms(std::move(terms))
    {}

    const std::vector<Term> &terms() const { return m_terms; }
    // Below 0 when row a comes first, 0 when the order cannot tell them apart.
    int compare(const Snapshot &a, int rowA, const Snapshot &b, int rowB) const;
    // Whether the rows stand in this order (ties allowed).
    bool holds(const Snapshot &rows) const;

private:
    std::vector<Term> m_terms;
};

} // namespace Db
