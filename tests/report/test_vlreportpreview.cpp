#include "report/vlexporttext.h"
#include "report/vlmemoview.h"
#include "report/vlpreviewform.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A report with two prepared pages, as a build leaves them.
void prepare(TvlReport &report)
{
    if (report.Pages.Count() == 0)
        report.Pages.Add();
    for (int i = 0; i < 2; ++i) {
        TvlPageInfo *page = report.EMFPages.Add(*report.Pages[0]);
        TvlMemoView memo;
        memo.SetBounds(40, 40, 300, 20);
        memo.WorkMemo = {QStringLiteral("Účtenka %1").arg(i + 1)};
        memo.Print(*page->Stream);
    }
}

TvlPreviewForm *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TvlPreviewForm *>(w); form && form->isVisible())
            return form;
    return nullptr;
}

} // namespace

// The report lends its pages to the preview window and has them back when it closes.
TEST(ReportPreview, WindowBorrowsThePagesAndGivesThemBack)
{
    TvlReport report;
    report.ModalPreview = false;
    report.InitialZoom = pzTwoPages;
    prepare(report);
    report.ShowPreparedReport();
    TvlPreviewForm *form = openPreview();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->AllPages(), 2);
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(form->ZoomMode(), zmTwoPages);
    EXPECT_TRUE(form->Find("účtenka 2", false, true));
    EXPECT_EQ(form->Page(), 2);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(report.EMFPages.Count(), 2);
    TvlPreviewForm::ResetRememberedZoom();
}

// The form's own panel shows the pages; an export through it writes the report's pages.
TEST(ReportPreview, EmbeddedPanelExportsThroughTheReport)
{
    QWidget host;
    host.resize(600, 400);
    TvlPreview panel(&host);
    panel.resize(600, 400);
    host.show();
    TvlReport report;
    report.SetPreview(&panel);
    prepare(report);
    report.ShowPreparedReport();
    EXPECT_EQ(panel.AllPages(), 2);
    vlSetLineHeightQuestion([] { return std::optional<int>(16); });
    QTemporaryDir dir;
    ASSERT_TRUE(panel.ExportTo(0, dir.filePath("export")));
    vlSetLineHeightQuestion({});
    QFile file(dir.filePath("export.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("Účtenka 1"));
    EXPECT_TRUE(text.contains("Účtenka 2"));
    EXPECT_EQ(panel.AllPages(), 2); // the panel has them again
}
