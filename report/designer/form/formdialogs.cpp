#include "report/designer/form/formdialogs.h"

#include "platform/messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Until the dialog is part of the program, the user learns why nothing opens.
bool notYetAvailable(const QString &what)
{
    ShowInformation(QStringLiteral("Editor sestav"), what + QStringLiteral(" zatím v této verzi není k dispozici."));
    return false;
}

} // namespace

QStringList vlQtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        if (!text.contains(QLatin1Char('(')))
            text += QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                    QLatin1Char(')');
        filters << text;
    }
    return filters;
}

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

QString TvlStandardFormDialogs::OpenFileName(QWidget *parent, const QString &filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(vlQtNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString TvlStandardFormDialogs::SaveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                             int &filterIndex)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = vlQtNameFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().constFirst();
}

QString TvlStandardFormDialogs::ChooseTemplate(QWidget *, const QString &)
{
    notYetAvailable(QStringLiteral("Seznam šablon"));
    return {};
}

bool TvlStandardFormDialogs::TemplateDescription(QWidget *, QStringList &, QImage &)
{
    return notYetAvailable(QStringLiteral("Popis šablony"));
}

bool TvlStandardFormDialogs::PageOptions(QWidget *, TvlFormPageOptions &)
{
    return notYetAvailable(QStringLiteral("Nastavení strany"));
}

bool TvlStandardFormDialogs::ReportOptions(QWidget *, TvlFormReportOptions &)
{
    return notYetAvailable(QStringLiteral("Nastavení sestavy"));
}

bool TvlStandardFormDialogs::DesignerOptions(QWidget *, TvlFormDesignerOptions &)
{
    return notYetAvailable(QStringLiteral("Nastavení editoru"));
}

bool TvlStandardFormDialogs::EditVariables(QWidget *, TvlReport &)
{
    return notYetAvailable(QStringLiteral("Editor proměnných"));
}

void TvlStandardFormDialogs::About(QWidget *parent)
{
    QMessageBox::about(parent, QStringLiteral("O programu"),
                       QStringLiteral("Editor sestav\nNávrh tiskových sestav programu Tarmil 5.0"));
}
