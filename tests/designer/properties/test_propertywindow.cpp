// The object inspector: rows on the owner's buffers, a changed value applied
// before another row becomes current, the buffers' capacity, editor rows.
#include "report/designer/properties/inspform.h"
#include "report/vltoolbuttons.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An editor that answers without showing itself.
class AnsweringEditor : public TPropEditor
{
public:
    int ShowEditor() override
    {
        ++shown;
        seen = Object;
        return answer;
    }
    int answer = QDialog::Rejected;
    int shown = 0;
    TvlView *seen = nullptr;
};

struct Modification
{
    int item;
    QString text;
    int currentRowDuringCall;
};

template <class Target>
struct InspectorRows
{
    void Register(Target &target)
    {
        const QStringList names{"Name", "Left", "Top"};
        for (int i = 0; i < 3; ++i)
            target.AddProperty(names[i], std::make_unique<TProp>(&buffers[i], nullptr, false));
        target.AddProperty("Memo", std::make_unique<TProp>(&buffers[3], &editor, true));
    }
    QString buffers[4];
    AnsweringEditor editor;
};

struct InspRowsTest : ::testing::Test, InspectorRows<TvlInspRows>
{
    InspRowsTest()
    {
        Register(rows);
        buffers[0] = "Memo1";
        buffers[1] = "10";
        rows.OnModify = [this](int item, QString &text) { calls.push_back({item, text, rows.CurrentRow()}); };
        rows.ItemsChanged();
    }
    TvlInspRows rows;
    std::vector<Modification> calls;
};

TEST_F(InspRowsTest, AChangedValueIsAppliedToItsRowBeforeTheNextRowBecomesCurrent)
{
    EXPECT_EQ(rows.CurrentRow(), 0);
    EXPECT_EQ(rows.EditText(), "Memo1");
    rows.SetEditText("Nazev");
    rows.SelectRow(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].item, 0);
    EXPECT_EQ(calls[0].text, "Nazev");
    EXPECT_EQ(calls[0].currentRowDuringCall, 0);
    EXPECT_EQ(buffers[0], "Nazev");
    EXPECT_EQ(rows.CurrentRow(), 1);
    EXPECT_EQ(rows.EditText(), "10");
    EXPECT_FALSE(rows.EditModified());

    // An unchanged row is left without a call; moving past the end stops at the last row.
    rows.SelectRow(99);
    EXPECT_EQ(rows.CurrentRow(), 3);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(rows.EditText(), "(Memo)");
}

TEST_F(InspRowsTest, TextIsCutToTheBufferCapacityAndTheOwnerMayRewriteIt)
{
    rows.SetEditText(QString(150, 'x'));
    rows.ApplyValue();
    EXPECT_EQ(buffers[0].size(), 100);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text.size(), 100);

    rows.OnModify = [](int, QString &text) { text = "Memo1"; }; // a refused name shows the old one
    rows.SetEditText("Taken");
    rows.ApplyValue();
    EXPECT_EQ(rows.EditText(), "Memo1");
    EXPECT_FALSE(rows.EditModified());
}

TEST_F(InspRowsTest, EditorRowsAreReadOnlyAndOnlyAConfirmedEditorReports)
{
    TvlView *object = reinterpret_cast<TvlView *>(&rows); // any address; the inspector only hands it on
    rows.Object = object;
    rows.SelectRow(3);
    EXPECT_TRUE(rows.EditReadOnly());
    rows.SetEditText("typed");
    EXPECT_EQ(rows.EditText(), "(Memo)");

    EXPECT_FALSE(rows.RunEditor());
    EXPECT_EQ(editor.shown, 1);
    EXPECT_EQ(editor.seen, object);
    EXPECT_TRUE(calls.empty());

    editor.answer = QDialog::Accepted;
    EXPECT_TRUE(rows.RunEditor());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].item, 3);
    EXPECT_TRUE(calls[0].text.isEmpty());
}

TEST(InspRows, NoRowsOrNothingSelectedTakeNoInput)
{
    TvlInspRows rows;
    int calls = 0;
    rows.OnModify = [&](int, QString &) { ++calls; };
    rows.ItemsChanged();
    EXPECT_EQ(rows.CurrentRow(), -1);
    EXPECT_FALSE(rows.EditVisible());
    rows.SetEditText("x");
    rows.ApplyValue();
    EXPECT_EQ(rows.NeighbourRow(1), -1);

    QString buffer;
    rows.AddProperty("Name", std::make_unique<TProp>(&buffer, nullptr, false));
    rows.Empty = true;
    rows.ItemsChanged();
    EXPECT_FALSE(rows.EditVisible());
    rows.SetEditText("x");
    rows.ApplyValue();
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(buffer.isEmpty());
}

