#include "report/designer/dialogs/dialogparts.h"

#include "report/vlglyphs.h"
#include "report/vltoolbuttons.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace dialogparts {

namespace {
template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
class EnterAccepts : public QObject
{
public:
    EnterAccepts(QWidget *control, QDialog *dialog)
        : QObject(control)
        , m_dialog(dialog)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_dialog->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog *m_dialog;
};
} // namespace

void acceptOnEnter(QWidget *control, QDialog *dialog)
{
    control->installEventFilter(new EnterAccepts(control, dialog));
}

QGroupBox *groupBox(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QGroupBox(caption, parent), name);
}

QRadioButton *radioButton(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QRadioButton(caption, parent), name);
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy)
{
    auto *result = named(new QLabel(caption, parent), name);
    if (buddy)
        result->setBuddy(buddy);
    return result;
}

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

TvlSpeedButton *spinButton(QWidget *parent, const char *name, bool up)
{
    auto *button = named(new TvlSpeedButton(parent), name);
    button->SetGlyph(vlGlyph(up ? TvlGlyph::Up : TvlGlyph::Down));
    button->setFixedSize(18, 12);
    return button;
}

QToolButton *speedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

} // namespace dialogparts
