#pragma once
// Title-click sorting of a list grid: a click on a column's title sorts the
// list by it (again: the other way round), keeping the current row by its
// key; the title shows the direction on the marked background.
#include <QString>

class TKxDBGrid;
class TMSSQLADOQuery;

void BindTitleSorting(TKxDBGrid *grid, TMSSQLADOQuery *query, const QString &keyFieldName,
                      const QString &parameterName = QStringLiteral("%ORDER_BY"));
