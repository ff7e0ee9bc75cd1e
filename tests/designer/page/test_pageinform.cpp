// The design page inside the designer form, driven as a user would, on a
// layout file named by TARMIL5_LAYOUT; pictures go to TARMIL5_SHOTS.
#include "../form/designerform_fixture.h"
#include "report/designer/page/designerpage.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

} // namespace

TEST_F(DesignerFormTest, PageEditedOnALayoutAsAUserWould)
{
    const QString layout = qEnvironmentVariable("TARMIL5_LAYOUT");
    const QDir shots(qEnvironmentVariable("TARMIL5_SHOTS"));
    if (layout.isEmpty() || shots.path() == ".")
        GTEST_SKIP() << "no layout named";
    QString error;
    ASSERT_TRUE(report.LoadFromFile(layout, &error)) << error.toStdString();
    form->FormShow(report);
    form->resize(1280, 960);
    form->show();
    settle();
    form->grab().save(shots.filePath("1_opened.png"));

    TvlDesignerPage *page = form->PageView();
    ASSERT_TRUE(page);
    // Insert a memo by a drag.
    form->SetObjectTool(toolMemo);
    QTest::mouseMove(page, {300, 560});
    settle();
    form->grab().save(shots.filePath("2_insert_preview.png"));
    QTest::mousePress(page, Qt::LeftButton, {}, {300, 560});
    QTest::mouseMove(page, {450, 600});
    // The new memo's editor opens at once; it is looked at and closed.
    QTimer::singleShot(500, [&] {
        if (QWidget *editor = QApplication::activeModalWidget()) {
            editor->grab().save(shots.filePath("3_editor.png"));
            editor->close();
        }
    });
    QTest::mouseRelease(page, Qt::LeftButton, {}, {450, 600});
    settle();
    form->grab().save(shots.filePath("3_inserted.png"));
    // Bands fill the width, so a rubber band starts with Ctrl.
    QTest::mousePress(page, Qt::LeftButton, Qt::ControlModifier, {20, 180});
    QTest::mouseMove(page, {400, 260});
    settle();
    form->grab().save(shots.filePath("4_rubber.png"));
    QTest::mouseRelease(page, Qt::LeftButton, Qt::ControlModifier, {400, 260});
    settle();
    form->grab().save(shots.filePath("5_selected.png"));
    EXPECT_GT(SelectedCount, 1);
    // A band dragged takes its objects along.
    QTest::mouseClick(page, Qt::LeftButton, {}, {20, 300});
    QTest::mousePress(page, Qt::LeftButton, {}, {20, 300});
    QTest::mouseMove(page, {20, 340});
    QTest::mouseRelease(page, Qt::LeftButton, {}, {20, 340});
    settle();
    form->grab().save(shots.filePath("6_band_moved.png"));
    form->hide();
}
