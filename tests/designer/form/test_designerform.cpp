// The designer form: title, the controls that follow the selection, the
// settings and tool bar places in the registry, context help.
#include "designerform_fixture.h"
#include "platform/registry.h"
#include "report/designer/form/coordinatespanel.h"
#include "report/designer/form/designer.h"
#include "report/designer/form/designerhelp.h"
#include "report/designer/form/floatwindow.h"
#include "report/designer/form/selectionstate.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vltoolbuttons.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolBar>

TEST_F(DesignerFormTest, TitleShowsTheFileName)
{
    form->FormShow(report);
    EXPECT_EQ(form->windowTitle(), "Editor sestav - Bez názvu");
    form->SetTitle("/home/prodejna/sestavy/faktura.vlf");
    EXPECT_EQ(form->windowTitle(), "Editor sestav - faktura.vlf");
    EXPECT_EQ(form->FileName(), "/home/prodejna/sestavy/faktura.vlf");
}

TEST(SelectionState, BitsAndTheControlsTheyEnable)
{
    TvlPage page(9, 2100, 2970, poPortrait);
    TvlView *band = page.Add(vlCreateView(otBand));
    TvlView *memo = page.Add(vlCreateView(otMemo));
    TvlView *line = page.Add(vlCreateView(otLine));
    EXPECT_EQ(vlSelectionState(&page, true), 0);
    EXPECT_EQ(vlSelectionState(&page, false), ssClipboard);
    band->Selected = true;
    EXPECT_EQ(vlSelectionState(&page, true), ssOneBand);
    band->Selected = false;
    memo->Selected = true;
    EXPECT_EQ(vlSelectionState(&page, true), ssOneMemo);
    memo->Selected = false;
    line->Selected = true;
    EXPECT_EQ(vlSelectionState(&page, true), ssOneOther);
    band->Selected = true;
    EXPECT_EQ(vlSelectionState(&page, false), ssSeveral | ssClipboard);

    const auto bandOnly = vlEnabledControls(ssOneBand);
    EXPECT_TRUE(bandOnly["ZB1"] && bandOnly["CutB"] && bandOnly["N36"] && bandOnly["InspectorMemo"]);
    EXPECT_FALSE(bandOnly["FrB1"] || bandOnly["C2"] || bandOnly["PstB"]);
    const auto other = vlEnabledControls(ssOneOther);
    EXPECT_TRUE(other["FrB6"] && other["E1"] && other["StB1"]);
    EXPECT_FALSE(other["FnB1"] || other["HlB1"]);
    const auto several = vlEnabledControls(ssSeveral | ssClipboard);
    EXPECT_TRUE(several["C3"] && several["AlB8"] && several["PstB"] && several["N3"]);
    EXPECT_FALSE(several["N36"] || several["N6"]);
    const auto none = vlEnabledControls(0);
    for (auto it = none.begin(); it != none.end(); ++it)
        EXPECT_FALSE(it.value()) << it.key().toStdString();
}