struct InspFormTest : ::testing::Test, InspectorRows<TvlInspForm>
{
    InspFormTest()
    {
        Register(form);
        buffers[0] = "Memo1";
        buffers[1] = "10";
        buffers[2] = "20";
        form.SetOnModify([this](int item, QString &text) { calls.push_back({item, text, form.Rows().CurrentRow()}); });
        form.resize(180, 140);
        form.show();
        form.ItemsChanged();
    }
    QPoint rowPoint(int row) const { return QPoint(10, form.RowHeight() * row + 5); }

    TvlInspForm form;
    std::vector<Modification> calls;
};

TEST_F(InspFormTest, TypingAndClickingAnotherRowAppliesTheFirst)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vlastnosti objektu"));
    EXPECT_EQ(form.RowHeight(), 16);
    ASSERT_TRUE(form.Edit1->isVisible());
    EXPECT_EQ(form.Edit1->text(), "Memo1");
    EXPECT_GE(form.Edit1->x(), form.SplitPosition());

    form.Edit1->setFocus();
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, "Memo9");
    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, rowPoint(2));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].item, 0);
    EXPECT_EQ(buffers[0], "Memo9");
    EXPECT_EQ(form.Rows().CurrentRow(), 2);
    EXPECT_EQ(form.Edit1->text(), "20");
    EXPECT_EQ(form.Edit1->y(), form.RowHeight() * 2 + 3);
}

TEST_F(InspFormTest, ArrowsMoveBetweenRowsAndEnterApplies)
{
    QTest::keyClick(form.Edit1, Qt::Key_Up);
    EXPECT_EQ(form.Rows().CurrentRow(), 0);
    QTest::keyClick(form.Edit1, Qt::Key_Down);
    EXPECT_EQ(form.Rows().CurrentRow(), 1);
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, "5+5");
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "5+5");
    EXPECT_EQ(form.Edit1->selectedText(), "5+5");

    // The disabled editor row is skipped by Down and by clicks.
    form.SetRowEnabled(3, false);
    QTest::keyClick(form.Edit1, Qt::Key_Down);
    QTest::keyClick(form.Edit1, Qt::Key_Down);
    EXPECT_EQ(form.Rows().CurrentRow(), 2);
    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, rowPoint(3));
    EXPECT_EQ(form.Rows().CurrentRow(), 2);
}

TEST_F(InspFormTest, EditorRowShowsItsButtonAndRunsTheEditor)
{
    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, rowPoint(3));
    EXPECT_TRUE(form.SpeedButton1->isVisible());
    EXPECT_TRUE(form.Edit1->isReadOnly());
    EXPECT_EQ(form.Edit1->text(), "(Memo)");
    editor.answer = QDialog::Accepted;
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    EXPECT_EQ(editor.shown, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].item, 3);

    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, rowPoint(1));
    EXPECT_FALSE(form.SpeedButton1->isVisible());
}

TEST_F(InspFormTest, RollingUpAppliesTheTypedValueAndRestoresTheSize)
{
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, "Memo7");
    form.ToggleRollUp();
    EXPECT_TRUE(form.IsRolledUp());
    EXPECT_FALSE(form.Panel1->isVisible());
    EXPECT_EQ(form.width(), 90);
    EXPECT_EQ(buffers[0], "Memo7");
    form.ToggleRollUp();
    EXPECT_EQ(form.size(), QSize(180, 140));
    EXPECT_TRUE(form.Panel1->isVisible());
    EXPECT_EQ(form.Edit1->text(), "Memo7");
}

TEST_F(InspFormTest, EmptyInspectorHidesTheEditAndIgnoresClicks)
{
    form.SetEmpty(true);
    form.ItemsChanged();
    EXPECT_FALSE(form.Edit1->isVisible());
    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, rowPoint(2));
    EXPECT_EQ(form.Rows().CurrentRow(), 0);
    EXPECT_TRUE(calls.empty());
}

} // namespace
