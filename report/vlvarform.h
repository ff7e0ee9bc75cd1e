#pragma once
// The variable chooser of the designer and the memo editor: the report's
// variable categories, the shared script variables and the special variables.
#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class TvlVariables;

// The special variables: as the chooser shows them and as reports name them.
const QStringList &vlSpecialVariableTitles();
const QStringList &vlSpecialVariableNames();
// The name a title stands for (the title itself when it is none).
QString vlSpecialVariableName(const QString &title);

// What the chooser lists of a report.
struct TvlVariableSource
{
    QStringList Categories;
    std::function<QStringList(const QString &category)> Variables;
    const TvlVariables *Shared = nullptr; // the script variables
};

class TvlVarForm : public QDialog
{
    Q_OBJECT
public:
    static const QString OtherCategory;  // "Jiné"
    static const QString ScriptCategory; // "VL proměnné"

    explicit TvlVarForm(const TvlVariableSource &source, QWidget *parent = nullptr);

    // The chosen variable's name (internal names for the special ones).
    QString SelectedName() const;

    QLabel *Label1;
    QComboBox *ValCombo;
    QListWidget *ValList;

    void ValComboClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    TvlVariableSource m_source;
};
