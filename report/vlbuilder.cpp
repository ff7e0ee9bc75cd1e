#include "report/vlbuilder.h"

#include "report/components.h"
#include "report/vlerrortext.h"
#include "report/vlmemoview.h"
#include "report/vlprintpages.h"
#include "report/vlprogressform.h"
#include "report/vlregistry.h"
#include "report/vlsubreportview.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

namespace {

TvlReportBuilder *g_active = nullptr;

bool isCrossType(int type)
{
    return type >= btCrossHeader && type <= btCrossFooter;
}

// While a report builds, windows that were open before take no input: only
// what the build shows itself (the progress window) may be used.
class InputBlocker : public QObject
{
public:
    InputBlocker()
    {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                m_blocked.insert(w);
        qApp->installEventFilter(this);
        m_installed = true;
    }
    ~InputBlocker() override
    {
        if (m_installed)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Close:
            break;
        default:
            return false;
        }
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            return false;
        if (m_blocked.count(widget->window())) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    std::set<QWidget *> m_blocked;
    bool m_installed = false;
};

} // namespace

TvlVariables &vlScriptVariables()
{
    static TvlVariables variables;
    return variables;
}

// --- TvlBand -------------------------------------------------------------------------

TvlBand::TvlBand(int type, TvlPageRun *owner)
    : Typ(type)
    , OwnerPage(owner)
{}

TvlBand::~TvlBand() = default;

QString TvlBand::Name() const
{
    return View ? View->Name : QString();
}

QString TvlBand::DefaultBandName() const
{
    // A level's footer adds up the rows of its own level; the others those of the first level.
    int dataType = btMasterData;
    if (Typ == btDetailFooter)
        dataType = btDetailData;
    else if (Typ == btSubDetailFooter)
        dataType = btSubDetailData;
    else if (Typ == btCrossFooter)
        return {};
    for (TvlBand *data = OwnerPage->Table[dataType]; data; data = data->Next)
        if (data->FooterBand == this || Typ != dataType + 1)
            return data->Name();
    return {};
}

int TvlBand::CalcHeight()
{
    int height = Height;
    if (!Stretched)
        return height;
    const std::vector<quint8> &kinds = ObjectKinds();
    for (size_t i = 0; i < Objects.size(); ++i) {
        TvlView *view = Objects[i];
        // Cross cells hold a text per column only while their columns print.
        if (!(kinds[i] & okStretcheable) || (kinds[i] & okCross) || !(view->Flags & 1) || !view->IsVisible())
            continue;
        height = std::max(height, view->Top + static_cast<TvlStretcheable *>(view)->CalcHeight());
    }
    return height;
}

const std::vector<quint8> &TvlBand::ObjectKinds()
{
    if (m_objectKinds.size() != Objects.size()) {
        m_objectKinds.clear();
        for (TvlView *view : Objects) {
            quint8 kind = 0;
            if (dynamic_cast<TvlMemoView *>(view))
                kind |= okMemo;
            if (dynamic_cast<TvlSubReportView *>(view))
                kind |= okSubReport;
            if (dynamic_cast<TvlStretcheable *>(view))
                kind |= okStretcheable;
            if (OwnerPage && OwnerPage->CrossOwner.count(view))
                kind |= okCross;
            m_objectKinds.push_back(kind);
        }
    }
    return m_objectKinds;
}

// --- the builder ---------------------------------------------------------------------

TvlReportBuilder::TvlReportBuilder(TvlReport *target)
    : m_target(target)
    , m_report(target)
    , m_previous(g_active)
    , m_interpreter(this, &vlScriptVariables())
    , m_stdLibrary(this)
{
    g_active = this;
    m_started = QDateTime::currentDateTime();
    m_parser.OnGetValue = [this](const QString &name, Variant &value) { GetReportValue(name, value); };
    m_parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                 QString &val) { CallReportFunction(name, p1, p2, p3, val); };
}

TvlReportBuilder::~TvlReportBuilder()
{
    g_active = m_previous;
}

TvlReportBuilder *TvlReportBuilder::Active()
{
    return g_active;
}

