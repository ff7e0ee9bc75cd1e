#pragma once
// The variables editor "Editor proměnných": maps each variable of the report
// to a data field, a special value or expression, or an engine variable; and
// the variable list "Seznam proměnných" where categories and variables are
// edited as text lines (a category, then its variables each after a blank).
#include "report/designer/dialogs/fieldsform.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TvlReport;
struct TvlValue;

class TvlEvForm : public QDialog
{
    Q_OBJECT
public:
    static const QString OtherSource;  // "Jiné"
    static const QString EngineSource; // "VL proměnné"
    // The special values as listed, the expression entry second.
    static const QStringList &SpecialNames();

    // ownerName: the report's owner form, whose data sets a mapping may
    // name either plainly or as "Form.DataSet".
    TvlEvForm(TvlReport &report, const TvlFieldSource &source, const QString &ownerName = {},
              QWidget *parent = nullptr);

    QComboBox *VarCombo;
    QListWidget *VarList;
    QLabel *Label1;
    QComboBox *ValCombo;
    QListWidget *ValList;
    QLabel *Label2, *Label3;
    QLineEdit *Edit1;
    QToolButton *SB1, *SB2;
    QPushButton *Button3, *Button1, *Button2;

    void Start();            // everything listed again, first entries chosen
    void VarComboClick();    // the category's variables
    void VarListClick();     // shows the variable's mapping
    void ValComboClick();    // the source's values
    void UpdateExpression(); // the expression edit only for the expression entry
    void Store();            // the shown mapping into the variable's value entry
    void SB1Click();         // copy
    void SB2Click();         // paste
    void Button3Click();     // the variable list

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TvlValue *SelectedValue() const;
    bool ExpressionChosen() const;

    TvlReport &m_report;
    TvlFieldSource m_source;
    QString m_ownerName;
};

class TvlVaredForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlVaredForm(QWidget *parent = nullptr);

    QLabel *Label1;
    QPlainTextEdit *Memo1;
    QPushButton *Button1, *Button2;

    void SetLines(const QStringList &lines);
    QStringList Lines() const;
};

// The variable names of variable lines (the lines after a blank).
QStringList vlVariableNames(const QStringList &lines);
// Takes edited variable lines: drops the value entries of variables no
// longer there, gives new variables an unassigned entry.
void vlSetVariableLines(TvlReport &report, const QStringList &lines);
