// The main window's frame over a real database: actions and keys, pages and
// their remembered focus, searching, typing into a grid, dropping rows,
// sorting, the shared pop-up menu and the closing sequence.
#include "app/main/mainwindow_fixture.h"
#include "app/main/notebook.h"
#include "kit/dbgridmodel.h"
#include "kit/formstorage.h"
#include "kit/searchedit.h"
#include "platform/paths.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

class MainWindowFrame : public MainWindowTest
{
protected:
    void showActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString iniText()
    {
        QFile file(Paths::iniFilePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    qint64 currentItem() { return dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger(); }
};

TEST_F(MainWindowFrame, ThirtyFiveActionsWithTheirKeys)
{
    ASSERT_EQ(window->ActionList.size(), 35);
    QSet<QString> names;
    for (QAction *action : window->ActionList) {
        EXPECT_TRUE(action->objectName().startsWith("Action_"));
        names << action->objectName();
    }
    EXPECT_EQ(names.size(), 35);
    EXPECT_EQ(window->Action_Hledat->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(window->Action_VybratKategorii->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->Action_Filtr->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(window->Action_Obnovit->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(window->Action_PolozkaNova->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(window->Action_ProdejProdat->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus))
        << "the numeric keypad's plus only";
    EXPECT_NE(window->Action_ProdejProdat->shortcut(), QKeySequence(Qt::Key_Plus));
    const QList<QAction *> pending = window->PendingScreens();
    for (QAction *action : window->ActionList)
        EXPECT_EQ(action->isEnabled(), !pending.contains(action)) << qPrintable(action->objectName());
    for (QAction *action : {window->Action_PolozkaOdebrat, window->Action_ProdejPridat, window->Action_ProdejOdebrat,
                            window->Action_DokladStorno, window->Action_Obnovit})
        EXPECT_TRUE(action->isEnabled()) << qPrintable(action->objectName()) << " needs no other screen";
    EXPECT_EQ(window->Button_PolozkaNova->isEnabled(), window->Action_PolozkaNova->isEnabled())
        << "buttons follow their actions";
    EXPECT_TRUE(window->Button_PolozkaOdebrat->isEnabled());
}

TEST_F(MainWindowFrame, GridsShowTheirColumnsAndHideSome)
{
    TKxDBGrid *items = window->KxDBGrid_Polozka;
    ASSERT_EQ(items->Columns().Count(), 17);
    EXPECT_EQ(items->Columns()[0]->Caption(), "Označení");
    EXPECT_FALSE(items->Columns().ColumnByFieldName("ZARUKA")->Visible);
    EXPECT_FALSE(items->Columns().ColumnByFieldName("ZASOBA")->Visible);
    EXPECT_TRUE(items->Columns().ColumnByFieldName("NAKUP_CELKEM")->Visible);
    EXPECT_EQ(window->KxDBGrid_PolozkaHistorie->Columns().Count(), 23);
    EXPECT_EQ(window->KxDBGrid_Prodej->Columns().Count(), 13);
    EXPECT_EQ(window->KxDBGrid_Doklad->Columns().Count(), 11);
    EXPECT_EQ(window->KxDBGrid_ProdejHistorie->Columns().Count(), 16);
    EXPECT_FALSE(window->KxDBGrid_ProdejHistorie->Columns().ColumnByFieldName("SKLAD")->Visible);
    for (TKxDBGrid *grid : {window->KxDBGrid_Polozka, window->KxDBGrid_Prodej, window->KxDBGrid_Doklad})
        for (int i = 0; i < grid->Columns().Count(); ++i)
            EXPECT_NE(grid->Columns()[i]->Field(), nullptr)
                << qPrintable(grid->objectName()) << " " << qPrintable(grid->Columns()[i]->FieldName);
}

TEST_F(MainWindowFrame, PageKeysComeBackToTheControlLeftThere)
{
    newItem("A1");
    showActive();
    EXPECT_EQ(window->Notebook->ActivePage(), "Doklady");
    EXPECT_TRUE(window->Panel_DokladHledat->isVisible());
    EXPECT_FALSE(window->Panel_PolozkaHledat->isVisible());

    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(window->Notebook->PageIndex(), 0);
    EXPECT_TRUE(window->Panel_PolozkaHledat->isVisible());
    EXPECT_TRUE(window->windowTitle().startsWith(AppTitle + " - Položky      Sklad: "))
        << qPrintable(window->windowTitle());
    EXPECT_TRUE(window->windowTitle().endsWith("      Uživatel: tester"));
    window->SearchEdit_Kod->setFocus();

    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(window->Notebook->PageIndex(), 1);
    window->KxDBGrid_Prodej->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(window->focusWidget(), window->SearchEdit_Kod);
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(window->focusWidget(), window->KxDBGrid_Prodej);
    EXPECT_EQ(window->StoredActiveControl(0), "SearchEdit_Kod");
    EXPECT_TRUE(iniText().contains("ActiveControl0=SearchEdit_Kod")) << "saved at once";

    // A stored name that names no control that can take the focus is ignored.
    window->FormStorage->StoredValueAt(0)->Value = QStringLiteral("Nothing_There");
    window->Notebook->SetPageIndex(0);
    EXPECT_EQ(window->Notebook->PageIndex(), 0);
}

TEST_F(MainWindowFrame, SearchEditsFollowTypingAndMirrorTheRowWhileUnfocused)
{
    const int a = newItem("A100");
    const int b = newItem("B200");
    newItem("C300");
    window->Notebook->SetPageIndex(0);
    showActive();
    window->KxDBGrid_Polozka->setFocus();
    toItem(a);
    EXPECT_EQ(window->SearchEdit_Oznaceni->text(), "A100") << "mirrors while unfocused";
    EXPECT_EQ(window->SearchEdit_Kod->selectedText(), "A100");

    window->SearchEdit_Oznaceni->setFocus();
    QTest::keyClicks(window->SearchEdit_Oznaceni, "b2"); // replaces the selected text
    EXPECT_EQ(window->SearchEdit_Oznaceni->text(), "b2");
    EXPECT_EQ(currentItem(), b) << "partial and without regard to case";
    EXPECT_EQ(window->SearchEdit_Kod->text(), "B200") << "the other edit follows the row";

    toItem(a); // the row moves, the focused edit keeps what was typed
    EXPECT_EQ(window->SearchEdit_Oznaceni->text(), "b2");
    window->SearchEdit_Kod->setText("C3"); // set, not typed: no search
    EXPECT_EQ(currentItem(), a);
    QTest::keyClick(window->SearchEdit_Oznaceni, Qt::Key_Backspace);
    EXPECT_EQ(currentItem(), b) << "every typed change searches";
}

TEST_F(MainWindowFrame, DocumentSearchUsesTheNumberTheCheckBoxNames)
{
    const int item = newItem("D1", Currency::fromInt(10));
    int first = 0, second = 0;
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    ASSERT_TRUE(dm->SellBasket(1, false, dm->DefaultCustomerName(), 0, first));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    ASSERT_TRUE(dm->SellBasket(1, true, dm->DefaultCustomerName(), 0, second));
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", first));
    const QString unprinted = documents->FieldByName("DOKLAD_NETISTENY").AsString();
    ASSERT_TRUE(documents->LocateInteger("ID_DOKLAD", second));
    const QString printed = documents->FieldByName("DOKLAD_VYTISTENY").AsString();
    showActive();
    EXPECT_EQ(window->SearchEdit_Doklad->text(), documents->FieldByName("DOKLAD_NETISTENY").AsString());

    window->SearchEdit_Doklad->setFocus();
    window->SearchEdit_Doklad->clear();
    QTest::keyClicks(window->SearchEdit_Doklad, unprinted);
    EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), first);
    window->CheckBox_Doklad->setChecked(true);
    window->SearchEdit_Doklad->clear();
    QTest::keyClicks(window->SearchEdit_Doklad, printed);
    EXPECT_EQ(documents->FieldByName("ID_DOKLAD").AsInteger(), second);
}

TEST_F(MainWindowFrame, TypingInAGridOpensTheSearchWithThatCharacter)
{
    newItem("T1");
    showActive();
    window->KxDBGrid_Doklad->setFocus();
    QTest::keyClick(window->KxDBGrid_Doklad, Qt::Key_X, Qt::NoModifier);
    EXPECT_EQ(window->searchOpened, 1);
    EXPECT_TRUE(window->searchDocuments);
    EXPECT_EQ(window->searchTyped, "x");

    QTest::keyClick(window.get(), Qt::Key_F7);
    window->KxDBGrid_PolozkaProdej->setFocus();
    QTest::keyClick(window->KxDBGrid_PolozkaProdej, Qt::Key_5, Qt::NoModifier);
    EXPECT_EQ(window->searchOpened, 2);
    EXPECT_FALSE(window->searchDocuments);
    EXPECT_EQ(window->searchTyped, "5");
    QTest::keyClick(window->KxDBGrid_PolozkaProdej, Qt::Key_Down);
    EXPECT_EQ(window->searchOpened, 2) << "keys that type nothing don't";
}

TEST_F(MainWindowFrame, GridsGiveEnterAndDelToTheirPagesActions)
{
    showActive();
    window->KxDBGrid_Doklad->setFocus();
    EXPECT_EQ(window->Action_DokladTisk->shortcut(), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(window->Action_DokladStorno->shortcut(), QKeySequence(Qt::Key_Delete));
    QTest::keyClick(window.get(), Qt::Key_F7);
    window->KxDBGrid_Prodej->setFocus();
    EXPECT_TRUE(window->Action_DokladTisk->shortcut().isEmpty());
    EXPECT_EQ(window->Action_ProdejPridat->shortcut(), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(window->Action_ProdejOdebrat->shortcut(), QKeySequence(Qt::Key_Delete));
    window->SearchEdit_Oznaceni->setFocus();
    EXPECT_EQ(window->Action_ProdejPridat->shortcut(), QKeySequence(Qt::Key_Return));
    QTest::keyClick(window.get(), Qt::Key_F8);
    window->KxDBGrid_ProdejHistorie->setFocus();
    EXPECT_TRUE(window->Action_DokladStorno->shortcut().isEmpty()) << "Del in the lines cancels nothing";
    QTest::keyClick(window.get(), Qt::Key_F7);
    window->SearchEdit_Oznaceni->setFocus();
    EXPECT_TRUE(window->Action_ProdejOdebrat->shortcut().isEmpty());
    QTest::keyClick(window.get(), Qt::Key_F6);
    window->SearchEdit_Kod->setFocus();
    EXPECT_EQ(window->Action_PolozkaEditace->shortcut(), QKeySequence(Qt::Key_Return));
    EXPECT_TRUE(window->Action_ProdejPridat->shortcut().isEmpty());
}

TEST_F(MainWindowFrame, DroppingRowsBetweenItemsAndBasket)
{
    const int item = newItem("DD1", Currency::fromInt(5));
    toItem(item);
    window->GridDragDrop(window->KxDBGrid_Prodej, window->KxDBGrid_PolozkaProdej);
    EXPECT_EQ(basketQuantity(item), "1");
    window->GridDragDrop(window->KxDBGrid_Prodej, window->KxDBGrid_Prodej);
    window->GridDragDrop(window->KxDBGrid_PolozkaProdej, window->KxDBGrid_PolozkaProdej);
    EXPECT_EQ(basketQuantity(item), "1") << "inside the same grid nothing happens";
    window->GridDragDrop(window->KxDBGrid_PolozkaProdej, window->KxDBGrid_Prodej);
    EXPECT_EQ(basketQuantity(item), QString());
    EXPECT_TRUE(headings().isEmpty());
}

TEST_F(MainWindowFrame, TitlesSortTheListAndShowTheMarker)
{
    newItem("B");
    newItem("A");
    newItem("C");
    TKxDBGrid *grid = window->KxDBGrid_Polozka;
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    Db::Field *mark = items->FindField("OZNACENI");
    Db::Field *name = items->FindField("POLOZKA");
    TKxDBGrid::TSortMarker marker = TKxDBGrid::smUp;
    QColor background;
    window->KxDBGridGetBtnParams(grid, name, marker, background);
    EXPECT_EQ(background, QColor(0xCA, 0xC5, 0xB9));

    window->KxDBGridTitleBtnClick(grid, name);
    window->KxDBGridGetBtnParams(grid, name, marker, background);
    EXPECT_EQ(marker, TKxDBGrid::smDown) << "ascending";
    window->KxDBGridGetBtnParams(grid, mark, marker, background);
    EXPECT_EQ(marker, TKxDBGrid::smNone);
    items->First();
    EXPECT_EQ(items->FieldByName("OZNACENI").AsString(), "A");
    const qint64 current = currentItem();
    window->KxDBGridTitleBtnClick(grid, name);
    window->KxDBGridGetBtnParams(grid, name, marker, background);
    EXPECT_EQ(marker, TKxDBGrid::smUp) << "descending";
    EXPECT_EQ(currentItem(), current) << "the row is kept";
    items->First();
    EXPECT_EQ(items->FieldByName("OZNACENI").AsString(), "C");
}

TEST_F(MainWindowFrame, ThePopupMenuServesTheGridThatOpenedIt)
{
    TKxDBGrid *grid = window->KxDBGrid_Prodej;
    emit grid->customContextMenuRequested(QPoint(5, 5));
    window->PopupMenu->hide();
    ASSERT_EQ(window->PopupGrid(), grid);
    const QList<QAction *> columns = window->PopupItem_Sloupce->actions();
    ASSERT_EQ(columns.size(), 13);
    EXPECT_EQ(columns[3]->text(), "Specifikace");
    EXPECT_FALSE(columns[3]->isChecked());
    columns[3]->trigger();
    EXPECT_TRUE(grid->Columns()[3]->Visible);
    EXPECT_FALSE(window->KxDBGrid_ProdejHistorie->Columns()[3]->Visible) << "only that grid";
    window->PopupItem_ColLines->trigger();
    EXPECT_TRUE(grid->Options().testFlag(TKxDBGrid::dgColLines));
    EXPECT_FALSE(window->KxDBGrid_Doklad->Options().testFlag(TKxDBGrid::dgColLines));
    window->PopupItem_VsechnySloupce->trigger();
    for (int i = 0; i < grid->Columns().Count(); ++i)
        EXPECT_TRUE(grid->Columns()[i]->Visible);
    EXPECT_EQ(window->PopupMenu->defaultAction(), window->PopupItem_MultiSelect);
}

TEST_F(MainWindowFrame, ClosingStoresFocusAndSettingsAndGoesOnAfterAFailedBackup)
{
    showActive();
    QTest::keyClick(window.get(), Qt::Key_F7);
    window->KxDBGrid_Prodej->setFocus();
    window->backup = true;
    window->backupFolder = home.path() + "/missing/folder";

    EXPECT_TRUE(window->close());

    ASSERT_EQ(headings(), QStringList{"Záloha databáze neproběhla..."});
    EXPECT_EQ(messages.callsOf(MessageCall::Warning)[0].detail, "Záloha nebyla uložena...");
    EXPECT_FALSE(messages.callsOf(MessageCall::Warning)[0].description.isEmpty()) << "the server's reason";
    const int shown = int(messages.calls.size());
    EXPECT_EQ(window->log, QStringList({QStringLiteral("Ukončení programu %1... (%2)").arg(AppTitle).arg(shown),
                                        QStringLiteral("Ok (%1)").arg(shown)}))
        << "the backup's message comes before the log";
    const QString ini = iniText();
    for (const char *key : {"[Tarmil]", "ActiveControl1=KxDBGrid_Prodej", "Notebook_ActivePage=Prodej",
                            "KxDBGrid_Polozka_Height=", "KxDBGrid_PolozkaProdej_Height=", "KxDBGrid_Doklad_Height=",
                            "KxDBGrid_Polozka_Options=[dgTitles,dgIndicator,dgColumnResize,dgRowSelect,"
                            "dgAlwaysShowSelection,dgMultiSelect]",
                            "KxDBGrid_ProdejHistorie_Options=", "[DM]", "MSSQLADOQuery_Polozka_FormatParameters"})
        EXPECT_TRUE(ini.contains(QString::fromUtf8(key))) << key << "\n" << qPrintable(ini);
}

TEST_F(MainWindowFrame, ClosingBacksUpWhenAsked)
{
    window->backup = true;
    window->backupFolder = home.path();
    window->show();
    window->close();
    ASSERT_EQ(headings(), QStringList{"Záloha databáze proběhla v pořádku..."});
    const MessageCall info = messages.callsOf(MessageCall::Information)[0];
    EXPECT_TRUE(info.detail.startsWith("Soubor: " + home.path() + "/")) << qPrintable(info.detail);
    EXPECT_FALSE(info.flag) << "stays until closed";
    EXPECT_TRUE(QFile::exists(info.detail.mid(8)));
}

TEST_F(MainWindowFrame, SummaryLabelsAreWrittenByTheDataModule)
{
    newItem("S1", Currency::fromInt(2), Currency::fromInt(100));
    dm->RequeryItems();
    EXPECT_TRUE(window->Label_Sklad_->text().contains("položek: 1")) << qPrintable(window->Label_Sklad_->text());
    dm->MSSQLADOQuery_Prodej->RequeryQuery();
    EXPECT_TRUE(window->Label_Prodej_Status_->text().startsWith("0 [ celkem: "));
}

TEST_F(MainWindowFrame, GrowingFiguresNeverWidenTheWindow)
{
    showActive();
    window->resize(1000, 700);
    QTest::qWait(50);
    const QString big = QStringLiteral("Celkem: 12 345 678,00 Kč [ za hotové: 6 172 839,00 Kč, "
                                       "na fakturu: 6 172 839,00 Kč ]");
    for (TSummaryLabel label : {TSummaryLabel::Sklad, TSummaryLabel::Doklady, TSummaryLabel::Prodeje,
                                TSummaryLabel::Zisk, TSummaryLabel::Pokladna})
        window->SetSummaryLabel(label, big);
    QTest::qWait(100); // the layouts settle
    EXPECT_EQ(window->width(), 1000);
    EXPECT_LE(window->minimumSizeHint().width(), 1000);
    EXPECT_GE(window->Label_Sklad_->width(), window->Label_Sklad_->sizeHint().width()) << "cut at the edge, not inside";
}

TEST_F(MainWindowFrame, TheKeypadPlusSellsFromTheGrids)
{
    const int item = newItem("KP1", Currency::fromInt(5));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    showActive();
    QTest::keyClick(window.get(), Qt::Key_F7);
    for (TKxDBGrid *grid : {window->KxDBGrid_Prodej, window->KxDBGrid_PolozkaProdej}) {
        grid->setFocus();
        window->shown.clear();
        QTest::keyClick(grid, Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_EQ(window->shown, QStringList{"sale"}) << qPrintable(grid->objectName());
    }
    EXPECT_EQ(window->searchOpened, 0) << "the keypad's plus is no search";
    // Delivered to the grid itself (a platform whose key mapping misses the shortcut).
    window->shown.clear();
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
    QApplication::sendEvent(window->KxDBGrid_Prodej, &plus);
    EXPECT_EQ(window->shown, QStringList{"sale"});
    EXPECT_EQ(window->searchOpened, 0);
    QTest::keyClick(window->KxDBGrid_PolozkaProdej, Qt::Key_Plus);
    EXPECT_EQ(window->searchOpened, 1) << "the other plus is typed";
}
