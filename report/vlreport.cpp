#include "report/vlreport.h"

#include "platform/messages.h"
#include "platform/registry.h"
#include "report/components.h"
#include "report/vlbuilder.h"
#include "report/vlpreviewform.h"
#include "report/vlregistry.h"

#include <QApplication>
#include <QMessageBox>

const QString TvlReport::Untitled = QStringLiteral("Bez názvu");

namespace {

TvlReportDesigner *&designerSlot()
{
    static TvlReportDesigner *designer = nullptr;
    return designer;
}

// What the preview sees of a report: its pages, lent while the preview shows
// them, its options, and rebuilding and editing through the report.
class ReportPreview : public TvlPreviewReport
{
public:
    explicit ReportPreview(TvlReport &report)
        : m_report(report)
    {}

    std::unique_ptr<TvlEMFPages> TakePreparedPages() override
    {
        auto pages = std::make_unique<TvlEMFPages>();
        pages->Swap(m_report.EMFPages);
        return pages;
    }
    void ReturnPreparedPages(std::unique_ptr<TvlEMFPages> pages) override
    {
        if (pages)
            m_report.EMFPages.Swap(*pages);
    }
    int PreviewButtons() const override { return m_report.PreviewButtons; }
    int InitialZoom() const override { return m_report.InitialZoom; }
    bool GrayedButtons() const override
    {
        // With a designer the designer's own setting decides, as it does for its tool bars.
        if (const auto *designer = dynamic_cast<const QObject *>(vlDesigner())) {
            Registry registry;
            if (!registry.openKeyReadOnly(vlEngineRegistryKey() + QStringLiteral("Form\\") + designer->objectName()))
                return false;
            return registry.readBool(QStringLiteral("GrayButtons"), false);
        }
        return m_report.GrayedButtons;
    }
    bool ModalPreview() const override { return m_report.ModalPreview; }
    bool ModifyPrepared() const override { return m_report.ModifyPrepared; }
    bool HasDesigner() const override { return vlDesigner() != nullptr; }
    // While the report is designed its author sees every button.
    bool Designing() const override { return m_report.IsDesigning(); }
    QString Title() const override { return m_report.Title; }
    bool CanRebuild() const override { return m_report.CanRebuild; }
    bool ChangePrinter(int oldIndex, int newIndex) override
    {
        return m_report.ChangePrinter(oldIndex, newIndex) && m_report.PrepareReport();
    }
    void EditPage(int index) override { m_report.EditPreparedPage(index); }
    const TvlPage *DesignPage(int index) const override
    {
        return index >= 0 && index < m_report.Pages.Count() ? m_report.Pages[index] : nullptr;
    }

protected:
    TvlEMFPages *OwnPages() override { return &m_report.EMFPages; }

private:
    TvlReport &m_report;
};

// Tells the registries' clients (add-ins, tools) about the designer.
class DesignerHooks : public TvlDesignerHooks
{
public:
    void AddObjectButton(const QImage &bitmap, const QString &hint, int tag) override
    {
        if (TvlReportDesigner *designer = vlDesigner())
            designer->AddObjectButton(bitmap, hint, tag);
    }
    void AddToolItem(const TvlToolsInfo &tool) override
    {
        if (TvlReportDesigner *designer = vlDesigner())
            designer->AddToolItem(tool.Caption, tool.ButtonBmp, tool.OnClick);
    }
};

void showError(const QString &text)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) && QGuiApplication::platformName() != "offscreen")
        QMessageBox::critical(nullptr, QStringLiteral("Chyba"), text);
    else
        ShowWarning(QStringLiteral("Chyba"), text);
}

} // namespace

void vlRegisterDesigner(TvlReportDesigner *designer)
{
    static DesignerHooks hooks;
    designerSlot() = designer;
    vlSetDesignerHooks(designer ? &hooks : nullptr);
}

TvlReportDesigner *vlDesigner()
{
    return designerSlot();
}

QString vlEngineRegistryKey()
{
    return QStringLiteral("\\Software\\Vellum\\Tarmil 5.0\\");
}

// --- the component -----------------------------------------------------------------

TvlReport::TvlReport(QObject *owner)
    : QObject(owner)
{
    FileName = Untitled;
}

TvlReport::~TvlReport() = default;

bool TvlReport::LoadFromFile(const QString &path, QString *error)
{
    if (!TvlReportLayout::LoadFromFile(path, error))
        return false;
    FileName = path;
    return true;
}

bool TvlReport::SaveToFile(const QString &path, QString *error)
{
    return TvlReportLayout::SaveToFile(path, error);
}

bool TvlReport::SaveToVL3File(const QString &path, QString *error)
{
    XmlMode = true;
    const bool saved = TvlReportLayout::SaveToVL3File(path, error, parent());
    XmlMode = false;
    return saved;
}

bool TvlReport::LoadTemplate(const QString &path, QStringList *description, QImage *bitmap, bool loadBody,
                             QString *error)
{
    return TvlReportLayout::LoadTemplate(path, description, bitmap, loadBody, error);
}

bool TvlReport::SaveTemplate(const QString &path, const QStringList &description, const QImage &bitmap, QString *error)
{
    return TvlReportLayout::SaveTemplate(path, description, bitmap, error);
}

bool TvlReport::LoadPreparedReport(const QString &path, QString *error)
{
    EMFPages.KeepCurrentPrinter = KeepCurrentPrinter != 0;
    const bool loaded = EMFPages.LoadFromFile(path, error);
    CanRebuild = false;
    return loaded;
}

