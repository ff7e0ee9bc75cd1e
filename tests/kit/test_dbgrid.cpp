// The data-aware grids over a real dataset: title clicks, following the
// dataset's cursor, marking rows, the wheel, the column layout in the INI
// file and the check-box cells' writes.
#include "common/scripted_messages.h"
#include "kit/dbgrid.h"
#include "kit/dbgridex.h"
#include "kit/dbgridmodel.h"
#include "kit/formstorage.h"
#include "kit/gridtestfixture.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

namespace {

QPoint titleCenter(TKxDBGrid *grid, int column)
{
    QHeaderView *titles = grid->horizontalHeader();
    return QPoint(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2, titles->height() / 2);
}

} // namespace

TEST_F(GridTest, TitleClicksReportTheColumnIndexAndOnlyWhenReleasedOverTheSameTitle)
{
    auto *grid = makeGrid<TKxDBGrid>();
    customColumns(grid);
    query->Open();
    show();
    QList<QPair<int, QString>> clicks;
    grid->OnTitleBtnClick = [&](TKxDBGrid *, int col, Db::Field *field) {
        clicks << qMakePair(col, field ? field->FieldName() : QString());
    };
    QWidget *titles = grid->horizontalHeader()->viewport();
    QTest::mouseClick(titles, Qt::LeftButton, {}, titleCenter(grid, 0));
    QTest::mouseClick(titles, Qt::LeftButton, {}, titleCenter(grid, 2));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0].first, 0) << "the first data column is 0 with the indicator shown";
    EXPECT_EQ(clicks[0].second.toUpper(), "JEDNOTKA");
    EXPECT_EQ(clicks[1].first, 2);

    // Released over another title: nothing.
    QTest::mousePress(titles, Qt::LeftButton, {}, titleCenter(grid, 0));
    QTest::mouseMove(titles, titleCenter(grid, 1));
    QTest::mouseRelease(titles, Qt::LeftButton, {}, titleCenter(grid, 1));
    EXPECT_EQ(clicks.size(), 2);

    // A refused button is never pressed.
    grid->OnCheckButton = [](TKxDBGrid *, int col, Db::Field *, bool &enabled) { enabled = col != 1; };
    QTest::mouseClick(titles, Qt::LeftButton, {}, titleCenter(grid, 1));
    EXPECT_EQ(clicks.size(), 2);
    QTest::mouseClick(titles, Qt::LeftButton, {}, titleCenter(grid, 3));
    EXPECT_EQ(clicks.size(), 3);
}

