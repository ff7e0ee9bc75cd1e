#pragma once
// The template dialogs: "Nová sestava" lists the templates of the template
// folder with their description and icon; "Nová šablona sestavy" asks for
// the description and icon of a report saved as a template.
#include <QDialog>
#include <QImage>
#include <QStringList>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

class TvlTemplForm : public QDialog
{
    Q_OBJECT
public:
    // folder: the designer's template folder; empty for the current one.
    explicit TvlTemplForm(const QString &templateDir, QWidget *parent = nullptr);

    // The folder as file names are built from it: with a separator at the end,
    // or empty for the current folder.
    static QString Folder(const QString &templateDir);
    // The names, without extension, of the template files of a folder, sorted.
    static QStringList TemplateNames(const QString &folder);

    QString TemplName; // the chosen template's file, set on OK

    QListWidget *LB1;
    QGroupBox *GroupBox1;
    QPlainTextEdit *Memo1;
    QLabel *Image1;
    QPushButton *Button1, *Button2;

    void LB1Click(); // loads the selected template's description and icon

protected:
    void done(int result) override;

private:
    QString m_folder;
};

class TvlTemplNewForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlTemplNewForm(QWidget *parent = nullptr);

    QStringList Description() const;
    QImage Icon() const { return m_icon; }
    // Loads a bitmap file as the icon; false when it is no bitmap.
    bool LoadIcon(const QString &fileName);

    QLabel *Label1;
    QPlainTextEdit *Memo1;
    QGroupBox *GroupBox2;
    QWidget *Panel1;
    QLabel *Image1;
    QPushButton *Button1;           // "&Soubor..."
    QPushButton *Button2, *Button3; // OK, Storno

    void Button1Click();

private:
    QImage m_icon;
};