bool TvlReportBuilder::Prepare()
{
    TvlReport &report = *m_target;
    InputBlocker blocker;
    vlSetCurrentReportOwner(report.parent());
    const bool composite = qobject_cast<TvlCompositeReport *>(&report) != nullptr;
    bool twoPass = report.TwoPass != 0;
    if (composite)
        for (const auto &part : static_cast<TvlCompositeReport &>(report).Reports)
            twoPass = twoPass || (part && part->TwoPass);
    if (report.OnBeginDoc && !composite)
        report.OnBeginDoc();
    report.EMFPages.Clear();
    m_caption = vlProgressCaption(report.Title);
    const auto passes = [&] {
        if (twoPass) {
            m_counting = true;
            m_passLabel = QStringLiteral("Zjišťuji počet stran:");
            m_firstPass = true;
            m_lastPass = false;
            report.BuildReport();
            m_totalPages = report.EMFPages.Count();
            report.EMFPages.Clear();
            m_counting = false;
            m_firstPass = false;
        }
        m_lastPass = true;
        m_passLabel = QStringLiteral("Zpracovávám stranu:");
        m_pageIndex = 0;
        m_continue = false;
        m_contentTop.clear();
        m_withoutPageHeader.clear();
        m_crossPages.clear();
        m_crossShift.clear();
        m_crossRoom.clear();
        m_pageLowest.clear();
        report.BuildReport();
    };
    // The build runs inside the engine's progress window, which takes the
    // program's input meanwhile; "Storno" there ends it at the next check.
    const bool window = report.ShowProgress && !report.OnProgress && qobject_cast<QApplication *>(qApp);
    bool done = true;
    try {
        if (window) {
            TvlProgressForm progress(QApplication::activeWindow());
            progress.SetProgress(m_caption, {});
            m_progress = &progress;
            try {
                progress.Run(passes, [&report] { report.Terminated = true; });
            } catch (...) {
                m_progress = nullptr;
                throw;
            }
            m_progress = nullptr;
        } else {
            passes();
        }
    } catch (const TvlBuildStop &stop) {
        done = false;
        report.Terminated = true;
        if (!stop.Cancelled) {
            report.m_buildFailed = true;
            report.m_errorText = stop.Text;
        }
    }
    if (report.OnEndDoc && !composite)
        report.OnEndDoc();
    return done;
}

void TvlReportBuilder::BuildComposite(TvlCompositeReport *composite)
{
    const QList<QPointer<TvlReport>> reports = composite->Reports;
    for (int i = 0; i < reports.size(); ++i) {
        TvlReport *part = reports[i];
        if (!part)
            continue;
        if (m_firstPass && part->OnBeginDoc)
            part->OnBeginDoc();
        TvlReport *next = nullptr;
        for (int j = i + 1; j < reports.size() && !next; ++j)
            next = reports[j];
        m_continueAfterReport = next && next->Pages.Count() > 0 && next->Pages[0]->PrintOnPreviousPage;
        BuildReport(part);
        m_continueAfterReport = false;
        if (m_lastPass && part->OnEndDoc)
            part->OnEndDoc();
    }
}