TEST_F(DesignerFormTest, SelectionChangeSetsTheButtonsAndTheStatus)
{
    TvlView *memo = AddMemo("Nazev", 36, 72);
    memo->FrameTyp = frTop | frRight;
    static_cast<TvlMemoView *>(memo)->Adjust = 2 | 16;
    form->FormShow(report);
    EXPECT_FALSE(form->IsControlEnabled("CutB"));
    EXPECT_FALSE(form->IsControlEnabled("N11"));
    memo->Selected = true;
    form->SelectionChanged();
    EXPECT_TRUE(form->IsControlEnabled("CutB"));
    EXPECT_TRUE(form->IsControlEnabled("N11"));
    EXPECT_TRUE(form->IsControlEnabled("C2"));
    // A font the system lacks still shows in the font box.
    static_cast<TvlMemoView *>(memo)->FontName = QStringLiteral("Písmo, které tu není");
    form->SelectionChanged();
    EXPECT_EQ(qobject_cast<QComboBox *>(form->Control("C2"))->currentText(), QStringLiteral("Písmo, které tu není"));
    auto down = [&](const char *name) { return static_cast<TvlSpeedButton *>(form->Control(name))->Down(); };
    EXPECT_TRUE(down("FrB1"));
    EXPECT_FALSE(down("FrB2"));
    EXPECT_TRUE(down("FrB4"));
    EXPECT_TRUE(down("AlB3"));
    EXPECT_TRUE(down("AlB7"));
    EXPECT_FALSE(down("AlB1"));
    EXPECT_EQ(form->StatusText(2), "Nazev: Text Nazev");
    EXPECT_EQ(form->StatusText(1), "36;72 100;18");
    form->SetUnits(1);
    EXPECT_EQ(form->StatusText(0), "MM");
    EXPECT_EQ(form->StatusText(1), "10,00; 20,00 27,78; 5,00");

    ClipboardList.push_back(vlCreateView(otMemo));
    form->ResetSelectionUI();
    EXPECT_FALSE(form->IsControlEnabled("CutB"));
    EXPECT_TRUE(form->IsControlEnabled("PstB"));
    EXPECT_EQ(form->StatusText(2), "");
    ClipboardList.clear();
}

TEST_F(DesignerFormTest, SettingsComeBackFromTheRegistryAndBadValuesFallBack)
{
    form->FormShow(report);
    form->SetGridSize(18);
    form->SetUnits(2);
    form->SetShowGrid(false);
    form->SetGrayButtons(true);
    form->FormHide();

    TvlDesignerForm second;
    second.SetRegistryFile(Path("registry.ini"));
    second.FormShow(report);
    EXPECT_EQ(second.GridSize(), 18);
    EXPECT_EQ(second.Units(), 2);
    EXPECT_FALSE(second.ShowGrid());
    EXPECT_FALSE(static_cast<TvlSpeedButton *>(second.Control("GB1"))->Down());
    EXPECT_TRUE(static_cast<TvlSpeedButton *>(second.Control("FrB1"))->GrayedInactive());

    Registry registry(Path("registry.ini"));
    ASSERT_TRUE(registry.openKey(vlRegistryRoot() + "Form\\vlDesignerForm", false));
    registry.writeInteger("GridSize", 0);
    registry.writeInteger("Units", 7);
    registry.closeKey();
    TvlDesignerSettings settings;
    settings.Restore(registry, "vlDesignerForm");
    EXPECT_EQ(settings.GridSize, 4);
    EXPECT_EQ(settings.Units, 0);
}

TEST_F(DesignerFormTest, ToolBarsReturnWhereTheyWere)
{
    form->FormShow(report);
    auto *align = qobject_cast<QToolBar *>(form->Control("Panel5"));
    auto *text = qobject_cast<QToolBar *>(form->Control("Panel3"));
    form->Window()->addToolBar(Qt::BottomToolBarArea, align);
    form->Pan2Click(2); // the text bar hides
    EXPECT_TRUE(text->isHidden());
    emit form->ToolBarMenu()->aboutToShow();
    EXPECT_FALSE(qobject_cast<QAction *>(form->Control("Pan3"))->isChecked());
    EXPECT_TRUE(qobject_cast<QAction *>(form->Control("Pan2"))->isChecked());
    form->FormHide();

    Registry registry(Path("registry.ini"));
    ASSERT_TRUE(registry.openKey(vlRegistryRoot() + "ToolBar\\Panel5", false));
    EXPECT_EQ(registry.readString("DockName"), "vlDock3");
    EXPECT_FALSE(registry.readBool("isFloat", true));
    ASSERT_TRUE(registry.openKey(vlRegistryRoot() + "ToolBar\\Panel3", false));
    EXPECT_FALSE(registry.readBool("isVisible", true));
    registry.closeKey();

    TvlDesignerForm second;
    second.SetRegistryFile(Path("registry.ini"));
    second.FormShow(report);
    auto *align2 = qobject_cast<QToolBar *>(second.Control("Panel5"));
    EXPECT_EQ(second.Window()->toolBarArea(align2), Qt::BottomToolBarArea);
    EXPECT_TRUE(qobject_cast<QToolBar *>(second.Control("Panel3"))->isHidden());

    // Without the window's own state the single values still dock the bar.
    ASSERT_TRUE(registry.openKey(vlRegistryRoot() + "Form\\vlDesignerWindow", false));
    registry.deleteValue("ToolBarState");
    registry.closeKey();
    TvlDesignerForm third;
    third.SetRegistryFile(Path("registry.ini"));
    third.FormShow(report);
    EXPECT_EQ(third.Window()->toolBarArea(qobject_cast<QToolBar *>(third.Control("Panel5"))), Qt::BottomToolBarArea);
}

