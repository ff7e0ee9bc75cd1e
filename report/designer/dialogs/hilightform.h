#pragma once
// The highlight dialog "Nastavení zvýraznění": the condition under which a
// memo prints highlighted, the font colour and style and the background.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

struct TvlHighlightOptions
{
    QString Condition;
    qint32 FontColor = 0;
    qint32 FillColor = 0x1FFFFFFF; // transparent
    quint16 Style = 2;             // 1 italic, 2 bold, 4 underline
    bool operator==(const TvlHighlightOptions &) const = default;
};

class TvlHilightForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr qint32 Transparent = 0x1FFFFFFF;

    explicit TvlHilightForm(QWidget *parent = nullptr);

    void SetOptions(const TvlHighlightOptions &options);
    TvlHighlightOptions Options() const;

    QGroupBox *GroupBox3;
    QLineEdit *Edit1;
    QGroupBox *GroupBox1;
    QToolButton *SpeedButton1;
    QCheckBox *CB1, *CB2, *CB3;
    QGroupBox *GroupBox2;
    QRadioButton *RB1, *RB2;
    QToolButton *SpeedButton2;
    QPushButton *Button1, *Button2;

    void RB1Click(); // either background radio button
    void SpeedButton1Click();
    void SpeedButton2Click();

private:
    void ShowSwatches();

    qint32 m_fontColor = 0;
    qint32 m_fillColor = Transparent;
};
