#include "app/common/gridsorting.h"

#include "app/common/formcontrols.h"
#include "data/mssqladoquery.h"
#include "kit/dbgrid.h"

void BindTitleSorting(TKxDBGrid *grid, TMSSQLADOQuery *query, const QString &keyFieldName, const QString &parameterName)
{
    grid->SetTitleButtons(true);
    grid->OnTitleBtnClick = [query, keyFieldName, parameterName](TKxDBGrid *, int, Db::Field *field) {
        query->SortByColumn(keyFieldName, field, parameterName);
    };
    grid->OnGetBtnParams = [query](TKxDBGrid *, Db::Field *field, TKxCellFont &, QColor &background,
                                   TKxDBGrid::TSortMarker &marker, bool) {
        switch (query->SortState(field)) {
        case 1:
            marker = TKxDBGrid::smDown;
            background = InvalidMarkColor();
            break;
        case 2:
            marker = TKxDBGrid::smUp;
            background = InvalidMarkColor();
            break;
        default:
            marker = TKxDBGrid::smNone;
        }
    };
}
