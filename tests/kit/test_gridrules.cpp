// Rules of the data-aware grids that need no dataset: marking rows, the
// column layout entries, the options set and the check box's square.
#include "kit/dbgrid.h"
#include "kit/dbgridex.h"
#include "kit/formstorage.h"
#include "kit/gridlayout.h"
#include "kit/gridmarks.h"
#include "kit/propsstorage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A list of rows named by their keys, with a cursor.
class FakeCursor : public TGridRowCursor
{
public:
    explicit FakeCursor(int rows)
        : count(rows)
    {}
    int CurrentPosition() const override { return position; }
    QByteArray CurrentKey() const override { return key(position); }
    int MoveBy(int distance) override
    {
        const int target = std::clamp(position + distance, 0, count - 1);
        const int moved = target - position;
        position = target;
        return moved;
    }
    static QByteArray key(int row) { return QByteArray::number(row); }
    int count;
    int position = 0;
};

QList<int> marked(const TGridSelection &selection, int rows)
{
    QList<int> out;
    for (int i = 0; i < rows; ++i)
        if (selection.Marks().Contains(FakeCursor::key(i)))
            out << i;
    return out;
}

} // namespace

TEST(GridSelection, ShiftMovesMarkAwayFromTheAnchorAndUnmarkTowardsIt)
{
    TGridSelection selection;
    selection.SetMultiSelect(true);
    FakeCursor cursor(10);
    cursor.position = 3;
    for (int i = 0; i < 3; ++i)
        selection.MoveWithSelection(cursor, 1, true);
    EXPECT_EQ(marked(selection, 10), QList<int>({3, 4, 5, 6}));
    EXPECT_TRUE(selection.Selecting());
    // Back towards the anchor: each row left is unmarked.
    selection.MoveWithSelection(cursor, -1, true);
    selection.MoveWithSelection(cursor, -1, true);
    EXPECT_EQ(marked(selection, 10), QList<int>({3, 4}));
    // Past the anchor upwards the rows arrived at are marked.
    selection.MoveWithSelection(cursor, -1, true);
    selection.MoveWithSelection(cursor, -1, true);
    selection.MoveWithSelection(cursor, -1, true);
    EXPECT_EQ(cursor.position, 1);
    EXPECT_EQ(marked(selection, 10), QList<int>({1, 2, 3}));
    // A move without Shift ends the selection and clears the marks.
    selection.MoveWithSelection(cursor, 1, false);
    EXPECT_TRUE(selection.Marks().IsEmpty());
    EXPECT_FALSE(selection.Selecting());
    EXPECT_EQ(cursor.position, 2);
}

TEST(GridSelection, ClearSelectionOffKeepsMarksWhenASelectionEnds)
{
    TGridSelection selection;
    selection.SetMultiSelect(true);
    selection.ClearSelection = false;
    FakeCursor cursor(5);
    selection.MoveWithSelection(cursor, 1, true);
    selection.MoveWithSelection(cursor, 1, false);
    EXPECT_EQ(marked(selection, 5), QList<int>({0, 1}));
    EXPECT_FALSE(selection.Selecting());
    // A plain click always clears; without ClearSelection it marks nothing.
    selection.ClickRow(FakeCursor::key(4), false);
    EXPECT_TRUE(selection.Marks().IsEmpty());
}

TEST(GridSelection, ClicksToggleWithCtrlAndMarkTheRowOtherwise)
{
    TGridSelection selection;
    selection.ClickRow(FakeCursor::key(1), true);
    EXPECT_TRUE(selection.Marks().IsEmpty()) << "no marks without multiselect";
    selection.SetMultiSelect(true);
    selection.ClickRow(FakeCursor::key(1), true);
    selection.ClickRow(FakeCursor::key(3), true);
    selection.ClickRow(FakeCursor::key(1), true);
    EXPECT_EQ(marked(selection, 5), QList<int>({3}));
    EXPECT_FALSE(selection.Marks().OnlyClickMark());
    selection.ClickRow(FakeCursor::key(2), false);
    EXPECT_EQ(marked(selection, 5), QList<int>({2}));
    EXPECT_TRUE(selection.Marks().OnlyClickMark()) << "a plain click's mark chooses nothing";
    selection.ClickRow(FakeCursor::key(4), true);
    EXPECT_FALSE(selection.Marks().OnlyClickMark()) << "Ctrl makes the marks a choice";
    FakeCursor cursor(5);
    selection.ClickRow(FakeCursor::key(0), false);
    selection.MoveWithSelection(cursor, 1, true);
    EXPECT_FALSE(selection.Marks().OnlyClickMark()) << "so does Shift";
    selection.SetMultiSelect(false);
    EXPECT_TRUE(selection.Marks().IsEmpty());
}

