#include "report/designer/form/formdialogs.h"

#include "report/designer/dialogs/dialoganswers.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

TvlFormDialogs::Answer TvlStandardFormDialogs::Ask(QWidget *parent, const QString &text, bool withCancel)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Pokračovat"), text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Ano"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Ne"), QMessageBox::NoRole);
    QPushButton *cancel = withCancel ? box.addButton(QStringLiteral("Storno"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Yes;
    if (box.clickedButton() == no || !cancel)
        return No;
    return Cancel;
}

QString TvlStandardFormDialogs::SaveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                             int &filterIndex)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = vlQtFileFilter(filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().constFirst();
}

void TvlStandardFormDialogs::About(QWidget *parent)
{
    QMessageBox::about(parent, QStringLiteral("O programu"),
                       QStringLiteral("Editor sestav\nNávrh tiskových sestav programu Tarmil 5.0"));
}
