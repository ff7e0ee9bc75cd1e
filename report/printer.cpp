#include "report/printer.h"

#include "platform/printers.h"
#include "report/papers.h"

#include <QPrinter>

namespace {

constexpr int MaxPapers = 256;
constexpr int MaxPaperName = 64;

QPageLayout::Orientation qtOrientation(TPrinterOrientation orientation)
{
    return orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Tenths of a millimetre of the sheet standing upright.
QSize portraitOf(int width, int height, TPrinterOrientation orientation)
{
    return orientation == poLandscape ? QSize(height, width) : QSize(width, height);
}

bool sameSize(QSize a, QSize b)
{
    return qAbs(a.width() - b.width()) <= 1 && qAbs(a.height() - b.height()) <= 1;
}

QString paperTitle(int code, QSize size)
{
    if (const TvlPaper *row = vlPapers::find(code); row && code != vlPapers::CustomPaper)
        return QString::fromUtf8(row->name);
    return QStringLiteral("%1 x %2 mm").arg(size.width() / 10.0).arg(size.height() / 10.0);
}

} // namespace

const QString TvlPrinter::VirtualPrinterName = QStringLiteral("Výchozí tiskárna");

EPrinterError::EPrinterError(const QString &message)
    : std::runtime_error(message.toStdString())
{}

TvlPrinter::TvlPrinter() = default;
TvlPrinter::~TvlPrinter() = default;

QString TvlPrinter::PrinterName() const
{
    return m_printers.value(m_printerIndex);
}

void TvlPrinter::SetPrinter(QPrinter *printer)
{
    if (!printer) {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer = m_ownPrinter.get();
    }
    m_printer = printer;
    const PrinterBackend &backend = printerBackend();
    m_printers = backend.printerNames();
    int current = -1;
    if (!m_printers.isEmpty()) {
        current = m_printers.indexOf(m_printer->printerName());
        if (current < 0)
            current = m_printers.indexOf(backend.defaultPrinterName());
        if (current < 0)
            current = 0;
    }
    m_virtualIndex = m_printers.size();
    m_printers << VirtualPrinterName;
    try {
        SetPrinterIndex(current >= 0 ? current : m_virtualIndex);
    } catch (const EPrinterError &) {
        // A printer that vanished must not keep the engine from starting.
        SetPrinterIndex(m_virtualIndex);
    }
}

void TvlPrinter::SetPrinterIndex(int index)
{
    if (index < 0 || index >= m_printers.size())
        throw EPrinterError(QStringLiteral("Tiskárna číslo %1 neexistuje.").arg(index));
    if (index == m_virtualIndex) {
        m_printerIndex = index;
        m_devicePapers.clear();
        m_deviceSheet = QPageSize();
        SetSettings();
        return;
    }
    const QString name = m_printers[index];
    const PrinterBackend &backend = printerBackend();
    QPageSize sheet = backend.defaultPageSize(name);
    if (!sheet.isValid())
        sheet = QPageSize(QPageSize::A4);
    if (!backend.configure(*m_printer, name, sheet, QPageLayout::Portrait))
        throw EPrinterError(QStringLiteral("Tiskárna „%1“ není dostupná.").arg(name));
    m_printerIndex = index;
    GetSettings();
}

void TvlPrinter::FillVirtualPapers()
{
    m_paperNames.clear();
    m_paperSizes.clear();
    for (const TvlPaper &p : vlPapers::table()) {
        m_paperNames << QString::fromUtf8(p.name);
        m_paperSizes << p.code;
    }
}

// The printer's papers under the table's codes; a paper no table row
// matches gets a code above the custom one, unique within this printer.
void TvlPrinter::FillDevicePapers()
{
    const PrinterBackend &backend = printerBackend();
    const QString name = PrinterName();
    m_paperNames.clear();
    m_paperSizes.clear();
    m_devicePapers.clear();
    int ownCode = vlPapers::CustomPaper;
    for (const QPageSize &sheet : backend.supportedPageSizes(name)) {
        if (m_paperSizes.size() >= MaxPapers - 1)
            break;
        int code = vlPapers::codeOf(sheet);
        if (code == 0)
            code = ++ownCode;
        m_paperNames << sheet.name().left(MaxPaperName);
        m_paperSizes << code;
        m_devicePapers << sheet;
    }
    if (backend.supportsCustomPageSizes(name)) {
        m_paperNames << QString::fromUtf8(vlPapers::find(vlPapers::CustomPaper)->name);
        m_paperSizes << vlPapers::CustomPaper;
        m_devicePapers << QPageSize();
    }
}

void TvlPrinter::GetSettings()
{
    if (IsVirtual())
        return;
    const QSize askedUpright = portraitOf(m_paperWidth, m_paperHeight, m_orientation);
    FillDevicePapers();
    const QPageLayout layout = m_printer->pageLayout();
    const QPageSize sheet = layout.pageSize();
    const QSize sheetSize = vlPapers::tenthsOfMm(sheet);
    m_orientation = layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    m_deviceSheet = sheet;
    const PrinterPageGeometry g = printerBackend().pageGeometry(PrinterName(), sheet, layout.orientation());
    if (g.isValid()) {
        m_paperWidth = qRound(double(g.paper.width()) / g.dpiX * 254);
        m_paperHeight = qRound(double(g.paper.height()) / g.dpiY * 254);
    }
    // The code of the sheet: an own size asked for stays custom, a sheet the
    // printer lists has its code, a table paper given as a custom sheet keeps its code.
    const TvlPaper *asked = vlPapers::find(m_paperSize);
    int code = 0;
    if (m_paperSize == vlPapers::CustomPaper && sameSize(askedUpright, sheetSize))
        code = vlPapers::CustomPaper;
    for (int i = 0; i < m_devicePapers.size() && code == 0; ++i)
        if (m_devicePapers[i].isValid() && m_devicePapers[i].isEquivalentTo(sheet))
            code = m_paperSizes[i];
    if (code == 0)
        code = asked && sameSize(QSize(asked->width, asked->height), sheetSize) ? m_paperSize : vlPapers::CustomPaper;
    m_paperSize = code;
}

// The sheet this printer should use for the current paper: its own sheet of
// that code, else its own sheet of the same size, else a custom sheet when
// it takes them; invalid when it can take none.
QPageSize TvlPrinter::DeviceSheet()
{
    const QSize wanted = [&] {
        const TvlPaper *row = vlPapers::find(m_paperSize);
        if (row && row->code != vlPapers::CustomPaper)
            return QSize(row->width, row->height);
        return portraitOf(m_paperWidth, m_paperHeight, m_orientation);
    }();
    const bool customSheets = m_paperSizes.contains(vlPapers::CustomPaper);
    if (m_paperSize == vlPapers::CustomPaper && customSheets && !wanted.isEmpty())
        return vlPapers::pageSize(wanted.width(), wanted.height(), paperTitle(m_paperSize, wanted));
    for (int i = 0; i < m_devicePapers.size(); ++i) {
        const QPageSize &sheet = m_devicePapers[i];
        const bool ownCode = m_paperSize > vlPapers::CustomPaper;
        if (sheet.isValid() && m_paperSizes[i] == m_paperSize &&
            (!ownCode || sameSize(vlPapers::tenthsOfMm(sheet), wanted)))
            return sheet;
    }
    for (const QPageSize &sheet : m_devicePapers)
        if (sheet.isValid() && sameSize(vlPapers::tenthsOfMm(sheet), wanted))
            return sheet;
    if (customSheets && !wanted.isEmpty())
        return vlPapers::pageSize(wanted.width(), wanted.height(), paperTitle(m_paperSize, wanted));
    return QPageSize();
}

void TvlPrinter::SetSettings()
{
    m_paperProblem.clear();
    if (IsVirtual()) {
        FillVirtualPapers();
        const TvlPaper *row = vlPapers::find(m_paperSize);
        if (row && row->code != vlPapers::CustomPaper) {
            m_paperWidth = m_orientation == poLandscape ? row->height : row->width;
            m_paperHeight = m_orientation == poLandscape ? row->width : row->height;
        }
        if (m_printer) {
            const QSize upright = portraitOf(m_paperWidth, m_paperHeight, m_orientation);
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            if (!upright.isEmpty())
                m_printer->setPageSize(vlPapers::pageSize(upright.width(), upright.height()));
            m_printer->setPageOrientation(qtOrientation(m_orientation));
        }
        return;
    }
    const QPageSize sheet = DeviceSheet();
    const QSize upright = portraitOf(m_paperWidth, m_paperHeight, m_orientation);
    if (!sheet.isValid()) {
        // Keep the page's paper: the layout must not change behind the user's back.
        m_deviceSheet = upright.isEmpty() ? QPageSize() : vlPapers::pageSize(upright.width(), upright.height());
        ReportPaperProblem(
            QStringLiteral("Tiskárna „%1“ nemá papír „%2“.").arg(PrinterName(), paperTitle(m_paperSize, upright)));
        return;
    }
    if (!printerBackend().configure(*m_printer, PrinterName(), sheet, qtOrientation(m_orientation))) {
        ReportPaperProblem(QStringLiteral("Tiskárna „%1“ není dostupná.").arg(PrinterName()));
        return;
    }
    GetSettings();
}

void TvlPrinter::ReportPaperProblem(const QString &problem)
{
    m_paperProblem = problem;
    if (OnPaperProblem)
        OnPaperProblem(problem);
}

bool TvlPrinter::IsEqual(int paperSize, int width, int height, TPrinterOrientation orientation) const
{
    if (paperSize != m_paperSize || orientation != m_orientation)
        return false;
    return paperSize != vlPapers::CustomPaper || (width == m_paperWidth && height == m_paperHeight);
}

void TvlPrinter::SetPrinterInfo(int paperSize, int width, int height, TPrinterOrientation orientation)
{
    if (IsEqual(paperSize, width, height, orientation))
        return;
    m_paperSize = paperSize;
    m_paperWidth = width;
    m_paperHeight = height;
    m_orientation = orientation;
    SetSettings();
}

int TvlPrinter::PaperIndexOf(int paperSize) const
{
    const int exact = m_paperSizes.indexOf(paperSize);
    if (exact >= 0)
        return exact;
    const TvlPaper *row = vlPapers::find(paperSize);
    if (row && row->code != vlPapers::CustomPaper) {
        const QSize wanted(row->width, row->height);
        for (int i = 0; i < m_paperSizes.size(); ++i) {
            QSize offered;
            if (i < m_devicePapers.size() && m_devicePapers[i].isValid())
                offered = vlPapers::tenthsOfMm(m_devicePapers[i]);
            else if (const TvlPaper *own = vlPapers::find(m_paperSizes[i]))
                offered = QSize(own->width, own->height);
            if (m_paperSizes[i] != vlPapers::CustomPaper && sameSize(offered, wanted))
                return i;
        }
    }
    return m_paperSizes.size() - 1;
}

void TvlPrinter::FillPrnInfo(TvlPrnInfo &info) const
{
    PrinterPageGeometry g;
    if (!IsVirtual() && m_deviceSheet.isValid())
        g = printerBackend().pageGeometry(PrinterName(), m_deviceSheet, qtOrientation(m_orientation));
    if (!g.isValid()) {
        // The virtual printer: the paper itself with a 5 mm unprintable border.
        info = TvlPrnInfo();
        info.PageWidth = qRound(m_paperWidth * vlUnitsPerInchX / 254);
        info.PageHeight = qRound(m_paperHeight * vlUnitsPerInchY / 254);
        info.OffsetX = qRound(50 * vlUnitsPerInchX / 254);
        info.OffsetY = qRound(50 * vlUnitsPerInchY / 254);
        info.PrintableWidth = info.PageWidth - 2 * info.OffsetX;
        info.PrintableHeight = info.PageHeight - 2 * info.OffsetY;
        return;
    }
    const double fx = vlUnitsPerInchX / g.dpiX;
    const double fy = vlUnitsPerInchY / g.dpiY;
    info.DevicePageWidth = g.paper.width();
    info.DevicePageHeight = g.paper.height();
    info.DeviceOffsetX = g.printable.left();
    info.DeviceOffsetY = g.printable.top();
    info.DevicePrintableWidth = g.printable.width();
    info.DevicePrintableHeight = g.printable.height();
    info.PageWidth = qRound(info.DevicePageWidth * fx);
    info.PageHeight = qRound(info.DevicePageHeight * fy);
    info.OffsetX = qRound(info.DeviceOffsetX * fx);
    info.OffsetY = qRound(info.DeviceOffsetY * fy);
    info.PrintableWidth = qRound(info.DevicePrintableWidth * fx);
    info.PrintableHeight = qRound(info.DevicePrintableHeight * fy);
}

namespace {
std::unique_ptr<TvlPrinter> &enginePrinter()
{
    static std::unique_ptr<TvlPrinter> printer;
    return printer;
}
} // namespace

TvlPrinter &vlPrinter()
{
    std::unique_ptr<TvlPrinter> &printer = enginePrinter();
    if (!printer) {
        printer = std::make_unique<TvlPrinter>();
        printer->SetPrinter(nullptr);
    }
    return *printer;
}

void vlFreePrinter()
{
    enginePrinter().reset();
}
