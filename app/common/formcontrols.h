#pragma once
// Routines shared by the program's forms: the invalid mark of input controls,
// the check that colours marked controls and tells whether any is marked, and
// the default-button switch of group boxes.
//
// A control is marked invalid exactly while its "ShowHint" property is set;
// its "Hint" property holds the reason, shown as the tool tip while marked.
// Kit controls may declare these as real properties; plain Qt widgets carry
// them as dynamic properties.
#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

class QPushButton;
class QWidget;

// A push button with its object name; Enter presses only the dialog's default button.
QPushButton *NewPushButton(QWidget *parent, const char *name, const QString &text);

// The background of a marked control ($00B9C5CA, stored blue-green-red).
QColor InvalidMarkColor();

bool ShowHint(const QWidget *control);
QString Hint(const QWidget *control);
void SetShowHint(QWidget *control, bool show);
void SetHint(QWidget *control, const QString &hint);
// The validation handlers' step: an empty reason clears the mark, any other
// reason becomes the hint and sets the mark.
void MarkInvalid(QWidget *control, const QString &reason);

// Edits of every kind (line, spin, memo, rich text and the kit's edits built
// on them) and combo boxes of every kind, but not the parts inside another
// input control (the line edit of an editable combo box or of a spin box).
bool IsInputControl(const QWidget *widget);

// Colours every input control of the form (marked ones with the mark colour,
// the rest with the window colour, disabled ones too) and returns true when
// none is marked.
bool FormControlsValide(QWidget *form);

// Inverts the Default state of the first push button among the container's
// own children; nothing happens when it holds none. Turning it off gives the
// default back to the dialog's previous default button.
void ToggleDefaultButton(QWidget *container);

// Calls ToggleDefaultButton whenever the focus enters or leaves the group,
// so the group's own button is the default while the user works inside it.
void BindGroupDefaultButton(QWidget *group);

// Calls the handler whenever the control's user-visible value changes (the
// change signal of its user property: text, current text, value, plain text).
// Returns false when the control has no such signal.
bool ConnectChange(QWidget *control, std::function<void()> handler);

// Forwards a change signal found at run time to a function.
class ChangeRelay : public QObject
{
    Q_OBJECT
public:
    ChangeRelay(QObject *parent, std::function<void()> handler)
        : QObject(parent)
        , handler(std::move(handler))
    {}
public slots:
    void fire() { handler(); }

private:
    std::function<void()> handler;
};
