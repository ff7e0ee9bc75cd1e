// The rich text editor offscreen: styles, alignment, bullets, ruler, variables,
// files and the copy back into the object.
#include "common/scripted_messages.h"
#include "report/rich/richruler.h"
#include "report/rich/vlrichform.h"
#include "report/rich/vlrichview.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextList>
#include <gtest/gtest.h>

namespace {

void selectWord(QTextEdit *edit, const QString &word)
{
    QTextCursor cursor(edit->document());
    const int at = int(edit->toPlainText().indexOf(word));
    cursor.setPosition(at);
    cursor.setPosition(at + int(word.size()), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

QTextCharFormat formatOf(QTextEdit *edit, const QString &word)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(int(edit->toPlainText().indexOf(word)) + 1);
    return cursor.charFormat();
}

} // namespace

TEST(RichForm, ButtonsCarryTheirNamesAndHints)
{
    TvlRichForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Rich Editor"));
    // Each style button tells its own style.
    EXPECT_EQ(form.BoldButton->toolTip(), QStringLiteral("Tučné"));
    EXPECT_EQ(form.ItalicButton->toolTip(), QStringLiteral("Kurzíva"));
    EXPECT_EQ(form.UnderlineButton->toolTip(), QStringLiteral("Podškrtnuté"));
    EXPECT_EQ(form.UndoButton->toolTip(), QStringLiteral("Zpět"));
    EXPECT_EQ(form.SpeedButton2->text(), QStringLiteral("Var"));
    EXPECT_EQ(form.SpeedButton2->toolTip(), QStringLiteral("Vložit proměnnou"));
    EXPECT_EQ(form.OkBtn->text(), QStringLiteral("Uložit a konec"));
    for (const char *name : {"OpenButton", "SaveButton", "BoldButton", "LeftAlign", "CenterAlign", "RightAlign",
                             "BulletsButton", "SpeedButton1", "FontName", "E1", "SB1", "SB2", "RichEdit1", "FirstInd",
                             "LeftInd", "RightInd", "HelpBtn", "CancBtn"})
        EXPECT_NE(form.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    QStringList fonts;
    for (int i = 0; i < form.FontName->count(); ++i)
        fonts << form.FontName->itemText(i);
    QStringList sorted = fonts;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(fonts, sorted);
}

TEST(RichForm, StylesSizeAndAlignmentOfTheSelection)
{
    TvlRichForm form;
    form.RichEdit1->setPlainText(QStringLiteral("jedna dva tři"));
    selectWord(form.RichEdit1, QStringLiteral("dva"));
    form.BoldButton->click();
    form.ItalicButton->click();
    form.UnderlineButton->click();
    const QTextCharFormat dva = formatOf(form.RichEdit1, QStringLiteral("dva"));
    EXPECT_EQ(dva.fontWeight(), QFont::Bold);
    EXPECT_TRUE(dva.fontItalic());
    EXPECT_TRUE(dva.fontUnderline());
    EXPECT_EQ(formatOf(form.RichEdit1, QStringLiteral("jedna")).fontWeight(), QFont::Normal);

    form.E1->setText(QStringLiteral("2"));
    form.SB2->click();
    form.SB2->click();
    EXPECT_EQ(formatOf(form.RichEdit1, QStringLiteral("dva")).fontPointSize(), 1.0); // never below 1
    form.SB1->click();
    EXPECT_EQ(formatOf(form.RichEdit1, QStringLiteral("dva")).fontPointSize(), 2.0);
    EXPECT_EQ(form.E1->text(), QStringLiteral("2"));

    // Moving the cursor shows the attributes where it stands.
    QTextCursor cursor(form.RichEdit1->document());
    cursor.setPosition(2);
    form.RichEdit1->setTextCursor(cursor);
    EXPECT_FALSE(form.BoldButton->isChecked());
    selectWord(form.RichEdit1, QStringLiteral("dva"));
    EXPECT_TRUE(form.BoldButton->isChecked());

    form.CenterAlign->click();
    EXPECT_EQ(form.RichEdit1->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(form.CenterAlign->isChecked());
    EXPECT_FALSE(form.LeftAlign->isChecked());
    form.RightAlign->click();
    EXPECT_TRUE(form.RightAlign->isChecked());
    EXPECT_FALSE(form.CenterAlign->isChecked());

    form.BulletsButton->click();
    EXPECT_NE(form.RichEdit1->document()->begin().textList(), nullptr);
    form.BulletsButton->click();
    EXPECT_EQ(form.RichEdit1->document()->begin().textList(), nullptr);
}

TEST(RichForm, RulerArithmeticAndIndents)
{
    using R = TvlRulerArithmetic;
    EXPECT_EQ(R::FirstMarker(0), 2);
    EXPECT_EQ(R::FirstMarker(36), 50);
    EXPECT_EQ(R::LeftMarker(36, 18), 74);
    EXPECT_EQ(R::RightMarker(600, 18), 560);
    // A marker taken in its middle and let go where it stood gives the indent back.
    for (int points : {0, 10, 17, 36, 100}) {
        EXPECT_EQ(R::FirstIndent(R::FirstMarker(points), 4), points);
        EXPECT_EQ(R::LeftIndent(R::LeftMarker(20, points), 4, 20), points);
        EXPECT_EQ(R::RightIndent(600, R::RightMarker(600, points), 4), points);
    }
    EXPECT_EQ(R::FirstIndent(-50, 0), 0); // dragged past the left edge
    EXPECT_EQ(R::FirstIndent(50, 4), 36);

    TvlRichForm form;
    form.resize(640, 400);
    form.RichEdit1->setPlainText(QStringLiteral("odstavec"));
    form.SetIndents(36, 18, 9);
    const QTextBlockFormat block = form.RichEdit1->document()->begin().blockFormat();
    EXPECT_DOUBLE_EQ(block.leftMargin(), 72.0); // 54 points at 96 per inch
    EXPECT_DOUBLE_EQ(block.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(block.rightMargin(), 12.0);
    EXPECT_EQ(form.Ruler->FirstInd->x(), R::FirstMarker(36));
    EXPECT_EQ(form.Ruler->LeftInd->x(), R::LeftMarker(36, 18));
    EXPECT_EQ(form.Ruler->RightInd->x(), R::RightMarker(form.Ruler->width(), 9));
}

TEST(RichForm, VariableGoesInBracketsThroughTheClipboard)
{
    TvlRichForm form;
    form.RichEdit1->setPlainText(QStringLiteral("Dne  vytištěno"));
    QTextCursor cursor(form.RichEdit1->document());
    cursor.setPosition(4);
    form.RichEdit1->setTextCursor(cursor);
    TvlRichForm::ChooseVariable = [](QWidget *) { return QStringLiteral("DATE"); };
    form.SpeedButton2->click();
    TvlRichForm::ChooseVariable = [](QWidget *) { return QString(); }; // cancelled: nothing happens
    form.SpeedButton2->click();
    TvlRichForm::ChooseVariable = nullptr;
    EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("Dne [DATE] vytištěno"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("[DATE]"));
}

TEST(RichForm, EditedTextGoesBackIntoTheObject)
{
    TvlRichView view;
    view.SetRtf("{\\rtf1\\ansi\\ansicpg1250 \\b tu\\'e8n\\'e9\\b0  [Firma]\\par}");
    TvlRichForm form;
    form.LoadFrom(view);
    EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("tučné [Firma]"));
    EXPECT_EQ(formatOf(form.RichEdit1, QStringLiteral("tučné")).fontWeight(), QFont::Bold);
    form.RichEdit1->moveCursor(QTextCursor::End);
    form.RichEdit1->insertPlainText(QStringLiteral(" a dost"));
    form.SaveTo(view);
    EXPECT_EQ(view.RichEdit.toPlainText(), QStringLiteral("tučné [Firma] a dost"));
    QTextCursor cursor(&view.RichEdit);
    cursor.setPosition(2);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST(RichForm, FilesOfRichAndPlainTextAndTheirFailures)
{
    QTemporaryDir dir;
    TvlRichForm form;
    form.RichEdit1->setPlainText(QStringLiteral("Žluťoučký\nkůň"));
    selectWord(form.RichEdit1, QStringLiteral("kůň"));
    form.SetBold(true);
    ASSERT_TRUE(form.SaveFile(dir.filePath(QStringLiteral("a.rtf"))));
    ASSERT_TRUE(form.SaveFile(dir.filePath(QStringLiteral("a.txt"))));
    QFile text(dir.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("\x8elu\x9dou\xe8k\xfd\r\nk\xf9\xf2"));

    TvlRichForm other;
    ASSERT_TRUE(other.OpenFile(dir.filePath(QStringLiteral("a.rtf"))));
    EXPECT_EQ(other.RichEdit1->toPlainText(), QStringLiteral("Žluťoučký\nkůň"));
    EXPECT_EQ(formatOf(other.RichEdit1, QStringLiteral("kůň")).fontWeight(), QFont::Bold);

    ScriptedMessages messages;
    EXPECT_FALSE(other.OpenFile(dir.filePath(QStringLiteral("chybi.rtf"))));
    EXPECT_FALSE(other.SaveFile(dir.filePath(QStringLiteral("neni/b.rtf"))));
    ASSERT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning)[0].heading, QStringLiteral("Soubor nelze otevřít"));
    EXPECT_EQ(messages.callsOf(MessageCall::Warning)[1].heading, QStringLiteral("Soubor nelze uložit"));
    EXPECT_EQ(other.RichEdit1->toPlainText(), QStringLiteral("Žluťoučký\nkůň")); // nothing lost
}
