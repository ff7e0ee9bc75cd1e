#include "app/common/tablecolumnmenu.h"

#include "data/dm.h"

#include <QMenu>
#include <QRegularExpression>

QString TableColumnMenuName(const QString &caption)
{
    const QString plain = QString(caption).remove(u'&');
    const qsizetype blank = plain.indexOf(u' ');
    return blank < 0 ? plain : plain.left(blank);
}

void FillTableColumnMenu(QMenu *menu, TDM &dm, const std::function<void(const QString &name)> &chosen)
{
    menu->clear();
    for (const QString &line :
         dm.ListDatabaseTables().split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts)) {
        const QString table = line.trimmed();
        if (table.isEmpty())
            continue;
        QMenu *submenu = menu->addMenu(table);
        submenu->setDefaultAction(submenu->addAction(table));
        for (const QString &field :
             dm.ListTableFields(table).split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts))
            submenu->addAction(field.trimmed());
        QObject::connect(submenu, &QMenu::triggered, menu,
                         [chosen](QAction *action) { chosen(TableColumnMenuName(action->text())); });
    }
}
