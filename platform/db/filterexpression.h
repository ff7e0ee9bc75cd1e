#pragma once
// The client-side filter language of datasets, as the screens write it:
//   KOD LIKE '%12%' OR (NAKUP >= 10.5 AND NOT STATE_STAV = TRUE) OR POZNAMKA IS NULL
// Comparisons =, <>, <, >, <=, >=, [NOT] LIKE with "%" (or "*") wildcards,
// IS [NOT] NULL, AND, OR, NOT and parentheses; texts in single quotes (a
// doubled quote stands for itself); field names plain or in [brackets].
// Texts compare without regard to case; a literal is read as the type of the
// field it is compared with, and one that cannot be is a parse error.
#include <QString>

#include <memory>

namespace Db {

class Dataset;

class FilterExpression
{
public:
    struct Node;
    ~FilterExpression();

    // Throws DatabaseError with a Czech message for a text it cannot use.
    static std::unique_ptr<FilterExpression> Parse(const QString &text, const Dataset &dataset);
    // Whether the snapshot row passes.
    bool Matches(int row) const;

private:
    FilterExpression() = default;
    std::unique_ptr<Node> m_root;
};

} // namespace Db
