#include "app/common/messagewindows.h"

#include "app/common/blockedkeys.h"

#include "app/common/modalresult.h"
#include "app/common/screenplacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int textWidth = 380;
constexpr int iconBlinkMs = 250;
constexpr int selfCloseMs = 3000;

} // namespace

MessageWindow::MessageWindow(const QString &caption, QStyle::StandardPixmap icon, bool stayOnTop)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                           (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags()))
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose, false);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    Image->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
    Image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    // The blink hides the icon; its place must stay so the texts do not jump.
    QSizePolicy policy = Image->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    Image->setSizePolicy(policy);

    TimerIcon = new QTimer(this);
    TimerIcon->setObjectName(QStringLiteral("TimerIcon"));
    TimerIcon->setInterval(iconBlinkMs);
    connect(TimerIcon, &QTimer::timeout, this, &MessageWindow::TimerIconTimer);

    textColumn = new QVBoxLayout;
    textColumn->setSpacing(8);
    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(Image, 0, Qt::AlignTop);
    body->addLayout(textColumn, 1);

    buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(body);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LabelTypedAhead = new QLabel(this);
    LabelTypedAhead->setObjectName(QStringLiteral("LabelTypedAhead"));
    LabelTypedAhead->setWordWrap(true);
    LabelTypedAhead->setTextFormat(Qt::PlainText);
    LabelTypedAhead->hide();
    layout->insertWidget(1, LabelTypedAhead);
}

QLabel *MessageWindow::addHeading(const QString &name)
{
    QLabel *label = addText(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel *MessageWindow::addText(const QString &name)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(textWidth);
    label->setTextFormat(Qt::PlainText);
    textColumn->addWidget(label);
    return label;
}

void MessageWindow::addToTextColumn(QWidget *widget)
{
    textColumn->addWidget(widget);
}

QPushButton *MessageWindow::addButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setMinimumWidth(88);
    buttonRow->insertWidget(buttonRow->count() - 1, button); // centred as a group
    return button;
}

void MessageWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnMainScreen(this);
    TimerIcon->start();
    m_lastKey.start();
    m_taken.clear();
    qApp->installEventFilter(this);
    // Until the window system gives it the keyboard, the typing goes on
    // into the window the user typed into.
    m_keysBehind = std::make_unique<KeysBehindModal>(
        this, [this](const TypedKey &key) { return takeTypedAhead(key.key, key.text); });
}

void MessageWindow::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    m_keysBehind.reset();
    QDialog::hideEvent(event);
}

MessageWindow::~MessageWindow() = default;

bool MessageWindow::eventFilter(QObject *watched, QEvent *event)
{
    return typedAhead(watched, event) || QDialog::eventFilter(watched, event);
}

// A key for this window (or a control in it) while the typing that began
// before it opened goes on: taken, and written where the user sees it.
bool MessageWindow::typedAhead(QObject *receiver, QEvent *event)
{
    // Keys from the keyboard only: a program's own key events are meant.
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) ||
        !event->spontaneous())
        return false;
    auto *widget = qobject_cast<QWidget *>(receiver);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return false;
    const bool burst = m_lastKey.elapsed() < TypingPauseMs;
    if (type == QEvent::ShortcutOverride) {
        if (burst)
            event->accept(); // a key, not a shortcut: taken below
        return false;
    }
    if (type == QEvent::KeyRelease)
        return burst;
    const auto *key = static_cast<QKeyEvent *>(event);
    return takeTypedAhead(key->key(), key->text());
}

bool MessageWindow::takeTypedAhead(int key, const QString &text)
{
    if (m_lastKey.elapsed() >= TypingPauseMs)
        return false;
    m_lastKey.start();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || text == u"\r" || text == u"\n")
        m_taken += QStringLiteral("↵");
    else if (!text.isEmpty() && text.front().isPrint())
        m_taken += text;
    LabelTypedAhead->setText(QStringLiteral("Znaky napsané v okamžiku otevření tohoto okna nebyly použity: „%1“. "
                                            "Načtěte nebo napište je po zavření okna znovu.")
                                 .arg(m_taken));
    LabelTypedAhead->show();
    return true;
}

void MessageWindow::TimerIconTimer()
{
    Image->setHidden(!Image->isHidden());
}

TFormWarning::TFormWarning()
    : MessageWindow(QStringLiteral(" Upozornění"), QStyle::SP_MessageBoxWarning, false)
{
    setObjectName(QStringLiteral("FormWarning"));
    LabelWarning = addHeading(QStringLiteral("LabelWarning"));
    LabelSpecification = addText(QStringLiteral("LabelSpecification"));

    MemoDescription = new QPlainTextEdit(this);
    MemoDescription->setObjectName(QStringLiteral("MemoDescription"));
    MemoDescription->setReadOnly(true);
    MemoDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoDescription->setFixedSize(textWidth, 96);
    MemoDescription->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = MemoDescription->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    MemoDescription->setPalette(palette);
    addToTextColumn(MemoDescription);

    ButtonOk = addButton(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"));
    ButtonOk->setDefault(true);
    ButtonOk->setFocus();
    connect(ButtonOk, &QPushButton::clicked, this, [this] { done(mrOk); });
}

TFormInformation::TFormInformation()
    : MessageWindow(QStringLiteral(" Informace"), QStyle::SP_MessageBoxInformation, true)
{
    setObjectName(QStringLiteral("FormInformation"));
    LabelInformation = addHeading(QStringLiteral("LabelInformation"));
    LabelSpecification = addText(QStringLiteral("LabelSpecification"));

    ButtonOk = addButton(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"));
    ButtonOk->setDefault(true);
    ButtonOk->setFocus();
    connect(ButtonOk, &QPushButton::clicked, this, [this] { done(mrOk); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(selfCloseMs);
    Timer->setSingleShot(true);
    Timer->setTimerType(Qt::PreciseTimer);
    connect(Timer, &QTimer::timeout, this, &TFormInformation::TimerTimer);
}

void TFormInformation::TimerTimer()
{
    done(mrOk);
}

TFormQuestion::TFormQuestion()
    : MessageWindow(QStringLiteral(" Otázka"), QStyle::SP_MessageBoxQuestion, true)
{
    setObjectName(QStringLiteral("FormQuestion"));
    LabelQuestion = addHeading(QStringLiteral("LabelQuestion"));
    LabelSpecification = addText(QStringLiteral("LabelSpecification"));

    // Neither button is the default: Enter presses the one with the focus.
    ButtonYes = addButton(QStringLiteral("ButtonYes"), QStringLiteral("&Ano"));
    ButtonNo = addButton(QStringLiteral("ButtonNo"), QStringLiteral("&Ne"));
    connect(ButtonYes, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(ButtonNo, &QPushButton::clicked, this, [this] { done(mrNo); });
}

void TFormQuestion::reject()
{
    done(mrNo);
}