TEST(ToolBarPlaces, AWindowOffEveryScreenComesBack)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1024, 768)};
    EXPECT_EQ(vlOnScreen(QRect(100, 100, 200, 30), screens), QRect(100, 100, 200, 30));
    EXPECT_EQ(vlOnScreen(QRect(2000, 500, 200, 30), screens), QRect(2000, 500, 200, 30));
    EXPECT_EQ(vlOnScreen(QRect(5000, 5000, 200, 30), screens), QRect(1080, 994, 200, 30));
    EXPECT_EQ(vlOnScreen(QRect(-3000, 40, 200, 30), screens), QRect(0, 40, 200, 30));
    // A sliver too narrow to grab counts as off the screen.
    EXPECT_EQ(vlOnScreen(QRect(1270, 2000, 200, 30), screens).top(), 994);
}

TEST(CoordinatesPanel, PercentOfThePictureAndOfTheGroup)
{
    EXPECT_EQ(vlPicturePercent(QSize(50, 30), QSize(100, 90)), "% 50,33"); // whole percent, cut
    EXPECT_EQ(vlPicturePercent(QSize(50, 30), QSize()), "");
    EXPECT_EQ(vlGroupPercent(QSize(150, 25), QSize(100, 40)), "% 150,62"); // 62.5 to even
    EXPECT_EQ(vlGroupPercent(QSize(10, 25), QSize(0, 40)), "% 100,62");
    EXPECT_EQ(vlCoordinatePair(36, 72, 2), "0,39; 0,79");
}

TEST(ToolBarPlaces, DockNames)
{
    for (const char *name : {"vlDock1", "vlDock2", "vlDock3", "vlDock4"})
        EXPECT_EQ(vlDockName(vlDockArea(name)), name);
    EXPECT_EQ(vlDockArea("vlDock9"), 0);
}

TEST_F(DesignerFormTest, ContextHelpTopics)
{
    EXPECT_EQ(vlHelpContext(42, false), 442);
    EXPECT_EQ(vlHelpContext(4, true), 434);
    EXPECT_EQ(vlHelpContext(12, true), 435);
    form->ShowContextHelp(qobject_cast<QWidget *>(form->Control("FileBtn3")));
    EXPECT_TRUE(form->LastHelpText().startsWith("Uložit sestavu:"));
    form->ShowContextHelp(qobject_cast<QWidget *>(form->Control("OB6")));
    EXPECT_TRUE(form->LastHelpText().startsWith("Kreslit čáry:"));
    form->ShowContextHelp(qobject_cast<QWidget *>(form->Control("Align1")));
    EXPECT_EQ(form->LastHelpText(), "Zarovant k levému okraj.");

    // Help mode: the next press shows the topic of what it hits and does not
    // click it; the help button comes up again.
    form->FormShow(report);
    form->show();
    form->HelpBtnClick();
    auto *pageAdd = static_cast<TvlSpeedButton *>(form->Control("PgB1"));
    QTest::mouseClick(pageAdd, Qt::LeftButton);
    EXPECT_TRUE(form->LastHelpText().startsWith("Přidat stranu:"));
    EXPECT_EQ(report.Pages.Count(), 1);
    EXPECT_FALSE(static_cast<TvlSpeedButton *>(form->Control("HelpBtn"))->Down());
    form->hide();
}