void TvlReportBuilder::BuildReport(TvlReport *report)
{
    TvlReport *outer = m_report;
    m_report = report;
    report->Values().Sort();
    report->Values().BindDataSets();
    std::vector<std::unique_ptr<TvlPageRun>> outerRuns;
    outerRuns.swap(m_runs);
    TvlDataset *reportData = report->ReportType == rtMultiple ? report->Dataset() : nullptr;
    TvlBand *outerLastDataBand = m_lastDataBand;
    m_lastDataBand = nullptr; // a band of this pass, never one freed with an earlier pass
    auto cleanUp = [&] {
        m_runs.clear();
        m_runs.swap(outerRuns);
        m_hooks.clear();
        m_curRun = nullptr;
        m_curBand = nullptr;
        m_curView = nullptr;
        m_lastDataBand = outerLastDataBand;
        m_report = outer;
    };
    try {
        if (reportData) {
            reportData->Init();
            reportData->First();
        }
        std::set<int> subPages;
        for (int p = 0; p < report->Pages.Count(); ++p)
            for (const auto &view : report->Pages[p]->Objects)
                if (auto *sub = dynamic_cast<TvlSubReportView *>(view.get()))
                    subPages.insert(sub->PageIndex);
        for (int p = 0; p < report->Pages.Count(); ++p) {
            m_runs.push_back(SetupPage(report->Pages[p], p, subPages.count(p) > 0));
            m_runs.back()->IsSubReportPage = subPages.count(p) > 0;
        }
        CheckSubReports();
        const auto nextPrinted = [this](size_t p) {
            size_t next = p + 1;
            while (next < m_runs.size() && m_runs[next]->IsSubReportPage)
                ++next;
            return next;
        };
        const auto continueOrNot = [this](bool continues) {
            if (continues && m_target->EMFPages.Count() > 0) {
                // On the page the rows ended on, not on one of their further cross columns.
                m_pageIndex = m_target->EMFPages.Count() - 1;
                while (m_pageIndex > 0 && m_crossPages.count(m_pageIndex))
                    --m_pageIndex;
                m_continue = true;
            } else {
                m_pageIndex = m_target->EMFPages.Count();
            }
        };
        bool more = true;
        while (more) {
            Progress();
            for (size_t p = 0; p < m_runs.size(); ++p) {
                TvlPageRun &run = *m_runs[p];
                if (run.IsSubReportPage)
                    continue;
                m_curRun = &run;
                if (report->OnManualBuild)
                    report->OnManualBuild(run.Page);
                else
                    BuildPages(run);
                const size_t next = nextPrinted(p);
                if (next < m_runs.size()) {
                    continueOrNot(m_runs[next]->Page->PrintOnPreviousPage != 0);
                    continue;
                }
                if (reportData)
                    reportData->Next();
                more = reportData && !reportData->Eof();
                continueOrNot(m_continueAfterReport && !more);
            }
            if (m_runs.empty() || nextPrinted(size_t(-1)) >= m_runs.size()) {
                if (reportData)
                    reportData->Next();
                more = reportData && !reportData->Eof();
            }
        }
        if (reportData)
            reportData->Exit();
    } catch (const TvlBuildStop &) {
        cleanUp();
        throw;
    } catch (const std::exception &error) {
        cleanUp();
        throw TvlBuildStop(vlErrorText(error), false);
    }
    cleanUp();
}

// --- set-up of a design page -----------------------------------------------------------

TvlDataset *TvlReportBuilder::DataSetOf(TvlBand &band, const QString &source)
{
    const QString text = source.trimmed();
    if (vlIsNoDataSource(text))
        return nullptr;
    const QChar first = text.at(0);
    if (first >= u'1' && first <= u'9') {
        auto virtualSet = std::make_unique<TdiRazaDataset>();
        virtualSet->SetRangeEnd(TvlDataset::reCount);
        virtualSet->SetRangeEndCount(text.toInt());
        band.VirtualDataSet = std::move(virtualSet);
        return band.VirtualDataSet.get();
    }
    return qobject_cast<TvlDataset *>(vlFindComponent(text));
}

