#pragma once
// The engine's single view of printing devices: the installed printers plus
// the virtual printer (last), the current paper, and the page geometry in the
// engine's page units that pages, prepared pages and the preview work in.
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

class QPrinter;

// Page units per inch: the engine's layout grid on paper.
constexpr double vlUnitsPerInchX = 90.99804305283757;
constexpr double vlUnitsPerInchY = 91.6256157635468;

enum TPrinterOrientation { poPortrait = 0, poLandscape = 1 };

// Page geometry: device values in printer pixels, the rest in page units.
struct TvlPrnInfo
{
    qint32 DevicePageWidth = 0;
    qint32 DevicePageHeight = 0;
    qint32 PageWidth = 0;
    qint32 PageHeight = 0;
    qint32 DeviceOffsetX = 0;
    qint32 DeviceOffsetY = 0;
    qint32 OffsetX = 0;
    qint32 OffsetY = 0;
    qint32 DevicePrintableWidth = 0;
    qint32 DevicePrintableHeight = 0;
    qint32 PrintableWidth = 0;
    qint32 PrintableHeight = 0;

    bool operator==(const TvlPrnInfo &) const = default;
};

class EPrinterError : public std::runtime_error
{
public:
    explicit EPrinterError(const QString &message);
    QString text() const { return QString::fromUtf8(what()); }
};

class TvlPrinter
{
public:
    static const QString VirtualPrinterName; // "Výchozí tiskárna"

    TvlPrinter();
    ~TvlPrinter();
    TvlPrinter(const TvlPrinter &) = delete;
    TvlPrinter &operator=(const TvlPrinter &) = delete;

    // Lists the installed printers (from the printer backend), selects the
    // system's default one, and appends the virtual printer. The QPrinter is
    // kept in step with the current printer and paper; nullptr gives the
    // printer one of its own.
    void SetPrinter(QPrinter *printer);
    // Selects a printer by its index in Printers(); the printer's own default
    // paper becomes current. Raises EPrinterError for a bad index or a printer
    // that can no longer be reached.
    void SetPrinterIndex(int index);
    // Reads the paper and the paper list from the device.
    void GetSettings();
    // Writes the current paper to the device (or fills the lists of the virtual printer).
    void SetSettings();
    void SetPrinterInfo(int paperSize, int width, int height, TPrinterOrientation orientation);
    bool IsEqual(int paperSize, int width, int height, TPrinterOrientation orientation) const;
    // Index of the paper in PaperSizes(): by code, else a paper of the same
    // size, else the last entry (on every printer that is "Custom" when the
    // printer takes own sizes).
    int PaperIndexOf(int paperSize) const;
    void FillPrnInfo(TvlPrnInfo &info) const;

    QPrinter *Printer() const { return m_printer; }
    const QStringList &Printers() const { return m_printers; }
    int PrinterIndex() const { return m_printerIndex; }
    int VirtualPrinterIndex() const { return m_virtualIndex; }
    bool IsVirtual() const { return m_printerIndex == m_virtualIndex; }
    QString PrinterName() const;
    const QStringList &PaperNames() const { return m_paperNames; }
    const QList<int> &PaperSizes() const { return m_paperSizes; }
    int PaperSizesNum() const { return m_paperSizes.size(); }
    TPrinterOrientation Orientation() const { return m_orientation; }
    int PaperSize() const { return m_paperSize; }
    int PaperWidth() const { return m_paperWidth; } // tenths of a millimetre, as oriented
    int PaperHeight() const { return m_paperHeight; }

    // Why the current printer could not take the current paper (Czech, for
    // the user); empty when it could. The page keeps its paper regardless.
    const QString &PaperProblem() const { return m_paperProblem; }
    std::function<void(const QString &)> OnPaperProblem;

private:
    void FillVirtualPapers();
    void FillDevicePapers();
    QPageSize DeviceSheet(); // the sheet to ask of the device for the current paper
    void ReportPaperProblem(const QString &problem);

    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter *m_printer = nullptr;
    QStringList m_printers;
    int m_printerIndex = 0;
    int m_virtualIndex = 0;
    TPrinterOrientation m_orientation = poPortrait;
    int m_paperSize = 9;
    int m_paperWidth = 2100;
    int m_paperHeight = 2970;
    QStringList m_paperNames;
    QList<int> m_paperSizes;
    QList<QPageSize> m_devicePapers; // real printer: the sheets behind PaperSizes
    QPageSize m_deviceSheet;         // real printer: the sheet in use
    QString m_paperProblem;
};

// The engine's printer, created on first use on the installed printer backend.
TvlPrinter &vlPrinter();
// Frees the engine's printer (shutdown, or a test that changed the backend);
// the next vlPrinter() creates it again.
void vlFreePrinter();
