#include "report/vlmemoview.h"
#include "report/vlpreviewform.h"
#include "report/vltoolbuttons.h"

#include "platform/printers.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A report of prepared pages, each with a title and the text given for it.
class PagesReport : public TvlPreviewReport
{
public:
    explicit PagesReport(int count, const QMap<int, QStringList> &texts = {})
    {
        m_own = std::make_unique<TvlEMFPages>();
        TvlPage *a4 = m_design.Add();
        for (int i = 0; i < count; ++i) {
            TvlPageInfo *page = m_own->Add(*a4);
            QStringList lines{QStringLiteral("Strana %1").arg(i + 1)};
            lines += texts.value(i + 1);
            int y = 40;
            for (const QString &line : lines) {
                TvlMemoView memo;
                memo.SetBounds(40, y, 400, 20);
                memo.WorkMemo = {line};
                memo.Print(*page->Stream);
                y += 100;
            }
        }
    }
    std::unique_ptr<TvlEMFPages> TakePreparedPages() override
    {
        ++taken;
        auto pages = std::move(m_own);
        m_own = std::make_unique<TvlEMFPages>();
        return pages;
    }
    void ReturnPreparedPages(std::unique_ptr<TvlEMFPages> pages) override
    {
        ++returned;
        m_own = std::move(pages);
    }
    bool HasDesigner() const override { return designer; }
    int PreviewButtons() const override { return buttons; }
    int InitialZoom() const override { return initialZoom; }
    bool ModalPreview() const override { return false; }
    ~PagesReport() override
    {
        if (gone)
            *gone = true;
    }
    const TvlPage *DesignPage(int index) const override { return m_design[index]; }
    int OwnCount() const { return m_own ? m_own->Count() : 0; }

    int taken = 0, returned = 0;
    bool designer = false;
    int buttons = 127;
    int initialZoom = 0;
    bool *gone = nullptr;

protected:
    TvlEMFPages *OwnPages() override { return m_own.get(); }

private:
    TvlPages m_design;
    std::unique_ptr<TvlEMFPages> m_own;
};

struct Preview
{
    explicit Preview(PagesReport &report, QSize box = QSize(800, 600))
    {
        TvlPreviewForm::ResetRememberedZoom();
        form.resize(box);
        form.show();
        form.Connect(&report);
    }
    QRect rect(int index) const { return form.Pages()->GetPage(index)->PageRect; }
    TvlPreviewForm form;
};

void key(TvlPreviewForm &form, int k, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(form.PBox, Qt::Key(k), modifiers);
}

} // namespace

TEST(PreviewLayout, ZoomModesAndRows)
{
    const QSize a4(752, 1071);
    const QSize box(800, 600);
    // Page width: the page fills the box less 20 pixels.
    double zoom = TvlPreviewLayout::ModeZoom(zmPageWidth, 1, box, a4);
    QList<QRect> rects = TvlPreviewLayout::Arrange({a4}, box, zoom, zmPageWidth);
    EXPECT_EQ(rects[0], QRect(10, 10, 780, vlRound(1071 * zoom)));
    // Two pages stand side by side, 10 pixels apart.
    zoom = TvlPreviewLayout::ModeZoom(zmTwoPages, 1, box, a4);
    rects = TvlPreviewLayout::Arrange({a4, a4, a4}, box, zoom, zmTwoPages);
    EXPECT_EQ(rects[1].left(), rects[0].right() + 1 + 10);
    EXPECT_EQ(rects[1].top(), 10);
    EXPECT_EQ(rects[2].top(), rects[0].bottom() + 1 + 10);
    // Whole page: one narrow page a row, centred.
    zoom = TvlPreviewLayout::ModeZoom(zmWholePage, 1, box, a4);
    rects = TvlPreviewLayout::Arrange({a4}, box, zoom, zmWholePage);
    EXPECT_EQ(rects[0].height(), 580);
    EXPECT_EQ(rects[0].left(), (800 - rects[0].width()) / 2);
    // 25 %: as many pages a row as fit.
    QList<QSize> ten(10, a4);
    EXPECT_EQ(TvlPreviewLayout::PagesPerRow(ten, QSize(1000, 600), 0.25, zmPercent), 5);
    EXPECT_EQ(TvlPreviewLayout::PagesPerRow(ten, QSize(900, 600), 0.25, zmPercent), 4);
    rects = TvlPreviewLayout::Arrange(ten, QSize(900, 600), 0.25, zmPercent);
    EXPECT_EQ(rects[4].left(), 10);
    EXPECT_EQ(rects[4].top(), 10 + 268 + 10);
    EXPECT_EQ(TvlPreviewLayout::ScrollRange(rects, QSize(900, 600)), QSize(0, 3 * 278 + 10 - 600));
    EXPECT_EQ(TvlPreviewLayout::ScrollRange(rects, QSize(700, 2000)), QSize(10 + 3 * 198 + 188 + 10 - 700, 0));
    EXPECT_EQ(TvlPreviewLayout::PageAt(rects, 11), 0);
    EXPECT_EQ(TvlPreviewLayout::PageAt(rects, 285), -1);
    EXPECT_EQ(TvlPreviewLayout::PageAt(rects, 290), 4);
}