std::unique_ptr<TvlPageRun> TvlReportBuilder::SetupPage(TvlPage *page, int index, bool subPage)
{
    auto run = std::make_unique<TvlPageRun>(page, index);
    std::vector<TvlView *> pending;
    std::vector<TvlBandView *> bandViews;
    std::vector<TvlView *> subReports;
    for (const auto &source : page->Objects) {
        std::unique_ptr<TvlView> copy = vlCreateView(source->ObjectType, source->ClassName());
        if (!copy)
            continue;
        copy->Assign(*source);
        copy->OwnerBand = nullptr;
        if (copy->Flags & 0x8000)
            m_hooks.push_back(copy.get());
        QStringList coded, errors;
        if (!source->Script.isEmpty()) {
            m_interpreter.PrepareScript(source->Script, coded, errors);
            if (!errors.isEmpty())
                throw TvlBuildStop(
                    QStringLiteral("Chyba ve skriptu objektu %1:\r%2").arg(source->Name, errors.join(u'\r')), false);
        }
        m_scripts[copy.get()] = coded;
        // A copy may sit where an object of an earlier pass or page was.
        m_aggregating.erase(copy.get());
        m_blobs.erase(copy.get());
        if (auto *band = dynamic_cast<TvlBandView *>(copy.get()))
            bandViews.push_back(band);
        else if (dynamic_cast<TvlSubReportView *>(copy.get()))
            subReports.push_back(copy.get());
        else
            pending.push_back(copy.get());
        run->Objects.push_back(std::move(copy));
    }

    auto makeBand = [&](TvlBandView *view) {
        auto band = std::make_unique<TvlBand>(view->GetBandType(), run.get());
        band->View = view;
        band->Y = view->Top;
        band->Height = view->Height;
        band->X = view->Left;
        band->Width = view->Width;
        band->Memo = view->Memo;
        band->Script = m_scripts[view];
        band->Flags = view->Flags;
        band->Stretched = view->Flags & bfStretched;
        band->StartNewPage = !subPage && (view->Flags & bfStartNewPage);
        band->PrintIfDetailEmpty = view->Flags & bfPrintIfDetailEmpty;
        // A sub-report's bands print whole, each on the page where it fits;
        // one that no page holds still prints in pieces (ShowBand).
        band->AllowSplit = !subPage && (view->Flags & bfAllowSplit);
        band->SetVisible(view->IsVisible());
        TvlBand *raw = band.get();
        run->Bands.push_back(std::move(band));
        return raw;
    };
    auto chain = [&](int type, TvlBand *band) {
        TvlBand *&first = run->Table[type];
        if (!first) {
            first = band;
            first->Last = band;
            return;
        }
        first->Last->Next = band;
        band->Prev = first->Last;
        first->Last = band;
    };
    std::stable_sort(bandViews.begin(), bandViews.end(),
                     [](const TvlBandView *a, const TvlBandView *b) { return a->Top < b->Top; });

    // Cross bands take the objects lying within them horizontally.
    std::set<TvlView *> crossOwned;
    for (TvlBandView *view : bandViews) {
        if (!isCrossType(view->GetBandType()) || run->Table[view->GetBandType()])
            continue;
        TvlBand *band = makeBand(view);
        const QString source = view->FormatText.contains(u';') ? QString() : view->FormatText;
        band->DataSet = DataSetOf(*band, source);
        CheckBand(*band, source, band->DataSet || band->Typ != btCrossData || vlIsNoDataSource(source));
        chain(band->Typ, band);
        for (TvlView *object : pending) {
            if (crossOwned.count(object) || object->Left < view->Left ||
                object->Left + object->Width > view->Left + view->Width)
                continue;
            object->Left -= view->Left;
            crossOwned.insert(object);
            run->CrossOwner[object] = band;
        }
    }
    // Horizontal bands take the objects whose top lies within them.
    std::set<TvlView *> taken;
    for (TvlBandView *view : bandViews) {
        const int type = view->GetBandType();
        if (isCrossType(type) || type < 0 || type >= btCount)
            continue;
        TvlBand *band = makeBand(view);
        if (type == btGroupHeader)
            band->GroupCondition = view->FormatText;
        else if (!view->FormatText.contains(u';'))
            band->DataSet = DataSetOf(*band, view->FormatText);
        CheckBand(*band, view->FormatText,
                  band->DataSet || !band->IsDataBand() || view->FormatText.contains(u';') ||
                      vlIsNoDataSource(view->FormatText));
        if (type == btMasterData && !band->DataSet && m_report->ReportType == rtSimple)
            band->DataSet = m_report->Dataset();
        chain(type, band);
        auto within = [&](const TvlView *object) {
            return object->Top >= band->Y && object->Top <= band->Y + band->Height;
        };
        auto take = [&](TvlView *object) {
            object->Top -= band->Y;
            object->OwnerBand = band;
            band->Objects.push_back(object);
            taken.insert(object);
        };
        for (TvlView *object : pending)
            if (!crossOwned.count(object) && !taken.count(object) && within(object))
                take(object);
        for (TvlView *object : pending)
            if (crossOwned.count(object) && !taken.count(object) && within(object))
                take(object);
        for (TvlView *object : subReports)
            if (!taken.count(object) && within(object))
                take(object);
    }
    // What no band took prints where it lies.
    for (TvlView *object : pending) {
        if (taken.count(object) || crossOwned.count(object))
            continue;
        if (!run->Table[vlOutsideBand]) {
            auto band = std::make_unique<TvlBand>(vlOutsideBand, run.get());
            run->Table[vlOutsideBand] = band.get();
            run->Bands.push_back(std::move(band));
        }
        object->OwnerBand = run->Table[vlOutsideBand];
        run->Table[vlOutsideBand]->Objects.push_back(object);
    }
    // Headers and footers of the three levels.
    for (int level = 0; level < 3; ++level) {
        const int headerType = btMasterHeader + 3 * level;
        const int dataType = headerType + 1, footerType = headerType + 2;
        for (TvlBand *header = run->Table[headerType]; header; header = header->Next)
            for (TvlBand *data = run->Table[dataType]; data; data = data->Next)
                if (data->Y > header->Y) {
                    data->HeaderBand = header;
                    break;
                }
        for (TvlBand *footer = run->Table[footerType]; footer; footer = footer->Next) {
            TvlBand *above = nullptr;
            for (TvlBand *data = run->Table[dataType]; data; data = data->Next)
                if (data->Y < footer->Y)
                    above = data;
            if (above)
                above->FooterBand = footer;
        }
    }
    TvlBand *footer = run->Table[btGroupFooter];
    for (TvlBand *header = run->Table[btGroupHeader] ? run->Table[btGroupHeader]->Last : nullptr; header && footer;
         header = header->Prev, footer = footer->Next)
        header->FooterBand = footer;
    // The cross data band may name a data source per band: "Band=Source;...".
    if (TvlBand *crossData = run->Table[btCrossData]) {
        const QString list = crossData->View ? crossData->View->FormatText : QString();
        if (list.contains(u';')) {
            for (const QString &pair : list.split(u';', Qt::SkipEmptyParts)) {
                const int eq = int(pair.indexOf(u'='));
                if (eq < 0)
                    continue;
                const QString name = pair.left(eq).trimmed();
                for (auto &band : run->Bands)
                    if (band->Typ >= btMasterHeader && band->Typ <= btGroupFooter && band->View &&
                        band->View->Name.compare(name, Qt::CaseInsensitive) == 0) {
                        band->CrossDataSet = DataSetOf(*band, pair.mid(eq + 1));
                        CheckBand(*band, pair.mid(eq + 1), band->CrossDataSet || vlIsNoDataSource(pair.mid(eq + 1)));
                    }
            }
        }
    }
    run->Columns = std::max(1, page->Columns);
    run->ColumnGap = page->ColumnGap;
    run->ColumnWidth = (page->RightEdge() - page->LeftOffset()) / run->Columns;
    run->ColumnFooterRoom = run->BandHeight(btColumnFooter);
    page->ColumnWidth = run->ColumnWidth;
    BindBlobObjects(*run);
    return run;
}

