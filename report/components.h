#pragma once
// Finding components by the names layouts and expressions use: "Form.Name"
// for a component of a registered form or data module, a plain name for one
// of the current report's owner.
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QStringList>

// The owner of the report being designed, built or shown; report code sets it
// when it makes a report current.
QObject *vlCurrentReportOwner();
void vlSetCurrentReportOwner(QObject *owner);

// "Form.Component" or a plain name among the owner's components; nullptr when absent.
QObject *FindComponentByPath(const QObject *owner, const QString &name);
// The same with the current report's owner.
QObject *vlFindComponent(const QString &name);

// Names of every component of the class (or a subclass) on every registered
// form and data module, and on the owner: plain names for the owner's,
// "Form.Name" for the others; the skipped component is left out. The list
// is cleared first.
void vlGetComponents(const QObject *owner, const QMetaObject &type, QStringList &list, const QObject *skip = nullptr);
