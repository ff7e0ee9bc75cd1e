#pragma once
// The report component a form holds: its layout (design pages, values,
// variables), the prepared pages a build makes, and the operations the
// program calls: load, save, design, prepare, preview, print and export.
// While a report builds it also answers the expression parser: names go
// through the value lookup, calls through the function libraries.
#include "platform/variant.h"
#include "report/dataset.h"
#include "report/vlpreparedpages.h"
#include "report/vlpreviewreport.h"
#include "report/vlreportlayout.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class TvlBand;
class TvlExportFilter;
class TvlReport;

enum TvlReportType { rtSimple = 0, rtMultiple = 1 };

// The preview's zoom when it opens and its buttons; the preview reads them.
enum TvlPreviewZoom { pzDefault = 0, pzPageWidth = 1, pzOnePage = 2, pzTwoPages = 3 };
enum TvlPreviewButton {
    pbZoom = 1,
    pbLoad = 2,
    pbSave = 4,
    pbPrint = 8,
    pbFind = 16,
    pbHelp = 32,
    pbExit = 64,
};
constexpr int vlAllPreviewButtons = 127;

// The designer as the engine sees it; the report designer implements it and
// registers its one instance at start-up.
class TvlReportDesigner
{
public:
    virtual ~TvlReportDesigner() = default;
    // Shows the designer modally for the report; returns when it closes.
    virtual void ShowModal(TvlReport &report) = 0;
    virtual void AddObjectButton(const QImage &bitmap, const QString &hint, int tag) = 0;
    virtual void AddToolItem(const QString &caption, const QImage &bitmap, const std::function<void()> &onClick) = 0;
    virtual void BeforeObjectChange() = 0;
    virtual void AfterObjectChange() = 0;
    virtual void RedrawPage() = 0;
    // The design page it shows and whether the user changed it.
    virtual TvlPage *Page() const = 0;
    virtual void SetPage(TvlPage *page) = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
};
void vlRegisterDesigner(TvlReportDesigner *designer); // nullptr unregisters
TvlReportDesigner *vlDesigner();
// The registry key of the engine's and the designer's settings ("\Software\Vellum\" and the
// program's title, with a closing "\"); a designer form keeps its options in "Form\" + its name.
QString vlEngineRegistryKey();

// The text a value shows in a display format (kind, index, decimals and
// separator packed as the objects keep them; custom pictures in formatText).
QString vlFormatViewValue(const Variant &value, qint32 format, const QString &formatText);
// Reads the format part of a bracket expression after " #"; false leaves
// format and formatText alone.
bool vlParseFormatSuffix(const QString &suffix, qint32 &format, QString &formatText);

class TvlReport : public QObject, public TvlReportLayout
{
    Q_OBJECT
    Q_PROPERTY(TvlDataset *Dataset READ Dataset WRITE SetDataset)
    Q_PROPERTY(bool GrayedButtons MEMBER GrayedButtons)
    Q_PROPERTY(TvlPreviewZoom InitialZoom MEMBER InitialZoom)
    Q_PROPERTY(bool ModalPreview MEMBER ModalPreview)
    Q_PROPERTY(bool ModifyPrepared MEMBER ModifyPrepared)
    Q_PROPERTY(int PreviewButtons MEMBER PreviewButtons)
    Q_PROPERTY(TvlReportType ReportType MEMBER ReportType)
    Q_PROPERTY(bool ShowProgress MEMBER ShowProgress)
    Q_PROPERTY(bool StoreInDFM MEMBER StoreInDFM)
    Q_PROPERTY(QString Title MEMBER Title)

public:
    Q_ENUM(TvlReportType)
    Q_ENUM(TvlPreviewZoom)

    static const QString Untitled; // "Bez názvu"

    explicit TvlReport(QObject *owner = nullptr);
    ~TvlReport() override;

    TvlEMFPages EMFPages;
    bool CanRebuild = false;
    bool Terminated = false;
    bool XmlMode = false;

    TvlDataset *Dataset() const { return m_dataset; }
    void SetDataset(TvlDataset *dataset) { m_dataset = dataset; }
    // The embedded preview panel, when the form has one.
    QWidget *Preview() const { return m_preview; }
    void SetPreview(QWidget *preview) { m_preview = preview; }