// --- forming pages -------------------------------------------------------------------

void TvlReportBuilder::Progress()
{
    const int page = m_pageIndex + 1;
    if (m_target->OnProgress) {
        m_target->OnProgress(page);
    } else if (m_progress) {
        QString text = m_passLabel + QStringLiteral("  ") + QString::number(page);
        if (m_totalPages > 0 && !m_counting)
            text += QStringLiteral(" z ") + QString::number(m_totalPages);
        m_progress->SetProgress(m_caption, text);
        QCoreApplication::processEvents();
        m_served.start();
    }
    if (m_target->Terminated)
        throw TvlBuildStop(QString(), true);
}

void TvlReportBuilder::ServeEvents()
{
    // Often enough for "Storno" to answer at once, seldom enough to cost nothing.
    if (m_progress && (!m_served.isValid() || m_served.elapsed() >= 40)) {
        QCoreApplication::processEvents();
        m_served.start();
    }
    if (m_target->Terminated)
        throw TvlBuildStop(QString(), true);
}

void TvlReportBuilder::AddPage(TvlPageRun &run)
{
    m_target->EMFPages.Add(*run.Page);
    m_pageIndex = m_target->EMFPages.Count() - 1;
    if (m_report->OnBeginPage)
        m_report->OnBeginPage(m_pageIndex);
    if (m_target != m_report && m_target->OnBeginPage)
        m_target->OnBeginPage(m_pageIndex);
    run.CurY = run.Page->TopOffset();
    run.CurColumn = 0;
    run.XAdjust = run.Page->LeftOffset();
    run.FilledBy = nullptr;
    for (auto &band : run.Bands)
        band->PageRecords = 0;
    ShowBand(run, run.Table[btOverlay]);
    ShowBand(run, run.Table[vlOutsideBand]);
}

