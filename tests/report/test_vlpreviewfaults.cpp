// The preview window of a report: its caption, printing inside the engine's
// progress window, pages opened from a file and another printer, and the
// designer's setting of the tool buttons.
#include "platform/registry.h"
#include "report/printer.h"
#include "report/vlpreviewform.h"
#include "report/vlprogressform.h"
#include "report/vltoolbuttons.h"
#include "reportbuild.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template <typename Window>
Window *visibleWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<Window *>(w); form && form->isVisible())
            return form;
    return nullptr;
}

// A three-page list shown in a modeless preview window.
struct Previewed
{
    explicit Previewed(const QString &title = "Ceník")
    {
        QList<QVariantList> rows;
        for (int i = 1; i <= 150; ++i)
            rows << QVariantList{QStringLiteral("Řádek %1").arg(i)};
        t.Rows("Zbozi", {"Nazev"}, rows);
        t.Band(btMasterData, 20, 20, "Zbozi");
        text = t.Memo(20, 20, 200, 18, {"[Nazev]"});
        t.report->Title = title;
        t.report->ModalPreview = false;
    }
    TvlPreviewForm *Show()
    {
        t.report->ShowReport();
        return visibleWindow<TvlPreviewForm>();
    }
    ~Previewed()
    {
        if (auto *form = visibleWindow<TvlPreviewForm>())
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TestReport t;
    TvlMemoView *text;
};

// A designer as the engine sees it, under the designer form's name.
class NamedDesigner : public QObject, public TvlReportDesigner
{
public:
    NamedDesigner() { setObjectName("vlDesignerForm"); }
    void ShowModal(TvlReport &) override {}
    void AddObjectButton(const QImage &, const QString &, int) override {}
    void AddToolItem(const QString &, const QImage &, const std::function<void()> &) override {}
    void BeforeObjectChange() override {}
    void AfterObjectChange() override {}
    void RedrawPage() override {}
    TvlPage *Page() const override { return nullptr; }
    void SetPage(TvlPage *) override {}
    bool Modified() const override { return false; }
    void SetModified(bool) override {}
};

} // namespace

TEST(ReportPreviewFaults, CaptionNamesTheReport)
{
    Previewed p;
    TvlPreviewForm *form = p.Show();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Náhled - Ceník");
    form->close();
    Previewed untitled{QString()};
    EXPECT_EQ(untitled.Show()->windowTitle(), "Náhled");
}

TEST(ReportPreviewFaults, PrintingRunsInTheProgressWindowAndStornoWithdrawsTheJob)
{
    QTemporaryDir dir;
    Previewed p;
    TvlPreviewForm *form = p.Show();
    ASSERT_NE(form, nullptr);
    const QString pdf = dir.filePath("tisk.pdf");
    vlPrinter().Printer()->setOutputFileName(pdf);
    QStringList seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *progress = visibleWindow<TvlProgressForm>()) {
            seen << progress->windowTitle() + " / " + progress->Label1->text();
            progress->Button1->click();
        }
    });
    watch.start(0);
    EXPECT_FALSE(form->PrintPages({}, 1));
    watch.stop();
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), "Tisk - Ceník / Tisknu stranu:  1");
    EXPECT_EQ(form->AllPages(), 3); // the preview keeps its pages
    // Not withdrawn, the job prints every page.
    EXPECT_TRUE(form->PrintPages({}, 1));
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

TEST(ReportPreviewFaults, OpenedPagesAreLaidOutForAnotherPrinterNotRebuilt)
{
    QTemporaryDir dir;
    Previewed p;
    FixedPrinterBackend::Printer office;
    office.description.name = "kancelar";
    office.papers = {QPageSize(QPageSize::A4)};
    office.minimumMargins = QMarginsF(10, 12, 10, 12);
    ScopedPrinterBackend printers(std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{office}));
    vlFreePrinter();
    TvlPrinter &engine = vlPrinter();
    engine.SetPrinterIndex(engine.VirtualPrinterIndex());
    ASSERT_TRUE(p.t.report->PrepareReport());
    const QString saved = dir.filePath("cenik.vlp");
    ASSERT_TRUE(p.t.report->SavePreparedReport(saved));
    p.text->Memo = {"Nová verze [Nazev]"};
    TvlPreviewForm *form = p.Show();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->LoadFromFile(saved));
    const int before = form->Pages()->GetPage(0)->PrnInfo.OffsetX;
    const int virtualIndex = engine.PrinterIndex();
    engine.SetPrinterIndex(0);
    ASSERT_TRUE(form->ChangePrinter(virtualIndex, 0));
    ASSERT_EQ(form->AllPages(), 3);
    QStringList texts;
    form->Pages()->ExportPage(0, [&](TvlView &view) { texts << vlDecodeTextLine(view.Memo.value(0)).Text; });
    EXPECT_EQ(texts.value(0), "Řádek 1");
    EXPECT_NE(form->Pages()->GetPage(0)->PrnInfo.OffsetX, before);
    TvlPrnInfo office4;
    engine.SetPrinterInfo(9, 2100, 2970, poPortrait);
    engine.FillPrnInfo(office4);
    EXPECT_EQ(form->Pages()->GetPage(2)->PrnInfo.OffsetX, office4.OffsetX);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    vlFreePrinter();
}

TEST(ReportPreviewFaults, WithADesignerItsGrayButtonsSettingDecides)
{
    QTemporaryDir home;
    const QByteArray before = qgetenv("TARMIL5_HOME");
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(vlEngineRegistryKey() + "Form\\vlDesignerForm", true));
        registry.writeBool("GrayButtons", true);
    }
    NamedDesigner designer;
    Previewed p;
    // The preview shown now: whether its tool buttons gray when inactive.
    auto grayed = [&p] {
        TvlPreviewForm *form = p.Show();
        QStringList states;
        for (TvlSpeedButton *b : form->Panel1->findChildren<TvlSpeedButton *>())
            states << QString::number(b->GrayedInactive());
        states.removeDuplicates();
        form->close();
        return states.join(',').toStdString();
    };
    EXPECT_EQ(grayed(), "0");
    vlRegisterDesigner(&designer);
    EXPECT_EQ(grayed(), "1");
    p.t.report->GrayedButtons = true;
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(vlEngineRegistryKey() + "Form\\vlDesignerForm", true));
        registry.writeBool("GrayButtons", false);
    }
    EXPECT_EQ(grayed(), "0");
    vlRegisterDesigner(nullptr);
    EXPECT_EQ(grayed(), "1");
    if (before.isNull())
        qunsetenv("TARMIL5_HOME");
    else
        qputenv("TARMIL5_HOME", before);
}
