#include "app/sale/listgrid.h"

#include "app/common/gridsorting.h"

#include "data/mssqladoquery.h"
#include "kit/dbgrid.h"
#include "platform/db/datasource.h"

void SetupListGrid(TKxDBGrid *grid, Db::DataSource *source, TMSSQLADOQuery *query, const QString &keyField,
                   const QList<ListColumn> &columns)
{
    for (const ListColumn &column : columns)
        grid->Columns().Add(column.field, column.caption, column.width);
    if (query) {
        source->SetDataSet(query);
        BindTitleSorting(grid, query, keyField);
    }
    grid->SetDataSource(source);
}