void TvlReportBuilder::BuildPages(TvlPageRun &run)
{
    TvlPage &page = *run.Page;
    CheckPageRoom(run, run.BandHeight(btPageFooter));
    if (m_continue && m_savedY >= m_savedBottom) {
        m_continue = false;
        m_pageIndex = m_target->EMFPages.Count();
    }
    run.CurBottomY = m_continue && m_footerPending ? m_savedBottom : PageBottom(run);
    run.CurColumn = 0;
    run.XAdjust = page.LeftOffset();
    run.FilledBy = nullptr;
    const bool continuing = m_continue;
    if (m_continue) {
        run.CurY = m_savedY;
        m_continue = false;
    } else {
        AddPage(run);
    }
    run.ColumnStartY = run.CurY;
    MeasureColumnFooter(run);
    // The title is content: a band that does not fit below it goes to the next
    // page, and so does one that does not fit on the page an earlier one filled.
    const int titleTop = run.CurY;
    run.FreshY = continuing ? page.TopOffset() : run.CurY;
    const bool headerOnFirst = run.Table[btPageHeader] && (run.Table[btPageHeader]->Flags & bfPrintOnFirstPage);
    // Known before the title prints: pages of its further cross columns show the same header, or none.
    if (!headerOnFirst && !continuing)
        m_withoutPageHeader.insert(m_pageIndex);
    const int before = m_pageBreaks;
    ShowBand(run, run.Table[btReportTitle]);
    // Pages of the title's further cross columns are no break: the headers
    // still print here. A title going on in the next page column leaves them
    // no place, as one going on on the next page does.
    const bool titleBroke = m_pageBreaks != before;
    const bool titlePrinted = run.CurY != titleTop || titleBroke;
    if (!titleBroke && run.CurColumn > 0 && !continuing)
        m_withoutPageHeader.insert(m_pageIndex);
    if (!titleBroke && run.CurColumn == 0) {
        if (headerOnFirst)
            ShowBand(run, run.Table[btPageHeader]);
        // Every column of the page starts below the title and the page header, as on the pages after it.
        run.ColumnStartY = run.CurY;
        ShowBand(run, run.Table[btColumnHeader]);
    } else if (run.CurColumn == 0) {
        // The title went on on this page below its headers: the other columns start below it.
        run.ColumnStartY = std::max(run.ColumnStartY, run.CurY);
    }
    m_contentTop[m_pageIndex] = run.CurY;
    if (!titlePrinted && !continuing)
        run.FreshY = run.CurY;
    PrintData(run);
    ShowBand(run, run.Table[btColumnFooter]);
    // The summary follows below the column's footer: it keeps the footer no
    // room, and a break it makes does not print the footer again.
    run.ColumnFooterPrinted = true;
    run.ColumnFooterRoom = 0;
    ShowBand(run, run.Table[btReportSummary]);
    m_savedY = run.CurColumn > 0 ? run.CurBottomY : run.CurY;
    m_savedBottom = run.CurBottomY;
    TvlBand *footer = run.Table[btPageFooter];
    m_footerPending = !(footer && footer->HasObjects() && (footer->Flags & bfPrintOnLastPage));
    if (!m_footerPending)
        EndPage(run);
    else
        m_pageIndex = m_target->EMFPages.Count();
}

void TvlReportBuilder::ShowGroupHeaders(TvlPageRun &run, TvlBand *from)
{
    for (TvlBand *group = from; group; group = group->Next)
        ShowBand(run, group);
}

