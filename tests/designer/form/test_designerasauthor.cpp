// The designer as a report author meets it: the font dialog of a memo's
// pop-up, band handles, the status panels under the bars' hints, the page
// tab and the coordinates panel in millimetres.
#include "common/screenshot.h"
#include "designerform_fixture.h"
#include "platform/registry.h"
#include "report/designer/form/coordinatespanel.h"
#include "report/designer/form/fontchoice.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/properties/inspform.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vltoolbuttons.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

namespace {

// Runs step once it returns true, polling while a modal loop runs.
void whenReady(std::function<bool()> step, int attempts = 300)
{
    QTimer::singleShot(10, qApp, [step, attempts] {
        if (!step() && attempts > 0)
            whenReady(step, attempts - 1);
    });
}

// A family the font database lists with its foundry ("C059 [urw]") and that
// has a bold style; else any family with a bold style.
QString familyWithBold(bool withFoundry)
{
    for (const QString &family : QFontDatabase::families())
        if (family.contains(QStringLiteral(" [")) == withFoundry)
            for (const QString &style : QFontDatabase::styles(family))
                if (QFontDatabase::bold(family, style) && !QFontDatabase::italic(family, style))
                    return family;
    return {};
}

} // namespace

// A memo's font as a failing comparison shows it.
inline void PrintTo(const TvlMemoFont &font, std::ostream *os)
{
    *os << font.Name.toStdString() << ' ' << font.Size << " style " << int(font.Style) << " colour " << font.Color
        << " charset " << font.Charset;
}

namespace {

// Opens "Font..." of the pop-up at the point and hands the dialog to answer.
void chooseFont(QWidget *page, QPoint at, std::function<void(QFontDialog &)> answer)
{
    whenReady([] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return false;
        for (QAction *item : menu->actions())
            if (item->text() == QLatin1String("Font...")) {
                menu->setActiveAction(item);
                QTest::keyClick(menu, Qt::Key_Return);
                return true;
            }
        ADD_FAILURE() << "no Font... item";
        menu->close();
        return true;
    });
    whenReady([answer] {
        auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return false;
        answer(*dialog);
        return true;
    });
    QTest::mouseClick(page, Qt::RightButton, {}, at);
}

} // namespace

TEST_F(DesignerFormTest, FontDialogOpensOnTheMemosFontAndOkWithoutAChangeKeepsIt)
{
    // The program speaks Czech in the framework's dialogs too.
    QTranslator czech;
    if (czech.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&czech);
    QString listed = familyWithBold(true);
    if (listed.isEmpty())
        listed = familyWithBold(false);
    ASSERT_FALSE(listed.isEmpty()) << "no font with a bold style";
    const QString family = listed.section(QStringLiteral(" ["), 0, 0);

    TvlMemoView *memo = SelectedBoldMemo(family, 12);
    ASSERT_TRUE(memo->Selected);
    QWidget *page = form->PageView();

    QFont shown;
    bool dialogSeen = false;
    chooseFont(page, QPoint(60, 48), [&](QFontDialog &dialog) {
        dialogSeen = true;
        shown = dialog.currentFont();
        dialog.accept();
    });
    QApplication::removeTranslator(&czech);
    ASSERT_TRUE(dialogSeen);
    EXPECT_TRUE(shown.bold());
    EXPECT_FALSE(shown.italic());
    EXPECT_EQ(shown.pointSize(), 12);
    EXPECT_EQ(memo->FontName, family);
    EXPECT_EQ(memo->FontSize, 12);
    EXPECT_EQ(memo->FontStyle, TFontStyles(fsBold));
    form->SetModified(false);
    form->hide();
}

