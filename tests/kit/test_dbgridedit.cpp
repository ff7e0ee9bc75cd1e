// Frozen columns and in-place editing of the data-aware grid over a real
// dataset.
#include "common/scripted_messages.h"
#include "kit/dbgridfrozen.h"
#include "kit/gridtestfixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {

class FrozenTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        grid = makeGrid<TKxDBGrid>();
        grid->SetTitleButtons(false);
        customColumns(grid);
        grid->Columns()[1]->Width = 300;
        grid->Columns()[2]->Width = 300;
    }
    TKxDBGridFrozen *overlay() const { return grid->findChild<TKxDBGridFrozen *>(); }
    int column() const { return grid->currentIndex().column(); }

    TKxDBGrid *grid = nullptr;
};

} // namespace

TEST_F(FrozenTest, TheCountIsKeptWhileClosedAndLimitedWhileOpen)
{
    grid->SetFixedCols(-2);
    EXPECT_EQ(grid->FixedCols(), 0);
    grid->SetFixedCols(9);
    EXPECT_EQ(grid->FixedCols(), 9) << "closed: the value is only stored";
    query->Open();
    show();
    EXPECT_EQ(grid->FixedCols(), 3) << "all columns but one at most";
    EXPECT_TRUE(overlay()->isVisible());
    grid->SetFixedCols(1);
    EXPECT_EQ(grid->FixedCols(), 1);
    query->Close();
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_FALSE(overlay()->isVisible());
    // Laid out anew when the columns are set up again.
    query->Open();
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(column(), 1) << "the current column starts right of the frozen one";
    EXPECT_EQ(overlay()->FrozenWidth(), 80);
}

TEST_F(FrozenTest, KeysAndPressesKeepTheCurrentColumnRightOfTheFrozenOnes)
{
    grid->SetFixedCols(1);
    query->Open();
    show();
    grid->setFocus();
    ASSERT_EQ(column(), 1);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(column(), 1) << "Left stops at the frozen edge";
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(column(), 3);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(column(), 1);
    EXPECT_EQ(currentId(), 1) << "Home walks the columns, not the records";
    const QRect first = grid->visualRect(grid->currentIndex());
    EXPECT_GE(first.left(), overlay()->FrozenWidth()) << "the cell is not hidden under the frozen column";
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(column(), 3);
    QTest::keyClick(grid, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(column(), 1);

    // Hiding the column next to the frozen one moves the cursor on.
    grid->Columns()[1]->Visible = false;
    grid->Columns().OnChange();
    EXPECT_EQ(column(), 2);

    // A press in the frozen column picks the row as the indicator does.
    grid->SetMultiSelect(true);
    const QRect cell = overlay()->visualRect(grid->model()->index(4, 0));
    QTest::mouseClick(overlay()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    EXPECT_EQ(currentId(), 5);
    EXPECT_EQ(column(), 2);
    EXPECT_EQ(grid->SelectedRows().Count(), 1);

    // The frozen rows scroll with the others.
    query->SetRecNo(27);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    EXPECT_EQ(overlay()->verticalScrollBar()->value(), grid->verticalScrollBar()->value());
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(overlay()->rowAt(0), grid->rowAt(0));
}

TEST_F(FrozenTest, AFrozenTitleIsAButtonToo)
{
    grid->SetTitleButtons(true);
    grid->SetFixedCols(1);
    query->Open();
    show();
    QList<int> clicks;
    grid->OnTitleBtnClick = [&](TKxDBGrid *, int col, Db::Field *) { clicks << col; };
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    QHeaderView *titles = overlay()->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, QPoint(titles->sectionSize(0) / 2, titles->height() / 2));
    EXPECT_EQ(clicks, QList<int>{0});
}

TEST_F(FrozenTest, FrozenColumnsAreSizedThroughTheirOwnTitles)
{
    grid->SetFixedCols(1);
    query->Open();
    show();
    QHeaderView *titles = overlay()->horizontalHeader();
    const int border = titles->sectionSize(0) - 1;
    const int y = titles->height() / 2;
    QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(border, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(border + 40, y),
                     titles->viewport()->mapToGlobal(QPointF(border + 40, y)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(titles->viewport(), &move);
    QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(border + 40, y));
    EXPECT_EQ(grid->Columns()[0]->Width, 120);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 120);
    EXPECT_EQ(overlay()->FrozenWidth(), 120);
}

namespace {

// Types text, Czech letters too, into a widget key by key.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class EditorTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        run(QStringLiteral("ALTER TABLE tab_jednotka ADD CONSTRAINT popis_vyplnen CHECK (popis <> '')"));
        grid = makeGrid<TKxDBGrid>();
        customColumns(grid);
        grid->OnEditChange = [this](TKxDBGrid *) { ++changes; };
        query->Open();
        show();
        grid->setFocus();
    }
    QString stored(int id, const char *column = "popis")
    {
        const Db::Result r =
            connection.exec(QStringLiteral("SELECT %1 FROM tab_jednotka WHERE id_jednotka = %2").arg(column).arg(id));
        return r.cellText(0, 0);
    }
    // Opens the editor on the current row's description.
    QLineEdit *editDescription()
    {
        if (grid->currentIndex().column() != 1)
            QTest::keyClick(grid, Qt::Key_Right);
        EXPECT_TRUE(grid->ShowEditor());
        return grid->InplaceEditor();
    }

    TKxDBGrid *grid = nullptr;
    ScriptedMessages messages;
    int changes = 0;
};

} // namespace

