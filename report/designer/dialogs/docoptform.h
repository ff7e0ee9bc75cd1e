#pragma once
// The report options dialog "Nastavení sestavy": the report's printer, asking
// for a printer before the report opens, and the two-pass build.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class TvlReport;
class TvlPrinter;

struct TvlReportSetup
{
    QStringList Printers;
    int PrinterIndex = -1;    // the chosen printer
    int OldPrinterIndex = -1; // the printer when the dialog opened
    bool AskPrinter = false;  // the inverse of the report's keep-printer flag
    bool TwoPass = false;

    static TvlReportSetup FromReport(const TvlReport &report, const TvlPrinter &printer);
    // Writes the flags and changes the printer when another was chosen.
    // False, with the reason, when the printer could not take the report.
    bool ApplyTo(TvlReport &report, QString *error = nullptr) const;
};

class TvlDocOptForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlDocOptForm(QWidget *parent = nullptr);

    void SetOptions(const TvlReportSetup &options);
    TvlReportSetup Options() const;

    QGroupBox *GroupBox1;
    QComboBox *ComB1;
    QCheckBox *CB1;
    QGroupBox *GroupBox2;
    QCheckBox *CB2;
    QPushButton *Button1, *Button2;

private:
    TvlReportSetup m_options;
};
