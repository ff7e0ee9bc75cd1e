#pragma once
// The pop-up menu of the database's tables and columns that the statement
// and condition editors share: one submenu per table, starting with the
// table itself (the default item), then one item per column line
// ("table.column type [length]"). A chosen item hands over its caption up
// to the first blank.
#include <QString>

#include <functional>

class QMenu;
class TDM;

void FillTableColumnMenu(QMenu *menu, TDM &dm, const std::function<void(const QString &name)> &chosen);
// The name an item stands for: its caption up to the first blank.
QString TableColumnMenuName(const QString &caption);