TEST_F(GridTest, TheCurrentRowFollowsTheDatasetThroughMovesAndRequery)
{
    auto *grid = makeGrid<TKxDBGrid>();
    query->Open();
    show();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    query->SetRecNo(12);
    EXPECT_EQ(grid->currentIndex().row(), 11);
    // The grid moves the dataset: keys and clicks.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(currentId(), 13);
    int pressedOn = -1;
    int col = -1;
    int row = -1;
    grid->OnMouseDown = [&](TKxDBGrid *sender, Qt::MouseButton, Qt::KeyboardModifiers, QPoint pos) {
        pressedOn = currentId();
        sender->GridCellAtMouse(pos, col, row);
    };
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(pressedOn, 3) << "the press handler sees the row pressed";
    EXPECT_EQ(col, 2) << "grid column 0 is the indicator";
    EXPECT_EQ(row, 3) << "grid row 0 is the titles";
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(grid->currentIndex().column(), 1);

    // A re-query with more rows; the screen comes back to its row by locating it.
    run("INSERT INTO tab_jednotka VALUES (0, 'j0', 'Nula', false)");
    query->Requery();
    EXPECT_EQ(grid->model()->rowCount(), 31);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    ASSERT_TRUE(query->Locate("ID_JEDNOTKA", "3"));
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_EQ(grid->currentIndex().column(), 1) << "the column stays through a re-query";
    // A located record far off the screen comes to its middle; a step scrolls by one row.
    ASSERT_TRUE(query->Locate("ID_JEDNOTKA", "18"));
    const int middle = grid->viewport()->height() / 2;
    EXPECT_NEAR(grid->visualRect(grid->currentIndex()).center().y(), middle, 2 * grid->RowsHeight());
    query->SetRecNo(1);
    const int top = grid->rowAt(0);
    const int bottom = grid->rowAt(grid->viewport()->height() - 1);
    ASSERT_EQ(top, 0);
    query->SetRecNo(bottom + 2); // the row below the last one shown
    EXPECT_LE(grid->rowAt(0), 2);
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
    query->Close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(GridTest, HomeAndEndGoToTheFirstAndLastRecordWhenRowsAreSelectedWhole)
{
    auto *grid = makeGrid<TKxDBGrid>();
    customColumns(grid);
    grid->SetOptions(TKxDBGrid::dgTitles | TKxDBGrid::dgIndicator | TKxDBGrid::dgRowSelect);
    query->Open();
    show();
    grid->setFocus();
    query->SetRecNo(10);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(currentId(), 30);
    EXPECT_EQ(grid->currentIndex().row(), 29);
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(currentId(), 1);
    // Without whole rows they walk the columns of the row.
    grid->SetOptions(TKxDBGrid::dgTitles | TKxDBGrid::dgIndicator);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(currentId(), 1);
    EXPECT_EQ(grid->currentIndex().column(), 3);
}

TEST_F(GridTest, ShiftMarksRowsByKeyAndTheMarksSurviveARequery)
{
    auto *grid = makeGrid<TKxDBGrid>();
    grid->SetMultiSelect(true);
    query->Open();
    show();
    grid->setFocus();
    query->SetRecNo(5);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedRows().Count(), 3);
    EXPECT_EQ(grid->MarkedPositions(), std::vector<int>({4, 5, 6}));

    run("INSERT INTO tab_jednotka VALUES (0, 'j0', 'Nula', false)");
    query->Requery();
    EXPECT_EQ(grid->MarkedPositions(), std::vector<int>({5, 6, 7}));

    // Ctrl+Delete removes nothing: rows go only through the screens' commands.
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(query->RecordCount(), 31);
    EXPECT_EQ(grid->SelectedRows().Count(), 3);

    // Ctrl+click adds a row; a plain click starts again from the clicked row.
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    EXPECT_EQ(grid->SelectedRows().Count(), 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid->MarkedPositions(), std::vector<int>({0}));
    grid->SetClearSelection(false);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(grid->SelectedRows().Count(), 1);
    grid->SetClearSelection(true);
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_TRUE(grid->SelectedRows().IsEmpty());
}

TEST_F(GridTest, TabWalksTheColumnsAndEndsTheSelectionWhenItChangesTheRecord)
{
    auto *grid = makeGrid<TKxDBGrid>();
    customColumns(grid);
    grid->SetOptions(grid->Options() | TKxDBGrid::dgTabs | TKxDBGrid::dgMultiSelect);
    query->Open();
    show();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(grid->SelectedRows().Count(), 2);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex().column(), 3);
    EXPECT_EQ(grid->SelectedRows().Count(), 2);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(currentId(), 3);
    EXPECT_TRUE(grid->SelectedRows().IsEmpty());
}

TEST_F(GridTest, TheRightButtonDragsATitleToAnotherPlace)
{
    auto *grid = makeGrid<TKxDBGrid>();
    customColumns(grid);
    query->Open();
    show();
    int clicks = 0;
    grid->OnTitleBtnClick = [&](TKxDBGrid *, int, Db::Field *) { ++clicks; };
    QWidget *titles = grid->horizontalHeader()->viewport();
    QTest::mousePress(titles, Qt::RightButton, {}, titleCenter(grid, 0));
    for (int x = titleCenter(grid, 0).x(); x <= titleCenter(grid, 2).x() + 10; x += 10)
        QTest::mouseMove(titles, QPoint(x, titleCenter(grid, 0).y()));
    QTest::mouseRelease(titles, Qt::RightButton, {}, QPoint(titleCenter(grid, 2).x() + 10, titleCenter(grid, 0).y()));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(grid->Columns()[0]->FieldName, "POPIS");
    EXPECT_EQ(grid->Columns()[2]->FieldName, "JEDNOTKA");
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Jednotka");
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(2), 2) << "the header shows the list's order";
}

