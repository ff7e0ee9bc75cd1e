#include "designer/dialogs/scripteddialogs.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/dialogs/hilightform.h"
#include "report/vlformats.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void focusIn(QWidget *edit)
{
    edit->setFocus();
    QFocusEvent event(QEvent::FocusIn);
    QApplication::sendEvent(edit, &event);
}

void typeAtEnd(QPlainTextEdit *edit, const QString &text)
{
    edit->moveCursor(QTextCursor::End);
    edit->textCursor().insertText(text);
}

} // namespace

TEST(MemoEditor, InsertsAtTheCaretOfTheLastMemoAndLeavesTheClipboard)
{
    ScriptedDialogs dialogs;
    TvlMemoView memo;
    memo.Memo = {"Celkem: ", "konec"};
    memo.Script = {"begin", "end"};
    TvlEditorForm editor;
    editor.CB1->setChecked(true);
    editor.Object = &memo;
    QApplication::clipboard()->setText("uživatelova schránka");
    dialogs.variable = "Zakaznik";
    dialogs.pickedField = "Faktury.\"CISLO\"";
    dialogs.memoEditor = [&](TvlEditorForm &form) {
        form.show();
        // The caret after "Celkem: ".
        QTextCursor caret = form.M1->textCursor();
        caret.setPosition(8);
        form.M1->setTextCursor(caret);
        form.Button3Click();
        // Insert in the script memo puts the variable into the script.
        focusIn(form.M2);
        form.M2->moveCursor(QTextCursor::End);
        QTest::keyClick(form.M2, Qt::Key_Insert);
        // A field goes in as its data set and field name in quotes, in brackets.
        focusIn(form.M1);
        form.M1->moveCursor(QTextCursor::End);
        form.Button4Click();
        return int(QDialog::Accepted);
    };
    int undo = 0;
    editor.OnBeforeChange = [&] { ++undo; };
    EXPECT_EQ(editor.ShowEditor(), QDialog::Accepted);
    EXPECT_EQ(memo.Memo, (QStringList{"Celkem: [Zakaznik]", "konec[Faktury.\"CISLO\"]"}));
    EXPECT_EQ(memo.Script, (QStringList{"begin", "end[Zakaznik]"}));
    EXPECT_EQ(undo, 1);
    EXPECT_EQ(QApplication::clipboard()->text(), "uživatelova schránka");
}

