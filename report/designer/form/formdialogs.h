#pragma once
// The questions and dialogs the designer's report commands open, behind one
// interface so that tests answer them. The standard answers show the real
// windows.
#include "report/designer/form/pagecommands.h"

#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;
class TvlReport;

// The designer options dialog's values.
struct TvlFormDesignerOptions
{
    bool ShowGrid = true;
    bool GridAlign = true;
    int GridSize = 4; // 4, 8 or 18
    bool MoveContents = true;
    int Units = 0; // pixels, millimetres, inches
    bool ColouredButtons = true;
    bool EditAfterInsert = true;
    bool ShowBandTitles = true;
};

// The report options dialog's values.
struct TvlFormReportOptions
{
    QStringList Printers;
    int PrinterIndex = -1;
    bool SelectPrinter = false; // "&Před otevřením zvol tiskárnu"
    bool TwoPass = false;       // "&Zjištění počtu stran sestavy"
};

class TvlFormDialogs
{
public:
    enum Answer { Yes, No, Cancel };

    virtual ~TvlFormDialogs() = default;
    // A question with the caption "Pokračovat"; Yes/No/Cancel or Yes/No.
    virtual Answer Ask(QWidget *parent, const QString &text, bool withCancel) = 0;
    // Empty when cancelled.
    virtual QString OpenFileName(QWidget *parent, const QString &filter) = 0;
    // filterIndex: 1-based in and out; empty when cancelled.
    virtual QString SaveFileName(QWidget *parent, const QString &filter, const QString &fileName, int &filterIndex) = 0;
    // The chosen template's full file name; empty when cancelled.
    virtual QString ChooseTemplate(QWidget *parent, const QString &templateDir) = 0;
    virtual bool TemplateDescription(QWidget *parent, QStringList &description, QImage &icon) = 0;
    virtual bool PageOptions(QWidget *parent, TvlFormPageOptions &options) = 0;
    virtual bool ReportOptions(QWidget *parent, TvlFormReportOptions &options) = 0;
    virtual bool DesignerOptions(QWidget *parent, TvlFormDesignerOptions &options) = 0;
    // True when the variables changed.
    virtual bool EditVariables(QWidget *parent, TvlReport &report) = 0;
    virtual void About(QWidget *parent) = 0;
};

// The real windows.
class TvlStandardFormDialogs : public TvlFormDialogs
{
public:
    Answer Ask(QWidget *parent, const QString &text, bool withCancel) override;
    QString OpenFileName(QWidget *parent, const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &filter, const QString &fileName, int &filterIndex) override;
    QString ChooseTemplate(QWidget *parent, const QString &templateDir) override;
    bool TemplateDescription(QWidget *parent, QStringList &description, QImage &icon) override;
    bool PageOptions(QWidget *parent, TvlFormPageOptions &options) override;
    bool ReportOptions(QWidget *parent, TvlFormReportOptions &options) override;
    bool DesignerOptions(QWidget *parent, TvlFormDesignerOptions &options) override;
    bool EditVariables(QWidget *parent, TvlReport &report) override;
    void About(QWidget *parent) override;
};

// Filters of the file dialogs in the framework's "text|pattern|..." form,
// and the Qt name filters they stand for.
QStringList vlQtNameFilters(const QString &filter);
