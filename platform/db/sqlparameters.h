#pragma once
// Named parameters in dataset SQL: ":NAME" becomes the server's "$n".
// Quoted texts and names, dollar-quoted bodies, comments and "::" casts are
// passed through untouched. A name used twice shares one "$n".
#include <QString>
#include <QStringList>

namespace Db {

struct TranslatedSql
{
    QString sql;       // the text with $1, $2, ...
    QStringList names; // names[n-1] is the parameter behind $n, as first written
};

TranslatedSql TranslateParameters(const QString &sql);

} // namespace Db
