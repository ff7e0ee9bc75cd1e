#pragma once
// The printers installed on the system, as the report engine and the printer
// pickers see them. The program talks to CUPS through Qt; tests install a
// fixed backend so that nothing depends on the machine's printers.
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>
#include <memory>

class QPrinter;

struct PrinterDescription
{
    enum class State { Idle, Printing, Stopped, Error };

    QString name;        // queue name ("queue" or "queue/instance"), what QPrinter takes
    QString description; // the administrator's comment
    QString location;
    QString makeAndModel; // driver
    bool isDefault = false;
    bool isRemote = false; // a network printer
    State state = State::Idle;
};

// The physical page and its printable part for one paper, in device pixels.
struct PrinterPageGeometry
{
    int dpiX = 0;
    int dpiY = 0;
    QRect paper;     // (0, 0, width, height) of the oriented sheet
    QRect printable; // the part the device can print on; its top-left is the offset
    bool isValid() const { return dpiX > 0 && dpiY > 0 && !paper.isEmpty(); }
};

// The geometry of the sheet a QPrinter is set to, with the device's
// unprintable border (its minimum margins) at the printer's resolution.
PrinterPageGeometry printerPageGeometry(const QPrinter &printer);

class PrinterBackend
{
public:
    virtual ~PrinterBackend() = default;

    // Installed printers in the system's order.
    virtual QList<PrinterDescription> printers() const = 0;
    // The papers the printer offers, with the driver's names (QPageSize::name()).
    virtual QList<QPageSize> supportedPageSizes(const QString &printer) const = 0;
    virtual QPageSize defaultPageSize(const QString &printer) const = 0;
    virtual bool supportsCustomPageSizes(const QString &printer) const = 0;
    virtual QList<int> supportedResolutions(const QString &printer) const = 0;
    // Geometry of the sheet in that orientation at the printer's resolution;
    // invalid for an unknown printer.
    virtual PrinterPageGeometry pageGeometry(const QString &printer, const QPageSize &paper,
                                             QPageLayout::Orientation orientation) const = 0;
    // Points the QPrinter at the printer with that paper and orientation;
    // false (QPrinter untouched) for an unknown printer.
    virtual bool configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                           QPageLayout::Orientation orientation) const = 0;

    // Conveniences over printers().
    QStringList printerNames() const;
    QString defaultPrinterName() const;        // empty when there is none
    int indexOf(const QString &printer) const; // -1 when not installed
};

// The backend in use: the Qt/CUPS one unless another was installed.
PrinterBackend &printerBackend();
// Installs a backend (nullptr returns to the Qt/CUPS one).
void setPrinterBackend(std::unique_ptr<PrinterBackend> backend);

// Installs a backend for the lifetime of the object (tests).
class ScopedPrinterBackend
{
public:
    explicit ScopedPrinterBackend(std::unique_ptr<PrinterBackend> backend);
    ~ScopedPrinterBackend();
    ScopedPrinterBackend(const ScopedPrinterBackend &) = delete;
    ScopedPrinterBackend &operator=(const ScopedPrinterBackend &) = delete;

private:
    std::unique_ptr<PrinterBackend> m_previous;
};

// Printers over QPrinterInfo (CUPS on a desktop).
class QtPrinterBackend : public PrinterBackend
{
public:
    QList<PrinterDescription> printers() const override;
    QList<QPageSize> supportedPageSizes(const QString &printer) const override;
    QPageSize defaultPageSize(const QString &printer) const override;
    bool supportsCustomPageSizes(const QString &printer) const override;
    QList<int> supportedResolutions(const QString &printer) const override;
    PrinterPageGeometry pageGeometry(const QString &printer, const QPageSize &paper,
                                     QPageLayout::Orientation orientation) const override;
    bool configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                   QPageLayout::Orientation orientation) const override;
};

// Printers given as data: what tests install, and a stand-in wherever the
// printers must be known in advance. Its QPrinters write PDF files.
class FixedPrinterBackend : public PrinterBackend
{
public:
    struct Printer
    {
        PrinterDescription description;
        QList<QPageSize> papers;
        QPageSize defaultPaper; // the first paper when not set
        bool customSizes = false;
        int dpiX = 600;
        int dpiY = 600;
        QMarginsF minimumMargins; // millimetres, unprintable border of the portrait sheet
    };

    FixedPrinterBackend() = default;
    explicit FixedPrinterBackend(QList<Printer> printers);
    void addPrinter(const Printer &printer);

    QList<PrinterDescription> printers() const override;
    QList<QPageSize> supportedPageSizes(const QString &printer) const override;
    QPageSize defaultPageSize(const QString &printer) const override;
    bool supportsCustomPageSizes(const QString &printer) const override;
    QList<int> supportedResolutions(const QString &printer) const override;
    PrinterPageGeometry pageGeometry(const QString &printer, const QPageSize &paper,
                                     QPageLayout::Orientation orientation) const override;
    bool configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                   QPageLayout::Orientation orientation) const override;

private:
    const Printer *find(const QString &name) const;
    QList<Printer> m_printers;
};
