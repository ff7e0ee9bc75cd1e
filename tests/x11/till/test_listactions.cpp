// The item list's actions after clicks with the mouse: a row marked only by
// a plain click chooses nothing; rows marked with Ctrl do.
#include "app/common/messagewindows.h"
#include "app/python_reader.h"
#include "kit/searchedit.h"
#include "platform/paths.h"
#include "till_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

class TillListActions : public TillTest
{
protected:
    void SetUp() override
    {
        TillTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char *mark : {"R1", "R2", "R3"})
            ids << newItem(QString::fromLatin1(mark));
        showWindow(0);
        grid = window->KxDBGrid_Polozka;
        grid->SetMultiSelect(true); // "Vícenásobný výběr"
    }
    // Exports the list to a file through the pop-up menu and the export
    // dialog; the item marks the file holds.
    QStringList exportedMarks()
    {
        const QString file = QDir(Paths::exportFolder()).filePath(QStringLiteral("Export.xls"));
        QFile::remove(file);
        X11::Input().Click(rowPoint(grid, currentMark()), Qt::RightButton);
        QMenu *menu = nullptr;
        EXPECT_TRUE(X11::WaitUntil([&] { return (menu = window->PopupMenu)->isVisible(); }));
        X11::Input().Click(
            X11::OnGui([&] { return menu->mapToGlobal(menu->actionGeometry(window->PopupItem_Export).center()); }));
        QWidget *form = X11::WaitForModal("TForm_Export");
        EXPECT_TRUE(form);
        if (!form)
            return {};
        X11::Input().Click(X11::ScreenPoint(form->findChild<QWidget *>(QStringLiteral("RadioButton_Soubor"))));
        X11::Input().Click(X11::ScreenPoint(form->findChild<QWidget *>(QStringLiteral("Button_Export"))));
        EXPECT_TRUE(X11::WaitForModal("QFileDialog"));
        X11::Input().Key("Return");
        EXPECT_TRUE(X11::WaitUntil([&] { return QFile::exists(file) && !QApplication::activeModalWidget(); }));
        const QString marks = runPython(
            QStringLiteral("import sys, xlrd\n"
                           "sheet = xlrd.open_workbook(sys.argv[1], encoding_override='cp1250').sheet_by_index(0)\n"
                           "print('|'.join(str(sheet.cell_value(r, 0)) for r in range(1, sheet.nrows)))\n"),
            {file});
        return marks.trimmed().split(u'|', Qt::SkipEmptyParts);
    }
    // "Odebrání" and the question it asks; answered with yes or no.
    QString removalQuestion(bool yes)
    {
        X11::Input().Click(X11::ScreenPoint(window->Button_PolozkaOdebrat));
        auto *question = static_cast<TFormQuestion *>(X11::WaitForModal("TFormQuestion"));
        EXPECT_TRUE(question);
        if (!question)
            return {};
        const QString text = X11::OnGui([&] { return question->LabelSpecification->text(); });
        X11::Input().Click(X11::ScreenPoint(yes ? question->ButtonYes : question->ButtonNo));
        EXPECT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
        return text;
    }
    QString currentMark()
    {
        return X11::OnGui([&] { return TForm_Tarmil::TextOf(dm->MSSQLADOQuery_Polozka, QStringLiteral("OZNACENI")); });
    }
    // A click on a row, done when the row is the current one in the focused list.
    void clickRow(const QString &mark, Qt::KeyboardModifiers modifiers = {})
    {
        X11::Input().Click(rowPoint(grid, mark), Qt::LeftButton, modifiers);
        EXPECT_TRUE(X11::WaitUntil([&] { return grid->hasFocus() && currentMark() == mark; })) << mark.toStdString();
    }
    QString remaining() { return scalar("SELECT string_agg(OZNACENI, ',' ORDER BY OZNACENI) FROM tab_polozka"); }

    QList<int> ids;
    TKxDBGrid *grid = nullptr;
};

TEST_F(TillListActions, APlainClickExportsTheWholeListCtrlMarksOnlyTheirRows)
{
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        clickRow(QStringLiteral("R2"));
        EXPECT_EQ(exportedMarks(), QStringList({"R1", "R2", "R3"})) << "a clicked row alone is no choice";
        EXPECT_EQ(currentMark(), "R2") << "the export leaves the clicked row current";
        EXPECT_EQ(X11::OnGui([&] { return window->SearchEdit_Oznaceni->text(); }), "R2");
        X11::Screenshot(QStringLiteral("after-export"));
        clickRow(QStringLiteral("R1"));
        clickRow(QStringLiteral("R3"), Qt::ControlModifier);
        EXPECT_EQ(exportedMarks(), QStringList({"R1", "R3"})) << "rows marked with Ctrl are the choice";
    });
}

TEST_F(TillListActions, RemovalTakesTheFoundRowAfterAClickAndNamesASingleChosenOne)
{
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        // A click on one row, then a search that moves to another.
        X11::Input().Click(rowPoint(grid, QStringLiteral("R1")));
        X11::Input().Click(X11::ScreenPoint(window->SearchEdit_Oznaceni));
        X11::Input().Type(QStringLiteral("R3"));
        ASSERT_TRUE(X11::WaitUntil([&] {
            return TForm_Tarmil::TextOf(dm->MSSQLADOQuery_Polozka, QStringLiteral("OZNACENI")) == QStringLiteral("R3");
        }));
        EXPECT_EQ(removalQuestion(false), QStringLiteral("R3")) << "the question names the row that would go";
        EXPECT_EQ(remaining(), QStringLiteral("R1,R2,R3"));
        EXPECT_EQ(removalQuestion(true), QStringLiteral("R3"));
        EXPECT_EQ(remaining(), QStringLiteral("R1,R2"));

        // One row chosen with Ctrl: counted and named.
        clickRow(QStringLiteral("R1"));
        clickRow(QStringLiteral("R1"), Qt::ControlModifier);
        clickRow(QStringLiteral("R2"), Qt::ControlModifier);
        EXPECT_EQ(removalQuestion(true), QStringLiteral("Celkem položek: 1 (R2)"));
        EXPECT_EQ(remaining(), QStringLiteral("R1"));
    });
}

} // namespace
