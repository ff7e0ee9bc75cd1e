#pragma once
// What the page setup dialog shows of a design page and how its answer goes
// back into the page. Sizes are shown in whole millimetres; a value the user
// left as it was shown keeps the page's exact value, so confirming the dialog
// unchanged moves nothing.
#include "report/printer.h"

#include <QList>
#include <QStringList>
#include <array>

class TvlPage;

struct TvlPageSetup
{
    enum Margin { Left = 0, Top, Right, Bottom };

    TPrinterOrientation Orientation = poPortrait;
    QStringList PaperNames; // the printer's papers
    QList<int> PaperCodes;  // their codes, in the same order
    int PaperIndex = -1;
    int WidthMm = 0; // user-defined paper size
    int HeightMm = 0;
    std::array<int, 4> MarginsMm{};
    bool NoMargins = false;
    bool PrintOnPreviousPage = false;
    int Columns = 1;
    int ColumnGapMm = 0;

    // The page's values with the paper list of the engine's printer.
    static TvlPageSetup FromPage(const TvlPage &page, const TvlPrinter &printer);
    // Writes the answer into the page and applies its paper.
    void ApplyTo(TvlPage &page) const;

    // The chosen paper's code; 0 when none is chosen.
    int PaperCode() const;
    // The size edits take part only for the user-defined paper.
    bool CustomSize() const;

    // Column count buttons: up adds one, down never goes below 0.
    static int ColumnsUp(int columns) { return columns + 1; }
    static int ColumnsDown(int columns) { return columns > 0 ? columns - 1 : 0; }

    // Conversions: pixels to the nearest whole millimetre, and back as the
    // page stores typed values (integer division).
    static int PixelsToMm(int pixels);
    static int MmToPixels(int mm) { return mm * 18 / 5; }

private:
    // What the dialog was opened with, to tell unchanged values.
    struct Shown
    {
        std::array<int, 4> marginsMm{};
        std::array<int, 4> marginsPx{};
        int gapMm = 0, gapPx = 0;
        int widthMm = 0, heightMm = 0;
        int widthTenths = 0, heightTenths = 0;
        bool valid = false;
    } m_shown;
};
