#pragma once
// The data source dialogs of bands: "Band datový zdroj" of a data band,
// "Band datové zdroje" of a cross band (a source for each band it spans) and
// "Skupina", the condition of a group header.
#include "report/designer/dialogs/bandsource.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The source combo with the count edit, shared by both source dialogs.
class TvlSourceControls
{
public:
    void Fill(QComboBox *combo, QLineEdit *edit, QLabel *label, const QStringList &dataSets);
    void Show(const QString &value);
    QString Value() const;
    void EnableCount(); // the count only with the virtual data set

private:
    QComboBox *m_combo = nullptr;
    QLineEdit *m_edit = nullptr;
    QLabel *m_label = nullptr;
};

class TvlBandEditorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlBandEditorForm(const QStringList &dataSets, QWidget *parent = nullptr);

    void SetSource(const QString &formatText);
    QString Source() const; // the band's new FormatText

    QGroupBox *GB1;
    QComboBox *CB1;
    QLabel *Label2;
    QLineEdit *Edit1;
    QPushButton *Button1, *Button2;

private:
    TvlSourceControls m_controls;
};

class TvlVBandEditorForm : public QDialog
{
    Q_OBJECT
public:
    TvlVBandEditorForm(const TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent = nullptr);

    // The sources as the user left them.
    const TvlCrossSources &Sources() const { return m_sources; }

    QGroupBox *GroupBox1;
    QListWidget *LB1;
    QGroupBox *GroupBox2;
    QComboBox *CB1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1, *Button2;

    void LB1Click();   // shows the selected band's source
    void StoreValue(); // the shown source for the selected band

private:
    TvlCrossSources m_sources;
    TvlSourceControls m_controls;
};

class TvlGroupEditorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlGroupEditorForm(QWidget *parent = nullptr);

    QGroupBox *GB1;
    QLineEdit *Edit1;
    QToolButton *vlSpeedButton1;
    QPushButton *Button1, *Button2;

    void vlSpeedButton1Click(); // picks a field into the condition
};
