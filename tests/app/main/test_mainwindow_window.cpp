// The main window with the program's settings: flagged cells as painted,
// document colours, activation from the program's own windows, the
// category edit.
#include "app/main/mainwindow_fixture.h"
#include "app/main/notebook.h"
#include "app/settings/shopsettings.h"
#include "app/spreadsheet/form_export.h"
#include "kit/comboedit.h"
#include "kit/formstorage.h"
#include "kit/searchedit.h"

#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class MainWindowPainting : public MainWindowTest
{
protected:
    // Pixels of exactly this colour in a cell of the grid as painted.
    int pixelsOf(TKxDBGrid *grid, const QString &column, int position, QColor color)
    {
        const int col = grid->Columns().IndexOf(grid->Columns().ColumnByFieldName(column));
        const QImage image = grid->grab().toImage();
        const QRect cell =
            grid->CellRect(col + grid->IndicatorOffset(), position + grid->TitleOffset()).intersected(image.rect());
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                count += QColor(image.pixel(x, y)) == color;
        return count;
    }
    // The positions of the rows painted highlighted.
    QList<int> highlightedRows(TKxDBGrid *grid, const QString &column)
    {
        QList<int> rows;
        for (int position = 0; position < grid->DataSet()->RecordCount(); ++position)
            if (pixelsOf(grid, column, position, grid->palette().color(QPalette::Highlight)) > 0)
                rows << position;
        return rows;
    }
};

TEST_F(MainWindowPainting, TheSettingsDecideFlagsPreviewAndColour)
{
    MemoryShopSettings settings;
    ScopedShopSettings scope(&settings);
    settings.setFlagged(ItemField::Prodej, true);
    settings.setFlagged(ItemField::NedostatecnaZasoba, true);
    settings.setFlagged(ItemField::Nakup, false);
    settings.barva = rgbColor(0, 0, 255);
    settings.nahled = false;
    const TFlagSettings flags = window->TForm_Tarmil::FlagSettings();
    EXPECT_TRUE(flags.Prodej);
    EXPECT_TRUE(flags.NedostatecnaZasoba);
    EXPECT_FALSE(flags.Nakup);
    EXPECT_EQ(flags.Color, QColor(0, 0, 255));
    EXPECT_FALSE(window->TForm_Tarmil::PreviewBeforePrint());
    settings.nahled = true;
    EXPECT_TRUE(window->TForm_Tarmil::PreviewBeforePrint());
    QString folder;
    EXPECT_FALSE(window->TForm_Tarmil::BackupOnExit(folder)) << "no backup form, no backup";
}

TEST_F(MainWindowPainting, FlaggedCellsAreMarkedInTheGrid)
{
    const QColor blue(0, 0, 255);
    window->flags.Prodej = true;
    window->flags.Color = blue;
    newItem("F1", Currency::fromInt(1), Currency::fromInt(0)); // no price
    const int priced = newItem("F2", Currency::fromInt(1), Currency::fromInt(10));
    newItem("F3", Currency::fromInt(1), Currency::fromInt(0));
    dm->RequeryItems();
    toItem(priced);
    window->Notebook->SetPageIndex(0);
    window->resize(1200, 700);
    window->show();
    TKxDBGrid *grid = window->KxDBGrid_Polozka;
    QApplication::processEvents();

    const int highlighted = pixelsOf(grid, "PRODEJ", 1, blue);
    EXPECT_EQ(highlighted, 0) << "a price is no flag";
    EXPECT_GT(pixelsOf(grid, "PRODEJ", 0, blue), 0) << "the text in the flag's colour";
    EXPECT_EQ(pixelsOf(grid, "NAKUP", 0, blue), 0) << "other columns stay";
    const int font = pixelsOf(grid, "PRODEJ", 2, blue);
    toItem(priced + 1); // the flagged row becomes the highlighted one
    QApplication::processEvents();
    EXPECT_GT(pixelsOf(grid, "PRODEJ", 2, blue), 4 * font) << "the background in the flag's colour";
    window->flags.Prodej = false;
    grid->viewport()->update();
    EXPECT_EQ(pixelsOf(grid, "PRODEJ", 0, blue), 0) << "the settings' box off: no flag";
}

