#include "app/admin/admingrid.h"

#include "kit/dbgridex.h"

void SetUpListGrid(TKxDBGrid *grid, const char *name, Db::DataSource *source, const QList<AdminColumn> &columns)
{
    grid->setObjectName(QLatin1String(name));
    grid->SetOptions(TKxDBGrid::dgTitles | TKxDBGrid::dgIndicator | TKxDBGrid::dgColumnResize | TKxDBGrid::dgColLines |
                     TKxDBGrid::dgRowLines | TKxDBGrid::dgRowSelect | TKxDBGrid::dgAlwaysShowSelection);
    if (auto *ex = qobject_cast<TKxDBGridEx *>(grid))
        ex->SetTitleHeight(17);
    grid->SetReadOnly(true);
    int width = 40;
    for (const AdminColumn &column : columns) {
        grid->Columns().Add(QLatin1String(column.field), column.title, column.width);
        width += column.width;
    }
    grid->setMinimumSize(qMin(width, 760), 300);
    grid->SetDataSource(source);
}