TEST_F(GridTest, RowHeightsTitleHeightsAndBinaryGlyphs)
{
    auto *grid = makeGrid<TKxDBGrid>();
    query->SetSQL("SELECT id_jednotka, jednotka, '\\x0102'::bytea AS obsah FROM tab_jednotka");
    query->Open();
    show();
    grid->SetRowsHeight(22);
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 22);
    EXPECT_EQ(grid->horizontalHeader()->height(), 24);
    Db::Field *content = query->FindField("OBSAH");
    ASSERT_TRUE(content);
    EXPECT_EQ(grid->FieldGlyphIndex(content), 0);
    EXPECT_EQ(grid->FieldGlyphIndex(query->FindField("JEDNOTKA")), -1);
    grid->SetShowGlyphs(false);
    EXPECT_EQ(grid->FieldGlyphIndex(content), -1);

    auto *ex = makeGrid<TKxDBGridEx>();
    show();
    ex->SetRowsHeight(30);
    EXPECT_EQ(ex->horizontalHeader()->height(), 17);
    ex->SetTitleHeight(21);
    EXPECT_EQ(ex->horizontalHeader()->height(), 21);
}

TEST_F(GridTest, AGridOutlivingItsDatasetPaintsWithoutIt)
{
    auto *grid = makeGrid<TKxDBGridEx>();
    customColumns(grid);
    grid->OnGetBtnParams = [](TKxDBGrid *, Db::Field *field, TKxCellFont &, QColor &, TKxDBGrid::TSortMarker &, bool) {
        EXPECT_FALSE(field->FieldName().isEmpty());
    };
    query->Open();
    show();
    delete query;
    query = nullptr;
    EXPECT_FALSE(grid->LinkActive());
    EXPECT_FALSE(grid->grab().isNull());
    grid->SetDataSource(nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(GridTest, TheWheelMovesTheRecordAndAHandlerMayTakeIt)
{
    auto *grid = makeGrid<TKxDBGrid>();
    query->Open();
    show();
    auto wheel = [&](int delta) {
        const QPointF at(50, 50);
        QWheelEvent event(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(currentId(), 3);
    wheel(120);
    EXPECT_EQ(currentId(), 2);
    int ups = 0;
    grid->OnMouseWheelUp = [&](TKxDBGrid *, Qt::KeyboardModifiers, QPoint, bool &handled) {
        ++ups;
        handled = true;
    };
    wheel(120);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(currentId(), 2);
}

TEST_F(GridTest, ColumnLayoutGoesToTheFormStorageSectionAndBack)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Tarmil5.ini");
    auto *storage = new TFormStorage(form.get());
    storage->SetIniFileName(ini);
    storage->SetIniSection("Jednotky");
    storage->SetOptions({});
    auto *grid = makeGrid<TKxDBGrid>();
    customColumns(grid);
    grid->SetIniStorage(storage);
    query->Open();
    storage->FormPlacementRestore(); // a storage writes only after it has restored
    grid->Columns()[1]->Width = 120;
    grid->Columns()[3]->Visible = false;
    storage->FormPlacementSave();
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Jednotky\\TForm_SeznamKxDBGrid_Jednotka]\n"
                              "KxDBGrid_Jednotka.JEDNOTKA=0,80,1\n"
                              "KxDBGrid_Jednotka.POPIS=1,120,1\n"
                              "KxDBGrid_Jednotka.STATE_VYCHOZI=2,60,1\n"
                              "KxDBGrid_Jednotka.OPAK=3,60,0\n"))
        << text.constData();

    // An entry moves, sizes and hides its column; a column without one stays.
    IniFile edit(ini);
    edit.writeString("Jednotky\\TForm_SeznamKxDBGrid_Jednotka", "KxDBGrid_Jednotka.JEDNOTKA", "2,90,0");
    edit.deleteKey("Jednotky\\TForm_SeznamKxDBGrid_Jednotka", "KxDBGrid_Jednotka.OPAK");
    grid->Columns()[3]->Visible = true;
    storage->FormPlacementRestore();
    TDBGridColumns &columns = grid->Columns();
    ASSERT_EQ(columns.Count(), 4);
    EXPECT_EQ(columns[0]->FieldName, "POPIS");
    EXPECT_EQ(columns[1]->FieldName, "STATE_VYCHOZI");
    EXPECT_EQ(columns[2]->FieldName, "JEDNOTKA");
    EXPECT_EQ(columns[2]->Width, 90);
    EXPECT_FALSE(columns[2]->Visible);
    EXPECT_TRUE(grid->isColumnHidden(2));
    EXPECT_EQ(columns[3]->FieldName, "OPAK");
    EXPECT_TRUE(columns[3]->Visible);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 120);
}