TEST_F(MainWindowPainting, CancellationsAreRedAndCancelledDocumentsGrey)
{
    const int item = newItem("D1", Currency::fromInt(5));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, dm->DefaultCustomerName(), 0, document));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    int plain = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, dm->DefaultCustomerName(), 0, plain));
    ASSERT_TRUE(dm->CancelDocument(document));
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    window->resize(1200, 700);
    window->show();
    QApplication::processEvents();
    TKxDBGrid *grid = window->KxDBGrid_Doklad;
    // Rows by operation and state; the current row is the cancellation.
    QMap<int, int> positions; // document id -> position
    for (int position = 0; position < documents->RecordCount(); ++position)
        positions[int(grid->RowValues(position).AsInteger(documents->FieldByName("ID_DOKLAD")))] = position;
    ASSERT_EQ(positions.size(), 3);
    const int cancellation = int(documents->FieldByName("ID_DOKLAD").AsInteger());
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", plain));
    QApplication::processEvents();
    const QColor red(0xFF, 0, 0), grey(0x80, 0x80, 0x80);
    EXPECT_GT(pixelsOf(grid, "ODBERATEL", positions[cancellation], red), 0);
    EXPECT_GT(pixelsOf(grid, "ODBERATEL", positions[document], grey), 0);
    EXPECT_EQ(pixelsOf(grid, "ODBERATEL", positions[document], red), 0);
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", cancellation));
    QApplication::processEvents();
    EXPECT_GT(pixelsOf(grid, "ODBERATEL", positions[cancellation], red), 20) << "highlighted: the background";
}

TEST_F(MainWindowPainting, ReturningFromAnotherWindowOfTheProgramRestoresTheFocus)
{
    window->Notebook->SetPageIndex(0);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->FormStorage->StoredValueAt(0)->Value = QStringLiteral("SearchEdit_Kod");
    window->KxDBGrid_Polozka->setFocus();
    window->Label_Pokladna_->setText("x");

    // Switching to another application and back shows no window of ours.
    QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &deactivate);
    QApplication::sendEvent(window.get(), &activate);
    EXPECT_EQ(window->focusWidget(), window->KxDBGrid_Polozka);
    EXPECT_EQ(window->Label_Pokladna_->text(), "x") << "no query for a desktop switch";

    QDialog dialog(window.get());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QApplication::processEvents();
    EXPECT_EQ(window->focusWidget(), window->SearchEdit_Kod);
    EXPECT_NE(window->Label_Pokladna_->text(), "x");
}

TEST_F(MainWindowPainting, TheCategoryEditNarrowsTheItemList)
{
    int tools = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Nářadí", "-", tools));
    newItem("N1", Currency::fromInt(1), Currency::fromInt(10), dm->CategoryPathName(tools));
    newItem("N2");
    dm->RequeryItems();
    window->Notebook->SetPageIndex(0);
    window->show();
    TComboEdit *edit = window->ComboEdit_Kategorie;
    EXPECT_EQ(edit->text(), "?") << "the root's name on show";
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 2);

    edit->setFocus();
    edit->setText("?\\Nic");
    EXPECT_TRUE(edit->property("ShowHint").toBool());
    EXPECT_EQ(edit->toolTip(), "Kategorie neexistuje...");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 2) << "an unknown path filters nothing";

    edit->setText(dm->CategoryPathName(tools));
    EXPECT_FALSE(edit->property("ShowHint").toBool());
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 1);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("OZNACENI").AsString(), "N1");
    EXPECT_NE(window->focusWidget(), edit) << "the focus moves on";

    window->categories.enqueue(1);
    window->Action_VybratKategoriiExecute();
    EXPECT_EQ(edit->text(), "?");
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 2);
}

// Exporting walks the whole list; afterwards the list, its highlight and the
// boxes that mirror it are back on the row the user had clicked.
TEST_F(MainWindowPainting, AnExportLeavesTheClickedRowCurrentAndAloneHighlighted)
{
    for (const char *mark : {"E1", "E2", "E3", "E4", "E5"})
        newItem(QString::fromLatin1(mark));
    dm->RequeryItems();
    window->Notebook->SetPageIndex(0);
    window->resize(1200, 700);
    window->show();
    QApplication::processEvents();
    TKxDBGrid *grid = window->KxDBGrid_Polozka;
    const QRect cell = grid->CellRect(grid->IndicatorOffset() + 1, grid->TitleOffset() + 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center() - grid->viewport()->geometry().topLeft());
    QApplication::processEvents();
    ASSERT_EQ(window->SearchEdit_Oznaceni->text(), "E2");
    ASSERT_EQ(highlightedRows(grid, "OZNACENI"), QList<int>{1});

    QTemporaryDir folder;
    TForm_Export form;
    form.ChooseFile = [&] { return folder.filePath("Export.xls"); };
    form.ExportToFile(grid, true);
    QApplication::processEvents();
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("OZNACENI").AsString(), "E2");
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(highlightedRows(grid, "OZNACENI"), QList<int>{1});
    EXPECT_EQ(window->SearchEdit_Oznaceni->text(), "E2");
    EXPECT_EQ(window->SearchEdit_Kod->text(), "E2");
}