TEST(GridLayout, EntriesReadWordByWordKeepingWhatIsMissingOrNotANumber)
{
    EXPECT_EQ(GridLayoutEntry({2, 80, false}), "2,80,0");
    EXPECT_EQ(GridLayoutEntry({0, 115, true}), "0,115,1");
    const TGridColumnLayout current{1, 64, true};
    EXPECT_EQ(ParseGridLayoutEntry("2,80,0", current), (TGridColumnLayout{2, 80, false}));
    EXPECT_EQ(ParseGridLayoutEntry(" 3  90 ", current), (TGridColumnLayout{3, 90, true}));
    EXPECT_EQ(ParseGridLayoutEntry("x,,50,1", current), (TGridColumnLayout{1, 50, true}));
    EXPECT_EQ(ParseGridLayoutEntry("abc", current), current);
}

TEST(GridLayout, EachPositionTakesTheFirstColumnWantingIt)
{
    EXPECT_EQ(GridLayoutOrder({2, 0, 1}), std::vector<int>({1, 2, 0}));
    EXPECT_EQ(GridLayoutOrder({0, 1, 2}), std::vector<int>({0, 1, 2}));
    // Two columns want position 0: the first of them gets it, the other stays put.
    EXPECT_EQ(GridLayoutOrder({0, 0, 1}), std::vector<int>({0, 2, 1}));
    // A wanted index outside the columns moves nothing.
    EXPECT_EQ(GridLayoutOrder({7, 1, 0}), std::vector<int>({2, 1, 0}));
}

TEST(DBGridOptions, MultiSelectIsPartOfTheOptionsAndStoredByName)
{
    TKxDBGrid grid;
    using G = TKxDBGrid;
    EXPECT_EQ(grid.Options(),
              G::TDBGridOptions(G::dgEditing | G::dgTitles | G::dgIndicator | G::dgColumnResize | G::dgColLines |
                                G::dgRowLines | G::dgConfirmDelete | G::dgCancelOnExit));
    grid.SetMultiSelect(true);
    EXPECT_TRUE(grid.Options().testFlag(G::dgMultiSelect));
    grid.SelectedRows().Select("1", true);
    grid.SetOptions(G::dgTitles | G::dgIndicator | G::dgRowSelect);
    EXPECT_FALSE(grid.MultiSelect());
    EXPECT_TRUE(grid.SelectedRows().IsEmpty());
    grid.SetOptions(G::dgTitles | G::dgMultiSelect);
    EXPECT_TRUE(grid.MultiSelect());

    const QMetaProperty options = TPropsStorage::FindProperty(&grid, "Options");
    EXPECT_EQ(TPropsStorage::PropertyText(&grid, options), "[dgTitles,dgMultiSelect]");
    grid.SetOptions(G::dgTitles | G::dgIndicator | G::dgColumnResize | G::dgRowSelect | G::dgAlwaysShowSelection);
    EXPECT_EQ(TPropsStorage::PropertyText(&grid, options),
              "[dgTitles,dgIndicator,dgColumnResize,dgRowSelect,dgAlwaysShowSelection]");
}

TEST(DBGridEx, CheckBoxIsACentredSquareOfTheCellLessOnePixel)
{
    // Cell 30 x 17 at (10, 20): inside 11..39 x 21..36, side 15, left (11 + 39 - 15) div 2.
    EXPECT_EQ(TKxDBGridEx::CheckBoxRect(QRect(10, 20, 30, 17)), QRect(17, 21, 15, 15));
    // Rounded towards zero left of the origin.
    EXPECT_EQ(TKxDBGridEx::CheckBoxRect(QRect(-20, 0, 30, 17)).left(), -12);
    TKxDBGridEx grid;
    EXPECT_EQ(grid.TitleHeight(), 17);
}

TEST(DBGridOptions, TheFormStorageKeepsTheOptionsByTheirNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarmil5.ini");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Tarmil]\nKxDBGrid_Prodej_Options=[dgTitles,dgIndicator,dgRowSelect,dgMultiSelect]\n");
    }
    QWidget form;
    auto *grid = new TKxDBGrid(&form);
    grid->setObjectName("KxDBGrid_Prodej");
    auto *storage = new TFormStorage(&form);
    storage->SetIniFileName(path);
    storage->SetIniSection("Tarmil");
    storage->SetOptions({});
    storage->SetStoredProps({"KxDBGrid_Prodej.Options"});
    storage->FormPlacementRestore();
    using G = TKxDBGrid;
    EXPECT_EQ(grid->Options(), G::TDBGridOptions(G::dgTitles | G::dgIndicator | G::dgRowSelect | G::dgMultiSelect));
    EXPECT_TRUE(grid->MultiSelect());
    grid->SetMultiSelect(false);
    storage->FormPlacementSave();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("KxDBGrid_Prodej_Options=[dgTitles,dgIndicator,dgRowSelect]\n"));
}
