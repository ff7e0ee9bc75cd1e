#include "app/common/formcontrols.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

namespace {

const char *const showHintName = "ShowHint";
const char *const hintName = "Hint";
const char *const previousDefaultName = "_previousDefaultButton";

bool isEditOrCombo(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget) ||
           qobject_cast<const QComboBox *>(widget);
}

void colourControl(QWidget *control, bool marked)
{
    const QPalette standard = QApplication::palette(control);
    QPalette palette = control->palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = QPalette::ColorGroup(group);
        palette.setColor(g, QPalette::Base, marked ? InvalidMarkColor() : standard.color(g, QPalette::Base));
        // A combo box without an edit paints its face with the button colour.
        if (qobject_cast<QComboBox *>(control))
            palette.setColor(g, QPalette::Button, marked ? InvalidMarkColor() : standard.color(g, QPalette::Button));
    }
    control->setPalette(palette);
}

void applyToolTip(QWidget *control)
{
    control->setToolTip(ShowHint(control) ? Hint(control) : QString());
}

} // namespace

QColor InvalidMarkColor()
{
    constexpr quint32 value = 0x00B9C5CA;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

bool ShowHint(const QWidget *control)
{
    return control->property(showHintName).toBool();
}

QString Hint(const QWidget *control)
{
    return control->property(hintName).toString();
}

void SetShowHint(QWidget *control, bool show)
{
    control->setProperty(showHintName, show);
    applyToolTip(control);
}

void SetHint(QWidget *control, const QString &hint)
{
    control->setProperty(hintName, hint);
    applyToolTip(control);
}

void MarkInvalid(QWidget *control, const QString &reason)
{
    if (!reason.isEmpty())
        control->setProperty(hintName, reason);
    SetShowHint(control, !reason.isEmpty());
}

bool IsInputControl(const QWidget *widget)
{
    if (!isEditOrCombo(widget))
        return false;
    for (const QWidget *up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractSpinBox *>(up))
            return false;
    return true;
}

bool FormControlsValide(QWidget *form)
{
    bool valid = true;
    const auto children = form->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->window() != form || !IsInputControl(child))
            continue;
        const bool marked = ShowHint(child);
        colourControl(child, marked);
        valid = valid && !marked;
    }
    return valid;
}

void ToggleDefaultButton(QWidget *container)
{
    QPushButton *button = nullptr;
    for (QObject *child : container->children())
        if ((button = qobject_cast<QPushButton *>(child)))
            break;
    if (!button)
        return;
    if (!button->isDefault()) {
        QPushButton *previous = nullptr;
        for (QPushButton *other : container->window()->findChildren<QPushButton *>())
            if (other != button && other->isDefault())
                previous = other;
        button->setProperty(previousDefaultName, QVariant::fromValue(QPointer<QObject>(previous)));
        button->setDefault(true);
    } else {
        button->setDefault(false);
        const auto previous = button->property(previousDefaultName).value<QPointer<QObject>>();
        if (auto *previousButton = qobject_cast<QPushButton *>(previous.data()))
            previousButton->setDefault(true);
    }
}

void BindGroupDefaultButton(QWidget *group)
{
    QObject::connect(qApp, &QApplication::focusChanged, group, [group](QWidget *old, QWidget *now) {
        const bool wasInside = old && group->isAncestorOf(old);
        const bool isInside = now && group->isAncestorOf(now);
        if (wasInside != isInside)
            ToggleDefaultButton(group);
    });
}

bool ConnectChange(QWidget *control, std::function<void()> handler)
{
    const QMetaProperty property = control->metaObject()->userProperty();
    if (!property.isValid() || !property.hasNotifySignal())
        return false;
    auto *relay = new ChangeRelay(control, std::move(handler));
    const QMetaMethod fire = relay->metaObject()->method(relay->metaObject()->indexOfSlot("fire()"));
    return bool(QObject::connect(control, property.notifySignal(), relay, fire));
}

QPushButton *NewPushButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}
