#include "report/vlexportfilter.h"

#include "report/vlexporthtml.h"
#include "report/vlexportrtf.h"
#include "report/vlexporttext.h"
#include "report/vlmemoview.h"
#include "report/vlpreparedpages.h"
#include "report/vlregistry.h"

#include <QSaveFile>

TvlExportFilter::~TvlExportFilter() = default;

QString TvlExportFilter::Extension() const
{
    const QString mask = FileMask();
    const int dot = mask.lastIndexOf(u'.');
    return dot < 0 ? QString() : mask.mid(dot);
}

void TvlExportFilter::Begin(QIODevice &target)
{
    m_stream = &target;
}

void TvlExportFilter::OnData(int x, int y, TvlView &view)
{
    (void)x, (void)y, (void)view;
}

void TvlExportFilter::OnText(int x, int y, const QString &text, TvlView *view)
{
    (void)x, (void)y, (void)text, (void)view;
}

void TvlExportFilter::Write(const QByteArray &bytes)
{
    if (m_stream)
        m_stream->write(bytes);
}

void TvlExportFilter::ResetLines(int count)
{
    m_lines.clear();
    m_lines.resize(size_t(count));
}

void TvlExportFilter::InsertItem(int index, TvlExportItem item)
{
    if (index < 0)
        index = 0;
    if (size_t(index) >= m_lines.size())
        m_lines.resize(size_t(index) + 1);
    Line &line = m_lines[size_t(index)];
    auto at = line.begin();
    while (at != line.end() && at->X < item.X)
        ++at;
    line.insert(at, std::move(item));
}

int TvlExportFilter::LastLine() const
{
    for (int i = int(m_lines.size()) - 1; i >= 0; --i)
        if (!m_lines[size_t(i)].empty())
            return i;
    return -1;
}

void vlRegisterStandardExportFilters()
{
    static TvlTextExportFilter text;
    static TvlCSVExportFilter csv;
    static TvlHTMExportFilter html;
    static TvlRTFExportFilter rtf;
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (TvlExportFilter *filter : {static_cast<TvlExportFilter *>(&text), static_cast<TvlExportFilter *>(&csv),
                                    static_cast<TvlExportFilter *>(&html), static_cast<TvlExportFilter *>(&rtf)})
        vlRegisterExportFilter(filter);
}

bool vlExportPages(TvlEMFPages &pages, TvlExportFilter &filter, const std::function<bool(int, int)> &progress,
                   bool *damaged)
{
    const auto visit = [&](TvlView &view) {
        filter.OnData(view.Left, view.Top, view);
        if (auto *memo = dynamic_cast<TvlMemoView *>(&view)) {
            memo->ExportMode = true;
            for (const TvlTextOutput &piece : memo->TextPieces())
                filter.OnText(piece.X, piece.Y, piece.Text, memo);
            memo->ExportMode = false;
        }
    };
    if (damaged)
        *damaged = false;
    for (int i = 0; i < pages.Count(); ++i) {
        filter.OnBeginPage();
        if (!pages.ExportPage(i, visit) && damaged)
            *damaged = true;
        if (progress && !progress(i + 1, pages.Count()))
            return false;
        filter.OnEndPage();
    }
    return true;
}

TvlExportResult vlExportToFile(TvlEMFPages &pages, const TvlExportFilter &prototype, const QString &fileName,
                               const std::function<bool(int, int)> &progress, QString *error)
{
    const std::unique_ptr<TvlExportFilter> filter = prototype.Create();
    if (!filter)
        return TvlExportResult::Cancelled;
    return vlWriteExport(pages, *filter, fileName, progress, error);
}

TvlExportResult vlWriteExport(TvlEMFPages &pages, TvlExportFilter &filter, const QString &fileName,
                              const std::function<bool(int, int)> &progress, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze vytvořit: %2").arg(fileName, file.errorString());
        return TvlExportResult::Failed;
    }
    filter.Begin(file);
    filter.OnBeginDoc();
    bool damaged = false;
    if (!vlExportPages(pages, filter, progress, &damaged)) {
        file.cancelWriting();
        return TvlExportResult::Cancelled;
    }
    filter.OnEndDoc();
    filter.Finish();
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(fileName, file.errorString());
        return TvlExportResult::Failed;
    }
    if (damaged && error)
        *error = TvlEMFPages::DamagedFile;
    return TvlExportResult::Done;
}
