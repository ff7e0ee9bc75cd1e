#pragma once
// Report building: turns the design pages of a report into prepared pages.
// One builder lives for one PrepareReport; it holds what the whole build
// shares (the report being built, the current prepared page, the pass,
// DATE and TIME, the error), answers the interpreter and the function
// library, and forms each design page through its run-time bands.
#include "report/vlband.h"
#include "report/vlcompiledexpression.h"
#include "report/vlreport.h"
#include "report/vlscriptbinding.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <unordered_map>

class TvlProgressForm;
namespace Db {
class Dataset;
class Field;
} // namespace Db

// A design page while it is formed: run-time copies of its objects, the
// band table and where printing stands.
class TvlPageRun
{
public:
    explicit TvlPageRun(TvlPage *page, int index)
        : Page(page)
        , Index(index)
    {}

    TvlBand *Band(int type) const { return Table[type]; }
    int BandHeight(int type) const { return Table[type] && Table[type]->HasObjects() ? Table[type]->Height : 0; }

    TvlPage *Page;
    int Index;
    std::vector<std::unique_ptr<TvlView>> Objects;
    std::vector<std::unique_ptr<TvlBand>> Bands;
    TvlBand *Table[vlBandSlots] = {};
    // Objects of the cross bands, by the cross band they came from.
    std::unordered_map<const TvlView *, TvlBand *> CrossOwner;
    int CurY = 0, CurBottomY = 0;
    int CurColumn = 0, Columns = 1, ColumnWidth = 0, ColumnGap = 0;
    int XAdjust = 0;
    int ColumnStartY = 0;
    int FreshY = 0;                   // where the current column's content starts
    int ColumnFooterRoom = 0;         // kept below the rows for the column footer, as it grows
    bool ColumnFooterPrinted = false; // this column's footer is done
    TvlBand *FilledBy = nullptr;      // the last band a break printed in this column
    bool IsSubReportPage = false;
    std::vector<TvlBand *> Queue; // bands waiting for a row below them
    TvlPageRun *Parent = nullptr; // while printed as a sub-report
    int ParentOffsetX = 0;        // its x from the parent's column
    int BoxWidth = 0;             // the width of its sub-report's box, which its content keeps to
    int OwnPagesFrom = 0;         // the prepared pages from this one on are made while it prints
};

// The script variables every report shares.
TvlVariables &vlScriptVariables();

// A memo's text as its band prepared it: the script variables it was
// expanded with, so that it reads the page again where its band moved.
struct TvlExpansion
{
    TvlView *View;
    TvlVariables Variables;
    // OnEnterRect made the text of it: expanded again, it is entered again.
    bool Entered = false;
    // The prepared page and page column it was expanded for.
    int Page = -1, Column = -1;
};

// The cells of a row's cross columns, each prepared once as the row was
// measured and printed as it stands: the header's, each column's and the
// footer's (unless they are the row's totals, which wait for its columns).
struct TvlMeasuredCells
{
    using Cells = std::vector<std::unique_ptr<TvlView>>;
    Cells Header;
    std::vector<Cells> Columns;
    std::optional<Cells> Footer;
    // Each copy's text as the engine expanded it, to read the page and
    // column where it prints (a further page of columns, a moved row).
    std::unordered_map<const TvlView *, TvlExpansion> Expanded;
};

// Thrown to end a pass: an error (with its text) or the user's interruption.
class TvlBuildStop : public std::runtime_error
{
public:
    TvlBuildStop(const QString &text, bool cancelled)
        : std::runtime_error(text.toStdString())
        , Text(text)
        , Cancelled(cancelled)
    {}
    QString Text;
    bool Cancelled;
};

class TvlReportBuilder : public TvlScriptContext, public TvlFunctionContext
{
public:
    explicit TvlReportBuilder(TvlReport *target);
    ~TvlReportBuilder() override;

    // The builder of the build running now, or nullptr.
    static TvlReportBuilder *Active();

    // The whole build: one or two passes; false when interrupted or failed.
    bool Prepare();
    // One pass over one report's design pages into the target's pages.
    void BuildReport(TvlReport *report);
    // The reports of a composite one after the other.
    void BuildComposite(TvlCompositeReport *composite);

