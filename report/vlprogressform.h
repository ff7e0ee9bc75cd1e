#pragma once
// The window a long engine operation (building, printing, exporting) runs in.
// It shows itself modally and then runs its work from the event loop, so the
// rest of the program takes no input meanwhile. "Storno", Esc, closing the
// window and repeated clicks only raise the cancel request; the work sees it
// at its next check and ends, and the window closes when the work returns.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class TvlProgressForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlProgressForm(QWidget *parent = nullptr);

    // Shows the window, runs work while it is up, and closes it; false when
    // the work was cancelled. onCancel sets the report's terminated flag.
    bool Run(const std::function<void()> &work, const std::function<void()> &onCancel);
    // The progress text and the window caption, as the work goes on.
    void SetProgress(const QString &caption, const QString &text);
    bool Cancelled() const { return m_cancelled; }

    QLabel *Label1;
    QPushButton *Button1;

    void Button1Click();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> m_onCancel;
    bool m_running = false;
    bool m_cancelled = false;
};
