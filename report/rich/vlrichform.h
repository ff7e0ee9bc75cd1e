#pragma once
// The editor of rich text objects: a copy of the object's text with buttons
// for files, undo, character styles, alignment, bullets, fonts and report
// variables, and a ruler for the paragraph's indents. OK copies the text back.
#include "report/rich/richruler.h"
#include "report/vlregistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <functional>

class TvlRichView;

class TvlRichForm : public TvlObjEditorForm
{
    Q_OBJECT
public:
    explicit TvlRichForm(QWidget *parent = nullptr);

    // Shows the view's text; OK puts the edited text into the view.
    void ShowEditor(TvlView *view) override;
    // The steps of ShowEditor, for callers that show the window themselves.
    void LoadFrom(const TvlRichView &view);
    void SaveTo(TvlRichView &view) const;

    // The variable chooser: the chosen name, or nothing when cancelled.
    // The designer sets it to offer the report's variables; without it the
    // chooser offers the special variables.
    static std::function<QString(QWidget *parent)> ChooseVariable;
    // Inserts "[name]" at the cursor through the clipboard.
    void InsertVariable(const QString &name);

    // Where the open and save dialogs start.
    static QString StartFolder();
    // Loads a rich text (or plain text) file; false with a message shown when it cannot be read.
    bool OpenFile(const QString &fileName);
    // Saves as rich text, or as plain text for ".txt"; false with a message shown.
    bool SaveFile(const QString &fileName);

    // Character and paragraph formatting of the selection (or the typing
    // position), as the buttons set them.
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetAlignment(Qt::Alignment alignment);
    void SetBullets(bool on);
    void SetFontFamily(const QString &family);
    void SetFontSize(int points);
    // The paragraph's indents in points: first line, the others from it, right.
    void SetIndents(int firstIndent, int leftIndent, int rightIndent);

    QToolButton *OpenButton, *SaveButton, *UndoButton;
    QToolButton *BoldButton, *ItalicButton, *UnderlineButton;
    QToolButton *LeftAlign, *CenterAlign, *RightAlign, *BulletsButton;
    QToolButton *SpeedButton1, *SpeedButton2;
    QComboBox *FontName;
    QLineEdit *E1;
    QToolButton *SB1, *SB2;
    TvlRichRuler *Ruler;
    QTextEdit *RichEdit1;
    QPushButton *HelpBtn, *CancBtn, *OkBtn;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void MergeFormat(const QTextCharFormat &format);
    void ShowSelectionAttributes();
    void ChooseFont();
    void AskVariable();
    void OpenClicked();
    void SaveClicked();
    void KeepMargins();

    bool m_updating = false;
    QString m_shownFamily; // the font name the list shows for the selection
};
