#pragma once
// The three modal message windows: warning, information and yes/no question.
// Each is created for one call, shown modally and freed; its icon blinks
// every 250 ms while it is open.
#include <QDialog>
#include <QElapsedTimer>
#include <QStyle>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// What the three windows share: fixed dialog border, the blinking icon,
// centring on the main window's monitor. Keys typed before the window
// opened do not answer it: a scanner's code or a word typed on that reaches
// it as it opens (a burst of keys, each within a moment of the last) is
// taken and said so in the window, and so is every key of such a burst;
// the window answers a key pressed after a pause.
class MessageWindow : public QDialog
{
    Q_OBJECT
public:
    QLabel *Image;
    QTimer *TimerIcon;
    // Hidden until keys typed ahead were taken: names them.
    QLabel *LabelTypedAhead;

    ~MessageWindow() override;
    void TimerIconTimer();
    // Keys within this long of the window's showing or of the key before
    // belong to typing that began before the window opened.
    static constexpr int TypingPauseMs = 400;

protected:
    MessageWindow(const QString &caption, QStyle::StandardPixmap icon, bool stayOnTop);
    // A bold heading and a plain detail below it, both wrapping.
    QLabel *addHeading(const QString &name);
    QLabel *addText(const QString &name);
    void addToTextColumn(QWidget *widget);
    QPushButton *addButton(const QString &name, const QString &caption);
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool typedAhead(QObject *receiver, QEvent *event);
    // Whether the key belongs to the typing under way; if so it is taken.
    bool takeTypedAhead(int key, const QString &text);
    class QVBoxLayout *textColumn;
    class QHBoxLayout *buttonRow;
    QElapsedTimer m_lastKey; // the showing, then each key taken since
    QString m_taken;
    std::unique_ptr<class KeysBehindModal> m_keysBehind; // sent to the windows it blocks
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