TEST_F(EditorTest, TheEditorOpensOnlyWhereTheCellMayChange)
{
    QStringList asked;
    bool allow = false;
    grid->OnShowEditor = [&](TKxDBGrid *, Db::Field *field, bool &allowEdit) {
        asked << field->FieldName().toUpper();
        allowEdit = allow;
    };
    EXPECT_FALSE(grid->ShowEditor()) << "the form refused";
    EXPECT_EQ(asked, QStringList{"JEDNOTKA"});
    allow = true;
    grid->SetReadOnly(true);
    EXPECT_FALSE(grid->ShowEditor());
    grid->SetReadOnly(false);
    grid->SetOptions(grid->Options() & ~TKxDBGrid::dgEditing);
    EXPECT_FALSE(grid->ShowEditor());
    grid->SetOptions(grid->Options() | TKxDBGrid::dgEditing);
    query->FieldByName("JEDNOTKA").ReadOnly = true;
    EXPECT_FALSE(grid->ShowEditor());
    query->FieldByName("JEDNOTKA").ReadOnly = false;
    EXPECT_EQ(asked.size(), 1) << "the form is asked only about cells that may change";

    // A computed column has no table to go to.
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_FALSE(grid->ShowEditor());
    QTest::keyClick(grid, Qt::Key_Home);
    ASSERT_TRUE(grid->ShowEditor());
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->InplaceEditor()->text(), "j1");
    EXPECT_EQ(changes, 0) << "opening is no change";

    // Esc closes it with nothing written.
    QTest::keyClicks(grid->InplaceEditor(), "xy");
    EXPECT_EQ(changes, 2);
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(query->FieldByName("JEDNOTKA").AsString(), "j1");
    EXPECT_EQ(stored(1, "jednotka"), "j1");
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
}

TEST_F(EditorTest, TypedTextIsPostedToTheDatabase)
{
    query->SetRecNo(5);
    QTest::keyClick(grid, Qt::Key_Right);
    // The form's key handler sees the characters first, in the editor too.
    grid->OnKeyPress = [](TKxDBGrid *, QChar &c) { c = c == u'_' ? QChar() : c.toUpper(); };
    typeText(grid, "n_ová");
    ASSERT_NE(grid->InplaceEditor(), nullptr) << "a typed character opens the editor";
    EXPECT_EQ(grid->InplaceEditor()->text(), "NOVÁ");
    EXPECT_EQ(changes, 4);
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(stored(5), "NOVÁ");
    EXPECT_EQ(query->FieldByName("POPIS").AsString(), "NOVÁ");
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
    EXPECT_EQ(currentId(), 5);

    // Moving on posts the text on the row it was typed on.
    grid->OnKeyPress = nullptr;
    QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit *editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    typeText(editor, "Pátá");
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(stored(5), "Pátá");
    EXPECT_EQ(stored(6), "Jednotka 6");
    EXPECT_EQ(currentId(), 6);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(EditorTest, ARefusedChangeIsReportedAndCancelledOnItsRow)
{
    query->SetRecNo(4);
    QLineEdit *editor = editDescription();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(currentId(), 4) << "a refused change keeps the list on its row";
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().heading, "Změnu nelze uložit.");
    EXPECT_TRUE(messages.callsOf(MessageCall::Warning).first().detail.contains("popis_vyplnen"));
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
    EXPECT_EQ(query->FieldByName("POPIS").AsString(), "Jednotka 4");
    EXPECT_EQ(stored(4), "Jednotka 4");

    // The same through Enter.
    editor = editDescription();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Enter);
    QApplication::processEvents();
    EXPECT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_EQ(stored(4), "Jednotka 4");
    EXPECT_EQ(currentId(), 4);
}

TEST_F(EditorTest, AClickOnTheCurrentCellOpensTheEditorAndAClickElsewherePostsIt)
{
    const auto cellCenter = [&](int row, int column) {
        return grid->visualRect(grid->model()->index(row, column)).center();
    };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(1, 1));
    EXPECT_EQ(grid->InplaceEditor(), nullptr) << "the first click only moves there";
    EXPECT_EQ(currentId(), 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(1, 1));
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    typeText(grid->InplaceEditor(), "Druhá");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(6, 1));
    EXPECT_EQ(stored(2), "Druhá");
    EXPECT_EQ(currentId(), 7);
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
}