bool TvlReportBuilder::DataLoop(TvlPageRun &run, int level, int deepest, bool groups)
{
    const int headerType = btMasterHeader + 3 * (level - 1);
    const int dataType = headerType + 1;
    bool printedAny = false;
    for (TvlBand *band = run.Table[dataType]; band; band = band->Next) {
        TvlDataset *data = band->DataSet;
        if (!data)
            continue;
        data->Init();
        data->First();
        band->RecordNo = 1;
        const bool withGroups = level == 1 && groups;
        if (withGroups)
            for (TvlBand *group = run.Table[btGroupHeader]; group; group = group->Next)
                group->RecordNo = 0;
        // Bands wait in the page's queue until a row below them prints.
        std::vector<TvlBand *> &queue = run.Queue;
        const size_t queuedBefore = queue.size();
        bool footerDone = false;
        const bool hadRecords = !data->Eof();
        if (hadRecords) {
            if (withGroups)
                ShowGroupHeaders(run, run.Table[btGroupHeader]);
            if (band->HeaderBand)
                queue.push_back(band->HeaderBand);
            if (band->FooterBand)
                band->FooterBand->ResetAggregates();
        }
        while (!data->Eof()) {
            ServeEvents();
            queue.push_back(band);
            ++band->PageRecords;
            ++band->LineThrough;
            bool print = true;
            if (level < deepest) {
                const bool detail = DataLoop(run, level + 1, deepest, groups);
                if (!detail && !band->PrintIfDetailEmpty) {
                    queue.pop_back();
                    print = false;
                }
            }
            if (print) {
                const std::vector<TvlBand *> pending = std::exchange(queue, {});
                for (TvlBand *queued : pending)
                    ShowBand(run, queued);
                printedAny = true;
            }
            data->Next();
            if (withGroups) {
                TvlBand *changed = nullptr;
                const bool end = data->Eof();
                for (TvlBand *group = run.Table[btGroupHeader]; group && !changed; group = group->Next) {
                    if (end) {
                        changed = group;
                        break;
                    }
                    m_curBand = band;
                    const Variant value = GroupValue(*group);
                    if (!(value == group->LastGroupValue))
                        changed = group;
                }
                if (changed) {
                    queue.resize(std::min(queue.size(), queuedBefore));
                    ShowBand(run, band->FooterBand);
                    footerDone = end;
                    std::vector<TvlBand *> inner;
                    for (TvlBand *group = changed->Next; group; group = group->Next)
                        inner.push_back(group);
                    for (auto it = inner.rbegin(); it != inner.rend(); ++it) {
                        ShowBand(run, (*it)->FooterBand);
                        (*it)->RecordNo = 0;
                    }
                    ShowBand(run, changed->FooterBand);
                    changed->RecordNo = 0;
                    if (!end) {
                        if (changed->StartNewPage)
                            NewPage(run);
                        ShowGroupHeaders(run, changed);
                        if (band->HeaderBand)
                            queue.push_back(band->HeaderBand);
                        if (band->FooterBand)
                            band->FooterBand->ResetAggregates();
                    }
                }
            }
            ++band->RecordNo;
            if (withGroups)
                for (TvlBand *group = run.Table[btGroupHeader]; group; group = group->Next)
                    ++group->RecordNo;
            if (!data->Eof() && (band->StartNewPage || band->ForceNewPage)) {
                band->ForceNewPage = false;
                NewPage(run);
            }
        }
        if (queue.size() > queuedBefore) {
            // No row of this band printed: its header stays out, and so does its footer.
            queue.resize(queuedBefore);
        } else if (!footerDone && hadRecords) {
            ShowBand(run, band->FooterBand);
        }
        data->Exit();
    }
    return printedAny;
}

void TvlReportBuilder::ShowColumnFooter(TvlPageRun &run)
{
    if (!run.ColumnFooterPrinted)
        ShowBand(run, run.Table[btColumnFooter]);
}

bool TvlReportBuilder::BreakIfNeeded(TvlPageRun &run, int y, int height, TvlBand *band, bool onlyAsk)
{
    if (Fits(run, y, height))
        return false;
    if (!onlyAsk)
        NewColumn(run, band);
    return true;
}

