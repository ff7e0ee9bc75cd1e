#pragma once
// The memo and script editor "Textový editor": the text of an object and its
// script, with report variables, data base fields and the display format put
// in at the caret. Also the inspector's editor of the "Memo" row.
#include "report/designer/properties/propeditor.h"

#include <QStringList>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QWidget;
class TvlReport;

class TvlEditorForm : public TPropEditor
{
    Q_OBJECT
public:
    explicit TvlEditorForm(QWidget *parent = nullptr);

    // Edits Object modally: nothing happens without one. On OK the undo step
    // is recorded, then text, script and (for memos) the format written.
    int ShowEditor() override;

    TvlReport *Report = nullptr;          // whose variables "&Proměnné" offers
    std::function<void()> OnBeforeChange; // records the undo step

    // Puts "[" + text + "]" at the caret of the memo that had the focus last,
    // leaving the clipboard alone.
    void InsertBracketed(const QString &text);
    QPlainTextEdit *Target() const { return m_target; }
    // The format the "&Formát" button set, written on OK only.
    qint32 PendingFormat() const { return m_format; }
    QString PendingFormatText() const { return m_formatText; }

    QWidget *MemoPanel, *ScriptPanel, *Panel5;
    QSplitter *Splitter;
    QLabel *Label1, *Label2;
    QPlainTextEdit *M1, *M2;
    QCheckBox *CB1, *CB2, *CB3;
    QPushButton *Button3, *Button4, *Button5, *Button1, *Button2;

    void CB1Click(); // the three boxes apply their state
    void Button3Click();
    void Button4Click();
    void Button5Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Load();
    void Save();

    QPlainTextEdit *m_target = nullptr;
    qint32 m_format = 0;
    QString m_formatText;
};
