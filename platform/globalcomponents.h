#pragma once
// The application's forms and data modules that other code may reach by name,
// the way expressions and report layouts write "Form.Component". Forms and
// data modules register themselves when created; a destroyed one drops out.
// Names are matched without regard to case.
#include <QList>
#include <QObject>
#include <QString>

namespace GlobalComponents {

void Register(QObject *component);
void Unregister(QObject *component);
// The registered forms and data modules in registration order.
QList<QObject *> All();
// The registered form or data module of that name, or nullptr.
QObject *Find(const QString &name);
// The component of that name on the form or data module (at any depth of
// its children), or nullptr.
QObject *FindOwned(const QObject *owner, const QString &name);

// Registers a component for the lifetime of the object (tests, short-lived forms).
class Scoped
{
public:
    explicit Scoped(QObject *component)
        : m_component(component)
    {
        Register(component);
    }
    ~Scoped() { Unregister(m_component); }
    Scoped(const Scoped &) = delete;
    Scoped &operator=(const Scoped &) = delete;

private:
    QObject *m_component;
};

} // namespace GlobalComponents