TEST_F(DesignerFormTest, AFamilyThatIsNotInstalledStaysInTheMemoUnlessAnotherIsChosen)
{
    // Layouts ask for "Arial", which fontconfig only substitutes here.
    const QString family = QFontDatabase::hasFamily("Arial") ? QStringLiteral("Písmo Které Není") : "Arial";
    TvlMemoView *memo = SelectedBoldMemo(family, 10);
    ASSERT_TRUE(memo->Selected);
    QWidget *page = form->PageView();

    QFont shown;
    chooseFont(page, QPoint(60, 48), [&](QFontDialog &dialog) {
        shown = dialog.currentFont();
        screenShot("font-dialog-substitute");
        dialog.accept();
    });
    // The dialog shows the family drawn in its place, in the memo's style.
    EXPECT_EQ(shown.family(), QFontInfo(QFont(family)).family());
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(memo->FontName, family);
    EXPECT_EQ(memo->FontSize, 10);
    EXPECT_EQ(memo->FontStyle, TFontStyles(fsBold));
    EXPECT_FALSE(form->Modified());

    // Only the size changed: the family is still the stored one.
    chooseFont(page, QPoint(60, 48), [&](QFontDialog &dialog) {
        QFont bigger = dialog.currentFont();
        bigger.setPointSize(14);
        dialog.setCurrentFont(bigger);
        dialog.accept();
    });
    EXPECT_EQ(memo->FontName, family);
    EXPECT_EQ(memo->FontSize, 14);
    EXPECT_EQ(memo->FontStyle, TFontStyles(fsBold));
    form->SetModified(false);
    form->hide();
}

TEST_F(DesignerFormTest, TheFontOfSeveralSelectedMemosGoesWholeToEachOfThem)
{
    // The memo the dialog opens on (the topmost selected) asks for a family
    // that is not installed; the other has a font of its own in every part.
    const QString missing = QFontDatabase::hasFamily("Arial") ? QStringLiteral("Písmo Které Není") : "Arial";
    QString other = familyWithBold(false);
    ASSERT_FALSE(other.isEmpty()) << "no font with a bold style";
    auto *price = static_cast<TvlMemoView *>(AddMemo("Cena", 40, 40));
    vlSetMemoFont(*price, {other, 8, fsItalic, 0x0000FF, 238});
    auto *title = static_cast<TvlMemoView *>(AddMemo("Nadpis", 40, 100));
    const TvlMemoFont shown{missing, 12, fsBold, 0x008000, 0};
    vlSetMemoFont(*title, shown);
    form->FormShow(report);
    form->show();
    QApplication::processEvents();
    QWidget *page = form->PageView();
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(60, 48));
    QTest::mouseClick(page, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 108));
    ASSERT_TRUE(price->Selected && title->Selected);

    // Ok as the dialog opened: both memos take the font it showed, the family
    // by the name the memo gave it, not the one drawn in its place.
    chooseFont(page, QPoint(60, 108), [&](QFontDialog &dialog) { dialog.accept(); });
    EXPECT_EQ(vlMemoFont(*title), shown);
    EXPECT_EQ(vlMemoFont(*price), shown);
    EXPECT_TRUE(form->Modified());
    screenShot("font-of-two-memos");
    form->SetModified(false);

    // Another size goes to both; so does another family.
    chooseFont(page, QPoint(60, 108), [&](QFontDialog &dialog) {
        QFont bigger = dialog.currentFont();
        bigger.setPointSize(14);
        dialog.setCurrentFont(bigger);
        dialog.accept();
    });
    for (TvlMemoView *memo : {price, title}) {
        EXPECT_EQ(memo->FontName, missing);
        EXPECT_EQ(memo->FontSize, 14);
    }
    chooseFont(page, QPoint(60, 108), [&](QFontDialog &dialog) {
        QFont font = vlDialogFont(vlFontFamilyName(other), 14, fsBold);
        dialog.setCurrentFont(font);
        dialog.accept();
    });
    EXPECT_EQ(vlMemoFont(*price), vlMemoFont(*title));
    EXPECT_EQ(title->FontName, vlFontFamilyName(other));
    EXPECT_EQ(title->FontColor, 0x008000);
    EXPECT_EQ(title->FontCharset, 0);
    form->SetModified(false);
    form->hide();
}