TEST(MemoEditor, CancelLeavesTextScriptAndFormatAsTheyWere)
{
    ScriptedDialogs dialogs;
    TvlMemoView memo;
    memo.Memo = {"dlouhý řádek textu, který se zalomí"};
    memo.Format = vlMakeFormat(0, 0, 2, u',');
    const qint32 format = memo.Format;
    TvlEditorForm editor;
    editor.Object = &memo;
    dialogs.format = [](qint32 &f, QString &text) {
        f = vlMakeFormat(1, 4, 0, u',');
        text = "#,##0.00";
        return true;
    };
    dialogs.memoEditor = [](TvlEditorForm &form) {
        form.CB3->click(); // word wrap on
        typeAtEnd(form.M1, " navíc");
        form.Button5Click();
        EXPECT_EQ(form.PendingFormatText(), "#,##0.00");
        return int(QDialog::Rejected);
    };
    int undo = 0;
    editor.OnBeforeChange = [&] { ++undo; };
    EXPECT_EQ(editor.ShowEditor(), QDialog::Rejected);
    EXPECT_EQ(memo.Memo, QStringList{"dlouhý řádek textu, který se zalomí"});
    EXPECT_EQ(memo.Format, format);
    EXPECT_TRUE(memo.FormatText.isEmpty());
    EXPECT_EQ(undo, 0);

    // Confirmed, the format goes with the text in one undo step; wrapped
    // lines stay the lines typed.
    dialogs.memoEditor = [](TvlEditorForm &form) {
        form.resize(300, 300);
        form.Button5Click();
        typeAtEnd(form.M1, "\ndruhý");
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(editor.ShowEditor(), QDialog::Accepted);
    EXPECT_EQ(memo.Memo, (QStringList{"dlouhý řádek textu, který se zalomí", "druhý"}));
    EXPECT_EQ(memo.Format, vlMakeFormat(1, 4, 0, u','));
    EXPECT_EQ(memo.FormatText, "#,##0.00");
    EXPECT_EQ(undo, 1);
}

TEST(MemoEditor, FormatOnlyForTextObjectsAndNothingWithoutAnObject)
{
    ScriptedDialogs dialogs;
    TvlEditorForm editor;
    EXPECT_EQ(editor.ShowEditor(), QDialog::Rejected);
    TvlPictureView picture;
    editor.Object = &picture;
    bool formatShown = true;
    dialogs.memoEditor = [&](TvlEditorForm &form) {
        formatShown = !form.Button5->isHidden();
        typeAtEnd(form.M1, "Faktury.\"LOGO\"");
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(editor.ShowEditor(), QDialog::Accepted);
    EXPECT_FALSE(formatShown);
    EXPECT_EQ(picture.Memo, QStringList{"Faktury.\"LOGO\""});
}

TEST(HighlightDialog, BackgroundStaysTransparentUntilAColourIsChosen)
{
    ScriptedDialogs dialogs;
    TvlHilightForm form;
    form.SetOptions({"[x] > 5", 0x0000FF, 0x00FF00, 2 | 4});
    EXPECT_TRUE(form.RB2->isChecked());
    EXPECT_TRUE(form.SpeedButton2->isEnabled());
    EXPECT_TRUE(form.CB1->isChecked());
    EXPECT_FALSE(form.CB2->isChecked());
    EXPECT_TRUE(form.CB3->isChecked());
    form.RB1->click();
    EXPECT_FALSE(form.SpeedButton2->isEnabled());
    form.RB2->click();
    EXPECT_EQ(form.Options().FillColor, TvlHilightForm::Transparent);
    dialogs.color = [](qint32 &c) {
        c = 0x123456;
        return true;
    };
    form.SpeedButton2Click();
    EXPECT_EQ(form.Options().FillColor, 0x123456);

    // Written back into the memo after the undo step.
    TvlMemoView memo;
    struct : ScriptedDialogs
    {
        bool Highlight(TvlHighlightOptions &o, QWidget *) override
        {
            o = {"[y]", 0xFF, TvlHilightForm::Transparent, 1};
            return true;
        }
    } answer;
    int undo = 0;
    EXPECT_TRUE(vlEditHighlight(memo, [&] { ++undo; }));
    EXPECT_EQ(undo, 1);
    EXPECT_EQ(memo.HighlightCondition, "[y]");
    EXPECT_EQ(memo.Highlight.FontStyle, 1);
    EXPECT_EQ(memo.Highlight.FillColor, TvlHilightForm::Transparent);
}

TEST(MemoEditor, KeysConfirmCancelAndOpenTheFormat)
{
    ScriptedDialogs dialogs;
    TvlMemoView memo;
    TvlEditorForm editor;
    editor.Object = &memo;
    int formats = 0;
    dialogs.format = [&](qint32 &, QString &) {
        ++formats;
        return false;
    };
    auto pressIn = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        dialogs.memoEditor = [&, key, modifiers](TvlEditorForm &form) {
            form.show();
            QTest::keyClick(form.M1, key, modifiers);
            form.hide();
            return form.result();
        };
        return editor.ShowEditor();
    };
    EXPECT_EQ(pressIn(Qt::Key_Return, Qt::ControlModifier), QDialog::Accepted);
    EXPECT_EQ(pressIn(Qt::Key_Escape, Qt::NoModifier), QDialog::Rejected);
    pressIn(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(formats, 1);
    // Without the format button (a picture) Ctrl+F does nothing.
    TvlPictureView picture;
    editor.Object = &picture;
    pressIn(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(formats, 1);
}
