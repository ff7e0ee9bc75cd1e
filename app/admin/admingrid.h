#pragma once
// The read-only list grid of the administration screens: titles, row
// selection, the given columns (field, title, width) over a data source.
#include <QList>
#include <QString>

class QWidget;
class TKxDBGrid;
namespace Db {
class DataSource;
}

struct AdminColumn
{
    const char *field;
    QString title;
    int width;
};

void SetUpListGrid(TKxDBGrid *grid, const char *name, Db::DataSource *source, const QList<AdminColumn> &columns);