bool TvlReport::SavePreparedReport(const QString &path, QString *error)
{
    return EMFPages.SaveToFile(path, error);
}

// --- building ----------------------------------------------------------------------

bool TvlReport::PrepareReport()
{
    if (m_building || TvlReportBuilder::Active()) {
        m_errorText = QStringLiteral("Sestava se právě připravuje.");
        return false;
    }
    m_building = true;
    m_buildFailed = false;
    m_errorText.clear();
    Terminated = false;
    bool done = false;
    {
        TvlReportBuilder builder(this);
        done = builder.Prepare();
    }
    m_building = false;
    CanRebuild = true;
    return done;
}

void TvlReport::BuildReport()
{
    if (TvlReportBuilder *builder = TvlReportBuilder::Active())
        builder->BuildReport(this);
}

Variant TvlReport::Calculate(const QString &expression)
{
    if (TvlReportBuilder *builder = TvlReportBuilder::Active())
        return builder->Calculate(expression);
    TvlReportBuilder builder(this);
    return builder.Calculate(expression);
}

void TvlReport::DesignReport()
{
    if (Pages.Count() == 0)
        Pages.Add();
    vlSetCurrentReportOwner(parent());
    if (TvlReportDesigner *designer = vlDesigner()) {
        const bool designing = m_designing;
        m_designing = true;
        designer->ShowModal(*this);
        m_designing = designing;
    }
}

void TvlReport::ShowReport()
{
    const bool prepared = PrepareReport();
    if (m_buildFailed) {
        showError(m_errorText);
        EMFPages.Clear();
        return;
    }
    if (prepared)
        ShowPreparedReport();
}

void TvlReport::ShowPreparedReport()
{
    if (EMFPages.Count() == 0)
        return;
    // The embedded panel's form may never show (the report list opens the
    // designer through a printing screen it does not show): while designing,
    // the pages go to a window over the designer.
    if (auto *embedded = qobject_cast<TvlPreview *>(m_preview.data()); embedded && !m_designing) {
        embedded->Connect(std::make_unique<ReportPreview>(*this));
        return;
    }
    TvlPreviewForm::ShowReport(std::make_unique<ReportPreview>(*this),
                               m_designing ? QApplication::activeModalWidget() : nullptr);
}

bool TvlReport::ExportTo(TvlExportFilter *filter, const QString &fileName)
{
    return filter && ReportPreview(*this).ExportTo(*filter, fileName);
}

bool TvlReport::ChangePrinter(int oldIndex, int newIndex)
{
    TvlPrinter &printer = vlPrinter();
    auto applyPages = [this, &printer] {
        for (int i = 0; i < Pages.Count(); ++i) {
            TvlPage *page = Pages[i];
            page->ChangePaper(page->PaperSize, page->PaperWidth, page->PaperHeight, page->Orientation);
            if (!printer.PaperProblem().isEmpty())
                throw EPrinterError(printer.PaperProblem());
        }
    };
    try {
        printer.SetPrinterIndex(newIndex);
        applyPages();
        return true;
    } catch (const std::exception &) {
        showError(QStringLiteral("Vybraná tiskárna je neplatná"));
        try {
            printer.SetPrinterIndex(oldIndex);
            applyPages();
        } catch (const std::exception &) {
            // The old printer is gone as well; the pages keep their papers.
        }
        return false;
    }
}

void TvlReport::EditPreparedPage(int index)
{
    TvlReportDesigner *designer = vlDesigner();
    if (!designer || index < 0 || index >= EMFPages.Count())
        return;
    MemoryStream saved;
    SaveToStream(saved);
    Pages.Clear();
    TvlPage *page = Pages.Add();
    EMFPages.LoadPage(index);
    TvlPageInfo *info = EMFPages[index];
    if (info->Page) {
        for (auto &view : info->Page->Objects)
            page->Add(std::move(view));
        info->Page->Objects.clear();
    }
    designer->SetPage(page);
    designer->SetModified(false);
    designer->ShowModal(*this);
    if (designer->Modified() && ShowQuestion(QStringLiteral("Pokračovat"), QStringLiteral("Uložit změny?"), true)) {
        info->Page = std::make_unique<TvlPage>(info->PaperSize, info->PaperWidth, info->PaperHeight,
                                               info->Orientation ? poLandscape : poPortrait);
        for (auto &view : page->Objects)
            info->Page->Add(std::move(view));
        page->Objects.clear();
        EMFPages.SavePage(index);
    }
    info->Page.reset();
    saved.seek(0);
    TvlReportLayout::LoadFromStream(saved);
    designer->RedrawPage();
}

// --- variables -------------------------------------------------------------------

void TvlReport::GetCategoryList(QStringList &list) const
{
    list.clear();
    for (const QString &line : Variables)
        if (!line.isEmpty() && line.at(0) != u' ')
            list << line;
}

void TvlReport::GetVarList(int category, QStringList &list) const
{
    list.clear();
    int n = -1;
    for (const QString &line : Variables) {
        if (!line.isEmpty() && line.at(0) != u' ')
            ++n;
        else if (n == category && !line.isEmpty())
            list << line.mid(1);
        if (n > category)
            break;
    }
}

int TvlReport::FindVariable(const QString &name) const
{
    return int(Variables.indexOf(u' ' + name));
}

// --- composite ---------------------------------------------------------------------

TvlCompositeReport::TvlCompositeReport(QObject *owner)
    : TvlReport(owner)
{}

void TvlCompositeReport::BuildReport()
{
    if (TvlReportBuilder *builder = TvlReportBuilder::Active())
        builder->BuildComposite(this);
}
