#include "app/common/windowmessages.h"

#include "app/common/messagewindows.h"
#include "app/common/modalresult.h"
#include "app/common/waitprogress.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

void WindowMessageService::showWarning(const QString &heading, const QString &detail, const QString &description)
{
    QApplication::beep();
    TFormWarning form;
    form.LabelWarning->setText(heading);
    form.LabelSpecification->setText(detail);
    form.MemoDescription->setPlainText(description.isEmpty() ? detail : description);
    form.exec();
}

void WindowMessageService::showInformation(const QString &heading, const QString &detail, bool autoClose)
{
    QApplication::beep();
    TFormInformation form;
    form.LabelInformation->setText(heading);
    form.LabelSpecification->setText(detail);
    if (autoClose)
        form.Timer->start();
    form.exec();
}

bool WindowMessageService::showQuestion(const QString &heading, const QString &detail, bool yesFocused)
{
    QApplication::beep();
    TFormQuestion form;
    form.LabelQuestion->setText(heading);
    form.LabelSpecification->setText(detail);
    (yesFocused ? form.ButtonYes : form.ButtonNo)->setFocus();
    return form.exec() == mrYes;
}

void WindowMessageService::showWait(const QString &text)
{
    if (!Form_Cekejte)
        Form_Cekejte = new TForm_Cekejte;
    Form_Cekejte->LabelSpecification->setText(text);
    ShowAndPaint(Form_Cekejte);
}

void WindowMessageService::hideWait()
{
    delete Form_Cekejte;
    Form_Cekejte = nullptr;
}

void WindowMessageService::showProgress(const QString &caption)
{
    delete Form_Progres;
    Form_Progres = new TForm_Progres;
    Form_Progres->setWindowTitle(caption);
    ShowAndPaint(Form_Progres);
}

void WindowMessageService::setProgressMaximum(int maximum)
{
    if (Form_Progres)
        Form_Progres->ProgressBar->setMaximum(maximum);
}

bool WindowMessageService::stepProgress(const QString &caption, int position)
{
    if (!Form_Progres)
        return true;
    Form_Progres->setWindowTitle(caption);
    Form_Progres->ProgressBar->setValue(position);
    QCoreApplication::processEvents();
    return Form_Progres && Form_Progres->Button_Prerusit->isEnabled();
}

bool WindowMessageService::progressInterrupted() const
{
    return Form_Progres && !Form_Progres->Button_Prerusit->isEnabled();
}

void WindowMessageService::hideProgress()
{
    delete Form_Progres;
    Form_Progres = nullptr;
}
