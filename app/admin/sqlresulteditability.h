#pragma once
// Whether the SQL console may edit the rows of its result: only the rows of
// one table whose primary key is among the result's columns can be written
// back one by one. Anything else stays read-only and says why.
#include <QString>

namespace Db {
class Connection;
class Dataset;
} // namespace Db

// An empty text when the open result can be edited, else the reason in Czech.
QString SqlResultReadOnlyReason(const Db::Dataset &result, Db::Connection &connection);
