#include "platform/printers.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

std::unique_ptr<PrinterBackend> &installedBackend()
{
    static std::unique_ptr<PrinterBackend> backend;
    return backend;
}

// The sheet and the part inside the layout's margins, at one resolution per axis.
PrinterPageGeometry geometryOf(const QPageLayout &layout, int dpiX, int dpiY)
{
    PrinterPageGeometry result;
    result.dpiX = dpiX;
    result.dpiY = dpiY;
    const QRectF fullMm = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
    auto px = [](double mm, int dpi) { return qRound(mm * dpi / 25.4); };
    result.paper = QRect(0, 0, px(fullMm.width(), dpiX), px(fullMm.height(), dpiY));
    // Edges rather than sizes, so the borders and the printable part add up to the sheet.
    result.printable = QRect(QPoint(px(paintMm.left(), dpiX), px(paintMm.top(), dpiY)),
                             QPoint(px(paintMm.right(), dpiX) - 1, px(paintMm.bottom(), dpiY) - 1));
    return result;
}

PrinterDescription::State stateOf(QPrinter::PrinterState state)
{
    switch (state) {
    case QPrinter::Active:
        return PrinterDescription::State::Printing;
    case QPrinter::Aborted:
        return PrinterDescription::State::Stopped;
    case QPrinter::Error:
        return PrinterDescription::State::Error;
    case QPrinter::Idle:
        break;
    }
    return PrinterDescription::State::Idle;
}

} // namespace

PrinterPageGeometry printerPageGeometry(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    return geometryOf(layout, printer.resolution(), printer.resolution());
}

QStringList PrinterBackend::printerNames() const
{
    QStringList names;
    for (const PrinterDescription &p : printers())
        names << p.name;
    return names;
}

QString PrinterBackend::defaultPrinterName() const
{
    for (const PrinterDescription &p : printers())
        if (p.isDefault)
            return p.name;
    return {};
}

int PrinterBackend::indexOf(const QString &printer) const
{
    return printerNames().indexOf(printer);
}

PrinterBackend &printerBackend()
{
    std::unique_ptr<PrinterBackend> &backend = installedBackend();
    if (!backend)
        backend = std::make_unique<QtPrinterBackend>();
    return *backend;
}

void setPrinterBackend(std::unique_ptr<PrinterBackend> backend)
{
    installedBackend() = std::move(backend);
}

ScopedPrinterBackend::ScopedPrinterBackend(std::unique_ptr<PrinterBackend> backend)
    : m_previous(std::move(installedBackend()))
{
    installedBackend() = std::move(backend);
}

ScopedPrinterBackend::~ScopedPrinterBackend()
{
    installedBackend() = std::move(m_previous);
}

// --- Qt / CUPS ---------------------------------------------------------------

QList<PrinterDescription> QtPrinterBackend::printers() const
{
    QList<PrinterDescription> result;
    for (const QPrinterInfo &info : QPrinterInfo::availablePrinters()) {
        PrinterDescription p;
        p.name = info.printerName();
        p.description = info.description();
        p.location = info.location();
        p.makeAndModel = info.makeAndModel();
        p.isDefault = info.isDefault();
        p.isRemote = info.isRemote();
        p.state = stateOf(info.state());
        result << p;
    }
    return result;
}

QList<QPageSize> QtPrinterBackend::supportedPageSizes(const QString &printer) const
{
    return QPrinterInfo::printerInfo(printer).supportedPageSizes();
}

QPageSize QtPrinterBackend::defaultPageSize(const QString &printer) const
{
    return QPrinterInfo::printerInfo(printer).defaultPageSize();
}

bool QtPrinterBackend::supportsCustomPageSizes(const QString &printer) const
{
    return QPrinterInfo::printerInfo(printer).supportsCustomPageSizes();
}

QList<int> QtPrinterBackend::supportedResolutions(const QString &printer) const
{
    return QPrinterInfo::printerInfo(printer).supportedResolutions();
}

PrinterPageGeometry QtPrinterBackend::pageGeometry(const QString &printer, const QPageSize &paper,
                                                   QPageLayout::Orientation orientation) const
{
    QPrinter device(QPrinter::HighResolution);
    if (!configure(device, printer, paper, orientation))
        return {};
    return printerPageGeometry(device);
}

bool QtPrinterBackend::configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                                 QPageLayout::Orientation orientation) const
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return false;
    target.setOutputFormat(QPrinter::NativeFormat);
    target.setPrinterName(printer);
    target.setPageSize(paper);
    target.setPageOrientation(orientation);
    return true;
}

// --- fixed -------------------------------------------------------------------

FixedPrinterBackend::FixedPrinterBackend(QList<Printer> printers)
    : m_printers(std::move(printers))
{}

void FixedPrinterBackend::addPrinter(const Printer &printer)
{
    m_printers << printer;
}

const FixedPrinterBackend::Printer *FixedPrinterBackend::find(const QString &name) const
{
    for (const Printer &p : m_printers)
        if (p.description.name == name)
            return &p;
    return nullptr;
}

QList<PrinterDescription> FixedPrinterBackend::printers() const
{
    QList<PrinterDescription> result;
    for (const Printer &p : m_printers)
        result << p.description;
    return result;
}

QList<QPageSize> FixedPrinterBackend::supportedPageSizes(const QString &printer) const
{
    const Printer *p = find(printer);
    return p ? p->papers : QList<QPageSize>();
}

QPageSize FixedPrinterBackend::defaultPageSize(const QString &printer) const
{
    const Printer *p = find(printer);
    if (!p)
        return {};
    if (p->defaultPaper.isValid())
        return p->defaultPaper;
    return p->papers.isEmpty() ? QPageSize() : p->papers.first();
}

bool FixedPrinterBackend::supportsCustomPageSizes(const QString &printer) const
{
    const Printer *p = find(printer);
    return p && p->customSizes;
}

QList<int> FixedPrinterBackend::supportedResolutions(const QString &printer) const
{
    const Printer *p = find(printer);
    return p ? QList<int>{p->dpiX} : QList<int>();
}

PrinterPageGeometry FixedPrinterBackend::pageGeometry(const QString &printer, const QPageSize &paper,
                                                      QPageLayout::Orientation orientation) const
{
    const Printer *p = find(printer);
    if (!p || !paper.isValid())
        return {};
    QPageLayout layout(paper, orientation, QMarginsF(), QPageLayout::Millimeter);
    QMarginsF m = p->minimumMargins;
    if (orientation == QPageLayout::Landscape) // the sheet turns, its border with it
        m = QMarginsF(m.top(), m.right(), m.bottom(), m.left());
    layout.setMinimumMargins(m);
    layout.setMargins(m);
    return geometryOf(layout, p->dpiX, p->dpiY);
}

bool FixedPrinterBackend::configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                                    QPageLayout::Orientation orientation) const
{
    const Printer *p = find(printer);
    if (!p)
        return false;
    target.setOutputFormat(QPrinter::PdfFormat);
    target.setResolution(p->dpiX);
    target.setPageSize(paper);
    target.setPageOrientation(orientation);
    return true;
}
