// The object commands over a designer stand-in: each records its undo entry
// only when it changes something, refuses bad input first, and hands the
// objects to the right editor.
#include "designer/page/fakehost.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/dialogs/hilightform.h"
#include "report/designer/objects/objectcommands.h"
#include "report/designer/properties/inspform.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlsubreportview.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class UnitsHost : public FakeHost
{
public:
    int Units() const override { return units; }
    int units = unPixels;
};

struct ObjectCommandsTest : ::testing::Test
{
    ObjectCommandsTest()
    {
        commands.OnError = [this](const QString &message) { errors << message; };
        memo = static_cast<TvlMemoView *>(host.add(otMemo, 36, 72, 100, 18, "Memo1"));
        line = host.add(otLine, 36, 120, 200, 0, "Line1");
        line->FrameTyp = 0;
    }
    int undoCount() { return host.undo.Count(TvlDesignerUndo::UndoStack); }
    TvlFormatRequest request(int tag, const QString &text = {}, bool down = false)
    {
        TvlFormatRequest r;
        r.Tag = tag;
        r.Text = text;
        r.Down = down;
        return r;
    }

    UnitsHost host;
    TvlObjectCommands commands{host};
    TvlMemoView *memo = nullptr;
    TvlView *line = nullptr;
    QStringList errors;
};

TEST_F(ObjectCommandsTest, FormattingRecordsOneEntryAndRefusesBadNumbersFirst)
{
    host.select({memo, line});
    EXPECT_FALSE(commands.DoClick(request(tagFrameWidth, "1,5x")));
    EXPECT_EQ(undoCount(), 0);
    EXPECT_FALSE(host.modified);
    EXPECT_DOUBLE_EQ(memo->FrameWidth, 1.0);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("1,5x"));

    EXPECT_FALSE(commands.DoClick(request(tagFontSize, "dvanáct")));
    EXPECT_EQ(undoCount(), 0);
    EXPECT_EQ(memo->FontSize, 10);

    EXPECT_TRUE(commands.DoClick(request(tagFrameWidth, "1.5")));
    EXPECT_EQ(undoCount(), 1);
    EXPECT_DOUBLE_EQ(memo->FrameWidth, 1.5);
    EXPECT_DOUBLE_EQ(DefaultLineWidth, 1.5);
    EXPECT_DOUBLE_EQ(DefaultFrameWidth, 1.5);

    const int changes = host.selectionChanges;
    EXPECT_TRUE(commands.DoClick(request(tagFrameAll)));
    EXPECT_EQ(memo->FrameTyp, frAll);
    EXPECT_EQ(DefaultFrameSides, frAll);
    EXPECT_EQ(host.selectionChanges, changes + 1);

    UpdatingControls = true;
    EXPECT_FALSE(commands.DoClick(request(tagFrameNone)));
    UpdatingControls = false;
    EXPECT_EQ(memo->FrameTyp, frAll);
    EXPECT_EQ(commands.SpinFrameWidth("0,5", -1), "1");
    EXPECT_DOUBLE_EQ(line->FrameWidth, 1.0);

    EXPECT_TRUE(commands.ApplyColor(tagFontColor, clRed));
    EXPECT_EQ(memo->FontColor, clRed);
    EXPECT_TRUE(commands.ApplyColor(tagFillColor, clNone));
    EXPECT_EQ(line->FillColor, clNone);
    EXPECT_TRUE(commands.ApplyLineStyle(tagLineStyle + 1));
    EXPECT_EQ(line->FrameStyle, psDash);
}

