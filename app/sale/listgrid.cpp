#include "app/sale/listgrid.h"

#include "data/mssqladoquery.h"
#include "kit/dbgrid.h"
#include "platform/colors.h"
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

void BindTitleSorting(TKxDBGrid *grid, TMSSQLADOQuery *query, const QString &keyField)
{
    grid->SetTitleButtons(true);
    grid->OnTitleBtnClick = [query, keyField](TKxDBGrid *, int, Db::Field *field) {
        if (field)
            query->SortByColumn(keyField, field, QStringLiteral("%ORDER_BY"));
    };
    grid->OnGetBtnParams = [query](TKxDBGrid *, Db::Field *field, TKxCellFont &, QColor &background,
                                   TKxDBGrid::TSortMarker &marker, bool) {
        background = Colors::toQColor(TColor(0x00B9C5CA));
        // The state numbers are the markers' own: 1 ascending (smDown), 2 descending (smUp).
        marker = TKxDBGrid::TSortMarker(field ? query->SortState(field) : 0);
    };
}