TEST_F(DesignerFormTest, CaptionsAndHintsAsTheUserSeesThem)
{
    auto hint = [&](const char *name) { return qobject_cast<QWidget *>(form->Control(name))->toolTip(); };
    auto caption = [&](const char *name) { return qobject_cast<QAction *>(form->Control(name))->text(); };
    EXPECT_EQ(hint("FileBtn3"), "Uložit seatavu");
    EXPECT_EQ(hint("FrB5"), "Oramovat");
    EXPECT_EQ(hint("E1"), "Délka orámovaní");
    EXPECT_EQ(hint("OB1"), "Vybrat object");
    EXPECT_EQ(caption("Pan5"), "&Vlastnosti Objeku");
    EXPECT_EQ(caption("N42"), "Seznam &proměnných...");
    EXPECT_EQ(qobject_cast<QToolBar *>(form->Control("Panel1"))->windowTitle(), "Obdélník");
    EXPECT_EQ(static_cast<TvlSpeedButton *>(form->Control("ExitB"))->Caption(), "Zavřít");
    EXPECT_FALSE(form->IsControlEnabled("MastMenu") && vlDesignerTools().isEmpty());
}

TEST(DesignerStart, RegistersOneDesignerWithItsOwnTool)
{
    vlStartDesigner();
    vlStartDesigner();
    ASSERT_NE(vlDesigner(), nullptr);
    EXPECT_EQ(vlDesigner(), static_cast<TvlReportDesigner *>(vlDesignerForm()));
    int insertTools = 0;
    for (const TvlToolsInfo &tool : vlDesignerTools())
        insertTools += tool.Caption == "Vložit DB položky";
    EXPECT_EQ(insertTools, 1);
    EXPECT_TRUE(vlDesignerForm()->IsControlEnabled("MastMenu"));
    vlStopDesigner();
    EXPECT_EQ(vlDesigner(), nullptr);
    vlStartDesigner(); // the tool is not registered twice
    insertTools = 0;
    for (const TvlToolsInfo &tool : vlDesignerTools())
        insertTools += tool.Caption == "Vložit DB položky";
    EXPECT_EQ(insertTools, 1);
    vlStopDesigner();
}

// With TARMIL5_SHOTS naming a folder, the designer on a small invoice is left
// there as a picture, to be looked at as the user sees it.
TEST_F(DesignerFormTest, SmallInvoiceAsTheUserSeesIt)
{
    const QString folder = qEnvironmentVariable("TARMIL5_SHOTS");
    auto band = [&](int type, int top, int height, const QString &name) {
        auto view = vlCreateView(otBand);
        view->Name = name;
        static_cast<TvlBandView *>(view.get())->SetBandType(type);
        view->SetBounds(0, top, 700, height);
        report.Pages[0]->Add(std::move(view));
    };
    band(btReportTitle, 20, 60, "Titulek");
    band(btMasterData, 100, 24, "Polozky");
    band(btReportSummary, 140, 40, "Souhrn");
    AddMemo("Nadpis", 40, 30)->Memo = QStringList{"Faktura č. [Cislo]"};
    AddMemo("Nazev", 40, 104)->Memo = QStringList{"[Polozky.\"Nazev\"]"};
    TvlView *price = AddMemo("Cena", 300, 104);
    price->Memo = QStringList{"[Polozky.\"Cena\"]"};
    price->FrameTyp = frAll;
    report.FileName = "faktura.vlf";
    form->FormShow(report);
    price->Selected = true;
    form->SelectionChanged();
    EXPECT_EQ(form->StatusText(2), "Cena: [Polozky.\"Cena\"]");
    if (folder.isEmpty())
        return;
    form->resize(1200, 800);
    form->show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    form->grab().save(QDir(folder).filePath("designer.png"));
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath("screen.png"));
    auto *fonts = qobject_cast<QComboBox *>(form->Control("C2"));
    fonts->showPopup();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath("fonts.png"));
    fonts->hidePopup();
    for (const char *name : {"FileMenu", "EditMenu", "ToolMenu"}) {
        auto *menu = qobject_cast<QMenu *>(form->Control(name));
        menu->popup(form->mapToGlobal(QPoint(20, 30)));
        if (QString(name) == "ToolMenu")
            form->ToolBarMenu()->popup(form->mapToGlobal(QPoint(240, 60)));
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(QString(name) + ".png"));
        form->ToolBarMenu()->hide();
        menu->hide();
    }
    form->hide();
}

