#pragma once
// The preview's print dialog: printer, copies and the pages to print. A
// printer chosen in the list is selected in the engine's printer at once; a
// dialog closed other than with "OK" puts back the printer (and its page
// setup) that was selected when it opened.
#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TvlSpeedButton;

class TvlPrintForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlPrintForm(QWidget *parent = nullptr);

    // The copies typed (at least 1).
    int Copies() const;
    // The pages to print: empty for all, the current page, or the typed list.
    QString PageList(int currentPage) const;
    // Whether the printer differs from the one selected when the dialog opened.
    bool PrinterChanged() const;
    int OldPrinterIndex() const { return m_oldIndex; }

    QGroupBox *GroupBox1;
    QComboBox *CB1;
    QPushButton *PropButton;
    QLabel *Label1;
    QLineEdit *E1;
    TvlSpeedButton *vlSpeedButton1;
    TvlSpeedButton *vlSpeedButton2;
    QGroupBox *GroupBox2;
    QRadioButton *RB1;
    QRadioButton *RB2;
    QRadioButton *RB3;
    QLineEdit *E2;
    QLabel *Label2;
    QPushButton *Button1;
    QPushButton *Button2;

    // How "&Vlastnosti" asks for the page setup; tests replace it. True when accepted.
    static std::function<bool(QWidget *parent)> PageSetup;

    void CB1Click();
    void PropButtonClick();
    void vlSpeedButton1Click();
    void vlSpeedButton2Click();

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SelectCurrentPrinter();

    int m_oldIndex = 0;
    QPageLayout m_oldLayout;
};