TEST_F(GridTest, DefaultColumnsStoreTheDatasetsFieldsUnderKeysWithoutADot)
{
    QTemporaryDir dir;
    auto *storage = new TFormStorage(form.get());
    storage->SetIniFileName(dir.filePath("Tarmil5.ini"));
    storage->SetIniSection("Jednotky");
    storage->SetOptions({});
    auto *grid = makeGrid<TKxDBGrid>();
    grid->SetIniStorage(storage);
    query->Open();
    EXPECT_EQ(grid->Columns().Count(), 5);
    EXPECT_EQ(grid->LayoutSection(), "Jednotky\\TForm_Seznam");
    storage->FormPlacementRestore();
    query->FieldByName("POPIS").DisplayWidth = 25;
    storage->FormPlacementSave();
    IniFile ini(dir.filePath("Tarmil5.ini"));
    EXPECT_EQ(ini.readString("Jednotky\\TForm_Seznam", "Query_Jednotkapopis"), "2,25,1");
    ini.writeString("Jednotky\\TForm_Seznam", "Query_Jednotkajednotka", "1,12,1");
    storage->FormPlacementRestore();
    EXPECT_EQ(query->FieldByName("JEDNOTKA").DisplayWidth, 12);
    EXPECT_EQ(grid->Columns()[1]->Width, TDBGridColumns::DefaultWidth(query->FieldByName("JEDNOTKA"), grid->font()));
}

namespace {

class CheckBoxTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        grid = makeGrid<TKxDBGridEx>();
        customColumns(grid);
        query->Open();
        show();
    }
    // Clicks the check box of a column on a row; `offset` moves off its centre.
    void clickBox(int row, int column, QPoint offset = {})
    {
        const QRect cell = grid->DataCellRect(grid->visualRect(grid->model()->index(row, column)));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, TKxDBGridEx::CheckBoxRect(cell).center() + offset);
    }
    bool stored(int id)
    {
        const Db::Result r =
            connection.exec(QStringLiteral("SELECT state_vychozi FROM tab_jednotka WHERE id_jednotka = %1").arg(id));
        return r.cellText(0, 0) == "t";
    }

    TKxDBGridEx *grid = nullptr;
    ScriptedMessages messages;
};

} // namespace

TEST_F(CheckBoxTest, AnAllowedClickWritesTheInvertedValue)
{
    int asked = 0;
    grid->OnClickCheckBox = [&](TKxDBGridEx *, Db::Field *field, bool &modify) {
        ++asked;
        EXPECT_FALSE(modify) << "the form allows the change, it does not have to forbid it";
        modify = field->FieldName().compare("STATE_VYCHOZI", Qt::CaseInsensitive) == 0;
    };
    clickBox(1, 2); // id 2: true
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(currentId(), 2);
    EXPECT_FALSE(query->FieldByName("STATE_VYCHOZI").AsBoolean());
    EXPECT_FALSE(stored(2));
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
    // Null reads as false: the click stores true.
    clickBox(2, 2);
    EXPECT_TRUE(stored(3));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(CheckBoxTest, AVetoedOrMissedClickChangesNothing)
{
    int asked = 0;
    grid->OnClickCheckBox = [&](TKxDBGridEx *, Db::Field *, bool &) { ++asked; };
    clickBox(1, 2);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(stored(2));
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
    // In the cell but beside the box, and on a text column: not asked.
    const QRect cell = grid->DataCellRect(grid->visualRect(grid->model()->index(1, 2)));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 2, cell.center().y()));
    clickBox(1, 1);
    EXPECT_EQ(asked, 1);
}

TEST_F(CheckBoxTest, AFailedWriteIsReportedAndTheListStaysOnItsRow)
{
    grid->OnClickCheckBox = [](TKxDBGridEx *, Db::Field *, bool &modify) { modify = true; };
    query->SetRecNo(4);
    clickBox(5, 3); // the computed column has no table to write to
    EXPECT_EQ(currentId(), 6);
    EXPECT_EQ(query->State(), Db::DataSetState::Browse);
    EXPECT_TRUE(query->Active());
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().heading, "Změnu nelze uložit.");
    EXPECT_FALSE(messages.callsOf(MessageCall::Warning).first().detail.isEmpty());
    EXPECT_EQ(query->FieldByName("OPAK").AsBoolean(), false);
}