TEST_F(DesignerFormTest, AMemoDrawnOnThePageIsRecordedAndUndone)
{
    NoEditAfterInsert();
    form->FormShow(report);
    form->resize(1000, 700);
    form->show();
    QApplication::processEvents();
    EXPECT_FALSE(form->IsControlEnabled("UndoB"));

    auto *memoButton = static_cast<TvlSpeedButton *>(form->Control("OB2"));
    QTest::mouseClick(memoButton, Qt::LeftButton);
    EXPECT_EQ(form->ObjectTool(), toolMemo);
    QWidget *page = form->PageView();
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(page, QPoint(140, 60));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(140, 60));
    ASSERT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_EQ(report.Pages[0]->Object(0)->ObjectType, otMemo);
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->IsControlEnabled("UndoB"));
    EXPECT_TRUE(form->IsControlEnabled("N46"));
    EXPECT_TRUE(form->IsControlEnabled("CutB")); // the new memo is selected

    static_cast<QAction *>(form->Control("N46"))->trigger();
    EXPECT_EQ(report.Pages[0]->Count(), 0);
    EXPECT_TRUE(form->IsControlEnabled("RedoB"));
    form->SetModified(false);
    form->hide();
}

TEST_F(DesignerFormTest, KeysTypedIntoTheBoxesActOnTheTextNotOnTheObjects)
{
    TvlView *memo = AddMemo("Cena");
    form->FormShow(report);
    form->show();
    memo->Selected = true;
    form->SelectionChanged();
    QApplication::setActiveWindow(form.get());
    auto *width = qobject_cast<QLineEdit *>(form->Control("E1"));
    width->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form->EditBoxHasFocus());
    width->setText("2,5");
    width->setCursorPosition(0);
    QTest::keyClick(width, Qt::Key_Delete);
    QTest::keyClick(width, Qt::Key_Right);
    EXPECT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_EQ(memo->Left, 20);
    EXPECT_EQ(width->text(), ",5");
    form->hide();
}

TEST_F(DesignerFormTest, TheBarsFormatTheSelectionThroughTheObjectCommands)
{
    TvlView *memo = AddMemo("Cena");
    TvlView *band = report.Pages[0]->Add(vlCreateView(otBand));
    form->FormShow(report);
    memo->Selected = true;
    band->Selected = true;
    form->SelectionChanged();
    QTest::mouseClick(static_cast<TvlSpeedButton *>(form->Control("FrB5")), Qt::LeftButton);
    EXPECT_EQ(memo->FrameTyp, frAll);
    EXPECT_NE(band->FrameTyp, frAll); // bands keep their type in the frame bits
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->IsControlEnabled("UndoB"));

    auto *width = qobject_cast<QLineEdit *>(form->Control("E1"));
    width->setText("2,5");
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(memo->FrameWidth, 2.5);
    static_cast<QAction *>(form->Control("N46"))->trigger();
    EXPECT_DOUBLE_EQ(memo->FrameWidth, 1.0);

    // The inspector window follows its item of the bar menu.
    auto *inspector = qobject_cast<QWidget *>(form->Control("Inspector"));
    ASSERT_NE(inspector, nullptr);
    const bool shown = !inspector->isHidden();
    form->Pan2Click(5);
    EXPECT_EQ(!inspector->isHidden(), !shown);
    emit form->ToolBarMenu()->aboutToShow();
    EXPECT_EQ(qobject_cast<QAction *>(form->Control("Pan5"))->isChecked(), !shown);
    form->SetModified(false);
}

