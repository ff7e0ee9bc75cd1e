#include "report/vlprogressform.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace {

// Room the window manager takes in a title bar: icon, buttons and margins.
constexpr int titleBarButtons = 140;

} // namespace

TvlProgressForm::TvlProgressForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlProgressForm");
    setWindowTitle("Připravuji sestavu");
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(260);
    Label1->setAlignment(Qt::AlignCenter);
    Button1 = new QPushButton("Storno", this);
    Button1->setObjectName("Button1");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

bool TvlProgressForm::Run(const std::function<void()> &work, const std::function<void()> &onCancel)
{
    m_onCancel = onCancel;
    m_cancelled = false;
    std::exception_ptr failure;
    QTimer::singleShot(0, this, [this, work, &failure] {
        m_running = true;
        try {
            work();
        } catch (...) { // carried past the event loop
            failure = std::current_exception();
        }
        m_running = false;
        QDialog::done(m_cancelled ? Rejected : Accepted);
    });
    exec();
    if (failure)
        std::rethrow_exception(failure);
    return !m_cancelled;
}

void TvlProgressForm::SetProgress(const QString &caption, const QString &text)
{
    if (caption != windowTitle()) {
        setWindowTitle(caption);
        // The caption stands whole in the title bar beside its buttons (the
        // title font is often bold), as far as the screen allows.
        QFont bold = font();
        bold.setBold(true);
        int width = QFontMetrics(bold).horizontalAdvance(caption) + titleBarButtons;
        if (const QScreen *screen = this->screen())
            width = std::min(width, screen->availableGeometry().width() * 9 / 10);
        setMinimumWidth(std::max(width, minimumSizeHint().width()));
    }
    Label1->setText(text);
}

void TvlProgressForm::Button1Click()
{
    if (!m_cancelled) {
        m_cancelled = true;
        if (m_onCancel)
            m_onCancel();
    }
}

void TvlProgressForm::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        event->ignore();
        Button1Click();
        return;
    }
    QDialog::closeEvent(event);
}

void TvlProgressForm::reject()
{
    if (m_running)
        Button1Click();
    else
        QDialog::reject();
}
