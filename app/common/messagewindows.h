#pragma once
// The three modal message windows: warning, information and yes/no question.
// Each is created for one call, shown modally and freed; its icon blinks
// every 250 ms while it is open.
#include <QDialog>
#include <QStyle>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// What the three windows share: fixed dialog border, the blinking icon,
// centring on the main window's monitor.
class MessageWindow : public QDialog
{
    Q_OBJECT
public:
    QLabel *Image;
    QTimer *TimerIcon;

    void TimerIconTimer();

protected:
    MessageWindow(const QString &caption, QStyle::StandardPixmap icon, bool stayOnTop);
    // A bold heading and a plain detail below it, both wrapping.
    QLabel *addHeading(const QString &name);
    QLabel *addText(const QString &name);
    void addToTextColumn(QWidget *widget);
    QPushButton *addButton(const QString &name, const QString &caption);
    void showEvent(QShowEvent *event) override;

private:
    class QVBoxLayout *textColumn;
    class QHBoxLayout *buttonRow;
};

class TFormWarning : public MessageWindow
{
    Q_OBJECT
public:
    TFormWarning();
    QLabel *LabelWarning;
    QLabel *LabelSpecification;
    QPlainTextEdit *MemoDescription;
    QPushButton *ButtonOk;

    // Escape and the close box end the window as "&Ok" does.
    void reject() override { done(QDialog::Accepted); }
};

class TFormInformation : public MessageWindow
{
    Q_OBJECT
public:
    TFormInformation();
    QLabel *LabelInformation;
    QLabel *LabelSpecification;
    QPushButton *ButtonOk;
    QTimer *Timer; // the self-close, 3000 ms, started only when asked for

    void TimerTimer();
    void reject() override { done(QDialog::Accepted); }
};

class TFormQuestion : public MessageWindow
{
    Q_OBJECT
public:
    TFormQuestion();
    QLabel *LabelQuestion;
    QLabel *LabelSpecification;
    QPushButton *ButtonYes;
    QPushButton *ButtonNo;

    // "&Ne" is the cancel button: Escape and the close box answer no.
    void reject() override;
};