TEST_F(DesignerFormTest, ANewBandsHandlesSitOnTheStripItIsDrawnAs)
{
    NoEditAfterInsert();
    form->FormShow(report);
    form->show();
    QApplication::processEvents();
    TvlDesignerPage *page = form->PageView();
    answers.bandType = btPageHeader;
    QTest::mouseClick(static_cast<TvlSpeedButton *>(form->Control("OB3")), Qt::LeftButton);
    QTest::mouseMove(page, QPoint(120, 100));
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(120, 100));
    QTest::mouseMove(page, QPoint(300, 140));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(300, 140));
    QApplication::processEvents();
    ASSERT_EQ(report.Pages[0]->Count(), 1);
    const TvlView *band = report.Pages[0]->Object(0);
    ASSERT_TRUE(band->Selected);
    const int pageWidth = report.Pages[0]->PrnInfo.PageWidth;
    EXPECT_EQ(band->Left, 0);
    EXPECT_EQ(band->Width, pageWidth);
    // The right-hand handles are at the page's right edge.
    QTest::mouseMove(page, QPoint(pageWidth - 1, band->Top + band->Height / 2));
    EXPECT_EQ(page->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(page, QPoint(pageWidth - 1, band->Top + band->Height));
    EXPECT_EQ(page->cursor().shape(), Qt::SizeFDiagCursor);
    form->SetModified(false);
    form->hide();
}

TEST_F(DesignerFormTest, TheStatusPanelsStayWhileTheBarsShowTheirHints)
{
    TvlView *memo = AddMemo("Cena", 36, 72);
    form->FormShow(report);
    form->show();
    QApplication::processEvents();
    // The page tab shows from the first opening.
    QTabBar *tabs = form->Tabs();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_TRUE(tabs->isVisible());
    EXPECT_GT(tabs->height(), 10);
    EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(0)));

    memo->Selected = true;
    form->SelectionChanged();
    QStatusBar *status = form->Window()->statusBar();
    const QList<QLabel *> labels = status->findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 2);
    const QList<QWidget *> panels = {labels[0], qobject_cast<QWidget *>(form->Control("PBox1")), labels[1]};
    for (QToolBar *bar : form->ToolBars())
        for (TvlSpeedButton *button : bar->findChildren<TvlSpeedButton *>()) {
            if (!button->isVisible())
                continue;
            QTest::mouseMove(button, button->rect().center());
            QApplication::processEvents();
            for (QWidget *panel : panels) {
                EXPECT_TRUE(panel->isVisible()) << button->objectName().toStdString();
            }
            EXPECT_TRUE(status->currentMessage().isEmpty()) << button->objectName().toStdString();
        }
    EXPECT_EQ(form->StatusText(2), "Cena: Text Cena");
    form->hide();
}

TEST_F(DesignerFormTest, InMillimetresNoStatusTextRunsIntoTheNextSymbol)
{
    TvlView *memo = AddMemo("Cena", 700, 1000);
    memo->SetBounds(-700, 1000, 2100, 1400);
    form->FormShow(report);
    form->SetUnits(1);
    memo->Selected = true;
    form->SelectionChanged();
    auto *panel = static_cast<TvlCoordinatesPanel *>(form->Control("PBox1"));
    const QStringList texts = panel->Texts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], "-194,44; 277,78");
    const TvlCoordinatesPanel::Columns c = panel->ColumnsFor(1);
    const QFontMetrics metrics = panel->fontMetrics();
    EXPECT_LT(c.Position + metrics.horizontalAdvance(texts[0]), c.SizeSymbol);
    EXPECT_LT(c.SizeSymbol + 14, c.Size);
    EXPECT_LT(c.Size + metrics.horizontalAdvance(texts[1]), c.Percent);
    EXPECT_GE(panel->minimumWidth(), c.Percent);
}

TEST_F(DesignerFormTest, TheInspectorRollsUpByItsOwnCaptionStrip)
{
    form->FormShow(report);
    form->show();
    auto *inspector = qobject_cast<TvlInspForm *>(form->Control("Inspector"));
    ASSERT_TRUE(inspector);
    inspector->show();
    QApplication::processEvents();
    const QSize expanded = inspector->size();
    QTest::mouseDClick(inspector->CaptionStrip, Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_TRUE(inspector->IsRolledUp());
    EXPECT_FALSE(inspector->Panel1->isVisible());
    EXPECT_EQ(inspector->height(), inspector->CaptionStrip->height());
    EXPECT_EQ(inspector->width(), expanded.width() / 2);
    EXPECT_TRUE(inspector->RollButton->isVisible());
    QTest::mouseClick(inspector->RollButton, Qt::LeftButton);
    EXPECT_FALSE(inspector->IsRolledUp());
    EXPECT_EQ(inspector->size(), expanded);
    EXPECT_TRUE(inspector->Panel1->isVisible());
    form->hide();
}
