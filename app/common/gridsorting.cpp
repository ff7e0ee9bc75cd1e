#include "app/common/gridsorting.h"

#include "app/common/formcontrols.h"
#include "data/mssqladoquery.h"
#include "kit/dbgrid.h"

void BindTitleSorting(TKxDBGrid *grid, TMSSQLADOQuery *query, const QString &keyFieldName, const QString &parameterName)
{
    grid->SetTitleButtons(true);
    grid->OnTitleBtnClick = [query, keyFieldName, parameterName](TKxDBGrid *, int, Db::Field *field) {
        if (field)
            query->SortByColumn(keyFieldName, field, parameterName);
    };
    grid->OnGetBtnParams = [query](TKxDBGrid *, Db::Field *field, TKxCellFont &, QColor &background,
                                   TKxDBGrid::TSortMarker &marker, bool) {
        background = InvalidMarkColor();
        // The state numbers are the markers' own: 1 ascending (smDown), 2 descending (smUp).
        marker = TKxDBGrid::TSortMarker(field ? query->SortState(field) : 0);
    };
}