TEST(Preview, PagingLabelAndScrolling)
{
    PagesReport report(10);
    {
        Preview p(report);
        EXPECT_EQ(report.OwnCount(), 0); // lent to the preview
        EXPECT_EQ(p.form.AllPages(), 10);
        EXPECT_EQ(p.form.Label1->text(), "Strana 1/10");
        p.form.SetPage(3);
        EXPECT_EQ(p.form.Page(), 3);
        EXPECT_EQ(p.form.VScrollBar->value(), p.rect(2).top() - 10);
        for (int outside : {0, 11, -1}) {
            p.form.SetPage(outside);
            EXPECT_EQ(p.form.Page(), 3);
        }
        // The label follows the vertical scrolling.
        p.form.VScrollBar->setValue(p.rect(6).top() - 5);
        EXPECT_EQ(p.form.Page(), 7);
        EXPECT_EQ(p.form.Label1->text(), "Strana 7/10");
        p.form.SetZoom(25);
        EXPECT_EQ(p.form.Zoom(), 25);
        EXPECT_GT(p.rect(1).left(), p.rect(0).left()); // several a row
        EXPECT_FALSE(p.form.HScrollBar->isEnabled());
    }
    EXPECT_EQ(report.OwnCount(), 10); // given back
    EXPECT_EQ(report.returned, 1);
}

