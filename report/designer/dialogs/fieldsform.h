#pragma once
// The field picker "Vložit DB položku" and the insert-fields dialog "Vložit
// položky": the report's data sets and their fields.
#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// Where the dialogs take data sets and fields from.
struct TvlFieldSource
{
    QStringList DataSets;
    std::function<QStringList(const QString &dataSet)> Fields;

    // The current report owner's data sets, sorted, with their fields.
    static TvlFieldSource Report();
    // The reference a memo uses for a field: DataSet."Field".
    static QString FieldReference(const QString &dataSet, const QString &field);
};

class TvlFieldsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlFieldsForm(const TvlFieldSource &source, QWidget *parent = nullptr);

    // The picked field's reference; empty when none was picked.
    QString PickedField;
    // The data set chosen last, offered first next time (for the whole run).
    static QString &LastDataSet();

    QLabel *Label1;
    QComboBox *ValCombo;
    QListWidget *ValList;

    void ValComboChange(); // lists the chosen data set's fields

protected:
    void done(int result) override;

private:
    TvlFieldSource m_source;
};

// What the insert-fields dialog answers.
struct TvlInsertFieldsAnswer
{
    QString DataSet; // empty when there is none
    QStringList Fields;
    bool Horizontal = true;
    bool Headers = false;
    bool Bands = false;
};

class TvlInsertFieldsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlInsertFieldsForm(const TvlFieldSource &source, QWidget *parent = nullptr);

    TvlInsertFieldsAnswer Choice() const;

    QLabel *Label1;
    QComboBox *DatasetCB;
    QListWidget *FieldsL;
    QGroupBox *GroupBox1;
    QRadioButton *HorzRB, *VertRB;
    QGroupBox *GroupBox2;
    QCheckBox *HeaderCB, *BandCB;
    QPushButton *Button1, *Button2;

    void DatasetCBChange();

private:
    TvlFieldSource m_source;
};