void TvlReportBuilder::NewPage(TvlPageRun &run)
{
    if (run.IsSubReportPage && run.Parent) {
        TvlPageRun &parent = *run.Parent;
        // A page a sub-report beside it has begun; never one that held the
        // pages' content before, nor one of further cross columns.
        int next = std::max(m_pageIndex + 1, run.OwnPagesFrom);
        while (m_crossPages.count(next))
            ++next;
        if (next < m_target->EMFPages.Count()) {
            m_pageIndex = next;
            const auto top = m_contentTop.find(m_pageIndex);
            run.CurY = top != m_contentTop.end() ? top->second : run.Page->TopOffset();
        } else {
            // What the parent prints at the page's end goes below what the sub-report printed.
            parent.CurY = std::max(parent.CurY, run.CurY);
            NewPage(parent);
            run.CurY = parent.CurY;
            run.FilledBy = parent.FilledBy;
        }
        // It goes on in the column the parent prints in there, so that the
        // parent's next rows follow below it and never fill that column over it.
        run.XAdjust = parent.XAdjust + run.ParentOffsetX;
        run.CurBottomY = parent.CurBottomY;
        run.ColumnStartY = run.CurY;
        run.FreshY = run.CurY;
        return;
    }
    ++m_pageBreaks;
    ShowColumnFooter(run);
    EndPage(run);
    run.CurBottomY = PageBottom(run);
    AddPage(run);
    Progress(); // the number of the page being formed now
    ShowBand(run, run.Table[btPageHeader]);
    run.ColumnStartY = run.CurY;
    ShowBand(run, run.Table[btColumnHeader]);
    m_contentTop[m_pageIndex] = run.CurY;
    run.FreshY = run.CurY;
    MeasureColumnFooter(run);
}

void TvlReportBuilder::NewColumn(TvlPageRun &run, TvlBand *band)
{
    // A band reaching past its page column (a title across the page) would
    // pass the page's edge in the next one: it goes on on the next page.
    if (band && run.CurColumn < run.Columns - 1 && WiderThanColumn(run, *band))
        run.CurColumn = run.Columns - 1;
    if (run.CurColumn < run.Columns - 1) {
        ShowColumnFooter(run);
        ++run.CurColumn;
        run.XAdjust += run.ColumnWidth + run.ColumnGap;
        run.CurY = run.ColumnStartY;
        ShowBand(run, run.Table[btColumnHeader]);
        run.FreshY = run.CurY;
        MeasureColumnFooter(run);
    } else {
        NewPage(run);
    }
    if (!band)
        return;
    const int type = band->Typ;
    const bool levelOne = type == btMasterData || type == btMasterFooter || type == btGroupFooter;
    if (levelOne && run.Table[btGroupHeader] && run.Table[btGroupHeader]->HasObjects())
        for (TvlBand *group = run.Table[btGroupHeader]; group; group = group->Next)
            if (group->Flags & bfReprintOnNewPage)
                ShowBand(run, group, true);
    if (band->IsDataBand() && band->HeaderBand && (band->HeaderBand->Flags & bfReprintOnNewPage))
        ShowBand(run, band->HeaderBand, true);
}

bool TvlReportBuilder::WiderThanColumn(const TvlPageRun &run, const TvlBand &band) const
{
    const int right = run.Page->LeftOffset() + run.ColumnWidth;
    return std::any_of(band.Objects.begin(), band.Objects.end(), [&](const TvlView *view) {
        return !run.CrossOwner.count(view) && view->Left + view->Width > right;
    });
}

void TvlReportBuilder::EndPage(TvlPageRun &run)
{
    run.CurColumn = 0;
    run.XAdjust = run.Page->LeftOffset();
    TvlBand *footer = run.Table[btPageFooter];
    for (int i = m_pageIndex; i < m_target->EMFPages.Count(); ++i) {
        m_pageIndex = i;
        if (m_report->OnEndPage)
            m_report->OnEndPage(i);
        if (m_target != m_report && m_target->OnEndPage)
            m_target->OnEndPage(i);
        if (footer && (i > 0 || (footer->Flags & bfPrintOnFirstPage)))
            ShowBand(run, footer);
    }
    m_pageIndex = m_target->EMFPages.Count();
}
