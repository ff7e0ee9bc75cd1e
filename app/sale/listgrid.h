#pragma once
// The grids of the sale screens' lists: the columns they show, bound to a
// list of the data module through the form's own data source. Lists sort
// through their query, never by themselves: a title click sorts by that
// column through the "%ORDER_BY" placeholder (the key column keeps equal
// values in a stable order), and the title buttons show the query's sort
// state on the program's title colour.
#include <QList>
#include <QString>

class TKxDBGrid;
class TMSSQLADOQuery;
namespace Db {
class DataSource;
}

struct ListColumn
{
    QString field;
    QString caption;
    int width;
};

// Binds the grid to the query (when there is a data module) and gives it its columns.
void SetupListGrid(TKxDBGrid *grid, Db::DataSource *source, TMSSQLADOQuery *query, const QString &keyField,
                   const QList<ListColumn> &columns);