TEST_F(CheckBoxTest, CellEventsSeeThePaintedRowAndItsHighlight)
{
    QMap<int, bool> highlighted;
    grid->SetMultiSelect(true);
    grid->OnGetCellParams = [&](TKxDBGrid *sender, Db::Field *field, TKxCellFont &, QColor &, bool highlight) {
        if (field && field->FieldName().compare("JEDNOTKA", Qt::CaseInsensitive) == 0)
            highlighted[int(sender->PaintingRow().AsInteger(sender->DataSet()->FieldByName("ID_JEDNOTKA")))] =
                highlight;
    };
    grid->OnGetBtnParams = [](TKxDBGrid *, Db::Field *field, TKxCellFont &, QColor &background,
                              TKxDBGrid::TSortMarker &marker, bool) {
        if (field->FieldName().compare("POPIS", Qt::CaseInsensitive) == 0) {
            marker = TKxDBGrid::smDown;
            background = QColor(0xCA, 0xC5, 0xB9);
        } else {
            background = Qt::red; // without a marker this colours nothing
        }
    };
    const QRect cell = grid->visualRect(grid->model()->index(4, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    query->SetRecNo(10);
    const QImage image = grid->grab().toImage();
    EXPECT_TRUE(highlighted.value(5)) << "marked row";
    EXPECT_FALSE(highlighted.value(2));
    EXPECT_TRUE(highlighted.contains(10));
    EXPECT_EQ(grid->PaintingRow().SnapshotRow(), -1) << "only while a cell is painted";
    // The sorted column is tinted below the title.
    const QRect sorted = grid->visualRect(grid->model()->index(8, 1)).translated(grid->viewport()->pos());
    const QPoint rightEnd(sorted.width() / 2 - 4, 0);
    EXPECT_EQ(image.pixelColor(sorted.center() + rightEnd), QColor(0xCA, 0xC5, 0xB9));
    const QRect plain = grid->visualRect(grid->model()->index(8, 0)).translated(grid->viewport()->pos());
    EXPECT_EQ(image.pixelColor(plain.center() + QPoint(plain.width() / 2 - 4, 0)), grid->Color());
    // Titles likewise: the sorted one on the form's background, the others on the fixed colour.
    QHeaderView *titles = grid->horizontalHeader();
    const QPoint titleTop = titles->pos() + QPoint(0, titles->height() / 2);
    const int popisRight = titles->sectionViewportPosition(1) + titles->sectionSize(1) - 5;
    EXPECT_EQ(image.pixelColor(titleTop + QPoint(popisRight - 12, 0)), QColor(0xCA, 0xC5, 0xB9));
    const int jednotkaRight = titles->sectionViewportPosition(0) + titles->sectionSize(0) - 5;
    EXPECT_EQ(image.pixelColor(titleTop + QPoint(jednotkaRight, 0)), grid->FixedColor());
}

// A plain click marks the clicked row only while it is the current one: a
// search moving to another row leaves one row highlighted, the current one.
// Rows chosen with Ctrl (the clicked one with them) stay chosen.
namespace {
struct HighlightingGrid : TKxDBGrid
{
    using TKxDBGrid::HighlightCell;
    using TKxDBGrid::TKxDBGrid;
};
} // namespace

TEST_F(GridTest, OnlyTheCurrentRowStaysHighlightedAfterAClickAndASearch)
{
    auto *grid = makeGrid<HighlightingGrid>();
    grid->SetMultiSelect(true);
    query->Open();
    show();
    grid->setFocus();
    auto highlighted = [grid] {
        std::vector<int> rows;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->HighlightCell(row, 0, grid->selectionModel()->isSelected(grid->model()->index(row, 0))))
                rows.push_back(row);
        return rows;
    };
    auto cell = [grid](int row) { return grid->visualRect(grid->model()->index(row, 0)).center(); };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(1));
    EXPECT_EQ(highlighted(), std::vector<int>({1}));
    ASSERT_TRUE(query->Locate("JEDNOTKA", Variant(QStringLiteral("j8"))));
    EXPECT_EQ(highlighted(), std::vector<int>({7}));

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(4));
    ASSERT_TRUE(query->Locate("JEDNOTKA", Variant(QStringLiteral("j1"))));
    EXPECT_EQ(grid->MarkedPositions(), std::vector<int>({1, 2, 4}));
}
