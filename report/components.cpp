#include "report/components.h"

#include "platform/globalcomponents.h"

#include <QPointer>

namespace {
QPointer<QObject> &currentOwner()
{
    static QPointer<QObject> owner;
    return owner;
}
} // namespace

QObject *vlCurrentReportOwner()
{
    return currentOwner().data();
}

void vlSetCurrentReportOwner(QObject *owner)
{
    currentOwner() = owner;
}

QObject *FindComponentByPath(const QObject *owner, const QString &name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return GlobalComponents::FindOwned(owner, name);
    const QObject *form = GlobalComponents::Find(name.left(dot));
    return form ? GlobalComponents::FindOwned(form, name.mid(dot + 1)) : nullptr;
}

QObject *vlFindComponent(const QString &name)
{
    return FindComponentByPath(vlCurrentReportOwner(), name);
}

void vlGetComponents(const QObject *owner, const QMetaObject &type, QStringList &list, const QObject *skip)
{
    list.clear();
    QList<QObject *> containers = GlobalComponents::All();
    if (owner && !containers.contains(owner))
        containers.prepend(const_cast<QObject *>(owner));
    for (const QObject *container : containers) {
        for (const QObject *child : container->findChildren<QObject *>()) {
            if (child == skip || child->objectName().isEmpty() || !child->metaObject()->inherits(&type))
                continue;
            list << (container == owner ? child->objectName()
                                        : container->objectName() + QLatin1Char('.') + child->objectName());
        }
    }
}
