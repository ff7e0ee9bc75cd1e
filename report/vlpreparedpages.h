#pragma once
// A built report: prepared pages, each with its paper and a stream of printed
// object records. Objects are loaded from the stream only while a page is
// drawn or exported. The list is stored as a prepared-report file (".vlp").
#include "report/vlpage.h"

#include <QRect>
#include <functional>
#include <memory>
#include <vector>

struct TvlPageInfo
{
    QRect PageRect; // where the preview shows the page
    quint16 PaperSize = 0;
    qint32 PaperWidth = 0;
    qint32 PaperHeight = 0;
    quint8 Orientation = 0;
    quint8 UseMargins = 0;
    TvlPrnInfo PrnInfo;
    bool Visible = false; // set while the page is being drawn
    std::unique_ptr<MemoryStream> Stream;
    std::unique_ptr<TvlPage> Page; // the loaded objects, only while needed
};

class TvlEMFPages
{
public:
    // The message of prepared reports that cannot be read whole.
    static const QString DamagedFile;

    TvlEMFPages();
    ~TvlEMFPages();
    TvlEMFPages(const TvlEMFPages &) = delete;
    TvlEMFPages &operator=(const TvlEMFPages &) = delete;

    int Count() const { return int(m_pages.size()); }
    TvlPageInfo *GetPage(int index) const { return m_pages[size_t(index)].get(); }
    TvlPageInfo *operator[](int index) const { return GetPage(index); }
    void Clear();
    // A page with the design page's paper (appended when the index is past the end).
    TvlPageInfo *Insert(int index, const TvlPage &designPage);
    // Appends, then tells OnBeginPage the new page's index.
    TvlPageInfo *Add(const TvlPage &designPage);
    void Delete(int index);
    // Exchanges the pages with another list (the preview borrows a report's).
    void Swap(TvlEMFPages &other) { m_pages.swap(other.m_pages); }

    // Each page takes its paper on the engine's printer and that printer's
    // geometry, after another printer was chosen.
    void ApplyPrinter();
    // (Re)loads the page's objects from its stream; false when the stream is
    // damaged (the objects read before stay).
    bool LoadPage(int index);
    // Rewrites the stream from the loaded objects, after a page was edited.
    void SavePage(int index);
    // Draws a page into a rectangle of the canvas when it is marked visible;
    // otherwise releases its loaded objects.
    void DrawPage(int index, TvlCanvas &canvas, const QRect &rect);
    // Hands every object of the page to visit, then frees them; false when
    // the stream is damaged.
    bool ExportPage(int index, const std::function<void(TvlView &)> &visit);

    // The prepared-report file. Loading replaces the list; a damaged or
    // truncated file gives false with the reason, keeping the pages read
    // before it so the caller can decide what to show.
    void SaveToStream(ByteStream &stream) const;
    bool LoadFromStream(ByteStream &stream, QString *error = nullptr);
    bool SaveToFile(const QString &path, QString *error = nullptr) const;
    bool LoadFromFile(const QString &path, QString *error = nullptr);

    // Loading leaves the printer alone when set (the report keeps its printer).
    bool KeepCurrentPrinter = false;
    std::function<void(int pageIndex)> OnBeginPage;

    struct PageHeader; // a page's header and data in the file

private:
    void ReadPages(ByteStream &stream, bool compressed);
    void ReadOldPages(ByteStream &stream);
    TvlPageInfo *AppendRecord(const PageHeader &page);
    void ReadObjects(TvlPageInfo &info, TvlPage &page);

    std::vector<std::unique_ptr<TvlPageInfo>> m_pages;
};