TEST(Preview, KeysAndWheel)
{
    PagesReport report(5);
    Preview p(report);
    key(p.form, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(p.form.Page(), 5);
    key(p.form, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(p.form.Page(), 4);
    key(p.form, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(p.form.VScrollBar->value(), 0);
    EXPECT_EQ(p.form.Page(), 1);
    key(p.form, Qt::Key_Down);
    EXPECT_EQ(p.form.VScrollBar->value(), p.form.VScrollBar->singleStep());
    key(p.form, Qt::Key_PageDown);
    EXPECT_EQ(p.form.VScrollBar->value(), p.form.VScrollBar->singleStep() + p.form.VScrollBar->pageStep());
    // Editing keys need a designer.
    key(p.form, Qt::Key_Insert);
    EXPECT_EQ(p.form.AllPages(), 5);
    report.designer = true;
    key(p.form, Qt::Key_Insert);
    EXPECT_EQ(p.form.AllPages(), 6);
    const int before = p.form.VScrollBar->value();
    QWheelEvent wheel(QPointF(10, 10), p.form.PBox->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(p.form.PBox, &wheel);
    EXPECT_EQ(p.form.VScrollBar->value(), before + p.form.VScrollBar->singleStep());
}

TEST(Preview, FindAndFindNext)
{
    PagesReport report(4, {{2, {"Cena celkem", "cena bez DPH"}}, {3, {"Jiná cena"}}});
    Preview p(report);
    EXPECT_TRUE(p.form.Find("cena", false, true));
    EXPECT_EQ(p.form.Page(), 2);
    const QPoint first = p.form.FoundPosition();
    EXPECT_TRUE(p.form.FindNext());
    EXPECT_EQ(p.form.Page(), 2);
    EXPECT_GT(p.form.FoundPosition().y(), first.y());
    // The found text stands 10 pixels from the box's top.
    EXPECT_EQ(p.form.VScrollBar->value(),
              qMin(p.form.VScrollBar->maximum(),
                   p.rect(1).top() + vlRound(p.form.FoundPosition().y() * p.form.ZoomFactor()) - 10));
    EXPECT_TRUE(p.form.FindNext());
    EXPECT_EQ(p.form.Page(), 3);
    EXPECT_FALSE(p.form.FindNext());
    // Case-sensitive from the current page.
    p.form.SetPage(1);
    EXPECT_TRUE(p.form.Find("cena", true, false));
    EXPECT_EQ(p.form.Page(), 2);
    EXPECT_EQ(p.form.FoundPosition().y(), p.form.FoundPosition().y());
    EXPECT_FALSE(p.form.Find("nikde", false, true));
}

TEST(Preview, PagesBelow2000PixelsArePainted)
{
    PagesReport report(12);
    Preview p(report, QSize(300, 2600)); // one page a row
    p.form.SetZoom(20);
    p.form.PBox->grab();
    int visible = 0;
    for (int i = 0; i < p.form.AllPages(); ++i)
        visible += p.form.Pages()->GetPage(i)->Visible;
    EXPECT_EQ(visible, 12);
    EXPECT_GT(p.rect(11).top(), 2000);
}

TEST(Preview, ZoomRememberedForTheNextPreview)
{
    PagesReport report(2);
    {
        Preview p(report);
        p.form.N751->trigger();
        EXPECT_EQ(p.form.Zoom(), 75);
    }
    TvlPreviewForm next;
    next.resize(800, 600);
    next.Connect(&report);
    EXPECT_EQ(next.Zoom(), 75);
    EXPECT_TRUE(next.N751->isChecked());
    EXPECT_FALSE(next.N1001->isChecked());
    next.N1->trigger();
    EXPECT_EQ(next.ZoomMode(), zmPageWidth);
}

TEST(Preview, PagesDeletedAddedSavedAndLoaded)
{
    PagesReport single(1);
    {
        Preview p(single);
        p.form.DeletePage();
        EXPECT_EQ(p.form.AllPages(), 1);
    }
    PagesReport report(3);
    Preview p(report);
    p.form.SetPage(2);
    p.form.DeletePage();
    EXPECT_EQ(p.form.AllPages(), 2);
    p.form.AddPage();
    EXPECT_EQ(p.form.AllPages(), 3);
    QTemporaryDir dir;
    ASSERT_TRUE(p.form.SaveToFile(dir.filePath("sestava.txt")));
    ASSERT_TRUE(QFile::exists(dir.filePath("sestava.vlp")));
    PagesReport other(1);
    Preview q(other);
    ASSERT_TRUE(q.form.LoadFromFile(dir.filePath("sestava.vlp")));
    EXPECT_EQ(q.form.AllPages(), 3);
    EXPECT_EQ(q.form.Page(), 1);
}

TEST(Preview, EmbeddedPanelDrivesTheForm)
{
    PagesReport report(3);
    QWidget host;
    host.resize(700, 500);
    TvlPreview panel(&host);
    panel.resize(700, 500);
    host.show();
    panel.Connect(&report);
    EXPECT_EQ(panel.AllPages(), 3);
    EXPECT_EQ(panel.Form()->PreviewPanel->parentWidget(), &panel);
    panel.Last();
    EXPECT_EQ(panel.Page(), 3);
    panel.PageWidth();
    EXPECT_EQ(panel.Form()->ZoomMode(), zmPageWidth);
    panel.SetZoom(50);
    EXPECT_EQ(panel.Zoom(), 50);
    EXPECT_EQ(panel.Form()->WheelMultiplier, 3);
    QTest::keyClick(panel.Form()->PBox, Qt::Key_Escape); // the host's key, not the panel's
    EXPECT_TRUE(host.isVisible());
    EXPECT_TRUE(panel.Form()->PBox->isVisible());
}

TEST(Preview, WindowOfItsOwnFollowsTheReportsSettings)
{
    TvlPreviewForm::ResetRememberedZoom();
    auto owned = std::make_unique<PagesReport>(3);
    bool gone = false;
    owned->gone = &gone;
    owned->buttons = 1 | 8 | 64; // zoom, print, exit
    owned->initialZoom = 3;
    TvlPreviewForm::ShowReport(std::move(owned));
    TvlPreviewForm *form = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<TvlPreviewForm *>(w); f && f->isVisible())
            form = f;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->AllPages(), 3);
    EXPECT_EQ(form->ZoomMode(), zmTwoPages);
    EXPECT_FALSE(form->ZoomBtn->isHidden());
    EXPECT_TRUE(form->LoadBtn->isHidden());
    EXPECT_TRUE(form->FindBtn->isHidden());
    EXPECT_FALSE(form->ExitBtn->isHidden());
    EXPECT_FALSE(form->N5->isVisible()); // no designer: no page editing
    QTest::keyClick(form->PBox, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone); // the window went with its report
}

// Printing the typed pages on the virtual printer, read back by pdftotext.
TEST(Preview, PrintsTheListedPages)
{
    ScopedPrinterBackend none(std::make_unique<FixedPrinterBackend>());
    vlFreePrinter();
    PagesReport report(4, {{3, {"Příliš žluťoučký kůň"}}});
    Preview p(report);
    QTemporaryDir dir;
    const QString pdf = qEnvironmentVariable("KEEP_PDF", dir.filePath("tisk.pdf"));
    vlPrinter().Printer()->setOutputFileName(pdf);
    ASSERT_TRUE(p.form.PrintPages("3,1", 2));
    EXPECT_EQ(p.form.AllPages(), 4); // the preview has its pages again
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(out.count("Strana 3"), 2) << out.toStdString();
    EXPECT_EQ(out.count("Strana 1"), 2);
    EXPECT_EQ(out.count("Příliš žluťoučký kůň"), 2);
    EXPECT_FALSE(out.contains("Strana 2"));
    EXPECT_LT(out.indexOf("Strana 3"), out.indexOf("Strana 1"));
    EXPECT_FALSE(p.form.PrintPages("x-y", 1));
    vlFreePrinter();
}
