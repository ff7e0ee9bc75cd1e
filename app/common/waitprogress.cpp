#include "app/common/waitprogress.h"

#include "app/common/screenplacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

TForm_Cekejte *Form_Cekejte = nullptr;
TForm_Progres *Form_Progres = nullptr;

namespace {

constexpr Qt::WindowFlags fixedDialog =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

} // namespace

void ShowAndPaint(QWidget *window)
{
    window->show();
    window->raise();
    // The window system maps the window asynchronously; wait for that briefly
    // so the window is on screen before the caller blocks.
    QElapsedTimer elapsed;
    elapsed.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (window->windowHandle() && !window->windowHandle()->isExposed() && elapsed.elapsed() < 200);
    window->repaint();
}

TForm_Cekejte::TForm_Cekejte()
    : QDialog(nullptr, fixedDialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_Cekejte"));
    setWindowTitle(QStringLiteral(" Čekejte"));
    // Modeless for the caller, yet the rest of the program takes no input.
    setWindowModality(Qt::ApplicationModal);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    Image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(size, size));

    LabelInformation = new QLabel(QStringLiteral("Čekejte prosím..."), this);
    LabelInformation->setObjectName(QStringLiteral("LabelInformation"));
    QFont bold = LabelInformation->font();
    bold.setBold(true);
    LabelInformation->setFont(bold);

    LabelSpecification = new QLabel(this);
    LabelSpecification->setObjectName(QStringLiteral("LabelSpecification"));
    LabelSpecification->setTextFormat(Qt::PlainText);
    LabelSpecification->setMinimumWidth(300);

    auto *texts = new QVBoxLayout;
    texts->addWidget(LabelInformation);
    texts->addWidget(LabelSpecification);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(Image, 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm_Cekejte::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnMainScreen(this);
}

void TForm_Cekejte::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

TForm_Progres::TForm_Progres()
    : QDialog(nullptr, fixedDialog)
{
    setObjectName(QStringLiteral("Form_Progres"));
    setWindowModality(Qt::ApplicationModal);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedWidth(320);

    Button_Prerusit = new QPushButton(QStringLiteral("&Přerušit"), this);
    Button_Prerusit->setObjectName(QStringLiteral("Button_Prerusit"));
    Button_Prerusit->setDefault(true);
    Button_Prerusit->setMinimumWidth(88);
    connect(Button_Prerusit, &QPushButton::clicked, this, &TForm_Progres::Button_PrerusitClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(ProgressBar);
    layout->addWidget(Button_Prerusit, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm_Progres::Button_PrerusitClick()
{
    Button_Prerusit->setEnabled(false);
}

void TForm_Progres::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnMainScreen(this);
}

void TForm_Progres::reject()
{
    if (Button_Prerusit->isEnabled())
        Button_Prerusit->click();
}

void TForm_Progres::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}
