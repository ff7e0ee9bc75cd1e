#pragma once
// The format dialog of the designer: edits a view's format word (kind, the
// kind's format, decimals and decimal separator) and the user's own format.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class TvlFmtForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlFmtForm(QWidget *parent = nullptr);

    // The word being edited; set before the dialog is shown.
    qint32 Format() const { return m_format; }
    void SetFormat(qint32 format, const QString &formatText = {});
    // The user's own format (meant for format index 4).
    QString FormatText() const;

    QGroupBox *GroupBox1;
    QComboBox *ComboBox1;
    QComboBox *ComboBox2;
    QWidget *Panel1;
    QLabel *Label5;
    QLineEdit *Edit3;
    QLabel *Label6;
    QLineEdit *SplEdit;
    QWidget *Panel2;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;
    QPushButton *Button2;

    void ComboBox1Click(); // a kind was chosen
    void ComboBox2Click(); // a format was chosen
    void Edit3Change();
    void SplEditChange();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowPanels();

    qint32 m_format = 0;
    bool m_filling = false;
};
