#pragma once
// Design pages: paper, margins, columns and the ordered objects of a page
// (list order is drawing order), and the list of a report's pages.
#include "report/printer.h"
#include "report/vlview.h"

#include <memory>
#include <vector>

// Selects the installed printer of that name; nothing when there is none.
void vlSelectPrinter(const QString &name);

struct TvlMargins
{
    qint32 Left = 0, Top = 0, Right = 0, Bottom = 0; // pixels; 0: the printer's border
    bool operator==(const TvlMargins &) const = default;
};

class TvlPage
{
public:
    TvlPage(int paperSize, int width, int height, TPrinterOrientation orientation);
    ~TvlPage();
    TvlPage(const TvlPage &) = delete;
    TvlPage &operator=(const TvlPage &) = delete;

    // Applies the paper to the engine's printer and takes back what it
    // accepted together with the page geometry.
    void ChangePaper(int paperSize, int width, int height, TPrinterOrientation orientation);

    int Count() const { return int(Objects.size()); }
    TvlView *Object(int index) const { return Objects[size_t(index)].get(); }
    TvlView *Add(std::unique_ptr<TvlView> view);
    void Clear();
    void Delete(int index);
    int FindObjectByID(qint32 id) const;            // index or -1
    TvlView *FindObject(const QString &name) const; // without regard to case

    // The printable area in page units. While a report is built the page
    // footer's height is taken off the bottom.
    int LeftOffset() const;
    int TopOffset() const;
    int RightEdge() const;
    int BottomEdge(int pageFooterHeight = 0) const;

    // The page record of layout files.
    void SaveToStream(ByteStream &stream) const;
    // Reads the record and applies its paper.
    void LoadFromStream(ByteStream &stream, int version);

    qint32 PaperSize = 9;
    qint32 PaperWidth = 2100;
    qint32 PaperHeight = 2970;
    TvlMargins Margins;
    TPrinterOrientation Orientation = poPortrait;
    quint16 PrintOnPreviousPage = 0;
    quint16 UseMargins = 0xFFFF;
    qint32 Columns = 1;
    qint32 ColumnWidth = 0;
    qint32 ColumnGap = 0;
    TvlPrnInfo PrnInfo;
    std::vector<std::unique_ptr<TvlView>> Objects;
};

class TvlPages
{
public:
    TvlPages();
    ~TvlPages();
    TvlPages(const TvlPages &) = delete;
    TvlPages &operator=(const TvlPages &) = delete;

    int Count() const { return int(m_pages.size()); }
    TvlPage *GetPage(int index) const { return m_pages[size_t(index)].get(); }
    TvlPage *operator[](int index) const { return GetPage(index); }
    void Clear();
    // A new page: A4, portrait.
    TvlPage *Add();
    void Delete(int index);
    void Swap(TvlPages &other) { m_pages.swap(other.m_pages); }

private:
    std::vector<std::unique_ptr<TvlPage>> m_pages;
};
