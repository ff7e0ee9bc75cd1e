#pragma once
// The preview's two small questions: the export format and the search.
#include "app/common/dialogbase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class TForm_NahledExport : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_NahledExport(QWidget *parent = nullptr);

    QGroupBox *RadioGroup_Format; // "Export do formátu"
    QList<QRadioButton *> Items;

    // 0 text, 1 CSV, 2 HTML, 3 RTF (the preselected one).
    int ItemIndex() const;
    void SetItemIndex(int index);
    QString ItemText() const;
    // ".txt", ".csv", ".htm" or ".rtf" of the chosen item.
    QString Extension() const;
};

class TForm_NahledHledat : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_NahledHledat(QWidget *parent = nullptr);

    QLabel *Label_Text;
    QLineEdit *Edit_Text;
    QCheckBox *CheckBox_Velikost;
    QGroupBox *GroupBox_Od;
    QRadioButton *RadioButton_Prvni, *RadioButton_Aktualni;

    QString Text() const;
    bool CaseSensitive() const;
    bool FromFirstPage() const;
};