    // TvlScriptContext
    TvlScriptView *CurrentView() override;
    TvlScriptView *FindView(const QString &name) override;
    int FreeSpace() override;
    void ForceNewPage() override;
    void ForceNewColumn() override;
    void GetReportValue(const QString &name, Variant &value) override;
    void CallReportFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                            QString &val) override;

    // TvlFunctionContext
    Variant Calculate(const QString &expression) override;
    TvlAggregateBand *AggregatingBand() override { return m_aggregatingBand; }
    TvlAggregateBand *PrintingBand() override { return m_curBand; }
    QString CrossSuffix() override;
    bool WalkDataset(const QString &reference, bool forCount,
                     const std::function<void(const Variant &)> &visit) override;
    QString Input(const QString &prompt, const QString &defaultText) override;

    // Memo text with every bracket expression replaced by its value text.
    QStringList ExpandMemo(const QStringList &memo, qint32 format, const QString &formatText);

    bool Counting() const { return m_counting; }
    int TotalPages() const { return m_totalPages; }
    int PageIndex() const { return m_pageIndex; }

private:
    // Set-up and release of a design page's run-time bands.
    std::unique_ptr<TvlPageRun> SetupPage(TvlPage *page, int index, bool subPage);
    void BindBlobObjects(TvlPageRun &run);
    TvlDataset *DataSetOf(TvlBand &band, const QString &source);

    // Forming pages (vlbuilder.cpp).
    void BuildPages(TvlPageRun &run);
    bool DataLoop(TvlPageRun &run, int level, int deepest, bool groups);
    void ShowGroupHeaders(TvlPageRun &run, TvlBand *from);
    void NewPage(TvlPageRun &run);
    void NewColumn(TvlPageRun &run, TvlBand *band);
    // Objects of the band other than its cross cells reach past a page column.
    bool WiderThanColumn(const TvlPageRun &run, const TvlBand &band) const;
    // The column footer where the column ends, unless it is printed already.
    void ShowColumnFooter(TvlPageRun &run);
    void EndPage(TvlPageRun &run);
    void AddPage(TvlPageRun &run);
    void ShowPageTop(TvlPageRun &run);
    // A new column or page when height does not fit at y; onlyAsk answers without breaking.
    bool BreakIfNeeded(TvlPageRun &run, int y, int height, TvlBand *band, bool onlyAsk = false);
    // Per page: the progress window's text, and the user's "Storno".
    void Progress();
    // Per record and during long scripts: the program's events now and then, and "Storno".
    void ServeEvents() override;

    // Printing bands (vlshowband.cpp).
    void ShowBand(TvlPageRun &run, TvlBand *band, bool repeated = false);
    void DrawBand(TvlPageRun &run, TvlBand &band);
    void PrintObjects(TvlPageRun &run, TvlBand &band, int y, int clipBottom);
    void SplitBand(TvlPageRun &run, TvlBand &band);
    // The object, cut at clipBottom when that hides no text; else the build ends.
    void PrintWithin(TvlPageRun &run, TvlBand &band, TvlView &view, int x, int y, int clipBottom);
    void PrintCross(TvlPageRun &run, TvlBand &band, int y, int clipBottom);
    // Cross columns (vlcrosspages.cpp): the right edge their cells keep to,
    // in the band's x; the prepared page after the current one, which takes
    // the further columns of the rows of sourcePage, added when missing, and
    // how far down its cells move to clear its own page header; the room a
    // band's cross columns keep at the bottom of the current page for that.
    int CrossRightEdge(TvlPageRun &run) const;
    // The page column printing now, from 0 (a sub-report's that of its parent).
    int PageColumn() const;
    int CrossNextPage(TvlPageRun &run, int sourcePage);
    int CrossRoom(TvlBand &band) const;
    // The lowest end of what the bands printed on the prepared page.
    int LowestOn(int page) const;
    // Cells that no column of the page holds end the build.
    [[noreturn]] void StopCrossWidth(const TvlBand &band, int width, int room);
    // The band's height for its objects' texts now, its cross cells in every column included.
    int RowHeight(TvlPageRun &run, TvlBand &band);
    // The row's cells of a cross band, prepared for the column printing now;
    // without effects, their texts are expanded only: no event, no script.
    std::vector<TvlView *> CrossCells(TvlPageRun &run, TvlBand &band, TvlBand *cross, bool effects = true,
                                      std::vector<TvlExpansion> *expansions = nullptr);
    // A stretched row measures its cells once: it keeps them to print (PrintedCells).
    TvlMeasuredCells MeasureCells(TvlPageRun &run, TvlBand &band);
    // The cells of a cross band to print in the column now: those the row
    // measured, or else the row's cells prepared now.
    std::vector<TvlView *> PrintedCells(TvlPageRun &run, TvlBand &band, TvlBand *cross);
    // A copy of the prepared object, to print later as it stands now.
    std::unique_ptr<TvlView> PreparedCopy(TvlView &view);
    // The memos' texts expanded again where their band now prints.
    void ExpandAgain(std::vector<TvlExpansion> &expansions);
    void ExpandAgain(TvlExpansion &expansion);
    int PrintSubReports(TvlPageRun &run, TvlBand &band, int y);
    void BuildSubPage(TvlPageRun &run);
    // The data bands of every level, with their groups.
    void PrintData(TvlPageRun &run);
    // Column offset of the run's objects.
    static int ShiftX(const TvlPageRun &run);
    // The aggregate expressions of a footer's memo, which adding up a row evaluates.
    const QStringList &Aggregates(const TvlView &view);
    // The value of a group header's condition.
    Variant GroupValue(TvlBand &group);
    // Expands the object's text, raises OnEnterRect and runs its script
    // (effects off: only the text); with expansions, a memo whose text is
    // the engine's own is noted there.
    void PrepareObject(TvlView &view, std::vector<TvlExpansion> *expansions = nullptr, bool effects = true);
    void PrintObject(TvlPageRun &run, TvlView &view, int x, int y);
    void RunScript(const QStringList &coded, TvlView *view);
    void Accumulate(TvlPageRun &run, TvlBand &dataBand);
    void ResetAfterPrint(TvlPageRun &run, TvlBand &band, bool repeated);
    [[noreturn]] void ObjectError(TvlView &view, TvlBand *band, const std::exception &error);
    // Ends the build with the engine's error text: what (the object's text),
    // the report, the band (type -1: none) and why.
    [[noreturn]] void StopAt(int bandType, const QStringList &what, const QString &why);
    // A page footer of the height, or the page header with it, leaving no
    // room on the page ends the build.
    void CheckPageRoom(TvlPageRun &run, int footerHeight);
    // Pages that show each other as sub-reports would never print: the build ends.
    void CheckSubReports();
    // A band whose objects would start at or below bottom even where it now
    // prints (a fresh column or page) ends the build.
    void CheckBandRoom(TvlPageRun &run, TvlBand &band, int y, int bottom);
    // A band that each page prints has cross columns past the right edge: the build ends.
    [[noreturn]] void StopCrossWrap(const TvlBand &band);
    // Bound to a data set that is not there, or of a negative size: the build ends.
    void CheckBand(TvlBand &band, const QString &source = {}, bool found = true);

    // Room of bands on the page (vlbandroom.cpp).
    // Height a band's objects need now, their texts expanded: its design
    // height unless it stretches; 0 for a band without objects.
    int MeasureBand(TvlPageRun &run, TvlBand *band);
    // The bottom limit of a page starting now: above the room its page footer grows to.
    int PageBottom(TvlPageRun &run);
    // The room the column footer keeps below the rows of the column starting now.
    void MeasureColumnFooter(TvlPageRun &run);
    // A band of the height at y leaves the column footer its room.
    static bool Fits(const TvlPageRun &run, int y, int height);
    // Cut to the height, the object would hide lines of text its own box shows.
    static bool LosesLines(TvlView &view, int height);
    // Ends the build: the band (or its object) needs more than the room left.
    [[noreturn]] void StopTooTall(const TvlPageRun &run, const TvlBand &band, const TvlView *view, int needs, int room);

    // Value lookup (vlvaluelookup.cpp).
    bool LookupValueEntry(const QString &name, Variant &value);
    bool LookupField(const QString &name, Variant &value);
    bool LookupSpecial(const QString &name, Variant &value);
    QString ExpandLine(const QString &line, qint32 format, const QString &formatText);
    // A memo line cut at its bracket expressions, each with its display format.
    struct BracketLine
    {
        struct Item
        {
            QString Before; // the text before the bracket
            QString Expression;
            QString FormatSpec; // after " #"
            bool HasFormat;
            // The format text after " #" as last read, and what it made of the object's format.
            struct Read
            {
                bool Done = false;
                qint32 FromFormat = 0, Format = 0;
                QString FromText, Text;
            };
            mutable Read LastRead;
        };
        std::vector<Item> Items;
        QString Tail;
    };
    std::shared_ptr<const BracketLine> ParseBracketLine(const QString &line);
    // The data band whose records LINE# and the like count.
    TvlBand *DataBandOf(TvlBand *band) const;
    // The band whose data set plain field names are read from.
    TvlBand *FieldBand() const;
    // Pictures and rich text naming a field take their content from it.
    void BindBlob(TvlView &view);

    TvlReport *m_target; // the pages go here
    TvlReport *m_report; // whose design pages are formed now
    TvlPageRun *m_curRun = nullptr;
    TvlBand *m_curBand = nullptr;
    TvlView *m_curView = nullptr;
    TvlBand *m_aggregatingBand = nullptr;
    TvlBand *m_lastDataBand = nullptr;
    TvlReportBuilder *m_previous;

    TInterpretator m_interpreter;
    TvlParser m_parser; // answered by the value lookup and the function libraries
    TvlExpressionCache m_expressions;
    TvlStdFunctionLibrary m_stdLibrary;
    std::vector<std::unique_ptr<TvlPageRun>> m_runs;
    std::vector<TvlView *> m_hooks;
    QStringList m_evaluating; // names evaluated as expressions now, outermost first

    std::unordered_map<const TvlView *, QStringList> m_scripts;     // coded, per run-time object
    std::unordered_map<const TvlView *, QStringList> m_aggregating; // aggregate expressions per memo
    std::unordered_map<const TvlView *, QString> m_blobs;           // the field an object shows
    int m_pageIndex = 0;
    bool m_counting = false;
    bool m_firstPass = true, m_lastPass = true;
    bool m_continueAfterReport = false;
    int m_totalPages = 0;
    QDateTime m_started;
    QString m_passLabel;
    QString m_caption;
    TvlProgressForm *m_progress = nullptr; // while the build runs in it
    QElapsedTimer m_served;
    bool m_exportingTotal = false;

    // Continuing the next design page on the same output page.
    bool m_continue = false;
    bool m_footerPending = false;
    int m_savedY = 0, m_savedBottom = 0;
    std::map<int, int> m_contentTop;   // prepared page -> y below its page header
    std::set<int> m_withoutPageHeader; // prepared pages that start a design page without it
    std::set<int> m_crossPages;        // prepared pages holding only further cross columns
    std::map<int, int> m_crossShift;   // such a page -> how far its cells lie below those they go on from
    std::map<int, int> m_crossRoom;    // prepared page -> room its cross rows keep for that
    std::vector<int> m_pageLowest;     // prepared page -> the lowest end of what its bands printed
    int m_pageBreaks = 0;              // new pages the content broke to

    // The texts of the band printing now, noted to read again where they print.
    std::vector<TvlExpansion> *m_expansions = nullptr;
    // Cross columns being printed: 0 outside them, -1 in the cross footer.
    int m_crossColumn = 0;
    // The cross cells of stretched rows measured and not yet printed.
    std::unordered_map<const TvlBand *, TvlMeasuredCells> m_measuredCells;
    // Footers to which the current row's cross columns added something.
    std::set<TvlBand *> m_columnsCounted;
    std::unordered_map<QString, std::shared_ptr<const BracketLine>> m_bracketLines;
    // The lines met last, known by their shared text: a memo's lines come back
    // every record as the same strings, found here without hashing them.
    struct RecentLine
    {
        QString Line;
        std::shared_ptr<const BracketLine> Parsed;
    };
    std::array<RecentLine, 8> m_recentLines;
    int m_nextRecentLine = 0;
    // Fields found by their plain names, each while its dataset's fields stay.
    struct FoundField
    {
        const Db::Dataset *DataSet = nullptr;
        quint64 Stamp = 0;
        QString Name;
        Db::Field *Field = nullptr;
    };
    std::array<FoundField, 16> m_foundFields;
    int m_nextFoundField = 0;
    QString m_currentExpression;
    Variant m_currentValue;
};
