#pragma once
// The two modeless windows that stay up while a long operation runs: the wait
// window (no interaction) and the progress window, whose "&Přerušit" button is
// the whole interrupt protocol: pressing it disables it, and the running loop
// stops at its next step once it sees the button disabled.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TForm_Cekejte : public QDialog
{
    Q_OBJECT
public:
    TForm_Cekejte();
    QLabel *Image;
    QLabel *LabelInformation;
    QLabel *LabelSpecification;

protected:
    void showEvent(QShowEvent *event) override;
    // Neither Escape nor the close box can remove it; only the caller hides it.
    void reject() override {}
    void closeEvent(QCloseEvent *event) override;
};

class TForm_Progres : public QDialog
{
    Q_OBJECT
public:
    TForm_Progres();
    QProgressBar *ProgressBar;
    QPushButton *Button_Prerusit;

    void Button_PrerusitClick();

protected:
    void showEvent(QShowEvent *event) override;
    // Escape and the close box press "&Přerušit"; the caller hides the window.
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
};

// The windows that are up now, or null; valid between show and hide.
extern TForm_Cekejte *Form_Cekejte;
extern TForm_Progres *Form_Progres;

// Shows a modeless window and serves events until it has been painted once,
// without taking the user's input meanwhile.
void ShowAndPaint(QWidget *window);