TEST_F(ObjectCommandsTest, InspectorShowsAndTakesValuesInTheCurrentUnits)
{
    host.units = unMillimetres;
    host.select({memo});
    commands.FillInspector();
    EXPECT_EQ(commands.InspectorBuffers()[irName], "Memo1");
    EXPECT_EQ(commands.InspectorBuffers()[irLeft], "10,00");

    QString value = "5+5";
    memo->Left = 100;
    commands.InspectorModify(irLeft, value);
    EXPECT_EQ(memo->Left, 36);
    EXPECT_EQ(value, "10,00");
    EXPECT_EQ(undoCount(), 1);

    value = "0";
    commands.InspectorModify(irTop, value);
    EXPECT_EQ(memo->Top, 0) << "the page's top edge is allowed";
    value = "0";
    commands.InspectorModify(irVisible, value);
    EXPECT_FALSE(memo->IsVisible());
    EXPECT_EQ(value, "0");
    value = "1";
    commands.InspectorModify(irVisible, value);
    EXPECT_TRUE(memo->IsVisible());

    value = "10000";
    commands.InspectorModify(irWidth, value);
    EXPECT_EQ(memo->Width, 100) << "beyond the page is ignored";

    const int recorded = undoCount();
    value = "(1+";
    commands.InspectorModify(irHeight, value);
    EXPECT_EQ(undoCount(), recorded) << "an expression that fails records nothing";
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(value, "5,00");

    value = "-20";
    commands.InspectorModify(irHeight, value);
    EXPECT_EQ(memo->Height, 18);
    EXPECT_EQ(undoCount(), recorded) << "a negative size records nothing";
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors.last(), "Výška objektu nemůže být záporná (-20).");
}

TEST_F(ObjectCommandsTest, NamesAreUniqueInTheWholeReport)
{
    host.report.Pages.Add();
    host.curPage = 1;
    TvlView *other = host.add(otMemo, 10, 10, 50, 18, "Soucet");
    host.curPage = 0;
    (void)other;
    host.select({memo});
    commands.FillInspector();

    QString value = "SOUCET";
    commands.InspectorModify(irName, value);
    EXPECT_EQ(memo->Name, "Memo1");
    EXPECT_EQ(value, "Memo1");
    EXPECT_EQ(undoCount(), 0);

    value = "Celkem";
    const int tabs = host.tabRebuilds;
    commands.InspectorModify(irName, value);
    EXPECT_EQ(memo->Name, "Celkem");
    EXPECT_EQ(value, "Celkem");
    EXPECT_EQ(host.tabRebuilds, tabs + 1);
    EXPECT_EQ(undoCount(), 1);
}

TEST_F(ObjectCommandsTest, TheInspectorWindowDrivesTheCommands)
{
    TvlInspForm inspector;
    TPropEditor memoEditor;
    commands.AttachInspector(&inspector, &memoEditor);
    ASSERT_EQ(inspector.Rows().Count(), irRowCount);
    EXPECT_EQ(inspector.Rows().Name(irVisible), "Visible");
    EXPECT_TRUE(inspector.IsEmpty());

    host.select({memo, line});
    commands.FillInspector();
    EXPECT_FALSE(inspector.IsEmpty());
    EXPECT_EQ(inspector.Rows().CurrentRow(), irName);
    EXPECT_FALSE(inspector.Rows().Prop(irMemo)->Enabled);
    inspector.SelectRow(irLeft);
    EXPECT_EQ(inspector.Edit1->text(), "36");
    inspector.SelectRow(irTop);
    EXPECT_EQ(inspector.Edit1->text(), "") << "the two tops differ";

    // Typing a value and leaving the row applies it to both objects; the
    // same selection keeps the row.
    inspector.SelectRow(irWidth);
    inspector.Edit1->setText("150");
    emit inspector.Edit1->textEdited("150");
    inspector.SelectRow(irHeight);
    EXPECT_EQ(memo->Width, 150);
    EXPECT_EQ(line->Width, 150);
    EXPECT_EQ(inspector.Rows().CurrentRow(), irHeight);
    EXPECT_EQ(inspector.Rows().ValueText(irWidth), "150");

    host.select({memo});
    commands.FillInspector();
    EXPECT_EQ(inspector.Rows().CurrentRow(), irName);
    EXPECT_EQ(inspector.Edit1->text(), "Memo1");
    EXPECT_TRUE(inspector.Rows().Prop(irMemo)->Enabled);
}

