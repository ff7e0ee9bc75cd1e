#pragma once
// Export of prepared pages to files of other programs. A filter receives every
// page, every printed object with its position and every text line of the
// memos, and writes its format. Filters are registered as prototypes; each
// export works with a fresh filter the prototype makes.
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TvlEMFPages;
class TvlView;

// The style code of exported text.
enum TvlExportStyle { esItalic = 1, esBold = 2, esUnderline = 4 };

// One text piece of a page line.
struct TvlExportItem
{
    int X = 0; // pixels
    QString Text;
    // Font data, for pieces of memo objects only.
    bool HasFont = false;
    QString FontName;
    int FontSize = 0;
    int FontStyle = 0; // TvlExportStyle bits
    qint32 FontColor = 0;
    int Charset = 0;
    qint32 FillColor = 0x1FFFFFFF; // the object's fill
};

class TvlExportFilter
{
public:
    virtual ~TvlExportFilter();

    // The entry of the save dialog ("Textový soubor CSV (*.csv)") and the mask ("*.csv").
    virtual QString Description() const = 0;
    virtual QString FileMask() const = 0;
    // The file name suffix the filter forces (".csv").
    QString Extension() const;
    // A filter for one export; it asks the user what it needs to know first.
    // nullptr when the user cancelled: nothing has been written anywhere.
    virtual std::unique_ptr<TvlExportFilter> Create() const = 0;

    // Writing starts: the target stays the caller's.
    virtual void Begin(QIODevice &target);
    virtual void OnBeginDoc() {}
    virtual void OnEndDoc() {}
    virtual void OnBeginPage() {}
    virtual void OnEndPage() {}
    virtual void OnData(int x, int y, TvlView &view);
    virtual void OnText(int x, int y, const QString &text, TvlView *view);
    // Writes what closes the file, after the last page.
    virtual void Finish() {}

    // The line slots of the current page, each sorted by x.
    using Line = std::vector<TvlExportItem>;
    const std::vector<Line> &Lines() const { return m_lines; }

protected:
    void Write(const QByteArray &bytes);
    void WriteLatin1(const char *text) { Write(QByteArray(text)); }
    // Empties the line slots, leaving count empty ones.
    void ResetLines(int count);
    // Puts the item into line index (made when missing) before the first item
    // whose x is not smaller, so of equal x the newest comes first.
    void InsertItem(int index, TvlExportItem item);
    // Index of the last line holding an item; -1 when none does.
    int LastLine() const;

    QIODevice *m_stream = nullptr;

private:
    std::vector<Line> m_lines;
};

// The four filters of the engine, registered once (later calls do nothing).
void vlRegisterStandardExportFilters();

// Gives every page to the filter: OnBeginPage, each object's OnData and the
// text lines of memos to OnText, OnEndPage; progress (page from 1, count)
// returns false to stop. OnBeginDoc and OnEndDoc are the caller's. False when
// stopped; damaged tells whether a page could not be read whole (what was read
// of it is exported).
bool vlExportPages(TvlEMFPages &pages, TvlExportFilter &filter, const std::function<bool(int, int)> &progress = {},
                   bool *damaged = nullptr);

enum class TvlExportResult { Done, Cancelled, Failed };

// A whole export to a file. The filter asks its question first; the file is
// written next to the target and replaces it only when every page went out,
// so a cancelled question or export leaves the target as it was. error gets
// the reason of a failure, in Czech, or why a Done export misses something.
TvlExportResult vlExportToFile(TvlEMFPages &pages, const TvlExportFilter &prototype, const QString &fileName,
                               const std::function<bool(int, int)> &progress = {}, QString *error = nullptr);
// The same with a filter made (and asked) before.
TvlExportResult vlWriteExport(TvlEMFPages &pages, TvlExportFilter &filter, const QString &fileName,
                              const std::function<bool(int, int)> &progress = {}, QString *error = nullptr);
