#include "platform/globalcomponents.h"

#include <QPointer>

namespace GlobalComponents {

namespace {
QList<QPointer<QObject>> &registered()
{
    static QList<QPointer<QObject>> list;
    return list;
}
} // namespace

void Register(QObject *component)
{
    if (!component)
        return;
    QList<QPointer<QObject>> &list = registered();
    list.removeIf([](const QPointer<QObject> &p) { return p.isNull(); });
    if (!list.contains(component))
        list << component;
}

void Unregister(QObject *component)
{
    registered().removeIf([component](const QPointer<QObject> &p) { return p.isNull() || p == component; });
}

QList<QObject *> All()
{
    QList<QObject *> result;
    for (const QPointer<QObject> &p : registered())
        if (p)
            result << p.data();
    return result;
}

QObject *Find(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *component : All())
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

QObject *FindOwned(const QObject *owner, const QString &name)
{
    if (!owner || name.isEmpty())
        return nullptr;
    for (QObject *child : owner->findChildren<QObject *>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

} // namespace GlobalComponents