TEST_F(ObjectCommandsTest, AlignmentsUseThePrimaryViewAndNeedEnoughObjects)
{
    TvlView *third = host.add(otMemo, 300, 40, 30, 18, "Memo3");
    host.select({memo});
    commands.AlignClick(alLeftEdges);
    EXPECT_EQ(undoCount(), 0);

    host.select({memo, line, third});
    PrimaryView = line;
    line->Left = 50;
    commands.AlignClick(alLeftEdges);
    EXPECT_EQ(undoCount(), 1);
    EXPECT_EQ(memo->Left, 50);
    EXPECT_EQ(third->Left, 50);

    PrimaryView = nullptr;
    commands.AlignClick(alTopEdges);
    EXPECT_EQ(memo->Top, 40) << "without a primary view the topmost selected is the reference";
}

TEST_F(ObjectCommandsTest, ZOrderKeepsTheBandsFirst)
{
    TvlView *band = host.addBand(btMasterData, 60, 40);
    band->Name = "Band1";
    host.select({memo});
    commands.ZB1Click();
    EXPECT_EQ(host.names(), (QStringList{"Band1", "Line1", "Memo1"}));
    EXPECT_EQ(host.undo.Top(TvlDesignerUndo::UndoStack).Kind, UndoZOrder);
    commands.ZB2Click();
    EXPECT_EQ(host.names(), (QStringList{"Band1", "Memo1", "Line1"}));
}

TEST_F(ObjectCommandsTest, SelectAllThenAlignToTheHostsGrid)
{
    commands.SelAllBClick();
    EXPECT_EQ(SelectedCount, 2);
    host.gridSize = 8;
    commands.GB3Click();
    EXPECT_EQ(line->Height, 8);
    EXPECT_EQ(undoCount(), 1);
}

TEST_F(ObjectCommandsTest, EditorsFollowTheObjectKind)
{
    QStringList opened;
    commands.Editors.MemoEditor = [&](TvlView &view) {
        opened << "memo " + view.Name;
        return true;
    };
    commands.Editors.BandSourceEditor = [&](TvlBandView &, const TvlUndoStep &) {
        opened << "source";
        return true;
    };
    commands.Editors.GroupEditor = [&](TvlBandView &, const TvlUndoStep &) {
        opened << "group";
        return false;
    };
    commands.Editors.PictureEditor = [&](TvlPictureView &view, const TvlUndoStep &recordUndo) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        recordUndo();
        view.Picture.SetImage(image);
        return true;
    };

    host.select({memo});
    commands.ShowObjectEditor();
    host.select({line});
    commands.ShowObjectEditor();
    TvlView *data = host.addBand(btMasterData, 200, 20);
    host.select({data});
    commands.ShowObjectEditor();
    TvlView *group = host.addBand(btGroupHeader, 240, 20);
    host.select({group});
    commands.ShowObjectEditor();
    TvlView *title = host.addBand(btReportTitle, 0, 20);
    host.select({title});
    commands.ShowObjectEditor();
    EXPECT_EQ(opened, (QStringList{"memo Memo1", "source", "group"}));

    auto *picture = static_cast<TvlPictureView *>(host.add(otPicture, 0, 300, 40, 40, "Picture1"));
    host.select({picture});
    const int recorded = undoCount();
    commands.ShowObjectEditor();
    EXPECT_FALSE(picture->Picture.IsEmpty());
    EXPECT_EQ(undoCount(), recorded + 1);

    host.report.Pages.Add();
    auto *sub = static_cast<TvlSubReportView *>(host.add(otSubReport, 0, 400, 40, 40, "SubReport1"));
    sub->PageIndex = 1;
    host.select({sub});
    commands.ShowObjectEditor();
    EXPECT_EQ(host.curPage, 1);
}

