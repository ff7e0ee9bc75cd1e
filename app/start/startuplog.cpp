#include "app/start/startuplog.h"

#include "app/start/appglobals.h"
#include "platform/datetime.h"
#include "platform/formatdate.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScreen>
#include <QVBoxLayout>

TForm_Inicializace *Form_Inicializace = nullptr;
QStringList LogLines;

TForm_Inicializace::TForm_Inicializace(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form_Inicializace"));
    setWindowTitle(QStringLiteral("Inicializace"));
    setModal(false);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth); // long server texts read whole
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo);
    setFixedSize(520, 300);

    OpenDialog = new QFileDialog(this, QStringLiteral("Obnova databáze"));
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->setNameFilter(QStringLiteral("Zaloha dabáze (*.bak)"));
    OpenDialog->setDefaultSuffix(QStringLiteral("bak"));
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
}

QString LogFilePath()
{
    return CombinePath(QStringLiteral("Tarmil5.log"), AppPath);
}

void InitializationCreate()
{
    if (!Form_Inicializace)
        Form_Inicializace = new TForm_Inicializace;
    LogLines.clear();
    QFile file(LogFilePath());
    if (file.exists() && file.open(QIODevice::ReadOnly)) {
        QString text = QString::fromUtf8(file.readAll());
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        if (!text.isEmpty() || file.size() > 0)
            LogLines = text.split(QLatin1Char('\n'));
        LogLines.append(QString());
    }
}

void InitializationShow()
{
    if (!Form_Inicializace)
        return;
    if (QScreen *screen = QGuiApplication::primaryScreen())
        Form_Inicializace->move(screen->availableGeometry().center() - Form_Inicializace->rect().center());
    Form_Inicializace->show();
    QCoreApplication::processEvents();
}

void InitializationClose()
{
    if (Form_Inicializace)
        Form_Inicializace->hide();
}

void InitializationFree()
{
    delete Form_Inicializace;
    Form_Inicializace = nullptr;
}

void InitializationLog(const QString &text)
{
    if (Form_Inicializace) {
        Form_Inicializace->Memo->appendPlainText(text);
        if (Form_Inicializace->isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    WriteLogLine(text);
}

void InitializationLogOk()
{
    InitializationLog(QStringLiteral("Ok"));
}

void InitializationLogError()
{
    InitializationLog(QStringLiteral("Error"));
}

void WriteLogLine(const QString &text)
{
    const TDateTime now = DateTimeConv::fromQDateTime(QDateTime::currentDateTime());
    LogLines.append(DateToStr(now) + QLatin1Char(' ') + TimeToStr(now) + QLatin1Char(' ') + text);
    QSaveFile file(LogFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return;
    QByteArray bytes;
    for (const QString &line : std::as_const(LogLines))
        bytes += line.toUtf8() + '\n';
    file.write(bytes);
    file.commit();
}