    bool GrayedButtons = false;
    TvlPreviewZoom InitialZoom = pzDefault;
    bool ModalPreview = true;
    bool ModifyPrepared = true;
    int PreviewButtons = vlAllPreviewButtons;
    TvlReportType ReportType = rtSimple;
    bool ShowProgress = true;
    bool StoreInDFM = false;
    QString Title;

    // Events; all optional.
    std::function<void()> OnBeginDoc;
    std::function<void()> OnEndDoc;
    std::function<void(int pageNumber)> OnBeginPage;
    std::function<void(int pageNumber)> OnEndPage;
    std::function<void(TvlBand *band)> OnBeginBand;
    std::function<void(TvlBand *band)> OnEndBand;
    std::function<void(const QString &name, Variant &value)> OnGetValue;
    // The memo's text (after expansion) and the object, just before it prints.
    std::function<void(QStringList &memo, TvlView *view)> OnEnterRect;
    // Functions no library knows; p1-p3 are the argument texts, value the
    // result as expression text (starts as "0").
    std::function<void(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &value)>
        OnUserFunction;
    std::function<void(int n)> OnProgress;
    std::function<void(TvlBand *band)> OnBeginColumn;
    std::function<void(int columnNumber, int &width)> OnPrintColumn;
    std::function<void(TvlPage *page)> OnManualBuild;

    // Layouts. Failures come back as false with the reason in error.
    bool LoadFromFile(const QString &path, QString *error = nullptr);
    bool SaveToFile(const QString &path, QString *error = nullptr);
    bool SaveToVL3File(const QString &path, QString *error = nullptr);
    bool LoadTemplate(const QString &path, QStringList *description, QImage *bitmap, bool loadBody,
                      QString *error = nullptr);
    bool SaveTemplate(const QString &path, const QStringList &description, const QImage &bitmap,
                      QString *error = nullptr);
    bool LoadPreparedReport(const QString &path, QString *error = nullptr);
    bool SavePreparedReport(const QString &path, QString *error = nullptr);

    // Building. PrepareReport is false when the user interrupted it, when the
    // build stopped at an error (ErrorText() tells which) or when a report
    // is being built already. BuildReport forms every page once; it runs
    // only inside PrepareReport.
    bool PrepareReport();
    virtual void BuildReport();
    bool BuildFailed() const { return m_buildFailed; }
    const QString &ErrorText() const { return m_errorText; }
    bool IsBuilding() const { return m_building; }

    void DesignReport();
    // The designer is open on this report (its preview then opens a window).
    bool IsDesigning() const { return m_designing; }
    void ShowReport();
    void ShowPreparedReport();
    // Prints the selected pages ("1,3,5-12", empty for all; numbers past the
    // last page mean the last page) on the engine's printer.
    bool PrintPreparedReport(const QString &pageList, int copies);
    bool ExportTo(TvlExportFilter *filter, const QString &fileName);
    bool ChangePrinter(int oldIndex, int newIndex);
    void EditPreparedPage(int index);

    // Variables: category lines, and lines of one blank and a variable's name.
    void GetCategoryList(QStringList &list) const;
    void GetVarList(int category, QStringList &list) const;
    int FindVariable(const QString &name) const;

    // The value and formatting routines of the running build, for the
    // designer and the preview too.
    Variant Calculate(const QString &expression);
    static QString FormatViewValue(const Variant &value, qint32 format, const QString &formatText)
    {
        return vlFormatViewValue(value, format, formatText);
    }

private:
    friend class TvlReportBuilder;

    QPointer<TvlDataset> m_dataset;
    QPointer<QWidget> m_preview;
    bool m_building = false;
    bool m_designing = false;
    bool m_buildFailed = false;
    QString m_errorText;
};

// Builds its reports one after the other into its own prepared pages.
class TvlCompositeReport : public TvlReport
{
    Q_OBJECT

public:
    explicit TvlCompositeReport(QObject *owner = nullptr);

    QList<QPointer<TvlReport>> Reports;

    void BuildReport() override;
};