// The designer's own dialogs answered without showing them.
class AnsweredDialogs : public TvlDialogAnswers
{
public:
    bool Highlight(TvlHighlightOptions &options, QWidget *) override
    {
        seen = options;
        options.Condition = "[B] < 0";
        options.Style = 4;
        options.FillColor = clYellow;
        return true;
    }
    bool InsertFields(TvlInsertFieldsAnswer &choice, QWidget *) override
    {
        choice = fields;
        return true;
    }
    TvlHighlightOptions seen;
    TvlInsertFieldsAnswer fields;
};

struct AnsweredCommandsTest : ObjectCommandsTest
{
    AnsweredCommandsTest() { vlSetDialogAnswers(&dialogs); }
    ~AnsweredCommandsTest() override { vlSetDialogAnswers(nullptr); }
    AnsweredDialogs dialogs;
};

TEST_F(AnsweredCommandsTest, HighlightOfTheTopmostMemoIsRecordedBeforeItChanges)
{
    memo->Highlight.FontStyle = 2 | 8;
    memo->HighlightCondition = "[A] > 1";
    host.select({memo, line});
    commands.HlB1Click();
    EXPECT_EQ(dialogs.seen.Condition, "[A] > 1");
    EXPECT_EQ(dialogs.seen.Style, 2);
    EXPECT_EQ(memo->HighlightCondition, "[B] < 0");
    EXPECT_EQ(memo->Highlight.FontStyle, 4 | 8);
    EXPECT_EQ(memo->Highlight.FillColor, clYellow);
    EXPECT_EQ(undoCount(), 1);
    ASSERT_EQ(host.undo.Top(TvlDesignerUndo::UndoStack).Records.size(), 2u);
}

TEST_F(AnsweredCommandsTest, TheInsertFieldsDialogsAnswerBecomesMemos)
{
    dialogs.fields.DataSet = "QNeznama";
    dialogs.fields.Fields = {"KOD"};
    commands.InsertDBFields();
    ASSERT_EQ(SelectedCount, 1);
    const TvlView *made = host.Page()->Object(host.Page()->Count() - 1);
    EXPECT_EQ(made->Memo, QStringList{"[QNeznama.\"KOD\"]"});
    EXPECT_EQ(made->Left, host.Page()->LeftOffset());

    dialogs.fields.DataSet.clear();
    const int count = host.Page()->Count();
    commands.InsertDBFields();
    EXPECT_EQ(host.Page()->Count(), count) << "no data set, nothing inserted";
}

TEST_F(ObjectCommandsTest, InsertedFieldsAreSelectedAndRecordedAsOneInsert)
{
    host.addBand(btPageHeader, 0, 40)->Name = "PageHeader1";
    host.select({memo});
    TvlInsertFieldsChoice choice;
    choice.DataSetName = "QPolozky";
    choice.Fields = {{"KOD", "Kód", 8}, {"NAZEV", "Název", 30}};
    choice.Headers = true;
    choice.Bands = true;
    commands.Editors.InsertFields = [&] { return std::optional<TvlInsertFieldsChoice>(choice); };
    commands.InsertDBFields();

    EXPECT_FALSE(memo->Selected);
    EXPECT_EQ(SelectedCount, 5) << "two headers, two data memos and a data band; the page header exists";
    const TvlDesignerUndo::Entry &entry = host.undo.Top(TvlDesignerUndo::UndoStack);
    EXPECT_EQ(entry.Kind, UndoInsert);
    EXPECT_EQ(entry.Records.size(), 5u);
    EXPECT_EQ(host.Page()->Object(0)->ObjectType, otBand) << "bands come first";
    int bands = 0;
    for (const auto &view : host.Page()->Objects) {
        if (view->Selected && view->ObjectType == otBand) {
            ++bands;
            EXPECT_EQ(view->FormatText, "QPolozky");
        } else if (view->Selected) {
            EXPECT_GT(view->Width, 0);
        }
    }
    EXPECT_EQ(bands, 1);
}

} // namespace
