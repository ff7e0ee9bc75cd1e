#pragma once
// The base of the data-entry dialogs: "&Ok" and "S&torno" under a framed client
// area (Bevel) that the derived dialog fills with its controls and a layout.
// "&Ok" is enabled only while no input control is marked invalid.
//
// A derived dialog binds each validated control to its change handler with
// BindChange; the handler works out the reason the value is not acceptable,
// calls MarkInvalid (formcontrols.h) and ends with ControlsValide(). Dialogs for
// new records call ControlsChange from their show event so every rule runs once
// before the user types.
#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>

class QFrame;
class QPushButton;

class TForm_Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Dialog(QWidget *parent = nullptr);

    QPushButton *Button_Ok;
    QPushButton *Button_Storno;
    QFrame *Bevel;

    // Colours the marked controls, enables "&Ok" exactly when none is marked.
    bool ControlsValide();
    // Runs every bound change handler, in binding order, with its control as sender.
    void ControlsChange(QObject *Sender = nullptr);

protected:
    using ChangeHandler = std::function<void(QObject *Sender)>;
    // The control's value changes call the handler; ControlsChange calls it too.
    void BindChange(QWidget *control, ChangeHandler handler);
    void showEvent(QShowEvent *event) override;

private:
    struct Binding
    {
        QPointer<QWidget> control;
        ChangeHandler handler;
    };
    QList<Binding> bindings;
    bool shownOnce = false;
};

// Puts the dialog's own buttons after the derived controls in the tab order
// and focuses the first derived control unless one already has the focus.
void FocusClientFirst(QDialog *dialog, const QList<QWidget *> &trailingButtons);