TEST_F(DesignerFormTest, AFloatingBarLeftOffEveryScreenComesBackOntoIt)
{
    form->FormShow(report);
    form->show();
    auto *frame = qobject_cast<QToolBar *>(form->Control("Panel1"));
    // Torn off as the bar's own drag does it, then moved far away.
    frame->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    frame->move(9000, 9000);
    frame->show();
    QApplication::processEvents();
    ASSERT_TRUE(frame->isFloating());
    form->FormHide();
    form->hide();

    Registry registry(Path("registry.ini"));
    ASSERT_TRUE(registry.openKey(vlRegistryRoot() + "ToolBar\\Panel1", false));
    EXPECT_TRUE(registry.readBool("isFloat", false));
    EXPECT_EQ(registry.readInteger("XPosition"), 9000);
    registry.closeKey();

    TvlDesignerForm second;
    second.SetRegistryFile(Path("registry.ini"));
    second.FormShow(report);
    second.show();
    QApplication::processEvents();
    auto *restored = qobject_cast<QToolBar *>(second.Control("Panel1"));
    // It floats in a window of its own, captioned with the bar's caption.
    QWidget *window = second.FloatWindowOf(restored);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Obdélník"));
    const QRect screen = vlScreenAreas().constFirst();
    EXPECT_TRUE(screen.contains(window->frameGeometry().topLeft()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y();
}

// A new user's first report: a title band, a text in it, saved, previewed.
// With TARMIL5_SHOTS the designer and the preview are left as pictures.
TEST_F(DesignerFormTest, ANewUserDesignsSavesAndPreviewsASmallReport)
{
    const QString folder = qEnvironmentVariable("TARMIL5_SHOTS");
    form->FormShow(report);
    form->resize(1100, 760);
    form->show();
    QApplication::processEvents();
    QWidget *page = form->PageView();

    answers.bandType = btReportTitle;
    QTest::mouseClick(static_cast<TvlSpeedButton *>(form->Control("OB3")), Qt::LeftButton);
    QTest::mouseMove(page, QPoint(60, 60));
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(60, 60));
    ASSERT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_EQ(report.Pages[0]->Object(0)->ObjectType, otBand);

    answers.memoText = "Faktura č. 1";
    QTest::mouseClick(static_cast<TvlSpeedButton *>(form->Control("OB2")), Qt::LeftButton);
    const TvlView *band = report.Pages[0]->Object(0);
    const QPoint inBand(band->Left + 60, band->Top + 8);
    QTest::mousePress(page, Qt::LeftButton, {}, inBand);
    QTest::mouseMove(page, inBand + QPoint(160, 18));
    QTest::mouseRelease(page, Qt::LeftButton, {}, inBand + QPoint(160, 18));
    ASSERT_EQ(report.Pages[0]->Count(), 2);
    EXPECT_EQ(report.Pages[0]->Object(1)->Memo, QStringList{"Faktura č. 1"});
    EXPECT_TRUE(form->Modified());
    QApplication::processEvents();
    if (!folder.isEmpty())
        form->grab().save(QDir(folder).filePath("designed.png"));

    dialogs.fileNames = {Path("faktura")};
    static_cast<QAction *>(form->Control("N20"))->trigger(); // "&Uložit": untitled, so save as
    EXPECT_TRUE(QFile::exists(Path("faktura.vlf")));
    EXPECT_EQ(form->windowTitle(), "Editor sestav - faktura.vlf");

    bool previewed = false;
    QTimer::singleShot(100, [&] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->inherits("TvlPreviewForm") && window->isVisible()) {
                previewed = true;
                if (!folder.isEmpty())
                    window->grab().save(QDir(folder).filePath("preview.png"));
                window->close();
            }
    });
    form->FileBtn4Click();
    EXPECT_TRUE(previewed);
    TvlReport reread;
    ASSERT_TRUE(reread.LoadFromFile(Path("faktura.vlf")));
    ASSERT_EQ(reread.Pages[0]->Count(), 2);
    EXPECT_EQ(reread.Pages[0]->Object(1)->Memo, QStringList{"Faktura č. 1"});
    form->hide();
}
